#include "host/ui/ZelvarGreenUnificationButton.h"

ZelvarGreenUnificationButton::ZelvarGreenUnificationButton(QWidget* parent)
    : ZelvarGreenUnificationButton(QString(), parent)
{
}

ZelvarGreenUnificationButton::ZelvarGreenUnificationButton(const QString& text, QWidget* parent)
    : ZelvarButton(text, parent)
{
    SetLook(UnificationButtonStyle::GetLook(UnificationButtonStyle::GreenFilled));
}
