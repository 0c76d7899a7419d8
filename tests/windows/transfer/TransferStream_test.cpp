// Streamed transfers through the main window against the test server: files
// of several blocks and of none arrive whole both ways with the progress bar
// shown meanwhile, Stop and Esc end a batch after a block and leave no
// partial file, the replace question comes first, a connection broken in the
// middle of a file fails only that file, and the window keeps answering.
#include "TransferTestSupport.h"

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <thread>

using namespace testenv;
using namespace transfertest;

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// Bytes that differ from block to block, so a misplaced block shows.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / kMiB) % 251);
    return bytes;
}

using Files = std::map<std::wstring, std::string>;

// Sizes and hashes instead of contents, so that a failure prints a few lines.
std::map<std::wstring, std::string> Digest(const Files& files)
{
    std::map<std::wstring, std::string> digest;
    for (const auto& [name, bytes] : files)
        digest[name] = std::to_string(bytes.size()) + " bytes, hash " + std::to_string(std::hash<std::string>()(bytes));
    return digest;
}

class TransferStreamTest : public TransferTest {
protected:
    // Posted before the click: the batch's first pump delivers it.
    void PostClick(int id) const
    {
        ::PostMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    // The bottom row is back to its idle state.
    void ExpectIdle(const std::wstring& caption) const
    {
        EXPECT_EQ(Text(IDC_TRANSFER), caption);
        EXPECT_FALSE(Visible(IDC_PROGRESS));
        // What the batch did stays on the status line.
        EXPECT_EQ(Text(IDC_STATUS).find(L"%"), std::wstring::npos);
    }
};

}  // namespace

TEST_F(TransferStreamTest, FilesOfManyBlocksAndOfNoneArriveWholeBothWaysWithTheBarShownMeanwhile)
{
    const Files files = {{L"big.bin", Pattern(3 * kMiB + 12345)}, {L"empty.txt", ""}};
    const std::wstring local = ScratchFolder(L"s-whole");
    const std::wstring back = ScratchFolder(L"s-whole-back");
    for (const auto& [name, bytes] : files)
        WriteFileIn(local + L"\\" + name, bytes);
    const std::wstring folder = FreshFtpFolder(L"s-whole");
    Open(local, {folder});
    ControlProbe probe(window->Handle());
    SelectRows(LocalList(), {L"big.bin", L"empty.txt"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(Digest(FilesBelow(FtpPath(folder))), Digest(files));
    ExpectIdle(UploadCaption());

    window->FillLocalList(back);
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"big.bin", L"empty.txt"});
    Click(IDC_TRANSFER);
    EXPECT_EQ(Digest(FilesBelow(back)), Digest(files));
    ExpectIdle(DownloadCaption());
    EXPECT_TRUE(ui.messages.empty());

    // Each batch ended at the whole of its bytes (the files move side by
    // side: the text names the one started last).
    int whole = 0;
    for (std::size_t i = 1; i < probe.statuses.size(); ++i)
        whole += probe.statuses[i - 1].text.find(L"(100 %)") != std::wstring::npos &&
                 probe.statuses[i].text.find(L"(100 %)") == std::wstring::npos;
    EXPECT_EQ(whole, 2);
    EXPECT_EQ(::SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0), 1000);
}

