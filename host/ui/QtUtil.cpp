#include "host/ui/QtUtil.h"

#include "host/doc/Exceptions.h"

#include <QtGui/QCursor>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/QtUtil";

QScreen* ScreenFor(const QWidget* parent)
{
    if (parent) {
        const QWidget* window = parent->window();
        if (QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center()))
            return screen;
        if (QScreen* screen = window->screen())
            return screen;
    }
    if (QScreen* screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen;
    return QGuiApplication::primaryScreen();
}
} // namespace

QWidget* QtUtil::ResolveParent(QWidget* parent)
{
    if (parent)
        return parent;
    return QApplication::activeWindow();
}

QRect QtUtil::ComputeWidgetGeometry(const QSize& size, const QRect& anchor, const QRect& available)
{
    QSize fitted = size.expandedTo(QSize(0, 0));
    if (available.isValid())
        fitted = fitted.boundedTo(available.size());

    QRect rect(QPoint(0, 0), fitted);
    const QRect& centreOn = anchor.isValid() ? anchor : available;
    if (centreOn.isValid())
        rect.moveCenter(centreOn.center());
    if (!available.isValid())
        return rect;

    if (rect.right() > available.right())
        rect.moveRight(available.right());
    if (rect.bottom() > available.bottom())
        rect.moveBottom(available.bottom());
    if (rect.left() < available.left())
        rect.moveLeft(available.left());
    if (rect.top() < available.top())
        rect.moveTop(available.top());
    return rect;
}

QRect QtUtil::ComputeWidgetGeometry(const QSize& size, const QWidget* parent)
{
    const QScreen* screen = ScreenFor(parent);
    const QRect available = screen ? screen->availableGeometry() : QRect();
    const QRect anchor = parent ? parent->window()->frameGeometry() : QRect();
    return ComputeWidgetGeometry(size, anchor, available);
}

QRect QtUtil::ComputeWidgetGeometry(QWidget* widget)
{
    ZEL_LOGIC_CHECK(SourcePath, widget != nullptr);
    QSize size = widget->size();
    if (!widget->testAttribute(Qt::WA_Resized))
        size = widget->sizeHint().expandedTo(widget->minimumSize()).expandedTo(widget->minimumSizeHint());
    const QRect geometry = ComputeWidgetGeometry(size, widget->parentWidget());
    widget->setGeometry(geometry);
    return geometry;
}
