#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QLabel>

// A label that acts as a link: a click with the left button (pressed and released over it), or
// Space or Return while it has the keyboard focus, emits clicked. It takes the focus by Tab and by
// click, shows the pointing-hand cursor, and underlines its text while under the mouse or focused.
// Its colour is the caller's (SetTextColor, or the palette's WindowText).
class ZELHOST_UI_EXPORT ZelvarClickableLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ZelvarClickableLabel(QWidget* parent = nullptr);
    explicit ZelvarClickableLabel(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(const QColor& color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void UpdateUnderline();

    bool m_pressed = false;
    bool m_hovered = false;
};
