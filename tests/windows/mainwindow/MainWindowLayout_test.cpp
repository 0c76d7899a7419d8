// Where the controls go at every change of size: pixel rules from the left
// edge, the centre and the right edge, from the window's default size on.
#include "MainWindowTestSupport.h"

#include "res/resource.h"

#include <algorithm>
#include <utility>

using namespace mainwindow;

namespace {

struct Box { int id; int x; int y; int width; int height; };

bool operator==(const RECT& rect, const Box& box)
{
    return rect.left == box.x && rect.top == box.y && rect.right - rect.left == box.width &&
           rect.bottom - rect.top == box.height;
}

std::string Describe(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) +
           "x" + std::to_string(rect.bottom - rect.top);
}

class MainWindowLayout : public MainWindowTest {
protected:
    void Resize(UINT kind, int width, int height)
    {
        ::SendMessageW(Hwnd(), WM_SIZE, kind, MAKELPARAM(width, height));
    }
    void ExpectBoxes(const std::vector<Box>& boxes, const char* what)
    {
        for (const Box& box : boxes)
            EXPECT_TRUE(Placement(box.id) == box) << what << ": control " << box.id << " is at " << Describe(Placement(box.id));
    }
    // The pixel rules, written out for one client size.
    static std::vector<Box> RuleBoxes(int w, int h)
    {
        const int m = w / 2;
        return {{IDC_TRANSFER, m - 105, h - 45, 209, 34},  {IDC_TO_LOCAL, m - 140, h - 45, 34, 34},
                {IDC_TO_FTP, m + 105, h - 45, 34, 34},     {IDC_STATUS, 7, h - 71, w - 14, 24},
                {IDC_PROGRESS, w - w / 4 - 7, h - 67, w / 4, 16},
                {IDC_LOCAL_GROUP, 10, 11, m - 17, h - 92}, {IDC_LOCAL_PATH, 20, 28, m - 140, 20},
                {IDC_LOCAL_BROWSE, m - 118, 28, 101, 20},  {IDC_LOCAL_DELETE, m - 133, h - 108, 116, 20},
                {IDC_LOCAL_ADDFOLDER, 20, h - 108, 116, 20}, {IDC_LOCAL_LIST, 20, 55, m - 38, h - 171},
                {IDC_FTP_GROUP, m + 9, 11, m - 17, h - 92}, {IDC_FTP_PATH, m + 20, 28, m - 140, 20},
                {IDC_FTP_BROWSE, w - 118, 28, 101, 20},    {IDC_FTP_DELETE, w - 133, h - 108, 116, 20},
                {IDC_FTP_ADDFOLDER, m + 20, h - 108, 116, 20}, {IDC_FTP_LIST, m + 20, 55, m - 38, h - 171}};
    }
};

}  // namespace

TEST_F(MainWindowLayout, OpensWithRoomForNamesInsideTheWorkArea)
{
    Open(QuietSettings());
    ExpectColumnsFit();
    ExpectRoomForNames();
    // The status line spans its row, and gives way to the progress bar only while it shows.
    EXPECT_EQ(Placement(IDC_STATUS).right, Placement(IDC_PROGRESS).right);
    ::ShowWindow(Item(IDC_PROGRESS), SW_SHOW);
    EXPECT_EQ(Placement(IDC_STATUS).right, Placement(IDC_PROGRESS).left - 5);
    ::ShowWindow(Item(IDC_PROGRESS), SW_HIDE);
    EXPECT_EQ(Placement(IDC_STATUS).right, Placement(IDC_PROGRESS).right);
}

TEST_F(MainWindowLayout, ClientWidthsOf1000And1001ShareTheCentre)
{
    Open(QuietSettings());
    // M = 500 for both widths: only the status line, the progress bar and the
    // right-hand buttons hang from the right edge and move by the odd pixel.
    const std::vector<Box> at1000 = {
        {IDC_TRANSFER, 395, 555, 209, 34},    {IDC_TO_LOCAL, 360, 555, 34, 34},     {IDC_TO_FTP, 605, 555, 34, 34},
        {IDC_STATUS, 7, 529, 986, 24},        {IDC_PROGRESS, 743, 533, 250, 16},    {IDC_LOCAL_GROUP, 10, 11, 483, 508},  {IDC_LOCAL_PATH, 20, 28, 360, 20},
        {IDC_LOCAL_BROWSE, 382, 28, 101, 20}, {IDC_LOCAL_DELETE, 367, 492, 116, 20},
        {IDC_LOCAL_ADDFOLDER, 20, 492, 116, 20}, {IDC_LOCAL_LIST, 20, 55, 462, 429},
        {IDC_FTP_GROUP, 509, 11, 483, 508},   {IDC_FTP_PATH, 520, 28, 360, 20},     {IDC_FTP_BROWSE, 882, 28, 101, 20},
        {IDC_FTP_DELETE, 867, 492, 116, 20},  {IDC_FTP_ADDFOLDER, 520, 492, 116, 20}, {IDC_FTP_LIST, 520, 55, 462, 429}};
    std::vector<Box> at1001 = at1000;
    for (Box& box : at1001) {
        if (box.id == IDC_STATUS)
            box.width = 987;
        if (box.id == IDC_FTP_BROWSE || box.id == IDC_FTP_DELETE || box.id == IDC_PROGRESS)
            ++box.x;
    }
    struct Case { UINT kind; int width; const std::vector<Box>& boxes; const char* what; };
    const Case cases[] = {{SIZE_MAXIMIZED, 1000, at1000, "maximised to 1000"},
                          {SIZE_RESTORED, 1001, at1001, "restored to 1001"},
                          {SIZE_RESTORED, 1000, at1000, "restored to 1000"}};
    for (const Case& c : cases) {
        Resize(c.kind, c.width, 600);
        ExpectBoxes(c.boxes, c.what);
        ExpectColumnsFit();
    }
}

