#include "ftppane/CAddFtp.h"

#include "framework/Control.h"
#include "framework/UiSeam.h"
#include "ftp/FtpEngine.h"
#include "res/resource.h"

#include <utility>

namespace {
// The settings template beside the program doubles as the check's test file.
const wchar_t* const kTestFileName = L"config.ini";

// Set while the connection check runs, also when it ends by an exception.
class RunningFlag {
public:
    explicit RunningFlag(bool& flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};
}  // namespace

CAddFtp::CAddFtp() : Dialog(IDD_ADDFTP) {}

BOOL CAddFtp::OnInit()
{
    FillEdits();
    m_translation.Load();
    m_power.ResolveSettingsPath();
    ApplyTexts();
    // The dialog manager gives the focus to the first control in tab order, OK.
    return TRUE;
}

void CAddFtp::FillEdits()
{
    Control(Item(IDC_SERVER_NAME)).SetText(m_profile.serverName);
    Control(Item(IDC_USER)).SetText(m_profile.user);
    Control(Item(IDC_PASSWORD)).SetText(m_profile.password);
    Control(Item(IDC_FOLDER)).SetText(m_profile.folder);
}

void CAddFtp::TakeEdits()
{
    m_profile.serverName = Control(Item(IDC_SERVER_NAME)).Text();
    m_profile.user = Control(Item(IDC_USER)).Text();
    m_profile.password = Control(Item(IDC_PASSWORD)).Text();
    m_profile.folder = Control(Item(IDC_FOLDER)).Text();
}

void CAddFtp::ApplyTexts()
{
    const std::pair<int, int> texts[] = {
        {IDC_PROFILE_GROUP, 188}, {IDC_LABEL_SERVER, 190},   {IDC_EXAMPLE_SERVER, 192},
        {IDC_LABEL_USER, 193},    {IDC_LABEL_PASSWORD, 194}, {IDC_LABEL_FOLDER, 195},
        {IDC_EXAMPLE_FOLDER, 196}, {IDC_CHECK_CONNECTION, 197}, {IDCANCEL, 20},
    };
    for (const auto& [id, number] : texts)
        Control(Item(id)).SetText(m_translation.Text(number));
}

bool CAddFtp::OnCommand(WORD id, WORD code, HWND control)
{
    // The check's upload lets waiting messages through; a second check, OK or
    // Cancel arriving then would act on a half-done check and are dropped.
    if (m_checking)
        return true;
    if (id == IDC_CHECK_CONNECTION && code == BN_CLICKED) {
        const RunningFlag running(m_checking);
        CheckConnection();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void CAddFtp::OnOK()
{
    TakeEdits();
    if (HasFtpPrefix(m_profile.serverName))
        End(IDOK);
    else
        Tell(198);
}

void CAddFtp::CheckConnection()
{
    TakeEdits();
    if (!HasFtpPrefix(m_profile.serverName)) {
        Tell(198);
        return;
    }
    // The engine drops the "ftp://" prefix itself, so the profile keeps it.
    const ServerProfile& p = m_profile;
    const std::wstring programFolder = PowerClass::ProgramFolder();
    if (!UploadFile(m_listing, programFolder + L"\\" + kTestFileName, p.serverName, p.user, p.password, p.folder)) {
        Tell(199);
        return;
    }
    Tell(187);
    const std::wstring localFolder = programFolder + L"\\temp";
    if (!DownloadFile(localFolder, p.serverName, p.user, p.password, p.folder, kTestFileName)) {
        Tell(191);
        return;
    }
    DeleteFtpFile(p.serverName, p.user, p.password, p.folder, kTestFileName);
    Tell(189);
    ::DeleteFileW((localFolder + L"\\" + kTestFileName).c_str());
}

void CAddFtp::Tell(int textNumber)
{
    Ui().ShowMessage(Handle(), m_translation.Text(textNumber), m_translation.Text(5), MB_OK);
}
