#pragma once

#include "host/doc/AutosaveFilePresModel.h"
#include "main/ZelDialogExport.h"
#include "main/dialogs/ZelvarFramelessDialog.h"

#include <memory>
#include <vector>

class AutosaveFileTableModel;
class AutosaveFileTableSortProxyModel;
class ICommandDispatcher;
class QModelIndex;

namespace Ui {
class AutosaveFileRecoverDialog;
}

// Offers the recovered copies of workbooks that the host keeps, newest first: the user deletes
// copies, or picks copies to open, which the host reads back with GetFilesToOpen() once the dialog
// has been accepted.
//
// Commands: GetAutosaveFiles when the dialog is made and after every deletion, and
// DeleteAutosaveFiles with the ids of the selected copies. A list that comes back empty closes the
// dialog as accepted (with nothing to open), even while it is still being constructed, so a host
// checks result() before it runs a freshly made dialog.
//
// The dialog owns its form; the model and its sorting proxy are its children. The dispatcher must
// outlive the dialog. Failed commands are not caught: they leave the slot that sent them.
class ZELDIALOG_EXPORT AutosaveFileRecoverDialog : public ZelvarFramelessDialog
{
    Q_OBJECT

public:
    AutosaveFileRecoverDialog(const ICommandDispatcher& dispatcher, QWidget* parent);
    ~AutosaveFileRecoverDialog() override;

    std::vector<RefCntPtr<AutosaveFilePresModel const>> GetFilesToOpen() const;

    // Makes the newest copy of the workbook at `originalPath` the only selected, current row and
    // answers true; without such a copy, leaves no row selected or current and answers false. An
    // empty path answers false and changes nothing.
    bool TrySelectingMostRecentAssociatedRecoveredFile(const TString& originalPath);

protected slots:
    void OpenClicked();
    void DeleteClicked();
    void UpdateList();
    void UpdateControls();
    void OnItemDoubleClicked(const QModelIndex& index);

private:
    // The selected copies in the order the user selected them.
    std::vector<RefCntPtr<AutosaveFilePresModel const>> PopulateSelectedFilesVector() const;

    std::unique_ptr<Ui::AutosaveFileRecoverDialog> m_ui;
    const ICommandDispatcher& m_dispatcher;
    AutosaveFileTableModel* m_model = nullptr;
    AutosaveFileTableSortProxyModel* m_proxy = nullptr;
    std::vector<RefCntPtr<AutosaveFilePresModel const>> m_filesToOpen;
};
