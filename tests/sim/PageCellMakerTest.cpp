#include "sim/PageCellMaker.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/TableViewPresModels.h"

#include <QtTest/QtTest>

#include <cmath>
#include <limits>
#include <random>

using Zel::Sim::CellValue;
using Zel::Sim::PageCellMaker;

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
        PageCellMaker maker(static_cast<DataType>(type));
        const auto cell = maker.Make(Value(kind, value, utf8), false);
        QCOMPARE(cell->GetDisplayQString(), expected);
        QCOMPARE(cell->GetIsSpecial(), kind == CellValue::Kind::Null);
        QCOMPARE(cell->GetAlignmentFlags(),
            int(Qt::AlignVCenter) | (IsNumericDataType(static_cast<DataType>(type)) ? Qt::AlignRight : Qt::AlignLeft));
    }

    // Equal values share one record, by what was read: the same text from SQLite's bytes and from
    // QtSql are different keys, which one reader never mixes. A special cell is never
    // shared; a column of distinct values stops looking.
    void equalCellsShareOneRecordUntilTheColumnTurnsOutDistinct()
    {
        PageCellMaker maker(DT_STRING);
        const QByteArray east("East"), west("West");
        const auto first = maker.Make(CellValue::Utf8(east.constData(), east.size()), false);
        const auto other = maker.Make(CellValue::Utf8(west.constData(), west.size()), false);
        QCOMPARE(maker.Make(CellValue::Utf8(east.constData(), east.size()), false).get(), first.get());
        QCOMPARE(maker.Make(CellValue::Utf8(west.constData(), west.size()), false).get(), other.get());
        QVERIFY(maker.Make(CellValue::Utf8(east.constData(), east.size()), true).get() != first.get());
        const QString text = QStringLiteral("East");
        QVERIFY(maker.Make(CellValue::Text(text), false).get() != first.get());
        QCOMPARE(maker.Make(CellValue::Null(), false).get(), maker.Make(CellValue::Null(), false).get());

        PageCellMaker distinct(DT_INTEGER);
        std::vector<RefCntPtr<TableViewPageItemPresModel const>> held;
        for (qint64 id = 0; id < 10; ++id)
            held.push_back(distinct.Make(CellValue::Integer(id), false));
        QCOMPARE(distinct.Make(CellValue::Integer(3), false).get(), held[3].get());
        for (qint64 id = 10; id < 200; ++id)
            held.push_back(distinct.Make(CellValue::Integer(id), false));
        QVERIFY(distinct.Make(CellValue::Integer(150), false).get() != held[150].get());
        QCOMPARE(distinct.Make(CellValue::Integer(150), false)->GetDisplayQString(), QStringLiteral("150"));
    }

    // A maker keeps the records it may hand out again, a bounded number of them: past the bound it
    // starts over, and equal values still share from there on.
    void keptRecordsAreBounded()
    {
        PageCellMaker maker(DT_INTEGER);
        const auto first = maker.Make(CellValue::Integer(0), false);
        // Each value twice: half of the lookups find a record, which keeps the column sharing.
        for (int round = 0; round < 3; ++round) {
            for (qint64 value = 0; value < 1500; ++value) {
                const auto a = maker.Make(CellValue::Integer(value), false);
                QCOMPARE(maker.Make(CellValue::Integer(value), false).get(), a.get());
                QCOMPARE(a->GetDisplayQString(), QString::number(value));
            }
        }
        QCOMPARE(maker.Make(CellValue::Integer(0), false).get(), first.get());
        QVERIFY(first->GetRefCount() >= 2);

        for (qint64 value = 1500; value < 4000; ++value) {
            maker.Make(CellValue::Integer(value), false);
            maker.Make(CellValue::Integer(value), false);
        }
        // Forgotten: only this test holds the first record now.
        QCOMPARE(first->GetRefCount(), 1L);
        const auto again = maker.Make(CellValue::Integer(7), false);
        QCOMPARE(maker.Make(CellValue::Integer(7), false).get(), again.get());
    }
};

QTEST_MAIN(PageCellMakerTest)

#include "PageCellMakerTest.moc"
