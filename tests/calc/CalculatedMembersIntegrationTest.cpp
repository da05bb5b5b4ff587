#include "apps/drivers/CalculatedMembersDialogDriver.h"
#include "apps/drivers/MemberPickerDriver.h"
#include "apps/drivers/SelectMemberDialogDriver.h"
#include "host/doc/StringIds.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "sim/CalculatedMembersArea.h"
#include "sim/CalculationEdits.h"
#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>
#include <QtWidgets/QLineEdit>

using namespace Zel::Sim;
using Zel::Drivers::CalculatedMembersDialogDriver;
using Zel::Drivers::SelectMemberDialogDriver;

namespace {

const QString kProfitRatio = QStringLiteral("[Measures].[Profit] / [Measures].[Sales]");
const QString kCoastal = QStringLiteral("[Geography].[East] + [Geography].[West]");

// The dialog against the simulated host, as the demo runs it.
struct Sim
{
    Sim()
        : workbook(SampleWorkbook::Options {3'000, {}})
        , cube(host, workbook)
        , calculations(host, cube.Cube())
        , dispatcher(&host, [](const ICommandDispatcher*) {})
    {
    }

    std::unique_ptr<CalculatedMembersDialog> Open()
    {
        return std::make_unique<CalculatedMembersDialog>(dispatcher, OrdersCube::DataSourceName(), FieldName(), true);
    }

    QStringList Measures() { return ZelTest::DisplayTexts(cube.Cube().Measures()); }

    QStringList Regions()
    {
        OrdersCube& orders = cube.Cube();
        const int h = orders.FindHierarchy(TString(L"Geography"));
        const std::optional<CubeMember> all = orders.AllMember(h);
        QStringList names;
        for (const CubeMember& region : orders.Children(h, &*all, 0, 100))
            names << region.name.ToQString();
        return names;
    }

    SampleWorkbook workbook;
    SimHost host;
    CubeArea cube;
    CalculatedMembersArea calculations;
    std::shared_ptr<ICommandDispatcher const> dispatcher;
};

// What the tour does: the measure "Profit Ratio" and the member "Coastal" at the top of
// [Geography], its parent picked in the member dialog after a city was refused with a message.
void AddRatioAndCoastal(const CalculatedMembersDialogDriver& driver)
{
    ZelTest::ModalScript script;
    script.AnswerMessageBox(QMessageBox::Ok);
    driver.New();
    driver.TypeName(QStringLiteral("Profit Ratio"));
    driver.LeaveName();
    driver.PickResultType(DT_REAL);
    driver.SetFormula(kProfitRatio);

    driver.New();
    driver.PickHierarchy(QStringLiteral("Geography"));
    driver.TypeName(QStringLiteral("Coastal"));
    driver.LeaveName();
    driver.SetFormula(kCoastal);
    driver.BrowseParent([](const SelectMemberDialogDriver& members) {
        members.Tree().Pick(QStringLiteral("Houston"), QStringLiteral("[Geography].[South].[Texas].[Houston]"));
        members.Ok();
        if (!members.Dialog().isVisible())
            throw std::runtime_error("a city was taken as a parent");
        members.Tree().ClickRow(0);
        members.Ok();
    });
    QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
    QCOMPARE(driver.Cell(1, 0), QStringLiteral("Coastal"));
    QVERIFY(driver.Cell(1, 1).isEmpty());
}

} // namespace

class CalculatedMembersIntegrationTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void okMakesTheCalculationsPartOfTheCube()
    {
        Sim sim;
        const QStringList measures = sim.Measures();
        const QStringList regions = sim.Regions();
        {
            const auto dialog = sim.Open();
            const CalculatedMembersDialogDriver driver(*dialog);
            driver.Open();
            AddRatioAndCoastal(driver);
            // Nothing reaches the cube before OK.
            QCOMPARE(sim.Measures(), measures);
            driver.Ok();
            QCOMPARE(dialog->result(), int(QDialog::Accepted));
        }
        QCOMPARE(sim.Measures(), measures + QStringList {"Profit Ratio"});
        QCOMPARE(sim.Regions(), regions + QStringList {"Coastal"});
        QCOMPARE(sim.calculations.OpenEditCount(), std::size_t(0));
        const SimCalculation& coastal = sim.calculations.AppliedCalculations().back();
        QCOMPARE(coastal.UniqueName(), QStringLiteral("[Geography].[Coastal]"));
        QCOMPARE(coastal.formula, TString(kCoastal));

