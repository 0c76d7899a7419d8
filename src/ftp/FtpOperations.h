// Every operation on the FTP server, written against the FTP primitives. Each
// operation logs in on its own and closes everything before it returns.
// Server name, user, password and folder are the four texts of the profile.
#pragma once

#include "ftp/FtpListing.h"
#include "ftp/FtpPrimitives.h"

#include <functional>
#include <string>

// Told the path of each entry just before the tree deletion deletes it, and
// told once when the deletion ends.
struct FtpDeleteProgress {
    std::function<void(const std::wstring& path)> beforeDelete;
    std::function<void()> finished;
};

// Folders this many levels below the starting folder are reported but not
// entered: a server whose folders lead back to their ancestors ends here.
constexpr int kMaxTreeDepth = 64;

class FtpOperations {
public:
    explicit FtpOperations(FtpPrimitives& ftp);

    // Fills the listing with the folder's entries in server order. False when
    // no login, the folder cannot be entered, or the listing is refused.
    bool ListFtpFolder(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                       const std::wstring& password, const std::wstring& folder);

    // Stores the local file in the folder under its own name, creating the
    // folder with every missing level first. Lets waiting window messages
    // through before the transfer and after a successful one. The listing's
    // collections are left untouched.
    bool UploadFile(FtpListing& listing, const std::wstring& localPath, const std::wstring& serverName,
                    const std::wstring& user, const std::wstring& password, const std::wstring& folder);

    // Creates every missing level of the path, on a login of its own.
    void CreateFtpFolderPath(const std::wstring& serverName, const std::wstring& user,
                             const std::wstring& password, const std::wstring& path);

    // Fetches folder/fileName to localFolder\fileName ("/" in the name names
    // sub-folders on both sides; the local ones must exist). Refuses names
    // that are no safe local names, writing nothing.
    bool DownloadFile(const std::wstring& localFolder, const std::wstring& serverName, const std::wstring& user,
                      const std::wstring& password, const std::wstring& folder, const std::wstring& fileName);

    // Fills the listing with the paths of every file and folder below the
    // folder, depth first, each folder before its contents. Holds one login
    // at a time. True when anything was found.
    bool EnumerateFtpTree(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                          const std::wstring& password, const std::wstring& folder);

    // Creates the last level of the path unless it can be entered. Always true.
    bool CreateFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& path);

    bool DeleteFtpFile(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                       const std::wstring& folder, const std::wstring& name);

    // Removes an empty folder.
    bool RemoveFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& folder, const std::wstring& name);

    // Removes the folder with everything inside it, as far as the server
    // allows: files first, then the folders deepest first, then the folder.
    // The work listing holds the enumerated tree afterwards.
    void DeleteFtpFolderTree(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                             const std::wstring& folder, const std::wstring& name, FtpListing& work,
                             const FtpDeleteProgress& progress);

private:
    std::unique_ptr<FtpSession> Open(const FtpServerAddress& address, const std::wstring& user,
                                     const std::wstring& password);
    // Logged in and inside the folder, or null.
    std::unique_ptr<FtpSession> OpenIn(const std::wstring& serverName, const std::wstring& user,
                                       const std::wstring& password, const std::wstring& folder);
    void WalkLevel(const FtpServerAddress& address, const std::wstring& user, const std::wstring& password,
                   const std::wstring& folder, int depth, FtpListing& listing);

    FtpPrimitives& m_ftp;
};
