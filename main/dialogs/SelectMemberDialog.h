#pragma once

#include "main/ZelDialogExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/FieldName.h"
#include "host/ui/ZelvarDialog.h"

#include <memory>

class ICommandDispatcher;

namespace Ui {
class SelectMemberDialog;
}

// Lets the user pick one member of one hierarchy of a cube data source in the host's member tree,
// for example the parent of a calculated member. A caller may attach a validator that refuses the
// member picked; a refusal keeps the dialog open with the choice it refused.
//
// The tree is filled once the dialog's event loop runs (OnInitDialog is queued): the tree widget
// sends its own commands through the dispatcher; the dialog sends none. The dialog owns its form;
// the validator is the caller's.
class ZELDIALOG_EXPORT SelectMemberDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    class ZELDIALOG_EXPORT IDialogValidator
    {
    public:
        virtual ~IDialogValidator();
        // False keeps the dialog open; the validator tells the user why.
        virtual bool Validate(const DataValue& member, int level) = 0;
    };

    SelectMemberDialog(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& hierarchy);
    ~SelectMemberDialog() override;

    SelectMemberDialog(const SelectMemberDialog&) = delete;
    SelectMemberDialog& operator=(const SelectMemberDialog&) = delete;

    // Not owned; set before exec.
    void SetValidator(IDialogValidator* validator) noexcept { m_validator = validator; }

    // The member last confirmed with OK (refused or not), empty until then.
    const DataValue& GetSelectedMember() const noexcept { return m_selectedMember; }
    // Its level; -1 until a member is confirmed.
    int GetSelectedLevel() const noexcept { return m_selectedLevel; }

public slots:
    void accept() override;

protected slots:
    virtual bool OnInitDialog();

private:
    void UpdateOkButton();

    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    IDialogValidator* m_validator = nullptr;
    FieldName m_hierarchy;
    int m_selectedLevel = -1;
    DataValue m_selectedMember;
    std::unique_ptr<Ui::SelectMemberDialog> m_ui;
};
