#include "host/ui/ZelvarMainWindow.h"

#include <QtGui/QMoveEvent>

ZelvarMainWindow::ZelvarMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
}

ZelvarMainWindow::~ZelvarMainWindow()
{
    // Floating windows that are children of this one are destroyed by the QWidget base, after the
    // manager: they must not find this window as the main window any more.
    WithdrawMainWindow();
}

void ZelvarMainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const bool minimized = isMinimized();
        if (minimized && !m_suspendedWhileMinimized) {
            m_suspendedWhileMinimized = true;
            m_floatingWindowsManager.SuspendFloatingWindows(IFloatingWindowsManager::FloatContext_MainWindowMinimized);
        } else if (!minimized && m_suspendedWhileMinimized) {
            m_suspendedWhileMinimized = false;
            m_floatingWindowsManager.ResumeFloatingWindows(IFloatingWindowsManager::FloatContext_MainWindowMinimized);
        }
    }
    QMainWindow::changeEvent(event);
}

void ZelvarMainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // Placing the window before it is shown is not a move that the floating windows follow.
    if (isVisible())
        m_floatingWindowsManager.MoveFloatingWindowsBy(event->pos() - event->oldPos());
}
