#pragma once

#include "apps/drivers/MemberPickerDriver.h"

#include "host/doc/FieldName.h"
#include "host/doc/HierarchySetDefaultMemberPresModel.h"

#include <memory>

class ICommandDispatcher;
class SetDefaultMemberDialog;

namespace Zel::Drivers {

// The dialog as a host makes it: the hierarchy's current setting read by command first.
std::unique_ptr<SetDefaultMemberDialog> OpenSetDefaultMemberDialog(
    const std::shared_ptr<ICommandDispatcher const>& host, const FieldName& hierarchy, QWidget* parent = nullptr);
// What a host does with an accepted dialog: applies its choice by command; answers the setting now
// in force.
RefCntPtr<HierarchySetDefaultMemberPresModel const> ApplyDefaultMember(
    const ICommandDispatcher& host, const FieldName& hierarchy, const SetDefaultMemberDialog& dialog);

// What a user does to the set-default-member dialog, by the names of its controls.
class SetDefaultMemberDialogDriver : public FormDriver
{
public:
    explicit SetDefaultMemberDialogDriver(SetDefaultMemberDialog& dialog);

    SetDefaultMemberDialog& Dialog() const noexcept { return m_dialog; }
    MemberPickerDriver Tree() const;
    // Shows the dialog without running it and waits until its tree has loaded and shows the stored
    // member.
    void Open() const;
    // Clicks the radio button of a type.
    void Choose(HSM::DefaultMemberType type) const;
    void ExpandAll() const;
    void Ok() const;
    void Cancel() const;

private:
    SetDefaultMemberDialog& m_dialog;
};

} // namespace Zel::Drivers
