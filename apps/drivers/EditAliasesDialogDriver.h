#pragma once

#include "apps/drivers/FormDriver.h"

#include <QtCore/QPointer>
#include <QtCore/QTimer>

#include <exception>
#include <functional>

class EditAliasesDialog;
class QLineEdit;
class QTableView;

namespace Zel::Drivers {

// What a user does to the edit-aliases dialog: clicks a member's row (which opens the editor of its
// shown text), types, leaves the editor with a key, clears, presses OK or Cancel. Every action goes
// through the table's own mouse and key handling, so the dialog's delegate decides what happens, as
// it does for a person. Members are found by name, whatever the table's sort order.
class EditAliasesDialogDriver : public FormDriver
{
public:
    explicit EditAliasesDialogDriver(EditAliasesDialog& dialog);

    QTableView& Table() const;
    // The table row (in the order shown) of the member, or -1.
    int RowOf(const QString& member) const;
    // What the row shows in the given column; DriverError for a member the table does not list.
    QString Text(const QString& member, int column) const;
    QString Shown(const QString& member) const { return Text(member, 2); }
    bool HasAlias(const QString& member) const { return Text(member, 1) == QLatin1String("*"); }

    // Clicks the member's name: the editor of its shown text opens, which is returned.
    QLineEdit& ClickMember(const QString& member) const;
    // The same for the table's row `row` (in the order shown), scrolled into view first.
    QLineEdit& ClickRow(int row) const;
    // The editor open now, or null.
    QLineEdit* Editor() const;
    // Replaces the open editor's text by typing it (select all, then the keys).
    void TypeInEditor(const QString& text) const;
    // A key pressed in the open editor: Tab, Backtab, Up, Down, Return, Escape.
    void PressInEditor(Qt::Key key) const;
    // Click, type and Return.
    void EditAlias(const QString& member, const QString& text) const;

    void ClearAliases() const { Click("clearButton"); }
    void Ok() const;
    void Cancel() const;

private:
    QLineEdit& OpenEditor() const;
};

// Acts on the edit-aliases dialog from inside its modal run: the host's launcher runs the dialog
// modally within the notification call, so whatever a caller does to it must already be queued
// when the notification is raised. Arms a timer that, once the launcher has the dialog running,
// calls `actions` with a driver; the dialog is cancelled afterwards if the actions left it open,
// so nothing ever waits for a person. Whatever the actions threw is kept for Rethrow().
class EditAliasesDialogRun
{
public:
    explicit EditAliasesDialogRun(std::function<void(EditAliasesDialogDriver&)> actions);
    ~EditAliasesDialogRun();
    EditAliasesDialogRun(const EditAliasesDialogRun&) = delete;
    EditAliasesDialogRun& operator=(const EditAliasesDialogRun&) = delete;

    // Whether the timer found a running dialog and the actions ran.
    bool Ran() const noexcept { return m_ran; }
    // Raises again what the actions threw, if anything.
    void Rethrow() const;

private:
    void Act();

    std::function<void(EditAliasesDialogDriver&)> m_actions;
    QTimer m_timer;
    bool m_ran = false;
    std::exception_ptr m_failure;
};

} // namespace Zel::Drivers
