// The replace question on its own, from its real template: its texts in two
// languages, the answer each button gives, and Skip as the default.
#include "common/SettingsFixture.h"
#include "framework/Control.h"
#include "i18n/CTranslation.h"
#include "panes/UserLocale.h"
#include "res/resource.h"
#include "settings/SettingsFile.h"
#include "transfer/COverwriteDlg.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kJune2026 = 134259984000000000;  // 2026-06-15 12:00 UTC

class OverwriteDlg : public ::testing::Test {
protected:
    void Load(const std::wstring& language)
    {
        testenv::WriteUserSettings({{L"Language", language}});
        settings.ResolveSettingsPath();
        texts.Load();
    }
    static std::wstring Text(const Dialog& dialog, int id) { return Control(dialog.Item(id)).Text(); }

    SettingsFile settings;
    CTranslation texts{settings};
};

}  // namespace

TEST_F(OverwriteDlg, ShowsTheTranslatedQuestionWithWhatIsKnownOfBothFiles)
{
    const std::wstring when = LocalTimeText(kJune2026);
    ASSERT_FALSE(when.empty());
    struct Case {
        std::wstring language;
        bool onServer;
        OverwriteSide existing, incoming;
        std::wstring caption, sentence, existingText, newText;
    };
    const Case cases[] = {
        {L"[1033]", false, {1536, kJune2026}, {std::nullopt, 0}, L"Replace file?",
         L"The local folder already holds a file named \"R&D notes.txt\".", L"1.50 KB, " + when, L"unknown"},
        {L"[1031]", true, {std::nullopt, kJune2026}, {5 * 1024 * 1024, 0}, L"Datei ersetzen?",
         L"Der Ordner auf dem FTP-Server enth\u00e4lt bereits eine Datei namens \"R&D notes.txt\".",
         L"unbekannt, " + when, L"5.00 MB, unbekannt"},
    };
    const std::pair<int, TextId> fixedTexts[] = {
        {IDC_EXISTING_LABEL, TextId::kExistingFile}, {IDC_NEW_LABEL, TextId::kNewFile},
        {IDC_REPLACE_QUESTION, TextId::kReplaceQuestion}, {IDC_REPLACE, TextId::kReplace},
        {IDC_REPLACE_ALL, TextId::kReplaceAll},          {IDC_SKIP, TextId::kSkip},
        {IDC_SKIP_ALL, TextId::kSkipAll},                {IDCANCEL, TextId::kCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.language);
        Load(c.language);
        COverwriteDlg dialog(texts, {L"R&D notes.txt", c.onServer, c.existing, c.incoming});
        ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
        EXPECT_EQ(Control(dialog.Handle()).Text(), c.caption);
        EXPECT_EQ(Text(dialog, IDC_REPLACE_TEXT), c.sentence);
        EXPECT_EQ(Text(dialog, IDC_EXISTING_FILE), c.existingText);
        EXPECT_EQ(Text(dialog, IDC_NEW_FILE), c.newText);
        for (const auto& [id, text] : fixedTexts) {
            ASSERT_NE(texts.Text(text), L"---") << static_cast<int>(text);
            EXPECT_EQ(Text(dialog, id), texts.Text(text)) << id;
        }
        // A name's "&" shows as it is instead of underlining the next letter.
        for (int id : {IDC_REPLACE_TEXT, IDC_EXISTING_FILE, IDC_NEW_FILE})
            EXPECT_TRUE(::GetWindowLongW(dialog.Item(id), GWL_STYLE) & SS_NOPREFIX) << id;
    }
}

TEST_F(OverwriteDlg, EachButtonEndsTheDialogWithItsOwnAnswerAndSkipIsTheDefault)
{
    Load(L"[1033]");
    const std::pair<int, OverwriteChoice> cases[] = {
        {IDC_REPLACE, OverwriteChoice::kReplace}, {IDC_REPLACE_ALL, OverwriteChoice::kReplaceAll},
        {IDC_SKIP, OverwriteChoice::kSkip},       {IDC_SKIP_ALL, OverwriteChoice::kSkipAll},
        {IDCANCEL, OverwriteChoice::kCancel},
    };
    for (const auto& [id, choice] : cases) {
        COverwriteDlg dialog(texts, {L"a.txt", false, {1, kJune2026}, {2, kJune2026}});
        ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
        EXPECT_EQ(::SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0), MAKELRESULT(IDC_SKIP, DC_HASDEFID));
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(id)));
        ASSERT_TRUE(dialog.HasEnded()) << id;
        EXPECT_EQ(dialog.Result(), id);
        EXPECT_EQ(COverwriteDlg::ChoiceOfResult(dialog.Result()), choice) << id;
    }
    // 0 and -1: DialogBoxParamW could not make the dialog; IDOK: no button of this dialog.
    for (INT_PTR result : {INT_PTR(0), INT_PTR(-1), INT_PTR(IDOK)})
        EXPECT_EQ(COverwriteDlg::ChoiceOfResult(result), OverwriteChoice::kCancel) << result;
}
