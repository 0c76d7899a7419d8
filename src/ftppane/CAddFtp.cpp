#include "ftppane/CAddFtp.h"

#include "framework/Control.h"
#include "framework/UiSeam.h"
#include "ftppane/ProfileRules.h"
#include "panes/ReasonWords.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "res/resource.h"
#include "settings/UserSettingsCopy.h"

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
    if (id == IDC_CHECK_CONNECTION && code == BN_CLICKED) {
        CheckConnection();
        return true;
    }
    return Dialog::OnCommand(id, code, control);
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
        FillEdits();
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
    const std::wstring localCopy = NewTemporaryFile();
    const std::vector<CheckMessage> told =
        RunConnectionCheck(m_engine, m_profile, ProgramFolder() + L"\\" + kTestFileName, localCopy, RandomLetters);
    if (!localCopy.empty())
        ::DeleteFileW(localCopy.c_str());
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
    Ui().ShowMessage(Handle(), text, m_texts.Text(TextId::kMessageCaption), MB_OK);
}
