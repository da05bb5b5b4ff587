#include "host/ui/DataValueWidget.h"

#include "host/doc/DateTime.h"
#include "host/ui/QtSignalBlocker.h"

#include <QtCore/QRegularExpression>
#include <QtGui/QRegularExpressionValidator>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QDateTimeEdit>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStackedLayout>

#include <algorithm>

namespace {

// A label's text as spoken: the mnemonic's marker is not read, and a doubled one stands for itself.
QString WithoutMnemonic(const QString& text)
{
    QString spoken;
    spoken.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            spoken += text[i];
        else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
            spoken += text[++i];
    }
    return spoken;
}
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString DateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
// Shown for a null date: the editors show their special-value text at their minimum, which is kept
// one day below the user's minimum for that. An empty special text would switch the feature off.
const QString NullDateText = QStringLiteral(" ");
// The earliest date the date editors can hold, plus the day for the null.
const QDate EarliestMinimum(100, 1, 2);
const int TrueIndex = 0;
const int FalseIndex = 1;

void PrepareDateEditor(QDateTimeEdit* edit, const QString& format)
{
    edit->setDisplayFormat(format);
    edit->setCalendarPopup(true);
    edit->setSpecialValueText(NullDateText);
    edit->setKeyboardTracking(false);
}
} // namespace

