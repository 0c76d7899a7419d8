// What a key pressed in either list does. The keys are Win32 virtual-key
// codes; Ctrl, Shift and Alt are the modifiers held with it.
#pragma once

enum class PaneKey {
    kNone,
    kOpen,       // Enter: as the double-click on the marked row
    kUp,         // Backspace: one level up
    kDelete,     // Delete: as the pane's Delete button
    kRefresh,    // F5
    kSelectAll,  // Ctrl+A: every row but the parent row
    kRename,     // F2
};

struct KeyModifiers {
    bool control = false;
    bool shift = false;
    bool alt = false;
};

PaneKey PaneKeyFor(unsigned virtualKey, KeyModifiers modifiers);
