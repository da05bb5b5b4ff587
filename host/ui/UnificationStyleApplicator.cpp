#include "host/ui/UnificationStyleApplicator.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationFontUtil.h"
#include "host/ui/UnificationStyle.h"

#include <QtCore/QVariant>
#include <QtWidgets/QWidget>

namespace {
constexpr const char* StyledProperty = "zelUnificationStyled";

// Makes a child hold, as its own, the palette and font it now inherits, so that what is set on its
// parent next no longer reaches it. Nothing it shows changes.
void PinInheritedLook(QWidget& child)
{
    QPalette palette = child.palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setBrush(g, r, palette.brush(g, r));
        }
    }
    child.setPalette(palette);

    const QFont inherited = child.font();
    QFont font = inherited;
    font.setFamily(inherited.family());
    if (inherited.pixelSize() > 0)
        font.setPixelSize(inherited.pixelSize());
    else
        font.setPointSizeF(inherited.pointSizeF());
    font.setWeight(inherited.weight());
    font.setItalic(inherited.italic());
    font.setUnderline(inherited.underline());
    font.setStyleHint(inherited.styleHint(), inherited.styleStrategy());
    child.setFont(font);
}
} // namespace

UnificationStyleApplicator::UnificationStyleApplicator(WidgetFilter filter)
    : m_filter(std::move(filter))
{
}

const char* UnificationStyleApplicator::StyledPropertyName()
{
    return StyledProperty;
}

bool UnificationStyleApplicator::Accepts(const QWidget& widget) const
{
    return !m_filter || m_filter(widget);
}

void UnificationStyleApplicator::Apply(QWidget& root) const
{
    const QFont font = UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &root);
    if (Accepts(root)) {
        root.setPalette(UnificationStyle::CreatePalette());
        root.setFont(font);
    }
    ApplyRecursively(root, font, false);
}

void UnificationStyleApplicator::ApplyRecursively(QWidget& widget, const QFont& font, bool underStyleSheet) const
{
    // Qt passes no font on into a widget with a style sheet, nor anywhere below one, so there
    // each widget that did not choose its own font is given the body font directly.
    underStyleSheet = underStyleSheet || !widget.styleSheet().isEmpty();
    if (Accepts(widget)) {
        // QWidget::setStyle does not reach children, hence the walk. A widget whose owner chose its
        // style (a styled button, a scroll bar with its own metrics) keeps it; under a style sheet
        // style() shows only Qt's wrapper, so the attribute is the one reliable sign.
        if (!widget.testAttribute(Qt::WA_SetStyle))
            widget.setStyle(UnificationStyle::Shared());
        if (underStyleSheet && !widget.testAttribute(Qt::WA_SetFont))
            widget.setFont(font);
        widget.setProperty(StyledProperty, QStringLiteral("tree"));
    }
    for (QObject* child : widget.children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (childWidget && !childWidget->isWindow())
            ApplyRecursively(*childWidget, font, underStyleSheet);
    }
}

void UnificationStyleApplicator::ApplyToSingleWidget(QWidget& widget) const
{
    if (!Accepts(widget))
        return;

    // A style sheet would do this without touching the children, but a widget under a style sheet
    // stops passing fonts and palettes on to its own children, which breaks every form inside it.
    for (QObject* child : widget.children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (childWidget && !childWidget->isWindow())
            PinInheritedLook(*childWidget);
    }
    widget.setStyle(UnificationStyle::Shared());
    widget.setPalette(UnificationStyle::CreatePalette());
    widget.setFont(UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &widget));
    widget.setProperty(StyledProperty, QStringLiteral("single"));
}
