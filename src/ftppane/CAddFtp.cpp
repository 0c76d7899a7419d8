#include "ftppane/CAddFtp.h"

#include "framework/Control.h"
#include "framework/UiSeam.h"
#include "ftppane/ProfileRules.h"
#include "ftppane/SavedServerStore.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "res/resource.h"
#include "settings/UserSettingsCopy.h"

#include <commctrl.h>

#include <random>
#include <utility>

namespace {

// The settings template beside the program doubles as the check's test file.
const wchar_t* const kTestFileName = L"config.ini";

// Eight letters and digits for the test file's name on the server.
std::wstring RandomLetters()
{
    static const wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::wstring text;
    for (int i = 0; i < 8; ++i)
        text += kLetters[device() % 36];
    return text;
}

// A new empty file of a name of its own in the user's temporary folder; empty
// when none could be made.
std::wstring NewTemporaryFile()
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !::GetTempFileNameW(folder, L"vck", 0, path))
        return std::wstring();
    return path;
}

}  // namespace

CAddFtp::CAddFtp(const CTranslation& texts, FtpJobs& jobs, SavedServerStore& servers)
    : Dialog(IDD_ADDFTP), m_texts(texts), m_jobs(jobs), m_servers(servers)
{
}

CAddFtp::~CAddFtp()
{
    *m_self = nullptr;
    if (m_checking)
        m_jobs.Stop();
}

BOOL CAddFtp::OnInit()
{
    Control(Item(IDC_CONNECTIONS_SPIN)).Send(UDM_SETRANGE32, kMinConnections, kMaxConnections);
    FillEdits(m_profile);
    ApplyTexts();
    FillSavedServers();
    Control(Item(IDC_SAVED_SERVERS)).SetText(m_savedName);
    EnableDelete(m_savedName);
    // The dialog manager gives the focus to the first control in tab order, OK.
    return TRUE;
}

void CAddFtp::FillEdits(const ServerProfile& profile)
{
    Control(Item(IDC_SERVER_NAME)).SetText(profile.login.serverName);
    Control(Item(IDC_USER)).SetText(profile.login.user);
    Control(Item(IDC_PASSWORD)).SetText(profile.login.password);
    Control(Item(IDC_FOLDER)).SetText(profile.folder);
    Control(Item(IDC_PASSIVE_MODE)).SetChecked(profile.login.mode == FtpMode::kPassive);
    Control(Item(IDC_CONNECTIONS)).SetText(std::to_wstring(profile.connections));
}

void CAddFtp::TakeEdits()
{
    m_profile = TypedProfile();
}

ServerProfile CAddFtp::TypedProfile()
{
    ServerProfile typed;
    typed.login.serverName = Control(Item(IDC_SERVER_NAME)).Text();
    typed.login.user = Control(Item(IDC_USER)).Text();
    typed.login.password = Control(Item(IDC_PASSWORD)).Text();
    typed.folder = Control(Item(IDC_FOLDER)).Text();
    typed.login.mode = Control(Item(IDC_PASSIVE_MODE)).IsChecked() ? FtpMode::kPassive : FtpMode::kActive;
    // The edit takes only digits, but a paste or an emptied field gets past
    // the up-down control: the value is clamped, and shown as taken.
    typed.connections = ConnectionsFromText(Control(Item(IDC_CONNECTIONS)).Text());
    Control(Item(IDC_CONNECTIONS)).SetText(std::to_wstring(typed.connections));
    return typed;
}

