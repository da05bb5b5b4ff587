// The select-member dialog as the calculated members dialog uses it: a parent member under
// [Geography], where a city (the last level) is refused with a warning and a state is taken; then
// the [Order] hierarchy, one member per order, opened and scrolled to its last order.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../TourModalPresenter.h"

#include "apps/drivers/SelectMemberDialogDriver.h"
#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "host/ui/TMessageBox.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "sim/OrdersCube.h"

#include <QtCore/QLocale>

using Zel::Drivers::SelectMemberDialogDriver;
using Zel::Sim::OrdersCube;

namespace {

FieldName Hierarchy(const char* name)
{
    return MakeGlobalName(OrdersCube::DataSourceName(), FieldName::ParseUnquoted(TString::FromUtf8(name)));
}

// The calculated members dialog's check of a parent: a member of the hierarchy's last level can have
// no calculated member below it.
class ParentLevelValidator final : public SelectMemberDialog::IDialogValidator
{
public:
    ParentLevelValidator(const ICommandDispatcher& host, const FieldName& hierarchy)
        : m_limit(GetHierarchyRoot(host, hierarchy).Get<Zel::Commands::Cube::HierarchyRoot>()->GetLevelCount() - 1)
    {
    }

    bool Validate(const DataValue& /*member*/, int level) override
    {
        if (level < m_limit)
            return true;
        TMessageBox::Show(LookupTStr(Zel::Strings::ParentOnLastLevel), QMessageBox::Warning, QMessageBox::Ok,
            QMessageBox::NoButton, Qt::WindowModal);
        return false;
    }

private:
    int m_limit;
};

void PickParent(DemoEnvironment& environment, TourRecorder& tour)
{
    const FieldName geography = Hierarchy("Geography");
    ParentLevelValidator validator(environment.Host(), geography);
    SelectMemberDialog dialog(environment.SharedHost(), geography);
    dialog.SetValidator(&validator);
    const SelectMemberDialogDriver driver(dialog);
    driver.Open();
    tour.Step(QStringLiteral("Select Parent Member over [Geography]: OK waits for a member"), dialog);

    driver.ExpandAll();
    driver.Tree().Paint();
    tour.Step(QStringLiteral("Expand All: members open as they come into view"), dialog);

    driver.Tree().Search(QStringLiteral("new"));
    tour.Step(QStringLiteral("The search box: members whose names hold \u201cnew\u201d, found by the host"), dialog);
    driver.Tree().ClearSearch();

    TourModalPresenter presenter(dialog, tour);
    const ScopedModalPresenter scoped(presenter);
    driver.Tree().Pick(QStringLiteral("Boston"), QStringLiteral("[Geography].[East].[Massachusetts].[Boston]"));
    tour.Step(QStringLiteral("A city picked: Boston"), dialog);
    presenter.AnswerMessageBox(QMessageBox::Ok, QStringLiteral("OK refused: a city is on the last level"));
    driver.Ok();
    Require(dialog.isVisible(), "a city was taken as a parent");

    driver.Tree().Pick(QStringLiteral("Massachusetts"), QStringLiteral("[Geography].[East].[Massachusetts]"));
    tour.Step(QStringLiteral("A state picked instead: Massachusetts"), dialog);
    driver.Ok();
    Require(dialog.result() == QDialog::Accepted && dialog.GetSelectedLevel() == 2, "the state was not taken");
}

void OpenOrders(DemoEnvironment& environment, TourRecorder& tour)
{
    SelectMemberDialog dialog(environment.SharedHost(), Hierarchy("Order"));
    const SelectMemberDialogDriver driver(dialog);
    driver.Open();
    driver.Tree().ClickRow(0);
    driver.Tree().Press(Qt::Key_Right);
    driver.Tree().Paint();
    const qint64 orders = driver.Tree().Get<LazyTreeView>("memberTree").visibleRowCount() - 1;
    tour.Step(QStringLiteral("[Order]: %1 orders under All Order, read a page at a time")
                  .arg(QLocale(QLocale::English).toString(orders)),
        dialog);
    driver.Tree().Press(Qt::Key_End);
    driver.Tree().Paint();
    tour.Step(QStringLiteral("End: the last order, and only its page read"), dialog);
    driver.Cancel();
}

void RunSelectMemberTour(DemoEnvironment& environment, TourRecorder& tour)
{
    PickParent(environment, tour);
    OpenOrders(environment, tour);
}

void OpenInteractively(DemoEnvironment& environment, QWidget* parent)
{
    const FieldName geography = Hierarchy("Geography");
    ParentLevelValidator validator(environment.Host(), geography);
    SelectMemberDialog dialog(environment.SharedHost(), geography);
    dialog.SetValidator(&validator);
    if (dialog.exec() != QDialog::Accepted)
        return;
    TMessageBox::Show(TString(QStringLiteral("The parent member is %1 (level %2).")
                                  .arg(dialog.GetSelectedMember().GetString().ToQString())
                                  .arg(dialog.GetSelectedLevel())),
        QMessageBox::Information, QMessageBox::Ok, QMessageBox::Ok, Qt::ApplicationModal, parent);
}

} // namespace

DemoScenario SelectMemberDialogScenario()
{
    return DemoScenario {QStringLiteral("SelectMemberDialog"), QStringLiteral("Select member dialog"),
        RunSelectMemberTour, OpenInteractively};
}