TEST_F(MainWindowLayout, MinimisingAppliesTheRulesToAnEmptyClientAndRestoringPutsThemBack)
{
    Open(QuietSettings());
    Resize(SIZE_MINIMIZED, 0, 0);
    const RECT transfer = Placement(IDC_TRANSFER);
    EXPECT_EQ(transfer.left, -105);
    EXPECT_EQ(transfer.top, -45);
    EXPECT_EQ(Placement(IDC_TO_FTP).left, 105);
    EXPECT_EQ(Placement(IDC_STATUS).top, -71);

    Resize(SIZE_RESTORED, 840, 520);
    ExpectBoxes(RuleBoxes(840, 520), "restored after minimising");
    ExpectColumnsFit();
}

TEST_F(MainWindowLayout, RestoringAfterARealMaximiseUsesThePixelRulesNotTheTemplate)
{
    Open(QuietSettings());
    RECT opened = {};
    ::GetClientRect(Hwnd(), &opened);

    ::ShowWindow(Hwnd(), SW_MAXIMIZE);
    RECT maximised = {};
    ::GetClientRect(Hwnd(), &maximised);
    ASSERT_GT(maximised.right, opened.right);
    ExpectBoxes(RuleBoxes(maximised.right, maximised.bottom), "maximised");
    ExpectColumnsFit();

    ::ShowWindow(Hwnd(), SW_RESTORE);
    RECT restored = {};
    ::GetClientRect(Hwnd(), &restored);
    EXPECT_EQ(restored.right, opened.right);
    EXPECT_EQ(restored.bottom, opened.bottom);
    ExpectBoxes(RuleBoxes(restored.right, restored.bottom), "restored");
    ExpectColumnsFit();
}

TEST_F(MainWindowLayout, TabAndShiftTabGoThroughEachPaneFromTopToBottom)
{
    Open(QuietSettings());
    // ">" is disabled while the direction is local to FTP, so Tab passes it by.
    const std::vector<int> order = {IDC_LOCAL_PATH, IDC_LOCAL_BROWSE, IDC_LOCAL_LIST, IDC_LOCAL_ADDFOLDER,
                                    IDC_LOCAL_DELETE, IDC_FTP_PATH, IDC_FTP_BROWSE, IDC_FTP_LIST,
                                    IDC_FTP_ADDFOLDER, IDC_FTP_DELETE, IDC_TO_LOCAL, IDC_TRANSFER};
    for (const BOOL backwards : {FALSE, TRUE}) {
        std::vector<int> visited = {order.front()};
        for (HWND control = Item(order.front()); visited.size() <= order.size();) {
            control = ::GetNextDlgTabItem(Hwnd(), control, backwards);
            if (control == Item(order.front()))
                break;
            visited.push_back(::GetDlgCtrlID(control));
        }
        std::vector<int> expected = order;
        if (backwards)
            std::reverse(expected.begin() + 1, expected.end());
        EXPECT_EQ(visited, expected) << (backwards ? "Shift+Tab" : "Tab");
    }
}

TEST_F(MainWindowLayout, EveryControlRepaintsWhollyAfterEachResize)
{
    Open(QuietSettings());
    ::ShowWindow(Hwnd(), SW_SHOW);
    // Small, back, large: the sizes after which parts stayed unpainted.
    const std::pair<int, int> sizes[] = {{760, 520}, {900, 640}, {1100, 760}};
    for (const auto& [width, height] : sizes) {
        // Painted up to date, so what a resize leaves to paint is its own.
        ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT window = {};
        ::GetClientRect(Hwnd(), &window);
        for (const Box& box : RuleBoxes(window.right, window.bottom)) {
            if (!Visible(box.id))
                continue;
            RECT pending = {};
            RECT client = {};
            ::GetUpdateRect(Item(box.id), &pending, FALSE);
            ::GetClientRect(Item(box.id), &client);
            EXPECT_TRUE(::EqualRect(&pending, &client)) << width << ": control " << box.id;
        }
    }
}
