#include "apps/drivers/SchemaSelectorDialogDriver.h"

#include "host/ui/SchemaLevelModel.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "main/dialogs/SchemaSelectorDialog.h"

#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOptionViewItem>

namespace Zel::Drivers {

std::unique_ptr<SchemaSelectorDialog> OpenSchemaSelectorDialog(
    std::shared_ptr<ICommandDispatcher const> host, const TString& dataSource, const QualifiedName& focus)
{
    return std::make_unique<SchemaSelectorDialog>(host, dataSource, TString(), focus);
}

SchemaSelectorDialogDriver::SchemaSelectorDialogDriver(SchemaSelectorDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

SchemaLevelSelectWidget& SchemaSelectorDialogDriver::Tree() const
{
    return Get<SchemaLevelSelectWidget>("m_schemaTreeView");
}

void SchemaSelectorDialogDriver::Open() const
{
    m_dialog.show();
    QApplication::processEvents();
}

QModelIndex SchemaSelectorDialogDriver::LevelRow(const QString& uniqueName) const
{
    const SchemaLevelModel& model = Tree().Model();
    for (int d = 0; d < model.rowCount(); ++d) {
        const QModelIndex dimension = model.index(d, 0);
        for (int h = 0; h < model.rowCount(dimension); ++h) {
            const QModelIndex hierarchy = model.index(h, 0, dimension);
            for (int l = 0; l < model.rowCount(hierarchy); ++l) {
                const QModelIndex level = model.index(l, SchemaLevelModel::UniqueNameColumn, hierarchy);
                if (level.data().toString() == uniqueName)
                    return level.siblingAtColumn(SchemaLevelModel::NameColumn);
            }
        }
    }
    throw DriverError(QStringLiteral("the schema tree shows no level %1").arg(uniqueName).toStdString());
}

bool SchemaSelectorDialogDriver::IsChecked(const QString& uniqueName) const
{
    return Tree().Model().IsLevelChecked(LevelRow(uniqueName));
}

void SchemaSelectorDialogDriver::ClickLevel(const QString& uniqueName) const
{
    SchemaLevelSelectWidget& tree = Tree();
    const QModelIndex check = LevelRow(uniqueName).siblingAtColumn(SchemaLevelModel::CheckColumn);
    tree.scrollTo(check);
    // Where the tree's delegate draws the box, which is where it takes a click.
    QStyleOptionViewItem option;
    option.initFrom(tree.viewport());
    option.rect = tree.visualRect(check);
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    option.checkState = tree.Model().IsLevelChecked(check) ? Qt::Checked : Qt::Unchecked;
    const QRect box = tree.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &tree);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
}

void SchemaSelectorDialogDriver::PressSpaceOnLevel(const QString& uniqueName) const
{
    SchemaLevelSelectWidget& tree = Tree();
    const QModelIndex row = LevelRow(uniqueName);
    tree.scrollTo(row);
    tree.setCurrentIndex(row);
    QTest::keyClick(&tree, Qt::Key_Space);
}

QString SchemaSelectorDialogDriver::CountText() const
{
    return Get<QPushButton>("m_numOfLevelSelectedButton").text();
}

QString SchemaSelectorDialogDriver::HideAllFieldsText() const
{
    return Get<QPushButton>("m_hideAllFieldsButton").text();
}

void SchemaSelectorDialogDriver::ToggleHideAllFields() const
{
    Click("m_hideAllFieldsButton");
}

void SchemaSelectorDialogDriver::Ok() const
{
    Click("m_okButton");
}

void SchemaSelectorDialogDriver::Cancel() const
{
    Click("m_cancelButton");
}

} // namespace Zel::Drivers
