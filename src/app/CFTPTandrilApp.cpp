#include "app/CFTPTandrilApp.h"

#include "app/CFTPTandrilDlg.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

int CFTPTandrilApp::Run()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    auto window = std::make_unique<CFTPTandrilDlg>();
    window->RunModal(nullptr);
    return 0;
}
