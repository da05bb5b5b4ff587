#include "sim/CalculatedMembersArea.h"
#include "gen-command-wrappers/CalculatedMembersCommandWrappers.h"
#include "sim/CalculationEdits.h"
#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include "host/doc/ComponentCleanup.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace Zel::Sim;
namespace Cmds = Zel::Commands::CalculatedMembers;

namespace {

FieldName Local(const char* name)
{
    return FieldName(TString(), TString::FromUtf8(name));
}

RefCntPtr<CalculatedMemberPresModel const> MeasureRecord(const char* name, const char* formula, bool enabled = true)
{
    auto record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetName(TString::FromUtf8(name));
    record->SetFormula(TString::FromUtf8(formula));
    record->SetIsMeasure(true);
    record->SetIsEnabled(enabled);
    return record;
}

RefCntPtr<CalculatedMemberPresModel const> MemberRecord(const char* name, const char* parent, const char* formula)
{
    auto record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetName(TString::FromUtf8(name));
    record->SetFormula(TString::FromUtf8(formula));
    record->SetIsMeasure(false);
    record->SetMemberHierarchyName(Local("Geography"));
    record->SetMemberParentName(TString::FromUtf8(parent));
    return record;
}

QStringList Names(const std::vector<TString>& names)
{
    return ZelTest::DisplayTexts(names);
}

// The simulated host with the cube and its calculations, and one editing context opened on it.
struct Sim
{
    Sim()
        : workbook(SampleWorkbook::Options {2'000, {}})
        , cubeArea(host, workbook)
        , calculations(std::make_unique<CalculatedMembersArea>(host, cubeArea.Cube()))
    {
    }

    // Opens a context; its clean-up is kept until Close.
    unsigned int Open(const std::optional<FieldName>& field = std::nullopt)
    {
        const auto opened = GetCalculatedMembersForEditing(host, TString(), true, field);
        model = opened.Get<Cmds::EditingModel>();
        cleanup = std::make_unique<ComponentCleanup>(host, opened.Get<Cmds::CleanupCommands>());
        return opened.Get<Cmds::EditId>();
    }
    void Close() { cleanup.reset(); }

    RefCntPtr<CalculatedMemberPresModel const> Create(
        unsigned int edit, const RefCntPtr<CalculatedMemberPresModel const>& record)
    {
        return CreateCalculatedMember(host, edit, record).Get<Cmds::CreatedCalculation>();
    }

    QString CheckFormula(unsigned int edit, const QString& formula,
        const RefCntPtr<CalculatedMemberPresModel const>& self = RefCntPtr<CalculatedMemberPresModel const>())
    {
        std::optional<FieldName> measure;
        std::optional<DataValue> member;
        if (self && self->GetIsMeasure())
            measure = self->GetMeasure();
        else if (self)
            member = self->GetMember();
        const auto answer = CheckCalculatedMemberFormula(host, edit, measure, member, 0, TString(formula));
        if (answer.Get<Cmds::IsFormulaValid>())
            return QString();
        return answer.Get<Cmds::ErrorText>().ToQString();
    }

    QStringList Children(const char* parent)
    {
        OrdersCube& cube = cubeArea.Cube();
        const int h = cube.FindHierarchy(TString(L"Geography"));
        const std::optional<CubeMember> at = cube.Resolve(TString::FromUtf8(parent));
        QStringList names;
        for (const CubeMember& child : cube.Children(h, at ? &*at : nullptr, 0, 100))
            names << child.uniqueName.ToQString();
        return names;
    }

    SampleWorkbook workbook;
    SimHost host;
    CubeArea cubeArea;
    std::unique_ptr<CalculatedMembersArea> calculations;
    RefCntPtr<CalculatedMembersForEditingPresModel const> model;
    std::unique_ptr<ComponentCleanup> cleanup;
};

} // namespace

class CalculatedMembersAreaTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void contextOffersTheCubesHierarchiesAndItsCleanUpEndsIt()
    {
        Sim sim;
        sim.Open();
        const CalculatedMembersForEditingPresModel& model = *sim.model;
        QCOMPARE(model.GetDataSourceName(), TString(L"Orders Cube"));
        QCOMPARE(model.GetMeasuresDimensionName(), TString(L"Measures"));
        QStringList hierarchies;
        for (const auto& item : model.GetHierarchys())
            hierarchies << item->GetCaption().ToQString() + QLatin1Char('/') + QString::number(item->GetLevels());
        QCOMPARE(hierarchies.join(QLatin1Char(' ')),
            QStringLiteral("Geography/4 Product/4 Customer/3 Order Date/5 Ship Mode/1 Order/2"));
        QCOMPARE(model.GetHierarchys().front()->GetName(), Local("Geography"));
        QVERIFY(model.GetUseScopeIsolation() && model.GetHasNonRootCalculationsCapability());
        QCOMPARE(model.GetSolveOrderLowerBound(), CalculationEdits::kLowestSolveOrder);
        QCOMPARE(sim.calculations->OpenEditCount(), std::size_t(1));
        sim.Close();
        QCOMPARE(sim.calculations->OpenEditCount(), std::size_t(0));

