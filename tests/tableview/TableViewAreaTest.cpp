#include "TableViewTestSupport.h"

#include "gen-command-wrappers/TableViewCommandWrappers.h"
#include "main/models/TableViewModel.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/HostLog.h"

#include <QtGui/QColor>
#include <QtSql/QSqlQuery>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>

using namespace ZelTest;
using namespace Zel::Sim;

namespace {

constexpr int kRows = 2500;

// The simulated host over a small workbook, with a clock the test moves.
struct HostFixture : SimTables
{
    HostFixture()
        : SimTables(kRows)
    {
        area.SetClock([this] { return now; });
    }

    std::unique_ptr<TableViewModel> Model(const FieldName& name, int pageRows = 100)
    {
        return std::make_unique<TableViewModel>(dispatcher, name, nullptr, pageRows, -1, 5, std::chrono::seconds(60));
    }

    QStringList Column(const QString& sql)
    {
        QStringList values;
        QSqlQuery query(workbook.Database());
        if (query.exec(sql))
            while (query.next())
                values << query.value(0).toString();
        return values;
    }

    std::chrono::steady_clock::time_point now {};
};

FieldName Orders()
{
    return FieldName(SampleWorkbook::DataSourceName(), {});
}

QStringList Rows(const QAbstractItemModel& model, int column, std::initializer_list<int> rows)
{
    QStringList values;
    for (int row : rows)
        values << model.data(model.index(row, column)).toString();
    return values;
}

} // namespace

class TableViewAreaTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void fieldMembersStartWithTheAllMember()
    {
        HostFixture f;
        auto model = f.Model(FieldName(SampleWorkbook::DataSourceName(), TString(L"Segment")));
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);

        const QStringList segments = f.Column(QStringLiteral("SELECT DISTINCT Segment FROM orders ORDER BY Segment"));
        QCOMPARE(model->rowCount(), segments.size() + 1);
        QCOMPARE(model->GetTitle().ToQString(), QStringLiteral("Segment"));
        QCOMPARE(model->GetRowCountCaption().ToQString(), QStringLiteral("%1 members").arg(segments.size() + 1));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Orders"));

        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("(All)"));
        QCOMPARE(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 225));
        QCOMPARE(model->data(model->index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 255));
        QCOMPARE(model->data(model->index(0, 1)).toInt(), kRows);
        int total = 0;
        for (int row = 1; row < model->rowCount(); ++row) {
            QCOMPARE(model->data(model->index(row, 0)).toString(), segments[row - 1]);
            total += model->data(model->index(row, 1)).toInt();
        }
        QCOMPARE(total, kRows);

        // Sorting by count keeps the member for all of them on top.
        model->sort(1, Qt::AscendingOrder);
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("(All)"));
        QVERIFY(model->data(model->index(1, 1)).toInt() <= model->data(model->index(2, 1)).toInt());

        // The members' own table goes with the cache.
        model.reset();
        QCOMPARE(f.area.CacheCount(), std::size_t(0));
        QCOMPARE(f.Column(QStringLiteral("SELECT name FROM sqlite_temp_master WHERE type = 'table'")), QStringList());
    }

    void pagesFollowTheHostOrderAndItsSort()
    {
        HostFixture f;
        auto model = f.Model(Orders());
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        QCOMPARE(model->rowCount(), kRows);
        QCOMPARE(model->columnCount(), static_cast<int>(f.workbook.Fields().size()));
        const int orderId = Section(*model, QStringLiteral("Order ID"));
        const int sales = Section(*model, QStringLiteral("Sales"));

        auto expected = [&f](const QString& order, std::initializer_list<int> rows) {
            const QStringList all = f.Column(QStringLiteral("SELECT \"Order ID\" FROM orders ORDER BY ") + order);
            QStringList values;
            for (int row : rows)
                values << all[row];
            return values;
        };
        const auto rows = {0, 99, 100, 1234, kRows - 1};
        QCOMPARE(Rows(*model, orderId, rows), expected(QStringLiteral("rowid"), rows));
        QCOMPARE(
            model->data(model->index(5, sales), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));

        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        model->sort(sales, Qt::DescendingOrder);
        QCOMPARE(f.area.SortsMaterialised(), 1);
        QVERIFY(changed.count() > 0); // the host's change event dropped the pages
        QCOMPARE(Rows(*model, orderId, rows), expected(QStringLiteral("Sales DESC, rowid"), rows));

        model->sort(-1, Qt::AscendingOrder);
        QCOMPARE(Rows(*model, orderId, rows), expected(QStringLiteral("rowid"), rows));
        QCOMPARE(f.area.SortsMaterialised(), 1);
    }

    void sortedPagesHoldTheSortedRows_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("descending");
        // Distinct values, ties kept in row order either way, and orders that follow the rows in
        // runs (read as ranges) up and down.
        QTest::newRow("Sales, descending") << QStringLiteral("Sales") << true;
        QTest::newRow("Sales, ascending") << QStringLiteral("Sales") << false;
        QTest::newRow("Segment, ties") << QStringLiteral("Segment") << false;
        QTest::newRow("Segment, ties, descending") << QStringLiteral("Segment") << true;
        QTest::newRow("Row ID, descending") << QStringLiteral("Row ID") << true;
        QTest::newRow("Order Date") << QStringLiteral("Order Date") << false;
    }

    void sortedPagesHoldTheSortedRows()
    {
        QFETCH(QString, column);
        QFETCH(bool, descending);
        HostFixture f;
        auto model = f.Model(Orders());
        model->sort(Section(*model, column), descending ? Qt::DescendingOrder : Qt::AscendingOrder);

        const QStringList expected = f.Column(QStringLiteral("SELECT rowid FROM orders ORDER BY \"%1\"%2, rowid")
                                                  .arg(column, descending ? QStringLiteral(" DESC") : QString()));
        const int rowId = Section(*model, QStringLiteral("Row ID"));
        // The first page, one in the middle and the last, shorter one, every row of each.
        for (int page : {0, 12, 24}) {
            for (int row = page * 100; row < std::min(page * 100 + 100, kRows); ++row)
                QCOMPARE(model->data(model->index(row, rowId)).toString(), expected[row]);
        }
    }

    // A numeric field's members: the first row stands for all of them, says so as text and keeps
    // its place whatever the sort.
    void memberTableKeepsItsSpecialRowOnTop()
    {
        HostFixture f;
        auto model = f.Model(FieldName(SampleWorkbook::DataSourceName(), TString(L"Quantity")));
        const QStringList quantities
            = f.Column(QStringLiteral("SELECT DISTINCT Quantity FROM orders ORDER BY Quantity"));
        QCOMPARE(model->rowCount(), quantities.size() + 1);
        auto first = [&model] { return model->data(model->index(0, 0)).toString(); };
        QCOMPARE(first(), QStringLiteral("(All)"));
        QCOMPARE(model->data(model->index(0, 0), Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 225));
        QCOMPARE(model->data(model->index(1, 0)).toString(), quantities.front());

        model->sort(0, Qt::DescendingOrder);
        QCOMPARE(first(), QStringLiteral("(All)"));
        QCOMPARE(model->data(model->index(1, 0)).toString(), quantities.back());
        QCOMPARE(model->data(model->index(model->rowCount() - 1, 0)).toString(), quantities.front());
        model->sort(1, Qt::AscendingOrder);
        QCOMPARE(first(), QStringLiteral("(All)"));
        QCOMPARE(model->data(model->index(0, 1)).toInt(), kRows);
        QVERIFY(model->data(model->index(1, 1)).toInt() <= model->data(model->index(2, 1)).toInt());
    }

    void idleCacheIsDiscardedThenRebuilt()
    {
        HostFixture f;
        auto model = f.Model(Orders());
        model->data(model->index(0, 0));
        const long long served = f.area.PagesServed();

        f.now += std::chrono::seconds(59);
        QCOMPARE(f.area.DiscardIdle(), std::size_t(0));
        model->data(model->index(150, 0)); // uses the cache, which starts its time-out again
        f.now += std::chrono::seconds(59);
        QCOMPARE(f.area.DiscardIdle(), std::size_t(0));
        f.now += std::chrono::seconds(1);
        QCOMPARE(f.area.DiscardIdle(), std::size_t(1));
        QCOMPARE(f.area.CacheCount(), std::size_t(0));

        // Pages in memory are still served; a new one is empty until the posted rebuild has run.
        QCOMPARE(model->data(model->index(0, 0)).toString(), QStringLiteral("1"));
        QCOMPARE(model->data(model->index(2000, 0)).toString(), QString());
        QCOMPARE(f.area.PagesServed(), served + 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCOMPARE(f.area.CacheCount(), std::size_t(1));
        QCOMPARE(model->data(model->index(2000, 0)).toString(), QStringLiteral("2001"));

        // On demand, the same way.
        QCOMPARE(f.area.DiscardAll(), std::size_t(1));
        QCOMPARE(model->data(model->index(1000, 0)).toString(), QString());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCOMPARE(model->data(model->index(1000, 0)).toString(), QStringLiteral("1001"));
    }

    void badRequestsAreRefused()
    {
        HostFixture f;
        HostLog::Clear();
        QVERIFY_EXCEPTION_THROWN(
            f.Model(FieldName(SampleWorkbook::DataSourceName(), TString(L"Nope"))), LogicException);
        QCOMPARE(f.area.CacheCount(), std::size_t(0));

        auto model = f.Model(Orders());
        const auto description = MakeDescription(100, -1);
        auto cacheModel = MakeRefCnt<TableViewCachePresModel>(*description);
        cacheModel->SetName(Orders());
        // A cell outside the table, and a cache the host never made.
        QVERIFY_EXCEPTION_THROWN(GetTableViewPage(f.host, description, 0, 0), LogicException);
        CreateTableViewCache(f.host, RefCntPtr<TableViewCachePresModel const>(cacheModel));
        QVERIFY_EXCEPTION_THROWN(
            GetTableViewPage(f.host, RefCntPtr<TableViewCachePresModel const>(cacheModel), kRows, 0), LogicException);
        QVERIFY_EXCEPTION_THROWN(
            GetTableViewPage(f.host, RefCntPtr<TableViewCachePresModel const>(cacheModel), 0, 18), LogicException);
        QCOMPARE(f.area.CacheCount(), std::size_t(2));
        SortTableViewCache(f.host, RefCntPtr<TableViewCachePresModel const>(cacheModel)); // unsorted: nothing to do
        QCOMPARE(f.area.SortsMaterialised(), 0);
        f.area.DiscardCache(cacheModel->GetCacheID()->GetCacheGuid());

        // The refusals say which cell and which cache.
        const QString unknownCache = QStringLiteral("no table cache %1 is open")
                                         .arg(description->GetCacheID()->GetCacheGuid().ToString().ToQString());
        for (const QString& reason : {QStringLiteral("lies outside the table"), unknownCache})
            QVERIFY2(HostLogMentions(reason), qPrintable(reason));
    }
};

QTEST_MAIN(TableViewAreaTest)

#include "TableViewAreaTest.moc"
