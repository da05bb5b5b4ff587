#pragma once

#include "apps/drivers/FormDriver.h"

#include "host/doc/FieldName.h"
#include "host/doc/TString.h"

#include <QtCore/QModelIndex>

#include <memory>

class ICommandDispatcher;
class SchemaLevelSelectWidget;
class SchemaSelectorDialog;

namespace Zel::Drivers {

// The dialog as a host makes it for a data source (its only cube), optionally with a row to bring
// into view named by captions.
std::unique_ptr<SchemaSelectorDialog> OpenSchemaSelectorDialog(
    std::shared_ptr<ICommandDispatcher const> host, const TString& dataSource, const QualifiedName& focus = {});

// What a user does to the schema selector, by the names of its controls. Levels are named by their
// unique names ("[Geography].[City]").
class SchemaSelectorDialogDriver : public FormDriver
{
public:
    explicit SchemaSelectorDialogDriver(SchemaSelectorDialog& dialog);

    SchemaSelectorDialog& Dialog() const noexcept { return m_dialog; }
    SchemaLevelSelectWidget& Tree() const;
    // Shows the dialog without running it and lets it lay itself out.
    void Open() const;
    // The row of a level; a level the tree does not show raises DriverError.
    QModelIndex LevelRow(const QString& uniqueName) const;
    bool IsChecked(const QString& uniqueName) const;
    // Clicks the check box of a level, scrolling its row into view first.
    void ClickLevel(const QString& uniqueName) const;
    // Makes a level's row current and presses Space in the tree.
    void PressSpaceOnLevel(const QString& uniqueName) const;
    QString CountText() const;
    QString HideAllFieldsText() const;
    void ToggleHideAllFields() const;
    void Ok() const;
    void Cancel() const;

private:
    SchemaSelectorDialog& m_dialog;
};

} // namespace Zel::Drivers
