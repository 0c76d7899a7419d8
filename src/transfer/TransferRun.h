// The work of one transfer batch, on the FTP job's thread: the plan of every
// file, the target folders an upload needs made first, then lanes that each
// take the next file and move it on a session of their own. Questions are
// asked one at a time, and no lane starts a file while one is open. A lane
// whose login the server refuses (a limit of logins) hands its file back and
// ends, unless it is the last one. Everything the window is to show is
// posted to it.
#pragma once

#include "transfer/TransferBatch.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <optional>

class TransferRun {
public:
    TransferRun(FtpJobContext& context, LocalFiles& files, TransferEvents& events, const ServerProfile& profile,
                TransferBatch::Clock clock);

    FailureReport Upload(const std::wstring& localFolder, const std::vector<PaneRow>& rows);
    // Files and folders by their full paths, into the remote folder.
    FailureReport UploadPaths(const std::vector<std::wstring>& paths, const std::wstring& remoteFolder);
    FailureReport Download(const FtpListing& shown, const std::wstring& localFolder,
                           const std::vector<PaneRow>& rows);

private:
    // One file to move. Uploads: localPath is the file, remoteFolder the
    // target. Downloads: localPath is the target folder, remoteFolder/name
    // the source.
    struct Item {
        std::wstring shown;  // the path the summary names
        std::wstring localPath;
        std::wstring remoteFolder;
        std::wstring name;
        std::optional<std::uint64_t> size;
        std::uint64_t time = 0;
        std::size_t row = 0;
    };
    enum class Outcome { kPending, kDone, kFailed, kSkipped, kNotTransferred };
    struct Result {
        Outcome outcome = Outcome::kPending;
        FtpFailure reason;
        std::wstring partLeft;  // the path of an upload's part the server kept
        bool replaces = false;  // a download's target held a file, which may be replaced
    };
    // What the target holds under the item's name: nothing, a file, or no
    // answer to that (the listing failed).
    struct Target {
        std::optional<OverwriteSide> existing;
        std::optional<FtpFailure> unknown;
    };

    // Entries named by their full local paths.
    FailureReport UploadEntries(const std::vector<PaneRow>& entries, const std::wstring& remoteFolder);
    FailureReport Run(FailureReport report, std::size_t rows);
    void CreateTargetFolders(FtpEngine& engine);
    void Lane(int lane, FtpEngine& engine);
    // A lane whose login was refused ends and hands its file to the others;
    // false when it is the last lane.
    bool HandBack(std::size_t index);
    // The next file for a lane, after any open question; false when none is left.
    bool TakeNext(std::size_t& index);
    OverwriteDecision Decide(const Item& item, FtpEngine& engine, Result& result);
    Target ExistingTarget(const Item& item, FtpEngine& engine);
    // The listing of an upload's target folder; null for a folder not there yet.
    const FtpFolderResult* TargetListing(const std::wstring& folder, FtpEngine& engine);
    FtpTransferResult Move(const Item& item, FtpEngine& engine, int lane, bool replace);
    void Finish(std::size_t index, const Result& result, FtpEngine& engine);
    void RowDone(std::size_t row, FtpEngine& engine);
    // Posts the progress as it is now; only when due unless forced. Under m_lock.
    void PostProgress(bool force);

    FtpJobContext& m_context;
    LocalFiles& m_files;
    TransferEvents& m_events;
    const ServerProfile m_profile;
    TransferBatch::Clock m_clock;
    bool m_upload = true;
    std::wstring m_localFolder;

    std::mutex m_lock;  // everything below, and the local file system
    std::condition_variable m_questionClosed;
    std::vector<Item> m_items;
    std::vector<Result> m_results;
    std::vector<std::size_t> m_rowRemaining;
    std::vector<bool> m_rowTakesPart;
    std::size_t m_next = 0;
    std::deque<std::size_t> m_handedBack;
    int m_lanes = 1;
    bool m_questionOpen = false;
    std::atomic<bool> m_stopped{false};
    TransferProgress m_progress;
    std::map<std::wstring, std::optional<FtpFolderResult>> m_targetListings;
    std::mutex m_questions;  // one question at a time, and the policy
    OverwritePolicy m_policy;
};
