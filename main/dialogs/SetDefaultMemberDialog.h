#pragma once

#include "main/ZelDialogExport.h"

#include "host/doc/FieldName.h"
#include "host/doc/HierarchySetDefaultMemberPresModel.h"
#include "host/ui/ZelvarDialog.h"

#include <memory>

class ICommandDispatcher;

namespace Ui {
class SetDefaultMemberDialog;
}

// Lets the user choose the default member of one hierarchy of a cube data source: the one the cube
// defines, the hierarchy's All member, or a member picked in the tree. The host passes the current
// setting in and, after OK, reads the choice back with GetDefaultMemberType and GetSelectedMember
// (the tree's selection, whatever the type) and applies it itself.
//
// The dialog sends no command of its own; the tree widget loads the hierarchy through the
// dispatcher once the dialog's event loop runs (OnInitDialog is queued), and the stored default
// member is selected once the tree's top has loaded. The dialog owns its form and shares the
// host's record.
class ZELDIALOG_EXPORT SetDefaultMemberDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    SetDefaultMemberDialog(std::shared_ptr<ICommandDispatcher const> dispatcher, const FieldName& hierarchy,
        RefCntPtr<HierarchySetDefaultMemberPresModel const> model, QWidget* parent = nullptr);
    ~SetDefaultMemberDialog() override;

    SetDefaultMemberDialog(const SetDefaultMemberDialog&) = delete;
    SetDefaultMemberDialog& operator=(const SetDefaultMemberDialog&) = delete;

    HSM::DefaultMemberType GetDefaultMemberType() const noexcept { return m_defaultMemberType; }
    // The member selected in the tree; empty when none is.
    RefCntPtr<Tuple> GetSelectedMember() const;

public slots:
    void accept() override;

protected slots:
    virtual bool OnInitDialog();
    void OnClickedRadioUseDefaultMbr();
    void OnClickedRadioUseAllMbr();
    void OnClickedRadioUseSelectedMbr();
    void OnExpandAll();
    void OnRootMemberLoaded();
    void OnOK();
    void UpdateControls();
    void UpdateControlState();

private:
    RefCntPtr<HierarchySetDefaultMemberPresModel const> m_model;
    FieldName m_hierarchy;
    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    HSM::DefaultMemberType m_defaultMemberType;
    std::unique_ptr<Ui::SetDefaultMemberDialog> m_ui;
};
