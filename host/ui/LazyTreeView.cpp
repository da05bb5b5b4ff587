#include "host/ui/LazyTreeView.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyleOption>

#include <algorithm>
#include <climits>
#include <map>
#include <vector>

namespace {

// Auto-expansion stops after this many items in one pass: a screenful needs far fewer, and a model
// whose items all claim children must not keep the view busy.
constexpr int kMaxExpansionsPerPass = 1000;

int ClampToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, INT_MIN / 2, INT_MAX / 2));
}

} // namespace

// An expanded item (or the root). `rows` counts the rows shown below it: its own children and what
// its expanded children show below them.
struct LazyTreeView::Node
{
    QPersistentModelIndex index;
    Node* parent = nullptr;
    int depth = -1;
    int rowCount = 0;
    qint64 rows = 0;
    std::map<int, std::unique_ptr<Node>> children;
};

LazyTreeView::LazyTreeView(QWidget* parent)
    : QAbstractItemView(parent)
    , m_root(std::make_unique<Node>())
{
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollMode(ScrollPerPixel);
    UpdateRowHeight();
}

LazyTreeView::~LazyTreeView() = default;

void LazyTreeView::setModel(QAbstractItemModel* newModel)
{
    if (QAbstractItemModel* old = model())
        disconnect(old, nullptr, this, nullptr);
    QAbstractItemView::setModel(newModel);
    if (newModel) {
        // Removals and moves have no hook of their own in the base class; the counts are read again
        // once the model is consistent.
        connect(newModel, &QAbstractItemModel::rowsRemoved, this, &LazyTreeView::Relayout);
        connect(newModel, &QAbstractItemModel::rowsMoved, this, &LazyTreeView::Relayout);
        connect(newModel, &QAbstractItemModel::layoutChanged, this, &LazyTreeView::Relayout);
    }
    reset();
}

void LazyTreeView::reset()
{
    QAbstractItemView::reset();
    m_root = std::make_unique<Node>();
    m_root->rowCount = model() ? model()->rowCount(rootIndex()) : 0;
    m_root->rows = m_root->rowCount;
    m_keptCollapsed.clear();
    m_hiddenExpanded.clear();
    m_expandAsShown = false;
    m_contentWidth = 0;
    updateGeometries();
    viewport()->update();
}

void LazyTreeView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    QAbstractItemView::rowsInserted(parent, start, end);
    Relayout();
}

void LazyTreeView::Relayout()
{
    // The expanded items that survived, parents before children, are expanded again on fresh counts.
    std::vector<QPersistentModelIndex> expandedItems;
    std::vector<const Node*> pending {m_root.get()};
    while (!pending.empty()) {
        const Node* node = pending.back();
        pending.pop_back();
        for (const auto& child : node->children) {
            expandedItems.push_back(child.second->index);
            pending.push_back(child.second.get());
        }
    }
    std::stable_sort(expandedItems.begin(), expandedItems.end(),
        [this](const QPersistentModelIndex& a, const QPersistentModelIndex& b) { return Depth(a) < Depth(b); });
    m_root = std::make_unique<Node>();
    m_root->rowCount = model() ? model()->rowCount(rootIndex()) : 0;
    m_root->rows = m_root->rowCount;
    for (const QPersistentModelIndex& index : expandedItems) {
        if (index.isValid() && FindNode(index.parent()))
            Insert(index);
    }
    updateGeometries();
    viewport()->update();
}

int LazyTreeView::Depth(const QModelIndex& index) const
{
    int depth = -1;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        ++depth;
    return depth;
}

LazyTreeView::Node* LazyTreeView::FindNode(const QModelIndex& index) const
{
    if (!index.isValid())
        return m_root.get();
    std::vector<int> rows;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        rows.push_back(at.row());
    Node* node = m_root.get();
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        const auto child = node->children.find(*it);
        if (child == node->children.end())
            return nullptr;
        node = child->second.get();
    }
    return node;
}

