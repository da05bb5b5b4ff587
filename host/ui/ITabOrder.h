#pragma once

#include "host/ui/ZelHostUiExport.h"

class QWidget;

// A composite widget whose inner widgets take part in a dialog's tab order as one run. The dialog
// chains the composite's first and last widgets to its neighbours; the composite keeps its own
// chain in between.
class ZELHOST_UI_EXPORT ITabOrder
{
public:
    virtual ~ITabOrder();
    // Chains previous -> the composite's stops -> next. By default that is PlaceBetween; a
    // composite that keeps some of its widgets out of the chain says which ones it chains.
    virtual void SetTabOrder(QWidget* previous, QWidget* next);
    virtual QWidget* GetFirstTabWidget() const = 0;
    virtual QWidget* GetLastTabWidget() const = 0;
    // Puts the composite's chain between previous and next (QWidget::setTabOrder twice). A null
    // neighbour leaves that side as it is.
    static void PlaceBetween(QWidget* previous, const ITabOrder& composite, QWidget* next);
};
