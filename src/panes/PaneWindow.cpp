#include "panes/PaneWindow.h"

#include <optional>

PaneWindow::PaneWindow(const CTranslation& texts, const PaneControlIds& ids, TextId groupText,
                       PaneControls::ParentBy parentBy)
    : m_controls(texts, ids, groupText), m_parentBy(parentBy)
{
}

void PaneWindow::OnBrowse()
{
    if (InAddFolderMode())
        Commands().ConfirmAddFolder();
    else
        Browse();
}

void PaneWindow::OnDoubleClick()
{
    if (const std::optional<PaneRow> row = m_controls.MarkedRow(m_parentBy))
        Commands().Open(*row);
}

void PaneWindow::OnDelete()
{
    if (m_controls.CheckSelectionForDelete())
        Commands().Delete(m_controls.SelectedRows(m_parentBy));
}
