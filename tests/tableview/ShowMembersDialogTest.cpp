#include "TableViewTestSupport.h"

#include "main/dialogs/ShowMembersDialog_New.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ZelTestCase.h"

#include "host/ui/TableView.h"
#include "host/ui/ZelvarLineEdit.h"

#include <QtGui/QContextMenuEvent>
#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>

using namespace ZelTest;
using namespace Zel::Sim;

namespace {

// The dialog against the simulated host over a small workbook, shown so that its header has
// geometry.
struct DialogFixture : SimTables
{
    DialogFixture()
        : SimTables(2500)
    {
        dialog = std::make_unique<ShowMembersDialog_New>(dispatcher, FieldName(SampleWorkbook::DataSourceName(), {}));
        dialog->show();
        QCoreApplication::processEvents();
        table = dialog->findChild<TableView*>(QStringLiteral("m_ctrlTable"));
        header = table->horizontalHeader();
    }

    // The point in the header over `section`, or beside the last section for -1.
    QPoint HeaderPoint(int section) const
    {
        const int x = section < 0 ? header->length() + 10 : header->sectionViewportPosition(section) + 5;
        return QPoint(x, header->height() / 2);
    }

    void RightClickHeader(int section) const
    {
        const QPoint at = HeaderPoint(section);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, header->viewport()->mapToGlobal(at));
        QApplication::sendEvent(header->viewport(), &event);
    }

    QString Cell(int row, const char* column) const
    {
        const QAbstractItemModel& model = *table->model();
        return model.data(model.index(row, Section(model, QLatin1String(column)))).toString();
    }

    std::unique_ptr<ShowMembersDialog_New> dialog;
    TableView* table = nullptr;
    QHeaderView* header = nullptr;
};

} // namespace

class ShowMembersDialogTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void showsTheTableFromTheHost()
    {
        DialogFixture f;
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral("Show Members"));
        // Qt adds the system-menu hint to any window with a close button.
        QCOMPARE(f.dialog->windowFlags() & ~Qt::WindowSystemMenuHint,
            Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
        QCOMPARE(f.dialog->findChild<ZelvarLineEdit*>(QStringLiteral("m_ctrlName"))->text(), QStringLiteral("Orders"));
        QCOMPARE(f.dialog->findChild<QLabel*>(QStringLiteral("m_labelExample"))->text(),
            QStringLiteral("&Examples (2,500 rows):"));
        QVERIFY(!f.table->verticalHeader()->isVisible());
        QCOMPARE(f.header->sortIndicatorSection(), -1);
        QCOMPARE(f.table->model()->rowCount(), 2500);
        QCOMPARE(f.Cell(0, "Row ID"), QStringLiteral("1"));
        QCOMPARE(f.area.CacheCount(), std::size_t(1));

        // The dialog's cache goes with the dialog.
        f.dialog.reset();
        QCOMPARE(f.area.CacheCount(), std::size_t(0));
    }

    void headerMenuClearsTheSort()
    {
        DialogFixture f;
        ModalScript script;
        const int sales = Section(*f.table->model(), QStringLiteral("Sales"));
        QVERIFY(sales > 0);

        f.RightClickHeader(-1);
        QVERIFY(script.Menus().empty());

        f.RightClickHeader(sales);
        QCOMPARE(script.Menus().size(), std::size_t(1));
        QCOMPARE(script.Menus()[0].Texts(), QStringList {QStringLiteral("Clear Sort")});
        QVERIFY(!script.Menus()[0].items[0].enabled);

        f.host.ClearExchanges();
        QTest::mouseClick(f.header->viewport(), Qt::LeftButton, {}, f.HeaderPoint(sales));
        QCOMPARE(f.header->sortIndicatorSection(), sales);
        const double first = f.Cell(0, "Sales").toDouble();
        const double second = f.Cell(1, "Sales").toDouble();
        QVERIFY(first <= second);
        QVERIFY(f.Cell(0, "Row ID") != QStringLiteral("1"));

        script.PickMenuItem(QStringLiteral("Clear Sort"));
        f.RightClickHeader(sales);
        QCOMPARE(script.Menus().size(), std::size_t(2));
        QVERIFY(script.Menus()[1].items[0].enabled);
        QCOMPARE(f.header->sortIndicatorSection(), -1);
        QCOMPARE(f.Cell(0, "Row ID"), QStringLiteral("1"));
        QCOMPARE(script.UnexpectedRequests(), 1); // the disabled menu, dismissed

        QStringList sorts;
        for (const SimExchange& exchange : f.host.Exchanges())
            if (exchange.commandId == TableCmds::SortTableViewCache::id)
                sorts << exchange.arguments;
        QCOMPARE(sorts.size(), 2);
    }
};

QTEST_MAIN(ShowMembersDialogTest)

#include "ShowMembersDialogTest.moc"
