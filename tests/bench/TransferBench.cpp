// What the transfer command costs beside the engine calls it makes: a tree of
// 100 files and one file of 200 MiB, uploaded and downloaded through the real
// main window (rows selected, a click on the transfer button) and through the
// same engine calls made directly, in the same run. Prints the medians and the
// command's overhead; exits 1 when a transfer came out wrong.
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
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::Engine;
using bench::Median;
using bench::Milliseconds;

constexpr int kFolders = 10;
constexpr int kFilesPerLevel = 5;
constexpr std::uintmax_t kBigSize = 200ull * 1024 * 1024;

bool WriteBytes(const std::wstring& path, std::uintmax_t size)
{
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::string chunk(1 << 20, '\0');
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

// Number of files and their total size below a folder.
std::pair<int, std::uintmax_t> Census(const std::wstring& folder)
{
    std::pair<int, std::uintmax_t> census = {0, 0};
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error))
        if (it->is_regular_file()) {
            ++census.first;
            census.second += it->file_size();
        }
    return census;
}

std::wstring Slashed(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return path;
}

struct Login {
    std::wstring server = testenv::ServerName();
    std::wstring user = testenv::kUser;
    std::wstring password = testenv::kPassword;

    operator FtpLogin() const { return {server, user, password}; }
};

// The engine calls of a folder upload: one UploadFile per file into the
// file's folder below the target, then the listing of the FTP folder.
void DirectUploadTree(const Login& login, const std::wstring& localFolder, const std::wstring& ftpFolder)
{
    const std::vector<std::wstring> files = WinLocalFiles().CollectFilesRecursive(localFolder + L"\\tree");
    FtpListing listing;
    for (const std::wstring& file : files) {
        const std::wstring relative = Slashed(file.substr(localFolder.size() + 1));
        Engine().UploadFile(file, login,
                   ftpFolder + L"/" + relative.substr(0, relative.rfind(L'/')));
    }
    Engine().ListFtpFolder(listing, login, ftpFolder);
}

void DirectUploadFile(const Login& login, const std::wstring& file, const std::wstring& ftpFolder)
{
    FtpListing listing;
    Engine().UploadFile(file, login, ftpFolder);
    Engine().ListFtpFolder(listing, login, ftpFolder);
}

// The engine calls of a folder download: the tree walk, then one DownloadFile
// per file into its local folder, made when missing.
void DirectDownloadTree(const Login& login, const std::wstring& ftpFolder, const std::wstring& localFolder)
{
    FtpListing listing;
    Engine().EnumerateFtpTree(listing, login, ftpFolder + L"/tree");
    for (const std::wstring& path : listing.fileNames) {
        const std::size_t slash = path.rfind(L'/');
        std::wstring relative = path.substr(ftpFolder.size() + 1, slash - ftpFolder.size() - 1);
        std::replace(relative.begin(), relative.end(), L'/', L'\\');
        const std::wstring target = localFolder + L"\\" + relative;
        if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES)
            testenv::MakeFolders(target);
        Engine().DownloadFile(target, login, path.substr(0, slash),
                     path.substr(slash + 1));
    }
}

class Bench {
public:
    Bench(CFTPTandrilDlg& window, testenv::RecordingUi& ui) : m_window(window), m_ui(ui) {}

    // Selects the one row and clicks the transfer button in the direction.
    double Command(int direction, int listId, const std::wstring& row)
    {
        Click(direction);
        const ListView list(m_window.Item(listId));
        for (int i = 0; i < list.Count(); ++i)
            list.Select(i, list.CellText(i, 0) == row);
        for (int i = 0; i < list.Count(); ++i)
            if (list.CellText(i, 0) == row)
                list.SetSelectionMark(i);
        return Milliseconds([&] { Click(IDC_TRANSFER); });
    }

    bool MessagesShown() const { return !m_ui.messages.empty(); }

private:
    void Click(int id)
    {
        ::SendMessageW(m_window.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_window.Item(id)));
    }

    CFTPTandrilDlg& m_window;
    testenv::RecordingUi& m_ui;
};

