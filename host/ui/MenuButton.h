#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QPushButton>

// A push button with a small down arrow at its right that tells the user it opens a menu. It only
// draws the arrow: clicking emits clicked as usual and the owner pops its own menu, so that the menu
// can go through the modal presenter.
class ZELHOST_UI_EXPORT MenuButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MenuButton(QWidget* parent = nullptr);
    explicit MenuButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int ArrowAreaWidth() const;
};
