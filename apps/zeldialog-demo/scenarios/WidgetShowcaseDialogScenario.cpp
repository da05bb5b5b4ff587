// The widget showcase: each of its four tabs, the documentation page of the Light Outline Button
// with its live example, Back to the rows, and the bug template of the feedback page, whose address
// the tour records instead of opening a browser.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../TourModalPresenter.h"

#include "apps/drivers/WidgetShowcaseDialogDriver.h"
#include "main/dialogs/WidgetShowcaseDialog.h"
#include "widgets/ShowcaseDisplayWidget.h"

using Zel::Drivers::WidgetShowcaseDialogDriver;

namespace {

const QString kLightOutline = QStringLiteral("Light Outline Button");

void RunWidgetShowcaseTour(DemoEnvironment&, TourRecorder& tour)
{
    // The one showcase of the application; the tour made it, so the tour destroys it.
    const std::unique_ptr<WidgetShowcaseDialog> dialog(WidgetShowcaseDialog::GetInstance());
    Require(dialog != nullptr, "the showcase could not be made");
    const WidgetShowcaseDialogDriver driver(*dialog);
    driver.Open();
    tour.Step(QStringLiteral("Beta Widgets: six styled buttons, live"), *dialog);
    driver.ShowTab("inProgressWidgets");
    tour.Step(QStringLiteral("In-Progress Widgets: the two drop-down looks"), *dialog);
    driver.ShowTab("getStarted");
    tour.Step(QStringLiteral("Get Started"), *dialog);
    driver.ShowTab("feedback");
    tour.Step(QStringLiteral("Feedback"), *dialog);
    {
        TourModalPresenter presenter(*dialog, tour);
        const ScopedModalPresenter scoped(presenter);
        driver.Click("bugButton");
    }

    driver.ShowTab("betaWidgetsTab");
    driver.OpenDocumentation("enabledWidgets", kLightOutline);
    Require(driver.Display("enabledWidgets").CurrentPage() == ShowcaseDisplayWidget::DetailsPage,
        "Documentation did not open the details page");
    tour.Step(QStringLiteral("Documentation of the Light Outline Button: its example, code and arguments"), *dialog);
    driver.Back("enabledWidgets");
    Require(driver.EntryNames("enabledWidgets").size() == 6, "Back did not show the six rows again");
    tour.Step(QStringLiteral("Back: every row with its live example again"), *dialog);
}

void OpenInteractively(DemoEnvironment&, QWidget*)
{
    // Non-modal: it stays beside the launcher, which is its parent (the active window) and deletes it.
    if (WidgetShowcaseDialog* dialog = WidgetShowcaseDialog::GetInstance()) {
        dialog->show();
        dialog->raise();
    }
}

} // namespace

DemoScenario WidgetShowcaseDialogScenario()
{
    return DemoScenario {QStringLiteral("WidgetShowcaseDialog"), QStringLiteral("Widget showcase"),
        RunWidgetShowcaseTour, OpenInteractively};
}
