#pragma once

#include "main/ZelDialogExport.h"

#include "host/ui/ZelvarDialog.h"

#include <memory>

class FieldName;
class ICommandDispatcher;
class QTableWidgetItem;
class TString;

// Maintains the calculated members and calculated measures of one cube data source: a list of
// them, and an editor for the selected one (name, hierarchy, result type or parent member, solve
// order, scope isolation, MDX formula).
//
// The constructor asks the host to open an editing context (GetCalculatedMembersForEditing) and
// keeps the host's controller in step with the list from then on: every create, update,
// enable/disable, delete and move is sent at once (CreateCalculatedMember, UpdateCalculatedMember,
// DeleteCalculatedMember, MoveCalculatedMember), and the count the host answers must equal the
// list's. Names and formulas are checked by the host (ValidateMeasureName, ValidateMemberName,
// CheckCalculatedMemberFormula), and new calculations are named by it (GetNewMeasureName,
// GetNewMemberName). OK sends ApplyCalculatedMembers when anything changed; the context's
// clean-up commands are sent when the dialog is destroyed, after OK and Cancel alike.
//
// The dialog owns its Impl, which owns the form, the working copies of the host's records and the
// clean-up owner. A parent member is picked in a SelectMemberDialog run modally from here.
class ZELDIALOG_EXPORT CalculatedMembersDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    // `text` and `flag` are the host's and are passed on unchanged; `field` is sent only when it is
    // not empty.
    CalculatedMembersDialog(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const TString& text,
        const FieldName& field, bool flag, QWidget* parent = nullptr);
    ~CalculatedMembersDialog() override;

    CalculatedMembersDialog(const CalculatedMembersDialog&) = delete;
    CalculatedMembersDialog& operator=(const CalculatedMembersDialog&) = delete;

    using ZelvarDialog::exec;
    // Runs the dialog modally. A bad answer of the host to a command sent while it runs ends the run
    // and is raised from here: it cannot leave through Qt's event handling, which does not unwind a
    // dialog's modal loop. Outside a run, the slots raise it themselves.
    int exec() override;

public slots:
    // Closes the dialog only when the changes could be committed (see AcceptChanges).
    void accept() override;

protected slots:
    void OnUp();
    void OnDown();
    void OnNew();
    void OnDelete();
    void OnCalculationListItemChanged(QTableWidgetItem* item);
    void OnCalculationListSelectionChanged();
    void OnSelectUseAll(bool checked);
    void OnSelectUseSelected(bool checked);
    void OnSelectParent();
    void OnNameChanged();
    void OnNameEdited(const QString& text);
    void OnHierChanged(int index);

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};
