#pragma once

#include "host/ui/ZelvarButton.h"

// The primary action of a dialog (OK, Open): green fill, white text.
class ZELHOST_UI_EXPORT ZelvarGreenUnificationButton : public ZelvarButton
{
    Q_OBJECT

public:
    explicit ZelvarGreenUnificationButton(QWidget* parent = nullptr);
    explicit ZelvarGreenUnificationButton(const QString& text, QWidget* parent = nullptr);
};
