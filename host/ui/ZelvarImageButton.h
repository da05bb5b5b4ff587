#pragma once

#include "host/ui/TIcon.h"
#include "host/ui/ZelvarButton.h"

// A button that is only an image: no fill and no border, its default image at rest and its hover
// image while the mouse is over it (and enabled). The image is shown at the drawing's own size,
// scaled for the screen.
class ZELHOST_UI_EXPORT ZelvarImageButton : public ZelvarButton
{
    Q_OBJECT

public:
    explicit ZelvarImageButton(QWidget* parent = nullptr);

    void setDefaultIcon(const TIcon& icon);
    void setHoverIcon(const TIcon& icon);
    const TIcon& defaultIcon() const { return m_defaultIcon; }
    const TIcon& hoverIcon() const { return m_hoverIcon; }
    // The image painted now: the hover image under the mouse when there is one, else the default.
    const TIcon& displayedIcon() const;

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateIcon();

    TIcon m_defaultIcon;
    TIcon m_hoverIcon;
};