void CAddFtp::ApplyTexts()
{
    const std::pair<int, TextId> texts[] = {
        {IDC_PROFILE_GROUP, TextId::kProfileGroup},       {IDC_LABEL_SERVER, TextId::kServerNameLabel},
        {IDC_EXAMPLE_SERVER, TextId::kServerNameExample}, {IDC_LABEL_USER, TextId::kUserLabel},
        {IDC_LABEL_PASSWORD, TextId::kPasswordLabel},     {IDC_LABEL_FOLDER, TextId::kFolderLabel},
        {IDC_EXAMPLE_FOLDER, TextId::kFolderExample},     {IDC_CHECK_CONNECTION, TextId::kCheckConnection},
        {IDCANCEL, TextId::kCancel},                      {IDC_PASSIVE_MODE, TextId::kPassiveMode},
        {IDC_LABEL_SAVED_SERVERS, TextId::kSavedServersLabel}, {IDC_SAVE_SERVER, TextId::kSaveServer},
        {IDC_DELETE_SERVER, TextId::kDelete},             {IDC_LABEL_CONNECTIONS, TextId::kConnectionsLabel},
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
    if (id == IDC_SAVE_SERVER && code == BN_CLICKED) {
        SaveServer();
        return true;
    }
    if (id == IDC_DELETE_SERVER && code == BN_CLICKED) {
        DeleteServer();
        return true;
    }
    if (id == IDC_SAVED_SERVERS && code == CBN_SELCHANGE) {
        ChooseSavedServer();
        return true;
    }
    if (id == IDC_SAVED_SERVERS && code == CBN_EDITCHANGE) {
        EnableDelete(Control(control).Text());
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

void CAddFtp::FillSavedServers()
{
    const Control field(Item(IDC_SAVED_SERVERS));
    const std::wstring typed = field.Text();
    field.Send(CB_RESETCONTENT);
    for (const SavedServer& server : m_servers.List().Servers())
        field.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(server.name.c_str()));
    field.SetText(typed);
}

void CAddFtp::ChooseSavedServer()
{
    const LRESULT index = Control(Item(IDC_SAVED_SERVERS)).Send(CB_GETCURSEL);
    const std::vector<SavedServer>& servers = m_servers.List().Servers();
    if (index < 0 || static_cast<size_t>(index) >= servers.size())
        return;
    const SavedServer& server = servers[static_cast<size_t>(index)];
    FillEdits(server.profile);
    EnableDelete(server.name);
    if (server.passwordUnreadable) {
        Show(FillPlaceholder(m_texts.Text(TextId::kSavedPasswordUnreadable), server.name));
        ::SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PASSWORD)), TRUE);
    }
}

void CAddFtp::SaveServer()
{
    const std::wstring name = Control(Item(IDC_SAVED_SERVERS)).Text();
    const SavedServer* replaced = m_servers.List().Find(name);
    const std::wstring replacedName = replaced ? replaced->name : std::wstring();
    SavedServerList changed = m_servers.List();
    const SaveOutcome outcome = changed.Save(name, TypedProfile(), m_servers.Protector());
    if (outcome.result != SaveResult::kSaved) {
        TellRefused(outcome);
        return;
    }
    if (replaced && !Ask(FillPlaceholder(m_texts.Text(TextId::kReplaceSavedServer), replacedName)))
        return;
    if (!m_servers.Store(changed)) {
        Show(FillPlaceholder(m_texts.Text(TextId::kSettingsNotWritten), m_servers.FilePath()));
        return;
    }
    Control(Item(IDC_SAVED_SERVERS)).SetText(TrimmedServerName(name));
    FillSavedServers();
    EnableDelete(name);
}

void CAddFtp::TellRefused(const SaveOutcome& outcome)
{
    switch (outcome.result) {
    case SaveResult::kNameMissing:
        Show(m_texts.Text(TextId::kSavedServerNameMissing));
        ::SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SAVED_SERVERS)), TRUE);
        return;
    case SaveResult::kTooMany:
        Show(FillPlaceholder(m_texts.Text(TextId::kTooManySavedServers), std::to_wstring(kMaxSavedServers)));
        return;
    case SaveResult::kNotProtected:
        Show(m_texts.Text(TextId::kSavedPasswordNotProtected));
        return;
    case SaveResult::kNotStorable: {
        // The field's label names it, without its colon.
        const std::pair<SavedServerField, TextId> labels[] = {
            {SavedServerField::kName, TextId::kSavedServersLabel},
            {SavedServerField::kServerName, TextId::kServerNameLabel},
            {SavedServerField::kUser, TextId::kUserLabel},
            {SavedServerField::kFolder, TextId::kFolderLabel},
        };
        std::wstring field;
        for (const auto& [which, label] : labels)
            if (which == outcome.field)
                field = m_texts.Text(label);
        field = field.substr(0, field.find_last_not_of(L": \u00A0") + 1);
        Show(FillPlaceholder(m_texts.Text(TextId::kValueNotStorable), field));
        return;
    }
    case SaveResult::kSaved: return;
    }
}

