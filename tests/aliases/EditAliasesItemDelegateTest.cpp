#include "AliasesTestSupport.h"

#include "main/dialogs/EditAliasesDialog.h"
#include "main/dialogs/EditAliasesItemDelegate.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using namespace AliasesTest;
using ZelTest::RecordingDispatcher;

namespace {

constexpr int kEditId = 7;
constexpr int kShown = 2;

// The dialog up and active, over three members that sort as Alpha, Beta, Gamma, and a host that
// takes every change. Rows below are the table's.
struct Fixture
{
    Fixture()
        : dialog(host, List(kEditId, {{L"Gamma"}, {L"Alpha"}, {L"Beta", L"B"}}))
        , table(*dialog.findChild<QTableView*>(QStringLiteral("table")))
    {
        AcceptEveryChange(host);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ready = QTest::qWaitForWindowActive(&dialog);
        table.setFocus();
    }

    QModelIndex Cell(int row, int column) const { return table.model()->index(row, column); }
    QPoint At(int row, int column) const { return table.visualRect(Cell(row, column)).center(); }

    // The open editor, and the cell it edits; null and invalid when none is open.
    QLineEdit* Editor() const
    {
        for (QLineEdit* edit : table.viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }
    QModelIndex Edited() const
    {
        const QLineEdit* editor = Editor();
        for (int row = 0; editor && row < table.model()->rowCount(); ++row)
            for (int column = 0; column < table.model()->columnCount(); ++column)
                if (table.indexWidget(Cell(row, column)) == editor)
                    return Cell(row, column);
        return {};
    }

    void Type(const QString& text) const
    {
        QLineEdit* editor = Editor();
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }

    // The texts sent by ApplyNewAliases, in order.
    QStringList Sent() const
    {
        QStringList texts;
        for (const ZelTest::RecordedCommand& command : host.Commands())
            if (command.commandId == Cmds::ApplyNewAliases::id)
                texts << RequestedMember(command).GetAlias().ToQString();
        return texts;
    }

    RecordingDispatcher host;
    EditAliasesDialog dialog;
    QTableView& table;
    bool ready = false;
};

} // namespace

class EditAliasesItemDelegateTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void plainClickEditsTheShownTextOfTheRow_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("member") << 0;
        QTest::newRow("mark") << 1;
        QTest::newRow("shown text") << 2;
    }

    void plainClickEditsTheShownTextOfTheRow()
    {
        QFETCH(int, column);
        Fixture f;
        QVERIFY(f.ready);
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.At(1, column));
        QCOMPARE(f.Edited(), f.Cell(1, kShown));
        QCOMPARE(f.Editor()->text(), QStringLiteral("B"));
        QCOMPARE(f.table.selectionModel()->selectedRows(), QModelIndexList {f.Cell(1, 0)});
        QVERIFY(f.host.Commands().empty());
    }

    void otherClicksDoNotEdit_data()
    {
        QTest::addColumn<int>("gesture");
        QTest::newRow("with Ctrl") << 0;
        QTest::newRow("with Shift") << 1;
        QTest::newRow("right button") << 2;
        QTest::newRow("pressed, moved, released") << 3;
    }

    void otherClicksDoNotEdit()
    {
        QFETCH(int, gesture);
        Fixture f;
        QVERIFY(f.ready);
        QWidget* viewport = f.table.viewport();
        switch (gesture) {
        case 0:
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, f.At(2, 0));
            break;
        case 1:
            QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, f.At(2, 0));
            break;
        case 2:
            QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, f.At(2, 0));
            break;
        default: {
            QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, f.At(2, 0));
            QMouseEvent move(
                QEvent::MouseMove, f.At(2, 0) + QPoint(3, 0), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
            QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, f.At(2, 0) + QPoint(3, 0));
            break;
        }
        }
        QVERIFY(!f.Editor());
        // A later plain click still edits: nothing was left half pressed.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, f.At(0, 0));
        QCOMPARE(f.Edited(), f.Cell(0, kShown));
    }

    void f2EditsTheCurrentRow()
    {
        Fixture f;
        QVERIFY(f.ready);
        f.table.selectionModel()->setCurrentIndex(
            f.Cell(2, 1), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QTest::keyClick(&f.table, Qt::Key_F2);
        QCOMPARE(f.Edited(), f.Cell(2, kShown));
        QCOMPARE(f.Editor()->text(), QStringLiteral("Gamma"));
        // Other keys start nothing.
        QTest::keyClick(f.Editor(), Qt::Key_Escape);
        QTest::keyClick(&f.table, Qt::Key_X);
        QVERIFY(!f.Editor());
    }

    void keysLeavingTheEditor_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("commits");
        QTest::addColumn<int>("nextRow"); // -1: no editor afterwards

        QTest::newRow("Tab") << 0 << int(Qt::Key_Tab) << true << 1;
        QTest::newRow("Down") << 1 << int(Qt::Key_Down) << true << 2;
        QTest::newRow("Backtab") << 2 << int(Qt::Key_Backtab) << true << 1;
        QTest::newRow("Up") << 1 << int(Qt::Key_Up) << true << 0;
        QTest::newRow("Tab on the last row") << 2 << int(Qt::Key_Tab) << true << -1;
        QTest::newRow("Up on the first row") << 0 << int(Qt::Key_Up) << true << -1;
        QTest::newRow("Return") << 1 << int(Qt::Key_Return) << true << -1;
        QTest::newRow("Enter") << 1 << int(Qt::Key_Enter) << true << -1;
        QTest::newRow("Escape") << 1 << int(Qt::Key_Escape) << false << -1;
    }

    void keysLeavingTheEditor()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(bool, commits);
        QFETCH(int, nextRow);

        Fixture f;
        QVERIFY(f.ready);
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.At(row, 0));
        f.Type(QStringLiteral("Typed"));
        const QString before = f.Cell(row, kShown).data().toString();
        QTest::keyClick(f.Editor(), static_cast<Qt::Key>(key));

        QCOMPARE(f.Sent(), commits ? QStringList {"Typed"} : QStringList {});
        QCOMPARE(f.Cell(row, kShown).data().toString(), commits ? QStringLiteral("Typed") : before);
        if (nextRow < 0) {
            QVERIFY(!f.Editor());
            // The edited row's first cell is current, so that F2 edits it again.
            QCOMPARE(f.table.currentIndex(), f.Cell(row, 0));
            QCOMPARE(f.table.selectionModel()->selectedRows(), QModelIndexList {f.Cell(row, 0)});
        } else {
            QCOMPARE(f.Edited(), f.Cell(nextRow, kShown));
            QCOMPARE(f.table.selectionModel()->selectedRows(), QModelIndexList {f.Cell(nextRow, 0)});
        }
        // The dialog's own buttons saw none of these keys.
        QVERIFY(f.dialog.isVisible());
    }

    void pageKeysStayInTheEditor()
    {
        Fixture f;
        QVERIFY(f.ready);
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.At(0, 0));
        QLineEdit* editor = f.Editor();
        QTest::keyClick(editor, Qt::Key_PageDown);
        QTest::keyClick(editor, Qt::Key_PageUp);
        QCOMPARE(f.Editor(), editor);
        QCOMPARE(f.Edited(), f.Cell(0, kShown));
        QVERIFY(f.host.Commands().empty());
    }

    void leavingTheEditorCommits()
    {
        Fixture f;
        QVERIFY(f.ready);
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.At(2, 0));
        f.Type(QStringLiteral("Greek"));
        f.dialog.findChild<QPushButton*>(QStringLiteral("clearButton"))->setFocus();
        QVERIFY(!f.Editor());
        QCOMPARE(f.Sent(), QStringList {"Greek"});
        QCOMPARE(f.Cell(2, kShown).data().toString(), QStringLiteral("Greek"));
    }

    void refusedChangeStillMovesOn()
    {
        Fixture f;
        QVERIFY(f.ready);
        f.host.Answer<Cmds::ApplyNewAliases>().Set<Cmds::AliasResults>(
            Duplicate(Item(1, L"Alpha", L"B"), Item(2, L"Beta", L"B")));
        ZelTest::ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        QTest::mouseClick(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.At(0, 0));
        f.Type(QStringLiteral("B"));
        QTest::keyClick(f.Editor(), Qt::Key_Tab);
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        QCOMPARE(f.Cell(0, kShown).data().toString(), QStringLiteral("Alpha"));
        QCOMPARE(f.Edited(), f.Cell(1, kShown));
        QCOMPARE(f.host.Commands().size(), std::size_t(1));
    }
};

QTEST_MAIN(EditAliasesItemDelegateTest)

#include "EditAliasesItemDelegateTest.moc"
