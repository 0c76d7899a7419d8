// What a drop from the shell may upload, and where opened copies of server
// files are kept and when they are old.
#include "transfer/DroppedItems.h"
#include "transfer/OpenedCopies.h"

#include <gtest/gtest.h>

TEST(DroppedItems, OnlyFilesAndFoldersOfTheFileSystemGo)
{
    struct Case { DroppedItem item; bool refused; };
    const Case cases[] = {
        {{L"C:\\Data\\a.txt", true, false, false}, false},
        {{L"C:\\Data\\tree", true, true, false}, false},
        {{L"\\\\srv\\share\\a.txt", true, false, false}, false},
        {{L"C:\\Data\\Shortcut.LNK", true, false, false}, true},
        {{L"C:\\Data\\site.url", true, false, false}, true},
        {{L"C:\\Data\\pictures.lnk", true, true, false}, false},  // a folder of that name is a folder
        {{L"C:\\Data\\junction", true, true, true}, true},
        {{L"C:\\Data\\gone.txt", false, false, false}, true},
        {{L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", true, true, false}, true},
        {{L"C:\\", true, true, false}, true},  // a whole drive has no name to upload under
        {{L"\\\\srv\\share", true, true, false}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefusedDroppedItems({c.item}).size(), c.refused ? 1u : 0u) << c.item.path;
}

TEST(OpenedCopies, EveryLoginAndFolderHasAFolderOfItsOwn)
{
    const FtpLogin login = {L"ftp://Host.example", L"anna", L""};
    struct Case { const wchar_t* folder; const wchar_t* copies; };
    const Case cases[] = {
        {L"", L"R\\anna@Host.example\\login"},
        {L"www/img", L"R\\anna@Host.example\\login\\www\\img"},
        {L"/www/img", L"R\\anna@Host.example\\root\\www\\img"},
        {L"a:b/c%3Ab", L"R\\anna@Host.example\\login\\a%3Ab\\c%253Ab"},  // never the same folder
        {L"x/../CON/y./ z ", L"R\\anna@Host.example\\login\\x\\.%2E\\%43ON\\y%2E\\ z%20"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpenedCopyFolder(L"R", login, c.folder), c.copies) << c.folder;
    EXPECT_EQ(OpenedCopyFolder(L"R", {L"ftp://h", L"b*c", L""}, L"d"), L"R\\b%2Ac@h\\login\\d");
}

TEST(OpenedCopies, OnlyCopiesWrittenMoreThanADayAgoAreOld)
{
    const std::uint64_t now = 100 * kTicksPerDay;
    EXPECT_TRUE(IsOldCopy(now - kTicksPerDay - 1, now));
    EXPECT_FALSE(IsOldCopy(now - kTicksPerDay, now));
    EXPECT_FALSE(IsOldCopy(now + kTicksPerDay * 5, now));
}
