#include "transfer/ExplorerDrop.h"

#include "framework/ListView.h"
#include "framework/UiSeam.h"
#include "ftp/FtpJobs.h"
#include "ftppane/FtpFolderNavigation.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/RowModel.h"
#include "res/resource.h"
#include "transfer/DroppedItems.h"
#include "transfer/TransferCommand.h"

#include <shellapi.h>

namespace {

std::vector<std::wstring> DroppedPaths(HDROP drop)
{
    std::vector<std::wstring> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(path);
    }
    return paths;
}

FORMATETC FileListFormat()
{
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

DroppedItem Examine(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {path};
    return {path, true, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

}  // namespace

ExplorerDrop::ExplorerDrop(const CTranslation& texts, FtpJobs& jobs, const ServerProfile& profile,
                           TransferCommand& transfer)
    : m_texts(texts), m_jobs(jobs), m_profile(profile), m_transfer(transfer)
{
}

ExplorerDrop::~ExplorerDrop() { Revoke(); }

void ExplorerDrop::Register(HWND dialog)
{
    m_dialog = dialog;
    m_ftpList = ::GetDlgItem(dialog, IDC_FTP_LIST);
    if (m_registered)
        return;
    // Fails with CO_E_NOTINITIALIZED where OLE was not initialised.
    m_registered = SUCCEEDED(::RegisterDragDrop(dialog, this));
    if (!m_registered)
        ::DragAcceptFiles(dialog, TRUE);
}

void ExplorerDrop::Revoke()
{
    if (m_registered && ::IsWindow(m_dialog))
        ::RevokeDragDrop(m_dialog);
    m_registered = false;
}

HRESULT ExplorerDrop::QueryInterface(REFIID id, void** object)
{
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ExplorerDrop::DragEnter(IDataObject*, DWORD keys, POINTL at, DWORD* effect)
{
    return DragOver(keys, at, effect);
}

HRESULT ExplorerDrop::DragOver(DWORD, POINTL at, DWORD* effect)
{
    const POINT screen = {at.x, at.y};
    const bool over = OverFtpList(screen);
    Highlight(over ? FolderRowAt(screen) : -1);
    *effect = over && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT ExplorerDrop::DragLeave()
{
    Highlight(-1);
    return S_OK;
}

HRESULT ExplorerDrop::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect)
{
    Highlight(-1);
    const POINT screen = {at.x, at.y};
    *effect = DROPEFFECT_NONE;
    if (!OverFtpList(screen))
        return S_OK;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    std::vector<std::wstring> paths;
    if (data && SUCCEEDED(data->GetData(&format, &medium))) {
        if (const HDROP drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal))) {
            paths = DroppedPaths(drop);
            ::GlobalUnlock(medium.hGlobal);
        }
        ::ReleaseStgMedium(&medium);
    }
    // The source learns whether anything was taken.
    *effect = Upload(paths, screen) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

void ExplorerDrop::OnDropFiles(HDROP drop)
{
    POINT at = {};
    ::DragQueryPoint(drop, &at);
    ::ClientToScreen(m_dialog, &at);
    const std::vector<std::wstring> paths = DroppedPaths(drop);
    ::DragFinish(drop);
    if (OverFtpList(at))
        Upload(paths, at);
}

bool ExplorerDrop::Upload(const std::vector<std::wstring>& paths, POINT screen)
{
    if (m_jobs.IsBusy()) {
        const std::wstring doing = Control(::GetDlgItem(m_dialog, IDC_STATUS)).Text();
        Tell(FillPlaceholder(m_texts.Text(TextId::kDropWhileBusy), doing));
        return false;
    }
    if (m_profile.login.serverName.empty()) {
        Tell(m_texts.Text(TextId::kDropWithoutServer));
        return false;
    }
    std::vector<DroppedItem> items;
    for (const std::wstring& path : paths)
        items.push_back(Examine(path));
    const std::vector<std::wstring> refused = RefusedDroppedItems(items);
    if (paths.empty() || !refused.empty()) {
        std::wstring names;
        for (const std::wstring& path : refused)
            names += L"\n" + path;
        Tell(m_texts.Text(TextId::kDropRefused) + names);
        return false;
    }
    const int row = FolderRowAt(screen);
    const std::wstring folder =
        row < 0 ? m_profile.folder : SubFolderPath(m_profile.folder, ListView(m_ftpList).CellText(row, 0));
    return m_transfer.UploadPaths(paths, folder);
}

bool ExplorerDrop::OverFtpList(POINT screen) const
{
    RECT list = {};
    return m_ftpList && ::GetWindowRect(m_ftpList, &list) && ::PtInRect(&list, screen);
}

int ExplorerDrop::FolderRowAt(POINT screen) const
{
    LVHITTESTINFO hit = {};
    hit.pt = screen;
    ::ScreenToClient(m_ftpList, &hit.pt);
    const ListView list(m_ftpList);
    const int row = static_cast<int>(list.Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (row < 0 || !(hit.flags & LVHT_ONITEM))
        return -1;
    // By the image alone: a server folder may be named like the parent row.
    return list.Image(row) == kFolderImage ? row : -1;
}

void ExplorerDrop::Highlight(int row)
{
    if (row == m_highlighted)
        return;
    const ListView list(m_ftpList);
    LVITEMW item = {};
    item.stateMask = LVIS_DROPHILITED;
    if (m_highlighted >= 0)
        list.Send(LVM_SETITEMSTATE, m_highlighted, reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_DROPHILITED;
    if (row >= 0)
        list.Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    m_highlighted = row;
}

void ExplorerDrop::Tell(const std::wstring& text) const
{
    Ui().ShowMessage(m_dialog, text, m_texts.Text(TextId::kMessageCaption), MB_OK | MB_ICONEXCLAMATION);
}
