// The About box: program icon, version line and two lines of text, not translated.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public Dialog {
public:
    CAboutDlg();
};
