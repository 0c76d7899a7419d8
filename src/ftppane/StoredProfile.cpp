#include "ftppane/StoredProfile.h"

#include "settings/FieldSplit.h"
#include "settings/StoredValue.h"

#include <vector>

bool IsStoredValue(const std::wstring& value)
{
    return !value.empty() && value != kUnsetValue;
}

StoredProfile EncodeProfile(const ServerProfile& profile)
{
    const FtpLogin& login = profile.login;
    return {login.serverName + L"*" + login.user + L"*" + profile.folder, EncodeStoredValue(login.password),
            login.mode == FtpMode::kActive ? L"0" : L"1"};
}

std::optional<ServerProfile> DecodeProfile(const StoredProfile& stored)
{
    if (!IsStoredValue(stored.ftpData))
        return std::nullopt;
    const std::vector<std::wstring> fields = SplitFields(stored.ftpData, L'*');
    auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::wstring(); };
    ServerProfile profile;
    profile.login = {field(0), field(1), DecodeStoredValue(stored.password),
                     stored.passive == L"0" ? FtpMode::kActive : FtpMode::kPassive};
    profile.folder = field(2);
    return profile;
}
