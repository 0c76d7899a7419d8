// The main window's menu bar in the chosen language: two blanks before each
// item's text and a bitmap beside it, 12 x 12 at 96 DPI and larger with the
// window's DPI. Keeps the loaded bitmaps alive while the window lives. The
// Servers menu between File and Help is built from the saved servers.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CTranslation;

class MainMenu {
public:
    MainMenu() = default;
    ~MainMenu();
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;

    void Apply(HWND window, const CTranslation& texts, int dpi);

    // The Servers menu anew: one item for each name (command
    // IDM_SAVED_SERVER_FIRST + its index), the one in use checked (-1: none),
    // a separator, and Manage servers.
    void ShowServers(HWND window, const CTranslation& texts, const std::vector<std::wstring>& names, int inUse);
    // The Servers menu's items are disabled while FTP work runs; a rebuilt
    // menu keeps the state.
    void EnableServers(HWND window, bool enable);

private:
    static constexpr int kItemCount = 5;

    // Loads the bitmaps at this size unless they are loaded already; returns
    // those of the previous size for the caller to delete once the menu no
    // longer shows them.
    void LoadBitmaps(int size, HBITMAP (&previous)[kItemCount]);

    HBITMAP m_bitmaps[kItemCount] = {};
    int m_size = 0;
    bool m_serversEnabled = true;
};
