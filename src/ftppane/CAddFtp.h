// The server profile dialog. It edits a copy of the profile, which the caller
// takes back when the dialog ends with OK; it also checks a connection by
// sending, fetching back and deleting a test file, as an FTP job: the dialog
// answers meanwhile, and Cancel ends the check and the dialog. Its top row
// keeps the saved servers: choosing one fills the fields, Save and Delete
// change the list, which is written to the settings file at once.
#pragma once

#include "framework/Dialog.h"
#include "ftp/FtpJobs.h"
#include "ftppane/ConnectionCheck.h"
#include "ftppane/SavedServers.h"
#include "i18n/TextId.h"

#include <memory>
#include <string>
#include <vector>

class CTranslation;
class SavedServerStore;

class CAddFtp : public Dialog {
public:
    CAddFtp(const CTranslation& texts, FtpJobs& jobs, SavedServerStore& servers);
    ~CAddFtp() override;

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

    // Moves a folder typed into the server name to the folder field; false,
    // after saying where the folder belongs, when that field holds another.
    bool TakeServerFolder();
    // Sends config.ini from beside the program to the profile's folder under
    // a name of its own, fetches it back to a temporary file, deletes both
    // copies, and tells how far it got, as an FTP job.
    void CheckConnection();
    void ShowCheck(const std::vector<CheckMessage>& told);
    // The text, then the reason and the mode line, each on a line of its own.
    void Tell(const CheckMessage& message);

    const CTranslation& m_texts;
    FtpJobs& m_jobs;
    ServerProfile m_profile;
    bool m_checking = false;
    // The check's result comes back after the dialog may have ended.
    std::shared_ptr<CAddFtp*> m_self = std::make_shared<CAddFtp*>(this);
    SavedServerStore& m_servers;
    std::wstring m_savedName;
};
