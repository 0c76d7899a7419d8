// The main window's menu bar in the chosen language: two blanks before each
// item's text and a 12 x 12 bitmap beside it. Keeps the loaded bitmaps alive
// while the window lives.
#pragma once

#include <windows.h>

class CTranslation;

class MainMenu {
public:
    MainMenu() = default;
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    void Apply(HWND window, const CTranslation& texts);

private:
    HBITMAP Bitmap(int index, int resourceId);

    HBITMAP m_bitmaps[5] = {};
};
