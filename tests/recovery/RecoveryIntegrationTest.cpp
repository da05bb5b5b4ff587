#include "gen-command-wrappers/AutosaveCommandWrappers.h"
#include "host/doc/HostLog.h"
#include "main/dialogs/AutosaveFileRecoverDialog.h"
#include "sim/AutosaveArea.h"
#include "sim/SimHost.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QDirIterator>
#include <QtCore/QTemporaryDir>
#include <QtTest/QtTest>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using Zel::Sim::AutosaveArea;

namespace {

QDateTime At(int hour)
{
    return QDateTime(QDate(2024, 5, 14), QTime(hour, 0));
}

// Every file under `root`, relative to it.
QStringList Tree(const QDir& root)
{
    QStringList files;
    QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << root.relativeFilePath(it.next());
    files.sort();
    return files;
}

// `files` without the copies of these ids and their records.
QStringList Without(QStringList files, std::initializer_list<TString> ids)
{
    for (const TString& id : ids) {
        files.removeOne(QStringLiteral("autosave/") + id.ToQString());
        files.removeOne(QStringLiteral("autosave/") + id.ToQString() + AutosaveArea::RecordSuffix());
    }
    return files;
}

} // namespace

class RecoveryIntegrationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void deletingRemovesExactlyTheSelectedCopiesFromDisk()
    {
        QTemporaryDir scratch;
        const QDir root(scratch.path());
        Zel::Sim::SimHost host;
        AutosaveArea area(host, root.filePath(QStringLiteral("autosave")));
        const TString sales(L"C:\\Users\\dana\\Sales.zwb");
        const TString salesOld = area.AddCopy(sales, At(9));
        const TString salesNew = area.AddCopy(sales, At(11));
        const TString unsaved = area.AddCopy(TString(L"Book3"), At(10));
        const TString budget = area.AddCopy(TString(L"\\\\server\\finance\\Budget.zwb"), At(8));
        // Files that are no listed copies: one beside the folder, one in it without a record.
        for (const QString& name : {QStringLiteral("outside.zwb"), QStringLiteral("autosave/stray~autosave.zwb")}) {
            QFile file(root.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QStringList before = Tree(root);

        AutosaveFileRecoverDialog dialog(host, nullptr);
        QTableView* view = dialog.findChild<QTableView*>(QStringLiteral("m_fileListView"));
        QAbstractItemModel* rows = view->model();
        QPushButton* remove = dialog.findChild<QPushButton*>(QStringLiteral("m_deleteButton"));
        // Newest first: Sales 11:00, the unsaved Book3 10:00, Sales 9:00, Budget 8:00.
        QCOMPARE(rows->rowCount(), 4);
        QCOMPARE(rows->index(1, 0).data().toString(), QStringLiteral("Book3"));

        ZelTest::SelectRows(*view, {2, 1});
        remove->click();
        QCOMPARE(Tree(root), Without(before, {salesOld, unsaved}));
        QCOMPARE(rows->rowCount(), 2);

        // Ids that name no listed copy (a path out of the folder, a copy without record, a record, an
        // unknown name, nothing, one already deleted) are logged and skipped.
        HostLog::Clear();
        DeleteAutosaveFiles(host,
            {TString(L"../outside.zwb"), TString(L"..\\outside.zwb"), TString(L"stray~autosave.zwb"),
                budget + TString(AutosaveArea::RecordSuffix()), TString(L"missing.zwb"), TString(), salesOld});
        QCOMPARE(Tree(root), Without(before, {salesOld, unsaved}));
        QCOMPARE(HostLog::Lines().size(), std::size_t(7));

        // Deleting the rest closes the dialog with nothing to open.
        view->selectAll();
        remove->click();
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
        QVERIFY(dialog.GetFilesToOpen().empty());
        QCOMPARE(Tree(root), Without(before, {salesOld, unsaved, salesNew, budget}));
        QCOMPARE(Tree(root).size(), 2);
    }
};

QTEST_MAIN(RecoveryIntegrationTest)

#include "RecoveryIntegrationTest.moc"
