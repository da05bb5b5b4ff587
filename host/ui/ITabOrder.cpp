#include "host/ui/ITabOrder.h"

#include <QtWidgets/QWidget>

#include <algorithm>
#include <vector>

namespace {
constexpr int MaxChainLength = 1000;

QWidget* CommonAncestor(QWidget* a, QWidget* b)
{
    for (QWidget* w = a->parentWidget(); w; w = w->parentWidget()) {
        if (w->isAncestorOf(b))
            return w;
    }
    return nullptr;
}

// The composite's tab stops from first to last as its own chain holds them. QWidget::setTabOrder
// moves only the second widget (with its own children), so placing just the two ends would leave
// the stops in between where they were. A widget inside a stop already listed (the line edit of a
// spin box) moves with that stop and is left out; a chain that does not lead from first to last
// gives just the two ends.
std::vector<QWidget*> TabStops(QWidget* first, QWidget* last)
{
    if (first == last)
        return {first};
    QWidget* scope = CommonAncestor(first, last);
    std::vector<QWidget*> stops;
    QWidget* w = first;
    for (int i = 0; i < MaxChainLength && w; ++i, w = w->nextInFocusChain()) {
        const bool inside = scope && scope->isAncestorOf(w) && w->window() == first->window();
        const bool inStop
            = std::any_of(stops.begin(), stops.end(), [w](const QWidget* stop) { return stop->isAncestorOf(w); });
        if (inside && !inStop && (w->focusPolicy() & Qt::TabFocus))
            stops.push_back(w);
        if (w == last)
            return stops;
        if (w->nextInFocusChain() == first)
            break;
    }
    return {first, last};
}
} // namespace

ITabOrder::~ITabOrder() = default;

void ITabOrder::SetTabOrder(QWidget* previous, QWidget* next)
{
    PlaceBetween(previous, *this, next);
}

void ITabOrder::PlaceBetween(QWidget* previous, const ITabOrder& composite, QWidget* next)
{
    QWidget* first = composite.GetFirstTabWidget();
    QWidget* last = composite.GetLastTabWidget();
    if (!first || !last)
        return;
    const std::vector<QWidget*> stops = TabStops(first, last);
    if (previous)
        QWidget::setTabOrder(previous, stops.front());
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
    if (next)
        QWidget::setTabOrder(stops.back(), next);
}
