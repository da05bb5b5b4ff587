#include "sim/TablePageReader.h"
#include "sim/SampleWorkbook.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/TableViewPresModels.h"

#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtTest/QtTest>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>

using Zel::Sim::SampleField;
using Zel::Sim::SampleWorkbook;
using Zel::Sim::TablePageReader;

namespace {

constexpr qint64 kRows = 2500;

struct Fixture
{
    Fixture()
        : workbook(SampleWorkbook::Options {kRows, QString(), true})
    {
        workbook.Open();
    }

    std::unique_ptr<TablePageReader> Orders(bool useSqliteApi)
    {
        std::vector<TablePageReader::Column> columns;
        for (const SampleField& field : workbook.Fields())
            columns.push_back({SampleWorkbook::SqlColumn(field.name), field.dataType});
        return std::make_unique<TablePageReader>(
            workbook.Database(), SampleWorkbook::TableName(), std::move(columns), QString(), useSqliteApi);
    }

    int Column(const char* name) const
    {
        const auto& fields = workbook.Fields();
        const auto it = std::find_if(fields.begin(), fields.end(),
            [name](const SampleField& f) { return f.name.GetLocalName().ToQString() == QLatin1String(name); });
        return static_cast<int>(it - fields.begin());
    }

    QVariant Sql(const QString& sql)
    {
        QSqlQuery query(workbook.Database());
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

    SampleWorkbook workbook;
};

QString Text(const TablePageReader::Rows& rows, std::size_t row, unsigned int column)
{
    return rows[row]->GetColumn(column)->GetDisplayQString();
}

// Runs up and down, singles, and more ids than one list statement takes.
std::vector<qint64> MixedIds()
{
    std::vector<qint64> ids;
    for (qint64 id = 1000; id < 1020; ++id)
        ids.push_back(id);
    for (qint64 id = 2000; id > 1990; --id)
        ids.push_back(id);
    ids.push_back(kRows);
    ids.push_back(1);
    std::vector<qint64> rest(kRows);
    std::iota(rest.begin(), rest.end(), 1);
    std::shuffle(rest.begin(), rest.end(), std::mt19937(5));
    for (qint64 id : rest) {
        if (ids.size() == 600)
            break;
        if (std::find(ids.begin(), ids.end(), id) == ids.end())
            ids.push_back(id);
    }
    return ids;
}

} // namespace

class TablePageReaderTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void rowsComeInTheOrderAsked_data()
    {
        QTest::addColumn<bool>("useSqliteApi");
        QTest::newRow("SQLite's API") << true;
        QTest::newRow("QtSql") << false;
    }

    void rowsComeInTheOrderAsked()
    {
        QFETCH(bool, useSqliteApi);
        Fixture f;
        auto reader = f.Orders(useSqliteApi);
        const int columns = static_cast<int>(f.workbook.Fields().size());
        const auto rowId = static_cast<unsigned int>(f.Column("Row ID"));
        const int sales = f.Column("Sales");

        const TablePageReader::Rows range = reader->ReadRange(101, 100, 0, columns);
        QCOMPARE(range.size(), std::size_t(100));
        QCOMPARE(Text(range, 0, rowId), QStringLiteral("101"));
        QCOMPARE(Text(range, 99, rowId), QStringLiteral("200"));
        QCOMPARE(
            Text(range, 5, 1), f.Sql(QStringLiteral("SELECT \"Order ID\" FROM orders WHERE rowid = 106")).toString());
        QCOMPARE(Text(range, 5, static_cast<unsigned int>(sales)),
            QString::number(f.Sql(QStringLiteral("SELECT Sales FROM orders WHERE rowid = 106")).toDouble(), 'f', 2));

        const std::vector<qint64> ids = MixedIds();
        const TablePageReader::Rows picked = reader->ReadIds(ids.data(), ids.size(), 0, columns);
        QCOMPARE(picked.size(), ids.size());
        for (std::size_t i = 0; i < ids.size(); ++i)
            QCOMPARE(Text(picked, i, rowId), QString::number(ids[i]));

        // A window of columns, after the statements of the whole row.
        const TablePageReader::Rows window = reader->ReadIds(ids.data(), 3, sales, 2);
        QCOMPARE(window[0]->GetColumnCount(), 2u);
        QCOMPARE(window[2]->GetColumn(0)->GetDisplayQString(), Text(picked, 2, static_cast<unsigned int>(sales)));
        QCOMPARE(reader->ReadsThroughSqliteApi(), useSqliteApi);
    }

