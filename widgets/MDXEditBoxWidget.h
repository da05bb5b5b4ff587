#pragma once

#include "host/doc/StringTable.h"
#include "host/doc/TString.h"
#include "host/ui/ITabOrder.h"
#include "main/ZelDialogExport.h"

#include <QtWidgets/QWidget>

#include <memory>

namespace Ui {
class MDXEditBoxWidget;
}

// The formula area of the calculated members dialog: a multi-line MDX editor (the toolkit's
// ScintillaEditBox, which colours the text), a "Check Formula" and a "Clear" button, and a message
// line of an icon and a wrapped text. It knows nothing of MDX: the owner checks a formula through
// IMDXEditBoxWidgetNotify::ValidateFormula and hears of every change of the text through
// OnFormulaChanged; it may also show errors of its own (an invalid name) in the message line.
//
// The widget owns its form; the notify belongs to the owner and must outlive the widget or be
// replaced first. Sends no commands.
class ZELDIALOG_EXPORT MDXEditBoxWidget : public QWidget, public ITabOrder
{
    Q_OBJECT

public:
    class ZELDIALOG_EXPORT IMDXEditBoxWidgetNotify
    {
    public:
        virtual void OnFormulaChanged(MDXEditBoxWidget* sender) = 0;
        // The error text for the formula; empty when the formula is valid.
        virtual TString ValidateFormula(const TString& formula) = 0;
        virtual ~IMDXEditBoxWidgetNotify();
    };

    explicit MDXEditBoxWidget(QWidget* parent = nullptr);
    ~MDXEditBoxWidget() override;

    void SetNotify(IMDXEditBoxWidgetNotify* notify, const TString& name);

    TString GetFormula() const;
    void SetFormula(const TString& text);
    void ClearFormula();
    // False with the empty-formula text for an empty editor (the notify is not asked), else the
    // notify's verdict. Checking a formula before SetNotify raises the logic exception.
    bool CheckFormula(TString& error);
    void ClearMessage();
    void ShowError(const TString& text, bool focusEditor);

    // Only the two buttons are chained: previous -> "Check Formula" -> "Clear" -> next.
    void SetTabOrder(QWidget* previous, QWidget* next) override;
    QWidget* GetFirstTabWidget() const override;
    QWidget* GetLastTabWidget() const override;

private slots:
    void OnCheckFormula();
    void OnClearFormula();
    void OnFormulaTextChanged();

private:
    void ShowMessage(const TString& text, QtZelResourceId icon);

    bool m_visible = true;
    TString m_name;
    IMDXEditBoxWidgetNotify* m_notify = nullptr;
    std::unique_ptr<Ui::MDXEditBoxWidget> m_ui;
};
