// Which context-menu items apply to a selection, and which names are one
// where case does not count. The keys and the typed names are the Windows
// tests' and the pane commands' tests'.
#include "ftp/SafeLocalName.h"
#include "panes/ContextMenuRules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(ContextMenu, ItemsApplyToWhatIsSelected)
{
    // The items that apply: Open, Transfer, Rename, Delete, New Folder, reFresh.
    const auto applying = [](const ContextMenuItems& items) {
        std::string letters;
        for (const auto& [applies, letter] : {std::pair{items.open, 'O'}, {items.transfer, 'T'}, {items.rename, 'R'},
                                              {items.remove, 'D'}, {items.newFolder, 'N'}, {items.refresh, 'F'}})
            letters += applies ? letter : '-';
        return letters;
    };
    using K = RowKind;
    struct Case { std::vector<RowKind> selected; bool opensFiles, showsFolder; const char* items; };
    const Case cases[] = {
        {{K::File}, false, true, "-TRDNF"},
        {{K::File}, true, true, "OTRDNF"},  // locally a file opens
        {{K::Folder}, false, true, "OTRDNF"},
        {{K::Parent}, true, true, "O---NF"},
        {{}, true, true, "----NF"},
        {{K::Parent, K::File}, true, true, "-T-DNF"},
        {{K::File, K::Folder}, true, true, "-T-DNF"},
        {{K::Parent}, true, false, "------"},  // no folder shown
    };
    for (const Case& c : cases)
        EXPECT_EQ(applying(ContextMenuFor(c.selected, c.opensFiles, c.showsFolder)), c.items)
            << c.selected.size() << " rows, the first " << (c.selected.empty() ? -1 : int(c.selected[0]));
}

TEST(RenameRules, NamesThatDifferOnlyInCase)
{
    EXPECT_TRUE(SameNameIgnoringCase(L"Readme.TXT", L"rEADME.txt"));
    EXPECT_TRUE(SameNameIgnoringCase(L"\u00C4rger", L"\u00E4RGER"));
    EXPECT_FALSE(SameNameIgnoringCase(L"\u00D7", L"\u00F7"));  // multiplication and division signs
    EXPECT_FALSE(SameNameIgnoringCase(L"a", L"ab"));
    EXPECT_FALSE(SameNameIgnoringCase(L"a1", L"a2"));
}
