// The FTP engine: every operation on the FTP server, written against the FTP
// primitives. An engine keeps one logged-in session: the operations of a
// batch, and browsing within a minute, use the same login and change folders
// with CWD; a session idle for a minute is closed, and one the server dropped
// is logged in again once before an operation fails. Listings and transfers
// refused in the login's transfer mode are tried once more in the other one,
// which every engine sharing the mode memory then keeps using for that
// server. One engine is used by one thread at a time; the program keeps a
// pool of them for its worker threads, the native tests build one on a fake
// server.
#pragma once

#include "ftp/FtpListing.h"
#include "ftp/FtpModeFallback.h"
#include "ftp/FtpPrimitives.h"
#include "ftp/ServerProfile.h"

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Told the path of each entry just before the tree deletion deletes it, and
// told once when the deletion ends.
struct FtpDeleteProgress {
    std::function<void(const std::wstring& path)> beforeDelete;
    std::function<void()> finished;
};

enum class FtpRenameOutcome { kRenamed, kNameExists, kNotSendable, kFailed };

// Folders this many levels below the starting folder are reported but not
// entered: a server whose folders lead back to their ancestors ends here.
constexpr int kMaxTreeDepth = 64;
// A tree walk lists at most this many folders: a server that reports several
// folders leading back to their own folder would otherwise keep it busy for
// an exponential number of logins.
constexpr int kMaxTreeFolders = 5000;

class FtpEngine {
public:
    // Seconds on a steady clock.
    using Clock = std::function<double()>;
    // A kept session unused for this long is closed.
    static constexpr double kIdleLimit = 60;

    // A tree walk lists at most maxTreeFolders folders. Engines that share
    // the mode memory learn each other's mode fallbacks.
    explicit FtpEngine(FtpPrimitives& ftp, int maxTreeFolders = kMaxTreeFolders,
                       std::shared_ptr<FtpModeMemory> modes = std::make_shared<FtpModeMemory>(), Clock clock = {});
    ~FtpEngine();
    FtpEngine(const FtpEngine&) = delete;
    FtpEngine& operator=(const FtpEngine&) = delete;

    // Asked between the steps of every operation (entries of a listing,
    // folders of a tree, entries of a deletion): true ends the operation
    // early, as failed with no reason. Empty: never.
    void SetStop(std::function<bool()> stopped) { m_stopped = std::move(stopped); }
    // What follows ".part-" in an upload's part name; random unless a test
    // gives its own.
    void SetPartSuffix(std::function<std::wstring()> suffix) { m_partSuffix = std::move(suffix); }
    bool Stopped() const { return m_stopped && m_stopped(); }

    // Logs in unless the kept session serves the login already; false, with
    // the reason, when the login failed.
    bool Connect(const FtpLogin& login);
    // Whether the kept session has been unused for kIdleLimit.
    bool IsSessionIdle() const;
    void CloseSession();
    bool HasSession() const { return m_kept.session != nullptr; }
    // Whether the name or path reaches the server unchanged.
    bool CanSendName(const std::wstring& name) const { return m_ftp.CanSendName(name); }

    // Fills the listing with the folder's entries in server order. False when
    // no login, the folder cannot be entered, or the listing is refused.
    bool ListFtpFolder(FtpListing& listing, const FtpLogin& login, const std::wstring& folder);

    // Stores the local file in the folder under its own name, creating the
    // folder with every missing level first. The data goes to a part of a
    // name of its own (".name.part-XXXXXXXX"), which replaces the target only
    // when it is whole: a file of that name stays as it was until then. After
    // each block blockDone is told the bytes so far and may stop the
    // transfer. An unfinished part is deleted again.
    FtpTransferResult UploadFile(const std::wstring& localPath, const FtpLogin& login, const std::wstring& folder,
                                 const FtpBlockCallback& blockDone = {});

    // Creates every missing level of the path.
    void CreateFtpFolderPath(const FtpLogin& login, const std::wstring& path);

    // Creates each folder of the list, in its order (parents first), where
    // it is missing; false without a login.
    bool CreateFtpFolders(const FtpLogin& login, const std::vector<std::wstring>& paths);

    // Fetches folder/fileName to localFolder\fileName ("/" in the name names
    // sub-folders on both sides; the local ones must exist). Refuses names
    // that are no safe local names, writing nothing. The target is replaced
    // only by a whole file: at least listedSize bytes where the listing gave
    // a size (a file may have grown since). Without `replace`, a local file
    // of the name is never replaced, even one that appears meanwhile.
    // blockDone as for UploadFile.
    FtpTransferResult DownloadFile(const std::wstring& localFolder, const FtpLogin& login, const std::wstring& folder,
                                   const std::wstring& fileName, std::optional<std::uint64_t> listedSize = {},
                                   bool replace = true, const FtpBlockCallback& blockDone = {});

    // Fills the listing with the paths of every file and folder below the
    // folder, depth first, each folder before its contents, and with the paths
    // of entries whose names hold "/" or "\". True when anything was found.
    bool EnumerateFtpTree(FtpListing& listing, const FtpLogin& login, const std::wstring& folder);

