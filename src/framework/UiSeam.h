// The one seam between the program and what a test cannot click: message boxes,
// the shell's folder picker, ShellExecuteW and running another dialog modally.
// The program uses the real implementations; a test installs its own answers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class Dialog;

class UiSeam {
public:
    virtual ~UiSeam() = default;

    // MessageBoxW; returns the button pressed.
    virtual int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

    // SHBrowseForFolderW (no owner, no root, no display name buffer, no flags, no
    // callback) and SHGetPathFromIDListW. Empty when the user cancels or the chosen
    // item has no file-system path. The item is freed with the shell's allocator.
    virtual std::optional<std::wstring> BrowseForFolder(const std::wstring& title);

    // ShellExecuteW(no owner, "open", target, no parameters, no folder, SW_SHOWNORMAL).
    virtual void ShellOpen(const std::wstring& target);

    // A file opened with its program: ShellExecuteW as ShellOpen; where no
    // program is associated with it, the system's "Open with" choice (the
    // "openas" verb). False, with the system's reason, when neither opened it.
    virtual bool OpenWithProgram(const std::wstring& path, std::wstring& reason);

    // Runs the dialog modally over the owner and returns its result.
    virtual INT_PTR RunModal(Dialog& dialog, HWND owner);
};

// The seam in force. SetUi(nullptr) restores the real one.
UiSeam& Ui();
void SetUi(UiSeam* seam);
