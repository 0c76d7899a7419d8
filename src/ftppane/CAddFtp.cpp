#include "ftppane/CAddFtp.h"

#include "framework/Control.h"
#include "framework/ScopedFlag.h"
#include "framework/UiSeam.h"
#include "ftppane/ProfileRules.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "res/resource.h"
#include "settings/UserSettingsCopy.h"

#include <utility>

namespace {
// The settings template beside the program doubles as the check's test file.
const wchar_t* const kTestFileName = L"config.ini";
}  // namespace

CAddFtp::CAddFtp(const CTranslation& texts, FtpEngine& engine)
    : Dialog(IDD_ADDFTP), m_texts(texts), m_engine(engine)
{
}

BOOL CAddFtp::OnInit()
{
    FillEdits();
    ApplyTexts();
    // The dialog manager gives the focus to the first control in tab order, OK.
    return TRUE;
}

void CAddFtp::FillEdits()
{
    Control(Item(IDC_SERVER_NAME)).SetText(m_profile.login.serverName);
    Control(Item(IDC_USER)).SetText(m_profile.login.user);
    Control(Item(IDC_PASSWORD)).SetText(m_profile.login.password);
    Control(Item(IDC_FOLDER)).SetText(m_profile.folder);
    Control(Item(IDC_PASSIVE_MODE)).SetChecked(m_profile.login.mode == FtpMode::kPassive);
}

void CAddFtp::TakeEdits()
{
    m_profile.login.serverName = Control(Item(IDC_SERVER_NAME)).Text();
    m_profile.login.user = Control(Item(IDC_USER)).Text();
    m_profile.login.password = Control(Item(IDC_PASSWORD)).Text();
    m_profile.folder = Control(Item(IDC_FOLDER)).Text();
    m_profile.login.mode = Control(Item(IDC_PASSIVE_MODE)).IsChecked() ? FtpMode::kPassive : FtpMode::kActive;
}

void CAddFtp::ApplyTexts()
{
    const std::pair<int, TextId> texts[] = {
        {IDC_PROFILE_GROUP, TextId::kProfileGroup},       {IDC_LABEL_SERVER, TextId::kServerNameLabel},
        {IDC_EXAMPLE_SERVER, TextId::kServerNameExample}, {IDC_LABEL_USER, TextId::kUserLabel},
        {IDC_LABEL_PASSWORD, TextId::kPasswordLabel},     {IDC_LABEL_FOLDER, TextId::kFolderLabel},
        {IDC_EXAMPLE_FOLDER, TextId::kFolderExample},     {IDC_CHECK_CONNECTION, TextId::kCheckConnection},
        {IDCANCEL, TextId::kCancel},                      {IDC_PASSIVE_MODE, TextId::kPassiveMode},
    };
    for (const auto& [id, text] : texts)
        Control(Item(id)).SetText(m_texts.Text(text));
}

bool CAddFtp::OnCommand(WORD id, WORD code, HWND control)
{
    // The check's upload lets waiting messages through; a second check, OK or
    // Cancel arriving then would act on a half-done check and are dropped.
    if (m_checking)
        return true;
    if (id == IDC_CHECK_CONNECTION && code == BN_CLICKED) {
        const ScopedFlag running(m_checking);
        CheckConnection();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void CAddFtp::OnOK()
{
    TakeEdits();
    if (HasFtpPrefix(m_profile.login.serverName))
        End(IDOK);
    else
        Tell(TextId::kNeedsFtpPrefix);
}

void CAddFtp::CheckConnection()
{
    TakeEdits();
    if (!HasFtpPrefix(m_profile.login.serverName)) {
        Tell(TextId::kNeedsFtpPrefix);
        return;
    }
    // The engine drops the "ftp://" prefix itself, so the profile keeps it.
    const FtpLogin& login = m_profile.login;
    const std::wstring programFolder = ProgramFolder();
    if (!m_engine.UploadFile(programFolder + L"\\" + kTestFileName, login, m_profile.folder)) {
        const FtpFailure& failure = m_engine.LastFailure();
        Tell(failure.atLogin ? TextId::kCheckLoginFailed : TextId::kCheckUploadFailed, failure);
        return;
    }
    Tell(TextId::kCheckUploaded);
    // The upload worked in this mode, after a fallback perhaps.
    const std::wstring modeLine = m_texts.Text(
        m_engine.ModeInUse(login) == FtpMode::kPassive ? TextId::kCheckWorksPassive : TextId::kCheckWorksActive);
    const std::wstring localCopy = programFolder + L"\\temp\\" + kTestFileName;
    if (!m_engine.DownloadFile(programFolder + L"\\temp", login, m_profile.folder, kTestFileName)) {
        Tell(TextId::kCheckDownloadFailed, m_engine.LastFailure(), modeLine);
        return;
    }
    if (m_engine.DeleteFtpFile(login, m_profile.folder, kTestFileName))
        Tell(TextId::kCheckSucceeded, FtpFailure(), modeLine);
    else
        Tell(TextId::kCheckDeleteFailed, m_engine.LastFailure(), modeLine);
    ::DeleteFileW(localCopy.c_str());
}

void CAddFtp::Tell(TextId text, const FtpFailure& reason, const std::wstring& modeLine)
{
    std::wstring message = WithReason(m_texts.Text(text), reason, ReasonWords(m_texts));
    if (!modeLine.empty())
        message += L"\n" + modeLine;
    Ui().ShowMessage(Handle(), message, m_texts.Text(TextId::kMessageCaption), MB_OK);
}
