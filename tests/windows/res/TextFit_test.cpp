// Every translation of the language file beside the program fits the control
// it is put into, measured with the control's own font: a label that wraps or
// a button caption that is cut off would hide part of the text.
#include "common/TestEnvironment.h"
#include "framework/LineFile.h"
#include "res/resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

using Texts = std::map<int, std::wstring>;

// Section code -> its entries, read the way the program reads them.
std::map<std::wstring, Texts> ReadLanguageFile()
{
    std::map<std::wstring, Texts> sections;
    Texts* open = nullptr;
    for (const std::wstring& line : LineFile::Read(testenv::ExeFolder() + L"\\FTPTtrl.ini")) {
        if (!open && line.size() == 6 && line[0] == L'[')
            open = &sections[line];
        else if (open && line == L"[EOL]")
            open = nullptr;
        else if (open && line.size() >= 6)
            open->emplace(std::stoi(line.substr(0, 5)), line.substr(6));
    }
    return sections;
}

enum class Kind { Label, Button, Group, Check };

struct FitCase {
    int templateId;
    int controlId;
    int number;
    Kind kind;
    int widthPixels;  // the width the main window's layout gives it later; 0: keeps the template's
};

const FitCase kCases[] = {
    {IDD_ADDFTP, IDC_PROFILE_GROUP, 188, Kind::Group, 0},
    {IDD_ADDFTP, IDC_LABEL_SERVER, 190, Kind::Label, 0},
    {IDD_ADDFTP, IDC_EXAMPLE_SERVER, 192, Kind::Label, 0},
    {IDD_ADDFTP, IDC_LABEL_USER, 193, Kind::Label, 0},
    {IDD_ADDFTP, IDC_LABEL_PASSWORD, 194, Kind::Label, 0},
    {IDD_ADDFTP, IDC_LABEL_FOLDER, 195, Kind::Label, 0},
    {IDD_ADDFTP, IDC_EXAMPLE_FOLDER, 196, Kind::Label, 0},
    {IDD_ADDFTP, IDC_CHECK_CONNECTION, 197, Kind::Button, 0},
    {IDD_ADDFTP, IDC_PASSIVE_MODE, 120, Kind::Check, 0},
    {IDD_ADDFTP, IDCANCEL, 20, Kind::Button, 0},
    {IDD_ADDFTP, IDC_LABEL_SAVED_SERVERS, 600, Kind::Label, 0},
    {IDD_ADDFTP, IDC_SAVE_SERVER, 601, Kind::Button, 0},
    {IDD_ADDFTP, IDC_DELETE_SERVER, 105, Kind::Button, 0},
    {IDD_ADDFTP, IDC_LABEL_CONNECTIONS, 602, Kind::Label, 0},
    {IDD_LANGUAGE, IDC_LANGUAGE_GROUP, 1, Kind::Group, 0},
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_GROUP, 70, Kind::Group, 0},
    {IDD_FTPTANDRIL_DIALOG, IDC_FTP_GROUP, 75, Kind::Group, 0},
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_GROUP, 80, Kind::Group, 0},
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_BROWSE, 85, Kind::Button, 101},
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_ADDFOLDER, 100, Kind::Button, 116},
    {IDD_FTPTANDRIL_DIALOG, IDC_LOCAL_DELETE, 105, Kind::Button, 116},
    {IDD_FTPTANDRIL_DIALOG, IDC_TRANSFER, 95, Kind::Button, 209},
    {IDD_FTPTANDRIL_DIALOG, IDC_TRANSFER, 160, Kind::Button, 209},
    {IDD_FTPTANDRIL_DIALOG, IDC_FTP_LIST, 625, Kind::Label, 0},  // the hint drawn in the empty list
    {IDD_OVERWRITE, IDC_EXISTING_LABEL, 169, Kind::Label, 0},
    {IDD_OVERWRITE, IDC_NEW_LABEL, 170, Kind::Label, 0},
    {IDD_OVERWRITE, IDC_REPLACE_QUESTION, 179, Kind::Label, 0},
    {IDD_OVERWRITE, IDC_REPLACE, 171, Kind::Button, 0},
    {IDD_OVERWRITE, IDC_REPLACE_ALL, 172, Kind::Button, 0},
    {IDD_OVERWRITE, IDC_SKIP, 173, Kind::Button, 0},
    {IDD_OVERWRITE, IDC_SKIP_ALL, 174, Kind::Button, 0},
    {IDD_OVERWRITE, IDCANCEL, 20, Kind::Button, 0},
};

// Room for the text inside the control: buttons lose their frame and a little
// padding, a check box its box, a group box's caption starts after the frame's corner.
int Room(HWND control, Kind kind, int layoutWidth)
{
    RECT client;
    ::GetClientRect(control, &client);
    int width = client.right;
    if (layoutWidth > 0)
        width = std::min(width, layoutWidth);
    switch (kind) {
    case Kind::Label: return width;
    case Kind::Button: return width - 8;
    case Kind::Group: return width - 16;
    case Kind::Check: return width - ::GetSystemMetrics(SM_CXMENUCHECK) - 4;
    }
    return width;
}

int TextWidth(HWND control, const std::wstring& text)
{
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return rect.right;
}

}  // namespace

TEST(TextFit, EveryTranslationFitsItsControl)
{
    const std::map<std::wstring, Texts> sections = ReadLanguageFile();
    ASSERT_EQ(sections.size(), 6u);
    std::map<int, HWND> dialogs;
    for (const FitCase& c : kCases) {
        if (!dialogs.count(c.templateId))
            dialogs[c.templateId] = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.templateId),
                                                         nullptr, PlainDialogProc, 0);
        ASSERT_NE(dialogs[c.templateId], nullptr) << c.templateId;
    }
    for (const auto& [code, texts] : sections) {
        for (const FitCase& c : kCases) {
            HWND control = ::GetDlgItem(dialogs[c.templateId], c.controlId);
            ASSERT_NE(control, nullptr) << c.controlId;
            const auto found = texts.find(c.number);
            ASSERT_NE(found, texts.end()) << code << " lacks " << c.number;
            // The transfer button shows its text between arrows.
            const std::wstring text = c.controlId == IDC_TRANSFER ? L">>>  " + found->second + L"  >>>" : found->second;
            EXPECT_LE(TextWidth(control, text), Room(control, c.kind, c.widthPixels))
                << code << " text " << c.number << " in control " << c.controlId;
        }
    }
    for (const auto& dialog : dialogs)
        ::DestroyWindow(dialog.second);
}
