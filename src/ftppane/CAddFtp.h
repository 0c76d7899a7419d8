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
    // beside the program, deletes both copies, and tells how far it got.
    void CheckConnection();
    void Tell(TextId text);

    const CTranslation& m_texts;
    FtpEngine& m_engine;
    ServerProfile m_profile;
    bool m_checking = false;
};
