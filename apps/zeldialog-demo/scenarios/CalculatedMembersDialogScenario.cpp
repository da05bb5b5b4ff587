// The calculated members dialog over the cube "Orders Cube", every check answered by the simulated
// host: the measure "Profit Ratio" with its result type; the member "Coastal" on the region level of
// [Geography], its parent picked in the member dialog after a city was refused; an invalid formula
// with the host's message, line and column; a disabled measure, a reorder, an empty name and a
// new calculation deleted before it was ever sent. After OK the workbook page lists the new
// measure and the member tree shows the new member.

#include "../CubePage.h"
#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../SampleWorkbookPage.h"
#include "../TourModalPresenter.h"

#include "apps/drivers/CalculatedMembersDialogDriver.h"
#include "apps/drivers/MemberPickerDriver.h"
#include "apps/drivers/SelectMemberDialogDriver.h"
#include "host/commands/CalculatedMembersCommands.h"
#include "host/doc/StringIds.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "sim/OrdersCube.h"

#include <QtWidgets/QLineEdit>

#include <algorithm>

using Zel::Drivers::CalculatedMembersDialogDriver;
using Zel::Drivers::SelectMemberDialogDriver;
using Zel::Sim::OrdersCube;

namespace {

const QString kProfitRatio = QStringLiteral("[Measures].[Profit] / [Measures].[Sales]");
const QString kCoastal = QStringLiteral("[Geography].[East] + [Geography].[West]");
const QString kMistyped = QStringLiteral("[Measures].[Sales]\n  / ([Measures].[Sales], [Geography].[All Geogrpahy])");
const QString kSalesShare = QStringLiteral("[Measures].[Sales]\n  / ([Measures].[Sales], [Geography].[All Geography])");

std::unique_ptr<CalculatedMembersDialog> OpenDialog(DemoEnvironment& environment, QWidget* parent = nullptr)
{
    return std::make_unique<CalculatedMembersDialog>(
        environment.SharedHost(), OrdersCube::DataSourceName(), FieldName(), true, parent);
}

bool HostHeard(DemoEnvironment& environment, int commandId)
{
    for (const Zel::Sim::SimExchange& exchange : environment.Host().Exchanges()) {
        if (exchange.commandId == commandId)
            return true;
    }
    return false;
}

void AddProfitRatio(const CalculatedMembersDialogDriver& driver, TourRecorder& tour)
{
    driver.New();
    tour.Step(QStringLiteral("New: a measure, named by the host \u201cCalculated Measure 1\u201d"), driver.Dialog());
    driver.TypeName(QStringLiteral("Profit Ratio"));
    driver.LeaveName();
    driver.PickResultType(DT_REAL);
    driver.SetFormula(kProfitRatio);
    driver.CheckFormula();
    Require(driver.Message() == LookupTStr(Zel::Strings::ValidFormula).ToQString(), "Profit Ratio did not check");
    tour.Step(QStringLiteral("Profit Ratio = Profit / Sales, a Float: the host's check passes"), driver.Dialog());
}

// The parent is picked in the member dialog: a city is refused, the All member taken.
void AddCoastal(const CalculatedMembersDialogDriver& driver, TourRecorder& tour)
{
    driver.New();
    driver.PickHierarchy(QStringLiteral("Geography"));
    driver.TypeName(QStringLiteral("Coastal"));
    driver.LeaveName();
    driver.SetFormula(kCoastal);
    tour.Step(QStringLiteral("A member of [Geography]: Coastal, the East and the West"), driver.Dialog());
    driver.BrowseParent([&tour](const SelectMemberDialogDriver& members) {
        TourModalPresenter presenter(members.Dialog(), tour);
        const ScopedModalPresenter scoped(presenter);
        members.Tree().Pick(QStringLiteral("Houston"), QStringLiteral("[Geography].[South].[Texas].[Houston]"));
        tour.Step(QStringLiteral("\u201c...\u201d: the parent is picked in the member dialog"), members.Dialog());
        presenter.AnswerMessageBox(QMessageBox::Ok, QStringLiteral("A city is on the last level: refused"));
        members.Ok();
        Require(members.Dialog().isVisible(), "a city was taken as a parent");
        members.Tree().ClickRow(0);
        tour.Step(QStringLiteral("All Geography: Coastal goes on the region level"), members.Dialog());
        members.Ok();
    });
    Require(driver.Cell(1, 0) == QStringLiteral("Coastal") && driver.Cell(1, 1).isEmpty(), "Coastal was not created");
    tour.Step(QStringLiteral("Coastal created under the All member"), driver.Dialog());
}

void AddSalesShare(const CalculatedMembersDialogDriver& driver, TourRecorder& tour)
{
    driver.New();
    driver.TypeName(QStringLiteral("Sales Share"));
    driver.LeaveName();
    driver.SetFormula(kMistyped);
    driver.CheckFormula();
    Require(driver.Message().startsWith(QStringLiteral("line 2, column ")), "the host's message has no position");
    tour.Step(QStringLiteral("A mistyped member: the host's message with its line and column"), driver.Dialog());
    driver.SetFormula(kSalesShare);
    driver.CheckFormula();
    Require(driver.Message() == LookupTStr(Zel::Strings::ValidFormula).ToQString(), "Sales Share did not check");
    driver.ToggleRow(2);
    Require(!driver.IsEnabledRow(2), "Sales Share was not disabled");
    tour.Step(QStringLiteral("Sales Share corrected, then disabled: it stays out of the cube"), driver.Dialog());
}

void RunCalculatedMembersTour(DemoEnvironment& environment, TourRecorder& tour)
{
    {
        const auto dialog = OpenDialog(environment);
        const CalculatedMembersDialogDriver driver(*dialog);
        driver.Open();
        tour.Step(QStringLiteral("Calculated Members of Orders Cube: none yet"), *dialog);
        AddProfitRatio(driver, tour);
        AddCoastal(driver, tour);
        AddSalesShare(driver, tour);

        driver.ClickRow(1);
        driver.Up();
        Require(driver.Cell(0, 0) == QStringLiteral("Coastal"), "Coastal did not move up");
        tour.Step(QStringLiteral("Up: Coastal comes first"), *dialog);

        driver.New();
        driver.TypeName(QString());
        driver.LeaveName();
        Require(driver.Get<QLineEdit>("m_edtName").hasFocus(), "the empty name was let go");
        tour.Step(QStringLiteral("An empty name: refused, and the name keeps the focus"), *dialog);
        environment.Host().ClearExchanges();
        driver.Delete();
        Require(driver.RowCount() == 3, "the new calculation was not deleted");
        Require(!HostHeard(environment, Zel::Commands::CalculatedMembers::DeleteCalculatedMember::id),
            "the host was told of a calculation it never had");
        tour.Step(QStringLiteral("Delete: the new calculation goes, the host never heard of it"), *dialog);

        driver.Ok();
        Require(dialog->result() == QDialog::Accepted, "OK did not close the dialog");
    }

    OrdersCube& cube = environment.Cube().Cube();
    const std::vector<TString> measures = cube.Measures();
    Require(std::find(measures.begin(), measures.end(), TString(L"Profit Ratio")) != measures.end(),
        "Profit Ratio is not a measure of the cube");
    Require(std::find(measures.begin(), measures.end(), TString(L"Sales Share")) == measures.end(),
        "the disabled Sales Share is in the cube");
    SampleWorkbookPage page(environment.Workbook(), &environment.Document(), &cube);
    tour.Step(QStringLiteral("The workbook page: [Profit Ratio] among the measures"), page);

    SelectMemberDialog members(environment.SharedHost(),
        MakeGlobalName(OrdersCube::DataSourceName(), FieldName::ParseUnquoted(TString(L"Geography"))));
    const SelectMemberDialogDriver tree(members);
    tree.Open();
    tree.Tree().ClickRow(0);
    tree.Tree().Press(Qt::Key_Right);
    tree.Tree().Paint();
    tour.Step(QStringLiteral("The member tree: Coastal beside the regions"), members);
    tree.Cancel();

    CubePage cubePage(cube);
    tour.Step(QStringLiteral("The cube: a calculated measure and a calculated member"), cubePage);
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    const auto dialog = OpenDialog(environment, parent);
    if (dialog->exec() != QDialog::Accepted)
        return;
    auto* page = new CubePage(environment.Cube().Cube(), parent);
    page->setWindowFlag(Qt::Window);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->show();
}

} // namespace

DemoScenario CalculatedMembersDialogScenario()
{
    return DemoScenario {QStringLiteral("CalculatedMembersDialog"), QStringLiteral("Calculated members dialog"),
        RunCalculatedMembersTour, OpenInteractively};
}
