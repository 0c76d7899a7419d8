// The application: initialises the common controls and runs the main window as
// its one modal dialog; the process ends with it. It owns what the whole
// program shares: the settings file, the FTP work on WinINet and the local
// file system.
#pragma once

class CFTPTandrilApp {
public:
    int Run();
};
