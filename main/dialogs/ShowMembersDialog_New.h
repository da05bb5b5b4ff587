#pragma once

#include "host/doc/FieldName.h"
#include "host/ui/ZelvarDialog.h"
#include "main/ZelDialogExport.h"

#include <memory>

class ICommandDispatcher;
class QPoint;
class TableViewModel;

namespace Ui {
class ShowMembersDialog;
}

// A read-only look at the members of a field (a set): its name, and a table of example members
// paged in from the host, with the host's row-count caption above it. Clicking a column header
// sorts on the host; the header's context menu brings the host's own order back.
//
// The dialog owns its TableViewModel, which owns the host's table cache for as long as the dialog
// lives (created in the constructor, dropped when the dialog goes). The dispatcher must outlive
// the dialog.
class ZELDIALOG_EXPORT ShowMembersDialog_New : public ZelvarDialog
{
    Q_OBJECT

public:
    ShowMembersDialog_New(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& field);
    ~ShowMembersDialog_New() override;

protected slots:
    void OnShowContextMenu(const QPoint& position);

private:
    FieldName m_field;
    std::unique_ptr<TableViewModel> m_model;
    std::unique_ptr<Ui::ShowMembersDialog> m_ui;
};
