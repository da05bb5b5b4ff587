#include "apps/drivers/MemberPickerDriver.h"

#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"

#include <QtCore/QCoreApplication>
#include <QtTest/QTest>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QScrollBar>

namespace Zel::Drivers {

namespace {
// Posted calls that a picker's loading sets off: the dialog's queued set-up, the picker's
// announcement, a dialog's queued reaction to it.
constexpr int kMaxEventRounds = 20;
constexpr int kRoundsAfterLoad = 3;
} // namespace

MemberPickerDriver::MemberPickerDriver(HierarchySelectWidget& picker)
    : FormDriver(picker)
    , m_picker(picker)
{
}

void MemberPickerDriver::WaitForTree() const
{
    for (int round = 0; round < kMaxEventRounds && !m_picker.IsRootLoaded(); ++round)
        QCoreApplication::processEvents();
    if (!m_picker.IsRootLoaded())
        throw DriverError("the member picker never loaded its hierarchy");
    for (int round = 0; round < kRoundsAfterLoad; ++round)
        QCoreApplication::processEvents();
}

void MemberPickerDriver::Search(const QString& text) const
{
    auto& box = Get<QLineEdit>("searchBox");
    box.clear();
    QTest::keyClicks(&box, text);
    QTest::keyClick(&box, Qt::Key_Return);
}

void MemberPickerDriver::ClearSearch() const
{
    auto& box = Get<QLineEdit>("searchBox");
    box.clear();
    QTest::keyClick(&box, Qt::Key_Return);
}

void MemberPickerDriver::Pick(const QString& caption, const QString& uniqueName) const
{
    Search(caption);
    auto& results = Get<QListWidget>("searchResults");
    for (int i = 0; i < results.count(); ++i) {
        QListWidgetItem* item = results.item(i);
        if (item->toolTip() != uniqueName)
            continue;
        results.scrollToItem(item);
        QTest::mouseClick(results.viewport(), Qt::LeftButton, {}, results.visualItemRect(item).center());
        ClearSearch();
        return;
    }
    throw DriverError(QStringLiteral("searching for \"%1\" does not find %2").arg(caption, uniqueName).toStdString());
}

void MemberPickerDriver::ClickRow(qint64 row) const
{
    auto& tree = Get<LazyTreeView>("memberTree");
    const QModelIndex index = tree.indexAtRow(row);
    if (!index.isValid())
        throw DriverError(QStringLiteral("the member tree shows no row %1").arg(row).toStdString());
    tree.scrollTo(index);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(index).center());
}

void MemberPickerDriver::Press(Qt::Key key) const
{
    auto& tree = Get<LazyTreeView>("memberTree");
    tree.setFocus();
    QTest::keyClick(&tree, key);
}

void MemberPickerDriver::Paint() const
{
    Get<LazyTreeView>("memberTree").viewport()->repaint();
}

} // namespace Zel::Drivers
