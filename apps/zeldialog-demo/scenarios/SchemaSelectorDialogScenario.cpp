// The schema selector over the sample cube: every level offered at first, [Geography].[City] left
// out with the count following, the fields hidden and shown again, OK, and the cube's page without
// the city level. Between, a generated cube that opens with 101 levels selected, one over the limit,
// shows the highlighted count and comes back within range.

#include "../CubePage.h"
#include "../DemoEnvironment.h"
#include "../DemoScenario.h"

#include "apps/drivers/SchemaSelectorDialogDriver.h"
#include "main/dialogs/SchemaSelectorDialog.h"
#include "sim/OrdersCube.h"
#include "sim/SchemaArea.h"

using Zel::Drivers::OpenSchemaSelectorDialog;
using Zel::Drivers::SchemaSelectorDialogDriver;
using Zel::Sim::OrdersCube;
using Zel::Sim::SchemaArea;

namespace {

const QString kCity = QStringLiteral("[Geography].[City]");

QStringList GeographyLevels(DemoEnvironment& environment)
{
    const OrdersCube& cube = environment.Cube().Cube();
    QStringList levels;
    for (const TString& level : cube.Hierarchies()[std::size_t(cube.FindHierarchy(TString(L"Geography")))].levels)
        levels << level.ToQString();
    return levels;
}

void ShowOverLimit(DemoEnvironment& environment, TourRecorder& tour)
{
    // The last hierarchy of the generated cube is the one that goes over: bring it into view.
    const auto dialog = OpenSchemaSelectorDialog(environment.SharedHost(), SchemaArea::WideDataSourceName(),
        QualifiedName({TString(L"Dimension 12"), TString(L"Hierarchy 12.3"), TString(L"Level 12.3.2")}));
    const SchemaSelectorDialogDriver driver(*dialog);
    driver.Open();
    Require(driver.CountText().startsWith(QStringLiteral("101 ")), "the generated cube did not open at 101 levels");
    tour.Step(QStringLiteral("A generated cube with 101 of 108 levels selected: over the limit, highlighted"), *dialog);
    driver.ClickLevel(QStringLiteral("[Dimension 12].[Hierarchy 12.3].[Level 12.3.2]"));
    tour.Step(QStringLiteral("One level left out: 100, within the limit again"), *dialog);
    driver.Cancel();
}

void RunSchemaSelectorTour(DemoEnvironment& environment, TourRecorder& tour)
{
    {
        CubePage page(environment.Cube().Cube());
        tour.Step(QStringLiteral("The cube offers every level of its hierarchies"), page);
    }
    const auto dialog = OpenSchemaSelectorDialog(environment.SharedHost(), OrdersCube::DataSourceName(),
        QualifiedName({TString(L"Geography"), TString(L"Geography")}));
    const SchemaSelectorDialogDriver driver(*dialog);
    driver.Open();
    tour.Step(QStringLiteral("Select Schema Levels of Orders Cube: 14 levels selected"), *dialog);
    driver.ClickLevel(kCity);
    Require(!driver.IsChecked(kCity), "the city level stayed checked");
    tour.Step(QStringLiteral("[Geography].[City] left out: 13 levels selected"), *dialog);

    ShowOverLimit(environment, tour);

    driver.ToggleHideAllFields();
    tour.Step(QStringLiteral("Hide All Fields: the tree is greyed out, its selection kept"), *dialog);
    driver.ToggleHideAllFields();
    tour.Step(QStringLiteral("Show All Fields: the selection is back"), *dialog);
    driver.Ok();
    Require(dialog->result() == QDialog::Accepted && dialog->HasSelectionChanged(), "OK did not commit the change");
    Require(!GeographyLevels(environment).contains(QStringLiteral("City")), "the cube still offers the city level");
    {
        CubePage page(environment.Cube().Cube());
        tour.Step(QStringLiteral("Applied: [Geography] ends at State"), page);
    }

    // The tours that follow work on the whole cube.
    OrdersCube& cube = environment.Cube().Cube();
    for (int h = 0; h < static_cast<int>(cube.Hierarchies().size()); ++h)
        cube.SetOfferedLevelCount(h, static_cast<int>(cube.SchemaLevels(h).size()));
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    std::shared_ptr<ICommandDispatcher const> host = environment.SharedHost();
    SchemaSelectorDialog dialog(host, OrdersCube::DataSourceName(), TString(), QualifiedName());
    if (dialog.exec() != QDialog::Accepted || !dialog.HasSelectionChanged())
        return;
    auto* page = new CubePage(environment.Cube().Cube(), parent);
    page->setWindowFlag(Qt::Window);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->show();
}

} // namespace

DemoScenario SchemaSelectorDialogScenario()
{
    return DemoScenario {QStringLiteral("SchemaSelectorDialog"), QStringLiteral("Schema selector dialog"),
        RunSchemaSelectorTour, OpenInteractively};
}
