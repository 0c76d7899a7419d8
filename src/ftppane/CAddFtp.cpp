#include "ftppane/CAddFtp.h"

#include "framework/Control.h"
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

CAddFtp::CAddFtp(const CTranslation& texts, FtpJobs& jobs) : Dialog(IDD_ADDFTP), m_texts(texts), m_jobs(jobs) {}

CAddFtp::~CAddFtp()
{
    *m_self = nullptr;
    if (m_checking)
        m_jobs.Stop();
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
    // While a check runs, Cancel (Esc, the close box) ends it and the
    // dialog; a second check and OK wait for its end.
    if (m_checking) {
        if (id == IDCANCEL) {
            m_jobs.Stop();
            return Dialog::OnCommand(id, code, control);
        }
        return true;
    }
    if (id == IDC_CHECK_CONNECTION && code == BN_CLICKED) {
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
    const ServerProfile profile = m_profile;
    const std::shared_ptr<CAddFtp*> self = m_self;
    const bool started = m_jobs.Start(FtpWorkKind::kCheck, [profile, self](FtpJobContext& context) -> FtpApply {
        const CheckOutcome outcome = RunCheck(context.Engine(), profile);
        return [self, outcome] {
            if (*self)
                (*self)->ShowCheck(outcome);
        };
    }, [self] {
        if (*self)
            (*self)->m_checking = false;
    });
    m_checking = started;
    Control(Item(IDC_CHECK_CONNECTION)).Enable(!started);
}

CAddFtp::CheckOutcome CAddFtp::RunCheck(FtpEngine& engine, const ServerProfile& profile)
{
    CheckOutcome outcome;
    // The engine drops the "ftp://" prefix itself, so the profile keeps it.
    const FtpLogin& login = profile.login;
    const std::wstring programFolder = ProgramFolder();
    if (!engine.UploadFile(programFolder + L"\\" + kTestFileName, login, profile.folder)) {
        const FtpFailure& failure = engine.LastFailure();
        outcome.messages.push_back({failure.atLogin ? TextId::kCheckLoginFailed : TextId::kCheckUploadFailed, failure});
        return outcome;
    }
    outcome.messages.push_back({TextId::kCheckUploaded, FtpFailure()});
    // The upload worked in this mode, after a fallback perhaps.
    outcome.mode = engine.ModeInUse(login);
    const std::wstring localCopy = programFolder + L"\\temp\\" + kTestFileName;
    if (!engine.DownloadFile(programFolder + L"\\temp", login, profile.folder, kTestFileName)) {
        outcome.messages.push_back({TextId::kCheckDownloadFailed, engine.LastFailure(), true});
        return outcome;
    }
    if (engine.DeleteFtpFile(login, profile.folder, kTestFileName))
        outcome.messages.push_back({TextId::kCheckSucceeded, FtpFailure(), true});
    else
        outcome.messages.push_back({TextId::kCheckDeleteFailed, engine.LastFailure(), true});
    ::DeleteFileW(localCopy.c_str());
    return outcome;
}

void CAddFtp::ShowCheck(const CheckOutcome& outcome)
{
    m_checking = false;
    Control(Item(IDC_CHECK_CONNECTION)).Enable(true);
    const std::wstring modeLine =
        m_texts.Text(outcome.mode == FtpMode::kPassive ? TextId::kCheckWorksPassive : TextId::kCheckWorksActive);
    for (const CheckMessage& message : outcome.messages)
        Tell(message.text, message.reason, message.withMode ? modeLine : std::wstring());
}

void CAddFtp::Tell(TextId text, const FtpFailure& reason, const std::wstring& modeLine)
{
    std::wstring message = WithReason(m_texts.Text(text), reason, ReasonWords(m_texts));
    if (!modeLine.empty())
        message += L"\n" + modeLine;
    Ui().ShowMessage(Handle(), message, m_texts.Text(TextId::kMessageCaption), MB_OK);
}
