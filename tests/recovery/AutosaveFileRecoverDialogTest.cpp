#include "RecoveryTestSupport.h"

#include "gen-command-wrappers/AutosaveCommandWrappers.h"
#include "main/dialogs/AutosaveFileRecoverDialog.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using namespace RecoveryTest;
namespace Cmds = Zel::Commands::Autosave;

namespace {

// The dialog over the four copies, listed newest first: sales-noon, book2, sales-ten, budget.
struct Fixture
{
    explicit Fixture(Files files = FourCopies())
    {
        dispatcher.Answer<Cmds::GetAutosaveFiles>().Set<Cmds::AutosaveFiles>(std::move(files));
        dialog = std::make_unique<AutosaveFileRecoverDialog>(dispatcher, nullptr);
        view = dialog->findChild<QTableView*>(QStringLiteral("m_fileListView"));
        open = dialog->findChild<QDialogButtonBox*>(QStringLiteral("m_buttonBox"))->button(QDialogButtonBox::Open);
        remove = dialog->findChild<QPushButton*>(QStringLiteral("m_deleteButton"));
    }

    ZelTest::RecordingDispatcher dispatcher;
    std::unique_ptr<AutosaveFileRecoverDialog> dialog;
    QTableView* view = nullptr;
    QAbstractButton* open = nullptr;
    QPushButton* remove = nullptr;
};

} // namespace

class AutosaveFileRecoverDialogTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void selectionStartsAtTheNewestAndCanFindAWorkbooksNewest()
    {
        Fixture f;
        QCOMPARE(f.dialog->result(), 0);
        QCOMPARE(f.view->model()->index(0, 1).data().toDateTime().time(), QTime(12, 0));
        QCOMPARE(f.view->currentIndex().row(), 0);
        QCOMPARE(f.view->selectionModel()->selectedRows().size(), 1);
        QVERIFY(f.open->isEnabled() && f.remove->isEnabled());
        f.view->selectionModel()->clearSelection();
        QVERIFY(!f.open->isEnabled() && !f.remove->isEnabled());

        ZelTest::SelectRows(*f.view, {1, 3});
        QVERIFY(!f.dialog->TrySelectingMostRecentAssociatedRecoveredFile(TString()));
        QCOMPARE(f.view->selectionModel()->selectedRows().size(), 2);
        // Not the newest copy overall, so the answer cannot come from the sort alone.
        QVERIFY(f.dialog->TrySelectingMostRecentAssociatedRecoveredFile(TString(L"C:\\Docs\\Budget.zwb")));
        QCOMPARE(f.view->selectionModel()->selectedRows(), QModelIndexList {f.view->model()->index(3, 0)});
        QVERIFY(!f.dialog->TrySelectingMostRecentAssociatedRecoveredFile(TString(L"C:\\Docs\\Unknown.zwb")));
        QVERIFY(!f.view->selectionModel()->hasSelection());
        QVERIFY(!f.view->currentIndex().isValid());
    }

    void openAndDoubleClickYieldTheirFiles()
    {
        Fixture f;
        ZelTest::SelectRows(*f.view, {3, 0, 1});
        f.open->click();
        QCOMPARE(f.dialog->result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(Ids(f.dialog->GetFilesToOpen()),
            (QStringList {QStringLiteral("budget"), QStringLiteral("sales-noon"), QStringLiteral("book2")}));

        Fixture g;
        g.dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(g.dialog.get()));
        ZelTest::SelectRows(*g.view, {0, 2, 3});
        // With Ctrl held the first press only takes its row out of the selection; the others stay.
        DoubleClick(g.view->viewport(), g.view->visualRect(g.view->model()->index(2, 0)).center(), Qt::ControlModifier);
        QCOMPARE(g.view->selectionModel()->selectedRows().size(), 2);
        QCOMPARE(Ids(g.dialog->GetFilesToOpen()), QStringList {QStringLiteral("sales-ten")});
        QCOMPARE(g.dispatcher.Commands().size(), std::size_t(1));
    }

    void deleteSendsIdsInSelectionOrderAndReloads()
    {
        Fixture f;
        f.dispatcher.Answer<Cmds::GetAutosaveFiles>().Set<Cmds::AutosaveFiles>(Files {FourCopies()[0]});
        ZelTest::SelectRows(*f.view, {3, 0});
        f.remove->click();
        QCOMPARE(f.dispatcher.CommandIds(),
            (std::vector<int> {Cmds::GetAutosaveFiles::id, Cmds::DeleteAutosaveFiles::id, Cmds::GetAutosaveFiles::id}));
        QCOMPARE(f.dispatcher.Last<Cmds::DeleteAutosaveFiles>().Get<Cmds::AutosaveFileIds>(),
            (std::vector<TString> {TString(L"budget"), TString(L"sales-noon")}));
        QCOMPARE(f.view->model()->rowCount(), 1);
        // The reload dropped the selection, and with it the actions.
        QVERIFY(!f.view->selectionModel()->hasSelection());
        QVERIFY(!f.open->isEnabled() && !f.remove->isEnabled());
    }

    void emptyOrNullAnswer()
    {
        Fixture none(Files {});
        QCOMPARE(none.dialog->result(), static_cast<int>(QDialog::Accepted));
        QVERIFY(none.dialog->GetFilesToOpen().empty());
        QCOMPARE(none.dispatcher.Last<Cmds::GetAutosaveFiles>().ArgumentCount(), std::size_t(0));

        ZelTest::RecordingDispatcher dispatcher;
        dispatcher.AnswerNull<Cmds::GetAutosaveFiles>();
        QCOMPARE(ZelTest::LogicFailure([&] { AutosaveFileRecoverDialog dialog(dispatcher, nullptr); }),
            QStringLiteral("gen-command-wrappers/AutosaveCommandWrappers: parameters != nullptr"));
    }
};

QTEST_MAIN(AutosaveFileRecoverDialogTest)

#include "AutosaveFileRecoverDialogTest.moc"