struct Scenario {
    const char* title;
    std::vector<double> command;
    std::vector<double> direct;
};

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 3;

    const std::wstring source = testenv::ScratchFolder(L"bench-transfer-source");
    const std::wstring target = testenv::ScratchFolder(L"bench-transfer-target");
    std::printf("Creating a tree of %d files and a file of %llu MiB...\n", kFolders * kFilesPerLevel * 2,
                static_cast<unsigned long long>(kBigSize >> 20));
    if (!MakeTree(source + L"\\tree") || !WriteBytes(source + L"\\big.bin", kBigSize)) {
        std::printf("Could not create the files\n");
        return 1;
    }
    const auto treeCensus = Census(source + L"\\tree");

    const std::wstring viaCommand = testenv::FreshFtpFolder(L"bench-command");
    const std::wstring viaEngine = testenv::FreshFtpFolder(L"bench-engine");
    const Login login;
    testenv::RecordingUi ui;
    testenv::WriteUserSettings({{L"Language", L"[1033]"},
                                {L"FTP Data", login.server + L"*" + login.user + L"*" + viaCommand},
                                {L"Powersetting 2000", EncodeStoredValue(login.password)},
                                {L"Local Folder Data", source}});
    testenv::ProgramParts parts;
    auto window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.engine, parts.files);
    if (!window->CreateModeless(nullptr)) {
        std::printf("The main window did not open\n");
        return 1;
    }
    Bench bench(*window, ui);

    Scenario upTree{"upload 100-file tree", {}, {}};
    Scenario upBig{"upload 200 MiB file", {}, {}};
    Scenario downTree{"download 100-file tree", {}, {}};
    Scenario downBig{"download 200 MiB file", {}, {}};
    bool right = true;
    auto check = [&right](const char* what, std::pair<int, std::uintmax_t> got, std::pair<int, std::uintmax_t> want) {
        if (got != want) {
            std::printf("  %s: %d files, %llu bytes; expected %d files, %llu bytes\n", what, got.first,
                        static_cast<unsigned long long>(got.second), want.first,
                        static_cast<unsigned long long>(want.second));
            right = false;
        }
    };

    for (int round = 0; round < rounds; ++round) {
        std::printf("Round %d of %d\n", round + 1, rounds);
        // Both sides start from the same state: nothing of the tree or the
        // file on the server, nothing in the local target.
        testenv::RemoveTree(testenv::FtpPath(viaCommand + L"/tree"));
        testenv::RemoveTree(testenv::FtpPath(viaEngine + L"/tree"));
        ::DeleteFileW(testenv::FtpPath(viaCommand + L"/big.bin").c_str());
        ::DeleteFileW(testenv::FtpPath(viaEngine + L"/big.bin").c_str());
        window->FillLocalList(source);
        // Which of the two goes first alternates, so that neither always
        // meets the server and the caches in the same state.
        const bool commandFirst = round % 2 == 0;
        auto measure = [commandFirst](Scenario& scenario, const std::function<double()>& command,
                                      const std::function<void()>& direct) {
            if (commandFirst)
                scenario.command.push_back(command());
            scenario.direct.push_back(Milliseconds(direct));
            if (!commandFirst)
                scenario.command.push_back(command());
        };
        measure(upTree, [&] { return bench.Command(IDC_TO_FTP, IDC_LOCAL_LIST, L"tree"); },
                [&] { DirectUploadTree(login, source, viaEngine); });
        measure(upBig, [&] { return bench.Command(IDC_TO_FTP, IDC_LOCAL_LIST, L"big.bin"); },
                [&] { DirectUploadFile(login, source + L"\\big.bin", viaEngine); });
        check("tree uploaded by the command", Census(testenv::FtpPath(viaCommand + L"/tree")), treeCensus);
        check("tree uploaded by the engine", Census(testenv::FtpPath(viaEngine + L"/tree")), treeCensus);
        check("file uploaded by the command", Census(testenv::FtpPath(viaCommand)),
              {treeCensus.first + 1, treeCensus.second + kBigSize});

        const std::wstring commandTarget = testenv::ScratchFolder(L"bench-transfer-target\\command");
        const std::wstring engineTarget = testenv::ScratchFolder(L"bench-transfer-target\\engine");
        window->FillLocalList(commandTarget);
        measure(downTree, [&] { return bench.Command(IDC_TO_LOCAL, IDC_FTP_LIST, L"tree"); },
                [&] { DirectDownloadTree(login, viaCommand, engineTarget); });
        measure(downBig, [&] { return bench.Command(IDC_TO_LOCAL, IDC_FTP_LIST, L"big.bin"); },
                [&] { Engine().DownloadFile(engineTarget, login, viaCommand, L"big.bin"); });
        check("tree downloaded by the command", Census(commandTarget + L"\\tree"), treeCensus);
        check("tree downloaded by the engine", Census(engineTarget + L"\\tree"), treeCensus);
        check("file downloaded by the command", Census(commandTarget),
              {treeCensus.first + 1, treeCensus.second + kBigSize});
        check("file downloaded by the engine", Census(engineTarget),
              {treeCensus.first + 1, treeCensus.second + kBigSize});
    }

    std::printf("\nMedian of %d rounds           command      engine direct   overhead\n", rounds);
    for (const Scenario* scenario : {&upTree, &upBig, &downTree, &downBig}) {
        const double command = Median(scenario->command);
        const double direct = Median(scenario->direct);
        std::printf("  %-24s %9.0f ms   %9.0f ms   %+6.1f %%\n", scenario->title, command, direct,
                    100.0 * (command - direct) / direct);
    }
    std::printf("Target: the command adds under 5 %%.\n");
    if (bench.MessagesShown()) {
        std::printf("A message box came up: %ls\n", ui.messages.front().text.c_str());
        right = false;
    }
    window.reset();
    testenv::RemoveTree(source);
    testenv::RemoveTree(target);
    testenv::RemoveTree(testenv::FtpPath(viaCommand));
    testenv::RemoveTree(testenv::FtpPath(viaEngine));
    return right ? 0 : 1;
}