        // Opened again: the applied calculations are listed; a reorder, a disabled member and a
        // deleted measure reach the cube on OK.
        {
            const auto dialog = sim.Open();
            const CalculatedMembersDialogDriver driver(*dialog);
            driver.Open();
            QCOMPARE(driver.RowCount(), 2);
            driver.ClickRow(1);
            driver.Up();
            QCOMPARE(driver.Cell(0, 0), QStringLiteral("Coastal"));
            driver.ToggleRow(0);
            driver.ClickRow(1);
            driver.Delete();
            driver.Ok();
        }
        QCOMPARE(sim.Measures(), measures);
        QCOMPARE(sim.Regions(), regions);
        QCOMPARE(sim.calculations.AppliedCalculations().size(), std::size_t(1));
        QVERIFY(!sim.calculations.AppliedCalculations().front().enabled);
    }

    void cancelLeavesTheCubeAsItWas()
    {
        Sim sim;
        const QStringList measures = sim.Measures();
        const QStringList regions = sim.Regions();
        {
            const auto dialog = sim.Open();
            const CalculatedMembersDialogDriver driver(*dialog);
            driver.Open();
            AddRatioAndCoastal(driver);
            driver.CheckFormula();
            QCOMPARE(driver.Message(), LookupTStr(Zel::Strings::ValidFormula).ToQString());
            QCOMPARE(sim.calculations.OpenEditCount(), std::size_t(1));
            driver.Cancel();
        }
        QCOMPARE(sim.Measures(), measures);
        QCOMPARE(sim.Regions(), regions);
        QVERIFY(sim.calculations.AppliedCalculations().empty());
        QCOMPARE(sim.calculations.OpenEditCount(), std::size_t(0));
    }

    void theHostsRefusalsReachTheUser()
    {
        Sim sim;
        const auto dialog = sim.Open();
        const CalculatedMembersDialogDriver driver(*dialog);
        driver.Open();
        driver.New();
        driver.SetFormula(QStringLiteral("[Measures].[Sales]\n  * [Geography].[East].[Atlantis]"));
        driver.CheckFormula();
        QCOMPARE(
            driver.Message(), QStringLiteral("line 2, column 24: '[Atlantis]' is not a child of [Geography].[East]"));

        driver.TypeName(QStringLiteral("Sales"));
        driver.LeaveName();
        QCOMPARE(driver.Message(), QStringLiteral("[Measures].[Sales] is a measure of the cube already."));
        QVERIFY(driver.Get<QLineEdit>("m_edtName").hasFocus());

        driver.TypeName(QStringLiteral("Self"));
        driver.SetFormula(QStringLiteral("[Measures].[Self] + 1"));
        driver.CheckFormula();
        QVERIFY2(driver.Message().contains(QStringLiteral("cannot refer to itself")), qPrintable(driver.Message()));

        driver.SetSolveOrder(CalculationEdits::kHighestSolveOrder);
        driver.SetFormula(QStringLiteral("1"));
        driver.CheckFormula();
        QCOMPARE(driver.Message(), LookupTStr(Zel::Strings::ValidFormula).ToQString());
        driver.Cancel();
    }
};

QTEST_MAIN(CalculatedMembersIntegrationTest)

#include "CalculatedMembersIntegrationTest.moc"
