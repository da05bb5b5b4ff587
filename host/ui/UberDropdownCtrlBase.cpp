#include "host/ui/UberDropdownCtrlBase.h"

#include "host/ui/ScaleForDpi.h"

#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStylePainter>

#include <algorithm>

namespace {
constexpr int MinimumTextChars = 8;
constexpr int MaximumHintTextChars = 40;
} // namespace

UberDropdownCtrlBase::UberDropdownCtrlBase(QWidget* parent)
    : QFrame(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

UberDropdownCtrlBase::~UberDropdownCtrlBase() = default;

void UberDropdownCtrlBase::setPopupWidget(QWidget* popup)
{
    if (popup == m_popup)
        return;
    delete m_popup;
    m_popup = popup;
    m_popupShown = false;
    if (!m_popup)
        return;
    // A child window: deleted with the control, yet drawn over everything else.
    m_popup->setParent(this, Qt::Popup);
    // A click on the control that closes the pop-up must not open it again at once.
    m_popup->setAttribute(Qt::WA_NoMouseReplay);
    m_popup->installEventFilter(this);
    m_popup->hide();
    updateGeometry();
    update();
}

QWidget* UberDropdownCtrlBase::popupWidget() const
{
    return m_popup;
}

void UberDropdownCtrlBase::setWindowsEditableDisplayStyle(bool editable)
{
    if (m_editableLook == editable)
        return;
    m_editableLook = editable;
    update();
}

bool UberDropdownCtrlBase::windowsEditableDisplayStyle() const
{
    return m_editableLook;
}

void UberDropdownCtrlBase::ShowPopup()
{
    if (!m_popup || !isEnabled() || m_popup->isVisible())
        return;
    m_popup->ensurePolished();
    QSize size = m_popup->sizeHint().expandedTo(m_popup->minimumSizeHint());
    size.setWidth(std::max(size.width(), width()));
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = QApplication::screenAt(mapToGlobal(rect().center()))) {
        const QRect available = screen->availableGeometry();
        // Above the control when there is no room below it, and never off the screen's sides.
        if (at.y() + size.height() > available.bottom()
            && mapToGlobal(QPoint(0, 0)).y() - size.height() >= available.top())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(std::max(available.left(), std::min(at.x(), available.right() - size.width() + 1)));
    }
    m_popup->setGeometry(QRect(at, size));
    m_popupShown = true;
    m_popup->show();
    m_popup->raise();
    m_popup->setFocus(Qt::PopupFocusReason);
    update();
}

void UberDropdownCtrlBase::HidePopup()
{
    if (m_popup)
        m_popup->hide();
}

bool UberDropdownCtrlBase::IsPopupVisible() const
{
    return m_popup && m_popup->isVisible();
}

QString UberDropdownCtrlBase::GetDisplayText() const
{
    return m_popup ? m_popup->windowTitle() : QString();
}

void UberDropdownCtrlBase::InitStyleOption(QStyleOptionComboBox* option) const
{
    option->initFrom(this);
    option->editable = m_editableLook;
    option->frame = true;
    option->subControls = QStyle::SC_ComboBoxFrame | QStyle::SC_ComboBoxArrow | QStyle::SC_ComboBoxEditField;
    option->currentText = GetDisplayText();
    if (m_popupShown) {
        option->state |= QStyle::State_On;
        option->activeSubControls = QStyle::SC_ComboBoxArrow;
    }
}

QSize UberDropdownCtrlBase::sizeHint() const
{
    QStyleOptionComboBox option;
    InitStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('x'));
    const int textWidth = std::clamp(
        metrics.horizontalAdvance(GetDisplayText()), MinimumTextChars * charWidth, MaximumHintTextChars * charWidth);
    const QSize contents(textWidth, std::max(metrics.height(), 14));
    return style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this)
        .expandedTo(QApplication::globalStrut());
}

QSize UberDropdownCtrlBase::minimumSizeHint() const
{
    QStyleOptionComboBox option;
    InitStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const QSize contents(
        MinimumTextChars * metrics.horizontalAdvance(QLatin1Char('x')), std::max(metrics.height(), 14));
    return style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this)
        .expandedTo(QApplication::globalStrut());
}

void UberDropdownCtrlBase::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    InitStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);

    // The style leaves the text of an editable combo box to its line edit, so the control draws it
    // itself in both looks.
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QRect textRect = field.adjusted(ScaleForDpi(this, m_editableLook ? 3 : 1), 0, -ScaleForDpi(this, 2), 0);
    const QPalette::ColorRole role = m_editableLook ? QPalette::Text : QPalette::ButtonText;
    painter.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, role));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        fontMetrics().elidedText(option.currentText, Qt::ElideRight, textRect.width()));

    if (hasFocus() && !m_editableLook) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = textRect.adjusted(-1, 1, 1, -1);
        focus.backgroundColor = palette().color(QPalette::Button);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void UberDropdownCtrlBase::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    event->accept();
    if (IsPopupVisible())
        HidePopup();
    else
        ShowPopup();
}

void UberDropdownCtrlBase::keyPressEvent(QKeyEvent* event)
{
    const bool altDown = event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier);
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (altDown || (plain && (event->key() == Qt::Key_F4 || event->key() == Qt::Key_Space))) {
        event->accept();
        ShowPopup();
        return;
    }
    QFrame::keyPressEvent(event);
}

bool UberDropdownCtrlBase::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_popup && event->type() == QEvent::Hide && m_popupShown) {
        m_popupShown = false;
        update();
    }
    return QFrame::eventFilter(watched, event);
}

void UberDropdownCtrlBase::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        HidePopup();
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        updateGeometry();
    QFrame::changeEvent(event);
}
