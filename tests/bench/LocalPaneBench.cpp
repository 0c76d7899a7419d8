// How long the local list takes to fill for a folder of many files, beside a
// bare FindFirstFileW/FindNextFileW walk of the same folder in the same run.
// Prints both medians and their ratio; exits 1 when the list came out wrong.
#include "app/CFTPTandrilDlg.h"
#include "common/ProgramParts.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "res/resource.h"

#include "BenchSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;

constexpr int kFiles = 10000;
constexpr int kRounds = 5;

// Files of assorted sizes, so that every unit of the size column occurs.
bool MakeFiles(const std::wstring& folder)
{
    const std::string bytes(4096, 'x');
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"\\file%05d.dat", i);
        const HANDLE file = ::CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(i % bytes.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return true;
}

int BareWalk(const std::wstring& folder)
{
    int entries = 0;
    WIN32_FIND_DATAW data;
    const HANDLE find = ::FindFirstFileW((folder + L"/*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        ++entries;
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return entries;
}

}  // namespace

int wmain()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    const std::wstring folder = testenv::ScratchFolder(L"bench-localpane");
    std::printf("Creating %d files...\n", kFiles);
    if (!MakeFiles(folder)) {
        std::printf("Could not create the files\n");
        return 1;
    }

    testenv::RecordingUi ui;
    testenv::WriteUserSettings({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    testenv::ProgramParts parts;
    auto window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, parts.files);
    if (!window->CreateModeless(nullptr)) {
        std::printf("The main window did not open\n");
        return 1;
    }

    // One untimed pass of each warms the file system's caches for both.
    BareWalk(folder);
    window->FillLocalList(folder);

    std::vector<double> walks, fills;
    int walked = 0;
    for (int round = 0; round < kRounds; ++round) {
        walks.push_back(Milliseconds([&] { walked = BareWalk(folder); }));
        fills.push_back(Milliseconds([&] { window->FillLocalList(folder); }));
    }

    const ListView list(window->Item(IDC_LOCAL_LIST));
    const bool rowsRight = list.Count() == kFiles + 1 && walked == kFiles + 2 && !list.CellText(kFiles, 1).empty();
    const double walk = Median(walks);
    const double fill = Median(fills);
    std::printf("Folder of %d files, median of %d rounds\n", kFiles, kRounds);
    std::printf("  bare FindFirstFileW/FindNextFileW walk: %8.1f ms\n", walk);
    std::printf("  FillLocalList:                          %8.1f ms\n", fill);
    std::printf("  ratio:                                  %8.2f x (target under 3 x)\n", fill / walk);
    if (!rowsRight) {
        std::printf("The list holds %d rows, expected %d\n", list.Count(), kFiles + 1);
        return 1;
    }
    testenv::RemoveTree(folder);
    return 0;
}
