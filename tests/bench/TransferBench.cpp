// What the transfer command costs, in the real main window (rows selected, a
// click on the transfer button), against a local test server:
// - a tree of 100 files both ways, beside the engine calls it makes made
//   directly;
// - a file of 256 MiB both ways, beside WinINet's whole-file calls
//   (FtpGetFileW / FtpPutFileW on a login of our own) and beside Linux curl,
//   which scripts/bench_transfer.sh runs and times outside Wine when this
//   program asks for it on its standard output;
// - how fast the window answers a message sent from another thread while it
//   downloads a file of 300 MiB.
// Prints the medians of the rounds and the ratios against the targets; exits 1
// when a transfer came out wrong.
#include "app/CFTPTandrilDlg.h"
#include "common/ProgramParts.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "ftp/FtpEngine.h"
#include "res/resource.h"
#include "settings/StoredValue.h"

#include "BenchSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::Engine;
using bench::Median;
using bench::Milliseconds;

constexpr int kFolders = 10;
constexpr int kFilesPerLevel = 5;
constexpr std::uintmax_t kMiB = 1024 * 1024;
constexpr std::uintmax_t kBigSize = 256 * kMiB;
constexpr std::uintmax_t kWatchedSize = 300 * kMiB;

bool WriteBytes(const std::wstring& path, std::uintmax_t size)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string chunk(kMiB, '\0');
    for (std::size_t i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<char>('a' + i % 26);
    bool written = true;
    for (std::uintmax_t left = size; left > 0 && written;) {
        const DWORD part = static_cast<DWORD>(std::min<std::uintmax_t>(left, chunk.size()));
        DWORD done = 0;
        written = ::WriteFile(file, chunk.data(), part, &done, nullptr) && done == part;
        left -= part;
    }
    ::CloseHandle(file);
    return written;
}

// tree\d0..d9 with five files each, and five more in each one's "inner".
bool MakeTree(const std::wstring& root)
{
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::wstring level = root + L"\\d" + std::to_wstring(folder);
        testenv::MakeFolders(level + L"\\inner");
        for (int i = 0; i < kFilesPerLevel; ++i)
            if (!WriteBytes(level + L"\\f" + std::to_wstring(i) + L".dat", 8192 + 1024 * (folder * 5 + i)) ||
                !WriteBytes(level + L"\\inner\\g" + std::to_wstring(i) + L".dat", 4096 + 512 * i))
                return false;
    }
    return true;
}

using Census = std::pair<int, std::uintmax_t>;  // number of files, their total size

Census CensusOf(const std::wstring& folder)
{
    Census census = {0, 0};
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file()) {
            ++census.first;
            census.second += it->file_size();
        }
    return census;
}

// The size of a file, or no value when it is missing.
std::optional<std::uintmax_t> SizeOf(const std::wstring& path)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(fs::path(path), error);
    return error ? std::nullopt : std::optional<std::uintmax_t>(size);
}

std::wstring Slashed(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

// The bench's names are ASCII.
std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow.push_back(static_cast<char>(c));
    return narrow;
}

// Wine shows the Linux root as drive Z:.
std::string LinuxPath(const std::wstring& winePath) { return Narrow(Slashed(winePath.substr(2))); }

struct Login {
    std::wstring server = testenv::ServerName();
    std::wstring user = testenv::kUser;
    std::wstring password = testenv::kPassword;
    FtpMode mode = FtpMode::kPassive;

    operator FtpLogin() const { return {server, user, password, mode}; }
    bench::WinInetLogin Open() const
    {
        return bench::WinInetLogin(static_cast<INTERNET_PORT>(testenv::FtpPort()), user, password,
                                   mode == FtpMode::kPassive);
    }
};

// The engine calls of a folder upload: one UploadFile per file into the
// file's folder below the target, then the listing of the FTP folder.
bool DirectUploadTree(const Login& login, const std::wstring& localFolder, const std::wstring& ftpFolder)
{
    bool all = true;
    for (const std::wstring& file : WinLocalFiles().CollectFilesRecursive(localFolder + L"\\tree")) {
        const std::wstring relative = Slashed(file.substr(localFolder.size() + 1));
        if (!Engine().UploadFile(file, login, ftpFolder + L"/" + relative.substr(0, relative.rfind(L'/'))))
            all = false;
    }
    FtpListing listing;
    return Engine().ListFtpFolder(listing, login, ftpFolder) && all;
}

