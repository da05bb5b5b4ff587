#include "widgets/UberFormatPickerCtrl.h"

UberFormatPickerCtrl::UberFormatPickerCtrl(QWidget* parent)
    : UberDropdownCtrl<UberFormatWidget>(parent)
{
}

// Out of line so that the class has one vtable, in this library.
UberFormatPickerCtrl::~UberFormatPickerCtrl() = default;
