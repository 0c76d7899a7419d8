// How long sorting a list of 10,000 rows takes: header clicks on each column
// of the local list in the real main window, a refresh while an order is
// chosen, and the bare sort of the same rows with the same comparison beside
// them. Prints the medians; exits 1 when an order came out wrong.
#include "app/CFTPTandrilDlg.h"
#include "common/ListActions.h"
#include "common/ProgramParts.h"
#include "common/SettingsFixture.h"
#include "common/TestEnvironment.h"
#include "panes/RowOrder.h"
#include "panes/UserLocale.h"
#include "res/resource.h"

#include "BenchSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using bench::Median;
using bench::Milliseconds;

constexpr int kFolders = 500;
constexpr int kFiles = 9500;
constexpr int kRounds = 5;
const wchar_t* const kFolder = L"C:\\bench";

// A folder of 10,000 entries that exists only in memory: names that mix
// words, digits and case, sizes up to 4 GB, times over five years.
class GeneratedFolder : public LocalFiles {
public:
    GeneratedFolder()
    {
        const wchar_t* const stems[] = {L"Report", L"IMG_", L"notes-", L"Invoice ", L"backup", L"Scan"};
        const wchar_t* const extensions[] = {L".docx", L".JPG", L".txt", L".pdf", L".zip", L".csv"};
        unsigned seed = 12345;
        const auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 8; };
        const std::uint64_t now = CurrentFileTime();
        for (int i = 0; i < kFolders; ++i) {
            m_listing.folderNames.push_back(L"Folder " + std::to_wstring(next() % 2000));
            m_listing.folderTimes.push_back(now - (next() % 1825) * 864000000000ull);
        }
        for (int i = 0; i < kFiles; ++i) {
            m_listing.fileNames.push_back(stems[next() % 6] + std::to_wstring(next() % 5000) + extensions[next() % 6]);
            m_listing.fileSizes.push_back((static_cast<std::uint64_t>(next()) * 257) % 4294967296ull);
            m_listing.fileTimes.push_back(now - (next() % 1825) * 864000000000ull - next() % 864000000000ull);
        }
    }

    const LocalListing& Listing() const { return m_listing; }

    LocalListing ListFolder(const std::wstring&) override { return m_listing; }
    std::vector<std::wstring> CollectFilesRecursive(const std::wstring&, std::vector<std::wstring>&) override
    {
        return {};
    }
    bool Exists(const std::wstring&) override { return false; }
    std::optional<LocalFileInfo> FileInfo(const std::wstring&) override { return std::nullopt; }
    bool CreateFolder(const std::wstring&, std::wstring&) override { return false; }
    bool GoesToRecycleBin(const std::wstring&) override { return true; }
    bool DeleteToRecycleBin(const std::wstring&, std::wstring&) override { return false; }
    bool Rename(const std::wstring&, const std::wstring&, std::wstring&) override { return false; }

private:
    LocalListing m_listing;
};

// The parent row first, then the folders, then the files, each group in the
// clicked order by the program's own comparison of names.
bool SortedByName(const ListView& list, bool descending)
{
    if (list.Count() != 1 + kFolders + kFiles || list.Image(0) != 2)
        return false;
    for (int row = 2; row < list.Count(); ++row) {
        const int before = list.Image(row - 1);
        const int image = list.Image(row);
        if (before != image)
            continue;  // the change from folders to files
        const int order = CompareFileNames(list.CellText(row - 1, 0), list.CellText(row, 0));
        if (descending ? order < 0 : order > 0)
            return false;
    }
    return list.Image(kFolders) == 1 && list.Image(kFolders + 1) == 0;
}

}  // namespace

int wmain()
{
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    testenv::RecordingUi ui;
    testenv::WriteUserSettings({{L"Language", L"[1033]"}, {L"FTP Data", L"---"}, {L"Local Folder Data", L"---"}});
    testenv::ProgramParts parts;
    GeneratedFolder folder;
    auto window = std::make_unique<CFTPTandrilDlg>(parts.settings, parts.work, folder);
    if (!window->CreateModeless(nullptr)) {
        std::printf("The main window did not open\n");
        return 1;
    }
    const ListView list(window->Item(IDC_LOCAL_LIST));
    window->FillLocalList(kFolder);

    std::printf("Sorting a list of %d rows (%d folders, %d files), median of %d rounds\n", 1 + kFolders + kFiles,
                kFolders, kFiles, kRounds);
    // Each round: by size first, then name ascending, name descending (the
    // second click), size and modified, each click sorting the previous order.
    std::vector<double> nameUp, nameDown, bySize, byTime, refreshes, bare, unsorted;
    bool right = true;
    for (int round = 0; round < kRounds; ++round)
        unsorted.push_back(Milliseconds([&] { window->FillLocalList(kFolder); }));
    const auto click = [&](int column) {
        return Milliseconds([&] { testenv::ClickHeader(window->Handle(), list, column); });
    };
    for (int round = 0; round < kRounds; ++round) {
        click(1);
        nameUp.push_back(click(0));
        right = right && SortedByName(list, false);
        nameDown.push_back(click(0));
        right = right && SortedByName(list, true);
        bySize.push_back(click(1));
        byTime.push_back(click(2));
        refreshes.push_back(Milliseconds([&] { window->FillLocalList(kFolder); }));
    }

    const std::vector<ListRow> rows = MakeListRows(folder.Listing(), CurrentFileTime());
    RowOrder byName;
    byName.Click(0);
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::size_t> positions(rows.size());
        std::iota(positions.begin(), positions.end(), 0);
        bare.push_back(Milliseconds([&] {
            std::stable_sort(positions.begin(), positions.end(), [&](std::size_t a, std::size_t b) {
                return byName.Compare(rows[a], a, rows[b], b, CompareFileNames) < 0;
            });
        }));
    }
    const double slowest = std::max({Median(nameUp), Median(nameDown), Median(bySize), Median(byTime)});
    std::printf("  header click, name ascending:                %8.1f ms\n", Median(nameUp));
    std::printf("  header click, name descending:               %8.1f ms\n", Median(nameDown));
    std::printf("  header click, size:                          %8.1f ms\n", Median(bySize));
    std::printf("  header click, modified:                      %8.1f ms\n", Median(byTime));
    std::printf("  refresh before any click (fill alone):       %8.1f ms\n", Median(unsorted));
    std::printf("  refresh keeping the order (fill and sort):   %8.1f ms\n", Median(refreshes));
    std::printf("  the same rows by name, outside the list:     %8.1f ms\n", Median(bare));
    std::printf("  slowest header click:                        %8.1f ms (target under 100 ms)\n", slowest);
    if (!right) {
        std::printf("A name order came out wrong\n");
        return 1;
    }
    return 0;
}
