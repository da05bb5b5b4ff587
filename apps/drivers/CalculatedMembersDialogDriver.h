#pragma once

#include "apps/drivers/FormDriver.h"

#include "host/doc/DataValue.h"

#include <functional>

class CalculatedMembersDialog;

namespace Zel::Drivers {

class SelectMemberDialogDriver;

// What a user does to the calculated members dialog, by the names of its controls: the tour, the
// integration tests and the benchmark all maintain calculations through this.
class CalculatedMembersDialogDriver : public FormDriver
{
public:
    explicit CalculatedMembersDialogDriver(CalculatedMembersDialog& dialog);

    CalculatedMembersDialog& Dialog() const noexcept { return m_dialog; }

    // Shows the dialog without running it, as the active window, so that its fields take the focus
    // as they would for a user.
    void Open() const;

    // The list of calculations.
    int RowCount() const;
    int CurrentRow() const;
    QString Cell(int row, int column) const;
    bool IsEnabledRow(int row) const;
    // Clicks the row (in its parent cell, away from the check box).
    void ClickRow(int row) const;
    // Clicks the row's check box: the press selects the row, the release ticks or clears the box.
    void ToggleRow(int row) const;

    void New() const;
    void Delete() const;
    void Up() const;
    void Down() const;

    // Types the name with the focus in the name field, which keeps it.
    void TypeName(const QString& name) const;
    // Moves the focus from the name field to the solve order, as Tab does.
    void LeaveName() const;
    void PickHierarchy(const QString& caption) const;
    void PickResultType(DataType type) const;
    void SetSolveOrder(int value) const;
    // Replaces the formula, as typing it would.
    void SetFormula(const QString& formula) const;
    void CheckFormula() const;
    // The formula area's message line.
    QString Message() const;
    void UseAllMember() const;
    // Opens the parent member dialog with "..." (or with "Selected member:") and runs `pick` on it
    // once its tree is there; `pick` ends with its OK or Cancel. What `pick` raises is raised here,
    // after the member dialog is closed.
    void BrowseParent(const std::function<void(const SelectMemberDialogDriver&)>& pick, bool withRadio = false) const;

    // Presses OK or Cancel; the dialog stays open when it refuses.
    void Ok() const;
    void Cancel() const;

private:
    void Activate() const;

    CalculatedMembersDialog& m_dialog;
};

} // namespace Zel::Drivers
