// The direction buttons and the transfer button against the test server:
// what arrives where, which controls a batch disables and enables again, the
// status line, the refreshes after each row and the failure summary.
#include "TransferTestSupport.h"

#include "ftp/FtpServerAddress.h"
#include "ftp/FtpTestSupport.h"
#include "ftp/WinInetFtp.h"

#include <algorithm>

using namespace testenv;
using namespace transfertest;

namespace {

class TransferCommandTest : public TransferTest {};

// The enabled changes a batch caused, for the controls it may touch.
std::map<int, std::vector<bool>> ChangesOf(const ControlProbe& probe)
{
    std::map<int, std::vector<bool>> changes;
    for (int id : kWatched) {
        auto it = probe.enableChanges.find(id);
        changes[id] = it == probe.enableChanges.end() ? std::vector<bool>() : it->second;
    }
    return changes;
}

const std::vector<bool> kOffOn = {false, true};
const std::vector<bool> kNone = {};
// What FTP work disables: the FTP pane's buttons (the local pane's stay).
constexpr int kFtpButtons[] = {IDC_FTP_ADDFOLDER, IDC_FTP_BROWSE, IDC_FTP_DELETE};
constexpr int kLocalButtons[] = {IDC_LOCAL_ADDFOLDER, IDC_LOCAL_BROWSE, IDC_LOCAL_DELETE};

}  // namespace

TEST_F(TransferCommandTest, DirectionButtonsSwitchCaptionAndDisableThemselves)
{
    Open(L"---", {L"---"});
    struct Step { int click; bool upload; };
    const Step steps[] = {{IDC_TO_LOCAL, false}, {IDC_TO_LOCAL, false}, {IDC_TO_FTP, true}, {IDC_TO_LOCAL, false},
                          {IDC_TO_FTP, true}};
    for (const Step& step : steps) {
        Click(step.click);
        EXPECT_EQ(Text(IDC_TRANSFER), step.upload ? UploadCaption() : DownloadCaption()) << step.click;
        EXPECT_EQ(::IsWindowEnabled(Item(IDC_TO_LOCAL)) != FALSE, step.upload) << step.click;
        EXPECT_EQ(::IsWindowEnabled(Item(IDC_TO_FTP)) != FALSE, !step.upload) << step.click;
    }
}

TEST_F(TransferCommandTest, WithoutASelectionMarkEitherDirectionOnlyAsks)
{
    const std::wstring local = ScratchFolder(L"h6-nomark");
    WriteFileIn(local + L"\\a.txt", "a");
    const std::wstring folder = FreshFtpFolder(L"h6-nomark");
    WriteFileIn(FtpPath(folder + L"/r.txt"), "r");
    Open(local, {folder});
    ControlProbe probe(window->Handle());
    for (int direction : {IDC_TO_FTP, IDC_TO_LOCAL}) {
        Click(direction);
        ClearSelection(LocalList());
        ClearSelection(FtpList());
        ui.messages.clear();
        probe.enableChanges.clear();
        Click(IDC_TRANSFER);
        ASSERT_EQ(ui.messages.size(), 1u) << direction;
        EXPECT_EQ(ui.messages[0].text, Texts().Text(TextId::kSelectToTransfer));
        EXPECT_EQ(ui.messages[0].caption, Texts().Text(TextId::kMessageCaption));
        EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));
        EXPECT_TRUE(probe.enableChanges.empty()) << direction;
    }
    EXPECT_EQ(FilesBelow(FtpPath(folder)), (std::map<std::wstring, std::string>{{L"r.txt", "r"}}));
    EXPECT_EQ(FilesBelow(local), (std::map<std::wstring, std::string>{{L"a.txt", "a"}}));
}

