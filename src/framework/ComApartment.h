// COM initialised apartment-threaded on the UI thread for as long as the
// object lives: the shell's folder picker and ShellExecuteW expect it. OLE on
// top of it, for drag and drop from the shell (RegisterDragDrop).
#pragma once

#include <ole2.h>

class ComApartment {
public:
    ComApartment()
        : m_initialized(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))),
          m_ole(SUCCEEDED(::OleInitialize(nullptr)))
    {
    }
    ~ComApartment()
    {
        if (m_ole)
            ::OleUninitialize();
        if (m_initialized)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool IsInitialized() const { return m_initialized; }

private:
    bool m_initialized;
    bool m_ole;
};
