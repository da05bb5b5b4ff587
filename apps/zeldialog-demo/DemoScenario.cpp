#include "DemoScenario.h"

#include "DemoEnvironment.h"
#include "SampleWorkbookPage.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

#include <stdexcept>

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
            SampleWorkbookPage page(environment.Workbook(), &environment.Document(), &environment.Cube().Cube());
            tour.Step(QStringLiteral("Sample workbook"), page);
        },
        [](DemoEnvironment& environment, QWidget* parent) {
            // A window of the launcher's, so that it goes before the workbook its model reads.
            auto* page = new SampleWorkbookPage(
                environment.Workbook(), &environment.Document(), &environment.Cube().Cube(), parent);
            page->setWindowFlag(Qt::Window);
            page->setAttribute(Qt::WA_DeleteOnClose);
            page->show();
        }};
}

} // namespace

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::runtime_error(what);
}

std::unique_ptr<QWidget> ResultPage(const QString& heading, const QStringList& lines)
{
    auto page = std::make_unique<QWidget>();
    page->setWindowTitle(heading);
    auto* layout = new QVBoxLayout(page.get());
    layout->setContentsMargins(18, 14, 18, 18);
    layout->setSpacing(8);
    auto* title = new QLabel(heading, page.get());
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title);
    auto* body = new QLabel(lines.join(QLatin1Char('\n')), page.get());
    body->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(body);
    layout->addStretch(1);
    page->resize(460, 60 + 22 * static_cast<int>(lines.size()));
    return page;
}

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
