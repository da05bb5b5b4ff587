#include "apps/drivers/WidgetShowcaseDialogDriver.h"

#include "host/ui/ZelvarClickableLabel.h"
#include "main/dialogs/WidgetShowcaseDialog.h"
#include "widgets/ShowcaseDisplayWidget.h"
#include "widgets/ShowcaseListWidget.h"
#include "widgets/ShowcaseWidgetDetails.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QTabBar>
#include <QtWidgets/QTabWidget>

namespace Zel::Drivers {

namespace {
void Settle()
{
    // Examples moved into a new row are shown from the event loop, and old rows deleted there.
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
} // namespace

WidgetShowcaseDialogDriver::WidgetShowcaseDialogDriver(WidgetShowcaseDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

void WidgetShowcaseDialogDriver::Open() const
{
    m_dialog.show();
    Settle();
}

void WidgetShowcaseDialogDriver::ShowTab(const char* tabPage) const
{
    auto& tabs = Get<QTabWidget>("tabWidget");
    const int index = tabs.indexOf(&Get<QWidget>(tabPage));
    if (index < 0)
        throw DriverError(QStringLiteral("no tab shows %1").arg(QLatin1String(tabPage)).toStdString());
    QTabBar* bar = tabs.tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    Settle();
}

ShowcaseDisplayWidget& WidgetShowcaseDialogDriver::Display(const char* display) const
{
    return Get<ShowcaseDisplayWidget>(display);
}

QStringList WidgetShowcaseDialogDriver::EntryNames(const char* display) const
{
    QStringList names;
    for (ShowcaseListWidget* row : Display(display).Rows())
        names << row->findChild<QLabel*>(QStringLiteral("widgetName"))->text();
    return names;
}

ShowcaseListWidget& WidgetShowcaseDialogDriver::Row(const char* display, const QString& entry) const
{
    for (ShowcaseListWidget* row : Display(display).Rows())
        if (row->findChild<QLabel*>(QStringLiteral("widgetName"))->text() == entry)
            return *row;
    throw DriverError(QStringLiteral("%1 shows no entry %2").arg(QLatin1String(display), entry).toStdString());
}

void WidgetShowcaseDialogDriver::OpenDocumentation(const char* display, const QString& entry) const
{
    auto* link = Row(display, entry).findChild<ZelvarClickableLabel*>(QStringLiteral("documentationButton"));
    QTest::mouseClick(link, Qt::LeftButton);
    Settle();
}

void WidgetShowcaseDialogDriver::Back(const char* display) const
{
    auto* back = Display(display).Details().findChild<ZelvarClickableLabel*>(QStringLiteral("backButton"));
    QTest::mouseClick(back, Qt::LeftButton);
    Settle();
}

} // namespace Zel::Drivers
