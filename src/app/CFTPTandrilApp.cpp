#include "app/CFTPTandrilApp.h"

#include "app/CFTPTandrilDlg.h"
#include "framework/ComApartment.h"
#include "ftp/FtpWork.h"
#include "ftp/WinInetFtp.h"
#include "localpane/WinLocalFiles.h"
#include "transfer/FtpFileOpener.h"
#include "settings/SettingsFile.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

namespace {

std::uint64_t NowTicks()
{
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

}  // namespace

int CFTPTandrilApp::Run()
{
    const ComApartment com;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    FtpFileOpener::RemoveOldCopies(FtpFileOpener::CopiesRoot(), NowTicks());
    SettingsFile settings;
    FtpWork work(std::make_shared<FtpEnginePool>([] { return std::make_unique<WinInetFtp>(); }));
    WinLocalFiles files;
    auto window = std::make_unique<CFTPTandrilDlg>(settings, work, files);
    window->RunModal(nullptr);
    return 0;
}
