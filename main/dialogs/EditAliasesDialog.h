#pragma once

#include "host/doc/AliasPresModels.h"
#include "host/ui/ZelvarDialog.h"
#include "main/ZelDialogExport.h"
#include "main/dialogs/DialogFailureRelay.h"

#include <memory>

class EditAliasesItemDelegate;
class ICommandDispatcher;
class QItemSelection;
class QItemSelectionModel;

namespace Ui {
class EditAliasesDialog;
}

// Lists every member of a field with its alias, sorted by member name without regard to case, and
// lets the user change one alias at a time in place (the delegate starts and ends each edit). Each
// change goes to the host at once through its table model (ApplyNewAliases), which refuses an alias
// that another member already shows; "Clear Aliases" removes every alias (ClearAliases). Committing
// or cancelling the whole edit is the launcher's part, after the dialog has closed.
//
// The dialog owns its form, its table model, the selection model and the delegate, and destroys them
// with itself; the sort proxy between model and table is a child of the dialog. The dispatcher and
// the host's list are the caller's.
class ZELDIALOG_EXPORT EditAliasesDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    class AliasesTableModel;

    EditAliasesDialog(const ICommandDispatcher& dispatcher, const RefCntPtr<AliasesPresModel const>& aliases);
    ~EditAliasesDialog() override;

    using ZelvarDialog::exec;
    // Runs the dialog modally. A failure while it runs (a command without an answer, a host record
    // missing) ends the run and is raised from here: it cannot leave through Qt's event handling,
    // which does not unwind a dialog's modal loop.
    int exec() override;

public slots:
    void UpdateUIState();
    void OnClear();
    void onSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Carries a failure of an edit or of "Clear Aliases" out of exec().
    DialogFailureRelay m_failures;
    std::unique_ptr<Ui::EditAliasesDialog> m_ui;
    std::unique_ptr<AliasesTableModel> m_model;
    const ICommandDispatcher& m_dispatcher;
    // Declared after the model: the table lets go of them before the model goes.
    std::unique_ptr<QItemSelectionModel> m_selectionModel;
    std::unique_ptr<EditAliasesItemDelegate> m_delegate;
};
