// The controls of one pane in the main window (path box, Browse, Add Folder,
// Delete, group box and list) and what both panes do with them alike: their
// captions, the add-folder mode, the rows and the selection.
#pragma once

#include "framework/ListView.h"
#include "i18n/TextId.h"
#include "panes/RowKind.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CTranslation;
class FailureReport;

// The one message at the end of a batch or deletion that had problems.
std::wstring FailureMessage(const CTranslation& texts, const FailureReport& report, TextId failedHeading);

struct PaneControlIds {
    int path;
    int browse;
    int addFolder;
    int remove;
    int group;
    int list;
};

class PaneControls {
public:
    PaneControls(const CTranslation& texts, const PaneControlIds& ids, TextId groupText);

    void Bind(HWND dialog);
    // The captions of the mode the pane is in.
    void ApplyTexts(bool adding) const;
    void ShowAddFolderMode(bool adding) const;

    // The parent row, then the folders, then the files with their size texts.
    void FillRows(const std::vector<std::wstring>& folderNames, const std::vector<std::wstring>& fileNames,
                  const std::vector<std::uint64_t>& fileSizes) const;

    // How a row's image and text tell its kind; the FTP pane tells the parent
    // row by its image alone, so that a server folder named "[...]" can be entered.
    enum class ParentBy { kImageOrText, kImageOnly };
    // The row under the selection mark; nothing without a mark.
    std::optional<PaneRow> MarkedRow(ParentBy parentBy) const;
    std::vector<PaneRow> SelectedRows(ParentBy parentBy) const;
    // Text 60 when no row carries the mark; false then.
    bool CheckSelectionForDelete() const;

    HWND Dialog() const { return m_dialog; }
    const Control& Path() const { return m_path; }
    const ListView& List() const { return m_list; }

private:
    PaneRow RowAt(int row, ParentBy parentBy) const;

    const CTranslation& m_texts;
    PaneControlIds m_ids;
    TextId m_groupText;
    HWND m_dialog = nullptr;
    Control m_path;
    Control m_browse;
    Control m_addFolder;
    Control m_remove;
    Control m_group;
    ListView m_list;
};
