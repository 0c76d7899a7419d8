// COM initialised apartment-threaded on the UI thread for as long as the
// object lives: the shell's folder picker and ShellExecuteW expect it.
#pragma once

#include <objbase.h>

class ComApartment {
public:
    ComApartment() : m_initialized(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment()
    {
        if (m_initialized)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool IsInitialized() const { return m_initialized; }

private:
    bool m_initialized;
};
