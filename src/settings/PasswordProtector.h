// Protects the stored password for the settings file and reads it back. The
// program ties it to the user's Windows logon (DpapiProtector); the native
// tests use a stand-in.
#pragma once

#include <optional>
#include <string>

// Before a protected password. Values of the older encoding begin with a
// character of 80 or above, so they never begin like this.
inline const wchar_t* const kProtectedMarker = L"DPAPI:";

class PasswordProtector {
public:
    virtual ~PasswordProtector() = default;
    // The protected form in printable ASCII; nothing when protecting failed.
    virtual std::optional<std::wstring> Protect(const std::wstring& password) = 0;
    // Nothing when the protected form cannot be read by this user here.
    virtual std::optional<std::wstring> Unprotect(const std::wstring& protectedForm) = 0;
};
