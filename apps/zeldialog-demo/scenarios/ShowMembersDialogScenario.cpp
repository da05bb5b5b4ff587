// The show-members dialog over the orders table: the host's order, a sort on the host, the last of
// the rows, the header's menu that clears the sort, a host cache discarded and rebuilt on demand,
// and the members of one field with the member that stands for all of them.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"

#include "host/ui/IModalPresenter.h"
#include "host/ui/TableView.h"
#include "main/dialogs/ShowMembersDialog_New.h"
#include "sim/TableViewArea.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {

std::shared_ptr<ICommandDispatcher const> Dispatcher(DemoEnvironment& environment)
{
    // The environment outlives every dialog of the demo; the dialog only borrows its host.
    return std::shared_ptr<ICommandDispatcher const>(&environment.Host(), [](const ICommandDispatcher*) {});
}

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

// Answers the header's menu like a user: the menu is shown for a picture of it over the dialog,
// then the action with the given text is picked.
class MenuPicker final : public IModalPresenter
{
public:
    MenuPicker(QWidget& dialog, TourRecorder& tour, QString pick)
        : m_dialog(dialog)
        , m_tour(tour)
        , m_pick(std::move(pick))
    {
    }

    QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest&) override { return QMessageBox::NoButton; }

    QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction*) override
    {
        menu.popup(globalPosition);
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        // Offscreen, every window is a picture of its own: lay the menu over the dialog by hand.
        QPixmap picture = m_dialog.grab();
        {
            QPainter painter(&picture);
            painter.drawPixmap(menu.geometry().topLeft() - m_dialog.mapToGlobal(QPoint(0, 0)), menu.grab());
        }
        menu.hide();
        QLabel shot;
        shot.setPixmap(picture);
        shot.setWindowTitle(m_dialog.windowTitle());
        // A window is shown at no more than two thirds of the screen unless told its size.
        shot.resize(picture.size());
        m_tour.Step(QStringLiteral("The header's menu offers to clear the sort"), shot);
        for (QAction* action : menu.actions())
            if (action->text() == m_pick && action->isEnabled())
                return action;
        return nullptr;
    }

private:
    QWidget& m_dialog;
    TourRecorder& m_tour;
    QString m_pick;
};

void RunShowMembersTour(DemoEnvironment& environment, TourRecorder& tour)
{
    {
        ShowMembersDialog_New dialog(Dispatcher(environment), OrdersTable());
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

        MenuPicker picker(dialog, tour, QStringLiteral("Clear Sort"));
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
            Dispatcher(environment), FieldName(Zel::Sim::SampleWorkbook::DataSourceName(), TString(L"Ship Mode")));
        dialog.show();
        QCoreApplication::processEvents();
        dialog.findChild<TableView*>(QStringLiteral("m_ctrlTable"))->resizeColumnsToContents();
        tour.Step(QStringLiteral("The members of Ship Mode, after the member for all of them"), dialog);
    }
}

void OpenInteractively(DemoEnvironment& environment, QWidget*)
{
    // The dialog has no parent of its own; it goes when it is closed.
    auto* dialog = new ShowMembersDialog_New(Dispatcher(environment), OrdersTable());
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
