#pragma once

#include "host/ui/ZelHostUiExport.h"

class QWidget;

// A control that edits through a pop-up widget of its own.
class ZELHOST_UI_EXPORT IUberControl
{
public:
    virtual ~IUberControl();
    virtual QWidget* GetPopupWidget() const = 0;
};
