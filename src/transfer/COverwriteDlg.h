// The modal question a transfer batch puts before it replaces an existing
// file: the file's name, the sizes and times of both files where known, and
// five answers. Skip is the default, so a hasty Enter keeps the file.
#pragma once

#include "framework/Dialog.h"
#include "transfer/OverwritePolicy.h"

class CTranslation;

class COverwriteDlg : public Dialog {
public:
    COverwriteDlg(const CTranslation& texts, const OverwriteQuestion& question);

    // The answer behind a RunModal result; Cancel for IDCANCEL, for 0 and -1
    // (the dialog could not be made) and for anything else.
    static OverwriteChoice ChoiceOfResult(INT_PTR result);

protected:
    BOOL OnInit() override;
    // Each answer button ends the dialog with its own id.
    bool OnCommand(WORD id, WORD code, HWND control) override;

private:
    // "12.50 MB, 12/31/2026 11:59 PM"; "unknown" for a part not known, and
    // only "unknown" when neither is.
    std::wstring SideText(const OverwriteSide& side) const;

    const CTranslation& m_texts;
    OverwriteQuestion m_question;
};
