#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QPersistentModelIndex>
#include <QtCore/QSet>
#include <QtWidgets/QAbstractItemView>

#include <memory>

// A one-column tree view that never lays out more than the rows it shows, so that a member with
// millions of children expands, scrolls to its last child and repaints at the cost of a screenful.
// A tree view that lays out every child of an expanded item (QTreeView) pays for all of them on
// every expansion, in time and in memory.
//
// The view keeps only the expanded items: for each, its row count and how many rows its expanded
// descendants add. A row of the tree maps to its model index through those counts alone, and the
// model is asked for indexes, data and child counts of the rows on screen only. Rows have one
// height, and the vertical scroll bar counts rows.
//
// Expanding an item shows it: its collapsed ancestors are expanded too. Collapsing an item keeps
// its expanded descendants expanded, out of sight, as QTreeView does. ExpandAsShown expands the
// items of a range of depths as they come into view, never more, so that "expand everything" on a
// large tree costs nothing up front; the scroll range grows as the user scrolls on.
//
// The model's invisible root is the tree's root. Structural changes of the model (rows inserted,
// removed or moved, a new layout) keep the expanded items that are still there.
class ZELHOST_UI_EXPORT LazyTreeView : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit LazyTreeView(QWidget* parent = nullptr);
    ~LazyTreeView() override;

    void setModel(QAbstractItemModel* model) override;

    QRect visualRect(const QModelIndex& index) const override;
    // Expands the index's ancestors first.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    // Typing goes to the next row on screen whose text starts with what was typed. The base class
    // would search every sibling of the current item, a page fetch per page of them.
    void keyboardSearch(const QString& search) override;

    bool isExpanded(const QModelIndex& index) const;
    void expand(const QModelIndex& index);
    void collapse(const QModelIndex& index);
    // Expands, as they come into view, the items from depth `firstDepth` down to `lastDepth`
    // (-1: every depth), except those the user collapses; the top items are at depth 0.
    void expandAsShown(int firstDepth, int lastDepth);
    // Collapses everything and stops expanding as shown.
    void collapseAll();

    // Rows of the tree as it is laid out now.
    qint64 visibleRowCount() const;
    // The index shown at a row of the tree (0 is the first), or an invalid one outside.
    QModelIndex indexAtRow(qint64 row) const;
    // The row an index is shown at; -1 when one of its ancestors is collapsed.
    qint64 rowOf(const QModelIndex& index) const;
    // The first row shown.
    qint64 topRow() const;
    int rowHeight() const noexcept { return m_rowHeight; }
    int indentation() const noexcept { return m_indentation; }

signals:
    void expanded(const QModelIndex& index);
    void collapsed(const QModelIndex& index);

protected:
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void reset() override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void verticalScrollbarValueChanged(int value) override;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Node;
    struct RowAt
    {
        QModelIndex index;
        int depth = 0;
    };

    RowAt Locate(qint64 row) const;
    Node* FindNode(const QModelIndex& index) const;
    Node* Insert(const QModelIndex& index);
    void RestoreHidden(const Node& node);
    void Remove(Node* node);
    void SetExpanded(const QModelIndex& index, bool expand, bool byUser);
    bool HasChildren(const QModelIndex& index) const;
    int Depth(const QModelIndex& index) const;
    int RowsPerPage() const;
    void ExpandShownRows();
    void Relayout();
    void UpdateRowHeight();
    void MoveTopTo(qint64 top);
    QRect BranchRect(int depth, int y) const;

    std::unique_ptr<Node> m_root;
    // Items the user collapsed while expanding as shown: they stay collapsed.
    QSet<QPersistentModelIndex> m_keptCollapsed;
    // Expanded items under a collapsed ancestor: expanded again when it is.
    QSet<QPersistentModelIndex> m_hiddenExpanded;
    bool m_expandAsShown = false;
    int m_expandFirstDepth = 0;
    int m_expandLastDepth = -1;
    int m_rowHeight = 20;
    int m_indentation = 20;
    // The widest row painted so far: the horizontal scroll range.
    int m_contentWidth = 0;
    bool m_expandingShown = false;
    // The item scrolled to last, kept at its place on screen while items above it open as they
    // come into view; forgotten when the user scrolls.
    QPersistentModelIndex m_anchor;
    qint64 m_anchorOffset = 0;
    bool m_movingTop = false;
    // What was typed in quick succession, and when the last key came.
    QString m_typed;
    QElapsedTimer m_lastKey;
};
