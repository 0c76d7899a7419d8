#include "panes/PaneKeys.h"

namespace {
// Win32's VK_ codes, which this file cannot take from <windows.h>.
constexpr unsigned kBackspace = 0x08;
constexpr unsigned kReturn = 0x0D;
constexpr unsigned kDeleteKey = 0x2E;
constexpr unsigned kLetterA = 0x41;
constexpr unsigned kF2 = 0x71;
constexpr unsigned kF5 = 0x74;
}  // namespace

PaneKey PaneKeyFor(unsigned virtualKey, KeyModifiers modifiers)
{
    if (modifiers.alt || modifiers.shift)
        return PaneKey::kNone;
    if (modifiers.control)
        return virtualKey == kLetterA ? PaneKey::kSelectAll : PaneKey::kNone;
    switch (virtualKey) {
    case kReturn: return PaneKey::kOpen;
    case kBackspace: return PaneKey::kUp;
    case kDeleteKey: return PaneKey::kDelete;
    case kF5: return PaneKey::kRefresh;
    case kF2: return PaneKey::kRename;
    default: return PaneKey::kNone;
    }
}
