#pragma once

#include "main/ZelDialogExport.h"
#include "widgets/UberDropdownCtrl.h"

#include "host/ui/UberFormatWidget.h"

// The display-format picker of the parameter dialog: a drop-down over the host's format widget.
class ZELDIALOG_EXPORT UberFormatPickerCtrl : public UberDropdownCtrl<UberFormatWidget>
{
public:
    explicit UberFormatPickerCtrl(QWidget* parent = nullptr);
    ~UberFormatPickerCtrl() override;
};