LazyTreeView::Node* LazyTreeView::Insert(const QModelIndex& index)
{
    Node* parent = FindNode(index.parent());
    if (!parent)
        return nullptr;
    auto& slot = parent->children[index.row()];
    if (slot)
        return slot.get();
    slot = std::make_unique<Node>();
    Node* node = slot.get();
    node->index = index;
    node->parent = parent;
    node->depth = parent->depth + 1;
    node->rowCount = model()->rowCount(index);
    node->rows = node->rowCount;
    for (Node* up = parent; up; up = up->parent)
        up->rows += node->rows;
    RestoreHidden(*node);
    return node;
}

void LazyTreeView::RestoreHidden(const Node& node)
{
    if (m_hiddenExpanded.isEmpty())
        return;
    std::vector<QPersistentModelIndex> children;
    for (const QPersistentModelIndex& index : qAsConst(m_hiddenExpanded))
        if (index.isValid() && index.parent() == node.index)
            children.push_back(index);
    for (const QPersistentModelIndex& index : children) {
        m_hiddenExpanded.remove(index);
        Insert(index);
    }
}

void LazyTreeView::Remove(Node* node)
{
    // Expanded descendants stay expanded, out of sight, and show again with their ancestor.
    std::vector<const Node*> pending {node};
    while (!pending.empty()) {
        const Node* at = pending.back();
        pending.pop_back();
        for (const auto& child : at->children) {
            m_hiddenExpanded.insert(child.second->index);
            pending.push_back(child.second.get());
        }
    }
    for (Node* up = node->parent; up; up = up->parent)
        up->rows -= node->rows;
    node->parent->children.erase(node->index.row());
}

bool LazyTreeView::HasChildren(const QModelIndex& index) const
{
    return index.isValid() && !(model()->flags(index) & Qt::ItemNeverHasChildren) && model()->hasChildren(index);
}

bool LazyTreeView::isExpanded(const QModelIndex& index) const
{
    return index.isValid() && index.model() == model()
        && (FindNode(index) != nullptr || m_hiddenExpanded.contains(index));
}

void LazyTreeView::expand(const QModelIndex& index)
{
    SetExpanded(index, true, true);
}

void LazyTreeView::collapse(const QModelIndex& index)
{
    SetExpanded(index, false, true);
}

void LazyTreeView::SetExpanded(const QModelIndex& index, bool expand, bool byUser)
{
    if (!index.isValid() || index.model() != model())
        return;
    if (expand) {
        // Ancestors first: an item shows only under expanded ones.
        std::vector<QModelIndex> chain;
        for (QModelIndex at = index; at.isValid(); at = at.parent())
            chain.push_back(at);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            if (FindNode(*it))
                continue;
            if (!HasChildren(*it) && *it == index)
                return;
            m_keptCollapsed.remove(*it);
            Insert(*it);
            emit expanded(*it);
        }
    } else {
        Node* node = FindNode(index);
        if (byUser)
            m_keptCollapsed.insert(index);
        m_hiddenExpanded.remove(index);
        if (!node)
            return;
        Remove(node);
        emit collapsed(index);
    }
    updateGeometries();
    viewport()->update();
}

void LazyTreeView::expandAsShown(int firstDepth, int lastDepth)
{
    m_expandAsShown = true;
    m_expandFirstDepth = std::max(firstDepth, 0);
    m_expandLastDepth = lastDepth;
    m_keptCollapsed.clear();
    viewport()->update();
}

void LazyTreeView::collapseAll()
{
    m_expandAsShown = false;
    m_keptCollapsed.clear();
    m_hiddenExpanded.clear();
    m_root->children.clear();
    m_root->rows = m_root->rowCount;
    verticalScrollBar()->setValue(0);
    updateGeometries();
    viewport()->update();
}

qint64 LazyTreeView::visibleRowCount() const
{
    return m_root->rows;
}

qint64 LazyTreeView::topRow() const
{
    return verticalScrollBar()->value();
}

int LazyTreeView::RowsPerPage() const
{
    return std::max(1, viewport()->height() / m_rowHeight);
}

