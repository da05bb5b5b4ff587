#include "host/ui/ZelvarLineEdit.h"

#include <QtCore/QEvent>
#include <QtGui/QPalette>

ZelvarLineEdit::ZelvarLineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

ZelvarLineEdit::~ZelvarLineEdit() = default;

bool ZelvarLineEdit::event(QEvent* event)
{
    const bool handled = QLineEdit::event(event);
    if (event->type() == QEvent::ReadOnlyChange)
        UpdateLook();
    return handled;
}

void ZelvarLineEdit::UpdateLook()
{
    // Only the base colour is set here; every other role keeps following the parent's palette.
    QPalette look = palette();
    const QPalette inherited = parentWidget() ? parentWidget()->palette() : QPalette();
    look.setBrush(QPalette::Base, isReadOnly() ? inherited.brush(QPalette::Window) : inherited.brush(QPalette::Base));
    setPalette(look);
}
