#include "host/ui/ZelvarClickableLabel.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>

ZelvarClickableLabel::ZelvarClickableLabel(QWidget* parent)
    : ZelvarClickableLabel(QString(), parent)
{
}

ZelvarClickableLabel::ZelvarClickableLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    // A link is one line; rich text would turn its own anchors into a second kind of click.
    setTextFormat(Qt::PlainText);
}

void ZelvarClickableLabel::SetTextColor(const QColor& color)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void ZelvarClickableLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ZelvarClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        // Released elsewhere, the press is taken back, as with a button.
        if (rect().contains(event->pos()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ZelvarClickableLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            event->accept();
            emit clicked();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void ZelvarClickableLabel::enterEvent(QEvent* event)
{
    m_hovered = true;
    UpdateUnderline();
    QLabel::enterEvent(event);
}

void ZelvarClickableLabel::leaveEvent(QEvent* event)
{
    m_hovered = false;
    UpdateUnderline();
    QLabel::leaveEvent(event);
}

void ZelvarClickableLabel::focusInEvent(QFocusEvent* event)
{
    UpdateUnderline();
    QLabel::focusInEvent(event);
}

void ZelvarClickableLabel::focusOutEvent(QFocusEvent* event)
{
    UpdateUnderline();
    QLabel::focusOutEvent(event);
}

void ZelvarClickableLabel::UpdateUnderline()
{
    const bool underline = m_hovered || hasFocus();
    if (font().underline() == underline)
        return;
    QFont underlined = font();
    underlined.setUnderline(underline);
    setFont(underlined);
}
