// Times each FTP engine operation against the local test server beside a
// minimal hand-written WinINet sequence doing the same job, alternating the two
// in every round, and prints the FTP commands the server logged for each and
// the median and fastest wall times.
// Reads FTPT_FTP_ROOT, FTPT_FTP_PORT and FTPT_FTP_LOG like the tests do.
#include "ftp/FtpEngine.h"

#include "BenchSupport.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using bench::Engine;
using bench::Median;
using bench::Milliseconds;

std::wstring Env(const wchar_t* name)
{
    const wchar_t* value = _wgetenv(name);
    return value ? value : L"";
}

std::wstring WinePath(std::wstring unixPath)
{
    std::replace(unixPath.begin(), unixPath.end(), L'/', L'\\');
    return L"Z:" + unixPath;
}

const std::wstring kUser = L"tandril";
const std::wstring kPassword = L"secret";
const std::wstring kRoot = WinePath(Env(L"FTPT_FTP_ROOT"));
const std::wstring kLog = WinePath(Env(L"FTPT_FTP_LOG"));
const std::wstring kPort = Env(L"FTPT_FTP_PORT").empty() ? L"21" : Env(L"FTPT_FTP_PORT");
const std::wstring kServer = L"ftp://127.0.0.1:" + kPort;
const FtpLogin kLogin = {kServer, kUser, kPassword};


std::wstring OnServer(const std::wstring& relative)
{
    std::wstring path = kRoot + L"\\" + relative;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

void WriteBytes(const std::wstring& path, std::size_t size)
{
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(fs::path(path), std::ios::binary) << std::string(size, 'b');
}

std::uintmax_t LogSize()
{
    std::error_code ignored;
    const std::uintmax_t size = fs::file_size(fs::path(kLog), ignored);
    return ignored ? 0 : size;
}

// The verbs the server logged since offset, e.g. "USER PASS CWD TYPE PORT LIST".
std::vector<std::string> LoggedVerbs(std::uintmax_t offset)
{
    std::ifstream in(fs::path(kLog), std::ios::binary);
    in.seekg(static_cast<std::streamoff>(offset));
    std::vector<std::string> verbs;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        const std::string command = tab == std::string::npos ? line : line.substr(tab + 1);
        verbs.push_back(command.substr(0, command.find(' ')));
    }
    return verbs;
}

std::string Joined(const std::vector<std::string>& verbs)
{
    std::string text;
    for (const std::string& verb : verbs)
        text += (text.empty() ? "" : " ") + verb;
    return text;
}

// ---- The hand-written sequences: the WinINet calls each job needs, nothing more.

