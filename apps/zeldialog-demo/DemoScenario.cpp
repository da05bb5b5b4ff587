#include "DemoScenario.h"

#include "DemoEnvironment.h"
#include "SampleWorkbookPage.h"

#include <QtWidgets/QWidget>

#define ZEL_DEMO_SCENARIO(Factory) DemoScenario Factory();
#include "scenarios/ScenarioList.inc"
#undef ZEL_DEMO_SCENARIO

namespace {

// Not a dialog of the library: the data every dialog works on, so that a reader of the tour knows
// what the dialogs show.
DemoScenario SampleWorkbookScenario()
{
    return DemoScenario {QStringLiteral("SampleWorkbookPage"), QStringLiteral("Sample workbook"),
        [](DemoEnvironment& environment, TourRecorder& tour) {
            SampleWorkbookPage page(environment.Workbook(), &environment.Document());
            tour.Step(QStringLiteral("Sample workbook"), page);
        },
        [](DemoEnvironment& environment, QWidget* parent) {
            // A window of the launcher's, so that it goes before the workbook its model reads.
            auto* page = new SampleWorkbookPage(environment.Workbook(), &environment.Document(), parent);
            page->setWindowFlag(Qt::Window);
            page->setAttribute(Qt::WA_DeleteOnClose);
            page->show();
        }};
}

} // namespace

const std::vector<DemoScenario>& DemoScenarios()
{
    static const std::vector<DemoScenario> scenarios {
        SampleWorkbookScenario(),
#define ZEL_DEMO_SCENARIO(Factory) Factory(),
#include "scenarios/ScenarioList.inc"
#undef ZEL_DEMO_SCENARIO
    };
    return scenarios;
}
