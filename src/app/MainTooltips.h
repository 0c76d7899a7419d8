// The tooltips of the main window's controls. Every message the modal loop
// takes for the window or one of its controls is handed to the tooltip control
// first (TTM_RELAYEVENT), through a message hook of the window's thread, since
// the dialog manager's own loop offers no other place to do it.
#pragma once

#include <windows.h>

class CTranslation;

class MainTooltips {
public:
    MainTooltips() = default;
    ~MainTooltips();
    MainTooltips(const MainTooltips&) = delete;
    MainTooltips& operator=(const MainTooltips&) = delete;

    // Creates (or re-creates, after a change of language) the tooltip control.
    void Create(HWND window, const CTranslation& texts);
    HWND Handle() const { return m_tooltip; }

private:
    static LRESULT CALLBACK RelayHook(int code, WPARAM wParam, LPARAM lParam);
    void Destroy();

    HWND m_window = nullptr;
    HWND m_tooltip = nullptr;
    HHOOK m_hook = nullptr;
};
