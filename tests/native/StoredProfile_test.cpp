// The stored profile's format: the fields of "FTP Data", the protected
// password beside it, the older encoding still read, and what keeps a profile
// from being stored; the saved servers' list beside it.
#include "ftppane/ProfileRules.h"
#include "ftppane/SavedServers.h"
#include "ftppane/StoredProfile.h"
#include "settings/SettingsLines.h"
#include "settings/StoredValue.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Stands in for the logon's protection: the password's code points in hex,
// readable only while `readable` is set.
class StandInProtector : public PasswordProtector {
public:
    bool works = true;
    bool readable = true;

    std::optional<std::wstring> Protect(const std::wstring& password) override
    {
        if (!works)
            return std::nullopt;
        std::wstring hex;
        for (wchar_t c : password)
            for (int shift = 12; shift >= 0; shift -= 4)
                hex.push_back(L"0123456789abcdef"[(static_cast<unsigned>(c) >> shift) & 0xF]);
        return hex;
    }
    std::optional<std::wstring> Unprotect(const std::wstring& form) override
    {
        if (!readable || form.size() % 4 != 0)
            return std::nullopt;
        std::wstring text;
        for (std::size_t i = 0; i < form.size(); i += 4)
            text.push_back(static_cast<wchar_t>(std::stoul(std::wstring(form, i, 4), nullptr, 16)));
        return text;
    }
};

ServerProfile Profile(const std::wstring& server, const std::wstring& password, const std::wstring& folder)
{
    return {{server, L"anna", password}, folder};
}

}  // namespace

TEST(StoredProfile, RoundTripsWithTheProtectedPasswordBesideTheFields)
{
    StandInProtector protector;
    const std::wstring passwords[] = {L"secret", L"p\u00e4ss*w\u20acrd", L"line\r\nbreak", L""};
    for (const std::wstring& password : passwords) {
        const EncodedProfile encoded = EncodeProfile(Profile(L"ftp://h:21", password, L"up/sub"), protector);
        ASSERT_EQ(encoded.refused, RefusedPart::kNone);
        EXPECT_EQ(encoded.values.ftpData, L"ftp://h:21*anna*up/sub");
        EXPECT_EQ(encoded.values.password.empty(), password.empty());
        const std::optional<DecodedProfile> decoded = DecodeProfile(encoded.values, protector);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->profile.login.password, password);
        EXPECT_EQ(decoded->profile.login.serverName, L"ftp://h:21");
        EXPECT_EQ(decoded->profile.folder, L"up/sub");
        EXPECT_FALSE(decoded->passwordUnreadable);
    }
}

TEST(StoredProfile, OlderValuesAreStillReadAndNeverLookProtected)
{
    StandInProtector protector;
    for (const std::wstring password : {L"secret", L"DPAPI:x", L"\u00e9\u00ff tab\t", L"x$%"}) {
        const std::wstring old = EncodeStoredValue(password);
        EXPECT_NE(old.rfind(kProtectedMarker, 0), 0u) << old;
        const std::optional<DecodedProfile> decoded = DecodeProfile({L"ftp://h*anna*f", old, L""}, protector);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->profile.login.password, password);
    }
    EXPECT_FALSE(DecodeProfile({L"---", L"", L""}, protector));
    EXPECT_FALSE(DecodeProfile({L"", L"", L""}, protector));
    const std::optional<DecodedProfile> short_ = DecodeProfile({L"ftp://h", L"", L""}, protector);
    ASSERT_TRUE(short_);
    EXPECT_EQ(short_->profile.login.user, L"");
}

TEST(StoredProfile, AnUnreadablePasswordIsLeftEmptyAndTheRestKept)
{
    StandInProtector protector;
    const EncodedProfile encoded = EncodeProfile(Profile(L"ftp://h", L"secret", L"f"), protector);
    protector.readable = false;
    const std::optional<DecodedProfile> decoded = DecodeProfile(encoded.values, protector);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->passwordUnreadable);
    EXPECT_EQ(decoded->profile.login.password, L"");
    EXPECT_EQ(decoded->profile.login.serverName, L"ftp://h");
    EXPECT_EQ(decoded->profile.folder, L"f");
}

