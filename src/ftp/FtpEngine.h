// The FTP engine: every operation on the FTP server, written against the FTP
// primitives. Each operation logs in on its own and closes everything before
// it returns. Listings and transfers refused in the login's transfer mode are
// tried once more in the other one, which the engine then keeps using for
// that server. The program builds one engine on WinINet and hands it by
// reference to whoever needs it; the native tests build one on a fake server.
#pragma once

#include "ftp/FtpListing.h"
#include "ftp/FtpModeFallback.h"
#include "ftp/FtpPrimitives.h"
#include "ftp/ServerProfile.h"

#include <functional>
#include <optional>
#include <set>
#include <string>

// Told the path of each entry just before the tree deletion deletes it, and
// told once when the deletion ends.
struct FtpDeleteProgress {
    std::function<void(const std::wstring& path)> beforeDelete;
    std::function<void()> finished;
};

enum class FtpRenameOutcome { kRenamed, kNameExists, kFailed };

// Folders this many levels below the starting folder are reported but not
// entered: a server whose folders lead back to their ancestors ends here.
constexpr int kMaxTreeDepth = 64;
// A tree walk lists at most this many folders: a server that reports several
// folders leading back to their own folder would otherwise keep it busy for
// an exponential number of logins.
constexpr int kMaxTreeFolders = 5000;

class FtpEngine {
public:
    // A tree walk lists at most maxTreeFolders folders.
    explicit FtpEngine(FtpPrimitives& ftp, int maxTreeFolders = kMaxTreeFolders);

    // Fills the listing with the folder's entries in server order. False when
    // no login, the folder cannot be entered, or the listing is refused.
    bool ListFtpFolder(FtpListing& listing, const FtpLogin& login, const std::wstring& folder);

    // Stores the local file in the folder under its own name, creating the
    // folder with every missing level first. Lets waiting window messages
    // through before the transfer, after each block (then blockDone is told
    // the bytes so far and may stop it) and after a successful one. An
    // unfinished upload is deleted again.
    FtpTransferResult UploadFile(const std::wstring& localPath, const FtpLogin& login, const std::wstring& folder,
                                 const FtpBlockCallback& blockDone = {});

    // Creates every missing level of the path, on a login of its own.
    void CreateFtpFolderPath(const FtpLogin& login, const std::wstring& path);

    // Fetches folder/fileName to localFolder\fileName ("/" in the name names
    // sub-folders on both sides; the local ones must exist). Refuses names
    // that are no safe local names, writing nothing. The target is replaced
    // only by a whole file: listedSize bytes where the listing gave a size.
    // Lets waiting window messages through after each block, as UploadFile.
    FtpTransferResult DownloadFile(const std::wstring& localFolder, const FtpLogin& login, const std::wstring& folder,
                                   const std::wstring& fileName, std::optional<std::uint64_t> listedSize = {},
                                   const FtpBlockCallback& blockDone = {});

    // Fills the listing with the paths of every file and folder below the
    // folder, depth first, each folder before its contents, and with the paths
    // of entries whose names hold "/" or "\". Holds one login at a time.
    // True when anything was found.
    bool EnumerateFtpTree(FtpListing& listing, const FtpLogin& login, const std::wstring& folder);

    // Creates the last level of the path unless it can be entered. False when
    // the folder does not exist afterwards.
    bool CreateFtpFolder(const FtpLogin& login, const std::wstring& path);

    bool DeleteFtpFile(const FtpLogin& login, const std::wstring& folder, const std::wstring& name);

    // Removes an empty folder.
    bool RemoveFtpFolder(const FtpLogin& login, const std::wstring& folder, const std::wstring& name);

    // Renames the entry of the folder, on one login that first lists the
    // folder: a name another entry already has (in any case) is refused and
    // nothing is renamed. The reason tells why the server refused.
    FtpRenameOutcome RenameFtpEntry(const FtpLogin& login, const std::wstring& folder, const std::wstring& from,
                                    const std::wstring& to, std::wstring& reason);

    // Removes the folder with everything inside it, as far as the server
    // allows: files first, then the folders deepest first, then the folder.
    // The work listing holds the enumerated tree afterwards. False when the
    // folder is still there; the reason is the first step's that failed.
    bool DeleteFtpFolderTree(const FtpLogin& login, const std::wstring& folder, const std::wstring& name,
                             FtpListing& work, const FtpDeleteProgress& progress);

    // Handles every window message waiting for this thread, without waiting.
    void PumpPendingMessages() { m_ftp.PumpPendingMessages(); }

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
    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const FtpLogin& login);
    // Logged in and inside the folder, or null.
    std::unique_ptr<FtpSession> OpenIn(const FtpLogin& login, const std::wstring& folder);
    struct TreeWalk {
        int foldersListed = 0;
        std::set<std::wstring> seen;
    };
    void WalkLevel(const FtpServerAddress& address, const FtpLogin& login, const std::wstring& folder, int depth,
                   FtpListing& listing, TreeWalk& walk);
    // Takes the reason of the primitive call that just failed; returns false.
    bool Fail();
    // blockDone after the waiting window messages.
    FtpBlockCallback Pumping(const FtpBlockCallback& blockDone);
    // Takes the reason when the transfer did not complete.
    FtpTransferResult Finished(const FtpTransferResult& result);

    FtpPrimitives& m_ftp;
    int m_maxTreeFolders;
    FtpModeFallback m_modes{m_ftp};
    FtpFailure m_failure;

    // A transfer of the entry remoteName inside the folder, which is entered
    // but never created; refuses names that name no entry of it.
    FtpTransferResult InFolderAs(const FtpLogin& login, const std::wstring& folder, const std::wstring& remoteName,
                                 const std::function<FtpTransferResult(FtpSession&)>& transfer);
};
