#include "sim/PageCellMaker.h"
#include "sim/PageCellStore.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/TableViewPresModels.h"

#include <QtTest/QtTest>

#include <atomic>
#include <cmath>
#include <limits>
#include <random>
#include <thread>

using Zel::Sim::CellValue;
using Zel::Sim::PageCellMaker;
using Zel::Sim::PageCellStore;

Q_DECLARE_METATYPE(CellValue::Kind)

namespace {

CellValue Value(CellValue::Kind kind, const QString& text, const QByteArray& utf8)
{
    switch (kind) {
    case CellValue::Kind::Integer:
        return CellValue::Integer(text.toLongLong());
    case CellValue::Kind::Real:
        return CellValue::Real(text.toDouble());
    case CellValue::Kind::Utf8:
        return CellValue::Utf8(utf8.constData(), utf8.size());
    case CellValue::Kind::Text:
        return CellValue::Text(text);
    case CellValue::Kind::Null:
        break;
    }
    return CellValue::Null();
}

} // namespace

class PageCellMakerTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void twoDecimalsWriteWhatQtWrites_data()
    {
        QTest::addColumn<double>("value");
        const double inf = std::numeric_limits<double>::infinity();
        // Ties in binary (x.125, x.375), ties only in decimal (1.005, 2.675), negatives that round
        // to zero, the edge of the fast path, and what it leaves to Qt.
        const double values[] = {0.0, -0.0, 0.005, 0.015, 0.125, 0.375, 1.005, 2.675, 12.345, -12.345, -0.001,
            -0.004999, 99.995, 261.96, -383.031, 0.1 + 0.2, 999'999'999.994, 999'999'999.996, 1e9, 1e12 + 0.125,
            123'456'789.125, 1e-10, -1e-10, 9'007'199'254'740'993.0, std::nan(""), inf, -inf};
        for (double v : values)
            QTest::newRow(qPrintable(QString::number(v, 'g', 17))) << v;
    }

    void twoDecimalsWriteWhatQtWrites()
    {
        QFETCH(double, value);
        QCOMPARE(PageCellMaker::TwoDecimals(value), QString::number(value, 'f', 2));
    }

    void numbersWriteWhatQtWritesOverManyValues()
    {
        std::mt19937_64 random(17);
        std::uniform_real_distribution<double> real(-1e6, 1e6);
        std::uniform_int_distribution<qint64> integer(
            std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
        for (int i = 0; i < 100'000; ++i) {
            // Hundredths as the workbook rounds them, and values as they come.
            const double raw = real(random);
            for (double v : {raw, std::round(raw * 100) / 100}) {
                if (PageCellMaker::TwoDecimals(v) != QString::number(v, 'f', 2))
                    QFAIL(qPrintable(QString::number(v, 'g', 17)));
            }
            const qint64 n = integer(random) >> (i % 64);
            if (PageCellMaker::Integer(n) != QString::number(n))
                QFAIL(qPrintable(QString::number(n)));
        }
        QCOMPARE(PageCellMaker::Integer(std::numeric_limits<qint64>::min()),
            QString::number(std::numeric_limits<qint64>::min()));
    }

    void displayTextFollowsStorageAndColumn_data()
    {
        QTest::addColumn<CellValue::Kind>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("expected");
        using K = CellValue::Kind;
        QTest::newRow("integer") << K::Integer << "-42" << int(DT_INTEGER) << "-42";
        QTest::newRow("integer in a real column") << K::Integer << "5" << int(DT_REAL) << "5.00";
        QTest::newRow("real") << K::Real << "261.957" << int(DT_REAL) << "261.96";
        QTest::newRow("real in an integer column") << K::Real << "2.5" << int(DT_INTEGER) << "3";
        QTest::newRow("real in a text column") << K::Real << "0.1" << int(DT_STRING) << "0.1";
        QTest::newRow("text in a numeric column") << K::Utf8 << "(All)" << int(DT_INTEGER) << "(All)";
        QTest::newRow("UTF-8 beyond ASCII") << K::Utf8 << QStringLiteral("Z\u00fcrich \u6771\u4eac") << int(DT_STRING)
                                            << QStringLiteral("Z\u00fcrich \u6771\u4eac");
        QTest::newRow("empty text") << K::Utf8 << "" << int(DT_STRING) << "";
        QTest::newRow("QtSql's text") << K::Text << "2021-03-04" << int(DT_DATE) << "2021-03-04";
        QTest::newRow("null") << K::Null << "" << int(DT_REAL) << "Null";
    }

    void displayTextFollowsStorageAndColumn()
    {
        QFETCH(CellValue::Kind, kind);
        QFETCH(QString, value);
        QFETCH(int, type);
        QFETCH(QString, expected);
        const QByteArray utf8 = value.toUtf8();
        const auto cell = PageCellMaker::Make(Value(kind, value, utf8), static_cast<DataType>(type), false);
        QCOMPARE(cell->GetDisplayQString(), expected);
        QCOMPARE(cell->GetIsSpecial(), kind == CellValue::Kind::Null);
        QCOMPARE(cell->GetAlignmentFlags(),
            int(Qt::AlignVCenter) | (IsNumericDataType(static_cast<DataType>(type)) ? Qt::AlignRight : Qt::AlignLeft));
    }

    // A store keeps what was read (texts copied, so the reader may reuse its buffers) and makes a
    // row's cells only when the row is first asked for one, once; the special flag marks the
    // store's special column of a special row only.
    void rowsMakeTheirCellsFromTheStoreOnFirstRequest()
    {
        auto store = MakeRefCnt<PageCellStore>(std::vector<DataType> {DT_STRING, DT_REAL, DT_INTEGER}, 0, 2);
        QByteArray east("East");
        const QString west = QStringLiteral("West");
        const CellValue first[]
            = {CellValue::Utf8(east.constData(), east.size()), CellValue::Real(2.345), CellValue::Null()};
        const CellValue second[] = {CellValue::Text(west), CellValue::Integer(-7), CellValue::Integer(12)};
        const unsigned int a = store->Append(true, first);
        east.fill('x');
        const unsigned int b = store->Append(true, second);
        QCOMPARE(store->GetColumnCount(), 3u);

        const RefCntPtr<TableViewPageCellSource const> source(store.get());
        const TableViewPageRowPresModel row(source, b, 3);
        const TableViewPageRowPresModel other(source, a, 3);
        QCOMPARE(row.GetColumnCount(), 3u);
        const auto* made = row.GetColumn(1).get();
        QCOMPARE(row.GetColumn(1).get(), made);
        QCOMPARE(made->GetDisplayQString(), QStringLiteral("-7.00"));
        QCOMPARE(row.GetColumn(0)->GetDisplayQString(), west);
        QVERIFY(row.GetColumn(0)->GetIsSpecial());
        QVERIFY(!row.GetColumn(2)->GetIsSpecial());
        QCOMPARE(other.GetColumn(0)->GetDisplayQString(), QStringLiteral("East"));
        QCOMPARE(other.GetColumn(1)->GetDisplayQString(), QStringLiteral("2.35"));
        QCOMPARE(other.GetColumn(2)->GetDisplayQString(), QStringLiteral("Null"));
        QVERIFY(other.GetColumn(2)->GetIsSpecial());
        QVERIFY_EXCEPTION_THROWN(row.GetColumn(3), std::logic_error);

        // A source that makes another number of cells than the row was made with is refused, and
        // the row can be asked again.
        const TableViewPageRowPresModel wrong(source, a, 4);
        QVERIFY_EXCEPTION_THROWN(wrong.GetColumn(0), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(wrong.GetColumn(0), std::logic_error);
        QVERIFY_EXCEPTION_THROWN(store->MakeCells(2), std::logic_error);
    }

    // Rows of one store asked for their first cells on several threads at once: each row's cells
    // are made once, and every thread gets those.
    void rowsAskedOnSeveralThreadsMakeTheirCellsOnce()
    {
        constexpr unsigned int kRows = 2000;
        auto store = MakeRefCnt<PageCellStore>(std::vector<DataType> {DT_INTEGER, DT_REAL}, -1, kRows);
        std::vector<RefCntPtr<TableViewPageRowPresModel const>> rows;
        for (unsigned int r = 0; r < kRows; ++r) {
            const CellValue values[] = {CellValue::Integer(r), CellValue::Real(r / 4.0)};
            rows.push_back(MakeRefCnt<TableViewPageRowPresModel>(
                RefCntPtr<TableViewPageCellSource const>(store.get()), store->Append(false, values), 2));
        }
        const long before = RefCntObject::LiveInstanceCount();
        std::vector<std::vector<const TableViewPageItemPresModel*>> seen(2);
        std::vector<std::thread> threads;
        std::atomic<int> started {0};
        for (auto& cells : seen)
            threads.emplace_back([&rows, &cells, &started, &seen] {
                // All at once, so that they meet on the same rows.
                ++started;
                while (started < static_cast<int>(seen.size())) { }
                for (const auto& row : rows)
                    cells.push_back(row->GetColumn(1).get());
            });
        for (std::thread& thread : threads)
            thread.join();
        QCOMPARE(RefCntObject::LiveInstanceCount() - before, long {kRows} * 2);
        for (const auto& cells : seen)
            QVERIFY(cells == seen.front());
        QCOMPARE(rows[6]->GetColumn(1)->GetDisplayQString(), QStringLiteral("1.50"));
    }
};

QTEST_MAIN(PageCellMakerTest)

#include "PageCellMakerTest.moc"
