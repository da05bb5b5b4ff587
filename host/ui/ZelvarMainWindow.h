#pragma once

#include "host/ui/FloatingWindowsManager.h"
#include "host/ui/IMainWindow.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QMainWindow>

// A main window for a process that hosts the dialogs (the demo's launcher, a test): it answers
// IMainWindow::Get() while it lives, owns the floating-windows manager, suspends the floating
// windows while it is minimised and takes the ones that follow it along when it moves.
class ZELHOST_UI_EXPORT ZelvarMainWindow : public QMainWindow, public IMainWindow
{
    Q_OBJECT

public:
    explicit ZelvarMainWindow(QWidget* parent = nullptr);
    ~ZelvarMainWindow() override;

    IFloatingWindowsManager& GetFloatingWindowsManager() override { return m_floatingWindowsManager; }
    QWidget* GetMainWidget() override { return this; }
    // The manager with its own operations (views, suspension).
    FloatingWindowsManager& GetManager() { return m_floatingWindowsManager; }

protected:
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    FloatingWindowsManager m_floatingWindowsManager;
    bool m_suspendedWhileMinimized = false;
};
