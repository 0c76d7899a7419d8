// Path rules of the transfer: where a file found below a selected local folder
// goes on the server, where a file found below a selected remote folder goes
// locally, and which local folders a target path needs. Local paths use "\",
// remote paths "/"; an empty FTP folder is the login directory.
#pragma once

#include <string>
#include <vector>

// The remote sub-folder of a collected file, "/"-separated with a leading "/":
// the file's path with the local folder taken off its front, up to its last
// separator. "C:\Data" and "C:\Data\Photos\2014\a.jpg" give "/Photos/2014";
// "C:" and "C:\Photos\a.jpg" give "/Photos".
std::wstring RemoteSubFolder(const std::wstring& localFolder, const std::wstring& filePath);

// The remote folder a collected file is uploaded to: the FTP folder joined
// with the sub-folder. From the empty FTP folder the result stays relative to
// the login directory ("Photos/2014", not "/Photos/2014").
std::wstring RemoteTargetFolder(const std::wstring& ftpFolder, const std::wstring& subFolder);

// A remote path found by a tree walk, relative to the FTP folder, "/"-separated
// and without a leading "/": only the leading FTP folder is taken off, so with
// the FTP folder "www" the path "www/img/www/a.png" gives "img/www/a.png".
std::wstring RelativeToFtpFolder(const std::wstring& ftpFolder, const std::wstring& remotePath);

// The local sub-folder of a relative remote path, with "\": "img/www/a.png"
// gives "img\www", a plain name gives "".
std::wstring LocalSubFolder(const std::wstring& relativePath);

// The local folder with a sub-folder below it, a "\" between the two.
std::wstring JoinLocalSubFolder(const std::wstring& localFolder, const std::wstring& subFolder);

// The folders to look for, and create when missing, from the outermost to
// the path itself, so that the path exists afterwards. The drive ("C:") and
// the server and share of a network path are never among them. The path is
// collapsed first; a trailing "\" is dropped.
std::vector<std::wstring> FoldersToCreate(const std::wstring& path);
