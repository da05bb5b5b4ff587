#pragma once

#include "host/ui/ZelvarButton.h"

// The secondary action of a dialog (Cancel): white with a grey outline.
class ZELHOST_UI_EXPORT ZelvarWhiteUnificationButton : public ZelvarButton
{
    Q_OBJECT

public:
    explicit ZelvarWhiteUnificationButton(QWidget* parent = nullptr);
    explicit ZelvarWhiteUnificationButton(const QString& text, QWidget* parent = nullptr);
};
