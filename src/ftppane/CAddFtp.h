// The server profile dialog. Its four fields are the live server profile of the
// whole program; it also checks a connection by sending, fetching back and
// deleting a test file.
#pragma once

#include "framework/Dialog.h"
#include "ftp/FtpListing.h"
#include "ftppane/ServerProfile.h"
#include "i18n/CTranslation.h"
#include "settings/PowerClass.h"

class CAddFtp : public Dialog {
public:
    CAddFtp();

    ServerProfile& Profile() { return m_profile; }
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
    void Tell(int textNumber);

    ServerProfile m_profile;
    CTranslation m_translation;
    PowerClass m_power;
    FtpListing m_listing;
    bool m_checking = false;
};