TEST_F(TransferCommandTest, WithoutALocalFolderADownloadWritesNothingAndSaysSo)
{
    const std::wstring folder = FreshFtpFolder(L"h6-nolocal");
    WriteFileIn(FtpPath(folder + L"/h6-nolocal.txt"), "r");
    WriteFileIn(FtpPath(folder + L"/h6-nolocal-tree/t.txt"), "t");
    Open(L"---", {folder});
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"h6-nolocal-tree", L"h6-nolocal.txt"});
    Click(IDC_TRANSFER);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, L"2 file(s) could not be transferred:\n" + folder + L"/h6-nolocal-tree\n" +
                                       folder + L"/h6-nolocal.txt");
    EXPECT_FALSE(Exists(L"\\h6-nolocal.txt"));
    EXPECT_FALSE(Exists(L"\\h6-nolocal-tree"));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
}

TEST_F(TransferCommandTest, UploadsTwoFilesAndATreeWithoutItsEmptyFolders)
{
    const std::wstring local = ScratchFolder(L"h6-up");
    WriteFileIn(local + L"\\a.txt", "first");
    WriteFileIn(local + L"\\b.txt", std::string(70000, 'b'));
    WriteFileIn(local + L"\\c.txt", "not selected");
    WriteFileIn(local + L"\\Photos\\x.txt", "x");
    WriteFileIn(local + L"\\Photos\\2014\\a.jpg", "jpeg");
    MakeFolders(local + L"\\Photos\\empty");
    MakeFolders(local + L"\\Photos\\onlyempty\\inner");
    const std::wstring folder = FreshFtpFolder(L"h6-up");
    Open(local, {folder});

    SelectRows(LocalList(), {L"a.txt", L"Photos", L"b.txt"});
    ControlProbe probe(window->Handle());
    ftptest::ServerLog log;
    Click(IDC_TRANSFER);

    EXPECT_TRUE(ui.messages.empty());
    const std::map<std::wstring, std::string> expected = {{L"a.txt", "first"},
                                                          {L"b.txt", std::string(70000, 'b')},
                                                          {L"Photos/x.txt", "x"},
                                                          {L"Photos/2014/a.jpg", "jpeg"}};
    EXPECT_EQ(FilesBelow(FtpPath(folder)), expected);
    EXPECT_EQ(FoldersBelow(FtpPath(folder)), (std::set<std::wstring>{L"Photos", L"Photos/2014"}));

    // The folder row is read first (folders come first in the list), then
    // each file shows its progress, with the FTP pane's buttons and the
    // direction disabled and the transfer button enabled: it reads Stop.
    EXPECT_EQ(probe.StatusesStartingWith(Texts().Text(TextId::kTransferring) + L" ").size(), 1u);
    std::multiset<std::wstring> names;
    for (const ControlProbe::Status& status : probe.FileProgress()) {
        names.insert(NameOfProgress(status.text));
        for (int id : {IDC_TO_LOCAL, IDC_FTP_ADDFOLDER, IDC_FTP_BROWSE, IDC_FTP_DELETE})
            EXPECT_FALSE(status.enabled.at(id)) << id << L" " << status.text;
        for (int id : {IDC_TRANSFER, IDC_LOCAL_LIST, IDC_FTP_LIST, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_BROWSE,
                       IDC_LOCAL_DELETE})
            EXPECT_TRUE(status.enabled.at(id)) << id << L" " << status.text;
    }
    // Files move side by side: a file's name may show once per row or more.
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()),
              (std::set<std::wstring>{L"a.txt", L"x.txt", L"a.jpg", L"b.txt"}));

    // The FTP pane was listed once before (for the replace question) and
    // again after each of the three rows, on the batch's session.
    EXPECT_EQ(log.Count("LIST"), 4);
    EXPECT_EQ(log.Count("USER"), 1);  // the second session's; the first is the window's
    EXPECT_EQ(RowSet(FtpList()), (std::set<std::wstring>{L"[...]", L"Photos", L"a.txt", L"b.txt"}));

    std::map<int, std::vector<bool>> changes = ChangesOf(probe);
    for (int id : {IDC_TO_LOCAL, IDC_FTP_ADDFOLDER, IDC_FTP_BROWSE, IDC_FTP_DELETE})
        EXPECT_EQ(changes[id], kOffOn) << id;
    for (int id : {IDC_TO_FTP, IDC_LOCAL_LIST, IDC_FTP_LIST, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_BROWSE, IDC_LOCAL_DELETE})
        EXPECT_EQ(changes[id], kNone) << id;
    for (int id : kWatched)
        EXPECT_EQ(::IsWindowEnabled(Item(id)) != FALSE, id != IDC_TO_FTP) << id;
    EXPECT_EQ(Text(IDC_STATUS), FillPlaceholder(Texts().Text(TextId::kFilesUploaded), L"4"));
    EXPECT_EQ(Text(IDC_TRANSFER), UploadCaption());
}