struct Connection {
    HINTERNET internet = ::InternetOpenW(nullptr, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    HINTERNET ftp = ::InternetConnectW(internet, L"127.0.0.1", static_cast<INTERNET_PORT>(std::stoi(kPort)),
                                       kUser.c_str(), kPassword.c_str(), INTERNET_SERVICE_FTP, 0, 0);
    ~Connection()
    {
        if (ftp)
            ::InternetCloseHandle(ftp);
        if (internet)
            ::InternetCloseHandle(internet);
    }
    bool Enter(const std::wstring& folder) const
    {
        return ftp && (folder.empty() || ::FtpSetCurrentDirectoryW(ftp, folder.c_str()));
    }
};

struct Entry { std::wstring name; bool folder; std::uint64_t size; };

bool HandList(const std::wstring& folder, std::vector<Entry>& entries)
{
    Connection c;
    if (!c.Enter(folder))
        return false;
    WIN32_FIND_DATAW data;
    HINTERNET find = ::FtpFindFirstFileW(c.ftp, L"*.*", &data, INTERNET_FLAG_RELOAD, 0);
    if (!find)
        return ::GetLastError() == ERROR_NO_MORE_FILES || ::GetLastError() == 0;
    do {
        entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (::InternetFindNextFileW(find, &data));
    ::InternetCloseHandle(find);
    return true;
}

void HandTree(const std::wstring& folder, std::vector<std::wstring>& files, std::vector<std::wstring>& folders)
{
    std::vector<Entry> entries;
    HandList(folder, entries);
    for (const Entry& entry : entries) {
        const std::wstring path = folder + L"/" + entry.name;
        if (!entry.folder) {
            files.push_back(path);
            continue;
        }
        folders.push_back(path);
        HandTree(path, files, folders);
    }
}

bool HandUpload(const std::wstring& local, const std::wstring& folder)
{
    Connection c;
    if (!c.ftp)
        return false;
    // Mostly only the last level is missing; otherwise every level is made.
    if (!::FtpSetCurrentDirectoryW(c.ftp, folder.c_str())) {
        if (!::FtpCreateDirectoryW(c.ftp, folder.c_str())) {
            for (std::size_t slash = folder.find(L'/'); slash != std::wstring::npos;
                 slash = folder.find(L'/', slash + 1))
                ::FtpCreateDirectoryW(c.ftp, folder.substr(0, slash).c_str());
            ::FtpCreateDirectoryW(c.ftp, folder.c_str());
        }
        if (!::FtpSetCurrentDirectoryW(c.ftp, folder.c_str()))
            return false;
    }
    const std::wstring name = local.substr(local.rfind(L'\\') + 1);
    return ::FtpPutFileW(c.ftp, local.c_str(), name.c_str(), FTP_TRANSFER_TYPE_BINARY, 0);
}

bool HandDownload(const std::wstring& localFolder, const std::wstring& folder, const std::wstring& name)
{
    Connection c;
    return c.Enter(folder) && ::FtpGetFileW(c.ftp, name.c_str(), (localFolder + L"\\" + name).c_str(), FALSE,
                                            FILE_ATTRIBUTE_NORMAL, FTP_TRANSFER_TYPE_BINARY | INTERNET_FLAG_RELOAD, 0);
}

void HandCreate(const std::wstring& path)
{
    Connection c;
    if (c.ftp && !::FtpSetCurrentDirectoryW(c.ftp, path.c_str()))
        ::FtpCreateDirectoryW(c.ftp, path.c_str());
}

bool HandDelete(const std::wstring& folder, const std::wstring& name)
{
    Connection c;
    return c.Enter(folder) && ::FtpDeleteFileW(c.ftp, name.c_str());
}

bool HandRemove(const std::wstring& folder, const std::wstring& name)
{
    Connection c;
    return c.Enter(folder) && ::FtpRemoveDirectoryW(c.ftp, name.c_str());
}

void HandDeleteTree(const std::wstring& folder, const std::wstring& name)
{
    if (HandRemove(folder, name))
        return;
    std::vector<std::wstring> files, folders;
    HandTree(folder + L"/" + name, files, folders);
    for (const std::wstring& path : files)
        HandDelete(path.substr(0, path.rfind(L'/')), path.substr(path.rfind(L'/') + 1));
    for (auto it = folders.rbegin(); it != folders.rend(); ++it)
        HandRemove(it->substr(0, it->rfind(L'/')), it->substr(it->rfind(L'/') + 1));
    HandRemove(folder, name);
}

// ---- The comparison.

struct Job {
    const char* title;
    std::function<void()> prepare;  // restores the server state before each run
    std::function<void()> engine;
    std::function<void()> hand;
};

void Run(const Job& job, int rounds)
{
    std::vector<double> engineTimes, handTimes;
    std::vector<std::string> engineVerbs, handVerbs;
    for (int round = 0; round < rounds; ++round) {
        // Alternate which one goes first, so that drifts of the machine hit both.
        for (int turn = 0; turn < 2; ++turn) {
            const bool engineTurn = (round + turn) % 2 == 0;
            job.prepare();
            const std::uintmax_t offset = LogSize();
            const double ms = Milliseconds(engineTurn ? job.engine : job.hand);
            (engineTurn ? engineTimes : handTimes).push_back(ms);
            if (round == 0)
                (engineTurn ? engineVerbs : handVerbs) = LoggedVerbs(offset);
        }
    }
    const double engineMs = Median(engineTimes);
    const double handMs = Median(handTimes);
    const double engineMin = *std::min_element(engineTimes.begin(), engineTimes.end());
    const double handMin = *std::min_element(handTimes.begin(), handTimes.end());
    std::printf("%-32s %4zu %4zu %9.1f %9.1f %+7.1f%% %9.1f %9.1f %+7.1f%%\n", job.title, engineVerbs.size(),
                handVerbs.size(), engineMs, handMs, 100.0 * (engineMs - handMs) / handMs, engineMin, handMin,
                100.0 * (engineMin - handMin) / handMin);
    std::printf("    engine: %s\n", Joined(engineVerbs).c_str());
    if (handVerbs != engineVerbs)
        std::printf("    hand:   %s\n", Joined(handVerbs).c_str());
}

void MakeTree(const std::wstring& base)
{
    WriteBytes(OnServer(base + L"/a/x.txt"), 100);
    WriteBytes(OnServer(base + L"/a/b/y.txt"), 200);
    WriteBytes(OnServer(base + L"/a/b/z.txt"), 300);
    fs::create_directories(fs::path(OnServer(base + L"/a/b/c")));
    WriteBytes(OnServer(base + L"/a/d/w.txt"), 400);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (Env(L"FTPT_FTP_ROOT").empty() || Env(L"FTPT_FTP_LOG").empty()) {
        std::fprintf(stderr, "FTPT_FTP_ROOT and FTPT_FTP_LOG must name the running test server's root and log\n");
        return 2;
    }
    const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 15;
    // Only the operations whose title contains this text, when given.
    std::string only;
    for (const wchar_t* c = argc > 2 ? argv[2] : L""; *c; ++c)
        only.push_back(static_cast<char>(*c & 0x7F));
    const std::wstring local = fs::temp_directory_path().wstring() + L"ftp_bench";
    fs::remove_all(fs::path(local));
    fs::create_directories(fs::path(local));
    WriteBytes(local + L"\\up.bin", 256 * 1024);
    fs::remove_all(fs::path(OnServer(L"bench")));
    for (int i = 0; i < 20; ++i)
        WriteBytes(OnServer(L"bench/list20/f" + std::to_wstring(100 + i) + L".dat"), 1000u * i);
    for (int i = 0; i < 5; ++i)
        WriteBytes(OnServer(L"bench/list5/f" + std::to_wstring(i) + L".dat"), 10u * i);
    fs::create_directories(fs::path(OnServer(L"bench/list5/folder")));
    WriteBytes(OnServer(L"bench/down/file.bin"), 256 * 1024);
    fs::create_directories(fs::path(OnServer(L"bench/up")));
    MakeTree(L"bench/tree");
    const auto nothing = [] {};
    const auto removeServer = [](const wchar_t* relative) {
        return [relative] { fs::remove_all(fs::path(OnServer(relative))); };
    };
    FtpListing listing;
    std::vector<Entry> entries;
    std::vector<std::wstring> files, folders;

    const std::vector<Job> jobs = {
        {"list 5 files, 1 folder", nothing,
         [&] { Engine().ListFtpFolder(listing, kLogin, L"bench/list5"); },
         [&] { entries.clear(); HandList(L"bench/list5", entries); }},
        {"list 20 files", nothing,
         [&] { Engine().ListFtpFolder(listing, kLogin, L"bench/list20"); },
         [&] { entries.clear(); HandList(L"bench/list20", entries); }},
        {"upload 256 KiB, folder exists", nothing,
         [&] { Engine().UploadFile(local + L"\\up.bin", kLogin, L"bench/up"); },
         [&] { HandUpload(local + L"\\up.bin", L"bench/up"); }},
        {"upload, last level missing", removeServer(L"bench/up/new"),
         [&] { Engine().UploadFile(local + L"\\up.bin", kLogin, L"bench/up/new"); },
         [&] { HandUpload(local + L"\\up.bin", L"bench/up/new"); }},
        {"upload, levels y/z missing", removeServer(L"bench/up/y"),
         [&] { Engine().UploadFile(local + L"\\up.bin", kLogin, L"bench/up/y/z"); },
         [&] { HandUpload(local + L"\\up.bin", L"bench/up/y/z"); }},
        {"download 256 KiB", nothing,
         [&] { Engine().DownloadFile(local, kLogin, L"bench/down", L"file.bin"); },
         [&] { HandDownload(local, L"bench/down", L"file.bin"); }},
        {"tree: 4 folders, 4 files", nothing,
         [&] { Engine().EnumerateFtpTree(listing, kLogin, L"bench/tree"); },
         [&] { files.clear(); folders.clear(); HandTree(L"bench/tree", files, folders); }},
        {"create folder", removeServer(L"bench/made"),
         [&] { Engine().CreateFtpFolder(kLogin, L"bench/made"); },
         [&] { HandCreate(L"bench/made"); }},
        {"delete file", [] { WriteBytes(OnServer(L"bench/del/f.txt"), 10); },
         [&] { Engine().DeleteFtpFile(kLogin, L"bench/del", L"f.txt"); },
         [&] { HandDelete(L"bench/del", L"f.txt"); }},
        {"remove empty folder", [] { fs::create_directories(fs::path(OnServer(L"bench/rm/e"))); },
         [&] { Engine().RemoveFtpFolder(kLogin, L"bench/rm", L"e"); },
         [&] { HandRemove(L"bench/rm", L"e"); }},
        {"delete tree: 4 folders, 4 files", [] { MakeTree(L"bench/deltree/t"); },
         [&] { Engine().DeleteFtpFolderTree(kLogin, L"bench/deltree", L"t", listing, {}); },
         [&] { HandDeleteTree(L"bench/deltree", L"t"); }},
    };

    std::printf("%d rounds each; wall time per call in ms (median, then fastest); commands as the server "
                "logged them\n", rounds);
    std::printf("%-32s %4s %4s %9s %9s %8s %9s %9s %8s\n", "operation", "cmds", "hand", "engine", "hand",
                "overhead", "eng. min", "hand min", "overhead");
    for (const Job& job : jobs)
        if (std::string(job.title).find(only) != std::string::npos)
            Run(job, rounds);
    fs::remove_all(fs::path(local));
    fs::remove_all(fs::path(OnServer(L"bench")));
    return 0;
}
