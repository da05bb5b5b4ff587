// The edit-aliases dialog as the host opens it: the workbook page raises the host's edit-aliases
// event for Region, the library's registry runs the dialog, and the page shows what was committed.
// On the way: an alias typed for East, Tab to the next row, a duplicate the host refuses, Clear
// Aliases, new aliases for every region, OK.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../SampleWorkbookPage.h"
#include "../TourModalPresenter.h"

#include "apps/drivers/EditAliasesDialogDriver.h"
#include "host/doc/EventIds.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/ZelvarDialog.h"

#include <QtWidgets/QLineEdit>

#include <stdexcept>

using Zel::Drivers::EditAliasesDialogDriver;
using Zel::Drivers::EditAliasesDialogRun;

namespace {

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

const FieldName& Region()
{
    static const FieldName region(Zel::Sim::SampleWorkbook::DataSourceName(), TString(L"Region"));
    return region;
}

void EditRegions(EditAliasesDialogDriver& driver, TourRecorder& tour)
{
    QWidget& dialog = driver.Root();
    // Only the launcher runs the dialog under this name, and only the registry calls the launcher.
    Require(ZelvarDialog::FindExecutingDialog(QStringLiteral("EditAliasesDialog")) == &dialog,
        "the dialog was not opened by the edit-aliases launcher");
    tour.Step(QStringLiteral("Opened by the library's registry on the host's edit-aliases event for Region"), dialog);

    driver.ClickMember(QStringLiteral("East"));
    driver.TypeInEditor(QStringLiteral("Eastern US"));
    tour.Step(QStringLiteral("A click on East opens its alias; typing"), dialog);

    driver.PressInEditor(Qt::Key_Tab);
    Require(driver.Shown(QStringLiteral("East")) == QLatin1String("Eastern US"), "Tab did not commit East's alias");
    tour.Step(QStringLiteral("Tab: East's alias sent and taken, the editor on South"), dialog);

    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    driver.TypeInEditor(QStringLiteral("Eastern US"));
    presenter.AnswerMessageBox(
        QMessageBox::Ok, QStringLiteral("The host refuses South's alias: East shows it already"));
    driver.PressInEditor(Qt::Key_Return);
    Require(driver.Shown(QStringLiteral("South")) == QLatin1String("South"), "a duplicate alias was stored");
    tour.Step(QStringLiteral("South keeps its name"), dialog);

    driver.ClearAliases();
    Require(!driver.HasAlias(QStringLiteral("East")), "Clear Aliases left East's alias");
    tour.Step(QStringLiteral("Clear Aliases: none left, the button off"), dialog);

    driver.EditAlias(QStringLiteral("Central"), QStringLiteral("Midwest"));
    driver.EditAlias(QStringLiteral("East"), QStringLiteral("Atlantic"));
    driver.EditAlias(QStringLiteral("South"), QStringLiteral("Sunbelt"));
    driver.EditAlias(QStringLiteral("West"), QStringLiteral("Pacific"));
    tour.Step(QStringLiteral("New aliases for the four regions"), dialog);
    driver.Ok();
}

void RunEditAliasesTour(DemoEnvironment& environment, TourRecorder& tour)
{
    Require(PresentationLayer::NotificationManager::Instance->HandlerCount(Zel::Events::EditAliases) >= 1,
        "the library's notifications are not subscribed");
    SampleWorkbookPage page(environment.Workbook(), &environment.Document());
    page.SetAliasField(QStringLiteral("Region"));
    tour.Step(QStringLiteral("The workbook page: Region picked, no aliases yet"), page);

    EditAliasesDialogRun run([&tour](EditAliasesDialogDriver& driver) { EditRegions(driver, tour); });
    page.OnEditAliases();
    run.Rethrow();
    Require(run.Ran(), "the edit-aliases event opened no dialog");

    const Zel::Sim::MemberAliases& aliases = environment.Workbook().Aliases(Region());
    Require(aliases.size() == 4 && aliases.at(TString(L"East")) == TString(L"Atlantic"),
        "the workbook does not have the aliases committed with OK");
    Require(environment.Aliases().OpenEditCount() == 0, "the host's alias edit was not handed back");
    tour.Step(QStringLiteral("After OK: the workbook shows the committed aliases"), page);
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    // As the host's menu would: the event for Region, the dialog through the registry.
    try {
        environment.Document().RaiseEditAliases(Region());
    } catch (const std::exception& e) {
        TMessageBox::Show(TString(QStringLiteral("Editing the aliases failed: ") + QString::fromUtf8(e.what())),
            QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
        return;
    }
    QStringList lines;
    for (const auto& alias : environment.Workbook().Aliases(Region()))
        lines << alias.first.ToQString() + QStringLiteral(" \u2192 ") + alias.second.ToQString();
    TMessageBox::Show(TString(lines.isEmpty()
                              ? QStringLiteral("Region has no aliases.")
                              : QStringLiteral("Region's aliases in the workbook:\n") + lines.join(QLatin1Char('\n'))),
        QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
}

} // namespace

DemoScenario EditAliasesDialogScenario()
{
    return DemoScenario {
        QStringLiteral("EditAliasesDialog"), QStringLiteral("Edit aliases"), RunEditAliasesTour, OpenInteractively};
}
