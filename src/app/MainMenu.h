// The main window's menu bar in the chosen language: two blanks before each
// item's text and a bitmap beside it, 12 x 12 at 96 DPI and larger with the
// window's DPI. Keeps the loaded bitmaps alive while the window lives.
#pragma once

#include <windows.h>

class CTranslation;

class MainMenu {
public:
    MainMenu() = default;
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    void Apply(HWND window, const CTranslation& texts, int dpi);

private:
    static constexpr int kItemCount = 5;

    // Loads the bitmaps at this size unless they are loaded already; returns
    // those of the previous size for the caller to delete once the menu no
    // longer shows them.
    void LoadBitmaps(int size, HBITMAP (&previous)[kItemCount]);

    HBITMAP m_bitmaps[kItemCount] = {};
    int m_size = 0;
};
