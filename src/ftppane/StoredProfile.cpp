#include "ftppane/StoredProfile.h"

#include "ftppane/ProfileRules.h"
#include "settings/FieldSplit.h"
#include "settings/SettingsLines.h"
#include "settings/StoredValue.h"

#include <algorithm>
#include <vector>

bool IsStoredValue(const std::wstring& value)
{
    return !value.empty() && value != kUnsetValue;
}

EncodedProfile EncodeProfile(const ServerProfile& profile, PasswordProtector& protector, const UnreadablePassword& kept)
{
    const FtpLogin& login = profile.login;
    EncodedProfile encoded;
    encoded.values.ftpData = login.serverName + L"*" + login.user + L"*" + profile.folder;
    encoded.values.passive = login.mode == FtpMode::kActive ? L"0" : L"1";
    encoded.values.connections = std::to_wstring(std::clamp(profile.connections, kMinConnections, kMaxConnections));
    if (!IsStorableValue(encoded.values.ftpData)) {
        encoded.refused = RefusedPart::kServerUserFolder;
        return encoded;
    }
    if (kept.KeptFor(login)) {
        encoded.values.password = kept.storedForm;
        return encoded;
    }
    if (login.password.empty())
        return encoded;
    const std::optional<std::wstring> protectedForm = protector.Protect(login.password);
    if (!protectedForm || !IsStorableValue(*protectedForm)) {
        encoded.refused = RefusedPart::kPassword;
        return encoded;
    }
    encoded.values.password = kProtectedMarker + *protectedForm;
    return encoded;
}

std::optional<DecodedProfile> DecodeProfile(const StoredProfile& stored, PasswordProtector& protector)
{
    if (!IsStoredValue(stored.ftpData))
        return std::nullopt;
    const std::vector<std::wstring> fields = SplitFields(stored.ftpData, L'*');
    auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::wstring(); };
    DecodedProfile decoded;
    decoded.profile.login = {field(0), field(1), std::wstring(),
                             stored.passive == L"0" ? FtpMode::kActive : FtpMode::kPassive};
    decoded.profile.folder = field(2);
    decoded.profile.connections = ConnectionsFromText(stored.connections);
    const std::wstring marker = kProtectedMarker;
    if (stored.password.compare(0, marker.size(), marker) != 0) {
        decoded.profile.login.password = DecodeStoredValue(stored.password);
        return decoded;
    }
    const std::optional<std::wstring> password = protector.Unprotect(stored.password.substr(marker.size()));
    decoded.profile.login.password = password.value_or(std::wstring());
    decoded.passwordUnreadable = !password;
    if (!password)
        decoded.unreadable = {decoded.profile.login.serverName, decoded.profile.login.user, stored.password};
    return decoded;
}
