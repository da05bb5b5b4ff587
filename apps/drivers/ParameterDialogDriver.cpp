#include "apps/drivers/ParameterDialogDriver.h"

#include "host/doc/ComponentCleanup.h"
#include "main/dialogs/ParameterDialog.h"
#include "sim/ParameterEditArea.h"
#include "widgets/ParameterMemberView.h"
#include "widgets/UberFormatPickerCtrl.h"

namespace Zel::Drivers {

std::unique_ptr<ParameterDialog> OpenNewParameterDialog(
    const ICommandDispatcher& host, Sim::ParameterEditArea& edits, QWidget* parent)
{
    const Sim::ParameterEditArea::OpenedEdit edit = edits.OpenNewParameterEdit();
    return std::make_unique<ParameterDialog>(
        host, edit.editInfo, std::make_unique<ComponentCleanup>(host, edit.cleanup), edit.editId, parent);
}

ParameterDialogDriver::ParameterDialogDriver(ParameterDialog& dialog)
    : FormDriver(dialog)
    , m_dialog(dialog)
{
}

void ParameterDialogDriver::Caption(const QString& caption) const
{
    Type("m_ctrlCaption", caption);
}

void ParameterDialogDriver::PickType(DataType type) const
{
    PickData("m_ctrlType", QVariant(static_cast<int>(type)));
}

void ParameterDialogDriver::Format(const QString& format) const
{
    UberFormatWidget& popup = *Get<UberFormatPickerCtrl>("m_ctrlFormat").GetUberWidget();
    popup.SetTextFormat(TString(format));
    emit popup.UberWidgetChanged();
}

ParameterMemberModel& ParameterDialogDriver::Members() const
{
    return *Get<ParameterMemberView>("m_ctrlMembers").GetModel();
}

} // namespace Zel::Drivers
