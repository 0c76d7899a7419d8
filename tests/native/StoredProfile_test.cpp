// The stored profile's format: the fields of "FTP Data", the protected
// password beside it, the older encoding still read, and what keeps a profile
// from being stored.
#include "ftppane/StoredProfile.h"
#include "settings/StoredValue.h"

#include <gtest/gtest.h>

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
