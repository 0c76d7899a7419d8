// The stored password protected by the user's Windows logon (the Data
// Protection API): only the same user on the same computer reads it back.
#pragma once

#include "settings/PasswordProtector.h"

class DpapiProtector : public PasswordProtector {
public:
    // CryptProtectData without any UI, Base64 without line breaks.
    std::optional<std::wstring> Protect(const std::wstring& password) override;
    std::optional<std::wstring> Unprotect(const std::wstring& protectedForm) override;
};
