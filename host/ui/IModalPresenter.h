#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QPoint>
#include <QtCore/QPointer>
#include <QtCore/QString>
#include <QtWidgets/QMessageBox>

class QAction;
class QMenu;
class QUrl;
class QWidget;

// Everything a message box is shown with, so that a replaced presenter can check it.
struct ZELHOST_UI_EXPORT MessageBoxRequest
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::WindowModality modality = Qt::ApplicationModal;
    // The resolved parent: the caller's, else the active window, else none.
    QPointer<QWidget> parent;
};

// Where the toolkit's modal questions go: TMessageBox and TMenu ask through the current
// presenter, TBeep sounds its refusals through it, and TOpenUrl hands addresses to the desktop
// through it. The default one shows the real QMessageBox and QMenu and waits for the user, and
// starts the desktop's browser; tests and the offscreen tour put their own in place so that nothing
// ever waits for a human or opens a window outside the application.
class ZELHOST_UI_EXPORT IModalPresenter
{
public:
    virtual ~IModalPresenter();

    // Returns the button pressed, or NoButton when the box was dismissed without one.
    virtual QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) = 0;
    // Runs `menu` modally at the global position (`at` is the action to put under the cursor);
    // returns the chosen action, or null when the menu was dismissed.
    virtual QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at) = 0;
    // A refusal without words (a value a list will not take). The default rings the system bell.
    virtual void Beep();
    // Opens `url` with the desktop's handler for it (a browser for a web address); false when none
    // would take it. The default asks QDesktopServices.
    virtual bool OpenUrl(const QUrl& url);
};

ZELHOST_UI_EXPORT IModalPresenter& GetModalPresenter();
ZELHOST_UI_EXPORT IModalPresenter& GetDefaultModalPresenter();
// Makes `presenter` (not owned; null: the default) current and returns the one it replaced.
// GUI thread only, like the dialogs that ask.
ZELHOST_UI_EXPORT IModalPresenter* SetModalPresenter(IModalPresenter* presenter);

// Puts a presenter in place for a scope and restores the previous one when the scope ends.
class ZELHOST_UI_EXPORT ScopedModalPresenter
{
public:
    explicit ScopedModalPresenter(IModalPresenter& presenter);
    ~ScopedModalPresenter();

    ScopedModalPresenter(const ScopedModalPresenter&) = delete;
    ScopedModalPresenter& operator=(const ScopedModalPresenter&) = delete;

private:
    IModalPresenter* m_previous;
};
