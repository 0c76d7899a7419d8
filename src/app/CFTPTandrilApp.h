// The application: initialises the common controls and runs the main window as
// its one modal dialog; the process ends with it.
#pragma once

class CFTPTandrilApp {
public:
    int Run();
};
