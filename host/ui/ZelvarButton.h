#pragma once

#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QPushButton>

#include <array>

// A push button that paints itself in the flat look: a rounded fill and border per state, icon and
// text centred between paddings, and a drop arrow when it has a menu. Its colours come from a
// UnificationButtonLook (outline by default) and can be overridden slot by slot; style sheets do
// not apply to it.
//
// Padding mode 0 takes the look's paddings; mode 1 the minimal paddings (4 and 2 logical pixels
// unless set), for buttons that sit inside other controls or show only an image.
class ZELHOST_UI_EXPORT ZelvarButton : public QPushButton
{
    Q_OBJECT

public:
    enum PaddingMode : int
    {
        PaddingMode_Standard = 0,
        PaddingMode_Minimal = 1,
    };

    // Colour slots: element (background, border, text) within state (normal, disabled, pressed,
    // hover), so slot = 3 * state + element.
    enum ColorSlot : int
    {
        BackgroundNormal = 0,
        BorderNormal = 1,
        TextNormal = 2,
        BackgroundDisabled = 3,
        BorderDisabled = 4,
        TextDisabled = 5,
        BackgroundPressed = 6,
        BorderPressed = 7,
        TextPressed = 8,
        BackgroundHover = 9,
        BorderHover = 10,
        TextHover = 11,
        ColorSlotCount = 12
    };

    explicit ZelvarButton(QWidget* parent = nullptr);
    explicit ZelvarButton(const QString& text, QWidget* parent = nullptr);

    // A mode other than 0 or 1, a negative padding or a slot outside the table raises the logic
    // exception.
    void SetPaddingMode(int mode);
    int GetPaddingMode() const { return m_paddingMode; }
    void SetMinimalHorizontalPadding(int logicalPixels);
    void SetMinimalVerticalPadding(int logicalPixels);
    int GetMinimalHorizontalPadding() const { return m_minimalHorizontalPadding; }
    int GetMinimalVerticalPadding() const { return m_minimalVerticalPadding; }

    void SetOverrideColor(int slot, const QColor& color);
    void ClearOverrideColor(int slot);
    void ClearOverrideColors();
    bool HasOverrideColor(int slot) const;
    // The colour the button paints the slot with: the override if set, else the look's.
    QColor GetColor(int slot) const;

    void SetDrawBorderEnabled(bool enabled);
    bool IsDrawBorderEnabled() const { return m_drawBorder; }
    // Whether the drop arrow takes the text colour rather than the secondary text colour.
    void SetDropArrowMatchesTextColor(bool matches);
    bool GetDropArrowMatchesTextColor() const { return m_dropArrowMatchesText; }

    void SetLook(const UnificationButtonLook& look);
    const UnificationButtonLook& GetLook() const { return m_look; }

    // The state the button paints now (a UnificationButtonLook::State).
    int GetVisualState() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int HorizontalPadding() const;
    int VerticalPadding() const;
    QSize ContentSize() const;
    int DropArrowWidth() const;

    UnificationButtonLook m_look;
    std::array<QColor, ColorSlotCount> m_overrideColors;
    int m_paddingMode = PaddingMode_Standard;
    int m_minimalHorizontalPadding;
    int m_minimalVerticalPadding;
    bool m_drawBorder = true;
    bool m_dropArrowMatchesText = false;
};
