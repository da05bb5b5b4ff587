#include "host/ui/ZelvarWhiteUnificationButton.h"

ZelvarWhiteUnificationButton::ZelvarWhiteUnificationButton(QWidget* parent)
    : ZelvarWhiteUnificationButton(QString(), parent)
{
}

ZelvarWhiteUnificationButton::ZelvarWhiteUnificationButton(const QString& text, QWidget* parent)
    : ZelvarButton(text, parent)
{
    SetLook(UnificationButtonStyle::GetLook(UnificationButtonStyle::Outline));
}
