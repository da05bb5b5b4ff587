#include "apps/drivers/SelectMemberDialogDriver.h"

#include "host/ui/HierarchySelectWidget.h"
#include "main/dialogs/SelectMemberDialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

namespace Zel::Drivers {

SelectMemberDialogDriver::SelectMemberDialogDriver(SelectMemberDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

MemberPickerDriver SelectMemberDialogDriver::Tree() const
{
    return MemberPickerDriver(Get<HierarchySelectWidget>("m_memberSelectCtrl"));
}

void SelectMemberDialogDriver::Open() const
{
    m_dialog.show();
    Tree().WaitForTree();
}

void SelectMemberDialogDriver::ExpandAll() const
{
    Click("m_btnExpand");
}

bool SelectMemberDialogDriver::IsOkEnabled() const
{
    return Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Ok)->isEnabled();
}

void SelectMemberDialogDriver::Ok() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Ok)->click();
}

void SelectMemberDialogDriver::Cancel() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Cancel)->click();
}

} // namespace Zel::Drivers
