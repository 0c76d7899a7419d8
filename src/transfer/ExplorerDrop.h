// Files and folders dropped from the shell (Explorer) onto the FTP list are
// uploaded, as the transfer command's batch, into the FTP folder shown or
// into the folder row the drop lands on. The cursor shows a copy over the FTP
// list and "no" anywhere else. The drop comes through OLE drag and drop (the
// shell's file list, CF_HDROP); where OLE is not available the window takes
// WM_DROPFILES instead. Owned by the main window, which registers it once its
// window exists and revokes it before the window goes.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <vector>

class CTranslation;
class FtpJobs;
class TransferCommand;
struct ServerProfile;

class ExplorerDrop : public IDropTarget {
public:
    ExplorerDrop(const CTranslation& texts, FtpJobs& jobs, const ServerProfile& profile, TransferCommand& transfer);
    ~ExplorerDrop();
    ExplorerDrop(const ExplorerDrop&) = delete;
    ExplorerDrop& operator=(const ExplorerDrop&) = delete;

    // Registers the window as a drop target (or, without OLE, as one that
    // accepts WM_DROPFILES).
    void Register(HWND dialog);
    void Revoke();
    // WM_DROPFILES; the handle is released here.
    void OnDropFiles(HDROP drop);

    // IUnknown: the window owns the object; the counts only keep COM honest.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) override;

private:
    bool OverFtpList(POINT screen) const;
    // The folder row under the point, or -1.
    int FolderRowAt(POINT screen) const;
    void Highlight(int row);
    // Checks the dropped paths and starts their upload; a drop that brought
    // no file list (items without a file-system path) is refused. True when
    // the upload started.
    bool Upload(const std::vector<std::wstring>& paths, POINT screen);
    void Tell(const std::wstring& text) const;

    const CTranslation& m_texts;
    FtpJobs& m_jobs;
    const ServerProfile& m_profile;
    TransferCommand& m_transfer;
    HWND m_dialog = nullptr;
    HWND m_ftpList = nullptr;
    bool m_registered = false;
    int m_highlighted = -1;
    ULONG m_references = 1;
};
