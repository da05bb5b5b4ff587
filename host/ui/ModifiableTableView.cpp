#include "host/ui/ModifiableTableView.h"

#include "host/ui/AbstractModifiableTableModel.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationConstants.h"

#include <QtCore/QMimeData>
#include <QtGui/QDrag>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyledItemDelegate>

#include <algorithm>
#include <utility>

namespace {
// Logical pixels.
constexpr int RowHeight = 26;
constexpr int HeaderHeight = 28;
constexpr int CellPadding = 6;

using RowRange = std::pair<int, int>; // first and last row, inclusive

std::vector<RowRange> MergedRanges(std::vector<RowRange> ranges)
{
    std::sort(ranges.begin(), ranges.end());
    std::vector<RowRange> merged;
    for (const RowRange& range : ranges) {
        if (!merged.empty() && range.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

int RowCount(const std::vector<RowRange>& ranges)
{
    int count = 0;
    for (const RowRange& range : ranges)
        count += range.second - range.first + 1;
    return count;
}
} // namespace

// A flat header: a light band with a hairline below, a short divider between sections, and the
// section's icon before its text.
class ModifiableTableView::HeaderView final : public QHeaderView
{
public:
    explicit HeaderView(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setHighlightSections(false);
        setSectionsClickable(false);
    }

    QSize sizeHint() const override
    {
        QSize hint = QHeaderView::sizeHint();
        hint.setHeight(std::max(hint.height(), ScaleForDpi(this, HeaderHeight)));
        return hint;
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        if (!rect.isValid() || !model())
            return;
        const auto& colors = UnificationColors::Get();
        painter->save();
        painter->fillRect(rect, colors.GetTitleBarBackgroundColor());
        painter->fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colors.GetBorderColor());
        if (visualIndex(logicalIndex) < count() - 1) {
            const int inset = ScaleForDpi(this, 6);
            painter->fillRect(
                QRect(rect.right(), rect.top() + inset, 1, rect.height() - 2 * inset), colors.GetBorderColor());
        }

        QRect content = rect.adjusted(ScaleForDpi(this, CellPadding), 0, -ScaleForDpi(this, CellPadding), 0);
        const QVariant decoration = model()->headerData(logicalIndex, orientation(), Qt::DecorationRole);
        QIcon icon = decoration.value<QIcon>();
        if (icon.isNull() && decoration.canConvert<QPixmap>())
            icon = QIcon(decoration.value<QPixmap>());
        if (!icon.isNull()) {
            const int side = ScaleForDpi(this, UnificationConstants::Get().GetSmallIconSize());
            QRect iconRect(content.left(), rect.top() + (rect.height() - side) / 2, side, side);
            icon.paint(painter, iconRect);
            content.setLeft(iconRect.right() + 1 + ScaleForDpi(this, UnificationConstants::Get().GetSmallSpacing()));
        }
        QFont font = this->font();
        font.setWeight(QFont::DemiBold);
        painter->setFont(font);
        painter->setPen(isEnabled() ? colors.GetTextColor() : colors.GetDisabledTextColor());
        const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        painter->drawText(content, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            QFontMetrics(font).elidedText(text, Qt::ElideRight, content.width()));
        painter->restore();
    }
};

// Edits a cell in a borderless line edit and hands the text to the view rather than to the model, so
// that a view can react to a refusal. Paints the add-new-item row as a prompt.
class ModifiableTableView::ItemDelegate final : public QStyledItemDelegate
{
public:
    explicit ItemDelegate(ModifiableTableView& view)
        : QStyledItemDelegate(&view)
        , m_view(view)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setTextMargins(ScaleForDpi(editor, CellPadding) - 2, 0, 0, 0);
        if (const AbstractModifiableTableModel* model = m_view.GetTableModel();
            model && model->IsAddNewItemRow(index.row()))
            editor->setPlaceholderText(model->GetAddNewItemPrompt().ToQString());
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            // An editor opened by typing already holds the typed character.
            if (edit->text().isEmpty() || !edit->isModified())
                edit->setText(index.data(Qt::EditRole).toString());
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        const auto* edit = qobject_cast<QLineEdit*>(editor);
        const AbstractModifiableTableModel* model = m_view.GetTableModel();
        if (!edit || !model || !index.isValid())
            return;
        const QString text = edit->text();
        if (model->IsAddNewItemRow(index.row())) {
            if (!text.trimmed().isEmpty())
                m_view.AddNewItem(TString(text));
            return;
        }
        if (text != index.data(Qt::EditRole).toString())
            m_view.UpdateItem(index.row(), index.column(), TString(text));
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        editor->setGeometry(option.rect);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const AbstractModifiableTableModel* model = m_view.GetTableModel();
        if (!model || !model->IsAddNewItemRow(index.row())) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        const auto& colors = UnificationColors::Get();
        painter->save();
        painter->fillRect(option.rect, option.palette.base());
        const int padding = ScaleForDpi(&m_view, CellPadding);
        QRect content = option.rect.adjusted(padding, 0, -padding, 0);
        // A small plus before the prompt.
        const int plus = ScaleForDpi(&m_view, 9);
        const QPointF centre(content.left() + plus / 2.0, option.rect.center().y() + 0.5);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(
            QPen(colors.GetFocusColor(), std::max(1.0, ScaleForDpi(&m_view, 2) * 0.75), Qt::SolidLine, Qt::RoundCap));
        painter->drawLine(QPointF(centre.x() - plus / 2.0, centre.y()), QPointF(centre.x() + plus / 2.0, centre.y()));
        painter->drawLine(QPointF(centre.x(), centre.y() - plus / 2.0), QPointF(centre.x(), centre.y() + plus / 2.0));
        content.setLeft(content.left() + plus + ScaleForDpi(&m_view, 7));
        QFont font = option.font;
        font.setItalic(true);
        painter->setFont(font);
        painter->setPen(colors.GetPlaceholderTextColor());
        const QString prompt = model->index(index.row(), 0).data(AbstractModifiableTableModel::PromptRole).toString();
        painter->drawText(content, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
            QFontMetrics(font).elidedText(prompt, Qt::ElideRight, content.width()));
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.rect = option.rect.adjusted(1, 1, -1, -1);
            m_view.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, &m_view);
        }
        painter->restore();
    }

