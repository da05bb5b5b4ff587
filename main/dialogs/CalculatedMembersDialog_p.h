#pragma once

// The private half of CalculatedMembersDialog, shared by its two sources: the list and the editor
// (CalculatedMembersDialog.cpp) and the checks of a calculation with the parent browse
// (CalculatedMemberValidation.cpp).

#include "main/dialogs/CalculatedMembersDialog.h"

#include "host/doc/CalculatedMemberPresModels.h"
#include "host/doc/ComponentCleanup.h"
#include "host/ui/ZelvarLineEditValidator.h"
#include "main/dialogs/DialogFailureRelay.h"
#include "widgets/MDXEditBoxWidget.h"

#include <QtCore/QtGlobal>

#include <memory>
#include <vector>

class QTableWidgetItem;

namespace Ui {
class CalculatedMembersDialog;
}

// Everything the dialog knows: the host's editing context, the working copies of its calculations
// (one per list row, in row order) and the form. The record shown in the editor is the current
// index; a record made by New is not sent to the host before its first commit (new pending).
class CalculatedMembersDialog::Impl final : public MDXEditBoxWidget::IMDXEditBoxWidgetNotify
{
public:
    class MemberNameValidator;

    Impl(CalculatedMembersDialog& owner, const std::shared_ptr<ICommandDispatcher const>& dispatcher,
        const TString& text, const FieldName& field, bool flag);
    ~Impl() override;

    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // Every entry from Qt (the dialog's slots, the name validator, the formula editor's call-backs)
    // runs through this.
    DialogFailureRelay& Failures() noexcept { return m_failures; }

    // The list and the editor.
    bool AcceptChanges();
    void OnUp();
    void OnDown();
    void OnNew();
    void OnDelete();
    void OnCalculationListItemChanged(QTableWidgetItem* item);
    void OnCalculationListSelectionChanged();
    void OnSelectUseAll(bool checked);
    void OnSelectUseSelected();
    void OnNameChanged();
    void OnNameEdited();
    void OnHierChanged(int index);

    // The checks of a calculation and the browse for its parent.
    bool ValidateName(TString& error);
    bool CheckSolveOrder(int value, TString& error) const;
    // The host's verdict on the formula of the calculation in the editor, committed first: empty
    // when it is valid, else the reason.
    TString CheckFormula(const TString& formula);
    void SelectParent();

    void OnFormulaChanged(MDXEditBoxWidget* sender) override;
    TString ValidateFormula(const TString& formula) override;

private:
    void SetUpList();
    void LoadCalculations(const std::vector<RefCntPtr<CalculatedMemberPresModel const>>& calculations);
    void FillHierarchies();
    void FillResultTypes(bool stringMeasures);
    void Connect();
    int AddCalculationRow(const TString& name, const TString& parentName, const TString& formula, bool enabled);
    void RefreshCalculationRow(int row);
    void LoadCalculation(int row);
    void ClearEditor();
    void UpdateControls();
    void ShowResultTypeOrParent(bool resultType);
    bool UpdateCalculation();
    bool CommitAndReload();
    // Selects the row (or the last one when it is past the end) and shows it; with no rows left,
    // the editor is cleared.
    void SelectRow(int row);
    void MoveCurrent(bool up);
    int CurrentRow() const;
    bool HasSelection() const;
    bool IsValidIndex(int index) const;
    const CalculatedMemberHierarchyItemPresModel& Hierarchy(int index) const;
    int FindHierarchy(const FieldName& name) const;
    // Raises the logic exception with `message` when the host's count of calculations is not the
    // list's.
    void CheckCount(unsigned int count, const char* message) const;

    DialogFailureRelay m_failures;
    bool m_modified = false;
    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    unsigned int m_editId = ~0u;
    std::unique_ptr<ComponentCleanup> m_cleanup;
    TString m_dataSourceName;
    bool m_nonRootCalculationsAllowed = false;
    FieldName m_initialField;
    std::vector<RefCntPtr<CalculatedMemberPresModel>> m_calculations;
    int m_currentIndex = -1;
    bool m_newPending = false;
    std::vector<RefCntPtr<CalculatedMemberHierarchyItemPresModel const>> m_hierarchies;
    int m_rememberedHierarchy = -2;
    int m_currentHierarchy = -1;
    int m_currentLevel = 0;
    int m_solveOrderLowerBound = 0;
    int m_solveOrderUpperBound = 0;
    TString m_measuresDimensionName;
    bool m_browsingParent = false;
    bool m_editorLoaded = false;
    std::shared_ptr<MemberNameValidator> m_nameValidator;
    CalculatedMembersDialog* m_owner;
    std::unique_ptr<Ui::CalculatedMembersDialog> m_ui;
};

// Runs the name check on every change of the name field. While the user types, an invalid name
// only keeps the edit from finishing; once the field is left, the error shows in the formula
// area's message line and the focus goes back to the name.
class CalculatedMembersDialog::Impl::MemberNameValidator final : public ZelvarLineEditValidator
{
public:
    MemberNameValidator(Impl& impl, QObject* parent);
    ~MemberNameValidator() override;

    State validate(QString& input, int& position) const override;

private:
    Impl* m_impl;
};