void CAddFtp::DeleteServer()
{
    const SavedServer* server = m_servers.List().Find(Control(Item(IDC_SAVED_SERVERS)).Text());
    if (!server)
        return;
    const std::wstring name = server->name;
    if (!Ask(FillPlaceholder(m_texts.Text(TextId::kDeleteSavedServer), name)))
        return;
    SavedServerList changed = m_servers.List();
    changed.Remove(name);
    if (!m_servers.Store(changed)) {
        Show(FillPlaceholder(m_texts.Text(TextId::kSettingsNotWritten), m_servers.FilePath()));
        return;
    }
    Control(Item(IDC_SAVED_SERVERS)).SetText(L"");
    FillSavedServers();
    EnableDelete(L"");
}

void CAddFtp::EnableDelete(const std::wstring& name)
{
    const Control button(Item(IDC_DELETE_SERVER));
    const bool enable = m_servers.List().Find(name) != nullptr;
    // A disabled button keeps the focus, and keys then reach no control.
    if (!enable && ::GetFocus() == button.Handle())
        ::SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_SAVED_SERVERS)), TRUE);
    button.Enable(enable);
}

void CAddFtp::OnOK()
{
    TakeEdits();
    if (!HasFtpPrefix(m_profile.login.serverName))
        Tell({TextId::kNeedsFtpPrefix, {}, FtpFailure(), std::nullopt});
    else if (TakeServerFolder())
        End(IDOK);
}

bool CAddFtp::TakeServerFolder()
{
    std::wstring folder;
    switch (SplitServerPath(m_profile, folder)) {
    case ServerPathSplit::kConflict:
        Tell({TextId::kServerNameHoldsFolder, {folder}, FtpFailure(), std::nullopt});
        return false;
    case ServerPathSplit::kMoved:
        // The user sees where the folder went.
        FillEdits(m_profile);
        return true;
    case ServerPathSplit::kNone:
        break;
    }
    return true;
}

void CAddFtp::CheckConnection()
{
    TakeEdits();
    if (!HasFtpPrefix(m_profile.login.serverName)) {
        Tell({TextId::kNeedsFtpPrefix, {}, FtpFailure(), std::nullopt});
        return;
    }
    if (!TakeServerFolder())
        return;
    const ServerProfile profile = m_profile;
    const std::shared_ptr<CAddFtp*> self = m_self;
    const std::wstring testFile = ProgramFolder() + L"\\" + kTestFileName;
    const bool started = m_jobs.Start(FtpWorkKind::kCheck, [profile, self, testFile](FtpJobContext& context) -> FtpApply {
        const std::wstring localCopy = NewTemporaryFile();
        const std::vector<CheckMessage> told =
            RunConnectionCheck(context.Engine(), profile, testFile, localCopy, RandomLetters);
        if (!localCopy.empty())
            ::DeleteFileW(localCopy.c_str());
        return [self, told] {
            if (*self)
                (*self)->ShowCheck(told);
        };
    }, [self] {
        if (*self)
            (*self)->ShowCheck({});
    });
    m_checking = started;
    Control(Item(IDC_CHECK_CONNECTION)).Enable(!started);
}

void CAddFtp::ShowCheck(const std::vector<CheckMessage>& told)
{
    m_checking = false;
    Control(Item(IDC_CHECK_CONNECTION)).Enable(true);
    for (const CheckMessage& message : told)
        Tell(message);
}

void CAddFtp::Tell(const CheckMessage& message)
{
    std::wstring text = WithReason(FillPlaceholders(m_texts.Text(message.text), message.values), message.reason,
                                   ReasonWords(m_texts));
    if (message.mode)
        text += L"\n" + m_texts.Text(*message.mode == FtpMode::kPassive ? TextId::kCheckWorksPassive
                                                                       : TextId::kCheckWorksActive);
    Show(text);
}

void CAddFtp::Show(const std::wstring& message)
{
    Ui().ShowMessage(Handle(), message, m_texts.Text(TextId::kMessageCaption), MB_OK);
}

bool CAddFtp::Ask(const std::wstring& question)
{
    return Ui().ShowMessage(Handle(), question, m_texts.Text(TextId::kMessageCaption), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}
