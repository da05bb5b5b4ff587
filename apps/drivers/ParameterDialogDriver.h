#pragma once

#include "apps/drivers/FormDriver.h"

#include "host/doc/DataValue.h"

#include <memory>

class ICommandDispatcher;
class ParameterDialog;
class ParameterMemberModel;

namespace Zel::Sim {
class ParameterEditArea;
}

namespace Zel::Drivers {

// A dialog on a new parameter edit, made as the host makes it: the edit is opened first and its
// clean-up list goes to the dialog.
std::unique_ptr<ParameterDialog> OpenNewParameterDialog(
    const ICommandDispatcher& host, Sim::ParameterEditArea& edits, QWidget* parent = nullptr);

// What a user does to the parameter dialog, by the names of its controls: the tour, the
// integration tests and the benchmark all create parameters through this.
class ParameterDialogDriver : public FormDriver
{
public:
    explicit ParameterDialogDriver(ParameterDialog& dialog);

    ParameterDialog& Dialog() const noexcept { return m_dialog; }

    // Types the caption (the field keeps the focus, as while typing).
    void Caption(const QString& caption) const;
    void PickType(DataType type) const;
    // Sets a custom display format in the format picker's pop-up and closes it.
    void Format(const QString& format) const;
    // The list of allowable values.
    ParameterMemberModel& Members() const;

private:
    ParameterDialog& m_dialog;
};

} // namespace Zel::Drivers
