#pragma once

#include "apps/drivers/MemberPickerDriver.h"

class SelectMemberDialog;

namespace Zel::Drivers {

// What a user does to the select-member dialog, by the names of its controls.
class SelectMemberDialogDriver : public FormDriver
{
public:
    explicit SelectMemberDialogDriver(SelectMemberDialog& dialog);

    SelectMemberDialog& Dialog() const noexcept { return m_dialog; }
    // The member tree ("m_memberSelectCtrl").
    MemberPickerDriver Tree() const;
    // Shows the dialog without running it and waits until its tree has loaded.
    void Open() const;
    void ExpandAll() const;
    bool IsOkEnabled() const;
    // Presses OK; the dialog stays open when it refuses.
    void Ok() const;
    void Cancel() const;

private:
    SelectMemberDialog& m_dialog;
};

} // namespace Zel::Drivers
