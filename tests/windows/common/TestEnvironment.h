// What the Windows tests share: where the test FTP server's root lies (seen
// through Wine's Z: drive), the server name to log in with, the test users,
// a scratch folder, and a UI seam that answers message boxes and pickers.
#pragma once

#include "framework/UiSeam.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testenv {

// Users of the test server (tests/ftpserver/server.py).
inline const wchar_t* const kUser = L"tandril";         // login directory: the server root
inline const wchar_t* const kSubUser = L"subuser";      // login directory: /sub, not the root
inline const wchar_t* const kReader = L"reader";        // read-only
inline const wchar_t* const kPassword = L"secret";

// "Z:\...\ftp-root" for the server root, and the same for a path below it.
std::wstring FtpRoot();
std::wstring FtpPath(const std::wstring& relative);  // relative uses "/" or "\"
int FtpPort();
// "ftp://127.0.0.1", with ":port" when the server is not on port 21.
std::wstring ServerName();

// A fresh, empty folder for one test, below the build folder's scratch area.
std::wstring ScratchFolder(const std::wstring& name);
// A fresh, empty folder on the FTP server, below its root; returns its name
// relative to the root (usable as an FTP folder for kUser).
std::wstring FreshFtpFolder(const std::wstring& name);

// File helpers on real files.
void WriteFile(const std::wstring& path, const std::string& bytes);
std::string ReadFile(const std::wstring& path);  // empty when missing
bool Exists(const std::wstring& path);
void RemoveTree(const std::wstring& path);
void MakeFolders(const std::wstring& path);  // with every missing level
// Sets a file's or folder's last-write time (FILETIME ticks, UTC).
void SetLastWriteTime(const std::wstring& path, unsigned long long ticks);

// The folder of the running test executable (the program folder of the tests).
std::wstring ExeFolder();

// Answers the UI seam for the duration of a test; restores the real one after.
class RecordingUi : public UiSeam {
public:
    struct Message { std::wstring text; std::wstring caption; UINT type; };

    RecordingUi();
    ~RecordingUi() override;

    int ShowMessage(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> BrowseForFolder(const std::wstring& title) override;
    void ShellOpen(const std::wstring& target) override;
    bool OpenWithProgram(const std::wstring& path, std::wstring& reason) override;
    INT_PTR RunModal(Dialog& dialog, HWND owner) override;

    std::vector<Message> messages;
    // Yes/No boxes: kept apart from the messages, and answered.
    std::vector<Message> questions;
    int questionAnswer = IDYES;
    std::vector<std::wstring> browseTitles;
    std::optional<std::wstring> browseAnswer;
    std::vector<std::wstring> opened;
    // Runs instead of a modal dialog: receives the dialog created modeless and
    // returns the result the modal run should report (default: IDCANCEL).
    std::function<INT_PTR(Dialog&)> onModal;
    std::vector<UINT> modalTemplates;
};

}  // namespace testenv
