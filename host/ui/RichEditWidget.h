#pragma once

#include "host/doc/FormattedText.h"
#include "host/ui/ITabOrder.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtGui/QColor>
#include <QtWidgets/QWidget>

class QTextEdit;
class QToolButton;

// The default text style of a rich-text editor; empty members take the widget's font and colour.
struct ZELHOST_UI_EXPORT TextStyle
{
    QString family;
    int pointSize = 0;
    QColor color;
};

// Formatted comment text: a row of bold/italic/underline toggles over a text editor, with an
// optional thin ruler between them. The tool buttons take no focus, so the text editor is both ends
// of the tab chain.
class ZELHOST_UI_EXPORT RichEditWidget : public QWidget, public ITabOrder
{
    Q_OBJECT

public:
    // alignment: Qt::Alignment flags of new paragraphs; 0 is left.
    RichEditWidget(const TextStyle& style, int alignment, QWidget* parent);
    ~RichEditWidget() override;

    void SetShowRuler(bool show);
    bool IsRulerShown() const;

    // Does not emit textChanged.
    void SetFormattedText(const FormattedText& text);
    // An empty document gives an empty FormattedText.
    FormattedText GetFormattedText() const;

    QWidget* GetFirstTabWidget() const override;
    QWidget* GetLastTabWidget() const override;

signals:
    // User edits only.
    void textChanged();

private:
    void ApplyDefaultStyle();
    void UpdateToolButtons();
    void OnBoldToggled(bool on);
    void OnItalicToggled(bool on);
    void OnUnderlineToggled(bool on);

    TextStyle m_style;
    int m_alignment = 0;
    QTextEdit* m_edit = nullptr;
    QWidget* m_ruler = nullptr;
    QToolButton* m_boldButton = nullptr;
    QToolButton* m_italicButton = nullptr;
    QToolButton* m_underlineButton = nullptr;
    bool m_settingText = false;
};
