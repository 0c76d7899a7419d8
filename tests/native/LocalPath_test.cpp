#include "localpane/LocalPath.h"

#include <gtest/gtest.h>

TEST(LocalPath, MarkerIsAddedAndOnlyTheTrailingOneRemoved)
{
    struct Case { const wchar_t* text; const wchar_t* folder; };
    const Case cases[] = {
        {L"C:\\Data\\Photos\\...", L"C:\\Data\\Photos"},
        {L"C:\\...", L"C:"},
        {L"\\\\host\\share\\dir\\...", L"\\\\host\\share\\dir"},
        {L"C:\\a\\...\\b\\...", L"C:\\a\\...\\b"},      // an inner "\..." stays
        {L"C:\\Data\\a...b\\...", L"C:\\Data\\a...b"},
        {L"C:\\x\\...\\...", L"C:\\x\\..."},            // a folder named "..." itself
        {L"C:\\typed by hand", L"C:\\typed by hand"},   // no marker: taken as it stands
        {L"C:\\x...", L"C:\\x..."},                     // dots without the backslash are a name
        {L"\\...", L""},
        {L"...", L"..."},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripFolderMarker(c.text), c.folder) << c.text;
    for (const wchar_t* folder : {L"C:", L"C:\\Data", L"\\\\host\\share", L"C:\\x\\..."})
        EXPECT_EQ(StripFolderMarker(WithFolderMarker(folder)), folder) << folder;
    EXPECT_EQ(WithFolderMarker(L"C:"), L"C:\\...");
    EXPECT_EQ(JoinLocal(L"C:", L"a.txt"), L"C:\\a.txt");
}

TEST(LocalPath, ParentIsCutAtTheLastBackslashAndStopsAtRoots)
{
    struct Case { const wchar_t* folder; const wchar_t* parent; };  // nullptr: no change
    const Case cases[] = {
        {L"C:\\Data\\Photos", L"C:\\Data"},
        {L"C:\\Data", L"C:"},
        {L"C:", nullptr},
        {L"\\\\host\\share\\dir", L"\\\\host\\share"},
        {L"\\\\host\\share", L"\\\\host"},
        {L"\\\\host", nullptr},           // "\" alone is too short
        {L"C:\\Data\\a...b", L"C:\\Data"},
        {L"C:\\x\\...", L"C:\\x"},
        {L"X\\y", nullptr},               // one character before the backslash
        {L"ab\\c", L"ab"},
        {L"\\Data", nullptr},
        {L"Data", nullptr},               // no backslash at all
        {L"", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<std::wstring> parent = ParentLocalFolder(c.folder);
        if (c.parent)
            EXPECT_EQ(parent.value_or(L"<none>"), c.parent) << c.folder;
        else
            EXPECT_FALSE(parent.has_value()) << c.folder << L" -> " << parent.value_or(L"");
    }
}

TEST(LocalPath, DoubledBackslashesCollapseExceptTheLeadingPair)
{
    struct Case { const wchar_t* path; const wchar_t* collapsed; };
    const Case cases[] = {
        {L"C:\\\\...", L"C:\\..."},
        {L"\\\\host\\share\\...", L"\\\\host\\share\\..."},
        {L"\\\\host\\\\share\\\\\\dir", L"\\\\host\\share\\dir"},
        {L"\\\\\\host", L"\\\\host"},
        {L"C:\\\\\\\\Data", L"C:\\Data"},
        {L"a\\\\b\\\\c", L"a\\b\\c"},
        {L"C:\\Data", L"C:\\Data"},
        {L"\\\\", L"\\\\"},
        {L"\\", L"\\"},
        {L"", L""},
        {L"C:\\\\Data\\\\\\x", L"C:\\Data\\x"},
        {L"\\a", L"\\a"},
        {L"C:\\Data\\", L"C:\\Data\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CollapseDoubledBackslashes(c.path), c.collapsed) << c.path;
}

TEST(LocalPath, PickedFolderTextHasOneMarker)
{
    struct Case { const wchar_t* picked; const wchar_t* text; };
    const Case cases[] = {
        {L"C:\\", L"C:\\..."},
        {L"C:\\Data", L"C:\\Data\\..."},
        {L"\\\\host\\share", L"\\\\host\\share\\..."},
        {L"\\\\host\\share\\", L"\\\\host\\share\\..."},
        {L"Z:\\tmp\\a...b", L"Z:\\tmp\\a...b\\..."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PickedFolderText(c.picked), c.text) << c.picked;
        EXPECT_EQ(WithFolderMarker(StripFolderMarker(c.text)), c.text) << c.picked;
    }
}
