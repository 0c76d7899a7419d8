#include "transfer/FtpFileOpener.h"

#include "framework/Control.h"
#include "framework/UiSeam.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "localpane/LocalPath.h"
#include "res/resource.h"
#include "transfer/OpenedCopies.h"
#include "transfer/TransferBatch.h"
#include "transfer/TransferCommand.h"

#include <utility>

namespace {

std::uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// True when the folder is empty afterwards.
bool RemoveOldFiles(const std::wstring& folder, std::uint64_t now, int depth)
{
    WIN32_FIND_DATAW entry = {};
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool empty = true;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        const std::wstring path = JoinLocal(folder, name);
        bool gone = false;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            gone = false;  // never followed: what it leads to is not ours
        else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            gone = depth < kMaxLocalTreeDepth && RemoveOldFiles(path, now, depth + 1) &&
                   ::RemoveDirectoryW(path.c_str());
        else
            gone = IsOldCopy(Ticks(entry.ftLastWriteTime), now) && ::DeleteFileW(path.c_str());
        empty = empty && gone;
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return empty;
}

}  // namespace

FtpFileOpener::FtpFileOpener(const CTranslation& texts, LocalFiles& files, const ServerProfile& profile,
                             TransferCommand& transfer, std::wstring root)
    : m_texts(texts), m_files(files), m_profile(profile), m_transfer(transfer), m_root(std::move(root))
{
}

bool FtpFileOpener::Open(const PaneRow& row)
{
    if (row.kind != RowKind::File)
        return false;
    const std::wstring folder = OpenedCopyFolder(m_root, m_profile.login, m_profile.folder);
    TransferBatch::CreateLocalPath(m_files, folder);
    // A copy from an earlier opening is replaced unasked: it is the program's,
    // not the user's. One its program still holds open stays, and the replace
    // question asks about it.
    const std::wstring path = JoinLocal(folder, row.name);
    ::DeleteFileW(path.c_str());
    return m_transfer.DownloadThen(folder, row, [this, path, name = row.name] {
        m_arrived = path;
        m_name = name;
    });
}

void FtpFileOpener::AfterFtpWork()
{
    const std::wstring path = std::exchange(m_arrived, std::wstring());
    if (path.empty())
        return;
    std::wstring reason;
    if (Ui().OpenWithProgram(path, reason))
        Control(::GetDlgItem(m_dialog, IDC_STATUS)).SetText(FillPlaceholder(m_texts.Text(TextId::kCopyOpened), m_name));
    else
        Ui().ShowMessage(m_dialog, FillPlaceholder(m_texts.Text(TextId::kCopyNotOpened), path) + L"\n" + reason,
                         m_texts.Text(TextId::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}

std::wstring FtpFileOpener::CopiesRoot()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    std::wstring root(temp, length > MAX_PATH ? 0 : length);
    while (!root.empty() && root.back() == L'\\')
        root.pop_back();
    return root + L"\\FTPTandril copies";
}

void FtpFileOpener::RemoveOldCopies(const std::wstring& root, std::uint64_t now)
{
    RemoveOldFiles(root, now, 0);
}
