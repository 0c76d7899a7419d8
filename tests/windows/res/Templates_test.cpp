// The linked resources: the three small dialog templates load with the
// controls the code binds to, and the icons and bitmaps load at their sizes
// with the picture their id promises.
#include "res/resource.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A dialog created modeless from a template of the linked resources.
class TemplateWindow {
public:
    explicit TemplateWindow(int id)
        : m_hwnd(::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                      PlainDialogProc, 0))
    {
    }
    ~TemplateWindow()
    {
        if (m_hwnd)
            ::DestroyWindow(m_hwnd);
    }
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;

    HWND Handle() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

RECT RectInDialog(HWND dialog, HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

struct ControlCase {
    int templateId;
    int controlId;
    const wchar_t* className;
    LONG styleBits;   // every one of them must be set
    LONG styleMask;   // the part of the style compared with styleValue
    LONG styleValue;
    const wchar_t* text;  // nullptr: not compared
};

const ControlCase kControls[] = {
    {IDD_ABOUTBOX, IDOK, L"Button", WS_TABSTOP, 0x0F, BS_DEFPUSHBUTTON, L"OK"},

    // The window owns the one image list of both lists: neither list may destroy it.
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_LIST, L"SysListView32", LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0, nullptr},
    {IDD_FTPTANDRIL_DIALOG, IDC_FTP_LIST, L"SysListView32", LVS_REPORT | LVS_SHAREIMAGELISTS, 0, 0, nullptr},

    {IDD_ADDFTP, IDC_PROFILE_GROUP, L"Button", 0, 0x0F, BS_GROUPBOX, L"Add ftp Server"},
    {IDD_ADDFTP, IDC_LABEL_SERVER, L"Static", 0, 0, 0, L"Server name:"},
    {IDD_ADDFTP, IDC_EXAMPLE_SERVER, L"Static", 0, 0, 0, L"Example: ftp://myftpserver.com"},
    {IDD_ADDFTP, IDC_LABEL_USER, L"Static", 0, 0, 0, L"User:"},
    {IDD_ADDFTP, IDC_LABEL_PASSWORD, L"Static", 0, 0, 0, L"Password:"},
    {IDD_ADDFTP, IDC_LABEL_FOLDER, L"Static", 0, 0, 0, L"Folder on server:"},
    {IDD_ADDFTP, IDC_EXAMPLE_FOLDER, L"Static", 0, 0, 0, L"Example: uploadedfiles/mysubfolder"},
    {IDD_ADDFTP, IDC_SERVER_NAME, L"Edit", WS_TABSTOP | ES_AUTOHSCROLL, ES_PASSWORD, 0, L""},
    {IDD_ADDFTP, IDC_USER, L"Edit", WS_TABSTOP | ES_AUTOHSCROLL, ES_PASSWORD, 0, L""},
    {IDD_ADDFTP, IDC_PASSWORD, L"Edit", WS_TABSTOP | ES_PASSWORD | ES_AUTOHSCROLL, 0, 0, L""},
    {IDD_ADDFTP, IDC_FOLDER, L"Edit", WS_TABSTOP | ES_AUTOHSCROLL, ES_PASSWORD, 0, L""},
    {IDD_ADDFTP, IDC_PASSIVE_MODE, L"Button", WS_TABSTOP, 0x0F, BS_AUTOCHECKBOX, nullptr},
    {IDD_ADDFTP, IDC_CHECK_CONNECTION, L"Button", WS_TABSTOP, 0x0F, BS_PUSHBUTTON, L"Check ftp connection"},
    {IDD_ADDFTP, IDOK, L"Button", WS_TABSTOP, 0x0F, BS_DEFPUSHBUTTON, L"OK"},
    {IDD_ADDFTP, IDCANCEL, L"Button", WS_TABSTOP, 0x0F, BS_PUSHBUTTON, L"Abbrechen"},

    {IDD_LANGUAGE, IDC_LANGUAGE_GROUP, L"Button", 0, 0x0F, BS_GROUPBOX, L"Please select your language!"},
    {IDD_LANGUAGE, IDC_LANGUAGE_COMBO, L"ComboBox", CBS_SORT | WS_TABSTOP, 0x03, CBS_DROPDOWN, nullptr},
    {IDD_LANGUAGE, IDOK, L"Button", WS_TABSTOP, 0x0F, BS_DEFPUSHBUTTON, L"OK"},
};

