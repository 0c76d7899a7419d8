// The rules both panes share: what each key does, which context-menu items
// apply to a selection, and which typed names a rename refuses.
#include "ftp/SafeLocalName.h"
#include "panes/ContextMenuRules.h"
#include "panes/PaneKeys.h"
#include "panes/RenameRules.h"

#include <gtest/gtest.h>

TEST(PaneKeys, EachKeyWithTheModifiersItNeeds)
{
    struct Case { unsigned key; KeyModifiers modifiers; PaneKey command; };
    const KeyModifiers none, ctrl{true, false, false}, shift{false, true, false}, alt{false, false, true};
    const Case cases[] = {
        {0x0D, none, PaneKey::kOpen},     {0x08, none, PaneKey::kUp},
        {0x2E, none, PaneKey::kDelete},   {0x74, none, PaneKey::kRefresh},
        {0x71, none, PaneKey::kRename},   {0x41, ctrl, PaneKey::kSelectAll},
        {0x41, none, PaneKey::kNone},     {0x41, {true, true, false}, PaneKey::kNone},
        {0x0D, ctrl, PaneKey::kNone},     {0x2E, shift, PaneKey::kNone},
        {0x74, alt, PaneKey::kNone},      {0x72, none, PaneKey::kNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaneKeyFor(c.key, c.modifiers), c.command) << std::hex << c.key;
}

TEST(ContextMenu, ItemsApplyToWhatIsSelected)
{
    using K = RowKind;
    struct Case {
        std::vector<RowKind> selected;
        bool opensFiles, showsFolder;
        ContextMenuItems items;  // open, transfer, rename, remove, newFolder, refresh
    };
    const Case cases[] = {
        {{K::File}, false, true, {false, true, true, true, true, true}},
        {{K::File}, true, true, {true, true, true, true, true, true}},  // locally a file opens
        {{K::Folder}, false, true, {true, true, true, true, true, true}},
        {{K::Parent}, true, true, {true, false, false, false, true, true}},
        {{}, true, true, {false, false, false, false, true, true}},
        {{K::Parent, K::File}, true, true, {false, true, false, true, true, true}},
        {{K::File, K::Folder}, true, true, {false, true, false, true, true, true}},
        {{K::Parent}, true, false, {false, false, false, false, false, false}},  // no folder shown
    };
    for (const Case& c : cases) {
        const ContextMenuItems items = ContextMenuFor(c.selected, c.opensFiles, c.showsFolder);
        const std::vector<bool> got = {items.open, items.transfer, items.rename, items.remove, items.newFolder,
                                       items.refresh};
        const std::vector<bool> expected = {c.items.open,   c.items.transfer,  c.items.rename,
                                            c.items.remove, c.items.newFolder, c.items.refresh};
        EXPECT_EQ(got, expected) << c.selected.size() << " rows, first " << (c.selected.empty() ? -1 : int(c.selected[0]));
    }
}

TEST(RenameRules, TypedNamesEachSide)
{
    using P = RenameProblem;
    struct Case { const wchar_t* typed; P local; P server; };
    const Case cases[] = {
        {L"", P::kEmpty, P::kEmpty},
        {L"old.txt", P::kUnchanged, P::kUnchanged},
        {L"Old.txt", P::kNone, P::kNone},
        {L"new name.txt", P::kNone, P::kNone},
        {L"a/b", P::kForbiddenLocal, P::kForbiddenServer},
        {L"a\\b", P::kForbiddenLocal, P::kForbiddenServer},
        {L"..", P::kForbiddenLocal, P::kForbiddenServer},
        {L"CON", P::kForbiddenLocal, P::kNone},
        {L"lpt1.txt", P::kForbiddenLocal, P::kNone},
        {L"a:b", P::kForbiddenLocal, P::kNone},
        {L"q?", P::kForbiddenLocal, P::kNone},
        {L"trail.", P::kForbiddenLocal, P::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckLocalRename(L"old.txt", c.typed), c.local) << c.typed;
        EXPECT_EQ(CheckServerRename(L"old.txt", c.typed), c.server) << c.typed;
    }
}

TEST(RenameRules, NamesThatDifferOnlyInCase)
{
    EXPECT_TRUE(SameNameIgnoringCase(L"Readme.TXT", L"rEADME.txt"));
    EXPECT_TRUE(SameNameIgnoringCase(L"\u00C4rger", L"\u00E4RGER"));
    EXPECT_FALSE(SameNameIgnoringCase(L"\u00D7", L"\u00F7"));  // multiplication and division signs
    EXPECT_FALSE(SameNameIgnoringCase(L"a", L"ab"));
    EXPECT_FALSE(SameNameIgnoringCase(L"a1", L"a2"));
}
