// What a tree of many small files costs through the transfer command, in the
// real main window, with one and with four simultaneous transfers, and how
// fast the window answers meanwhile. scripts/bench_tree.sh runs it once per
// server (each reply delayed by 0 or 20 ms) beside lftp, and once more
// against a server that answers 500 ms late for the answer times of a
// listing.
// Usage: bench_tree.exe tree SERVER LOG LOCAL-FOLDER | bench_tree.exe listing SERVER
// Prints lines "@ <what> <ms> <logins>"; exits 1 when a transfer came out wrong.
#include "app/CFTPTandrilDlg.h"
#include "common/ProgramParts.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "res/resource.h"
#include "settings/StoredValue.h"

#include "BenchSupport.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

using bench::Milliseconds;

// The lines "<user>\tUSER ..." of the server's log: one per login.
int Logins(const std::wstring& log)
{
    const std::string text = testenv::ReadFile(log);
    int logins = 0;
    for (std::size_t at = text.find("\tUSER "); at != std::string::npos; at = text.find("\tUSER ", at + 1))
        ++logins;
    return logins;
}

double Worst(const std::vector<double>& times)
{
    return times.empty() ? 0 : *std::max_element(times.begin(), times.end());
}

class Window {
public:
    Window(const std::wstring& server, const std::wstring& folder, const std::wstring& local)
    {
        testenv::WriteUserSettings({{L"Language", L"[1033]"},
                                    {L"FTP Data", server + L"*tandril*" + folder},
                                    {L"Powersetting 2000", EncodeStoredValue(L"secret")},
                                    {L"Local Folder Data", local}});
        m_window = std::make_unique<CFTPTandrilDlg>(m_parts.settings, m_parts.work, m_parts.files);
        m_window->CreateModeless(nullptr);
    }

    CFTPTandrilDlg& Dlg() { return *m_window; }
    void Wait() { m_parts.WaitForFtpWork(600000); }
    void Click(int id)
    {
        ::SendMessageW(m_window->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_window->Item(id)));
    }
    void SelectOnly(int listId, const std::wstring& name)
    {
        const ListView list(m_window->Item(listId));
        for (int i = 0; i < list.Count(); ++i) {
            list.Select(i, list.CellText(i, 0) == name);
            if (list.CellText(i, 0) == name)
                list.SetSelectionMark(i);
        }
    }
    bool Quiet() const { return m_ui.messages.empty(); }

private:
    testenv::RecordingUi m_ui;
    testenv::ProgramParts m_parts;
    std::unique_ptr<CFTPTandrilDlg> m_window;
};

// Uploads local\tree to the server's folder and downloads it back, with one
// and with four sessions.
int Tree(const std::wstring& server, const std::wstring& log, const std::wstring& local)
{
    int status = 0;
    for (const int sessions : {1, 4}) {
        const std::wstring folder = testenv::FreshFtpFolder(L"bench-tree-" + std::to_wstring(sessions));
        const std::wstring back = testenv::ScratchFolder(L"bench-tree-back-" + std::to_wstring(sessions));
        Window window(server, folder, local);
        window.Wait();
        window.Dlg().Profile().connections = sessions;
        for (const bool upload : {true, false}) {
            if (!upload) {
                window.Dlg().FillLocalList(back);
                window.Click(IDC_TO_LOCAL);
            }
            window.SelectOnly(upload ? IDC_LOCAL_LIST : IDC_FTP_LIST, L"tree");
            const int before = Logins(log);
            bench::AnswerProbe probe(window.Dlg().Handle());
            const double ms = Milliseconds([&] {
                window.Click(IDC_TRANSFER);
                window.Wait();
            });
            const double worst = Worst(probe.Stop());
            std::printf("@ %s-%d %.0f %d %.0f\n", upload ? "up" : "down", sessions, ms, Logins(log) - before, worst);
            std::fflush(stdout);
            if (!window.Quiet())
                status = 1;
        }
    }
    return status;
}

// Opens the window on a slow server: the first listing runs while a second
// thread asks the window for its title.
int Listing(const std::wstring& server)
{
    const std::wstring folder = testenv::FreshFtpFolder(L"bench-slow-listing");
    for (int i = 0; i < 5; ++i)
        testenv::WriteFile(testenv::FtpPath(folder + L"/f" + std::to_wstring(i) + L".txt"), "x");
    std::unique_ptr<Window> window;
    std::unique_ptr<bench::AnswerProbe> probe;
    const double shown = Milliseconds([&] { window = std::make_unique<Window>(server, folder, L"---"); });
    probe = std::make_unique<bench::AnswerProbe>(window->Dlg().Handle());
    const double listed = Milliseconds([&] { window->Wait(); });
    std::printf("@ listing %.0f %.0f %.0f\n", shown, listed, Worst(probe->Stop()));
    return window->Quiet() ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"tree" && argc > 4)
        return Tree(argv[2], argv[3], argv[4]);
    if (what == L"listing" && argc > 2)
        return Listing(argv[2]);
    std::printf("usage: bench_tree.exe tree SERVER LOG LOCAL | listing SERVER\n");
    return 2;
}