    // Creates the last level of the path unless it can be entered. False when
    // the folder does not exist afterwards; a path the server cannot be sent
    // fails as kNotServerName, creating nothing.
    bool CreateFtpFolder(const FtpLogin& login, const std::wstring& path);

    bool DeleteFtpFile(const FtpLogin& login, const std::wstring& folder, const std::wstring& name);

    // Removes an empty folder.
    bool RemoveFtpFolder(const FtpLogin& login, const std::wstring& folder, const std::wstring& name);

    // Renames the entry of the folder, on one login that first lists the
    // folder: a name another entry already has (in any case), or one the
    // server cannot be sent, is refused and nothing is renamed. The reason
    // tells why the server refused.
    FtpRenameOutcome RenameFtpEntry(const FtpLogin& login, const std::wstring& folder, const std::wstring& from,
                                    const std::wstring& to, std::wstring& reason);

    // Removes the folder with everything inside it, as far as the server
    // allows: files first, then the folders deepest first, then the folder.
    // The work listing holds the enumerated tree afterwards. False when the
    // folder is still there; the reason is the first step's that failed.
    bool DeleteFtpFolderTree(const FtpLogin& login, const std::wstring& folder, const std::wstring& name,
                             FtpListing& work, const FtpDeleteProgress& progress);

    // Why the last operation that returned false failed; kNone when the
    // operation refused on its own (an unsafe name, an empty name).
    const FtpFailure& LastFailure() const { return m_failure; }

    // The mode the login's operations use: its own, or the other one after a
    // fallback to it worked.
    FtpMode ModeInUse(const FtpLogin& login) const;
    // The mode an operation fell back to, told once (for the status line).
    std::optional<FtpMode> TakeModeSwitch() { return m_modes.TakeModeSwitch(); }

    // Stores the local file in the folder under remoteName; a folder that
    // cannot be entered fails, it is never created. No window message is let
    // through.
    FtpTransferResult UploadFileAs(const std::wstring& localPath, const FtpLogin& login, const std::wstring& folder,
                                   const std::wstring& remoteName);
    // Fetches folder/remoteName to exactly localPath, which is replaced only
    // by the whole file. No window message is let through.
    FtpTransferResult DownloadFileTo(const std::wstring& localPath, const FtpLogin& login, const std::wstring& folder,
                                     const std::wstring& remoteName);

private:
    // The logged-in session and where it stands. `home` is the login
    // directory as the server names it (empty when it would not say), and
    // `current` the folder entered last, as given to CWD (empty: home).
    struct Kept {
        std::unique_ptr<FtpSession> session;
        FtpLogin login;
        std::wstring home;
        std::wstring current;
        double lastUse = 0;
    };
    using Step = std::function<bool(FtpSession&)>;

    // Runs the step on the kept session, logging in first when there is
    // none for this login. When the step fails because the server dropped a
    // session that had served before, it runs once more on a new login. A
    // failed login leaves the reason with atLogin set.
    bool OnSession(const FtpLogin& login, const Step& step);
    bool LogIn(const FtpLogin& login);
    // Makes the folder (relative to the login directory, or absolute) the
    // current directory; a folder already entered costs no command.
    bool Enter(FtpSession& session, const std::wstring& folder);
    // The folder as CWD takes it from any current directory.
    std::wstring Absolute(const std::wstring& folder) const;
    struct TreeWalk {
        int foldersListed = 0;
        std::set<std::wstring> seen;
    };
    void WalkLevel(const FtpLogin& login, const std::wstring& folder, int depth, FtpListing& listing,
                   TreeWalk& walk);
    // Reads the current directory's entries, ending early on a stop.
    bool ReadLevel(FtpSession& session, std::vector<FtpFindEntry>& entries,
                   std::vector<std::wstring>* unusable = nullptr, std::uint64_t* parentTime = nullptr);
    // Takes the reason of the primitive call that just failed; returns false.
    bool Fail();
    // Takes the reason when the transfer did not complete.
    FtpTransferResult Finished(const FtpTransferResult& result);

    FtpPrimitives& m_ftp;
    int m_maxTreeFolders;
    FtpModeFallback m_modes;
    Clock m_clock;
    std::function<bool()> m_stopped;
    std::function<std::wstring()> m_partSuffix;
    FtpFailure m_failure;
    Kept m_kept;  // after m_modes: its session belongs to it

    // A transfer of the entry remoteName inside the folder, which is entered
    // but never created; refuses names that name no entry of it.
    FtpTransferResult InFolderAs(const FtpLogin& login, const std::wstring& folder, const std::wstring& remoteName,
                                 const std::function<FtpTransferResult(FtpSession&)>& transfer);
    // The transfer on the session, inside the folder, which is entered but
    // never created.
    FtpTransferResult TransferIn(const FtpLogin& login, const std::wstring& folder,
                                 const std::function<FtpTransferResult(FtpSession&)>& transfer);
};
