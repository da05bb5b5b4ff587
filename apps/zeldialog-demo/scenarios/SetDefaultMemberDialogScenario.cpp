// The set-default-member dialog as a host runs it: the hierarchy's setting read by command, the
// dialog run, the choice applied by command. [Geography] gets a state, Texas, as its default member,
// then its All member; the cube's hierarchies are shown after each. [Ship Mode], without an All
// member, offers no All button.

#include "../CubePage.h"
#include "../DemoEnvironment.h"
#include "../DemoScenario.h"

#include "apps/drivers/SetDefaultMemberDialogDriver.h"
#include "main/dialogs/SetDefaultMemberDialog.h"
#include "sim/OrdersCube.h"

using Zel::Drivers::ApplyDefaultMember;
using Zel::Drivers::OpenSetDefaultMemberDialog;
using Zel::Drivers::SetDefaultMemberDialogDriver;
using Zel::Sim::OrdersCube;

namespace {

FieldName Hierarchy(const char* name)
{
    return FieldName(OrdersCube::DataSourceName(), TString::FromUtf8(name));
}

QString DefaultOf(DemoEnvironment& environment, const char* hierarchy)
{
    OrdersCube& cube = environment.Cube().Cube();
    return cube.DefaultMember(cube.FindHierarchy(TString::FromUtf8(hierarchy))).uniqueName.ToQString();
}

void ShowCube(DemoEnvironment& environment, TourRecorder& tour, const QString& title)
{
    CubePage page(environment.Cube().Cube());
    tour.Step(title, page);
}

void RunSetDefaultMemberTour(DemoEnvironment& environment, TourRecorder& tour)
{
    ShowCube(environment, tour, QStringLiteral("The cube's hierarchies, each on its own default member"));
    const FieldName geography = Hierarchy("Geography");
    {
        const auto dialog = OpenSetDefaultMemberDialog(environment.SharedHost(), geography);
        const SetDefaultMemberDialogDriver driver(*dialog);
        driver.Open();
        tour.Step(QStringLiteral("Default Member of [Geography]: the cube's own"), *dialog);
        driver.Choose(HSM::DMT_SelectedMember);
        driver.Tree().Pick(QStringLiteral("Texas"), QStringLiteral("[Geography].[South].[Texas]"));
        tour.Step(QStringLiteral("Selected member: the state of Texas"), *dialog);
        driver.Ok();
        Require(dialog->result() == QDialog::Accepted, "the dialog did not take Texas");
        ApplyDefaultMember(environment.Host(), geography, *dialog);
    }
    Require(DefaultOf(environment, "Geography") == QStringLiteral("[Geography].[South].[Texas]"),
        "the host did not apply Texas");
    ShowCube(environment, tour, QStringLiteral("Applied: [Geography] defaults to Texas"));

    {
        const auto dialog = OpenSetDefaultMemberDialog(environment.SharedHost(), geography);
        const SetDefaultMemberDialogDriver driver(*dialog);
        driver.Open();
        tour.Step(QStringLiteral("Opened again: Texas is selected once the tree has loaded"), *dialog);
        driver.Choose(HSM::DMT_AllMember);
        tour.Step(QStringLiteral("The (All) member: the tree keeps Texas but is not used"), *dialog);
        driver.Ok();
        ApplyDefaultMember(environment.Host(), geography, *dialog);
    }
    Require(DefaultOf(environment, "Geography") == QStringLiteral("[Geography].[All Geography]"),
        "the host did not apply the All member");
    ShowCube(environment, tour, QStringLiteral("Applied: [Geography] defaults to its All member"));

    const auto shipMode = OpenSetDefaultMemberDialog(environment.SharedHost(), Hierarchy("Ship Mode"));
    const SetDefaultMemberDialogDriver driver(*shipMode);
    driver.Open();
    driver.Choose(HSM::DMT_SelectedMember);
    tour.Step(QStringLiteral("[Ship Mode] has no All member: its button is off"), *shipMode);
    driver.Cancel();
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    const FieldName geography = Hierarchy("Geography");
    const auto dialog = OpenSetDefaultMemberDialog(environment.SharedHost(), geography, parent);
    if (dialog->exec() != QDialog::Accepted)
        return;
    ApplyDefaultMember(environment.Host(), geography, *dialog);
    auto* page = new CubePage(environment.Cube().Cube(), parent);
    page->setWindowFlag(Qt::Window);
    page->setAttribute(Qt::WA_DeleteOnClose);
    page->show();
}

} // namespace

DemoScenario SetDefaultMemberDialogScenario()
{
    return DemoScenario {QStringLiteral("SetDefaultMemberDialog"), QStringLiteral("Set default member dialog"),
        RunSetDefaultMemberTour, OpenInteractively};
}
