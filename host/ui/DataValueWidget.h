#pragma once

#include "host/doc/DataValue.h"
#include "host/ui/ITabOrder.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QWidget>

class ICommandDispatcher;
class QComboBox;
class QDateEdit;
class QDateTimeEdit;
class QLineEdit;
class QStackedLayout;

// Edits one DataValue of the current data type: a text line for strings (and types it does not
// know), a whole-number or decimal line for numbers, date and date-time editors with a calendar, a
// True/False list for booleans. A null shows as an empty field. Every editor lives for the widget's
// whole life in a stacked layout, so a dialog's tab chain through GetFirstTabWidget and
// GetLastTabWidget stays valid whatever the type; Qt's focus chain skips the hidden editors. The
// widget owns its editors; the dispatcher is borrowed and must outlive it.
class ZELHOST_UI_EXPORT DataValueWidget : public QWidget, public ITabOrder
{
    Q_OBJECT

public:
    explicit DataValueWidget(QWidget* parent = nullptr);
    ~DataValueWidget() override;

    // Kept for the host-side services of the editors.
    void Initialize(const ICommandDispatcher& dispatcher);

    // Honoured by the date and date-time editors.
    void SetMinimumDate(const QDate& date);
    void SetMaximumDate(const QDate& date);

    // Shows the value. adoptType true: the widget takes the value's data type (switching editor when
    // it differs); false: keeps the current editor and only shows the value. Never emits changed().
    void SetValue(const DataValue& value, bool adoptType);
    // The editor's content parsed as the current data type; an unparseable or empty text gives the
    // type's null.
    DataValue GetValue() const;
    DataType GetDataType() const;

    QWidget* GetFirstTabWidget() const override;
    QWidget* GetLastTabWidget() const override;

protected:
    void showEvent(QShowEvent* event) override;

signals:
    // The user finished an edit that changed the value: a text editor's editing finished (Enter or
    // focus loss) with a text that differs from what SetValue showed, a date picked, a boolean
    // toggled.
    void changed();

private:
    enum class Editor
    {
        Text,
        Integer,
        Decimal,
        Date,
        DateTime,
        Boolean,
    };
    static Editor EditorFor(DataType type);
    // Gives every editor the name a screen reader should say for the widget.
    void NameEditors();
    QWidget* EditorWidget(Editor editor) const;
    QLineEdit* CurrentLineEdit() const;
    void ShowEditor(Editor editor);
    void ShowValue(const DataValue& value);
    void ApplyDateLimits();
    QDateTime NullMarker() const;
    void OnTextEditingFinished();
    void OnDateTimeChanged();
    void CommitDateTime();
    void OnBooleanActivated();

    const ICommandDispatcher* m_dispatcher = nullptr;
    DataType m_type = DT_STRING;
    Editor m_editor = Editor::Text;
    QStackedLayout* m_stack = nullptr;
    QLineEdit* m_textEdit = nullptr;
    QLineEdit* m_integerEdit = nullptr;
    QLineEdit* m_decimalEdit = nullptr;
    QDateEdit* m_dateEdit = nullptr;
    QDateTimeEdit* m_dateTimeEdit = nullptr;
    QComboBox* m_boolCombo = nullptr;
    // The text the line editors last showed or reported, so that leaving a field untouched is not a
    // change.
    QString m_shownText;
    // The date editors report every step of the user's typing; only a finished, different value
    // counts.
    QDateTime m_shownDateTime;
    // The limits the user set; the date editors keep one day below the minimum for the blank that
    // stands for a null.
    QDate m_minDate;
    QDate m_maxDate;
    bool m_showingValue = false;
};