LazyTreeView::RowAt LazyTreeView::Locate(qint64 row) const
{
    if (!model() || row < 0 || row >= m_root->rows)
        return {};
    const Node* node = m_root.get();
    int depth = 0;
    while (true) {
        // Rows below a node: its children in order, each expanded one followed by what it shows.
        qint64 before = 0;
        const Node* into = nullptr;
        for (const auto& [childRow, child] : node->children) {
            const qint64 at = childRow + before;
            if (row < at)
                break;
            if (row == at)
                return {model()->index(childRow, 0, node->index), depth};
            if (row <= at + child->rows) {
                row -= at + 1;
                into = child.get();
                break;
            }
            before += child->rows;
        }
        if (!into)
            return {model()->index(static_cast<int>(row - before), 0, node->index), depth};
        node = into;
        ++depth;
    }
}

QModelIndex LazyTreeView::indexAtRow(qint64 row) const
{
    return Locate(row).index;
}

qint64 LazyTreeView::rowOf(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != model())
        return -1;
    std::vector<int> rows;
    for (QModelIndex at = index; at.isValid(); at = at.parent())
        rows.push_back(at.row());
    const Node* node = m_root.get();
    qint64 position = 0;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        qint64 offset = *it;
        for (const auto& [childRow, child] : node->children) {
            if (childRow >= *it)
                break;
            offset += child->rows;
        }
        position += offset;
        if (it + 1 == rows.rend())
            return position;
        const auto child = node->children.find(*it);
        if (child == node->children.end())
            return -1;
        node = child->second.get();
        ++position;
    }
    return -1;
}

QRect LazyTreeView::BranchRect(int depth, int y) const
{
    return QRect(depth * m_indentation - horizontalScrollBar()->value(), y, m_indentation, m_rowHeight);
}

QRect LazyTreeView::visualRect(const QModelIndex& index) const
{
    const qint64 row = rowOf(index);
    if (row < 0)
        return {};
    const int x = (Depth(index) + 1) * m_indentation - horizontalScrollBar()->value();
    const int y = ClampToInt((row - topRow()) * m_rowHeight);
    return QRect(x, y, std::max(viewport()->width() - x, m_contentWidth - x), m_rowHeight);
}

QModelIndex LazyTreeView::indexAt(const QPoint& point) const
{
    if (point.y() < 0)
        return {};
    return indexAtRow(topRow() + point.y() / m_rowHeight);
}

void LazyTreeView::keyboardSearch(const QString& search)
{
    if (!model() || search.isEmpty())
        return;
    const bool goingOn = m_lastKey.isValid() && m_lastKey.elapsed() < QApplication::keyboardInputInterval();
    m_typed = goingOn ? m_typed + search : search;
    m_lastKey.start();
    // A word typed on goes on matching the current row; a new one starts after it.
    const qint64 current = rowOf(currentIndex());
    const qint64 top = topRow();
    const qint64 end = std::min<qint64>(top + RowsPerPage(), m_root->rows);
    const qint64 from = current >= top && current < end ? current + (goingOn ? 0 : 1) : top;
    for (qint64 i = 0; i < end - top; ++i) {
        const qint64 row = top + (from - top + i) % (end - top);
        const QModelIndex index = indexAtRow(row);
        if (index.data().toString().startsWith(m_typed, Qt::CaseInsensitive)) {
            setCurrentIndex(index);
            return;
        }
    }
}

void LazyTreeView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != model())
        return;
    if (index.parent().isValid())
        SetExpanded(index.parent(), true, false);
    const qint64 row = rowOf(index);
    if (row < 0)
        return;
    const qint64 page = RowsPerPage();
    qint64 top = topRow();
    switch (hint) {
    case PositionAtTop:
        top = row;
        break;
    case PositionAtBottom:
        top = row - page + 1;
        break;
    case PositionAtCenter:
        top = row - page / 2;
        break;
    case EnsureVisible:
        if (row < top)
            top = row;
        else if (row >= top + page)
            top = row - page + 1;
        break;
    }
    updateGeometries();
    MoveTopTo(top);
    // Items that open as they come into view must not push this one out of it again.
    m_anchor = index;
    m_anchorOffset = row - topRow();
    const int x = Depth(index) * m_indentation;
    if (x < horizontalScrollBar()->value())
        horizontalScrollBar()->setValue(x);
}

