#pragma once

#include "host/doc/DataValue.h"
#include "host/doc/ValueFormat.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The pop-up of a format picker: the formats offered for a data type, each with the sample text
// through it, a line for typing a custom format and the sample through the current format. The
// sample text is parsed as the data type; a text that does not parse shows no samples. Picking a
// format hides the widget's window, which closes the drop-down that shows it.
class ZELHOST_UI_EXPORT UberFormatWidget : public QWidget
{
    Q_OBJECT

public:
    explicit UberFormatWidget(QWidget* parent = nullptr);
    ~UberFormatWidget() override;

    // Refills the choices.
    void SetDataType(DataType type);
    DataType GetDataType() const;

    // Selects the matching choice, or shows the format as custom.
    void SetTextFormat(const TString& format);
    TString GetTextFormat() const;

    void SetSampleText(const TString& text);
    TString GetSampleText() const;

    // What the drop-down shows: the chosen choice's caption or the custom format, and the sample
    // through it when there is one: "Currency (2 decimals): $1,234.50".
    QString GetDisplayText() const;

signals:
    // The user picked a choice, or finished typing (Enter) a custom format that differs from the
    // current one. Never from the setters.
    void UberWidgetChanged();

private:
    void Refill();
    void SelectCurrent();
    void UpdateSample();
    bool SampleValue(DataValue& value) const;
    QString Sampled(const TString& format) const;
    void OnItemActivated(QListWidgetItem* item);
    void OnCustomEntered();
    // The user's choice: taken, the popup closed, and announced when it changed the format.
    void Choose(const TString& format);

    DataType m_type = DT_UNKNOWN;
    TString m_format;
    TString m_sampleText;
    std::vector<FormatChoice> m_choices;
    QListWidget* m_list = nullptr;
    QLineEdit* m_customEdit = nullptr;
    QLabel* m_sampleLabel = nullptr;
};