TEST_F(TransferCommandTest, DownloadsFilesAndATreeIntoMissingLocalFolders)
{
    const std::wstring folder = FreshFtpFolder(L"h6-down");
    WriteFileIn(FtpPath(folder + L"/f1.txt"), "one");
    WriteFileIn(FtpPath(folder + L"/f2.txt"), "not selected");
    WriteFileIn(FtpPath(folder + L"/tree/t.txt"), "tree");
    WriteFileIn(FtpPath(folder + L"/tree/sub/deep/d.txt"), std::string(5000, 'd'));
    MakeFolders(FtpPath(folder + L"/tree/emptyfolder"));
    const std::wstring local = ScratchFolder(L"h6-down");
    WriteFileIn(local + L"\\f1.txt", "an older version");
    Open(local, {folder});
    ui.onModal = [](Dialog&) { return IDC_REPLACE; };  // f1.txt is there already
    Click(IDC_TO_LOCAL);

    SelectRows(FtpList(), {L"tree", L"f1.txt"});
    ControlProbe probe(window->Handle());
    Click(IDC_TRANSFER);

    EXPECT_TRUE(ui.messages.empty());
    const std::map<std::wstring, std::string> expected = {
        {L"f1.txt", "one"}, {L"tree/t.txt", "tree"}, {L"tree/sub/deep/d.txt", std::string(5000, 'd')}};
    EXPECT_EQ(FilesBelow(local), expected);
    EXPECT_EQ(FoldersBelow(local), (std::set<std::wstring>{L"tree", L"tree/sub", L"tree/sub/deep"}));

    // The folder row is read first; then its files in the server's order.
    std::vector<std::wstring> texts;
    for (const ControlProbe::Status& status : probe.StatusesStartingWith(Texts().Text(TextId::kTransferring) + L" "))
        texts.push_back(status.text);
    for (const ControlProbe::Status& status : probe.FileProgress()) {
        texts.push_back(NameOfProgress(status.text));
        for (int id : {IDC_TO_LOCAL, IDC_TO_FTP, IDC_FTP_ADDFOLDER, IDC_FTP_BROWSE, IDC_FTP_DELETE})
            EXPECT_FALSE(status.enabled.at(id)) << id;
    }
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], Texts().Text(TextId::kTransferring) + L" " + folder + L"/tree");
    EXPECT_EQ(std::set<std::wstring>(texts.begin() + 1, texts.end()),
              (std::set<std::wstring>{L"d.txt", L"t.txt", L"f1.txt"}));

    // The local list was filled again after each of the two rows.
    EXPECT_EQ(probe.localPathTexts, (std::vector<std::wstring>{local + L"\\...", local + L"\\..."}));
    EXPECT_EQ(RowSet(LocalList()), (std::set<std::wstring>{L"[...]", L"tree", L"f1.txt"}));

    EXPECT_EQ(ui.modalTemplates, (std::vector<UINT>{IDD_OVERWRITE}));
    std::map<int, std::vector<bool>> changes = ChangesOf(probe);
    for (int id : {IDC_TO_FTP, IDC_FTP_ADDFOLDER, IDC_FTP_BROWSE, IDC_FTP_DELETE})
        EXPECT_EQ(changes[id], kOffOn) << id;
    for (int id : {IDC_TRANSFER, IDC_TO_LOCAL, IDC_LOCAL_LIST, IDC_FTP_LIST, IDC_LOCAL_ADDFOLDER, IDC_LOCAL_BROWSE,
                   IDC_LOCAL_DELETE})
        EXPECT_EQ(changes[id], kNone) << id;
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_TO_LOCAL)));
    EXPECT_EQ(Text(IDC_STATUS), FillPlaceholder(Texts().Text(TextId::kFilesDownloaded), L"3"));
    EXPECT_EQ(Text(IDC_TRANSFER), DownloadCaption());
}

