// The server profile dialog. It edits a copy of the profile, which the caller
// takes back when the dialog ends with OK; it also checks a connection by
// sending, fetching back and deleting a test file.
#pragma once

#include "framework/Dialog.h"
#include "ftp/FtpEngine.h"
#include "ftppane/ConnectionCheck.h"
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
    // Moves a folder typed into the server name to the folder field; false,
    // after saying where the folder belongs, when that field holds another.
    bool TakeServerFolder();
    // Sends config.ini from beside the program to the profile's folder under
    // a name of its own, fetches it back to a temporary file, deletes both
    // copies, and tells how far it got.
    void CheckConnection();
    // The text, then the reason and the mode line, each on a line of its own.
    void Tell(const CheckMessage& message);

    const CTranslation& m_texts;
    FtpEngine& m_engine;
    ServerProfile m_profile;
};
