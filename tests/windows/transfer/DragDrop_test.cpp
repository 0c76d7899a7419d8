// Dragging rows out of a list and releasing them: the start sets the
// direction, a release over either list transfers, anything else does not;
// the drag keeps the mouse captured and ends cleanly, also when the capture
// is taken away.
#include "TransferTestSupport.h"

using namespace testenv;
using namespace transfertest;

namespace {

// Where the pointer is released: a control of the main window, the column
// header of a list, or a point outside the window.
enum class Target { kLocalList, kFtpList, kLocalBrowse, kFtpHeader, kOutside };

class DragDropTest : public TransferTest {
protected:
    void SetUp() override
    {
        m_local = ScratchFolder(L"h6-drag");
        WriteFileIn(m_local + L"\\d-up.txt", "up");
        m_folder = FreshFtpFolder(L"h6-drag");
        WriteFileIn(FtpPath(m_folder + L"/d-down.txt"), "down");
        Open(m_local, {m_folder});
        SelectRows(LocalList(), {L"d-up.txt"});
        SelectRows(FtpList(), {L"d-down.txt"});
    }

    // A point in the main window's client coordinates.
    POINT PointOf(Target target) const
    {
        RECT rect = {};
        switch (target) {
        case Target::kLocalList: ::GetWindowRect(Item(IDC_LOCAL_LIST), &rect); break;
        case Target::kFtpList: ::GetWindowRect(Item(IDC_FTP_LIST), &rect); break;
        case Target::kLocalBrowse: ::GetWindowRect(Item(IDC_LOCAL_BROWSE), &rect); break;
        case Target::kFtpHeader:
            ::GetWindowRect(reinterpret_cast<HWND>(FtpList().Send(LVM_GETHEADER)), &rect);
            break;
        case Target::kOutside: {
            ::GetWindowRect(window->Handle(), &rect);
            POINT outside = {rect.right + 60, rect.top + 60};
            ::ScreenToClient(window->Handle(), &outside);
            return outside;
        }
        }
        POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ScreenToClient(window->Handle(), &centre);
        return centre;
    }

    void BeginDrag(int listId, const std::wstring& row, UINT code = LVN_BEGINDRAG) const
    {
        const ListView list(Item(listId));
        NMLISTVIEW begin = {};
        begin.hdr = {list.Handle(), static_cast<UINT_PTR>(listId), code};
        begin.iItem = RowOf(list, row);
        RECT item = {LVIR_BOUNDS, 0, 0, 0};
        list.Send(LVM_GETITEMRECT, begin.iItem, reinterpret_cast<LPARAM>(&item));
        begin.ptAction = {item.left + 8, (item.top + item.bottom) / 2};
        ::SendMessageW(window->Handle(), WM_NOTIFY, listId, reinterpret_cast<LPARAM>(&begin));
    }

    void Mouse(UINT message, POINT client) const
    {
        ::SendMessageW(window->Handle(), message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0,
                       MAKELPARAM(client.x, client.y));
        WaitForFtpWork();  // a release over a list starts a transfer
    }

    bool Uploaded() const { return Exists(FtpPath(m_folder + L"/d-up.txt")); }
    bool Downloaded() const { return Exists(m_local + L"\\d-down.txt"); }
    void Undo() const
    {
        ::DeleteFileW(FtpPath(m_folder + L"/d-up.txt").c_str());
        ::DeleteFileW((m_local + L"\\d-down.txt").c_str());
        window->FillLocalList(m_local);
        SelectRows(LocalList(), {L"d-up.txt"});
        // An upload lists the FTP folder again, which drops its selection.
        SelectRows(FtpList(), {L"d-down.txt"});
    }

    void ExpectIdle() const
    {
        EXPECT_NE(::GetCapture(), window->Handle());
        EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    }

    std::wstring m_local;
    std::wstring m_folder;
};

bool DropHilited(const ListView& list, int row)
{
    return (list.Send(LVM_GETITEMSTATE, row, LVIS_DROPHILITED) & LVIS_DROPHILITED) != 0;
}

}  // namespace