TEST_F(TransferStreamTest, StopAndEscEndTheBatchAfterABlockAndLeaveNoPartialFile)
{
    const std::wstring local = ScratchFolder(L"s-stop");
    WriteFileIn(local + L"\\up.bin", Pattern(8 * kMiB));
    WriteFileIn(local + L"\\zlater.txt", "later");  // listed after up.bin
    WriteFileIn(local + L"\\down.bin", "the local one");
    const std::wstring folder = FreshFtpFolder(L"s-stop");
    WriteFileIn(FtpPath(folder + L"/down.bin"), Pattern(8 * kMiB));
    Open(local, {folder});
    ui.onModal = [](Dialog&) { return IDC_REPLACE; };

    // Stop during an upload: the partial file is deleted on the server.
    SelectRows(LocalList(), {L"up.bin", L"zlater.txt"});
    PostClick(IDC_TRANSFER);
    Click(IDC_TRANSFER);
    EXPECT_EQ(Digest(FilesBelow(FtpPath(folder))), Digest({{L"down.bin", Pattern(8 * kMiB)}}));
    ExpectIdle(UploadCaption());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.substr(0, ui.messages[0].text.find(L'\n')),
              FillPlaceholder(Texts().Text(TextId::kBatchStopped), L"2"));
    EXPECT_NE(ui.messages[0].text.find(local + L"\\zlater.txt"), std::wstring::npos);

    // Esc during a download that replaces a local file: the folder stays as it was.
    const Files before = FilesBelow(local);
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"down.bin"});
    ui.onModal = [this](Dialog&) {
        ::PostMessageW(Item(IDC_FTP_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
        return IDC_REPLACE;
    };
    Click(IDC_TRANSFER);
    EXPECT_EQ(ui.modalTemplates, (std::vector<UINT>{IDD_OVERWRITE}));
    EXPECT_EQ(Digest(FilesBelow(local)), Digest(before));
    ExpectIdle(DownloadCaption());
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(window->HasEnded());
}

TEST_F(TransferStreamTest, TheReplaceQuestionDecidesForDownloadsAndForUploadsInsideATree)
{
    const std::wstring local = ScratchFolder(L"s-replace");
    const std::wstring folder = FreshFtpFolder(L"s-replace");
    // The file the download targets, or both files of the uploaded tree,
    // afterwards; one question each time.
    struct Case { bool upload; INT_PTR answer; const char* after; };
    const Case cases[] = {
        {false, IDC_SKIP, "local"},       {false, IDC_REPLACE, "server"},  {true, IDC_SKIP_ALL, "server"},
        {true, IDC_REPLACE_ALL, "local"}, {true, IDCANCEL, "server"},
    };
    for (const Case& c : cases) {
        WriteFileIn(local + L"\\same.txt", "local");
        WriteFileIn(FtpPath(folder + L"/same.txt"), "server");
        for (const wchar_t* name : {L"a.txt", L"b.txt"}) {
            WriteFileIn(local + L"\\tree\\" + name, "local");
            WriteFileIn(FtpPath(folder + L"/tree/" + name), "server");
        }
        Open(local, {folder});
        int asked = 0;
        ui.onModal = [&](Dialog&) {
            ++asked;
            return c.answer;
        };
        if (!c.upload)
            Click(IDC_TO_LOCAL);
        SelectRows(c.upload ? LocalList() : FtpList(), {c.upload ? L"tree" : L"same.txt"});
        Click(IDC_TRANSFER);
        EXPECT_EQ(asked, 1) << c.answer;
        if (c.upload) {
            EXPECT_EQ(ReadFile(FtpPath(folder + L"/tree/a.txt")), c.after) << c.answer;
            EXPECT_EQ(ReadFile(FtpPath(folder + L"/tree/b.txt")), c.after) << c.answer;
        } else {
            EXPECT_EQ(ReadFile(local + L"\\same.txt"), c.after) << c.answer;
        }
        // Skipped files are no failures: only a cancelled batch has anything to tell.
        EXPECT_EQ(ui.messages.size(), c.answer == IDCANCEL ? 1u : 0u) << c.answer;
        ui.messages.clear();
    }
}

TEST_F(TransferStreamTest, ABrokenConnectionOrAnUnwritableTargetFailsOnlyThatFile)
{
    const std::wstring local = ScratchFolder(L"s-broken");
    WriteFileIn(local + L"\\broken.bin", "the local one");
    WriteFileIn(local + L"\\taken.txt\\inside.txt", "a folder stands where the file would go");
    const std::wstring folder = FreshFtpFolder(L"s-broken");
    WriteFileIn(FtpPath(folder + L"/broken.bin"), Pattern(3 * kMiB));  // the server resets it after 1 MiB
    WriteFileIn(FtpPath(folder + L"/taken.txt"), "taken");
    WriteFileIn(FtpPath(folder + L"/fine.txt"), "fine");
    Open(local, {folder});
    const Files before = FilesBelow(local);
    ui.onModal = [](Dialog&) { return IDC_REPLACE; };
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"broken.bin", L"taken.txt", L"fine.txt"});
    Click(IDC_TRANSFER);
    Files after = before;
    after[L"fine.txt"] = "fine";
    EXPECT_EQ(Digest(FilesBelow(local)), Digest(after));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::wstring& message = ui.messages[0].text;
    EXPECT_EQ(message.substr(0, message.find(L'\n')),
              FillPlaceholder(Texts().Text(TextId::kFilesNotTransferred), L"2"));
    // Each with a reason on the line after its name.
    for (const wchar_t* name : {L"/broken.bin\n", L"/taken.txt\n"})
        EXPECT_NE(message.find(folder + name), std::wstring::npos) << name;
}

TEST_F(TransferStreamTest, TheWindowAnswersWhileADownloadRuns)
{
    const std::wstring local = ScratchFolder(L"s-answer");
    const std::wstring folder = FreshFtpFolder(L"s-answer");
    WriteFileIn(FtpPath(folder + L"/large.bin"), std::string(96 * kMiB, 'x'));
    Open(local, {folder});
    Click(IDC_TO_LOCAL);
    SelectRows(FtpList(), {L"large.bin"});

    // A second thread asks the window for its title all the time; the
    // answers that come while the bar is shown came during the download.
    const HWND handle = window->Handle();
    const HWND bar = Item(IDC_PROGRESS);
    std::atomic<bool> running{true};
    std::atomic<int> answeredWhileBusy{0};
    std::atomic<int> unanswered{0};
    std::thread asker([&] {
        while (running) {
            wchar_t title[64];
            DWORD_PTR length = 0;
            const bool busy = ::IsWindowVisible(bar) != FALSE;
            if (!::SendMessageTimeoutW(handle, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title), SMTO_NORMAL, 10000,
                                       &length))
                ++unanswered;
            else if (busy && ::IsWindowVisible(bar))
                ++answeredWhileBusy;
            std::this_thread::yield();
        }
    });
    Click(IDC_TRANSFER);
    running = false;
    std::atomic<bool> ended{false};
    std::thread ender([&] {
        asker.join();
        ended = true;
    });
    while (!ended)  // the asker's last question waits for an answer
        Pump();
    ender.join();
    EXPECT_EQ(ReadFile(local + L"\\large.bin").size(), 96 * kMiB);
    EXPECT_GT(answeredWhileBusy.load(), 0);
    EXPECT_EQ(unanswered.load(), 0);
}