struct DialogCase {
    int templateId;
    const wchar_t* caption;
    int widthUnits;
    int heightUnits;
    int controls;
};

const DialogCase kDialogs[] = {
    {IDD_ABOUTBOX, L"About ...", 235, 59, 5},
    {IDD_ADDFTP, L"Velmo FTP Tandril", 262, 211, 22},
    {IDD_LANGUAGE, L"Language Selection", 180, 70, 3},
};

}  // namespace

TEST(Templates, ControlsHaveTheirClassStyleAndText)
{
    for (const ControlCase& c : kControls) {
        SCOPED_TRACE(::testing::Message() << "template " << c.templateId << ", control " << c.controlId);
        TemplateWindow dialog(c.templateId);
        ASSERT_NE(dialog.Handle(), nullptr);
        HWND control = ::GetDlgItem(dialog.Handle(), c.controlId);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassOf(control), c.className);
        const LONG style = ::GetWindowLongW(control, GWL_STYLE);
        EXPECT_EQ(style & c.styleBits, c.styleBits);
        EXPECT_EQ(style & c.styleMask, c.styleValue);
        if (c.text) {
            EXPECT_EQ(TextOf(control), c.text);
        }
    }
}

TEST(Templates, DialogsHaveCaptionSizeAndFrameAndKeepEveryControlInside)
{
    for (const DialogCase& c : kDialogs) {
        SCOPED_TRACE(::testing::Message() << "template " << c.templateId);
        TemplateWindow dialog(c.templateId);
        ASSERT_NE(dialog.Handle(), nullptr);
        EXPECT_EQ(TextOf(dialog.Handle()), c.caption);
        const LONG style = ::GetWindowLongW(dialog.Handle(), GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_POPUP), WS_CAPTION | WS_SYSMENU | WS_POPUP);
        EXPECT_EQ(style & WS_THICKFRAME, 0) << "a fixed-size dialog";
        EXPECT_NE(::GetWindowLongW(dialog.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);

        RECT expected = {0, 0, c.widthUnits, c.heightUnits};
        ::MapDialogRect(dialog.Handle(), &expected);
        RECT client;
        ::GetClientRect(dialog.Handle(), &client);
        EXPECT_EQ(client.right, expected.right);
        EXPECT_EQ(client.bottom, expected.bottom);

        const std::vector<HWND> children = Children(dialog.Handle());
        EXPECT_EQ(static_cast<int>(children.size()), c.controls);
        for (HWND child : children)
            EXPECT_TRUE(Inside(RectInDialog(dialog.Handle(), child), client))
                << "control " << ::GetDlgCtrlID(child) << " \"" << TextOf(child).c_str() << "\" sticks out";
    }
}

