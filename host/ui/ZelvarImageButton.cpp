#include "host/ui/ZelvarImageButton.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationConstants.h"

#include <QtCore/QEvent>

ZelvarImageButton::ZelvarImageButton(QWidget* parent)
    : ZelvarButton(parent)
{
    SetDrawBorderEnabled(false);
    // The hover image carries its own highlight; a fill behind it would frame it in a box.
    for (int slot = 0; slot < ColorSlotCount; slot += 3)
        SetOverrideColor(slot, Qt::transparent);
}

void ZelvarImageButton::setDefaultIcon(const TIcon& icon)
{
    m_defaultIcon = icon;
    UpdateIcon();
}

void ZelvarImageButton::setHoverIcon(const TIcon& icon)
{
    m_hoverIcon = icon;
    UpdateIcon();
}

const TIcon& ZelvarImageButton::displayedIcon() const
{
    if (!m_hoverIcon.IsNull() && isEnabled() && underMouse())
        return m_hoverIcon;
    return m_defaultIcon;
}

void ZelvarImageButton::enterEvent(QEvent* event)
{
    ZelvarButton::enterEvent(event);
    UpdateIcon();
}

void ZelvarImageButton::leaveEvent(QEvent* event)
{
    ZelvarButton::leaveEvent(event);
    UpdateIcon();
}

void ZelvarImageButton::changeEvent(QEvent* event)
{
    ZelvarButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateIcon();
}

void ZelvarImageButton::UpdateIcon()
{
    const TIcon& shown = displayedIcon();
    QSize size = shown.GetDefaultSize();
    if (size.isEmpty())
        size = QSize(UnificationConstants::Get().GetSmallIconSize(), UnificationConstants::Get().GetSmallIconSize());
    setIconSize(ScaleForDpi(this, size));
    setIcon(shown.ToQIcon());
    update();
}