TEST(StoredProfile, WhatCannotBeStoredRefusesTheWholeProfile)
{
    StandInProtector protector;
    struct Case { ServerProfile profile; bool protects; RefusedPart refused; };
    const Case cases[] = {
        {Profile(L"ftp://h\u20ac", L"p", L"f"), true, RefusedPart::kServerUserFolder},
        {Profile(L"ftp://h", L"p", L"pasted\r\nfolder"), true, RefusedPart::kServerUserFolder},
        {Profile(L"ftp://h", L"p", L"f"), false, RefusedPart::kPassword},
        {Profile(L"ftp://h", L"", L"f"), false, RefusedPart::kNone},  // nothing to protect
    };
    for (const Case& c : cases) {
        protector.works = c.protects;
        EXPECT_EQ(EncodeProfile(c.profile, protector).refused, c.refused) << c.profile.folder;
    }
}

TEST(StoredProfile, TransfersAreClampedAndAnUnreadablePasswordIsKeptForItsLoginOnly)
{
    for (const auto& [text, connections] : std::map<std::wstring, int>{
             {L"", 2}, {L"abc", 2}, {L"-3", 2}, {L" 5 ", 5}, {L"0", 1}, {L"9", 8}, {L"99999999999999999999", 8}})
        EXPECT_EQ(ConnectionsFromText(text), connections) << text;

    StandInProtector protector;
    ServerProfile profile = Profile(L"ftp://h", L"secret", L"f");
    profile.connections = 7;
    StoredProfile stored = EncodeProfile(profile, protector).values;
    EXPECT_EQ(stored.connections, L"7");
    protector.readable = false;
    const DecodedProfile decoded = *DecodeProfile(stored, protector);
    EXPECT_EQ(decoded.profile.connections, 7);
    // Written back as it was until a password is entered or the login changes.
    EXPECT_EQ(EncodeProfile(decoded.profile, protector, decoded.unreadable).values.password, stored.password);
    EXPECT_EQ(EncodeProfile(Profile(L"ftp://other", L"", L"f"), protector, decoded.unreadable).values.password, L"");
    profile.login.password = L"new";
    EXPECT_NE(EncodeProfile(profile, protector, decoded.unreadable).values.password, stored.password);
}

// A saved server's values on one line, to compare whole lists at once.
std::vector<std::wstring> Described(const SavedServerList& list)
{
    std::vector<std::wstring> lines;
    for (const SavedServer& s : list.Servers()) {
        const FtpLogin& l = s.profile.login;
        lines.push_back(s.name + L"|" + l.serverName + L"|" + l.user + L"|" + l.password + L"|" + s.profile.folder +
                        (l.mode == FtpMode::kActive ? L"|A" : L"|P") + std::to_wstring(s.profile.connections) +
                        (s.passwordUnreadable ? L"|unreadable" : L""));
    }
    return lines;
}

TEST(SavedServers, RoundTripThroughTheFileBesideTheProfileSortedAndProtected)
{
    StandInProtector protector;
    SavedServerList list;
    const ServerProfile odd = {{L"ftp://h*2", L"u%2A", L"p\u20ac*ss", FtpMode::kActive}, L"a*b%25", 5};
    ASSERT_EQ(list.Save(L"  zeta*%  ", odd, protector).result, SaveResult::kSaved);
    ASSERT_EQ(list.Save(L"FTP Data", Profile(L"ftp://x", L"", L""), protector).result, SaveResult::kSaved);
    ASSERT_EQ(list.Save(L"\u00c4rger", Profile(L"ftp://y", L"pw", L"f"), protector).result, SaveResult::kSaved);
    // The same name in other case replaces the server and takes its spelling.
    ASSERT_EQ(list.Save(L"\u00e4RGER", Profile(L"ftp://z", L"pw", L"f"), protector).result, SaveResult::kSaved);

    // Among the older keys: their readers and writers pass over the list.
    std::vector<std::wstring> lines = {L"FTP Data", L"ftp://p*u*f", L"Language", L"[1033]"};
    ReplaceValueList(lines, kSavedServerKey, list.Encode());
    EXPECT_EQ(ReadValue(lines, L"FTP Data"), L"ftp://p*u*f");
    EXPECT_TRUE(ReplaceValues(lines, L"Language", L"[1031]"));
    EXPECT_EQ(ReadValue(lines, L"Language"), L"[1031]");

    SavedServerList back = SavedServerList::Decode(ReadValues(lines, kSavedServerKey), protector);
    EXPECT_EQ(Described(back), (std::vector<std::wstring>{L"\u00e4RGER|ftp://z|anna|pw|f|P2", L"FTP Data|ftp://x|anna|||P2",
                                                          L"zeta*%|ftp://h*2|u%2A|p\u20ac*ss|a*b%25|A5"}));
    EXPECT_EQ(back.IndexInUse(Profile(L"ftp://z", L"", L"elsewhere")), 0);
    EXPECT_EQ(back.IndexInUse(Profile(L"ftp://q", L"", L"f")), -1);
    EXPECT_TRUE(back.Remove(L" ftp data"));
    EXPECT_FALSE(back.Remove(L"ftp data"));
    ReplaceValueList(lines, kSavedServerKey, {});
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"FTP Data", L"ftp://p*u*f", L"Language", L"[1031]"}));
}

