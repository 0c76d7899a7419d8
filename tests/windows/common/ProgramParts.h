// What the application hands the main window, built as the program builds it:
// the settings file, the FTP work on WinINet and the local file system.
#pragma once

#include "ftp/FtpWork.h"
#include "ftp/WinInetFtp.h"
#include "localpane/WinLocalFiles.h"
#include "settings/SettingsFile.h"

#include <windows.h>

#include <memory>

namespace testenv {

struct ProgramParts {
    SettingsFile settings;
    FtpWork work{std::make_shared<FtpEnginePool>([] { return std::make_unique<WinInetFtp>(); })};
    WinLocalFiles files;

    // Lets the window's messages through until no FTP work runs, as the
    // program's message loop would; false when it still runs after the limit.
    bool WaitForFtpWork(DWORD limitMs = 60000)
    {
        const DWORD start = ::GetTickCount();
        while (work.IsBusy()) {
            if (::GetTickCount() - start > limitMs)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            MSG message;
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                // The dialog manager's keys: Esc becomes IDCANCEL, Enter IDOK.
                const HWND root = message.hwnd ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
                if (root && ::IsDialogMessageW(root, &message))
                    continue;
                ::TranslateMessage(&message);
                ::DispatchMessageW(&message);
            }
        }
        return true;
    }
};

}  // namespace testenv
