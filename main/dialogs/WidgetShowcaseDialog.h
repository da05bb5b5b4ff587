#pragma once

#include "main/ZelDialogExport.h"
#include "main/dialogs/ZelvarNonModalDialog.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QPointer>

#include <memory>

namespace Ui {
class WidgetShowcaseDialog;
}

// A gallery of the toolkit's styled widgets for developers, one non-modal frameless window for the
// whole application: the ready widgets ("Beta Widgets") and the ones still in progress, each live
// with a "Documentation" page of its description, example code and arguments, an introduction, and
// a feedback page whose buttons open the issue tracker's templates for a defect report or a widget
// request.
//
// GetInstance makes the window on first use, and again once it was destroyed; the caller shows it
// and whoever owns it (its parent, or the caller) destroys it. The window sends no command. The two
// tracker addresses are preferences (BugReportUrlKey, WidgetRequestUrlKey) with defaults of their
// own; they are opened through the modal presenter seam (TOpenUrl).
//
// The dialog owns its content (in the frame's content area); each widget tab owns its entries and
// their example widgets.
class ZELDIALOG_EXPORT WidgetShowcaseDialog : public ZelvarNonModalDialog
{
    // Texts of its own in the translation context of its form; no signals or slots.
    Q_DECLARE_TR_FUNCTIONS(WidgetShowcaseDialog)

public:
    static constexpr const wchar_t* BugReportUrlKey = L"ui.showcase.feedback.bug.url";
    static constexpr const wchar_t* WidgetRequestUrlKey = L"ui.showcase.feedback.request.url";

    // The one window, made with the host's usual parent (QtUtil::ResolveParent) when there is none;
    // null only when it could not be made.
    static WidgetShowcaseDialog* GetInstance();

    // `flags` are not used: the frame decides its own.
    WidgetShowcaseDialog(QWidget* parent, QFlags<Qt::WindowType> flags);
    ~WidgetShowcaseDialog() override;

    WidgetShowcaseDialog(const WidgetShowcaseDialog&) = delete;
    WidgetShowcaseDialog& operator=(const WidgetShowcaseDialog&) = delete;

    // The argument (a button's checked state) is not used.
    void OnBugFeedbackButtonClicked(bool checked);
    void OnWidgetRequestButtonClicked(bool checked);

private:
    void InitializeFeedbackTab();
    void InitializeWidgets();

    static QPointer<WidgetShowcaseDialog> s_instance;

    std::unique_ptr<Ui::WidgetShowcaseDialog> m_ui;
};