    void bothWaysMakeTheSameCells()
    {
        Fixture f;
        auto api = f.Orders(true);
        auto qtSql = f.Orders(false);
        const int columns = static_cast<int>(f.workbook.Fields().size());
        const std::vector<qint64> ids = MixedIds();
        const TablePageReader::Rows a = api->ReadIds(ids.data(), ids.size(), 0, columns);
        const TablePageReader::Rows b = qtSql->ReadIds(ids.data(), ids.size(), 0, columns);
        for (std::size_t r = 0; r < ids.size(); ++r) {
            for (unsigned int c = 0; c < static_cast<unsigned int>(columns); ++c) {
                const TableViewPageItemPresModel& x = *a[r]->GetColumn(c);
                const TableViewPageItemPresModel& y = *b[r]->GetColumn(c);
                QCOMPARE(x.GetDisplayQString(), y.GetDisplayQString());
                QCOMPARE(x.GetAlignmentFlags(), y.GetAlignmentFlags());
                QCOMPARE(x.GetIsSpecial(), y.GetIsSpecial());
            }
        }
    }

    // A members' table: the member for all others is special in its first column only, a null
    // member shows as "Null" and is special, and a text among numbers is shown as it is.
    void specialRowsAndNulls_data() { rowsComeInTheOrderAsked_data(); }

    void specialRowsAndNulls()
    {
        QFETCH(bool, useSqliteApi);
        Fixture f;
        QSqlQuery query(f.workbook.Database());
        QVERIFY(query.exec(QStringLiteral("CREATE TEMP TABLE members (member, orders INTEGER, special INTEGER)")));
        QVERIFY(query.exec(
            QStringLiteral("INSERT INTO members VALUES ('(All)', 10, 1), (NULL, 3, 1), (5, 4, 0), (7, NULL, 0)")));
        {
            TablePageReader reader(f.workbook.Database(), QStringLiteral("temp.members"),
                {{QStringLiteral("member"), DT_INTEGER}, {QStringLiteral("orders"), DT_INTEGER}},
                QStringLiteral("special"), useSqliteApi);
            const TablePageReader::Rows rows = reader.ReadRange(1, 4, 0, 2);
            const QStringList expected {QStringLiteral("(All)"), QStringLiteral("10"), QStringLiteral("Null"),
                QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("7"),
                QStringLiteral("Null")};
            const QList<bool> special {true, false, true, false, false, false, false, true};
            for (int i = 0; i < expected.size(); ++i) {
                const auto& cell = *rows[static_cast<std::size_t>(i / 2)]->GetColumn(static_cast<unsigned int>(i % 2));
                QCOMPARE(cell.GetDisplayQString(), expected[i]);
                QCOMPARE(cell.GetIsSpecial(), special[i]);
                QCOMPARE(cell.GetAlignmentFlags(), int(Qt::AlignRight | Qt::AlignVCenter));
            }
        }
        QVERIFY(query.exec(QStringLiteral("DROP TABLE temp.members")));
    }

    // A page makes its rows, one store of values and nothing per cell: a row makes its cells,
    // all at once, the first time one of them is asked for, and the texts stay right after the
    // reader has moved on to other pages.
    void rowsMakeTheirCellsWhenFirstAsked()
    {
        Fixture f;
        auto reader = f.Orders(true);
        const int columns = static_cast<int>(f.workbook.Fields().size());
        const long before = RefCntObject::LiveInstanceCount();
        const TablePageReader::Rows page = reader->ReadRange(1, 200, 0, columns);
        QCOMPARE(RefCntObject::LiveInstanceCount() - before, 200L + 1);
        const QString orderId = Text(page, 7, 1);
        QCOMPARE(RefCntObject::LiveInstanceCount() - before, 200L + 1 + columns);
        QCOMPARE(
            Text(page, 7, 2), f.Sql(QStringLiteral("SELECT \"Order Date\" FROM orders WHERE rowid = 8")).toString());
        QCOMPARE(RefCntObject::LiveInstanceCount() - before, 200L + 1 + columns);

        const TablePageReader::Rows later = reader->ReadRange(2001, 200, 0, columns);
        QCOMPARE(Text(page, 7, 1), orderId);
        QCOMPARE(orderId, f.Sql(QStringLiteral("SELECT \"Order ID\" FROM orders WHERE rowid = 8")).toString());
    }

    void whatTheTableDoesNotHoldIsRefused()
    {
        Fixture f;
        auto reader = f.Orders(true);
        const qint64 beyond[] = {7, kRows + 1};
        QVERIFY_EXCEPTION_THROWN(reader->ReadRange(kRows - 1, 5, 0, 3), std::runtime_error);
        QVERIFY_EXCEPTION_THROWN(reader->ReadIds(beyond, 2, 0, 3), std::runtime_error);
        QVERIFY_EXCEPTION_THROWN(reader->ReadRange(1, 5, 17, 2), std::runtime_error);
        QVERIFY_EXCEPTION_THROWN(reader->ReadRange(1, 5, -1, 2), std::runtime_error);
        // Still usable afterwards.
        QCOMPARE(reader->ReadRange(kRows - 1, 2, 0, 1).size(), std::size_t(2));
    }
};

QTEST_MAIN(TablePageReaderTest)

#include "TablePageReaderTest.moc"