private:
    ModifiableTableView& m_view;
};

ModifiableTableView::ModifiableTableView(QWidget* parent)
    : QTableView(parent)
{
    setHorizontalHeader(new HeaderView(this));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(ScaleForDpi(this, RowHeight));
    setItemDelegate(new ItemDelegate(*this));

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
        | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setShowGrid(false);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDropIndicatorShown(true);
    setDragDropOverwriteMode(false);

    // A light selection keeps the text dark and the duplicate marks readable.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Highlight, UnificationColors::Get().GetSelectionColor());
    palette.setColor(QPalette::HighlightedText, UnificationColors::Get().GetSelectionTextColor());
    setPalette(palette);
}

ModifiableTableView::~ModifiableTableView() = default;

void ModifiableTableView::SetTableModel(AbstractModifiableTableModel* model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    setModel(model);
    if (model) {
        // After QTableView's own handlers, which move the spans with the rows.
        connect(model, &QAbstractItemModel::rowsInserted, this, &ModifiableTableView::UpdateAddNewItemSpan);
        connect(model, &QAbstractItemModel::rowsRemoved, this, &ModifiableTableView::UpdateAddNewItemSpan);
        connect(model, &QAbstractItemModel::modelReset, this, &ModifiableTableView::UpdateAddNewItemSpan);
        connect(model, &QAbstractItemModel::layoutChanged, this, &ModifiableTableView::UpdateAddNewItemSpan);
    }
    UpdateAddNewItemSpan();
}

void ModifiableTableView::UpdateAddNewItemSpan()
{
    clearSpans();
    if (m_model && m_model->columnCount() > 1)
        setSpan(m_model->GetAddNewItemRow(), 0, 1, m_model->columnCount());
}

