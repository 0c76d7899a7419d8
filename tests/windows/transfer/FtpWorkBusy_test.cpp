// The window while FTP work runs on its worker: it opens and answers at once,
// shows what is being done and Stop, and Stop, Esc and the close box end the
// work whatever the server does; uploads over a slow line keep moving, and a
// server that allows one login a user still gets the whole batch.
#include "TransferTestSupport.h"

#include "ftp/FtpTestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

using namespace testenv;
using namespace transfertest;

namespace {

class FtpWorkBusyTest : public TransferTest {
protected:
    // Opens the window on the server without waiting for its first listing.
    void OpenOn(const wchar_t* port, const std::wstring& folder, const std::wstring& local)
    {
        WriteUserSettings({{L"Language", L"[1033]"},
                           {L"FTP Data", ftptest::ServerOn(port) + L"*" + kUser + L"*" + folder},
                           {L"Powersetting 2000", EncodeStoredValue(kPassword)},
                           {L"Local Folder Data", local}});
        window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
        ASSERT_NE(window->CreateModeless(nullptr), nullptr);
    }
    // A click that does not wait for the work it starts.
    void Press(int id) const
    {
        ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    // Lets messages through until the condition holds; false when it still
    // does not after ten seconds (half the time limit of a silent server).
    bool PumpUntil(const std::function<bool()>& done) const
    {
        const DWORD start = ::GetTickCount();
        while (!done()) {
            if (::GetTickCount() - start > 10000)
                return false;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
        return true;
    }
    void ExpectBusy(TextId status) const
    {
        EXPECT_TRUE(parts.work.IsBusy());
        EXPECT_EQ(Text(IDC_STATUS).rfind(Texts().Text(status), 0), 0u) << Text(IDC_STATUS);
        EXPECT_EQ(Text(IDC_TRANSFER), Texts().Text(TextId::kStop));
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_TRANSFER)));
        for (int id : {IDC_FTP_BROWSE, IDC_FTP_ADDFOLDER, IDC_FTP_DELETE, IDC_TO_LOCAL})
            EXPECT_FALSE(::IsWindowEnabled(Item(id))) << id;
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_LOCAL_BROWSE)));
        // A menu opened meanwhile shows the Servers menu's items disabled.
        ::SendMessageW(Hwnd(), WM_INITMENUPOPUP, 0, 0);
        EXPECT_TRUE(::GetMenuState(::GetMenu(Hwnd()), IDM_MANAGE_SERVERS, MF_BYCOMMAND) & MF_GRAYED);
    }
    void ExpectIdle() const
    {
        EXPECT_FALSE(parts.work.IsBusy());
        EXPECT_EQ(Text(IDC_TRANSFER), UploadCaption());
        EXPECT_TRUE(::IsWindowEnabled(Item(IDC_FTP_BROWSE)));
    }
};

}  // namespace

TEST_F(FtpWorkBusyTest, TheWindowOpensOnASilentServerAndStopOrEscEndsTheListing)
{
    const std::wstring local = ScratchFolder(L"busy-silent");
    WriteFileIn(local + L"\\mine.txt", "m");
    for (const int stop : {IDC_TRANSFER, IDCANCEL}) {
        window.reset();
        OpenOn(L"FTPT_SILENT_PORT", L"", local);
        // The window is there, with the local folder, while the first
        // listing still waits for the server.
        ExpectBusy(TextId::kReadingFtpFolder);
        EXPECT_EQ(RowSet(LocalList()), (std::set<std::wstring>{L"[...]", L"mine.txt"}));
        Press(stop);
        EXPECT_TRUE(PumpUntil([&] { return !parts.work.IsBusy(); })) << stop;
        ExpectIdle();
        EXPECT_FALSE(window->HasEnded());
        EXPECT_TRUE(ui.messages.empty());  // a stop is no failure
    }
}

TEST_F(FtpWorkBusyTest, ClosingDuringWorkStopsItThenSavesAndCloses)
{
    const std::wstring local = ScratchFolder(L"busy-close");
    OpenOn(L"FTPT_SILENT_PORT", L"kept", local);
    ::SendMessageW(Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return window->HasEnded(); }));
    EXPECT_EQ(UserSetting(L"Local Folder Data"), local);
    EXPECT_EQ(UserSetting(L"FTP Data"), ftptest::ServerOn(L"FTPT_SILENT_PORT") + L"*" + kUser + L"*kept");
}