QModelIndex LazyTreeView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers /*modifiers*/)
{
    if (!model() || m_root->rows == 0)
        return {};
    const QModelIndex current = currentIndex();
    const qint64 row = rowOf(current);
    if (row < 0)
        return indexAtRow(0);
    const qint64 last = m_root->rows - 1;
    qint64 target = row;
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        target = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        target = row + 1;
        break;
    case MovePageUp:
        target = row - RowsPerPage();
        break;
    case MovePageDown:
        target = row + RowsPerPage();
        break;
    case MoveHome:
        target = 0;
        break;
    case MoveEnd:
        target = last;
        break;
    case MoveLeft:
        if (isExpanded(current)) {
            collapse(current);
            return current;
        }
        return current.parent().isValid() ? current.parent() : current;
    case MoveRight:
        if (!HasChildren(current))
            return current;
        if (!isExpanded(current)) {
            expand(current);
            return current;
        }
        return model()->index(0, 0, current);
    }
    return indexAtRow(std::clamp<qint64>(target, 0, last));
}

int LazyTreeView::horizontalOffset() const
{
    return horizontalScrollBar()->value();
}

int LazyTreeView::verticalOffset() const
{
    return ClampToInt(topRow() * m_rowHeight);
}

bool LazyTreeView::isIndexHidden(const QModelIndex& /*index*/) const
{
    return false;
}

void LazyTreeView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command)
{
    if (!model() || !selectionModel())
        return;
    const QRect area = rect.normalized();
    const qint64 first = std::max<qint64>(topRow() + std::max(area.top(), 0) / m_rowHeight, 0);
    const qint64 last = std::min<qint64>(topRow() + std::max(area.bottom(), 0) / m_rowHeight, m_root->rows - 1);
    QItemSelection selection;
    for (qint64 row = first; row <= last; ++row) {
        const QModelIndex index = indexAtRow(row);
        selection.select(index, index);
    }
    selectionModel()->select(selection, command);
}

QRegion LazyTreeView::visualRegionForSelection(const QItemSelection& /*selection*/) const
{
    // A selection may span far more rows than are shown; repainting the screen costs less than
    // finding which of them are on it.
    return QRegion(viewport()->rect());
}

void LazyTreeView::updateGeometries()
{
    const qint64 page = RowsPerPage();
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(static_cast<int>(page));
    verticalScrollBar()->setRange(0, ClampToInt(std::max<qint64>(m_root->rows - page, 0)));
    horizontalScrollBar()->setSingleStep(m_indentation);
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(m_contentWidth - viewport()->width(), 0));
    QAbstractItemView::updateGeometries();
}

void LazyTreeView::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    viewport()->update();
}

void LazyTreeView::verticalScrollbarValueChanged(int value)
{
    // The user scrolled: nothing is held in place any more.
    if (!m_movingTop)
        m_anchor = QPersistentModelIndex();
    QAbstractItemView::verticalScrollbarValueChanged(value);
}

void LazyTreeView::MoveTopTo(qint64 top)
{
    m_movingTop = true;
    verticalScrollBar()->setValue(ClampToInt(std::max<qint64>(top, 0)));
    m_movingTop = false;
}

void LazyTreeView::ExpandShownRows()
{
    if (!m_expandAsShown || !model() || m_expandingShown)
        return;
    // Expanding an item from here must not come back here through its signals.
    m_expandingShown = true;
    bool grew = false;
    for (int expansions = 0; expansions < kMaxExpansionsPerPass; ++expansions) {
        bool expandedOne = false;
        const qint64 end = std::min<qint64>(topRow() + RowsPerPage() + 1, m_root->rows);
        for (qint64 row = topRow(); row < end && !expandedOne; ++row) {
            const RowAt at = Locate(row);
            if (at.depth < m_expandFirstDepth || (m_expandLastDepth >= 0 && at.depth > m_expandLastDepth))
                continue;
            if (!HasChildren(at.index) || FindNode(at.index) || m_keptCollapsed.contains(at.index))
                continue;
            Insert(at.index);
            emit expanded(at.index);
            expandedOne = grew = true;
            const qint64 anchorRow = m_anchor.isValid() ? rowOf(m_anchor) : -1;
            if (anchorRow >= 0) {
                m_movingTop = true;
                updateGeometries();
                m_movingTop = false;
                MoveTopTo(anchorRow - m_anchorOffset);
            }
        }
        if (!expandedOne)
            break;
    }
    m_expandingShown = false;
    if (grew) {
        m_movingTop = true;
        updateGeometries();
        m_movingTop = false;
    }
}