// The engine calls of a folder download: the tree walk, then one DownloadFile
// per file into its local folder, made when missing.
bool DirectDownloadTree(const Login& login, const std::wstring& ftpFolder, const std::wstring& localFolder)
{
    FtpListing listing;
    bool all = Engine().EnumerateFtpTree(listing, login, ftpFolder + L"/tree");
    for (const std::wstring& path : listing.fileNames) {
        const std::size_t slash = path.rfind(L'/');
        std::wstring relative = path.substr(ftpFolder.size() + 1, slash - ftpFolder.size() - 1);
        std::replace(relative.begin(), relative.end(), L'/', L'\\');
        const std::wstring target = localFolder + L"\\" + relative;
        if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
            testenv::MakeFolders(target);
        if (!Engine().DownloadFile(target, login, path.substr(0, slash), path.substr(slash + 1)))
            all = false;
    }
    return all;
}

// Asks scripts/bench_transfer.sh to run curl: one line "@curl get FTP-PATH
// FILE" or "@curl put FILE FTP-PATH" on standard output, answered on standard
// input with the wall time in ms and curl's exit status. No value when curl
// failed or nobody answered.
std::optional<double> CurlTimed(const char* verb, const std::string& from, const std::string& to)
{
    std::printf("@curl %s %s %s\n", verb, from.c_str(), to.c_str());
    std::fflush(stdout);
    char answer[128] = {};
    double ms = 0;
    int status = -1;
    if (!std::fgets(answer, sizeof(answer), stdin) || std::sscanf(answer, "%lf %d", &ms, &status) != 2 ||
        status != 0)
        return std::nullopt;
    return ms;
}

class Bench {
public:
    Bench(CFTPTandrilDlg& window, testenv::RecordingUi& ui, testenv::ProgramParts& parts)
        : m_window(window), m_ui(ui), m_parts(parts)
    {
    }

    // Selects the one row of the list and sets the transfer direction.
    void Select(int direction, int listId, const std::wstring& row)
    {
        Click(direction);
        const ListView list(m_window.Item(listId));
        for (int i = 0; i < list.Count(); ++i)
            list.Select(i, list.CellText(i, 0) == row);
        for (int i = 0; i < list.Count(); ++i)
            if (list.CellText(i, 0) == row)
                list.SetSelectionMark(i);
    }

    // The time of a click on the transfer button, which returns when the
    // batch has ended.
    double Transfer() { return Milliseconds([&] { Click(IDC_TRANSFER); }); }

    double Command(int direction, int listId, const std::wstring& row)
    {
        Select(direction, listId, row);
        return Transfer();
    }

    HWND Handle() const { return m_window.Handle(); }
    bool MessagesShown() const { return !m_ui.messages.empty(); }

private:
    // Returns when the FTP work the click started has ended.
    void Click(int id)
    {
        ::SendMessageW(m_window.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_window.Item(id)));
        m_parts.WaitForFtpWork(600000);
    }

    CFTPTandrilDlg& m_window;
    testenv::RecordingUi& m_ui;
    testenv::ProgramParts& m_parts;
};

// The times of one transfer made in several ways, one list per way.
struct Scenario {
    std::string title;
    std::vector<std::vector<double>> times;
};

// Makes each way of a transfer once, starting with a different way each round
// so that none always meets the server and the caches in the same state.
void MeasureInTurn(int round, Scenario& scenario, const std::vector<std::function<double()>>& ways)
{
    scenario.times.resize(ways.size());
    for (std::size_t i = 0; i < ways.size(); ++i) {
        const std::size_t way = (i + round) % ways.size();
        scenario.times[way].push_back(ways[way]());
    }
}

double MiBPerSecond(std::uintmax_t size, double ms) { return static_cast<double>(size) / kMiB / (ms / 1000); }

