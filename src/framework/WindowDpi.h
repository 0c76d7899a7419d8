// The DPI a window is shown at, and the dialog manager's part in a change of
// it. The calls that know about per-monitor DPI come with Windows 10; they are
// looked up at run time, so that the program still starts on older versions.
#pragma once

#include <windows.h>

// GetDpiForWindow (Windows 10, version 1607 on); before it, the screen's
// LOGPIXELSX, which is the one DPI of a system-aware program.
int WindowDpi(HWND window);

// On a change of DPI, the dialog manager (Windows 10, version 1703 on) would
// resize the dialog and move its controls itself: this leaves both to the
// program's own layout and keeps only the controls' fonts to the dialog
// manager. Does nothing where the call does not exist.
void KeepOwnLayoutOnDpiChange(HWND dialog);
