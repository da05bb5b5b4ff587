#include "apps/drivers/CalculatedMembersDialogDriver.h"

#include "apps/drivers/MemberPickerDriver.h"
#include "apps/drivers/SelectMemberDialogDriver.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "widgets/MDXEditBoxWidget.h"

#include <QtCore/QTimer>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionViewItem>
#include <QtWidgets/QTableWidget>

#include <Qsci/qsciscintilla.h>

#include <exception>

namespace Zel::Drivers {

namespace {

SelectMemberDialog* OpenMemberDialog()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<SelectMemberDialog*>(window); dialog && dialog->isVisible())
            return dialog;
    }
    return nullptr;
}

} // namespace

CalculatedMembersDialogDriver::CalculatedMembersDialogDriver(CalculatedMembersDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

void CalculatedMembersDialogDriver::Open() const
{
    m_dialog.show();
    Activate();
}

void CalculatedMembersDialogDriver::Activate() const
{
    if (QApplication::activeWindow() == &m_dialog)
        return;
    QApplication::setActiveWindow(&m_dialog);
    if (!QTest::qWaitForWindowActive(&m_dialog))
        throw DriverError("the calculated members dialog never became the active window");
}

int CalculatedMembersDialogDriver::RowCount() const
{
    return Get<QTableWidget>("m_lstMembers").rowCount();
}

int CalculatedMembersDialogDriver::CurrentRow() const
{
    return Get<QTableWidget>("m_lstMembers").currentRow();
}

QString CalculatedMembersDialogDriver::Cell(int row, int column) const
{
    const QTableWidgetItem* item = Get<QTableWidget>("m_lstMembers").item(row, column);
    if (!item)
        throw DriverError(QStringLiteral("the list has no cell %1, %2").arg(row).arg(column).toStdString());
    return item->text();
}

bool CalculatedMembersDialogDriver::IsEnabledRow(int row) const
{
    const QTableWidgetItem* item = Get<QTableWidget>("m_lstMembers").item(row, 0);
    return item && item->checkState() == Qt::Checked;
}

void CalculatedMembersDialogDriver::ClickRow(int row) const
{
    auto& list = Get<QTableWidget>("m_lstMembers");
    QTableWidgetItem* item = list.item(row, 1);
    if (!item)
        throw DriverError(QStringLiteral("the list has no row %1").arg(row).toStdString());
    list.scrollToItem(item);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, list.visualItemRect(item).center());
}

void CalculatedMembersDialogDriver::ToggleRow(int row) const
{
    auto& list = Get<QTableWidget>("m_lstMembers");
    QTableWidgetItem* item = list.item(row, 0);
    if (!item)
        throw DriverError(QStringLiteral("the list has no row %1").arg(row).toStdString());
    list.scrollToItem(item);
    // The check box where the list's delegate puts it: at the start of the name cell, a line of
    // text high.
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.rect = list.visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.checkState = item->checkState();
    option.text = item->text();
    const QRect box = list.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list);
    const Qt::CheckState before = item->checkState();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    if (item->checkState() == before)
        throw DriverError(QStringLiteral("the click missed the check box of row %1").arg(row).toStdString());
}

void CalculatedMembersDialogDriver::New() const
{
    Click("m_new");
}

void CalculatedMembersDialogDriver::Delete() const
{
    Click("m_delete");
}

void CalculatedMembersDialogDriver::Up() const
{
    Click("m_moveUp");
}

void CalculatedMembersDialogDriver::Down() const
{
    Click("m_moveDown");
}

void CalculatedMembersDialogDriver::TypeName(const QString& name) const
{
    auto& edit = Get<QLineEdit>("m_edtName");
    Activate();
    edit.setFocus();
    edit.selectAll();
    if (name.isEmpty())
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        QTest::keyClicks(&edit, name);
}

void CalculatedMembersDialogDriver::LeaveName() const
{
    Get<QSpinBox>("m_solveOrder").setFocus(Qt::TabFocusReason);
}

void CalculatedMembersDialogDriver::PickHierarchy(const QString& caption) const
{
    PickText("m_hierarchies", caption);
}

void CalculatedMembersDialogDriver::PickResultType(DataType type) const
{
    PickData("m_lstResultType", QVariant(static_cast<int>(type)));
}

void CalculatedMembersDialogDriver::SetSolveOrder(int value) const
{
    Get<QSpinBox>("m_solveOrder").setValue(value);
}

void CalculatedMembersDialogDriver::SetFormula(const QString& formula) const
{
    Get<QsciScintilla>("m_edtFormula").setText(formula);
}

void CalculatedMembersDialogDriver::CheckFormula() const
{
    Click("m_btnCheckFormula");
}

QString CalculatedMembersDialogDriver::Message() const
{
    return Get<QLabel>("m_staticErrors").text();
}

void CalculatedMembersDialogDriver::UseAllMember() const
{
    Click("m_all");
}

void CalculatedMembersDialogDriver::BrowseParent(
    const std::function<void(const SelectMemberDialogDriver&)>& pick, bool withRadio) const
{
    std::exception_ptr failure;
    bool ran = false;
    // The member dialog runs its own loop inside the click; the pick runs in that loop.
    QTimer::singleShot(0, &m_dialog, [&] {
        SelectMemberDialog* dialog = OpenMemberDialog();
        if (!dialog)
            return;
        ran = true;
        const SelectMemberDialogDriver member(*dialog);
        try {
            member.Tree().WaitForTree();
            pick(member);
        } catch (...) {
            failure = std::current_exception();
        }
        if (dialog->isVisible())
            dialog->reject();
    });
    Click(withRadio ? "m_selected" : "m_browse");
    // The dialog is the active window again once the member dialog has gone, as on a desktop.
    Activate();
    if (failure)
        std::rethrow_exception(failure);
    if (!ran)
        throw DriverError("no member dialog opened");
}

void CalculatedMembersDialogDriver::Ok() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Ok)->click();
}

void CalculatedMembersDialogDriver::Cancel() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Cancel)->click();
}

} // namespace Zel::Drivers
