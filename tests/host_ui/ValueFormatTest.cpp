#include "host/doc/ValueFormat.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace ZelTest;

Q_DECLARE_METATYPE(DataValue)

class ValueFormatTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void choicesStartWithAutomaticAndAllFitTheirType()
    {
        for (DataType type : {DT_INTEGER, DT_REAL, DT_DATE, DT_DATETIME, DT_STRING, DT_BOOLEAN}) {
            const std::vector<FormatChoice> choices = ValueFormat::ChoicesFor(type);
            QVERIFY(!choices.empty());
            QCOMPARE(choices.front().format, TString());
            QCOMPARE(choices.front().caption, TString(L"Automatic"));
            QSet<QString> seen;
            for (const FormatChoice& choice : choices) {
                QVERIFY2(ValueFormat::IsValidFormat(type, choice.format), qPrintable(choice.format.ToQString()));
                QVERIFY(!choice.caption.empty());
                QVERIFY2(!seen.contains(choice.format.ToQString()), "a format offered twice");
                seen.insert(choice.format.ToQString());
            }
            if (type == DT_STRING || type == DT_BOOLEAN)
                QCOMPARE(choices.size(), std::size_t(1));
            else
                QVERIFY(choices.size() >= 6 && choices.size() <= 9);
        }
    }

    void formatsTheValue_data()
    {
        QTest::addColumn<DataValue>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        const QDate date(2024, 3, 5);
        const QDateTime dateTime(date, QTime(14, 7, 9));
        auto row = [](const char* name, const DataValue& value, const char* format, const char* expected) {
            QTest::newRow(name) << value << QString::fromUtf8(format) << QString::fromUtf8(expected);
        };

        row("number 2 decimals", DataValue(1234.5), "n2", "1,234.50");
        row("number of an integer", DataValue(1'234'567), "n0", "1,234,567");
        row("number rounds", DataValue(2.675), "n0", "3");
        row("currency", DataValue(1234.5), "c2", "$1,234.50");
        row("negative currency", DataValue(-1234.5), "c2", "-$1,234.50");
        row("no minus zero", DataValue(-0.001), "c2", "$0.00");
        row("percentage", DataValue(0.256), "p0", "26%");
        row("percentage 2 decimals", DataValue(0.256), "p2", "25.60%");
        row("scientific", DataValue(1234.5), "e2", "1.23E+03");
        row("automatic real", DataValue(1234.5), "", "1234.5");
        row("automatic real, no float noise", DataValue(0.1 + 0.2), "", "0.3");
        row("automatic real, 6 digits", DataValue(2.0 / 3.0), "", "0.666667");
        row("automatic integer", DataValue(1'234'567'890'123LL), "", "1234567890123");
        row("automatic date", DataValue(date), "", "2024-03-05");
        row("short date", DataValue(date), "MM/dd/yyyy", "03/05/2024");
        row("full date in English", DataValue(date), "dddd, MMMM d, yyyy", "Tuesday, March 5, 2024");
        row("month and year", DataValue(date), "MMM yyyy", "Mar 2024");
        row("automatic date-time", DataValue(dateTime), "", "2024-03-05 14:07:09");
        row("date-time with AM/PM", DataValue(dateTime), "MM/dd/yyyy h:mm AP", "03/05/2024 2:07 PM");
        row("boolean", DataValue(false), "", "False");
        row("string keeps its text", DataValue(TString(L"1,5")), "n2", "1,5");
        row("date format on a number", DataValue(42), "yyyy", "42");
        row("number format on a date", DataValue(date), "n2", "2024-03-05");
        row("time on a date", DataValue(date), "HH:mm", "2024-03-05");
        row("null", DataValue::Null(DT_REAL), "c2", "Null");
        row("special keeps its text", DataValue::Special(DT_INTEGER, TString(L"(All)")), "n2", "(All)");
    }

    void formatsTheValue()
    {
        QFETCH(DataValue, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(ValueFormat::Format(value, TString(format)).ToQString(), expected);
    }

    void validFormats_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("valid");
        QTest::newRow("automatic string") << int(DT_STRING) << "" << true;
        QTest::newRow("number on a string") << int(DT_STRING) << "n2" << false;
        QTest::newRow("number on a boolean") << int(DT_BOOLEAN) << "n0" << false;
        QTest::newRow("12 decimals") << int(DT_REAL) << "n12" << true;
        QTest::newRow("unknown letter") << int(DT_REAL) << "x2" << false;
        QTest::newRow("no digit count") << int(DT_INTEGER) << "c" << false;
        QTest::newRow("trailing text") << int(DT_INTEGER) << "c2x" << false;
        QTest::newRow("date pattern on a number") << int(DT_INTEGER) << "yyyy" << false;
        QTest::newRow("date pattern") << int(DT_DATE) << "d MMM" << true;
        QTest::newRow("time on a date") << int(DT_DATE) << "yyyy HH:mm" << false;
        QTest::newRow("quoted letters are literal") << int(DT_DATE) << "'at' yyyy" << true;
        QTest::newRow("no pattern letters") << int(DT_DATE) << "--" << false;
        QTest::newRow("time on a date-time") << int(DT_DATETIME) << "HH:mm" << true;
        QTest::newRow("number on a date-time") << int(DT_DATETIME) << "n2" << false;
    }

    void validFormats()
    {
        QFETCH(int, type);
        QFETCH(QString, format);
        QFETCH(bool, valid);
        QCOMPARE(ValueFormat::IsValidFormat(static_cast<DataType>(type), TString(format)), valid);
    }
};

QTEST_MAIN(ValueFormatTest)

#include "ValueFormatTest.moc"
