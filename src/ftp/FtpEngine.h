// The FTP engine as the panes and the transfer call it: every operation runs
// on WinINet, with the server profile's four texts as separate arguments.
#pragma once

#include "ftp/FtpListing.h"
#include "ftp/FtpOperations.h"

#include <string>

bool ListFtpFolder(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                   const std::wstring& password, const std::wstring& folder);

bool UploadFile(FtpListing& listing, const std::wstring& localPath, const std::wstring& serverName,
                const std::wstring& user, const std::wstring& password, const std::wstring& folder);

void CreateFtpFolderPath(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& path);

bool DownloadFile(const std::wstring& localFolder, const std::wstring& serverName, const std::wstring& user,
                  const std::wstring& password, const std::wstring& folder, const std::wstring& fileName);

bool EnumerateFtpTree(FtpListing& listing, const std::wstring& serverName, const std::wstring& user,
                      const std::wstring& password, const std::wstring& folder);

bool CreateFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                     const std::wstring& path);

bool DeleteFtpFile(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                   const std::wstring& folder, const std::wstring& name);

bool RemoveFtpFolder(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                     const std::wstring& folder, const std::wstring& name);

void DeleteFtpFolderTree(const std::wstring& serverName, const std::wstring& user, const std::wstring& password,
                         const std::wstring& folder, const std::wstring& name, FtpListing& work,
                         const FtpDeleteProgress& progress);

// Handles every window message waiting for the calling thread, without waiting.
void PumpPendingMessages();
