#include "SchemaSim.h"

#include "apps/drivers/SchemaSelectorDialogDriver.h"
#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/ui/SchemaLevelModel.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "main/dialogs/SchemaSelectorDialog.h"
#include "sim/SchemaArea.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"
#include "widgets/SchemaSelectorContentWidget.h"

#include <QtTest/QtTest>

using namespace Zel::Sim;
using namespace Zel::Drivers;
namespace CubeCmds = Zel::Commands::Cube;

namespace {

struct Sim : SchemaTest::SchemaSim
{
    // The levels the cube offers for a hierarchy, "(All)" left out, as its member tree reads them.
    QStringList Levels(const char* hierarchy)
    {
        const RefCntPtr<HierarchyRootPresModel const> root
            = GetHierarchyRoot(host, FieldName(OrdersCube::DataSourceName(), TString::FromUtf8(hierarchy)))
                  .Get<CubeCmds::HierarchyRoot>();
        QStringList levels;
        for (const TString& level : root->GetLevels())
            if (level.ToQString() != QStringLiteral("(All)"))
                levels << level.ToQString();
        return levels;
    }
    // The children of a member as the member tree pages them.
    unsigned int ChildCount(const char* hierarchy, const char* member)
    {
        return GetMemberChildren(host, FieldName(OrdersCube::DataSourceName(), TString::FromUtf8(hierarchy)),
            TString::FromUtf8(member), 0, 10)
            .Get<CubeCmds::MemberPage>()
            ->GetChildCount();
    }
};

const QString kCity = QStringLiteral("[Geography].[City]");
const QString kRegion = QStringLiteral("[Geography].[Region]");
const QStringList kGeography {QStringLiteral("Region"), QStringLiteral("State"), QStringLiteral("City")};

} // namespace

class SchemaIntegrationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void okOffersTheCubeOnlyTheLevelsLeftChecked()
    {
        Sim sim;
        QVERIFY(sim.ChildCount("Geography", "[Geography].[West].[California]") > 0);
        {
            const auto dialog = OpenSchemaSelectorDialog(sim.dispatcher, OrdersCube::DataSourceName());
            const SchemaSelectorDialogDriver driver(*dialog);
            driver.Open();
            QCOMPARE(driver.CountText(), QStringLiteral("14 levels selected"));
            driver.ClickLevel(kCity);
            QCOMPARE(driver.CountText(), QStringLiteral("13 levels selected"));
            driver.Ok();
            QVERIFY(dialog->HasSelectionChanged());
        }
        QCOMPARE(sim.Levels("Geography"), kGeography.mid(0, 2));
        QCOMPARE(sim.Levels("Product"),
            QStringList({QStringLiteral("Category"), QStringLiteral("Sub-Category"), QStringLiteral("Product")}));
        // The states are the bottom of the tree now: no city is found, by path, by level or by search.
        QCOMPARE(sim.ChildCount("Geography", "[Geography].[West].[California]"), 0u);
        QVERIFY(!sim.Cube().Resolve(TString(L"[Geography].[City].[San Diego]")));
        QVERIFY(!sim.Cube().Resolve(TString(L"[Geography].[West].[California].[San Diego]")));
        QVERIFY(sim.Cube()
                    .Search(sim.Cube().FindHierarchy(TString(L"Geography")), TString(L"San Diego"), 10)
                    .members.empty());

        // Opened again, the dialog shows what the host keeps, and an unchanged OK changes nothing.
        const auto again = OpenSchemaSelectorDialog(sim.dispatcher, OrdersCube::DataSourceName());
        const SchemaSelectorDialogDriver driver(*again);
        QVERIFY(!driver.IsChecked(kCity));
        QVERIFY(driver.IsChecked(kRegion));
        QVERIFY(!again->findChild<SchemaSelectorContentWidget*>()->IsDirty());
        driver.Ok();
        QVERIFY(!again->HasSelectionChanged());
    }

    void cancelLeavesTheCubeAsItWas()
    {
        Sim sim;
        const auto dialog = OpenSchemaSelectorDialog(sim.dispatcher, OrdersCube::DataSourceName());
        const SchemaSelectorDialogDriver driver(*dialog);
        driver.Open();
        driver.ClickLevel(kRegion);
        QCOMPARE(driver.CountText(), QStringLiteral("11 levels selected"));
        driver.Cancel();
        QVERIFY(!dialog->HasSelectionChanged());
        QCOMPARE(sim.Levels("Geography"), kGeography);
        QVERIFY(sim.Cube().Resolve(TString(L"[Geography].[City].[San Diego]")));
    }

    void hiddenFieldsAreKeptWithTheSelection()
    {
        Sim sim;
        {
            const auto dialog = OpenSchemaSelectorDialog(sim.dispatcher, OrdersCube::DataSourceName());
            const SchemaSelectorDialogDriver driver(*dialog);
            driver.ClickLevel(kCity);
            driver.ToggleHideAllFields();
            driver.Ok();
            QVERIFY(dialog->HasSelectionChanged());
        }
        QVERIFY(sim.Cube().AreAllFieldsHidden());
        QCOMPARE(sim.Levels("Geography"), QStringList());
        QCOMPARE(sim.ChildCount("Geography", "[Geography].[All Geography]"), 0u);
        // A hierarchy without an All member has nothing left to show: its tree is refused.
        QCOMPARE(ZelTest::LogicCondition([&] {
            GetHierarchyRoot(sim.host, FieldName(OrdersCube::DataSourceName(), TString(L"Ship Mode")));
        }),
            QStringLiteral("parameters != nullptr"));

        const auto dialog = OpenSchemaSelectorDialog(sim.dispatcher, OrdersCube::DataSourceName());
        const SchemaSelectorDialogDriver driver(*dialog);
        QCOMPARE(driver.HideAllFieldsText(), QStringLiteral("Show All Fields"));
        QCOMPARE(driver.CountText(), QStringLiteral("13 levels selected"));
        driver.ToggleHideAllFields();
        driver.Ok();
        QVERIFY(!sim.Cube().AreAllFieldsHidden());
        QCOMPARE(sim.Levels("Geography"), kGeography.mid(0, 2));
        QVERIFY(GetHierarchyRoot(sim.host, FieldName(OrdersCube::DataSourceName(), TString(L"Ship Mode")))
                    .Get<CubeCmds::HierarchyRoot>());
    }

    void aSelectionOverTheLimitOpensHighlighted()
    {
        Sim sim;
        const auto dialog = OpenSchemaSelectorDialog(sim.dispatcher, SchemaArea::WideDataSourceName(),
            QualifiedName({TString(L"Dimension 12"), TString(L"Hierarchy 12.3"), TString(L"Level 12.3.2")}));
        const SchemaSelectorDialogDriver driver(*dialog);
        auto& content = *dialog->findChild<SchemaSelectorContentWidget*>();
        QCOMPARE(driver.CountText(), QStringLiteral("101 levels selected (at most 100 allowed)"));
        QVERIFY(content.IsCountHighlighted());
        QVERIFY(!content.IsDirty());
        QCOMPARE(driver.Tree().currentIndex().siblingAtColumn(SchemaLevelModel::UniqueNameColumn).data().toString(),
            QStringLiteral("[Dimension 12].[Hierarchy 12.3].[Level 12.3.2]"));
        driver.Open();
        driver.ClickLevel(QStringLiteral("[Dimension 12].[Hierarchy 12.3].[Level 12.3.2]"));
        QCOMPARE(driver.CountText(), QStringLiteral("100 levels selected"));
        QVERIFY(!content.IsCountHighlighted());
        driver.Ok();
        QVERIFY(dialog->HasSelectionChanged());
    }
};

QTEST_MAIN(SchemaIntegrationTest)

#include "SchemaIntegrationTest.moc"
