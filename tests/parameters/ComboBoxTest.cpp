#include "host/doc/StringIds.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"
#include "host/doc/StringTable.h"
#include "host/ui/SearchableComboBox.h"
#include "main/RegisterPresModelHandlers.h"
#include "widgets/ZelvarComboBoxEnum.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>

using namespace ZelTest;

namespace {

enum class Fruit : int
{
    Apple = 0,
    Pear = 1,
    Quince = 2,
    Unnamed = 3,
};

// Apple and Quince share a text; Unnamed is not registered, so it has none.
void RegisterFruit()
{
    EnumConverterRegistry::GetInstance().RegisterEnum(EnumConverterRegistry::KeyOf<Fruit>(),
        {{0, L"apple", Zel::Strings::PeriodYears}, {1, L"pear", Zel::Strings::PeriodQuarters},
            {2, L"quince", Zel::Strings::PeriodYears}},
        1);
}

QList<int> Data(const QComboBox& combo)
{
    QList<int> values;
    for (int i = 0; i < combo.count(); ++i)
        values << combo.itemData(i, Qt::UserRole).toInt();
    return values;
}

} // namespace

class ComboBoxTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    // As a host does at start-up. Nothing else here calls into the library itself (the combo box
    // is a header template), and the library's loading is what registers the date periods.
    void initTestCase() { RegisterPresModelHandlers(); }

    void datePeriodsAreRegisteredWhenTheLibraryLoads()
    {
        ZelvarComboBoxEnum<DatePeriodType> combo;
        combo.SetValues({DPT_YEARS, DPT_QUARTERS, DPT_MONTHS, DPT_WEEKS, DPT_DAYS});
        QCOMPARE(ItemTexts(combo),
            QStringList({LookupTStr(Zel::Strings::PeriodYears).ToQString(),
                LookupTStr(Zel::Strings::PeriodQuarters).ToQString(),
                LookupTStr(Zel::Strings::PeriodMonths).ToQString(), LookupTStr(Zel::Strings::PeriodWeeks).ToQString(),
                LookupTStr(Zel::Strings::PeriodDays).ToQString()}));
        QCOMPARE(Data(combo), QList<int>({0, 1, 2, 3, 4}));

        combo.SetAllValues();
        QCOMPARE(Data(combo), QList<int>({0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(combo.itemText(7), LookupTStr(Zel::Strings::PeriodSeconds).ToQString());
        const auto key = EnumConverterRegistry::KeyOf<DatePeriodType>();
        QCOMPARE(QString::fromStdWString(EnumConverterRegistry::GetInstance().GetValues(key)[5].name),
            QStringLiteral("hours"));

        combo.setCurrentIndex(combo.findData(QVariant(int(DPT_WEEKS)), Qt::UserRole));
        QCOMPARE(combo.GetValue(), DPT_WEEKS);
    }

    void emptyComboGivesTheDefault()
    {
        ZelvarComboBoxEnum<DatePeriodType> combo;
        QCOMPARE(combo.GetValue(), DPT_DAYS);
        // A first fill restores "nothing selected".
        combo.SetValues({DPT_MONTHS});
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.GetValue(), DPT_DAYS);
    }

    void refillKeepsThePositionNotTheValue()
    {
        ZelvarComboBoxEnum<DatePeriodType> combo;
        combo.SetAllValues();
        combo.setCurrentIndex(3);
        combo.SetValues(
            {DPT_SECONDS, DPT_MINUTES, DPT_HOURS, DPT_DAYS, DPT_WEEKS, DPT_MONTHS, DPT_QUARTERS, DPT_YEARS});
        QCOMPARE(combo.currentIndex(), 3);
        QCOMPARE(combo.GetValue(), DPT_DAYS);

        combo.setCurrentIndex(6);
        combo.SetValues({DPT_YEARS, DPT_QUARTERS, DPT_MONTHS, DPT_WEEKS, DPT_DAYS});
        QCOMPARE(combo.count(), 5);
        QCOMPARE(combo.currentIndex(), -1);
        QCOMPARE(combo.GetValue(), DPT_DAYS);
    }

    void valuesWithoutTextGetNoItem()
    {
        RegisterFruit();
        ZelvarComboBoxEnum<Fruit> combo;
        combo.SetValues({Fruit::Unnamed, Fruit::Apple, Fruit::Quince, Fruit::Pear});
        // Equal texts are allowed in combo boxes; a value without text is dropped.
        QCOMPARE(Data(combo), QList<int>({0, 2, 1}));
        QCOMPARE(combo.itemText(0), combo.itemText(1));
        QCOMPARE(combo.GetValue(), Fruit::Pear);
        combo.setCurrentIndex(0);
        QCOMPARE(combo.GetValue(), Fruit::Apple);

        const EnumModelFactory<Fruit> unique(false);
        const auto entries = unique.BuildEntries({Fruit::Quince, Fruit::Pear, Fruit::Apple, Fruit::Unnamed});
        QCOMPARE(entries.size(), std::size_t(2));
        QCOMPARE(entries[0].first, 2);
        QCOMPARE(entries[1].first, 1);
        QCOMPARE(unique.ToString(Fruit::Unnamed), TString());
    }

    void dataTypesComeFromTheHostWithUnknownFindable()
    {
        ZelvarComboBoxEnum<DataType> combo;
        combo.SetAllValues();
        QVERIFY(combo.count() >= 7);
        const int unknown = combo.findText(
            LookupTStr(Zel::Strings::DataTypeUnknown).ToQString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
        QVERIFY(unknown >= 0);
        QCOMPARE(combo.itemData(unknown, Qt::UserRole).toInt(), int(DT_UNKNOWN));
        for (DataType type : {DT_INTEGER, DT_REAL, DT_STRING, DT_BOOLEAN, DT_DATE, DT_DATETIME})
            QVERIFY2(combo.findData(QVariant(int(type)), Qt::UserRole) >= 0, qPrintable(QString::number(type)));
        // Texts are unique, so a type list that drops "Unknown" by its text drops nothing else.
        QCOMPARE(ItemTexts(combo).removeDuplicates(), 0);
    }

    void searchFieldFiltersTheOpenListAndPicks()
    {
        QWidget window;
        SearchableComboBox combo(&window);
        combo.addItems({"Apple", "Banana", "Cherry", "Pineapple"});
        combo.setGeometry(10, 10, 160, 28);
        window.resize(200, 200);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy activated(&combo, QOverload<int>::of(&QComboBox::activated));
        auto* list = qobject_cast<QListView*>(combo.view());
        QVERIFY(list);

        // Typing opens the list with the typed text as the search.
        QTest::keyClick(&combo, 'p');
        QVERIFY(list->isVisible());
        QLineEdit* search = combo.GetSearchField();
        QVERIFY(search);
        QCOMPARE(search->text(), QStringLiteral("p"));
        QTest::keyClicks(search, "PLE");
        QCOMPARE(combo.GetMatchingRows(), std::vector<int>({0, 3}));
        QVERIFY(list->isRowHidden(1) && list->isRowHidden(2) && !list->isRowHidden(3));

        QTest::keyClick(search, Qt::Key_Down);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(activated.at(0).at(0).toInt(), 3);
        QCOMPARE(combo.currentIndex(), 3);
        QTRY_VERIFY(!list->isVisible());

        // Open again: the whole list; a search without matches picks nothing.
        combo.showPopup();
        QVERIFY(search->text().isEmpty());
        QVERIFY(!list->isRowHidden(1));
        QTest::keyClicks(search, "zz");
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(search, Qt::Key_Escape);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(activated.count(), 1);
        QCOMPARE(combo.currentIndex(), 3);
    }
};

QTEST_MAIN(ComboBoxTest)

#include "ComboBoxTest.moc"
