#include "transfer/COverwriteDlg.h"

#include "framework/Control.h"
#include "i18n/CTranslation.h"
#include "i18n/LanguageFile.h"
#include "panes/SizeText.h"
#include "panes/UserLocale.h"
#include "res/resource.h"

#include <utility>

COverwriteDlg::COverwriteDlg(const CTranslation& texts, const OverwriteQuestion& question)
    : Dialog(IDD_OVERWRITE), m_texts(texts), m_question(question)
{
}

OverwriteChoice COverwriteDlg::ChoiceOfResult(INT_PTR result)
{
    switch (result) {
    case IDC_REPLACE: return OverwriteChoice::kReplace;
    case IDC_REPLACE_ALL: return OverwriteChoice::kReplaceAll;
    case IDC_SKIP: return OverwriteChoice::kSkip;
    case IDC_SKIP_ALL: return OverwriteChoice::kSkipAll;
    default: return OverwriteChoice::kCancel;
    }
}

BOOL COverwriteDlg::OnInit()
{
    Control(Handle()).SetText(m_texts.Text(TextId::kReplaceCaption));
    const std::pair<int, TextId> texts[] = {
        {IDC_EXISTING_LABEL, TextId::kExistingFile}, {IDC_NEW_LABEL, TextId::kNewFile},
        {IDC_REPLACE_QUESTION, TextId::kReplaceQuestion}, {IDC_REPLACE, TextId::kReplace},
        {IDC_REPLACE_ALL, TextId::kReplaceAll},          {IDC_SKIP, TextId::kSkip},
        {IDC_SKIP_ALL, TextId::kSkipAll},                {IDCANCEL, TextId::kCancel},
    };
    for (const auto& [id, text] : texts)
        Control(Item(id)).SetText(m_texts.Text(text));

    const TextId sentence = m_question.onServer ? TextId::kFtpFileExists : TextId::kLocalFileExists;
    Control(Item(IDC_REPLACE_TEXT)).SetText(FillPlaceholder(m_texts.Text(sentence), m_question.name));
    Control(Item(IDC_EXISTING_FILE)).SetText(SideText(m_question.existing));
    Control(Item(IDC_NEW_FILE)).SetText(SideText(m_question.incoming));

    // The dialog manager would focus the first button, Replace; the focus goes
    // to the default button instead, and FALSE keeps it there.
    ::SetFocus(Item(IDC_SKIP));
    return FALSE;
}

bool COverwriteDlg::OnCommand(WORD id, WORD code, HWND control)
{
    if (code == BN_CLICKED &&
        (id == IDC_REPLACE || id == IDC_REPLACE_ALL || id == IDC_SKIP || id == IDC_SKIP_ALL)) {
        End(id);
        return true;
    }
    return Dialog::OnCommand(id, code, control);
}

std::wstring COverwriteDlg::SideText(const OverwriteSide& side) const
{
    // LocalTimeText is empty for a time the system cannot convert.
    const std::wstring time = side.time != 0 ? LocalTimeText(side.time) : std::wstring();
    const std::wstring unknown = m_texts.Text(TextId::kUnknown);
    if (!side.size && time.empty())
        return unknown;
    const std::wstring size = side.size ? FormatSizeText(*side.size, m_texts.Text(SizeUnitText(*side.size))) : unknown;
    return size + L", " + (time.empty() ? unknown : time);
}
