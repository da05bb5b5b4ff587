#include "RecoveryTestSupport.h"

#include "main/models/AutosaveFileTableModel.h"
#include "main/models/AutosaveFileTableSortProxyModel.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QStringListModel>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QtTest>

using namespace RecoveryTest;
using Tester = QAbstractItemModelTester;

class AutosaveFileTableModelTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void rowsShowNameTimeAndOriginalPath()
    {
        AutosaveFileTableModel model(nullptr);
        Tester tester(&model, Tester::FailureReportingMode::Fatal);
        QCOMPARE(model.columnCount(), 2);
        QVERIFY(!model.data(model.index(0, 0)).isValid());

        Files files = FourCopies();
        model.SetRecoveredFiles(files);
        QCOMPARE(model.rowCount(), 4);
        QCOMPARE(model.index(1, 0).data().toString(), QStringLiteral("Sales"));
        QCOMPARE(model.index(2, 0).data().toString(), QStringLiteral("Book5"));
        const QVariant time = model.index(1, 1).data();
        QCOMPARE(time.userType(), static_cast<int>(QMetaType::QDateTime));
        QCOMPARE(time.toDateTime(), QDateTime(QDate(2024, 5, 14), QTime(12, 0)));
        QCOMPARE(model.index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("C:\\Docs\\Sales.zwb"));

        // A null record is refused before the reset begins, so the rows stay as they were.
        files[1].reset();
        QVERIFY(CatchLogicException([&] { model.SetRecoveredFiles(files); }).has_value());
        QCOMPARE(model.rowCount(), 4);
    }

    void getRecoveredFileRefusesIndexesOutsideTheList()
    {
        AutosaveFileTableModel model(nullptr);
        auto expect = [&](const QModelIndex& index, int line, const char* condition) {
            const std::optional<LogicException> e = CatchLogicException([&] { model.GetRecoveredFile(index); });
            QVERIFY2(e.has_value(), condition);
            QCOMPARE(e->File(), std::string("main/models/AutosaveFileTableModel"));
            QCOMPARE(e->Line(), line);
            QCOMPARE(e->Condition(), std::string(condition));
        };
        model.SetRecoveredFiles(FourCopies());
        const QModelIndex stale = model.index(3, 0);
        expect(QModelIndex(), 121, "index.isValid()");
        // An index kept across a reload that shortened the list.
        model.SetRecoveredFiles({FourCopies()[0]});
        expect(stale, 122, "index.row() < static_cast<int>(m_recoveredFiles.size())");
        model.SetRecoveredFiles({});
        expect(stale, 120, "!m_recoveredFiles.empty()");

        // A view's index that was not mapped to the model would name another row.
        model.SetRecoveredFiles(FourCopies());
        AutosaveFileTableSortProxyModel proxy(nullptr);
        proxy.setSourceModel(&model);
        QVERIFY(CatchLogicException([&] { model.GetRecoveredFile(proxy.index(0, 0)); }).has_value());
    }

    void newestCopyAndSortOrderFollowTheTime()
    {
        AutosaveFileTableModel model(nullptr);
        AutosaveFileTableSortProxyModel proxy(nullptr);
        proxy.setSourceModel(&model);
        Tester tester(&proxy, Tester::FailureReportingMode::Fatal);
        Files files = FourCopies();
        // A second noon copy of Sales after the first in the host's order, its path written with slashes.
        files.push_back(MakeFile(L"sales-noon-2", L"C:/Docs/Sales.zwb", L"C:\\R\\Sales~autosave2.zwb", 12));
        model.SetRecoveredFiles(files);

        QCOMPARE(model.FindMostRecentFile(TString(L"C:/Docs/Sales.zwb")), model.index(1, 0));
        QCOMPARE(model.FindMostRecentFile(TString(L"Book2")), model.index(2, 0));
        QVERIFY(!model.FindMostRecentFile(TString(L"Sales.zwb")).isValid());

        // By time whichever column is sorted; by name, budget would not come first.
        for (int column : {0, 1}) {
            proxy.sort(column, Qt::AscendingOrder);
            QCOMPARE(proxy.index(0, 0).data(Qt::ToolTipRole).toString(), QStringLiteral("C:\\Docs\\Budget.zwb"));
            QCOMPARE(proxy.index(1, 1).data().toDateTime().time(), QTime(10, 0));
        }
        // Over another model every row compares equal: the source order stays.
        QStringListModel names({QStringLiteral("b"), QStringLiteral("a")});
        proxy.setSourceModel(&names);
        proxy.sort(0, Qt::AscendingOrder);
        QCOMPARE(proxy.index(0, 0).data().toString(), QStringLiteral("b"));
    }
};

QTEST_MAIN(AutosaveFileTableModelTest)

#include "AutosaveFileTableModelTest.moc"
