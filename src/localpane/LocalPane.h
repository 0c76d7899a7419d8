// The left pane: the local or network folder in path box 1003 and list 1007,
// with its Browse, Add Folder and Delete buttons and the group box 1015.
#pragma once

#include "framework/ListView.h"

#include <string>

class CTranslation;
class PowerClass;

class LocalPane {
public:
    LocalPane(CTranslation& texts, PowerClass& power);

    void Bind(HWND dialog);
    void ApplyTexts();

    // Rebuilds the list for the folder and shows folder + "\..." in the path box.
    // While a new folder's name is typed the box keeps the name; the folder
    // becomes the one the new folder will be created in.
    void FillLocalList(const std::wstring& folder);

    // The folder the pane works in: the path box without its marker, or, while a
    // new folder's name is being typed, the folder that was shown before.
    std::wstring CurrentFolder() const;

    // Browse (1004): picks a folder, or creates the typed one in add-folder mode.
    void OnBrowse();
    // Double-click in list 1007: enters a folder, goes up one level or opens a file.
    void OnDoubleClick();
    // Add Folder (1011): the path box takes the new folder's name.
    void OnAddFolder();
    // Delete (1014): sends the selected entries to the recycle bin.
    void OnDelete();

    bool InAddFolderMode() const { return m_addFolderMode; }
    const ListView& List() const { return m_list; }

private:
    // Leaves add-folder mode, creating the typed folder inside the saved one.
    void CreateTypedFolder();
    // Group box and Browse captions of the mode the pane is in.
    void ShowModeCaptions();

    CTranslation& m_texts;
    PowerClass& m_power;
    HWND m_dialog = nullptr;
    Control m_path;
    Control m_browse;
    Control m_addFolder;
    Control m_delete;
    Control m_group;
    ListView m_list;
    bool m_addFolderMode = false;
    std::wstring m_savedFolder;
};