void LazyTreeView::paintEvent(QPaintEvent* /*event*/)
{
    if (!model())
        return;
    ExpandShownRows();
    QPainter painter(viewport());
    const QStyleOptionViewItem base = viewOptions();
    const QModelIndex current = currentIndex();
    const int offset = horizontalScrollBar()->value();
    const qint64 top = topRow();
    const qint64 end = std::min<qint64>(top + viewport()->height() / m_rowHeight + 1, m_root->rows);
    int widest = m_contentWidth;
    for (qint64 row = top; row < end; ++row) {
        const RowAt at = Locate(row);
        const int y = static_cast<int>(row - top) * m_rowHeight;
        const bool hasChildren = HasChildren(at.index);

        QStyleOption branch;
        branch.initFrom(this);
        branch.rect = BranchRect(at.depth, y);
        branch.state = QStyle::State_Item | (isEnabled() ? QStyle::State_Enabled : QStyle::State_None);
        if (hasChildren)
            branch.state |= QStyle::State_Children;
        if (hasChildren && FindNode(at.index))
            branch.state |= QStyle::State_Open;
        style()->drawPrimitive(QStyle::PE_IndicatorBranch, &branch, &painter, this);

        QStyleOptionViewItem option = base;
        const int x = (at.depth + 1) * m_indentation;
        QAbstractItemDelegate* delegate = itemDelegate(at.index);
        const int width = delegate->sizeHint(option, at.index).width();
        widest = std::max(widest, x + width);
        option.rect = QRect(x - offset, y, std::max(viewport()->width() - x + offset, width), m_rowHeight);
        const Qt::ItemFlags flags = model()->flags(at.index);
        if (!(flags & Qt::ItemIsEnabled) || !isEnabled())
            option.state &= ~QStyle::State_Enabled;
        if (selectionModel() && selectionModel()->isSelected(at.index))
            option.state |= QStyle::State_Selected;
        if (at.index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        delegate->paint(&painter, option, at.index);
    }
    if (widest > m_contentWidth) {
        m_contentWidth = widest;
        updateGeometries();
    }
}

void LazyTreeView::mousePressEvent(QMouseEvent* event)
{
    const qint64 row = event->pos().y() >= 0 ? topRow() + event->pos().y() / m_rowHeight : -1;
    const RowAt at = Locate(row);
    if (at.index.isValid() && BranchRect(at.depth, 0).left() <= event->pos().x()
        && event->pos().x() < BranchRect(at.depth, 0).right() + 1 && HasChildren(at.index)) {
        SetExpanded(at.index, !FindNode(at.index), true);
        event->accept();
        return;
    }
    QAbstractItemView::mousePressEvent(event);
}

void LazyTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid() && HasChildren(index) && event->pos().x() >= visualRect(index).left())
        SetExpanded(index, !FindNode(index), true);
    QAbstractItemView::mouseDoubleClickEvent(event);
}

void LazyTreeView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        UpdateRowHeight();
        updateGeometries();
    }
    QAbstractItemView::changeEvent(event);
}

void LazyTreeView::UpdateRowHeight()
{
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, this);
    m_rowHeight = std::max(fontMetrics().height(), indicator) + 6;
    m_indentation = style()->pixelMetric(QStyle::PM_TreeViewIndentation, nullptr, this);
    if (m_indentation <= 0)
        m_indentation = 20;
}
