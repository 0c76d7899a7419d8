// Add Folder: the pane's second mode, in which the path box takes the new
// folder's name and Browse, reading "OK", creates it.
#include "localpane/LocalPaneFixture.h"
#include "i18n/LanguageFile.h"

#include <algorithm>

using namespace testenv;

namespace {
int CountEntries(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        const std::wstring name = data.cFileName;
        count += name != L"." && name != L"..";
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return count;
}
}  // namespace

class LocalAddFolder : public LocalPaneTest {
protected:
    void ExpectBrowsing() const
    {
        EXPECT_EQ(Text(IDC_LOCAL_GROUP), Translated(TextId::kLocalGroup));
        EXPECT_EQ(Text(IDC_LOCAL_BROWSE), Translated(TextId::kBrowse));
        for (int id : {IDC_LOCAL_LIST, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_DELETE})
            EXPECT_TRUE(Visible(id)) << id;
    }
    void ExpectAddingFolder() const
    {
        EXPECT_EQ(Text(IDC_LOCAL_GROUP), Translated(TextId::kNewFolderPrompt));
        EXPECT_EQ(Text(IDC_LOCAL_BROWSE), L"OK");
        for (int id : {IDC_LOCAL_LIST, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_DELETE})
            EXPECT_FALSE(Visible(id)) << id;
    }
};

TEST_F(LocalAddFolder, TypedNameIsCreatedInTheSavedFolder)
{
    const std::wstring folder = ScratchFolder(L"localpane-add");
    WriteFile(folder + L"\\existing.txt", "x");
    Open(folder);
    ExpectBrowsing();

    Click(IDC_LOCAL_ADDFOLDER);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"");
    ExpectAddingFolder();
    EXPECT_NE(Translated(TextId::kNewFolderPrompt), Translated(TextId::kLocalGroup));

    SetText(IDC_LOCAL_PATH, L"New");
    Click(IDC_LOCAL_BROWSE);
    EXPECT_TRUE(Exists(folder + L"\\New"));
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
    const int row = RowOf(L"New");
    ASSERT_GT(row, 0);
    EXPECT_EQ(List().Image(row), 1);
    EXPECT_GT(RowOf(L"existing.txt"), row);
    ExpectBrowsing();
    EXPECT_TRUE(ui.browseTitles.empty()) << "OK must not open the folder picker";
}

TEST_F(LocalAddFolder, EmptyNameCreatesNothingAndRestoresThePane)
{
    const std::wstring folder = ScratchFolder(L"localpane-add-empty");
    MakeFolders(folder + L"\\old");
    Open(folder);
    const std::vector<std::wstring> rows = RowNames();

    Click(IDC_LOCAL_ADDFOLDER);
    Click(IDC_LOCAL_BROWSE);
    EXPECT_EQ(CountEntries(folder), 1);
    EXPECT_EQ(RowNames(), rows);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), folder + L"\\...");
    ExpectBrowsing();

    // Once more after a round trip: the pane is back in its first mode.
    ui.browseAnswer.reset();
    Click(IDC_LOCAL_BROWSE);
    EXPECT_EQ(ui.browseTitles.size(), 1u);
}

TEST_F(LocalAddFolder, ANameThatCannotBeCreatedLeavesTheFolderAsItWas)
{
    const std::wstring folder = ScratchFolder(L"localpane-add-bad");
    Open(folder);
    Click(IDC_LOCAL_ADDFOLDER);
    SetText(IDC_LOCAL_PATH, L"missing\\deeper");
    Click(IDC_LOCAL_BROWSE);
    EXPECT_EQ(CountEntries(folder), 0);
    EXPECT_EQ(RowNames(), std::vector<std::wstring>{L"[...]"});
    // The system's reason on the line after the sentence.
    const std::wstring sentence = FillPlaceholder(Translated(TextId::kLocalFolderNotCreated), folder + L"\\missing\\deeper");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.substr(0, sentence.size() + 1), sentence + L"\n");
    EXPECT_GT(ui.messages[0].text.size(), sentence.size() + 1);
    ExpectBrowsing();
}

TEST_F(LocalAddFolder, WhileTypingTheWindowWorksOnTheSavedFolder)
{
    const std::wstring folder = ScratchFolder(L"localpane-add-saved");
    WriteFile(folder + L"\\a.txt", "x");
    Open(folder);
    Click(IDC_LOCAL_ADDFOLDER);
    SetText(IDC_LOCAL_PATH, L"Half typed");

    // A listing that refreshes the pane meanwhile keeps the name being typed.
    WriteFile(folder + L"\\b.txt", "x");
    window->FillLocalList(folder);
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"Half typed");
    EXPECT_EQ(List().Count(), 3);
    ExpectAddingFolder();

    // A change of language starts the window afresh; the mode and the name stay.
    window->InitMainWindow();
    EXPECT_EQ(Text(IDC_LOCAL_PATH), L"Half typed");
    ExpectAddingFolder();

    // Closing stores the saved folder, not the name.
    ::SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window->HasEnded());
    EXPECT_EQ(UserSetting(L"Local Folder Data"), folder);
    EXPECT_FALSE(Exists(folder + L"\\Half typed"));
}