TEST_F(TransferCommandTest, AServerFolderNamedLikeTheParentRowIsDownloadedAndEntered)
{
    const std::wstring folder = FreshFtpFolder(L"h6-brackets");
    WriteFileIn(FtpPath(folder + L"/[...]/in.txt"), "in");
    const std::wstring local = ScratchFolder(L"h6-brackets");
    Open(local, {folder});
    Click(IDC_TO_LOCAL);
    FtpList().Select(1, true);  // the folder, after the parent row
    FtpList().SetSelectionMark(1);
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(local), (std::map<std::wstring, std::string>{{L"[...]/in.txt", "in"}}));
    DoubleClick(IDC_FTP_LIST, 1);
    EXPECT_EQ(RowSet(FtpList()), (std::set<std::wstring>{L"[...]", L"in.txt"}));
}

TEST_F(TransferCommandTest, OnlyTheParentRowTogglesTheButtonsAndTransfersNothing)
{
    const std::wstring local = ScratchFolder(L"h6-parent");
    WriteFileIn(local + L"\\a.txt", "a");
    const std::wstring folder = FreshFtpFolder(L"h6-parent");
    WriteFileIn(FtpPath(folder + L"/r.txt"), "r");
    Open(local, {folder});

    // The transfer button stays enabled: it reads Stop while the batch runs.
    struct Case { int direction; int toggled; int untouched; };
    const Case cases[] = {
        {IDC_TO_FTP, IDC_TO_LOCAL, IDC_TO_FTP},
        {IDC_TO_LOCAL, IDC_TO_FTP, IDC_TO_LOCAL},
    };
    for (const Case& c : cases) {
        Click(c.direction);
        SelectRows(c.direction == IDC_TO_FTP ? LocalList() : FtpList(), {L"[...]"});
        ControlProbe probe(window->Handle());
        Click(IDC_TRANSFER);
        std::map<int, std::vector<bool>> changes = ChangesOf(probe);
        std::vector<int> toggled = {c.toggled};
        toggled.insert(toggled.end(), std::begin(kFtpButtons), std::end(kFtpButtons));
        for (int id : toggled)
            EXPECT_EQ(changes[id], kOffOn) << c.direction << L" " << id;
        for (int id : kLocalButtons)
            EXPECT_EQ(changes[id], kNone) << c.direction << L" " << id;
        EXPECT_EQ(changes[c.untouched], kNone) << c.direction;
        EXPECT_EQ(changes[IDC_TRANSFER], kNone) << c.direction;
        EXPECT_TRUE(probe.FileProgress().empty());
        EXPECT_TRUE(probe.localPathTexts.empty());
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FilesBelow(FtpPath(folder)), (std::map<std::wstring, std::string>{{L"r.txt", "r"}}));
    EXPECT_EQ(FilesBelow(local), (std::map<std::wstring, std::string>{{L"a.txt", "a"}}));
}

