#include "app/CFTPTandrilApp.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    CFTPTandrilApp app;
    return app.Run();
}