        // The field names what to show first: a hierarchy for the next member, else a measure.
        sim.Open(FieldName(TString(L"Orders Cube"), TString(L"Geography")));
        QCOMPARE(sim.model->GetInitialHierarchyName(), Local("Geography"));
        QVERIFY(sim.model->GetInitialFieldName().IsEmpty());
        sim.Open(Local("Profit Ratio"));
        QCOMPARE(sim.model->GetInitialFieldName(), Local("Profit Ratio"));

        QCOMPARE(ZelTest::LogicCondition(
                     [&] { GetCalculatedMembersForEditing(sim.host, TString(L"Sales Cube"), true, {}); }),
            QStringLiteral("parameters != nullptr"));
    }

    void namesAreCheckedAgainstTheCubeAndTheEdit_data()
    {
        QTest::addColumn<bool>("measure");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem"); // empty: taken
        QTest::newRow("free measure") << true << QString() << QStringLiteral("Share") << QString();
        QTest::newRow("blank") << true << QString() << QStringLiteral("  ") << QStringLiteral("cannot be empty");
        QTest::newRow("bracket") << true << QString() << QStringLiteral("a]b") << QStringLiteral("cannot hold ']'");
        QTest::newRow("line break") << false << QString() << QStringLiteral("a\nb")
                                    << QStringLiteral("cannot hold a line break");
        QTest::newRow("stored measure") << true << QString() << QStringLiteral("sales")
                                        << QStringLiteral("[Measures].[Sales] is a measure of the cube already.");
        QTest::newRow("calculated measure") << true << QString() << QStringLiteral("Profit Ratio")
                                            << QStringLiteral("The calculated measure [Measures].[Profit Ratio]");
        QTest::newRow("region at the top")
            << false << QString() << QStringLiteral("East")
            << QStringLiteral("[Geography].[All Geography] has a member named [East] already.");
        QTest::newRow("state under its region")
            << false << QStringLiteral("[Geography].[South]") << QStringLiteral("Texas")
            << QStringLiteral("[Geography].[South] has a member named [Texas] already.");
        QTest::newRow("calculated member") << false << QString() << QStringLiteral("coastal")
                                           << QStringLiteral("The calculated member [Geography].[Coastal]");
        QTest::newRow("same name, other parent")
            << false << QStringLiteral("[Geography].[West]") << QStringLiteral("Coastal") << QString();
        QTest::newRow("unknown parent") << false << QStringLiteral("[Geography].[Atlantis]")
                                        << QStringLiteral("Coastal") << QStringLiteral("has no member");
    }

    void namesAreCheckedAgainstTheCubeAndTheEdit()
    {
        QFETCH(bool, measure);
        QFETCH(QString, parent);
        QFETCH(QString, name);
        QFETCH(QString, problem);
        Sim sim;
        const unsigned int edit = sim.Open();
        sim.Create(edit, MeasureRecord("Profit Ratio", "1"));
        sim.Create(edit, MemberRecord("Coastal", "", "1"));
        const auto answer = [&] {
            if (measure) {
                const auto a = ValidateMeasureName(sim.host, edit, TString(name));
                return std::make_pair(a.Get<Cmds::IsNameValid>(), a.Find<Cmds::ErrorText>());
            }
            const auto a = ValidateMemberName(sim.host, edit, Local("Geography"), 1, TString(parent), TString(name));
            return std::make_pair(a.Get<Cmds::IsNameValid>(), a.Find<Cmds::ErrorText>());
        }();
        QCOMPARE(answer.first, problem.isEmpty());
        QCOMPARE(answer.second.has_value(), !problem.isEmpty());
        if (answer.second)
            QVERIFY2(answer.second->ToQString().contains(problem), qPrintable(answer.second->ToQString()));
    }