TEST_F(DragDropTest, AReleaseOverEitherListTransfersInTheDirectionOfTheSourceList)
{
    struct Case { int from; Target over; bool upload; bool transfers; };
    const Case cases[] = {
        {IDC_LOCAL_LIST, Target::kFtpList, true, true},
        {IDC_FTP_LIST, Target::kLocalList, false, true},
        {IDC_LOCAL_LIST, Target::kLocalList, true, true},
        {IDC_FTP_LIST, Target::kFtpList, false, true},
        {IDC_LOCAL_LIST, Target::kLocalBrowse, true, false},
        {IDC_FTP_LIST, Target::kFtpHeader, false, false},
        {IDC_LOCAL_LIST, Target::kOutside, true, false},
        {IDC_FTP_LIST, Target::kOutside, false, false},
    };
    // The FTP list still shows the file an earlier case uploaded: replace it.
    ui.onModal = [](Dialog&) { return IDC_REPLACE; };
    for (const Case& c : cases) {
        const int index = static_cast<int>(&c - cases);
        // Start from the other direction, so the drag has to change it.
        Click(c.upload ? IDC_TO_LOCAL : IDC_TO_FTP);
        BeginDrag(c.from, c.from == IDC_LOCAL_LIST ? L"d-up.txt" : L"d-down.txt");
        EXPECT_EQ(::GetCapture(), window->Handle()) << index;
        EXPECT_NE(ImageList_GetDragImage(nullptr, nullptr), nullptr) << index;
        EXPECT_EQ(Text(IDC_TRANSFER), c.upload ? UploadCaption() : DownloadCaption()) << index;
        EXPECT_EQ(::IsWindowEnabled(Item(IDC_TO_LOCAL)) != FALSE, c.upload) << index;
        EXPECT_EQ(::IsWindowEnabled(Item(IDC_TO_FTP)) != FALSE, !c.upload) << index;

        Mouse(WM_MOUSEMOVE, PointOf(Target::kLocalList));
        Mouse(WM_MOUSEMOVE, PointOf(c.over));
        Mouse(WM_LBUTTONUP, PointOf(c.over));

        ExpectIdle();
        EXPECT_EQ(Uploaded(), c.transfers && c.upload) << index;
        EXPECT_EQ(Downloaded(), c.transfers && !c.upload) << index;
        EXPECT_EQ(Text(IDC_TRANSFER), c.upload ? UploadCaption() : DownloadCaption()) << index;
        Undo();
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DragDropTest, LeavingAListTakesTheDropHighlightOffItsItems)
{
    BeginDrag(IDC_LOCAL_LIST, L"d-up.txt");
    const ListView local = LocalList();
    const ListView ftp = FtpList();
    LVITEMW highlight = {};
    highlight.stateMask = LVIS_DROPHILITED;
    highlight.state = LVIS_DROPHILITED;
    ftp.Send(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&highlight));
    local.Send(LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&highlight));

    Mouse(WM_MOUSEMOVE, PointOf(Target::kLocalList));
    EXPECT_TRUE(DropHilited(local, 1));  // still the list the drag started in
    Mouse(WM_MOUSEMOVE, PointOf(Target::kFtpList));
    EXPECT_FALSE(DropHilited(local, 1));
    EXPECT_TRUE(DropHilited(ftp, 1));
    Mouse(WM_MOUSEMOVE, PointOf(Target::kLocalBrowse));
    EXPECT_FALSE(DropHilited(ftp, 1));
    EXPECT_EQ(::GetCapture(), window->Handle());
    EXPECT_NE(ImageList_GetDragImage(nullptr, nullptr), nullptr);

    Mouse(WM_LBUTTONUP, PointOf(Target::kOutside));
    ExpectIdle();
    EXPECT_FALSE(Uploaded());
}

TEST_F(DragDropTest, LosingTheCaptureEndsTheDragWithoutATransfer)
{
    BeginDrag(IDC_LOCAL_LIST, L"d-up.txt");
    ASSERT_EQ(::GetCapture(), window->Handle());
    // Another window takes the mouse.
    ::SetCapture(Item(IDC_FTP_LIST));
    EXPECT_EQ(ImageList_GetDragImage(nullptr, nullptr), nullptr);
    ::ReleaseCapture();

    Mouse(WM_LBUTTONUP, PointOf(Target::kFtpList));
    ExpectIdle();
    EXPECT_FALSE(Uploaded());
    EXPECT_EQ(Text(IDC_TRANSFER), UploadCaption());
}

TEST_F(DragDropTest, ARightButtonDragDoesNothing)
{
    Click(IDC_TO_LOCAL);
    BeginDrag(IDC_LOCAL_LIST, L"d-up.txt", LVN_BEGINRDRAG);
    ExpectIdle();
    Mouse(WM_LBUTTONUP, PointOf(Target::kFtpList));
    EXPECT_FALSE(Uploaded());
    EXPECT_FALSE(Downloaded());
    EXPECT_EQ(Text(IDC_TRANSFER), DownloadCaption());
}
