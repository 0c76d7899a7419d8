// A file of the FTP list opened with its program: it is downloaded, as a
// transfer batch with its progress and Stop, into the program's private
// folder below the user's temporary folder (see OpenedCopies), and the shell
// opens the copy there. Nothing goes back to the server: the copy is the
// user's to save elsewhere. Copies older than a day go at the next start.
#pragma once

#include "panes/RowKind.h"

#include <windows.h>

#include <cstdint>
#include <string>

class CTranslation;
class LocalFiles;
class TransferCommand;
struct ServerProfile;

class FtpFileOpener {
public:
    // root: the private folder, CopiesRoot() in the program.
    FtpFileOpener(const CTranslation& texts, LocalFiles& files, const ServerProfile& profile,
                  TransferCommand& transfer, std::wstring root);

    void Bind(HWND dialog) { m_dialog = dialog; }

    // Downloads the file row's file and opens the copy; false, doing
    // nothing, while other FTP work runs.
    bool Open(const PaneRow& row);

    // When FTP work has ended and the window is no longer busy: opens the
    // copy that arrived, if one did, and the status line tells that changes
    // to it are not uploaded.
    void AfterFtpWork();

    // "FTPTandril copies" in the user's temporary folder.
    static std::wstring CopiesRoot();
    // Removes every file below the root last written more than a day before
    // now (FILETIME ticks, UTC), then the folders that were left empty by it.
    static void RemoveOldCopies(const std::wstring& root, std::uint64_t now);

private:
    const CTranslation& m_texts;
    LocalFiles& m_files;
    const ServerProfile& m_profile;
    TransferCommand& m_transfer;
    std::wstring m_root;
    HWND m_dialog = nullptr;
    std::wstring m_arrived;  // the copy to open, with the server file's name
    std::wstring m_name;
};
