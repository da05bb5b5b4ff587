#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QProxyStyle>

// The flat light look as a style over Fusion: small flat check and radio indicators, thin scroll
// bars, light hairline frames, a blue focus ring, and the palette of UnificationColors. Sizes are
// logical pixels scaled for the widget being drawn (ScaleForDpi).
//
// A style must outlive every widget that uses it. Widgets styled by UnificationStyleApplicator use
// the one shared instance (Shared()), which lives as long as the application object; a widget that
// needs its own variant (a subclass overriding pixelMetric) owns that instance itself.
class ZELHOST_UI_EXPORT UnificationStyle : public QProxyStyle
{
    Q_OBJECT

public:
    UnificationStyle();
    // Takes ownership of `base`, as QProxyStyle does; null means Fusion.
    explicit UnificationStyle(QStyle* base);

    int pixelMetric(
        PixelMetric metric, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
        QStyleHintReturn* returnData = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    QPalette standardPalette() const override;
    void polish(QPalette& palette) override;
    using QProxyStyle::polish;

    // The palette of the look, for widgets that take colours from their palette.
    static QPalette CreatePalette();

    // The application-wide instance. Needs a QApplication; deleted with it.
    static UnificationStyle* Shared();
};
