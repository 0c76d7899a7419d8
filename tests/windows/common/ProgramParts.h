// What the application hands the main window, built as the program builds it:
// the settings file, the FTP engine on WinINet and the local file system.
#pragma once

#include "ftp/FtpEngine.h"
#include "ftp/WinInetFtp.h"
#include "localpane/WinLocalFiles.h"
#include "settings/SettingsFile.h"

namespace testenv {

struct ProgramParts {
    SettingsFile settings;
    WinInetFtp winInet;
    FtpEngine engine{winInet};
    WinLocalFiles files;
};

}  // namespace testenv
