#include "host/ui/SearchableComboBox.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"

#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListView>

#include <algorithm>

SearchableComboBox::SearchableComboBox(QWidget* parent)
    : ZelvarComboBox(parent)
{
}

void SearchableComboBox::SetEditableDisplayStyle(bool editable)
{
    m_editableDisplayStyle = editable;
    update();
}

void SearchableComboBox::showPopup()
{
    ZelvarComboBox::showPopup();
    // The list's frame is made by QComboBox on first use; the field goes on top of its list.
    QWidget* container = view()->parentWidget();
    if (!container)
        return;
    if (!m_search || m_search->parentWidget() != container) {
        auto* layout = qobject_cast<QBoxLayout*>(container->layout());
        if (!layout)
            return;
        m_search = new QLineEdit(container);
        m_search->setObjectName(QStringLiteral("searchField"));
        m_search->setPlaceholderText(tr("Search"));
        m_search->setClearButtonEnabled(true);
        m_search->setTextMargins(ScaleForDpi(this, 4), 0, 0, 0);
        m_search->installEventFilter(this);
        layout->insertWidget(0, m_search);
        connect(m_search, &QLineEdit::textChanged, this, &SearchableComboBox::ApplyFilter);
    }
    m_search->clear();
    // QComboBox sized the frame for the list alone.
    QRect frame = container->geometry();
    frame.setHeight(frame.height() + m_search->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::screenAt(mapToGlobal(rect().center()))) {
        const QRect available = screen->availableGeometry();
        if (frame.bottom() > available.bottom())
            frame.moveBottom(available.bottom());
    }
    container->setGeometry(frame);
    m_search->setFocus(Qt::PopupFocusReason);
}

void SearchableComboBox::hidePopup()
{
    ZelvarComboBox::hidePopup();
    if (m_search)
        m_search->clear();
}

bool SearchableComboBox::IsMatch(int row) const
{
    const QString text = m_search ? m_search->text() : QString();
    return text.isEmpty() || itemText(row).contains(text, Qt::CaseInsensitive);
}

std::vector<int> SearchableComboBox::GetMatchingRows() const
{
    std::vector<int> rows;
    for (int row = 0; row < count(); ++row)
        if (IsMatch(row))
            rows.push_back(row);
    return rows;
}

void SearchableComboBox::ApplyFilter()
{
    auto* list = qobject_cast<QListView*>(view());
    if (!list)
        return;
    int first = -1;
    for (int row = 0; row < count(); ++row) {
        const bool match = IsMatch(row);
        list->setRowHidden(row, !match);
        if (match && first < 0)
            first = row;
    }
    // The current item stays highlighted while it matches; else the first match is.
    const QModelIndex current = list->currentIndex();
    if (!current.isValid() || list->isRowHidden(current.row()))
        list->setCurrentIndex(first >= 0 ? model()->index(first, modelColumn(), rootModelIndex()) : QModelIndex());
}

void SearchableComboBox::MoveToMatch(int step)
{
    const std::vector<int> rows = GetMatchingRows();
    if (rows.empty())
        return;
    const int current = view()->currentIndex().row();
    auto it = std::find(rows.begin(), rows.end(), current);
    int next = rows.front();
    if (it != rows.end()) {
        const auto position = std::distance(rows.begin(), it) + step;
        next = rows[static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(position, 0, rows.size() - 1))];
    }
    view()->setCurrentIndex(model()->index(next, modelColumn(), rootModelIndex()));
}

void SearchableComboBox::PickCurrentMatch()
{
    const QModelIndex current = view()->currentIndex();
    if (!current.isValid() || !IsMatch(current.row()))
        return;
    const int row = current.row();
    hidePopup();
    setCurrentIndex(row);
    emit activated(row);
    emit textActivated(itemText(row));
}

bool SearchableComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Down:
            MoveToMatch(1);
            return true;
        case Qt::Key_Up:
            MoveToMatch(-1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            PickCurrentMatch();
            return true;
        case Qt::Key_Escape:
            hidePopup();
            return true;
        default:
            break;
        }
    }
    return ZelvarComboBox::eventFilter(watched, event);
}

void SearchableComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typing && count() > 0) {
        showPopup();
        if (m_search) {
            m_search->setText(text);
            event->accept();
            return;
        }
    }
    ZelvarComboBox::keyPressEvent(event);
}

void SearchableComboBox::paintEvent(QPaintEvent* event)
{
    ZelvarComboBox::paintEvent(event);
    if (!m_editableDisplayStyle || GetComboBoxLook() != CBL_Unification)
        return;
    // The divider that sets the chevron apart from the text, as text fields with a button show it.
    QPainter painter(this);
    const QRect arrow = GetArrowRect();
    const int inset = ScaleForDpi(this, 5);
    painter.fillRect(QRect(arrow.left(), inset, 1, height() - 2 * inset), UnificationColors::Get().GetBorderColor());
}
