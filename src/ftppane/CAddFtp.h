// The server profile dialog. It edits a copy of the profile, which the caller
// takes back when the dialog ends with OK; it also checks a connection by
// sending, fetching back and deleting a test file.
#pragma once

#include "framework/Dialog.h"
#include "ftp/FtpEngine.h"
#include "i18n/TextId.h"

class CTranslation;

class CAddFtp : public Dialog {
public:
    CAddFtp(const CTranslation& texts, FtpEngine& engine);

    void SetProfile(const ServerProfile& profile) { m_profile = profile; }
    const ServerProfile& Profile() const { return m_profile; }

protected:
    BOOL OnInit() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // Takes the edits; closes only when the server name has the "ftp://" prefix.
    void OnOK() override;

private:
    void FillEdits();
    void TakeEdits();
    void ApplyTexts();
    // Uploads config.ini from beside the program, fetches it back into temp
    // beside the program, deletes both copies, and tells how far it got: the
    // step that failed with its reason, and the mode that worked.
    void CheckConnection();
    // The text, then the reason and the mode line, each on a line of its own.
    void Tell(TextId text, const FtpFailure& reason = FtpFailure(), const std::wstring& modeLine = std::wstring());

    const CTranslation& m_texts;
    FtpEngine& m_engine;
    ServerProfile m_profile;
    bool m_checking = false;
};
