#pragma once

#include "main/ZelDialogExport.h"
#include "main/dialogs/ZelvarFramelessDialog.h"

#include "host/doc/FieldName.h"
#include "host/doc/TString.h"

#include <QtCore/QPointer>

#include <memory>

class ICommandDispatcher;
class SchemaSelectorContentWidget;

// Lets the user choose which schema levels of a cube data source are offered for analysis in the
// worksheet, and hide or show all of its fields, in a frameless dialog. The host runs it and reads
// HasSelectionChanged() once it has closed.
//
// Commands: the host's schema level tree reads the schema when the dialog is made
// (GetSchemaLevels) and OK commits the choice (SetSchemaLevels); Cancel and the close button send
// nothing. A refused or mistyped answer leaves the constructor with the host's exception.
//
// The dialog owns its content widget (in the frame's content area) and the style of the tree's
// vertical scroll bar, which outlives the scroll bar: the content goes first, in the destructor.
// The dispatcher is shared with the host.
class ZELDIALOG_EXPORT SchemaSelectorDialog : public ZelvarFramelessDialog
{
    Q_OBJECT

public:
    // `first` and `second` name the data source and the cube within it (empty: its only cube);
    // `name` names by captions the dimension, hierarchy or level to bring into view (may be empty).
    SchemaSelectorDialog(std::shared_ptr<ICommandDispatcher const>& dispatcher, const TString& first,
        const TString& second, const QualifiedName& name);
    ~SchemaSelectorDialog() override;

    SchemaSelectorDialog(const SchemaSelectorDialog&) = delete;
    SchemaSelectorDialog& operator=(const SchemaSelectorDialog&) = delete;

    // False unless OK committed a change that the host took.
    bool HasSelectionChanged() const;

private:
    // Owned; guarded, since a caller that gives the frame another content widget has the frame
    // delete this one.
    QPointer<SchemaSelectorContentWidget> m_content;
};
