#include "widgets/HeaderTooltipEventFilter.h"

#include <QtCore/QEvent>
#include <QtGui/QHoverEvent>

HeaderTooltipEventFilter::HeaderTooltipEventFilter(QObject* parent)
    : QObject(parent)
{
}

bool HeaderTooltipEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverMove)
        emit HeaderTooltip(static_cast<QHoverEvent*>(event)->pos());
    return QObject::eventFilter(watched, event);
}
