#include "apps/drivers/SetDefaultMemberDialogDriver.h"

#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/ui/HierarchySelectWidget.h"
#include "main/dialogs/SetDefaultMemberDialog.h"

#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QPushButton>

namespace Zel::Drivers {

namespace Cmds = Zel::Commands::Cube;

std::unique_ptr<SetDefaultMemberDialog> OpenSetDefaultMemberDialog(
    const std::shared_ptr<ICommandDispatcher const>& host, const FieldName& hierarchy, QWidget* parent)
{
    auto setting = GetHierarchyDefaultMember(*host, hierarchy).Get<Cmds::DefaultMemberSetting>();
    return std::make_unique<SetDefaultMemberDialog>(host, hierarchy, std::move(setting), parent);
}

RefCntPtr<HierarchySetDefaultMemberPresModel const> ApplyDefaultMember(
    const ICommandDispatcher& host, const FieldName& hierarchy, const SetDefaultMemberDialog& dialog)
{
    std::optional<RefCntPtr<Tuple const>> member;
    if (RefCntPtr<Tuple> selected = dialog.GetSelectedMember())
        member = RefCntPtr<Tuple const>(std::move(selected));
    return SetHierarchyDefaultMember(host, hierarchy, dialog.GetDefaultMemberType(), std::move(member))
        .Get<Cmds::DefaultMemberSetting>();
}

SetDefaultMemberDialogDriver::SetDefaultMemberDialogDriver(SetDefaultMemberDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

MemberPickerDriver SetDefaultMemberDialogDriver::Tree() const
{
    return MemberPickerDriver(Get<HierarchySelectWidget>("m_memberSelectCtrl"));
}

void SetDefaultMemberDialogDriver::Open() const
{
    m_dialog.show();
    Tree().WaitForTree();
}

void SetDefaultMemberDialogDriver::Choose(HSM::DefaultMemberType type) const
{
    switch (type) {
    case HSM::DMT_CubeDefault:
        Click("m_radioUseDefaultMbr");
        return;
    case HSM::DMT_AllMember:
        Click("m_radioUseAllMbr");
        return;
    case HSM::DMT_SelectedMember:
        Click("m_radioUseSelectedMbr");
        return;
    }
    throw DriverError("no radio button for that default member type");
}

void SetDefaultMemberDialogDriver::ExpandAll() const
{
    Click("m_btnExpand");
}

void SetDefaultMemberDialogDriver::Ok() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Ok)->click();
}

void SetDefaultMemberDialogDriver::Cancel() const
{
    Get<QDialogButtonBox>("buttonBox").button(QDialogButtonBox::Cancel)->click();
}

} // namespace Zel::Drivers