DataValueWidget::DataValueWidget(QWidget* parent)
    : QWidget(parent)
    , m_minDate(DateTimeUtils::MinDateEditDate())
    , m_maxDate(DateTimeUtils::MaxDateEditDate())
{
    setFocusPolicy(Qt::NoFocus);
    m_stack = new QStackedLayout(this);
    m_stack->setContentsMargins(0, 0, 0, 0);

    // Created in tab order: the focus chain runs in creation order, and ITabOrder relies on the
    // editors following each other from the first to the last.
    m_textEdit = new QLineEdit(this);
    m_integerEdit = new QLineEdit(this);
    m_integerEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^[+-]?\\d{0,18}$")), m_integerEdit));
    m_decimalEdit = new QLineEdit(this);
    m_decimalEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^[+-]?((\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?)?$")), m_decimalEdit));
    m_dateEdit = new QDateEdit(this);
    PrepareDateEditor(m_dateEdit, DateFormat);
    m_dateTimeEdit = new QDateTimeEdit(this);
    PrepareDateEditor(m_dateTimeEdit, DateTimeFormat);
    m_boolCombo = new QComboBox(this);
    m_boolCombo->addItem(QStringLiteral("True"));
    m_boolCombo->addItem(QStringLiteral("False"));

    for (QWidget* editor : {static_cast<QWidget*>(m_textEdit), static_cast<QWidget*>(m_integerEdit),
             static_cast<QWidget*>(m_decimalEdit), static_cast<QWidget*>(m_dateEdit),
             static_cast<QWidget*>(m_dateTimeEdit), static_cast<QWidget*>(m_boolCombo)})
        m_stack->addWidget(editor);

    for (QLineEdit* edit : {m_textEdit, m_integerEdit, m_decimalEdit})
        connect(edit, &QLineEdit::editingFinished, this, &DataValueWidget::OnTextEditingFinished);
    for (QDateTimeEdit* edit : {static_cast<QDateTimeEdit*>(m_dateEdit), m_dateTimeEdit}) {
        connect(edit, &QDateTimeEdit::dateTimeChanged, this, &DataValueWidget::OnDateTimeChanged);
        connect(edit, &QDateTimeEdit::editingFinished, this, &DataValueWidget::CommitDateTime);
    }
    connect(m_boolCombo, QOverload<int>::of(&QComboBox::activated), this, &DataValueWidget::OnBooleanActivated);

    ApplyDateLimits();
    ShowEditor(Editor::Text);
    ShowValue(DataValue::Null(DT_STRING));
}

DataValueWidget::~DataValueWidget() = default;

void DataValueWidget::Initialize(const ICommandDispatcher& dispatcher)
{
    m_dispatcher = &dispatcher;
}

void DataValueWidget::SetMinimumDate(const QDate& date)
{
    if (!date.isValid())
        return;
    m_minDate = std::max(date, EarliestMinimum);
    if (m_maxDate < m_minDate)
        m_maxDate = m_minDate;
    ApplyDateLimits();
}

void DataValueWidget::SetMaximumDate(const QDate& date)
{
    if (!date.isValid())
        return;
    m_maxDate = std::max(date, EarliestMinimum);
    if (m_minDate > m_maxDate)
        m_minDate = m_maxDate;
    ApplyDateLimits();
}

QDateTime DataValueWidget::NullMarker() const
{
    return QDateTime(m_minDate.addDays(-1), QTime(0, 0), m_dateTimeEdit->timeSpec());
}

void DataValueWidget::ApplyDateLimits()
{
    // Changing the range clamps the shown date, which must not count as the user's edit.
    const bool wasShowing = m_showingValue;
    m_showingValue = true;
    const QDateTime shown = m_shownDateTime;
    m_dateEdit->setDateRange(m_minDate.addDays(-1), m_maxDate);
    m_dateTimeEdit->setDateTimeRange(NullMarker(), QDateTime(m_maxDate, QTime(23, 59, 59, 999)));
    m_showingValue = wasShowing;
    if (m_editor == Editor::Date || m_editor == Editor::DateTime) {
        const QDateTimeEdit* edit = m_editor == Editor::Date ? m_dateEdit : m_dateTimeEdit;
        m_shownDateTime = shown.isValid() ? edit->dateTime() : shown;
    }
}

DataValueWidget::Editor DataValueWidget::EditorFor(DataType type)
{
    switch (type) {
    case DT_INTEGER:
        return Editor::Integer;
    case DT_DATE:
        return Editor::Date;
    case DT_DATETIME:
        return Editor::DateTime;
    case DT_BOOLEAN:
        return Editor::Boolean;
    case DT_STRING:
    case DT_UNKNOWN:
        return Editor::Text;
    default:
        return IsNumericDataType(type) ? Editor::Decimal : Editor::Text;
    }
}

QWidget* DataValueWidget::EditorWidget(Editor editor) const
{
    switch (editor) {
    case Editor::Integer:
        return m_integerEdit;
    case Editor::Decimal:
        return m_decimalEdit;
    case Editor::Date:
        return m_dateEdit;
    case Editor::DateTime:
        return m_dateTimeEdit;
    case Editor::Boolean:
        return m_boolCombo;
    case Editor::Text:
        break;
    }
    return m_textEdit;
}

QLineEdit* DataValueWidget::CurrentLineEdit() const
{
    switch (m_editor) {
    case Editor::Text:
        return m_textEdit;
    case Editor::Integer:
        return m_integerEdit;
    case Editor::Decimal:
        return m_decimalEdit;
    default:
        return nullptr;
    }
}

void DataValueWidget::ShowEditor(Editor editor)
{
    m_editor = editor;
    QWidget* widget = EditorWidget(editor);
    // Focus follows to the new editor when the old one had it, so a type switch does not drop the
    // user's focus onto the next widget of the dialog.
    const bool hadFocus = m_stack->currentWidget() && m_stack->currentWidget()->hasFocus();
    m_stack->setCurrentWidget(widget);
    setFocusProxy(widget);
    if (hadFocus)
        widget->setFocus(Qt::OtherFocusReason);
}

void DataValueWidget::SetValue(const DataValue& value, bool adoptType)
{
    if (adoptType) {
        m_type = value.GetDataType();
        const Editor editor = EditorFor(m_type);
        if (editor != m_editor)
            ShowEditor(editor);
    }
    // A value of another type is shown as it reads in the current one; a special member keeps its
    // own text.
    if (value.GetDataType() == m_type || value.IsSpecial())
        ShowValue(value);
    else
        ShowValue(DataValue::FromVariant(m_type, value.ToQVariant()));
}

void DataValueWidget::ShowValue(const DataValue& value)
{
    const bool wasShowing = m_showingValue;
    m_showingValue = true;
    QtSignalBlocker blocker({m_textEdit, m_integerEdit, m_decimalEdit, m_boolCombo});
    switch (m_editor) {
    case Editor::Text:
    case Editor::Integer:
    case Editor::Decimal: {
        QString text;
        if (value.IsNull())
            text.clear();
        else if (value.IsSpecial())
            text = value.ToDisplayString().ToQString();
        else if (m_editor == Editor::Integer)
            text = QString::number(value.GetInt64());
        else if (m_editor == Editor::Decimal)
            text = QString::number(value.GetReal(), 'g', QLocale::FloatingPointShortest);
        else
            text = value.ToDisplayString().ToQString();
        CurrentLineEdit()->setText(text);
        m_shownText = text;
        break;
    }
    case Editor::Date:
    case Editor::DateTime: {
        QDateTimeEdit* edit = m_editor == Editor::Date ? m_dateEdit : m_dateTimeEdit;
        QDateTime shown;
        if (!value.IsSpecial()) {
            shown = m_editor == Editor::Date ? QDateTime(value.GetDate(), QTime(0, 0)) : value.GetDateTime();
            if (m_editor == Editor::DateTime && shown.isValid()) {
                edit->setTimeSpec(shown.timeSpec());
                m_dateTimeEdit->setDateTimeRange(NullMarker(), QDateTime(m_maxDate, QTime(23, 59, 59, 999)));
            }
        }
        // A value outside the limits shows as the nearest limit, not as the blank of a null.
        if (shown.isValid() && shown.date() < m_minDate)
            shown = QDateTime(m_minDate, QTime(0, 0), shown.timeSpec());
        if (shown.isValid()) {
            edit->setDateTime(shown);
        } else {
            edit->setDateTime(edit->minimumDateTime());
        }
        m_shownDateTime = shown.isValid() ? edit->dateTime() : QDateTime();
        break;
    }
    case Editor::Boolean:
        m_boolCombo->setCurrentIndex(value.IsSpecial() ? -1 : (value.GetBool() ? TrueIndex : FalseIndex));
        m_shownText = m_boolCombo->currentText();
        break;
    }
    m_showingValue = wasShowing;
}

DataValue DataValueWidget::GetValue() const
{
    switch (m_editor) {
    case Editor::Date: {
        const QDate date = m_dateEdit->date();
        return date < m_minDate ? DataValue::Null(m_type) : DataValue::FromVariant(m_type, date);
    }
    case Editor::DateTime: {
        const QDateTime dateTime = m_dateTimeEdit->dateTime();
        return dateTime.date() < m_minDate ? DataValue::Null(m_type) : DataValue::FromVariant(m_type, dateTime);
    }
    case Editor::Boolean:
        if (m_boolCombo->currentIndex() < 0)
            return DataValue::Null(m_type);
        return DataValue::FromVariant(m_type, m_boolCombo->currentIndex() == TrueIndex);
    default: {
        const QString text = CurrentLineEdit()->text();
        if (text.isEmpty())
            return DataValue::Null(m_type);
        return DataValue::FromVariant(m_type, text);
    }
    }
}

DataType DataValueWidget::GetDataType() const
{
    return m_type;
}

QWidget* DataValueWidget::GetFirstTabWidget() const
{
    return m_textEdit;
}

QWidget* DataValueWidget::GetLastTabWidget() const
{
    return m_boolCombo;
}

void DataValueWidget::OnTextEditingFinished()
{
    QLineEdit* edit = CurrentLineEdit();
    // Enter and the focus loss that follows both finish the edit; only the first is a change.
    if (!edit || sender() != edit || edit->text() == m_shownText)
        return;
    m_shownText = edit->text();
    emit changed();
}

void DataValueWidget::OnDateTimeChanged()
{
    if (m_showingValue)
        return;
    QDateTimeEdit* edit = m_editor == Editor::Date ? m_dateEdit : m_dateTimeEdit;
    if (sender() != edit)
        return;
    // A date picked in the calendar (or set while the editor is not being typed in) is finished at
    // once; typing in the editor is finished by Enter or leaving it.
    if (!edit->hasFocus() || edit->calendarWidget()->isVisible())
        CommitDateTime();
}

void DataValueWidget::CommitDateTime()
{
    if (m_showingValue || (m_editor != Editor::Date && m_editor != Editor::DateTime))
        return;
    const QDateTimeEdit* edit = m_editor == Editor::Date ? m_dateEdit : m_dateTimeEdit;
    if (sender() != edit)
        return;
    const QDateTime now = edit->dateTime().date() < m_minDate ? QDateTime() : edit->dateTime();
    if (now == m_shownDateTime)
        return;
    m_shownDateTime = now;
    emit changed();
}

void DataValueWidget::OnBooleanActivated()
{
    if (m_boolCombo->currentText() == m_shownText)
        return;
    m_shownText = m_boolCombo->currentText();
    emit changed();
}

void DataValueWidget::showEvent(QShowEvent* event)
{
    NameEditors();
    QWidget::showEvent(event);
}

void DataValueWidget::NameEditors()
{
    // The focus goes to an editor inside, which a screen reader names by itself: it finds neither the
    // widget's own name nor the label whose buddy the widget is. Both are final by the time a form
    // shows the widget.
    QString name = accessibleName();
    if (name.isEmpty() && window()) {
        for (const QLabel* label : window()->findChildren<QLabel*>()) {
            if (label->buddy() == this) {
                name = WithoutMnemonic(label->text());
                break;
            }
        }
    }
    for (Editor editor :
        {Editor::Text, Editor::Integer, Editor::Decimal, Editor::Date, Editor::DateTime, Editor::Boolean})
        EditorWidget(editor)->setAccessibleName(name);
}