bool ModifiableTableView::AddNewItem(const TString& text)
{
    return m_model && m_model->AddNewItem(text);
}

bool ModifiableTableView::UpdateItem(int row, int column, const TString& text)
{
    return m_model && m_model->UpdateItem(m_model->index(row, column), text);
}

std::vector<int> ModifiableTableView::GetSelectedDataRows() const
{
    std::vector<int> rows;
    if (!m_model || !selectionModel())
        return rows;
    const int dataRows = m_model->GetNumberOfDataRows();
    std::vector<RowRange> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        const int last = std::min(range.bottom(), dataRows - 1);
        if (range.isValid() && range.top() <= last)
            ranges.emplace_back(range.top(), last);
    }
    for (const RowRange& range : MergedRanges(std::move(ranges)))
        for (int row = range.first; row <= range.second; ++row)
            rows.push_back(row);
    return rows;
}

void ModifiableTableView::SelectDataRows(int first, int count)
{
    if (!m_model || count <= 0 || first < 0 || first + count > m_model->GetNumberOfDataRows())
        return;
    const QModelIndex top = m_model->index(first, 0);
    selectionModel()->setCurrentIndex(top, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(top, m_model->index(first + count - 1, m_model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(top);
}

void ModifiableTableView::MoveSelectedItems(int targetRow, bool insertBefore)
{
    if (!m_model)
        return;
    const std::vector<int> rows = GetSelectedDataRows();
    if (rows.empty())
        return;
    std::vector<RowRange> ranges;
    for (int row : rows) {
        if (!ranges.empty() && ranges.back().second + 1 == row)
            ranges.back().second = row;
        else
            ranges.emplace_back(row, row);
    }
    QItemSelection selection;
    const int lastColumn = m_model->columnCount() - 1;
    for (const RowRange& range : ranges)
        selection.select(m_model->index(range.first, 0), m_model->index(range.second, lastColumn));

    const int dataRows = m_model->GetNumberOfDataRows();
    const int moved = RowCount(ranges);
    int newTop = -1;
    if (targetRow >= 0 && insertBefore) {
        const int gap = std::min(targetRow, dataRows);
        newTop = gap - static_cast<int>(std::count_if(rows.begin(), rows.end(), [gap](int row) { return row < gap; }));
    } else if (targetRow >= 0) {
        newTop = std::min(targetRow, dataRows - moved);
    }

    m_model->MoveItems(selection, targetRow, insertBefore);

    const int remaining = m_model->GetNumberOfDataRows();
    if (targetRow >= 0) {
        if (remaining == dataRows)
            SelectDataRows(newTop, moved);
    } else if (remaining > 0) {
        SelectDataRows(std::min(ranges.front().first, remaining - 1), 1);
    } else {
        selectionModel()->setCurrentIndex(m_model->index(remaining, 0), QItemSelectionModel::Clear);
    }
}

void ModifiableTableView::DeleteSelectedItems()
{
    if (!m_model)
        return;
    const std::vector<int> rows = GetSelectedDataRows();
    if (rows.empty())
        return;
    if (rows.size() > 1) {
        MoveSelectedItems(-1, false);
        return;
    }
    const int row = rows.front();
    m_model->EraseRow(row);
    const int remaining = m_model->GetNumberOfDataRows();
    if (remaining > 0)
        SelectDataRows(std::min(row, remaining - 1), 1);
    else
        selectionModel()->setCurrentIndex(m_model->index(remaining, 0), QItemSelectionModel::Clear);
}

void ModifiableTableView::MoveSelectionByOne(bool down)
{
    const std::vector<int> rows = GetSelectedDataRows();
    if (rows.empty())
        return;
    const int dataRows = m_model->GetNumberOfDataRows();
    const int count = static_cast<int>(rows.size());
    const bool contiguous = rows.back() - rows.front() + 1 == count;
    const int top = rows.front();
    if (!down) {
        if (contiguous && top == 0)
            return;
        MoveSelectedItems(std::max(0, top - 1), false);
    } else {
        if (contiguous && rows.back() == dataRows - 1)
            return;
        MoveSelectedItems(std::min(top + 1, dataRows - count), false);
    }
}

void ModifiableTableView::EditAddNewItemRow()
{
    if (!m_model)
        return;
    const QModelIndex index = m_model->index(m_model->GetAddNewItemRow(), 0);
    setCurrentIndex(index);
    scrollTo(index);
    setFocus(Qt::OtherFocusReason);
    edit(index);
}

void ModifiableTableView::keyPressEvent(QKeyEvent* event)
{
    if (m_model && state() != QAbstractItemView::EditingState) {
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        const int key = event->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && modifiers == Qt::NoModifier
            && !GetSelectedDataRows().empty()) {
            DeleteSelectedItems();
            event->accept();
            return;
        }
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && modifiers == Qt::ControlModifier) {
            MoveSelectionByOne(key == Qt::Key_Down);
            event->accept();
            return;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier
            && currentIndex().isValid()) {
            edit(currentIndex());
            event->accept();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void ModifiableTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (m_model && index.isValid() && m_model->IsAddNewItemRow(index.row()) && event->button() == Qt::LeftButton) {
        // One click on the prompt starts a new value.
        selectionModel()->clearSelection();
        setCurrentIndex(index);
        edit(index);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void ModifiableTableView::startDrag(Qt::DropActions)
{
    if (!m_model)
        return;
    const std::vector<int> rows = GetSelectedDataRows();
    if (rows.empty())
        return;
    QModelIndexList indexes;
    for (int row : rows)
        indexes << m_model->index(row, 0);
    QMimeData* mime = m_model->mimeData(indexes);
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    // The first dragged row as it looks, so the user sees what moves.
    const QModelIndex first = m_model->index(rows.front(), 0);
    QRect rowRect = visualRect(first).united(visualRect(m_model->index(rows.front(), m_model->columnCount() - 1)));
    rowRect = rowRect.intersected(viewport()->rect());
    if (rowRect.isValid()) {
        drag->setPixmap(viewport()->grab(rowRect));
        drag->setHotSpot(QPoint(ScaleForDpi(this, 12), rowRect.height() / 2));
    }
    // The drop performs the move itself; nothing is left to do when the drag ends.
    drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void ModifiableTableView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!m_model || m_model->RowsFromMimeData(event->mimeData()).empty()) {
        event->ignore();
        return;
    }
    QTableView::dragMoveEvent(event);
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

int ModifiableTableView::DropTargetRow(const QPoint& position) const
{
    const int dataRows = m_model ? m_model->GetNumberOfDataRows() : 0;
    const QModelIndex index = indexAt(position);
    if (!index.isValid() || index.row() >= dataRows)
        return dataRows;
    const QRect rect = visualRect(index);
    return position.y() < rect.center().y() ? index.row() : index.row() + 1;
}

void ModifiableTableView::dropEvent(QDropEvent* event)
{
    const std::vector<int> rows = m_model ? m_model->RowsFromMimeData(event->mimeData()) : std::vector<int>();
    if (rows.empty()) {
        event->ignore();
        return;
    }
    const int target = DropTargetRow(event->pos());
    const bool contiguous = rows.back() - rows.front() + 1 == static_cast<int>(rows.size());
    // Dropped into the gap the rows came from, or right after them: nothing moves.
    if (!contiguous || target < rows.front() || target > rows.back() + 1) {
        // The rows dragged are the ones to move, whatever the selection became meanwhile.
        QItemSelection selection;
        for (int row : rows)
            selection.select(m_model->index(row, 0), m_model->index(row, m_model->columnCount() - 1));
        selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        MoveSelectedItems(target, true);
    }
    event->setDropAction(Qt::MoveAction);
    event->accept();
    stopAutoScroll();
    setState(QAbstractItemView::NoState);
    viewport()->update();
}
