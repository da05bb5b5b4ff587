#pragma once

#include <QtCore/QString>

#include <QtCore/QStringList>

#include <functional>
#include <memory>
#include <vector>

class DemoEnvironment;
class QWidget;

// Handed to a scenario's tour: each Step saves a screenshot of a window as it is at that moment,
// together with the commands the simulated host exchanged since the previous step.
class TourRecorder
{
public:
    virtual ~TourRecorder() = default;
    // Shows the window if it is hidden and lets pending layout and paint events run first.
    virtual void Step(const QString& title, QWidget& window) = 0;
};

// One entry of the demo: a dialog class, driven through its typical use in the tour (offscreen,
// answering any modal question through the toolkit's presenter seam) and opened for a person from
// the launcher. Both run against the same simulated host.
//
// A scenario is one file in scenarios/ defining a factory function, plus one line naming that
// function in scenarios/ScenarioList.inc.
struct DemoScenario
{
    QString dialogClass;
    QString title;
    std::function<void(DemoEnvironment&, TourRecorder&)> runTour;
    std::function<void(DemoEnvironment&, QWidget* parent)> openInteractively;
};

// The sample workbook page first, then the registered scenarios in the order of ScenarioList.inc.
const std::vector<DemoScenario>& DemoScenarios();

// Ends a scenario's tour with `what` when a step did not do what the tour claims; the tour writes
// it as a failed step.
void Require(bool condition, const char* what);

// What the host reads back once a dialog has closed, shown as a small page of the demo's own.
std::unique_ptr<QWidget> ResultPage(const QString& heading, const QStringList& lines);