TEST_F(FtpWorkBusyTest, TheWindowAnswersAndStopEndsATreeDeletionOnASlowServer)
{
    const std::wstring folder = FreshFtpFolder(L"busy-delete");
    for (int i = 0; i < 12; ++i)
        WriteFileIn(FtpPath(folder + L"/tree/f" + std::to_wstring(i) + L".txt"), "x");
    OpenOn(L"FTPT_SLOW_PORT", folder, ScratchFolder(L"busy-delete"));
    ASSERT_TRUE(parts.WaitForFtpWork());
    SelectRows(FtpList(), {L"tree"});

    // A second thread asks the window for its title all the time.
    const HWND handle = Hwnd();
    std::atomic<bool> asking{true};
    std::atomic<int> unanswered{0};
    std::thread asker([&] {
        while (asking) {
            wchar_t title[64];
            DWORD_PTR length = 0;
            if (!::SendMessageTimeoutW(handle, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(title), SMTO_NORMAL, 2000,
                                       &length))
                ++unanswered;
        }
    });
    Press(IDC_FTP_DELETE);
    const std::wstring deleting = Texts().Text(TextId::kDeleting) + L" " + folder + L"/tree/";
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_STATUS).rfind(deleting, 0) == 0; }));
    ExpectBusy(TextId::kDeleting);
    Press(IDC_TRANSFER);
    EXPECT_TRUE(PumpUntil([&] { return !parts.work.IsBusy(); }));
    asking = false;
    std::atomic<bool> joined{false};
    std::thread joiner([&] {
        asker.join();
        joined = true;
    });
    PumpUntil([&] { return joined.load(); });  // its last question waits for an answer
    joiner.join();
    EXPECT_EQ(unanswered.load(), 0);
    // Stopped part-way: the folder and some of its files are still there, and the list was refreshed.
    EXPECT_FALSE(FilesBelow(FtpPath(folder + L"/tree")).empty());
    EXPECT_TRUE(PumpUntil([&] { return !parts.work.IsBusy(); }));
    EXPECT_EQ(RowSet(FtpList()), (std::set<std::wstring>{L"[...]", L"tree"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FtpWorkBusyTest, AnUploadOverASlowLineMovesTheBarInPartsSmallerThanABlock)
{
    // Loopback's socket buffers take the first MiBs at once; after them the
    // line's pace shows. A MiB is 83 of the bar's thousand.
    const std::wstring local = ScratchFolder(L"busy-slow-line");
    WriteFileIn(local + L"\\slow.bin", std::string(12 * 1024 * 1024, 's'));
    const std::wstring folder = FreshFtpFolder(L"busy-slow-line");
    OpenOn(L"FTPT_THROTTLED_PORT", folder, local);
    ASSERT_TRUE(parts.WaitForFtpWork());
    SelectRows(LocalList(), {L"slow.bin"});
    Press(IDC_TRANSFER);
    const HWND bar = Item(IDC_PROGRESS);
    LRESULT last = 0;
    LRESULT smallestStep = 1000;
    EXPECT_TRUE(PumpUntil([&] {
        const LRESULT position = ::SendMessageW(bar, PBM_GETPOS, 0, 0);
        if (position != last && last > 0)
            smallestStep = std::min(smallestStep, position - last);
        last = position;
        return smallestStep < 40;
    }));
    Press(IDC_TRANSFER);
    EXPECT_TRUE(PumpUntil([&] { return !parts.work.IsBusy(); }));
    ExpectIdle();
}

TEST_F(FtpWorkBusyTest, AServerAllowingOneLoginGetsTheWholeBatchOnOneSession)
{
    const std::wstring local = ScratchFolder(L"busy-one-login");
    std::vector<std::wstring> names;
    for (int i = 0; i < 6; ++i) {
        names.push_back(L"n" + std::to_wstring(i) + L".txt");
        WriteFileIn(local + L"\\" + names.back(), "n");
    }
    const std::wstring folder = FreshFtpFolder(L"busy-one-login");
    OpenOn(L"FTPT_ONE_LOGIN_PORT", folder, local);
    ASSERT_TRUE(parts.WaitForFtpWork());
    SelectRows(LocalList(), names);
    ftptest::ServerLog log;
    Click(IDC_TRANSFER);
    EXPECT_EQ(FilesBelow(FtpPath(folder)).size(), names.size());
    // The session of the listing served the batch; the second session's
    // login was refused once, and that was no failure.
    EXPECT_EQ(log.Count("USER"), 1);
    EXPECT_EQ(log.Count("STOR"), static_cast<int>(names.size()));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
}