TEST(Templates, AboutBoxShowsTheProgramIconAndVersionLine)
{
    TemplateWindow dialog(IDD_ABOUTBOX);
    ASSERT_NE(dialog.Handle(), nullptr);
    bool icon = false;
    bool version = false;
    for (HWND child : Children(dialog.Handle())) {
        if ((::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon = ::SendMessageW(child, STM_GETICON, 0, 0) != 0;
        if (TextOf(child) == L"Velmo FTP Tandril Version 2.00")
            version = true;
    }
    EXPECT_TRUE(icon);
    EXPECT_TRUE(version);
}

TEST(Templates, ProfileDialogFieldsSitInTheGroupAndOkComesFirstInTabOrder)
{
    TemplateWindow dialog(IDD_ADDFTP);
    ASSERT_NE(dialog.Handle(), nullptr);
    const RECT group = RectInDialog(dialog.Handle(), ::GetDlgItem(dialog.Handle(), IDC_PROFILE_GROUP));
    for (int id : {IDC_LABEL_SERVER, IDC_SERVER_NAME, IDC_EXAMPLE_SERVER, IDC_LABEL_USER, IDC_USER,
                   IDC_LABEL_PASSWORD, IDC_PASSWORD, IDC_LABEL_FOLDER, IDC_FOLDER, IDC_EXAMPLE_FOLDER, IDC_PASSIVE_MODE,
                   IDC_LABEL_SAVED_SERVERS, IDC_SAVED_SERVERS, IDC_SAVE_SERVER, IDC_DELETE_SERVER,
                   IDC_LABEL_CONNECTIONS, IDC_CONNECTIONS, IDC_CONNECTIONS_SPIN})
        EXPECT_TRUE(Inside(RectInDialog(dialog.Handle(), ::GetDlgItem(dialog.Handle(), id)), group)) << id;
    for (int id : {IDOK, IDCANCEL, IDC_CHECK_CONNECTION})
        EXPECT_FALSE(Inside(RectInDialog(dialog.Handle(), ::GetDlgItem(dialog.Handle(), id)), group)) << id;

    // The dialog manager gives the initial focus to the first tab stop.
    EXPECT_EQ(::GetNextDlgTabItem(dialog.Handle(), nullptr, FALSE), ::GetDlgItem(dialog.Handle(), IDOK));
    const int order[] = {IDOK,         IDC_SAVED_SERVERS, IDC_SAVE_SERVER,  IDC_DELETE_SERVER,
                         IDC_SERVER_NAME, IDC_USER,      IDC_PASSWORD,     IDC_FOLDER,
                         IDC_PASSIVE_MODE, IDC_CONNECTIONS, IDC_CHECK_CONNECTION, IDCANCEL};
    HWND item = ::GetDlgItem(dialog.Handle(), IDOK);
    for (int id : order) {
        EXPECT_EQ(::GetDlgCtrlID(item), id);
        item = ::GetNextDlgTabItem(dialog.Handle(), item, FALSE);
    }
    EXPECT_EQ(item, ::GetDlgItem(dialog.Handle(), IDOK)) << "the tab order wraps to OK";

    // Each label on the row of its edit box, left of it; the rows one below the other.
    struct Row { int label; int edit; };
    int previousBottom = 0;
    for (const Row& row : {Row{IDC_LABEL_SAVED_SERVERS, IDC_SAVED_SERVERS}, Row{IDC_LABEL_SERVER, IDC_SERVER_NAME},
                           Row{IDC_LABEL_USER, IDC_USER}, Row{IDC_LABEL_PASSWORD, IDC_PASSWORD},
                           Row{IDC_LABEL_FOLDER, IDC_FOLDER}, Row{IDC_LABEL_CONNECTIONS, IDC_CONNECTIONS}}) {
        const RECT label = RectInDialog(dialog.Handle(), ::GetDlgItem(dialog.Handle(), row.label));
        const RECT edit = RectInDialog(dialog.Handle(), ::GetDlgItem(dialog.Handle(), row.edit));
        EXPECT_LE(label.right, edit.left) << row.label;
        EXPECT_TRUE(label.top >= edit.top && label.bottom <= edit.bottom) << row.label;
        EXPECT_GE(edit.top, previousBottom) << row.edit;
        previousBottom = edit.bottom;
    }
}

TEST(Templates, LanguageComboSortsItsItemsAndDropsDownALongList)
{
    TemplateWindow dialog(IDD_LANGUAGE);
    ASSERT_NE(dialog.Handle(), nullptr);
    HWND combo = ::GetDlgItem(dialog.Handle(), IDC_LANGUAGE_COMBO);
    for (const wchar_t* name : {L"Nederlands", L"Espa\u00F1ol", L"Deutsch", L"Portugu\u00EAs (Brasil)", L"English"})
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    const wchar_t* const sorted[] = {L"Deutsch", L"English", L"Espa\u00F1ol", L"Nederlands", L"Portugu\u00EAs (Brasil)"};
    for (int i = 0; i < 5; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, sorted[i]) << i;
    }
    // The field takes typed text too.
    ::SetWindowTextW(combo, L"[1033]");
    EXPECT_EQ(TextOf(combo), L"[1033]");

    // A list longer than the drop-down shows a scroll bar: the combo box hands
    // its scroll bar style on to the list, which shows it only when needed.
    for (int i = 0; i < 30; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"Language " + std::to_wstring(i)).c_str()));
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO parts = {};
    parts.cbSize = sizeof(parts);
    ASSERT_TRUE(::GetComboBoxInfo(combo, &parts));
    EXPECT_NE(::GetWindowLongW(parts.hwndList, GWL_STYLE) & WS_VSCROLL, 0);
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);

    RECT dropped = {};
    ::SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    RECT sixtyUnits = {0, 0, 0, 60};
    ::MapDialogRect(dialog.Handle(), &sixtyUnits);
    EXPECT_GE(dropped.bottom - dropped.top, sixtyUnits.bottom) << "room for all six languages";
}
