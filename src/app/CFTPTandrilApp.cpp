#include "app/CFTPTandrilApp.h"

#include "app/CFTPTandrilDlg.h"
#include "framework/ComApartment.h"
#include "ftp/FtpWork.h"
#include "ftp/WinInetFtp.h"
#include "localpane/WinLocalFiles.h"
#include "settings/SettingsFile.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

int CFTPTandrilApp::Run()
{
    const ComApartment com;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    SettingsFile settings;
    FtpWork work(std::make_shared<FtpEnginePool>([] { return std::make_unique<WinInetFtp>(); }));
    WinLocalFiles files;
    auto window = std::make_unique<CFTPTandrilDlg>(settings, work, files);
    window->RunModal(nullptr);
    return 0;
}
