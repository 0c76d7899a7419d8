// The server profile dialog. It edits a copy of the profile, which the caller
// takes back when the dialog ends with OK; it also checks a connection by
// sending, fetching back and deleting a test file. Its top row keeps the saved
// servers: choosing one fills the fields, Save and Delete change the list,
// which is written to the settings file at once.
#pragma once

#include "framework/Dialog.h"
#include "ftp/FtpEngine.h"
#include "ftppane/SavedServers.h"
#include "i18n/TextId.h"

#include <string>

class CTranslation;
class SavedServerStore;

class CAddFtp : public Dialog {
public:
    CAddFtp(const CTranslation& texts, FtpEngine& engine, SavedServerStore& servers);

    void SetProfile(const ServerProfile& profile) { m_profile = profile; }
    // The name the saved servers' field shows when the dialog opens.
    void SetSavedName(const std::wstring& name) { m_savedName = name; }
    const ServerProfile& Profile() const { return m_profile; }

protected:
    BOOL OnInit() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // Takes the edits; closes only when the server name has the "ftp://" prefix.
    void OnOK() override;

private:
    void FillEdits(const ServerProfile& profile);
    void TakeEdits();
    ServerProfile TypedProfile();
    void ApplyTexts();

    // The saved servers' list in the field's drop-down, in the list's order.
    void FillSavedServers();
    // The server chosen in the drop-down fills the fields; a password that
    // cannot be read here is asked for.
    void ChooseSavedServer();
    // Saves the fields under the typed name, after a question when that
    // replaces a saved server.
    void SaveServer();
    void DeleteServer();
    // Delete is enabled while the field names a saved server.
    void EnableDelete(const std::wstring& name);
    void TellRefused(const SaveOutcome& outcome);
    // A message box with the program's caption; Ask's has Yes and No and
    // returns whether the answer was Yes.
    void Show(const std::wstring& message);
    bool Ask(const std::wstring& question);

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
    SavedServerStore& m_servers;
    std::wstring m_savedName;
};
