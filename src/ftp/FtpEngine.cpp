#include "ftp/FtpEngine.h"

#include "ftp/WinInetFtp.h"

namespace {

FtpOperations& Engine()
{
    static WinInetFtp winInet;
    static FtpOperations operations(winInet);
    return operations;
}

}  // namespace

bool ListFtpFolder(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                   const std::wstring& password, const std::wstring& folder)
{
    return Engine().ListFtpFolder(listing, serverName, user, password, folder);
}

bool UploadFile(FtpListing& listing, const std::wstring& localPath, const std::wstring& serverName,
                const std::wstring& user, const std::wstring& password, const std::wstring& folder)
{
    return Engine().UploadFile(listing, localPath, serverName, user, password, folder);
}

void CreateFtpFolderPath(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& path)
{
    Engine().CreateFtpFolderPath(serverName, user, password, path);
}

bool DownloadFile(const std::wstring& localFolder, const std::wstring& serverName, const std::wstring& user,
                  const std::wstring& password, const std::wstring& folder, const std::wstring& fileName)
{
    return Engine().DownloadFile(localFolder, serverName, user, password, folder, fileName);
}

bool EnumerateFtpTree(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                      const std::wstring& password, const std::wstring& folder)
{
    return Engine().EnumerateFtpTree(listing, serverName, user, password, folder);
}

bool CreateFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                     const std::wstring& path)
{
    return Engine().CreateFtpFolder(serverName, user, password, path);
}

bool DeleteFtpFile(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                   const std::wstring& folder, const std::wstring& name)
{
    return Engine().DeleteFtpFile(serverName, user, password, folder, name);
}

bool RemoveFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                     const std::wstring& folder, const std::wstring& name)
{
    return Engine().RemoveFtpFolder(serverName, user, password, folder, name);
}

void DeleteFtpFolderTree(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& folder, const std::wstring& name, FtpListing& work,
                         const FtpDeleteProgress& progress)
{
    Engine().DeleteFtpFolderTree(serverName, user, password, folder, name, work, progress);
}

void PumpPendingMessages()
{
    WinInetFtp().PumpPendingMessages();
}
