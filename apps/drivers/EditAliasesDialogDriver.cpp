#include "apps/drivers/EditAliasesDialogDriver.h"

#include "main/dialogs/EditAliasesDialog.h"

#include <QtTest/QTest>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

namespace Zel::Drivers {

namespace {
constexpr int kMemberColumn = 0;
} // namespace

EditAliasesDialogDriver::EditAliasesDialogDriver(EditAliasesDialog& dialog)
    : FormDriver(dialog)
{
}

QTableView& EditAliasesDialogDriver::Table() const
{
    return Get<QTableView>("table");
}

int EditAliasesDialogDriver::RowOf(const QString& member) const
{
    const QAbstractItemModel& model = *Table().model();
    const QModelIndexList found = model.match(
        model.index(0, kMemberColumn), Qt::DisplayRole, member, 1, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return found.isEmpty() ? -1 : found.front().row();
}

QString EditAliasesDialogDriver::Text(const QString& member, int column) const
{
    const int row = RowOf(member);
    if (row < 0)
        throw DriverError(QStringLiteral("the alias table lists no member \"%1\"").arg(member).toStdString());
    return Table().model()->index(row, column).data().toString();
}

QLineEdit* EditAliasesDialogDriver::Editor() const
{
    // A closed editor is hidden at once and deleted later.
    for (QLineEdit* edit : Table().viewport()->findChildren<QLineEdit*>())
        if (edit->isVisible())
            return edit;
    return nullptr;
}

QLineEdit& EditAliasesDialogDriver::OpenEditor() const
{
    QLineEdit* editor = Editor();
    if (!editor)
        throw DriverError("the alias table has no editor open");
    return *editor;
}

QLineEdit& EditAliasesDialogDriver::ClickMember(const QString& member) const
{
    const int row = RowOf(member);
    if (row < 0)
        throw DriverError(QStringLiteral("the alias table lists no member \"%1\"").arg(member).toStdString());
    return ClickRow(row);
}

QLineEdit& EditAliasesDialogDriver::ClickRow(int row) const
{
    QTableView& table = Table();
    const QModelIndex cell = table.model()->index(row, kMemberColumn);
    table.scrollTo(cell);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, Qt::NoModifier, table.visualRect(cell).center());
    return OpenEditor();
}

void EditAliasesDialogDriver::TypeInEditor(const QString& text) const
{
    QLineEdit& editor = OpenEditor();
    QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&editor, Qt::Key_Delete);
    else
        QTest::keyClicks(&editor, text);
}

void EditAliasesDialogDriver::PressInEditor(Qt::Key key) const
{
    QTest::keyClick(&OpenEditor(), key);
}

void EditAliasesDialogDriver::EditAlias(const QString& member, const QString& text) const
{
    ClickMember(member);
    TypeInEditor(text);
    PressInEditor(Qt::Key_Return);
}

void EditAliasesDialogDriver::Ok() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Ok)->click();
}

void EditAliasesDialogDriver::Cancel() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Cancel)->click();
}

EditAliasesDialogRun::EditAliasesDialogRun(std::function<void(EditAliasesDialogDriver&)> actions)
    : m_actions(std::move(actions))
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Act(); });
    m_timer.start(0);
}

EditAliasesDialogRun::~EditAliasesDialogRun() = default;

void EditAliasesDialogRun::Act()
{
    auto* dialog
        = qobject_cast<EditAliasesDialog*>(ZelvarDialog::FindExecutingDialog(QStringLiteral("EditAliasesDialog")));
    if (!dialog)
        return;
    const QPointer<EditAliasesDialog> guard(dialog);
    m_ran = true;
    try {
        if (!QTest::qWaitForWindowExposed(dialog))
            throw DriverError("the edit-aliases dialog never appeared");
        EditAliasesDialogDriver driver(*dialog);
        m_actions(driver);
    } catch (...) {
        m_failure = std::current_exception();
    }
    if (guard && guard->isVisible())
        guard->reject();
}

void EditAliasesDialogRun::Rethrow() const
{
    if (m_failure)
        std::rethrow_exception(m_failure);
}

} // namespace Zel::Drivers
