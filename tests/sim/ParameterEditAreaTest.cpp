#include "sim/ParameterEditArea.h"
#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "host/doc/ComponentCleanup.h"
#include "host/doc/HostLog.h"
#include "host/doc/ValueFormat.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace Zel::Sim;
using ZelTest::DisplayTexts;
using ZelTest::RangeText;
namespace Cmds = Zel::Commands::Parameter;
using ParameterTypes::DomainType;

namespace {

FieldName Orders(const char* localName)
{
    return FieldName(SampleWorkbook::DataSourceName(), TString::FromUtf8(localName));
}

FieldName Targets(const char* localName)
{
    return FieldName(SampleWorkbook::TargetsDataSourceName(), TString::FromUtf8(localName));
}

QStringList Shown(const RefCntPtr<ParameterListDomainPresModel const>& list)
{
    QStringList texts;
    for (const auto& member : list->GetMembers())
        texts << member->GetDisplayValue().ToQString();
    return texts;
}

// A list member as a user's edit sends it: a value or an alias at a row.
RefCntPtr<IndexedDomainMemberPresModel const> Edited(int index, const wchar_t* value, const wchar_t* alias)
{
    auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
    member->SetDisplayValue(TString(value));
    member->SetAlias(TString(alias));
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(index);
    indexed->SetMember(member);
    return indexed;
}

// The whole simulated host of a parameter dialog, over a small workbook.
struct Host
{
    SimHost host;
    SampleWorkbook workbook {SampleWorkbook::Options {2000, {}}};
    ParameterListArea lists {host};
    ParameterEditArea area {host, workbook, lists};

    RefCntPtr<ProductParameterInfoPresModel const> Record(unsigned int id) const { return area.GetParameterInfo(id); }

    RefCntPtr<ParameterEditInfoPresModel const> SetType(unsigned int id, DataType type) const
    {
        return ::SetParameterDataType(host, id, type).Get<Cmds::EditInfo>();
    }
    RefCntPtr<ParameterEditInfoPresModel const> SetDomain(unsigned int id, DomainType domain) const
    {
        return ::SetParameterDomainType(host, id, domain).Get<Cmds::EditInfo>();
    }
    DataValue SetValue(unsigned int id, const DataValue& value) const
    {
        return ::SetParameterValue(host, id, value).Get<Cmds::AcceptedValue>();
    }
    std::optional<RefCntPtr<ParameterListDomainPresModel const>> Paste(unsigned int id, const QString& text) const
    {
        return ::PasteListMembers(host, id, TString(text)).Find<Cmds::ListDomain>();
    }
    std::optional<RefCntPtr<ProductParameterInfoPresModel const>> Fill(unsigned int id, const FieldName& name) const
    {
        return ::SetDomainFromField(host, id, name).Find<Cmds::ParameterInfo>();
    }
    RefCntPtr<ParameterRangeDomainPresModel const> SetRange(unsigned int id, std::optional<DataValue> min,
        std::optional<DataValue> max, std::optional<DataValue> step, DatePeriodType period = DPT_DAYS) const
    {
        auto range = MakeRefCnt<ParameterRangeDomainPresModel>();
        range->SetHasUserDefinedMin(min.has_value());
        range->SetDomainMin(min.value_or(DataValue()));
        range->SetHasUserDefinedMax(max.has_value());
        range->SetDomainMax(max.value_or(DataValue()));
        range->SetHasUserDefinedIncrement(step.has_value());
        range->SetIncrement(step.value_or(DataValue()));
        range->SetDateIncrementPeriod(period);
        return ::SetParameterRangeDomain(host, id, range).Get<Cmds::ParameterInfo>()->GetRangeDomain();
    }
    void SetCaption(unsigned int id, const char* caption) const
    {
        ::SetParameterDisplayInfo(host, id, TString::FromUtf8(caption), FormattedText());
    }
    Zel::Commands::CommandResult<Cmds::CommitParameter> Commit(unsigned int id) const
    {
        return ::CommitParameter(host, id);
    }
};

QStringList Captions(const std::vector<RefCntPtr<FieldCaptionPairPresModel const>>& pairs)
{
    QStringList captions;
    for (const auto& pair : pairs)
        captions << pair->GetFieldCaption().ToQString();
    return captions;
}

} // namespace

class ParameterEditAreaTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void newEditOffersWhatSuitsItsTypeAndCleansUp()
    {
        Host h;
        const auto opened = h.area.OpenNewParameterEdit();
        const auto& info = *opened.editInfo;
        QCOMPARE(info.GetTitle(), TString(L"Create Parameter"));
        QCOMPARE(info.GetParameter()->GetCaption(), TString(L"Parameter 1"));
        QCOMPARE(info.GetParameter()->GetDataType(), DT_REAL);
        QCOMPARE(info.GetParameter()->GetValue(), DataValue(1.0));
        QVERIFY(!info.GetShouldRestrictDataType());
        // Numeric fields of both data sources, numeric parameters only.
        QCOMPARE(info.GetCompatibleFieldCount(), 2u);
        QCOMPARE(Captions(info.GetCompatibleFields()[0]->GetCaptionedFields()),
            QStringList({"Row ID", "Sales", "Quantity", "Discount", "Profit"}));
        QCOMPARE(info.GetCompatibleFields()[1]->GetCaption(), SampleWorkbook::TargetsDataSourceName());
        QCOMPARE(info.GetCompatibleFields()[1]->GetCaptionedField(0).GetFieldName(), Targets("Target"));
        QCOMPARE(Captions(info.GetCompatibleParameters()), QStringList({"Top Customers", "Profit Target"}));

        QVERIFY(h.lists.HasEdit(opened.editId));
        {
            ComponentCleanup cleanup(h.host, opened.cleanup);
        }
        QVERIFY(!h.area.HasEdit(opened.editId));
        QVERIFY(!h.lists.HasEdit(opened.editId));
        QCOMPARE(h.workbook.Parameters().size(), std::size_t(3));
    }

    void editInUseRestrictsItsDataType()
    {
        Host h;
        const auto opened = h.area.OpenParameterEdit(h.workbook.FindParameter(TString(L"top customers"))->name);
        QCOMPARE(opened.editInfo->GetTitle(), TString(L"Edit Parameter [Top Customers]"));
        QVERIFY(opened.editInfo->GetShouldRestrictDataType());
        QCOMPARE(opened.editInfo->GetParameter()->GetDomainType(), ParameterTypes::Domain_Range);
        // The edited parameter is not offered as a source of itself.
        QCOMPARE(Captions(opened.editInfo->GetCompatibleParameters()), QStringList({"Profit Target"}));
        QVERIFY_EXCEPTION_THROWN(h.SetType(opened.editId, DT_STRING), LogicException);
        QCOMPARE(h.Record(opened.editId)->GetDataType(), DT_INTEGER);
        QVERIFY_EXCEPTION_THROWN(h.area.OpenParameterEdit(Orders("Region")), std::invalid_argument);
    }

    void dataTypeChangeConvertsValueListAndRange()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        h.SetDomain(id, ParameterTypes::Domain_List);
        QVERIFY(h.Paste(id, QStringLiteral("3\n7.5")));
        h.SetValue(id, DataValue(7.5));

        // 7.5 is no whole number: it leaves the list, and the value falls to a member that is.
        auto edit = h.SetType(id, DT_INTEGER);
        QCOMPARE(Shown(edit->GetParameter()->GetListDomain()), QStringList({"1", "3"}));
        QCOMPARE(edit->GetParameter()->GetValue().GetDataType(), DT_INTEGER);
        QCOMPARE(edit->GetParameter()->GetFormatString(), TString());
        QCOMPARE(Captions(edit->GetCompatibleFields()[0]->GetCaptionedFields()).size(), 5);

        edit = h.SetType(id, DT_STRING);
        QCOMPARE(Shown(edit->GetParameter()->GetListDomain()), QStringList({"1", "3"}));
        QCOMPARE(Captions(edit->GetCompatibleParameters()), QStringList({"Focus Region"}));
        QCOMPARE(edit->GetCompatibleFields()[1]->GetCaptionedFields().size(), std::size_t(2));

        // Nothing of the list reads as a date; the value becomes today.
        edit = h.SetType(id, DT_DATE);
        QVERIFY(edit->GetParameter()->GetListDomain()->GetMembers().empty());
        QCOMPARE(edit->GetParameter()->GetValue(), DataValue(QDate::currentDate()));

        // A user's range survives a change between numeric types; a string has none.
        const unsigned int ranged = h.area.OpenNewParameterEdit().editId;
        h.SetDomain(ranged, ParameterTypes::Domain_Range);
        h.SetRange(ranged, DataValue(0.0), DataValue(100.0), DataValue(5.0));
        edit = h.SetType(ranged, DT_INTEGER);
        const auto& range = *edit->GetParameter()->GetRangeDomain();
        QCOMPARE(RangeText(range), QStringLiteral("*0..*100 step *5 days"));
        QCOMPARE(range.GetDomainMin().GetDataType(), DT_INTEGER);
        QCOMPARE(h.SetType(ranged, DT_STRING)->GetParameter()->GetDomainType(), ParameterTypes::Domain_Any);
        QVERIFY_EXCEPTION_THROWN(h.SetDomain(ranged, ParameterTypes::Domain_Range), LogicException);
    }

    void listIsSeededPastedClearedAndFilled()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        h.SetType(id, DT_STRING);
        auto edit = h.SetDomain(id, ParameterTypes::Domain_List);
        QCOMPARE(Shown(edit->GetParameter()->GetListDomain()), QStringList({"1"}));

        const auto pasted = h.Paste(id, QStringLiteral("East\r\nWest, North\t\n   \nEast\n1"));
        QVERIFY(pasted);
        QCOMPARE(Shown(*pasted), QStringList({"1", "East", "West", "North"}));
        QVERIFY(!h.Paste(id, QString()));
        QVERIFY(!h.Paste(id, QStringLiteral("West\n,\n")));

        // Members typed through the list area land in the same list.
        ::AddListMember(h.host, id, Edited(0, L"South", L""));
        ::SetParameterValueIndex(h.host, id, 4);
        QCOMPARE(h.Record(id)->GetValue(), DataValue(TString(L"South")));

        const auto cleared = ::ClearListDomain(h.host, id);
        QVERIFY(cleared.Get<Cmds::ListDomain>()->GetMembers().empty());
        QCOMPARE(cleared.Get<Cmds::FormattedValue>(), TString(L"South"));

        // A fill replaces the list; the value moves to a member when it is none.
        const auto filled = h.Fill(id, Orders("Region"));
        QVERIFY(filled);
        QCOMPARE(Shown((*filled)->GetListDomain()), DisplayTexts(h.workbook.DistinctValues(Orders("Region"))));
        QCOMPARE((*filled)->GetValue(), DataValue(TString(L"South")));
        QCOMPARE(Shown((*h.Fill(id, Targets("Category")))->GetListDomain()),
            QStringList({"Furniture", "Office Supplies", "Technology"}));

        const auto fromParameter = h.Fill(id, h.workbook.FindParameter(TString(L"Focus Region"))->name);
        QCOMPARE(Shown((*fromParameter)->GetListDomain()), QStringList({"East", "West", "Central", "South"}));
        QVERIFY(!h.Fill(id, Orders("Colour")));
        QCOMPARE(h.lists.Values(id).size(), std::size_t(4));
    }

    void rangeIsDerivedFromValueThenFromAField()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        h.SetValue(id, DataValue(40.0));
        auto range = h.SetDomain(id, ParameterTypes::Domain_Range)->GetParameter()->GetRangeDomain();
        QCOMPARE(RangeText(*range), QStringLiteral("40..40 step 1 days"));

        const SampleValueRange sales = *h.workbook.MinMax(Orders("Sales"));
        range = (*h.Fill(id, Orders("Sales")))->GetRangeDomain();
        QCOMPARE(range->GetDomainMin(), sales.min);
        QCOMPARE(range->GetDomainMax(), sales.max);
        QVERIFY(!range->GetHasUserDefinedMin() && !range->GetHasUserDefinedMax());
        QCOMPARE(h.SetValue(id, DataValue(1e12)), sales.max);
        QCOMPARE(h.SetValue(id, DataValue(TString(L"abc"))), sales.max);

        // A user bound wins over a derived one; bounds given the wrong way round are swapped.
        range = h.SetRange(id, DataValue(1e9), std::nullopt, std::nullopt);
        QCOMPARE(range->GetDomainMin(), DataValue(1e9));
        QCOMPARE(range->GetDomainMax(), DataValue(1e9));
        QCOMPARE(RangeText(*h.SetRange(id, DataValue(50.0), DataValue(20.0), DataValue(-0.5))),
            QStringLiteral("*20..*50 step *0.5 days"));
        QCOMPARE(h.Record(id)->GetValue(), DataValue(50.0));

        const SampleValueRange targets = *h.workbook.MinMax(Targets("Target"));
        h.SetRange(id, std::nullopt, std::nullopt, std::nullopt);
        range = (*h.Fill(id, Targets("Target")))->GetRangeDomain();
        QCOMPARE(range->GetDomainMin(), targets.min);
        QCOMPARE(range->GetDomainMax(), targets.max);
        QCOMPARE(h.workbook.DistinctValues(Targets("Region")).size(), std::size_t(4));
    }

    void dateRangeStepsByWholePeriods()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        h.SetType(id, DT_DATE);
        h.SetDomain(id, ParameterTypes::Domain_Range);
        auto range = h.SetRange(id, std::nullopt, std::nullopt, DataValue(2.0), DPT_HOURS);
        QCOMPARE(range->GetIncrement(), DataValue(2));
        QCOMPARE(range->GetDateIncrementPeriod(), DPT_DAYS);

        range = (*h.Fill(id, Orders("Order Date")))->GetRangeDomain();
        QCOMPARE(range->GetDomainMin(), h.workbook.MinMax(Orders("Order Date"))->min);
        QCOMPARE(h.Record(id)->GetValue(), range->GetDomainMax());

        h.SetType(id, DT_DATETIME);
        range = h.SetRange(id, std::nullopt, std::nullopt, DataValue(30), DPT_MINUTES);
        QCOMPARE(range->GetDateIncrementPeriod(), DPT_MINUTES);
        QCOMPARE(range->GetDomainMin().GetDataType(), DT_DATETIME);
    }

    void booleanHasExactlyTrueAndFalse()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        const auto edit = h.SetType(id, DT_BOOLEAN);
        const auto& parameter = *edit->GetParameter();
        QCOMPARE(parameter.GetDomainType(), ParameterTypes::Domain_List);
        QCOMPARE(Shown(parameter.GetListDomain()), QStringList({"True", "False"}));
        QCOMPARE(parameter.GetListDomain()->GetValueIndex(), 0u);
        QCOMPARE(edit->GetCompatibleFieldCount(), 0u);

        ::UpdateListMember(h.host, id, Edited(1, L"", L"Off"), false);
        QCOMPARE(::SetParameterValueIndex(h.host, id, 1).Get<Cmds::FormattedValue>(), TString(L"False"));
        QCOMPARE(h.SetValue(id, DataValue(true)), DataValue(true));

        QVERIFY_EXCEPTION_THROWN(h.SetDomain(id, ParameterTypes::Domain_Any), LogicException);
        QVERIFY_EXCEPTION_THROWN(::ClearListDomain(h.host, id), LogicException);

        // Leaving boolean drops True and False; coming back keeps an alias of a value that meant true.
        h.SetType(id, DT_INTEGER);
        QCOMPARE(h.Record(id)->GetDomainType(), ParameterTypes::Domain_Any);
        QCOMPARE(h.Record(id)->GetValue(), DataValue(1));
        h.SetDomain(id, ParameterTypes::Domain_List);
        QVERIFY(h.Paste(id, QStringLiteral("0")));
        ::UpdateListMember(h.host, id, Edited(0, L"", L"Yes"), false);
        const auto back = h.SetType(id, DT_BOOLEAN)->GetParameter()->GetListDomain();
        QCOMPARE(back->GetMembers()[0]->GetAlias(), TString(L"Yes"));
        QVERIFY(!back->GetMembers()[1]->GetHasAlias());

        h.SetCaption(id, "Show Returns");
        QVERIFY(h.Commit(id).Has<Cmds::FieldNameParam>());
        const SampleParameter* stored = h.area.FindParameter(TString(L"Show Returns"));
        QVERIFY(stored);
        QCOMPARE(stored->listValues.size(), std::size_t(2));
        QCOMPARE(stored->value, DataValue(true));
    }

    void formatShowsValueAndListMembers()
    {
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        const TString percent(L"p0");
        auto answer = ::SetParameterFormat(h.host, id, percent);
        QCOMPARE(answer.Get<Cmds::FormattedValue>(), ValueFormat::Format(DataValue(1.0), percent));
        QVERIFY(!answer.Has<Cmds::ListDomain>());

        h.SetDomain(id, ParameterTypes::Domain_List);
        h.Paste(id, QStringLiteral("0.25"));
        answer = ::SetParameterFormat(h.host, id, percent);
        QCOMPARE(Shown(*answer.Find<Cmds::ListDomain>()),
            QStringList({ValueFormat::Format(DataValue(1.0), percent).ToQString(),
                ValueFormat::Format(DataValue(0.25), percent).ToQString()}));
        QCOMPARE(::SetParameterValueIndex(h.host, id, 1).Get<Cmds::FormattedValue>(),
            ValueFormat::Format(DataValue(0.25), percent));

        // A format the type does not know falls back to automatic.
        answer = ::SetParameterFormat(h.host, id, TString(L"yyyy"));
        QCOMPARE(answer.Get<Cmds::FormattedValue>(), TString(L"0.25"));
        QCOMPARE(h.Record(id)->GetFormatString(), TString());
    }

    void commitRefusesTakenOrEmptyNames_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QStringLiteral("   ") << QStringLiteral("cannot be empty");
        QTest::newRow("field") << QStringLiteral("region") << QStringLiteral("'region' already exists");
        QTest::newRow("field of second source")
            << QStringLiteral("TARGET MONTH") << QStringLiteral("'TARGET MONTH' already exists");
        QTest::newRow("parameter") << QStringLiteral("profit target") << QStringLiteral("already exists");
    }

    void commitRefusesTakenOrEmptyNames()
    {
        QFETCH(QString, caption);
        QFETCH(QString, message);
        Host h;
        const unsigned int id = h.area.OpenNewParameterEdit().editId;
        h.SetCaption(id, caption.toUtf8().constData());
        const auto answer = h.Commit(id);
        QVERIFY(!answer.Has<Cmds::FieldNameParam>());
        QVERIFY2(answer.Get<Cmds::RefusalMessage>().ToQString().contains(message),
            qPrintable(answer.Get<Cmds::RefusalMessage>().ToQString()));
        QVERIFY(h.area.HasEdit(id));
        QCOMPARE(h.workbook.Parameters().size(), std::size_t(3));
    }

    void commitMakesTheParameterAndClosesTheEdit()
    {
        Host h;
        const auto opened = h.area.OpenNewParameterEdit();
        const unsigned int id = opened.editId;
        ::SetParameterDisplayInfo(h.host, id, TString(L"Top N"), FormattedText::FromPlainText(TString(L"How many")));
        h.SetType(id, DT_INTEGER);
        h.SetDomain(id, ParameterTypes::Domain_Range);
        h.SetRange(id, DataValue(1), DataValue(20), std::nullopt);
        h.SetValue(id, DataValue(5));
        QCOMPARE(h.Commit(id).Get<Cmds::FieldNameParam>(), FieldName(TString(L"Parameters"), TString(L"Top N")));
        // A closing dialog may still flush an edit; it is answered, and the workbook keeps the commit.
        QCOMPARE(h.SetValue(id, DataValue(9)), DataValue(9));
        {
            ComponentCleanup cleanup(h.host, opened.cleanup);
        }
        QVERIFY(!h.host.Exchanges().back().refused);
        QVERIFY(!h.area.HasEdit(id));
        QVERIFY(!h.lists.HasEdit(id));

        const SampleParameter* stored = h.area.FindParameter(TString(L"top n"));
        QVERIFY(stored);
        QCOMPARE(stored->dataType, DT_INTEGER);
        QCOMPARE(stored->value, DataValue(5));
        QCOMPARE(stored->comment.GetPlainText(), TString(L"How many"));
        QCOMPARE(stored->domainType, ParameterTypes::Domain_Range);
        QCOMPARE(stored->range.max, DataValue(20));

        // Editing it again replaces it; its own caption is no clash.
        const auto again = h.area.OpenParameterEdit(stored->name);
        QCOMPARE(again.editInfo->GetParameter()->GetRangeDomain()->GetDomainMax(), DataValue(20));
        QCOMPARE(
            Captions(h.area.OpenNewParameterEdit().editInfo->GetCompatibleParameters()).count(QStringLiteral("Top N")),
            1);
        h.SetValue(again.editId, DataValue(7));
        QVERIFY(h.Commit(again.editId).Has<Cmds::FieldNameParam>());
        QCOMPARE(h.workbook.Parameters().size(), std::size_t(4));
        QCOMPARE(h.area.FindParameter(TString(L"Top N"))->value, DataValue(7));
    }

    void commandsForNoOpenEditAreRefused()
    {
        Host h;
        const auto opened = h.area.OpenNewParameterEdit();
        const unsigned int id = opened.editId;
        const RefCntPtr<SimpleCommandsPresModel const> discard = opened.cleanup;
        const unsigned int unknown = id + 100;
        HostLog::Clear();
        QVERIFY_EXCEPTION_THROWN(h.SetValue(unknown, DataValue(2.0)), LogicException);
        QVERIFY_EXCEPTION_THROWN(h.Commit(unknown), LogicException);
        QVERIFY_EXCEPTION_THROWN(h.SetDomain(id, static_cast<DomainType>(3)), LogicException);
        QVERIFY_EXCEPTION_THROWN(h.SetType(id, DT_TUPLE), LogicException);
        QVERIFY(!HostLog::Lines().empty());
        QVERIFY(h.host.Exchanges().back().refused);

        // Once discarded, an edit is as unknown as one never opened.
        {
            ComponentCleanup cleanup(h.host, discard);
        }
        QVERIFY_EXCEPTION_THROWN(h.SetValue(id, DataValue(2.0)), LogicException);

        // The area may go before the host; the host then refuses its commands.
        auto lists = std::make_unique<ParameterListArea>(h.host);
        auto area = std::make_unique<ParameterEditArea>(h.host, h.workbook, *lists);
        const unsigned int orphan = area->OpenNewParameterEdit().editId;
        area.reset();
        QVERIFY_EXCEPTION_THROWN(h.SetValue(orphan, DataValue(2.0)), LogicException);
    }
};

QTEST_MAIN(ParameterEditAreaTest)

#include "ParameterEditAreaTest.moc"
