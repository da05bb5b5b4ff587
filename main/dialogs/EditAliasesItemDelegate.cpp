#include "main/dialogs/EditAliasesItemDelegate.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QAbstractItemView>

namespace {
// The column whose text an edit changes, whatever column started it.
constexpr int kEditedColumn = 2;
} // namespace

EditAliasesItemDelegate::EditAliasesItemDelegate(QAbstractItemView* view, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_view(view)
{
}

EditAliasesItemDelegate::~EditAliasesItemDelegate() = default;

void EditAliasesItemDelegate::StartEdit(const QModelIndex& index)
{
    m_editIndex = index.sibling(index.row(), kEditedColumn);
    m_view->setCurrentIndex(m_editIndex);
    m_view->edit(m_editIndex);
}

void EditAliasesItemDelegate::FinishEdit(QWidget* editor, bool commit)
{
    // Committing may open a message box, which takes the focus from the editor: that focus-out
    // must not finish the same edit a second time.
    if (!m_editIndex.isValid())
        return;
    const QModelIndex first = m_editIndex.sibling(m_editIndex.row(), 0);
    const QPersistentModelIndex current(first);
    m_editIndex = QPersistentModelIndex();
    if (commit)
        emit commitData(editor);
    emit closeEditor(editor);
    if (current.isValid())
        m_view->selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

void EditAliasesItemDelegate::MoveEdit(QWidget* editor, int rows)
{
    const QAbstractItemModel* model = m_editIndex.model();
    // Held persistently: the commit re-sorts the proxy, and the edit goes on with the member that
    // was next to the edited one.
    const QPersistentModelIndex next
        = model ? model->index(m_editIndex.row() + rows, kEditedColumn, m_editIndex.parent()) : QModelIndex();
    FinishEdit(editor, true);
    if (next.isValid())
        StartEdit(next);
}

bool EditAliasesItemDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (!editor)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
            FinishEdit(editor, false);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Down:
            MoveEdit(editor, 1);
            return true;
        case Qt::Key_Backtab:
        case Qt::Key_Up:
            MoveEdit(editor, -1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            FinishEdit(editor, true);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
        }
    case QEvent::FocusOut:
        FinishEdit(editor, true);
        return false;
    default:
        return false;
    }
}

bool EditAliasesItemDelegate::editorEvent(
    QEvent* event, QAbstractItemModel* /*model*/, const QStyleOptionViewItem& /*option*/, const QModelIndex& index)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_pressed = true;
        return false;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool start = mouse->button() == Qt::LeftButton && mouse->modifiers() == Qt::NoModifier && m_pressed;
        if (start)
            StartEdit(index);
        m_pressed = false;
        return start;
    }
    case QEvent::MouseMove:
        m_pressed = false;
        return false;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2)
            return false;
        StartEdit(index);
        return true;
    default:
        return false;
    }
}