    void proposedNamesAreFree()
    {
        Sim sim;
        const unsigned int edit = sim.Open();
        QCOMPARE(GetNewMeasureName(sim.host, edit).Get<Cmds::CalculationName>(), TString(L"Calculated Measure 1"));
        sim.Create(edit, MeasureRecord("Calculated Measure 1", "1"));
        QCOMPARE(GetNewMeasureName(sim.host, edit).Get<Cmds::CalculationName>(), TString(L"Calculated Measure 2"));
        sim.Create(edit, MemberRecord("Calculated Member 1", "[Geography].[East]", "1"));
        QCOMPARE(GetNewMemberName(sim.host, edit, Local("Geography"), 0).Get<Cmds::CalculationName>(),
            TString(L"Calculated Member 2"));
        QCOMPARE(GetNewMemberName(sim.host, edit, Local("Product"), 0).Get<Cmds::CalculationName>(),
            TString(L"Calculated Member 1"));
    }

    void changesAnswerTheContextsCountAndNameCalculationsByIdentity()
    {
        Sim sim;
        const unsigned int edit = sim.Open();
        const auto ratio = CreateCalculatedMember(sim.host, edit, MeasureRecord("Profit Ratio", "1"));
        QCOMPARE(ratio.Get<Cmds::CalculationCount>(), 1u);
        QCOMPARE(ratio.Get<Cmds::CreatedCalculation>()->GetMeasure(), Local("Profit Ratio"));
        const auto coastal = sim.Create(edit, MemberRecord("Coastal", "[Geography].[East]", "1"));
        QCOMPARE(coastal->GetMember().GetString(), TString(L"[Geography].[East].[Coastal]"));
        QCOMPARE(coastal->GetMemberHierarchyLevel(), 2);
        QCOMPARE(coastal->GetMeasureDataType(), DT_TUPLE);

        // Renamed and moved to the top: found by its previous identity, answered with the new one.
        const auto renamed = UpdateCalculatedMember(
            sim.host, edit, std::nullopt, coastal->GetMember(), MemberRecord("Shore", "", "2"));
        QCOMPARE(renamed.Get<Cmds::CalculationCount>(), 2u);
        QCOMPARE(renamed.Get<Cmds::UpdatedCalculation>()->GetMember().GetString(), TString(L"[Geography].[Shore]"));
        QCOMPARE(renamed.Get<Cmds::UpdatedCalculation>()->GetMemberHierarchyLevel(), 1);

        // Without a previous identity the record names itself.
        RefCntPtr<CalculatedMemberPresModel> disabled = ratio.Get<Cmds::CreatedCalculation>()->Copy();
        disabled->SetIsEnabled(false);
        QVERIFY(!UpdateCalculatedMember(sim.host, edit, std::nullopt, std::nullopt, disabled)
                     .Get<Cmds::UpdatedCalculation>()
                     ->GetIsEnabled());

        MoveCalculatedMember(sim.host, edit, 1u, std::nullopt);
        QVERIFY(!sim.host.Exchanges().back().refused);
        for (const auto& [up, down] : {std::pair<std::optional<unsigned int>, std::optional<unsigned int>> {0u, {}},
                 {{}, 1u}, {1u, 0u}, {{}, {}}}) {
            MoveCalculatedMember(sim.host, edit, up, down);
            QVERIFY(sim.host.Exchanges().back().refused);
        }
        QCOMPARE(
            DeleteCalculatedMember(sim.host, edit, Local("profit ratio"), std::nullopt).Get<Cmds::CalculationCount>(),
            1u);
        QCOMPARE(ZelTest::LogicCondition([&] { DeleteCalculatedMember(sim.host, edit, Local("Profit Ratio"), {}); }),
            QStringLiteral("parameters != nullptr"));
        // A member's parent must be able to have children.
        QCOMPARE(ZelTest::LogicCondition(
                     [&] { sim.Create(edit, MemberRecord("Downtown", "[Geography].[South].[Texas].[Houston]", "1")); }),
            QStringLiteral("parameters != nullptr"));
    }

