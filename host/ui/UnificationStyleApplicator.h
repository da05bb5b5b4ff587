#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <functional>

class QFont;
class QWidget;

// Gives existing widgets the flat light look: the shared UnificationStyle, its palette and the body
// font. A filter, when given, names the widgets to style; the others are left as they are (their
// children are still visited by Apply).
//
// Apply styles a widget and every descendant that is not a window of its own: each gets the style
// object, while palette and font are set on the root and reach the descendants by Qt's inheritance,
// so a descendant that set its own keeps it. ApplyToSingleWidget styles the widget alone: its
// direct children first take the palette and font they inherit as their own, so that the widget's
// new ones stop at it; they look exactly as before, and whatever is set on them later still flows
// on to their own children.
//
// The applicator holds no widget state; it may be destroyed before the widgets it styled.
class ZELHOST_UI_EXPORT UnificationStyleApplicator
{
public:
    using WidgetFilter = std::function<bool(const QWidget&)>;

    UnificationStyleApplicator() = default;
    explicit UnificationStyleApplicator(WidgetFilter filter);

    void Apply(QWidget& root) const;
    void ApplyToSingleWidget(QWidget& widget) const;

    // The dynamic property that marks a widget styled by this class ("tree" or "single").
    static const char* StyledPropertyName();

private:
    bool Accepts(const QWidget& widget) const;
    void ApplyRecursively(QWidget& widget, const QFont& font, bool underStyleSheet) const;

    WidgetFilter m_filter;
};
