// Files dropped from the shell onto the FTP list, through the window's
// registered OLE drop target with the shell's own data object of real files,
// and server files opened as copies in the program's private folder.
#include "TransferTestSupport.h"

#include "transfer/FtpFileOpener.h"
#include "transfer/OpenedCopies.h"

#include <shlobj.h>

using namespace testenv;
using namespace transfertest;

namespace {

class ExplorerDropTest : public TransferTest {
protected:
    void SetUp() override
    {
        // As the program does; the window registers its drop target with OLE.
        ::OleInitialize(nullptr);
        m_local = ScratchFolder(L"drop-local");
        WriteFileIn(m_local + L"\\a.txt", "line\r\nline\n");
        WriteFileIn(m_local + L"\\tree\\sub\\b.bin", std::string("\0\1\2\r\n\xFF", 6));
        m_folder = FreshFtpFolder(L"drop");
        MakeFolders(FtpPath(m_folder + L"/in"));
        WriteFileIn(FtpPath(m_folder + L"/open.txt"), "opened\r\n");
        Open(m_local, {m_folder});
    }

    // Drops the names of the local folder, as the shell hands them over, at
    // the centre of the FTP list's row (or of the list itself); true when the
    // window took the drop.
    bool DropOn(const std::vector<std::wstring>& names, const std::wstring& row = L"")
    {
        IShellFolder* desktop = nullptr;
        IShellFolder* folder = nullptr;
        PIDLIST_RELATIVE parent = nullptr;
        std::vector<PCUITEMID_CHILD> items;
        IDataObject* data = nullptr;
        EXPECT_HRESULT_SUCCEEDED(::SHGetDesktopFolder(&desktop));
        EXPECT_HRESULT_SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, m_local.data(), nullptr, &parent, nullptr));
        EXPECT_HRESULT_SUCCEEDED(desktop->BindToObject(parent, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder)));
        for (std::wstring name : names) {
            PIDLIST_RELATIVE item = nullptr;
            EXPECT_HRESULT_SUCCEEDED(folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr));
            items.push_back(item);
        }
        EXPECT_HRESULT_SUCCEEDED(folder->GetUIObjectOf(Hwnd(), static_cast<UINT>(items.size()), items.data(),
                                                       IID_IDataObject, nullptr, reinterpret_cast<void**>(&data)));
        RECT rect = {LVIR_BOUNDS, 0, 0, 0};
        if (row.empty())
            ::GetClientRect(FtpList().Handle(), &rect);
        else
            FtpList().Send(LVM_GETITEMRECT, RowOf(FtpList(), row), reinterpret_cast<LPARAM>(&rect));
        POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ClientToScreen(FtpList().Handle(), &centre);
        // Where OLE keeps the target RegisterDragDrop was given for the window.
        auto* target = static_cast<IDropTarget*>(::GetPropW(Hwnd(), L"OleDropTargetInterface"));
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_NE(target, nullptr);
        if (target && data) {
            target->DragEnter(data, MK_LBUTTON, {centre.x, centre.y}, &effect);
            target->Drop(data, 0, {centre.x, centre.y}, &effect);
        }
        WaitForFtpWork();
        for (PCUITEMID_CHILD item : items)
            ::CoTaskMemFree(const_cast<ITEMIDLIST*>(item));
        ::CoTaskMemFree(parent);
        for (IUnknown* object : std::initializer_list<IUnknown*>{data, folder, desktop})
            if (object)
                object->Release();
        return effect == DROPEFFECT_COPY;
    }

    std::wstring m_local;
    std::wstring m_folder;
};

}  // namespace

TEST_F(ExplorerDropTest, DroppedFilesAndFoldersArriveWholeInTheFolderShownOrTheRowDroppedOn)
{
    ASSERT_TRUE(DropOn({L"a.txt", L"tree"}));
    ASSERT_TRUE(DropOn({L"a.txt"}, L"in"));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    EXPECT_EQ(FilesBelow(FtpPath(m_folder)), (std::map<std::wstring, std::string>{
                                                 {L"a.txt", "line\r\nline\n"},
                                                 {L"in/a.txt", "line\r\nline\n"},
                                                 {L"open.txt", "opened\r\n"},
                                                 {L"tree/sub/b.bin", std::string("\0\1\2\r\n\xFF", 6)}}));
}

TEST_F(ExplorerDropTest, ADropWhileFtpWorkRunsIsRefusedWithWhatRuns)
{
    NMLVKEYDOWN refresh = {{FtpList().Handle(), IDC_FTP_LIST, LVN_KEYDOWN}, VK_F5, 0};
    ::SendMessageW(Hwnd(), WM_NOTIFY, IDC_FTP_LIST, reinterpret_cast<LPARAM>(&refresh));
    ASSERT_TRUE(parts.work.IsBusy());
    EXPECT_FALSE(DropOn({L"a.txt"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, FillPlaceholder(Texts().Text(TextId::kDropWhileBusy),
                                                   Texts().Text(TextId::kReadingFtpFolder)));
    EXPECT_FALSE(Exists(FtpPath(m_folder + L"/a.txt")));
}

TEST_F(ExplorerDropTest, AnFtpFileOpensAsACopyInThePrivateFolder)
{
    const std::wstring copy =
        OpenedCopyFolder(FtpFileOpener::CopiesRoot(), window->Profile().login, m_folder) + L"\\open.txt";
    ::DeleteFileW(copy.c_str());
    DoubleClick(IDC_FTP_LIST, RowOf(IDC_FTP_LIST, L"open.txt"));
    EXPECT_EQ(ui.opened, std::vector<std::wstring>{copy});
    EXPECT_EQ(ReadFile(copy), "opened\r\n");
    EXPECT_EQ(Text(IDC_STATUS), FillPlaceholder(Texts().Text(TextId::kCopyOpened), L"open.txt"));
}

TEST(OpenedCopiesCleanUp, OnlyFilesOlderThanADayGoAndTheFoldersTheyLeaveEmpty)
{
    const std::wstring root = ScratchFolder(L"opened-copies");
    FILETIME time = {};
    ::GetSystemTimeAsFileTime(&time);
    const unsigned long long now = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    for (const wchar_t* file : {L"\\old\\a.txt", L"\\old\\deeper\\b.txt", L"\\mixed\\old.txt", L"\\mixed\\new.txt"}) {
        WriteFileIn(root + file, "x");
        SetLastWriteTime(root + file, std::wstring(file).find(L"new") == std::wstring::npos ? now - 2 * kTicksPerDay : now);
    }
    FtpFileOpener::RemoveOldCopies(root, now);
    EXPECT_FALSE(Exists(root + L"\\old"));
    EXPECT_FALSE(Exists(root + L"\\mixed\\old.txt"));
    EXPECT_TRUE(Exists(root + L"\\mixed\\new.txt"));
    EXPECT_TRUE(Exists(root));  // the folder itself stays
}