    void applyMakesEnabledCalculationsPartOfTheCube()
    {
        Sim sim;
        const QStringList regions = sim.Children("[Geography].[All Geography]");
        unsigned int edit = sim.Open();
        sim.Create(edit, MeasureRecord("Profit Ratio", "[Measures].[Profit] / [Measures].[Sales]"));
        sim.Create(edit, MeasureRecord("Unused", "1", false));
        sim.Create(edit, MemberRecord("Coastal", "", "[Geography].[East] + [Geography].[West]"));
        sim.Create(edit, MemberRecord("Big Texas", "[Geography].[South]", "1"));
        // Not applied: the cube is as it was.
        sim.Close();
        QCOMPARE(Names(sim.cubeArea.Cube().Measures()), ZelTest::DisplayTexts(OrdersCube::StoredMeasures()));

        edit = sim.Open();
        sim.Create(edit, MeasureRecord("Profit Ratio", "[Measures].[Profit] / [Measures].[Sales]"));
        sim.Create(edit, MeasureRecord("Unused", "1", false));
        sim.Create(edit, MemberRecord("Coastal", "", "[Geography].[East] + [Geography].[West]"));
        sim.Create(edit, MemberRecord("Big Texas", "[Geography].[South]", "1"));
        ApplyCalculatedMembers(sim.host, edit);
        sim.Close();
        QCOMPARE(Names(sim.cubeArea.Cube().Measures()).last(), QStringLiteral("Profit Ratio"));
        QCOMPARE(sim.cubeArea.Cube().Measures().size(), OrdersCube::StoredMeasures().size() + 1);
        QCOMPARE(sim.Children("[Geography].[All Geography]"), regions + QStringList {"[Geography].[Coastal]"});
        QVERIFY(sim.Children("[Geography].[South]").contains(QStringLiteral("[Geography].[South].[Big Texas]")));
        QCOMPARE(sim.calculations->AppliedCalculations().size(), std::size_t(4));

        // A new context starts from what was applied.
        sim.Open();
        QCOMPARE(sim.model->GetCalculatedMembers().size(), std::size_t(4));
        QCOMPARE(sim.model->GetCalculatedMembers()[2]->GetMember().GetString(), TString(L"[Geography].[Coastal]"));
        sim.Close();

        // The area goes before the cube and takes its calculations with it.
        sim.calculations.reset();
        QCOMPARE(sim.cubeArea.Cube().Measures().size(), OrdersCube::StoredMeasures().size());
    }

    void formulasAreCheckedAgainstTheStoredCubeAndTheEdit_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("error"); // empty: valid; else the start of the host's text
        QTest::newRow("measures") << QStringLiteral("[Measures].[Profit] / [Measures].[Sales]") << QString();
        QTest::newRow("stored member by path")
            << QStringLiteral("([Measures].[Sales], [Geography].[South].[Texas].[Houston])") << QString();
        QTest::newRow("member by level") << QStringLiteral("([Measures].[Sales], [Geography].[State].[Texas])")
                                         << QString();
        QTest::newRow("another calculation of the edit")
            << QStringLiteral("[Measures].[Double Sales] + 1") << QString();
        QTest::newRow("unknown member, second line")
            << QStringLiteral("[Measures].[Sales]\n  + ([Measures].[Sales], [Geography].[Atlantis])")
            << QStringLiteral("line 2, column 38: '[Atlantis]' is not a level or member of [Geography]");
        QTest::newRow("unknown measure") << QStringLiteral("[Measures].[Costs]")
                                         << QStringLiteral("line 1, column 12: '[Costs]' is not a measure");
        QTest::newRow("a disabled calculation") << QStringLiteral("[Measures].[Unused]")
                                                << QStringLiteral("line 1, column 12: '[Unused]' is not a measure");
        QTest::newRow("applied, since renamed in the edit")
            << QStringLiteral("[Geography].[Coastal]")
            << QStringLiteral("line 1, column 13: '[Coastal]' is not a level or member of [Geography]");
        QTest::newRow("back to itself through another")
            << QStringLiteral("[Measures].[Ratio Twice] * 2")
            << QStringLiteral("line 1, column 12: [Measures].[Ratio Twice] refers back to this calculation");
        QTest::newRow("a set") << QStringLiteral("[Geography].[Region].Members")
                               << QStringLiteral("line 1, column 1: the formula gives a set");
    }

    void formulasAreCheckedAgainstTheStoredCubeAndTheEdit()
    {
        QFETCH(QString, formula);
        QFETCH(QString, error);
        Sim sim;
        unsigned int edit = sim.Open();
        sim.Create(edit, MemberRecord("Coastal", "", "1"));
        ApplyCalculatedMembers(sim.host, edit);
        sim.Close();

        edit = sim.Open();
        const auto coastal = sim.model->GetCalculatedMembers().front();
        UpdateCalculatedMember(sim.host, edit, std::nullopt, coastal->GetMember(), MemberRecord("Shore", "", "1"));
        const auto ratio = sim.Create(edit, MeasureRecord("Profit Ratio", "[Measures].[Profit] / [Measures].[Sales]"));
        sim.Create(edit, MeasureRecord("Ratio Twice", "[Measures].[Profit Ratio] * 2"));
        sim.Create(edit, MeasureRecord("Double Sales", "[Measures].[Sales] * 2"));
        sim.Create(edit, MeasureRecord("Unused", "1", false));
        const QString answer = sim.CheckFormula(edit, formula, ratio);
        if (error.isEmpty())
            QCOMPARE(answer, QString());
        else
            QVERIFY2(answer.startsWith(error), qPrintable(answer));
    }
};

QTEST_MAIN(CalculatedMembersAreaTest)

#include "CalculatedMembersAreaTest.moc"
