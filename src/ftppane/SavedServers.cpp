#include "ftppane/SavedServers.h"

#include "ftppane/ProfileRules.h"
#include "ftppane/StoredProfile.h"
#include "settings/FieldSplit.h"
#include "settings/SettingsLines.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

enum Field { kName, kServer, kUser, kFolder, kMode, kTransfers, kPassword, kFieldCount };
constexpr std::size_t kFewestFields = kMode;

wchar_t FoldCase(wchar_t c)
{
    // Latin-1's upper-case letters lie 32 below their lower-case ones, as
    // ASCII's do; 0xD7 is the multiplication sign.
    if ((c >= L'A' && c <= L'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<wchar_t>(c + 32);
    return c;
}

std::wstring Folded(const std::wstring& text)
{
    std::wstring folded = text;
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

// The order of the list: a letter with an accent sorts with its base letter
// ("\u00c4rger" among the A's), then by the accents, then by case.
std::wstring SortKey(const std::wstring& name)
{
    // The base letters of Latin-1's 0xC0 to 0xFF; the two signs stay as they are.
    static const wchar_t kBase[] = L"aaaaaaaceeeeiiiidnooooo\u00d7ouuuuytsaaaaaaaceeeeiiiidnooooo\u00f7ouuuuyty";
    std::wstring key = Folded(name);
    for (wchar_t& c : key)
        if (c >= 0xC0 && c <= 0xFF)
            c = kBase[c - 0xC0];
    return key;
}

bool NameBefore(const SavedServer& a, const SavedServer& b)
{
    const std::wstring x = SortKey(a.name);
    const std::wstring y = SortKey(b.name);
    if (x != y)
        return x < y;
    return Folded(a.name) != Folded(b.name) ? Folded(a.name) < Folded(b.name) : a.name < b.name;
}

std::wstring Escaped(const std::wstring& field)
{
    std::wstring text;
    for (wchar_t c : field) {
        if (c == L'%')
            text += L"%25";
        else if (c == L'*')
            text += L"%2A";
        else
            text.push_back(c);
    }
    return text;
}

// An escape that is not one of the two is kept as it stands.
std::wstring Unescaped(const std::wstring& field)
{
    std::wstring text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const std::wstring code = field.substr(i + 1, 2);
        if (field[i] == L'%' && code == L"25") {
            text.push_back(L'%');
            i += 2;
        } else if (field[i] == L'%' && (code == L"2A" || code == L"2a")) {
            text.push_back(L'*');
            i += 2;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

std::optional<SavedServer> DecodeServer(const std::wstring& value, PasswordProtector& protector)
{
    std::vector<std::wstring> fields = SplitFields(value, L'*');
    if (fields.size() < kFewestFields)
        return std::nullopt;
    fields.resize(kFieldCount);
    for (std::wstring& field : fields)
        field = Unescaped(field);
    SavedServer server;
    server.name = TrimmedServerName(fields[kName]);
    if (server.name.empty())
        return std::nullopt;
    server.profile.login = {fields[kServer], fields[kUser], std::wstring(),
                            fields[kMode] == L"0" ? FtpMode::kActive : FtpMode::kPassive};
    server.profile.folder = fields[kFolder];
    server.profile.connections = ConnectionsFromText(fields[kTransfers]);
    server.storedPassword = fields[kPassword];
    if (server.storedPassword.empty())
        return server;
    const std::wstring marker = kProtectedMarker;
    std::optional<std::wstring> password;
    if (server.storedPassword.compare(0, marker.size(), marker) == 0)
        password = protector.Unprotect(server.storedPassword.substr(marker.size()));
    server.profile.login.password = password.value_or(std::wstring());
    server.passwordUnreadable = !password;
    return server;
}

}  // namespace

bool SameServerName(const std::wstring& a, const std::wstring& b)
{
    return Folded(a) == Folded(b);
}

std::wstring TrimmedServerName(const std::wstring& name)
{
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring::npos)
        return std::wstring();
    return name.substr(first, name.find_last_not_of(L" \t") - first + 1);
}

SavedServerList SavedServerList::Decode(const std::vector<std::wstring>& values, PasswordProtector& protector)
{
    SavedServerList list;
    for (const std::wstring& value : values) {
        if (list.m_servers.size() == kMaxSavedServers)
            break;
        std::optional<SavedServer> server = DecodeServer(value, protector);
        if (server && !list.Find(server->name))
            list.Insert(std::move(*server));
    }
    return list;
}

std::vector<std::wstring> SavedServerList::Encode() const
{
    std::vector<std::wstring> values;
    for (const SavedServer& s : m_servers) {
        const FtpLogin& login = s.profile.login;
        const std::wstring fields[kFieldCount] = {
            s.name, login.serverName, login.user, s.profile.folder, login.mode == FtpMode::kActive ? L"0" : L"1",
            std::to_wstring(std::clamp(s.profile.connections, kMinConnections, kMaxConnections)), s.storedPassword};
        std::wstring value;
        for (const std::wstring& field : fields)
            value += (value.empty() ? L"" : L"*") + Escaped(field);
        values.push_back(value);
    }
    return values;
}

const SavedServer* SavedServerList::Find(const std::wstring& name) const
{
    const std::wstring trimmed = TrimmedServerName(name);
    const auto found = std::find_if(m_servers.begin(), m_servers.end(),
                                    [&trimmed](const SavedServer& s) { return SameServerName(s.name, trimmed); });
    return found == m_servers.end() ? nullptr : &*found;
}

int SavedServerList::IndexInUse(const ServerProfile& profile) const
{
    int found = -1;
    for (std::size_t i = 0; i < m_servers.size(); ++i) {
        const ServerProfile& saved = m_servers[i].profile;
        if (saved.login.serverName != profile.login.serverName || saved.login.user != profile.login.user)
            continue;
        if (saved.folder == profile.folder)
            return static_cast<int>(i);
        if (found < 0)
            found = static_cast<int>(i);
    }
    return found;
}

SaveOutcome SavedServerList::Save(const std::wstring& name, const ServerProfile& profile, PasswordProtector& protector)
{
    SavedServer server;
    server.name = TrimmedServerName(name);
    server.profile = profile;
    if (server.name.empty())
        return {SaveResult::kNameMissing, SavedServerField::kName};
    const std::pair<const std::wstring*, SavedServerField> texts[] = {
        {&server.name, SavedServerField::kName},
        {&profile.login.serverName, SavedServerField::kServerName},
        {&profile.login.user, SavedServerField::kUser},
        {&profile.folder, SavedServerField::kFolder},
    };
    for (const auto& [text, field] : texts)
        if (!IsStorableValue(*text))
            return {SaveResult::kNotStorable, field};
    const auto replaced = Position(server.name);
    if (replaced == m_servers.end() && m_servers.size() >= kMaxSavedServers)
        return {SaveResult::kTooMany, SavedServerField::kNone};
    if (replaced != m_servers.end() && replaced->passwordUnreadable &&
        UnreadablePassword{replaced->profile.login.serverName, replaced->profile.login.user, replaced->storedPassword}
            .KeptFor(profile.login)) {
        server.storedPassword = replaced->storedPassword;
        server.passwordUnreadable = true;
    } else if (!profile.login.password.empty()) {
        const std::optional<std::wstring> protectedForm = protector.Protect(profile.login.password);
        if (!protectedForm || !IsStorableValue(*protectedForm) || protectedForm->find(L'*') != std::wstring::npos)
            return {SaveResult::kNotProtected, SavedServerField::kPassword};
        server.storedPassword = kProtectedMarker + *protectedForm;
    }
    if (replaced != m_servers.end())
        m_servers.erase(replaced);
    Insert(std::move(server));
    return {};
}

bool SavedServerList::Remove(const std::wstring& name)
{
    const auto found = Position(name);
    if (found == m_servers.end())
        return false;
    m_servers.erase(found);
    return true;
}

std::vector<SavedServer>::iterator SavedServerList::Position(const std::wstring& name)
{
    const std::wstring trimmed = TrimmedServerName(name);
    return std::find_if(m_servers.begin(), m_servers.end(),
                        [&trimmed](const SavedServer& s) { return SameServerName(s.name, trimmed); });
}

void SavedServerList::Insert(SavedServer server)
{
    m_servers.insert(std::upper_bound(m_servers.begin(), m_servers.end(), server, NameBefore), std::move(server));
}