TEST(SavedServers, DamagedEntriesAreSkippedOrRepairedAndTheOthersKept)
{
    StandInProtector protector;
    const std::wstring pw = kProtectedMarker + *protector.Protect(L"pw");
    const std::vector<std::wstring> values = {
        L"three*ftp://a*u",                     // too few fields: skipped
        L"  *ftp://a*u*f*1*2*",                 // no name: skipped
        L"short*ftp://s*u*f",                   // the rest missing: defaults
        L"odd*ftp://o*u*f*x*many*" + pw,        // unknown mode, unreadable count
        L"SHORT*ftp://again*u*f*0*3*",          // a name that came before: skipped
        L"bad%zz*ftp://b*u*f*0*12*DPAPI:zz",    // escape kept, count clamped, password unreadable
        L"plain*ftp://p*u*f*1*2*secret*extra",  // never stored in plain text: unreadable
        L"",
    };
    const SavedServerList list = SavedServerList::Decode(values, protector);
    EXPECT_EQ(Described(list), (std::vector<std::wstring>{L"bad%zz|ftp://b|u||f|A8|unreadable", L"odd|ftp://o|u|pw|f|P2",
                                                          L"plain|ftp://p|u||f|P2|unreadable", L"short|ftp://s|u||f|P2"}));
    // An unreadable password is written back as stored, also when the server
    // is saved again without a password, but not for another login.
    SavedServerList again = list;
    ASSERT_EQ(again.Save(L"BAD%zz", list.Find(L"bad%zz")->profile, protector).result, SaveResult::kSaved);
    EXPECT_EQ(again.Encode()[0].substr(again.Encode()[0].rfind(L'*')), L"*DPAPI:zz");
    ASSERT_EQ(again.Save(L"plain", Profile(L"ftp://p", L"", L"f"), protector).result, SaveResult::kSaved);
    EXPECT_EQ(again.Find(L"plain")->storedPassword, L"");
}

TEST(SavedServers, AHundredAtMostAndWhatCannotBeStoredChangesNothing)
{
    StandInProtector protector;
    std::vector<std::wstring> values;
    for (int i = 0; i < 101; ++i)
        values.push_back(L"s" + std::to_wstring(1000 + i) + L"*ftp://h*u*f*1*2*");
    SavedServerList list = SavedServerList::Decode(values, protector);
    ASSERT_EQ(list.Servers().size(), kMaxSavedServers);
    EXPECT_EQ(list.Servers().back().name, L"s1099");

    struct Case { std::wstring name; ServerProfile profile; bool protects; SaveResult result; SavedServerField field; };
    const Case cases[] = {
        {L"s1100", Profile(L"ftp://h", L"", L""), true, SaveResult::kTooMany, SavedServerField::kNone},
        {L" \t ", Profile(L"ftp://h", L"", L""), true, SaveResult::kNameMissing, SavedServerField::kName},
        {L"s1000\u20ac", Profile(L"ftp://h", L"", L""), true, SaveResult::kNotStorable, SavedServerField::kName},
        {L"s1000", Profile(L"ftp://h\r\n", L"", L""), true, SaveResult::kNotStorable, SavedServerField::kServerName},
        {L"s1000", Profile(L"ftp://h", L"", L"\u03b1"), true, SaveResult::kNotStorable, SavedServerField::kFolder},
        {L"s1000", Profile(L"ftp://h", L"pw", L""), false, SaveResult::kNotProtected, SavedServerField::kPassword},
    };
    const std::vector<std::wstring> before = list.Encode();
    for (const Case& c : cases) {
        protector.works = c.protects;
        const SaveOutcome outcome = list.Save(c.name, c.profile, protector);
        EXPECT_EQ(outcome.result, c.result) << c.name;
        EXPECT_EQ(outcome.field, c.field) << c.name;
        EXPECT_EQ(list.Encode(), before);
    }
    protector.works = true;
    EXPECT_EQ(list.Save(L"S1050", Profile(L"ftp://new", L"", L""), protector).result, SaveResult::kSaved);
    EXPECT_EQ(list.Servers().size(), kMaxSavedServers);
}
