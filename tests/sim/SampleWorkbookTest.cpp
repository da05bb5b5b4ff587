#include "sim/SampleWorkbook.h"

#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QTemporaryDir>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>
#include <QtTest/QtTest>

using namespace Zel::Sim;

namespace {

constexpr qint64 kRows = 4000;

FieldName Field(const char* localName)
{
    return FieldName(SampleWorkbook::DataSourceName(), TString::FromUtf8(localName));
}

// Every row, every column, as text: two workbooks are the same exactly when these are.
QStringList AllRows(SampleWorkbook& workbook)
{
    QStringList rows;
    QSqlQuery query(workbook.Database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT * FROM orders ORDER BY \"Row ID\"")))
        return rows;
    while (query.next()) {
        QStringList cells;
        for (int c = 0; c < query.record().count(); ++c)
            cells << query.value(c).toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

qint64 Scalar(SampleWorkbook& workbook, const QString& sql)
{
    QSqlQuery query(workbook.Database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

} // namespace

class SampleWorkbookTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void generatesTheSameRowsEveryTime()
    {
        const int connectionsBefore = QSqlDatabase::connectionNames().size();
        {
            SampleWorkbook first(SampleWorkbook::Options {kRows, {}});
            SampleWorkbook second(SampleWorkbook::Options {kRows, {}});
            const QStringList rows = AllRows(first);
            QCOMPARE(rows.size(), int(kRows));
            QVERIFY(rows == AllRows(second));
            // The portable loader writes exactly what the fast one does.
            SampleWorkbook portable(SampleWorkbook::Options {kRows, {}, false});
            QVERIFY(rows == AllRows(portable));
            QVERIFY(!first.LastGeneration().reused);
            QCOMPARE(first.LastGeneration().rows, kRows);
            // A smaller workbook is the start of a larger one: the same draws in the same order.
            SampleWorkbook smaller(SampleWorkbook::Options {100, {}});
            QVERIFY(AllRows(smaller) == rows.mid(0, 100));
        }
        // Each workbook had a connection of its own and removed it.
        QCOMPARE(QSqlDatabase::connectionNames().size(), connectionsBefore);
    }

    void hierarchyLevelsNestConsistently_data()
    {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<int>("childCount");
        QTest::addColumn<int>("parentCount");
        QTest::newRow("city in state") << QString("City") << QString("State") << 60 << 20;
        QTest::newRow("state in region") << QString("State") << QString("Region") << 20 << 4;
        QTest::newRow("product in sub-category") << QString("Product") << QString("Sub-Category") << 105 << 15;
        QTest::newRow("sub-category in category") << QString("Sub-Category") << QString("Category") << 15 << 3;
        // Orders are placed by one customer, who has one segment.
        QTest::newRow("order of one customer") << QString("Order ID") << QString("Customer Name") << -1 << -1;
        QTest::newRow("customer in one segment") << QString("Customer Name") << QString("Segment") << -1 << -1;
    }

    void hierarchyLevelsNestConsistently()
    {
        QFETCH(QString, child);
        QFETCH(QString, parent);
        QFETCH(int, childCount);
        QFETCH(int, parentCount);
        SampleWorkbook workbook(SampleWorkbook::Options {kRows, {}});
        const QString c = SampleWorkbook::SqlColumn(FieldName({}, child));
        const QString p = SampleWorkbook::SqlColumn(FieldName({}, parent));

        QCOMPARE(Scalar(workbook,
                     QStringLiteral("SELECT COUNT(*) FROM (SELECT ") + c + QStringLiteral(" FROM orders GROUP BY ") + c
                         + QStringLiteral(" HAVING COUNT(DISTINCT ") + p + QStringLiteral(") > 1)")),
            qint64(0));
        if (childCount >= 0) {
            QCOMPARE(Scalar(workbook, QStringLiteral("SELECT COUNT(DISTINCT ") + c + QStringLiteral(") FROM orders")),
                qint64(childCount));
            QCOMPARE(Scalar(workbook, QStringLiteral("SELECT COUNT(DISTINCT ") + p + QStringLiteral(") FROM orders")),
                qint64(parentCount));
        }
    }

    void fieldListDescribesTheTable()
    {
        SampleWorkbook workbook(SampleWorkbook::Options {10, {}});
        const QSqlRecord columns = workbook.Database().record(SampleWorkbook::TableName());
        QCOMPARE(columns.count(), int(workbook.Fields().size()));
        QStringList measures;
        for (const SampleField& field : workbook.Fields()) {
            QCOMPARE(field.name.GetDataSource(), SampleWorkbook::DataSourceName());
            QVERIFY2(
                columns.contains(field.name.GetLocalName().ToQString()), field.name.GetLocalName().ToUtf8().c_str());
            if (field.role == FieldRole::Measure)
                measures << field.name.GetLocalName().ToQString();
            // Every value reads back as the field's own type.
            const auto range = workbook.MinMax(field.name);
            QVERIFY(range.has_value());
            QCOMPARE(range->min.GetDataType(), field.dataType);
            QVERIFY(!range->min.IsNull());
        }
        QCOMPARE(measures, QStringList({"Sales", "Quantity", "Discount", "Profit"}));
        QCOMPARE(workbook.FindField(Field("Order Date"))->dataType, DT_DATE);

        for (const SampleHierarchy& hierarchy : workbook.Hierarchies()) {
            QCOMPARE(hierarchy.levels.size(), std::size_t(3));
            for (const FieldName& level : hierarchy.levels)
                QVERIFY(workbook.FindField(level));
        }
        // A name typed by a user has no data source and still finds its field; another source's does not.
        QVERIFY(workbook.FindField(FieldName::ParseUnquoted(TString(L" City "))));
        QVERIFY(!workbook.FindField(FieldName(TString(L"Returns"), TString(L"City"))));
        QVERIFY(!workbook.FindField(Field("Colour")));
    }

    void numbersAreThoseOfAPlausibleOrderBook()
    {
        SampleWorkbook workbook(SampleWorkbook::Options {kRows, {}});
        auto count = [&workbook](const char* condition) {
            return Scalar(
                workbook, QStringLiteral("SELECT COUNT(*) FROM orders WHERE ") + QString::fromUtf8(condition));
        };
        QCOMPARE(count("\"Ship Date\" < \"Order Date\""), qint64(0));
        QCOMPARE(count("\"Sales\" <= 0 OR \"Quantity\" < 1"), qint64(0));
        QCOMPARE(count("\"Discount\" NOT IN (0, 0.1, 0.2, 0.3, 0.5)"), qint64(0));
        QCOMPARE(count("\"Profit\" > \"Sales\""), qint64(0));
        // Some lines lose money, most do not.
        const qint64 losses = count("\"Profit\" < 0");
        QVERIFY(losses > 0);
        QVERIFY(losses < kRows / 2);
        // Orders have several lines.
        QVERIFY(Scalar(workbook, QStringLiteral("SELECT COUNT(DISTINCT \"Order ID\") FROM orders")) < kRows / 2);
    }

    void answersDistinctValuesAndRanges()
    {
        SampleWorkbook workbook(SampleWorkbook::Options {kRows, {}});
        QCOMPARE(workbook.RowCount(), kRows);
        QCOMPARE(Scalar(workbook, QStringLiteral("SELECT COUNT(*) FROM orders")), kRows);

        QCOMPARE(ZelTest::DisplayTexts(workbook.DistinctValues(Field("Region"))),
            QStringList({"Central", "East", "South", "West"}));
        QCOMPARE(ZelTest::DisplayTexts(workbook.DistinctValues(Field("Segment"))),
            QStringList({"Consumer", "Corporate", "Home Office"}));
        QCOMPARE(workbook.DistinctValues(Field("Ship Mode")).size(), std::size_t(4));
        // Numbers sort as numbers, not as text.
        const std::vector<DataValue> quantities = workbook.DistinctValues(Field("Quantity"));
        QVERIFY(std::is_sorted(quantities.begin(), quantities.end(),
            [](const DataValue& a, const DataValue& b) { return a.GetInt64() < b.GetInt64(); }));
        QCOMPARE(quantities.front().GetDataType(), DT_INTEGER);

        const auto rowIds = workbook.MinMax(Field("Row ID"));
        QVERIFY(rowIds.has_value());
        QCOMPARE(rowIds->min.GetInt64(), 1ll);
        QCOMPARE(rowIds->max.GetInt64(), kRows);
        const auto dates = workbook.MinMax(Field("Order Date"));
        QVERIFY(dates.has_value());
        QVERIFY(dates->min.GetDate() >= QDate(2020, 1, 1));
        QVERIFY(dates->max.GetDate() <= QDate(2023, 12, 31));
        QVERIFY(dates->min.GetDate() < dates->max.GetDate());

        QVERIFY(workbook.DistinctValues(Field("Colour")).empty());
        QVERIFY(!workbook.MinMax(FieldName(TString(L"Returns"), TString(L"Region"))).has_value());

        SampleWorkbook empty(SampleWorkbook::Options {0, {}});
        QVERIFY(empty.Open());
        QVERIFY(empty.DistinctValues(Field("Region")).empty());
        QVERIFY(!empty.MinMax(Field("Sales")).has_value());
    }

    void reusesADatabaseFileHoldingTheRequestedRows()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("orders.sqlite"));
        SampleWorkbook inMemory(SampleWorkbook::Options {kRows, {}});
        const QStringList generated = AllRows(inMemory);
        // Made, then reused; another row count makes the file again, with the same rows an in-memory one has.
        for (const auto& [rows, reused] : {std::pair<qint64, bool> {kRows, false}, {kRows, true}, {500, false}}) {
            SampleWorkbook workbook(SampleWorkbook::Options {rows, path});
            QVERIFY(workbook.Open());
            QCOMPARE(workbook.LastGeneration().reused, reused);
            QVERIFY(AllRows(workbook) == generated.mid(0, int(rows)));
        }
    }

    void refusesWhatItCannotUseWithoutCrashing()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        // A file that is not ours is left as it was.
        const QString foreign = dir.filePath(QStringLiteral("notes.txt"));
        {
            QFile file(foreign);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a database, just some notes of somebody's\n");
        }
        SampleWorkbook onForeignFile(SampleWorkbook::Options {10, foreign});
        QVERIFY(!onForeignFile.Open());
        QVERIFY(!onForeignFile.ErrorText().isEmpty());
        QCOMPARE(onForeignFile.RowCount(), qint64(0));
        QVERIFY(onForeignFile.DistinctValues(Field("Region")).empty());
        QFile file(foreign);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("not a database"));

        SampleWorkbook inMissingFolder(
            SampleWorkbook::Options {10, dir.filePath(QStringLiteral("no/such/folder/x.db"))});
        QVERIFY(!inMissingFolder.Open());
        QVERIFY(!inMissingFolder.MinMax(Field("Sales")).has_value());

        SampleWorkbook negative(SampleWorkbook::Options {-5, {}});
        QVERIFY(!negative.Open());
        QCOMPARE(negative.RowCount(), qint64(0));
    }
};

QTEST_MAIN(SampleWorkbookTest)

#include "SampleWorkbookTest.moc"
