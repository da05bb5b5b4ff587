// The show-members dialog over the orders table: the host's order, a sort on the host, the last of
// the rows, the header's menu that clears the sort, a host cache discarded and rebuilt on demand,
// and the members of one field with the member that stands for all of them.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"
#include "../TourModalPresenter.h"

#include "host/ui/IModalPresenter.h"
#include "host/ui/TableView.h"
#include "main/dialogs/ShowMembersDialog_New.h"
#include "sim/TableViewArea.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QContextMenuEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {

FieldName OrdersTable()
{
    return FieldName(Zel::Sim::SampleWorkbook::DataSourceName(), TString());
}

int SectionOf(const QAbstractItemModel& model, const QString& caption)
{
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString() == caption)
            return c;
    return -1;
}

void RunShowMembersTour(DemoEnvironment& environment, TourRecorder& tour)
{
    {
        ShowMembersDialog_New dialog(environment.SharedHost(), OrdersTable());
        auto* table = dialog.findChild<TableView*>(QStringLiteral("m_ctrlTable"));
        QHeaderView* header = table->horizontalHeader();
        const QAbstractItemModel& model = *table->model();
        // As a user double-clicking the header's dividers: fitted to the rows in view.
        dialog.show();
        QCoreApplication::processEvents();
        table->resizeColumnsToContents();
        tour.Step(QStringLiteral("The orders in the host's order"), dialog);

        // What two clicks on the header do: sort the host cache by Sales, largest first.
        const int sales = SectionOf(model, QStringLiteral("Sales"));
        header->setSortIndicator(sales, Qt::DescendingOrder);
        table->scrollTo(model.index(0, sales));
        tour.Step(QStringLiteral("Sorted by Sales, largest first"), dialog);

        table->scrollToBottom();
        table->setCurrentIndex(model.index(model.rowCount() - 1, sales));
        tour.Step(QStringLiteral("The last row: the smallest sale"), dialog);

        TourModalPresenter picker(dialog, tour);
        picker.PickMenuItem(QStringLiteral("Clear Sort"), QStringLiteral("The header's menu offers to clear the sort"));
        const ScopedModalPresenter presenter(picker);
        const QPoint at(header->sectionViewportPosition(sales) + header->sectionSize(sales) / 2, header->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
        QApplication::sendEvent(header->viewport(), &event);
        tour.Step(QStringLiteral("Sort cleared: the last rows in the host's order"), dialog);

        // The host drops its cache, as it does after the time-out; the next page that is not in
        // memory is empty until the rebuild that the model posted has run.
        environment.TableView().DiscardAll();
        table->scrollToTop();
        tour.Step(QStringLiteral("Host cache discarded on demand, then rebuilt"), dialog);
    }
    {
        ShowMembersDialog_New dialog(
            environment.SharedHost(), FieldName(Zel::Sim::SampleWorkbook::DataSourceName(), TString(L"Ship Mode")));
        dialog.show();
        QCoreApplication::processEvents();
        dialog.findChild<TableView*>(QStringLiteral("m_ctrlTable"))->resizeColumnsToContents();
        tour.Step(QStringLiteral("The members of Ship Mode, after the member for all of them"), dialog);
    }
}

void OpenInteractively(DemoEnvironment& environment, QWidget*)
{
    // The dialog has no parent of its own; it goes when it is closed.
    auto* dialog = new ShowMembersDialog_New(environment.SharedHost(), OrdersTable());
    dialog->setAttribute(Qt::WA_DeleteOnClose);

    // What the host would do after the time-out, on demand.
    auto* hostPanel = new QWidget(dialog, Qt::Tool);
    hostPanel->setWindowTitle(QObject::tr("Simulated host"));
    auto* layout = new QVBoxLayout(hostPanel);
    auto* discard = new QPushButton(QObject::tr("Discard the table caches now"), hostPanel);
    layout->addWidget(discard);
    QObject::connect(
        discard, &QPushButton::clicked, hostPanel, [&environment] { environment.TableView().DiscardAll(); });

    dialog->show();
    hostPanel->move(dialog->frameGeometry().topRight() + QPoint(12, 0));
    hostPanel->show();
}

} // namespace

DemoScenario ShowMembersDialogScenario()
{
    return DemoScenario {
        QStringLiteral("ShowMembersDialog_New"), QStringLiteral("Show members"), RunShowMembersTour, OpenInteractively};
}