TEST_F(TransferCommandTest, ASecondRowIsTransferredAfterAFirstThatFailedCompletely)
{
    // Upload: the first file cannot be read while another handle holds it
    // without sharing.
    const std::wstring local = ScratchFolder(L"h6-fail-up");
    WriteFileIn(local + L"\\a-locked.txt", "locked");
    WriteFileIn(local + L"\\b.txt", "fine");
    const std::wstring upFolder = FreshFtpFolder(L"h6-fail-up");
    Open(local, {upFolder});
    const HANDLE lock = ::CreateFileW((local + L"\\a-locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SelectRows(LocalList(), {L"a-locked.txt", L"b.txt"});
    Click(IDC_TRANSFER);
    ::CloseHandle(lock);
    EXPECT_EQ(FilesBelow(FtpPath(upFolder)), (std::map<std::wstring, std::string>{{L"b.txt", "fine"}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    // The system's reason follows the name: the local file was locked.
    const std::wstring heading = L"1 file(s) could not be transferred:\n" + local + L"\\a-locked.txt\n";
    EXPECT_EQ(ui.messages[0].text.substr(0, heading.size()), heading);
    EXPECT_GT(ui.messages[0].text.size(), heading.size());
    EXPECT_EQ(ui.messages[0].caption, Texts().Text(TextId::kMessageCaption));
    EXPECT_EQ(ui.messages[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(TransferCommandTest, AFolderThatCannotBeListedIsReportedAndTheNextRowStillArrives)
{
    const std::wstring folder = FreshFtpFolder(L"h6-fail-down");
    WriteFileIn(FtpPath(folder + L"/nolist/x.txt"), "hidden");
    WriteFileIn(FtpPath(folder + L"/zz.txt"), "fine");
    const std::wstring local = ScratchFolder(L"h6-fail-down");
    Open(local, {folder});
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"nolist", L"zz.txt"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(local), (std::map<std::wstring, std::string>{{L"zz.txt", "fine"}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Texts().Text(TextId::kFoldersNotRead) + L"\n" + folder + L"/nolist\n" +
                                       FillPlaceholder(Texts().Text(TextId::kServerAnswered),
                                                       L"550 Listing this folder is not allowed."));
}

TEST_F(TransferCommandTest, NamesUnsafeAsLocalNamesAreSkippedDeepInATreeAndSummarised)
{
    const std::wstring folder = FreshFtpFolder(L"h6-hostile");
    WriteFileIn(FtpPath(folder + L"/tree/good.txt"), "good");
    WriteFileIn(FtpPath(folder + L"/tree/deep/ok.txt"), "ok");
    WriteFileIn(FtpPath(folder + L"/tree/nolist/x.txt"), "x");
    const std::wstring source = ScratchFolder(L"h6-hostile-source");
    WriteFileIn(source + L"\\payload.txt", "payload");
    {
        // Names Windows cannot hold reach the server through FTP itself.
        WinInetFtp ftp;
        const std::unique_ptr<FtpSession> session = ftp.Open(ParseServerName(ServerName()), kUser, kPassword, FtpMode::kPassive);
        ASSERT_TRUE(session);
        ASSERT_TRUE(session->ChangeDir(folder + L"/tree/deep"));
        ASSERT_TRUE(session->Put(source + L"\\payload.txt", L"a:b", {}));
        ASSERT_TRUE(session->MakeDir(L"CON"));
        ASSERT_TRUE(session->ChangeDir(L"CON"));
        ASSERT_TRUE(session->Put(source + L"\\payload.txt", L"inner.txt", {}));
    }
    const std::wstring local = ScratchFolder(L"h6-hostile");
    Open(local, {folder});
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"tree"});
    Click(IDC_TRANSFER);

    EXPECT_EQ(FilesBelow(local),
              (std::map<std::wstring, std::string>{{L"tree/good.txt", "good"}, {L"tree/deep/ok.txt", "ok"}}));
    EXPECT_EQ(FoldersBelow(local), (std::set<std::wstring>{L"tree", L"tree/deep"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::wstring text = ui.messages[0].text;
    const std::wstring heading = L"2 file(s) could not be transferred:\n";
    EXPECT_EQ(text.substr(0, heading.size()), heading);
    EXPECT_NE(text.find(L"\n" + folder + L"/tree/deep/a:b\n"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\n" + folder + L"/tree/deep/CON/inner.txt\n"), std::wstring::npos) << text;
    const std::wstring tail = L"\n\n" + Texts().Text(TextId::kFoldersNotRead) + L"\n" + folder + L"/tree/nolist\n" +
                              FillPlaceholder(Texts().Text(TextId::kServerAnswered), L"550 Listing this folder is not allowed.");
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}
