// An in-memory local file system behind LocalFiles: folders and files by full
// path with "\" separators, enumeration in the order they were added, and a
// log of every change the program asks for.
#pragma once

#include "localpane/LocalFiles.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

class FakeLocalFiles : public LocalFiles {
public:
    // Missing parents are added too (a drive "C:" is a folder like any other).
    void AddFolder(const std::wstring& path)
    {
        if (m_folders.count(path))
            return;
        const std::size_t cut = path.rfind(L'\\');
        if (cut != std::wstring::npos) {
            AddFolder(path.substr(0, cut));
            m_children[path.substr(0, cut)].push_back(path);
        }
        m_folders.insert(path);
    }
    void AddFile(const std::wstring& path, std::uint64_t size = 0)
    {
        const std::size_t cut = path.rfind(L'\\');
        AddFolder(path.substr(0, cut));
        m_children[path.substr(0, cut)].push_back(path);
        m_files[path] = size;
    }

    std::vector<std::wstring> log;
    std::set<std::wstring> refuseRename;  // full paths the rename fails for
    std::set<std::wstring> linkedFolders;  // folders that are links to others

    LocalListing ListFolder(const std::wstring& folder) override
    {
        log.push_back(L"LIST " + folder);
        LocalListing listing;
        for (const std::wstring& child : Children(folder)) {
            const std::wstring name = child.substr(child.rfind(L'\\') + 1);
            if (m_folders.count(child)) {
                listing.folderNames.push_back(name);
            } else {
                listing.fileNames.push_back(name);
                listing.fileSizes.push_back(m_files[child]);
            }
        }
        return listing;
    }

    std::vector<std::wstring> CollectFilesRecursive(const std::wstring& folder,
                                                    std::vector<std::wstring>& links) override
    {
        std::vector<std::wstring> files;
        for (const std::wstring& child : Children(folder)) {
            if (linkedFolders.count(child)) {
                links.push_back(child);
            } else if (m_folders.count(child)) {
                const std::vector<std::wstring> below = CollectFilesRecursive(child, links);
                files.insert(files.end(), below.begin(), below.end());
            } else {
                files.push_back(child);
            }
        }
        return files;
    }

    bool Exists(const std::wstring& path) override { return m_folders.count(path) || m_files.count(path); }
    std::optional<LocalFileInfo> FileInfo(const std::wstring& path) override
    {
        const auto it = m_files.find(path);
        return it == m_files.end() ? std::nullopt : std::optional<LocalFileInfo>(LocalFileInfo{it->second, 0});
    }
    std::uint64_t SizeOf(const std::wstring& path) const
    {
        const auto it = m_files.find(path);
        return it == m_files.end() ? 0 : it->second;
    }

    using LocalFiles::CreateFolder;
    bool CreateFolder(const std::wstring& path, std::wstring&) override
    {
        log.push_back(L"MKDIR " + path);
        const std::size_t cut = path.rfind(L'\\');
        if (Exists(path) || cut == std::wstring::npos || !m_folders.count(path.substr(0, cut)))
            return false;
        AddFolder(path);
        return true;
    }

    bool GoesToRecycleBin(const std::wstring&) override { return true; }
    bool DeleteToRecycleBin(const std::wstring& path, std::wstring&) override
    {
        log.push_back(L"RECYCLE " + path);
        m_files.erase(path);
        m_folders.erase(path);
        return true;
    }

    // As MoveFileW: an existing target is never replaced. Only the entry
    // itself is renamed; the commands never look below it.
    bool Rename(const std::wstring& from, const std::wstring& to, std::wstring& reason) override
    {
        log.push_back(L"RENAME " + from + L" > " + to);
        if (refuseRename.count(from) || !Exists(from) || Exists(to)) {
            reason = L"Access is denied.";
            return false;
        }
        if (m_folders.erase(from)) {
            m_folders.insert(to);
        } else {
            m_files[to] = m_files[from];
            m_files.erase(from);
        }
        std::vector<std::wstring>& siblings = m_children[to.substr(0, to.rfind(L'\\'))];
        std::replace(siblings.begin(), siblings.end(), from, to);
        return true;
    }

private:
    std::vector<std::wstring> Children(const std::wstring& folder) const
    {
        std::vector<std::wstring> children;
        const auto it = m_children.find(folder);
        if (it != m_children.end())
            for (const std::wstring& child : it->second)
                if (Exists(child))
                    children.push_back(child);
        return children;
    }
    bool Exists(const std::wstring& path) const { return m_folders.count(path) || m_files.count(path); }

    std::set<std::wstring> m_folders;
    std::map<std::wstring, std::uint64_t> m_files;
    std::map<std::wstring, std::vector<std::wstring>> m_children;
};