// The medians of the rounds, the ratios beside the targets, and the window's
// answer times (all rounds together).
void PrintReport(int rounds, const std::vector<Scenario>& trees, const std::vector<Scenario>& bigFiles,
                 const std::vector<double>& watchedTimes, std::vector<double> answers)
{
    std::printf("\nMedians of %d rounds\n  %-24s %11s %14s %10s\n", rounds, "", "command", "engine calls",
                "overhead");
    for (const Scenario& scenario : trees) {
        const double command = Median(scenario.times[0]);
        const double engine = Median(scenario.times[1]);
        std::printf("  %-24s %8.0f ms %11.0f ms %+8.1f %%\n", scenario.title.c_str(), command, engine,
                    100.0 * (command - engine) / engine);
    }
    std::printf("\n  %-24s %22s %22s %22s\n", "", "command", "whole-file calls", "curl");
    for (const Scenario& scenario : bigFiles) {
        std::printf("  %-24s", scenario.title.c_str());
        for (const std::vector<double>& way : scenario.times)
            std::printf(" %6.0f ms (%4.0f MiB/s)", Median(way), MiBPerSecond(kBigSize, Median(way)));
        std::printf("\n");
    }
    std::printf("\n");
    for (const Scenario& scenario : bigFiles) {
        const double command = Median(scenario.times[0]);
        std::printf("  %-24s command %5.1fx as fast as the whole-file calls, %5.2fx curl's time\n",
                    scenario.title.c_str(), Median(scenario.times[1]) / command,
                    command / Median(scenario.times[2]));
    }
    std::printf("Targets: the command at least 3x as fast as the whole-file calls and at most 1.5x curl's\n"
                "time; the tree no slower than before.\n");

    std::sort(answers.begin(), answers.end());
    std::printf("\nThe window while the command downloads %llu MiB (median %.0f ms, %.0f MiB/s):\n"
                "  answers to WM_GETTEXT: %zu, median %.1f ms, maximum %.1f ms\n",
                static_cast<unsigned long long>(kWatchedSize / kMiB), Median(watchedTimes),
                MiBPerSecond(kWatchedSize, Median(watchedTimes)), answers.size(),
                answers.empty() ? 0.0 : Median(answers), answers.empty() ? 0.0 : answers.back());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;
    const std::uintmax_t bigMiB = kBigSize / kMiB;
    const std::uintmax_t watchedMiB = kWatchedSize / kMiB;

    const std::wstring source = testenv::ScratchFolder(L"bench-transfer-source");
    const std::wstring viaCommand = testenv::FreshFtpFolder(L"bench-command");
    const std::wstring viaEngine = testenv::FreshFtpFolder(L"bench-engine");
    const std::wstring viaWholeFile = testenv::FreshFtpFolder(L"bench-whole-file");
    const std::wstring viaCurl = testenv::FreshFtpFolder(L"bench-curl");
    std::printf("Creating a tree of %d files, a file of %llu MiB and one of %llu MiB on the server...\n",
                kFolders * kFilesPerLevel * 2, static_cast<unsigned long long>(bigMiB),
                static_cast<unsigned long long>(watchedMiB));
    if (!MakeTree(source + L"\\tree") || !WriteBytes(source + L"\\big.bin", kBigSize) ||
        !WriteBytes(testenv::FtpPath(viaCommand + L"/watched.bin"), kWatchedSize)) {
        std::printf("Could not create the files\n");
        return 1;
    }
    const Census treeCensus = CensusOf(source + L"\\tree");

    const Login login;
    testenv::RecordingUi ui;
    testenv::WriteUserSettings({{L"Language", L"[1033]"},
                                {L"FTP Data", login.server + L"*" + login.user + L"*" + viaCommand},
                                {L"Powersetting 2000", EncodeStoredValue(login.password)},
                                {L"Local Folder Data", source}});
    testenv::ProgramParts parts;
    auto window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
    if (!window->CreateModeless(nullptr)) {
        std::printf("The main window did not open\n");
        return 1;
    }
    parts.WaitForFtpWork();
    Bench bench(*window, ui, parts);

    Scenario upTree{"upload 100-file tree", {}};
    Scenario downTree{"download 100-file tree", {}};
    Scenario upBig{"upload " + std::to_string(bigMiB) + " MiB file", {}};
    Scenario downBig{"download " + std::to_string(bigMiB) + " MiB file", {}};
    std::vector<double> watchedTimes;
    std::vector<double> answers;
    bool right = true;
    auto check = [&right](const char* what, Census got, Census want) {
        if (got != want) {
            std::printf("  %s: %d files, %llu bytes; expected %d files, %llu bytes\n", what, got.first,
                        static_cast<unsigned long long>(got.second), want.first,
                        static_cast<unsigned long long>(want.second));
            right = false;
        }
    };
    auto checkSize = [&check](const char* what, const std::wstring& path, std::uintmax_t want) {
        const std::optional<std::uintmax_t> size = SizeOf(path);
        check(what, size ? Census{1, *size} : Census{0, 0}, {1, want});
    };
    // A way that failed is timed all the same; its file check reports it.
    auto timed = [&right](const char* what, const std::function<bool()>& transfer) {
        return [&right, what, transfer] {
            bool done = false;
            const double ms = Milliseconds([&] { done = transfer(); });
            if (!done) {
                std::printf("  %s failed\n", what);
                right = false;
            }
            return ms;
        };
    };
    auto curl = [&right](const char* verb, const std::string& from, const std::string& to) {
        return [&right, verb, from, to] {
            const std::optional<double> ms = CurlTimed(verb, from, to);
            if (!ms) {
                std::printf("  curl %s failed\n", verb);
                right = false;
            }
            return ms.value_or(0);
        };
    };

    for (int round = 0; round < rounds; ++round) {
        std::printf("Round %d of %d\n", round + 1, rounds);
        // Every way starts from the same state: nothing of the tree or the
        // file on the server, nothing in the local targets.
        for (const std::wstring& folder : {viaCommand, viaEngine, viaWholeFile, viaCurl}) {
            testenv::RemoveTree(testenv::FtpPath(folder + L"/tree"));
            ::DeleteFileW(testenv::FtpPath(folder + L"/big.bin").c_str());
        }
        window->FillLocalList(source);
        const std::wstring bigSource = source + L"\\big.bin";
        MeasureInTurn(round, upTree,
                      {[&] { return bench.Command(IDC_TO_FTP, IDC_LOCAL_LIST, L"tree"); },
                       timed("engine upload of the tree", [&] { return DirectUploadTree(login, source, viaEngine); })});
        MeasureInTurn(round, upBig,
                      {[&] { return bench.Command(IDC_TO_FTP, IDC_LOCAL_LIST, L"big.bin"); },
                       timed("FtpPutFileW", [&] { return login.Open().Put(bigSource, viaWholeFile + L"/big.bin"); }),
                       curl("put", LinuxPath(bigSource), Narrow(viaCurl + L"/big.bin"))});
        check("tree uploaded by the command", CensusOf(testenv::FtpPath(viaCommand + L"/tree")), treeCensus);
        check("tree uploaded by the engine", CensusOf(testenv::FtpPath(viaEngine + L"/tree")), treeCensus);
        checkSize("file uploaded by the command", testenv::FtpPath(viaCommand + L"/big.bin"), kBigSize);
        checkSize("file uploaded by FtpPutFileW", testenv::FtpPath(viaWholeFile + L"/big.bin"), kBigSize);
        checkSize("file uploaded by curl", testenv::FtpPath(viaCurl + L"/big.bin"), kBigSize);

        const std::wstring commandTarget = testenv::ScratchFolder(L"bench-transfer-target\\command");
        const std::wstring engineTarget = testenv::ScratchFolder(L"bench-transfer-target\\engine");
        const std::wstring wholeFileTarget = testenv::ScratchFolder(L"bench-transfer-target\\whole-file");
        const std::wstring curlTarget = testenv::ScratchFolder(L"bench-transfer-target\\curl");
        window->FillLocalList(commandTarget);
        const std::wstring bigOnServer = viaCommand + L"/big.bin";
        MeasureInTurn(round, downTree,
                      {[&] { return bench.Command(IDC_TO_LOCAL, IDC_FTP_LIST, L"tree"); },
                       timed("engine download of the tree",
                             [&] { return DirectDownloadTree(login, viaCommand, engineTarget); })});
        MeasureInTurn(round, downBig,
                      {[&] { return bench.Command(IDC_TO_LOCAL, IDC_FTP_LIST, L"big.bin"); },
                       timed("FtpGetFileW",
                             [&] { return login.Open().Get(bigOnServer, wholeFileTarget + L"\\big.bin"); }),
                       curl("get", Narrow(bigOnServer), LinuxPath(curlTarget + L"\\big.bin"))});
        check("tree downloaded by the command", CensusOf(commandTarget + L"\\tree"), treeCensus);
        check("tree downloaded by the engine", CensusOf(engineTarget + L"\\tree"), treeCensus);
        checkSize("file downloaded by the command", commandTarget + L"\\big.bin", kBigSize);
        checkSize("file downloaded by FtpGetFileW", wholeFileTarget + L"\\big.bin", kBigSize);
        checkSize("file downloaded by curl", curlTarget + L"\\big.bin", kBigSize);

        // The window's answers while the command downloads the biggest file.
        bench.Select(IDC_TO_LOCAL, IDC_FTP_LIST, L"watched.bin");
        bench::AnswerProbe probe(bench.Handle());
        watchedTimes.push_back(bench.Transfer());
        const std::vector<double> roundAnswers = probe.Stop();
        answers.insert(answers.end(), roundAnswers.begin(), roundAnswers.end());
        checkSize("file downloaded while the window was asked", commandTarget + L"\\watched.bin", kWatchedSize);
        for (const std::wstring& folder : {commandTarget, engineTarget, wholeFileTarget, curlTarget})
            testenv::RemoveTree(folder);
    }

    PrintReport(rounds, {upTree, downTree}, {upBig, downBig}, watchedTimes, answers);
    if (bench.MessagesShown()) {
        std::printf("A message box came up: %ls\n", ui.messages.front().text.c_str());
        right = false;
    }
    window.reset();
    testenv::RemoveTree(source);
    for (const std::wstring& folder : {viaCommand, viaEngine, viaWholeFile, viaCurl})
        testenv::RemoveTree(testenv::FtpPath(folder));
    return right ? 0 : 1;
}
