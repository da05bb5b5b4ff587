#pragma once

#include "host/ui/ZelHostUiExport.h"

class IFloatingWindowsManager;
class QWidget;

// The application's main window as the rest of the host sees it. There is at most one that Get()
// answers: the most recently made one still alive. A process without one (a test, a command-line
// tool) gets null, and code that would involve the main window then works without it.
class ZELHOST_UI_EXPORT IMainWindow
{
public:
    static IMainWindow* Get();

    IMainWindow(const IMainWindow&) = delete;
    IMainWindow& operator=(const IMainWindow&) = delete;

    virtual IFloatingWindowsManager& GetFloatingWindowsManager() = 0;
    virtual QWidget* GetMainWidget() = 0;

protected:
    // Becomes what Get() answers.
    IMainWindow();
    virtual ~IMainWindow();

    // Stops Get() from answering this window. An implementation calls it first thing in its
    // destructor, so that nothing destroyed after it (its floating windows) finds a main window
    // whose parts are already gone. Calling it again does nothing.
    void WithdrawMainWindow();
};
