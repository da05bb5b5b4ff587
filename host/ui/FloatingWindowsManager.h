#pragma once

#include "host/ui/IFloatingWindowsManager.h"
#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QPoint>

#include <vector>

// The main window's manager of floating windows. A window is suspended while any of these holds:
// the manager is suspended as a whole (nested Suspend/Resume pairs, e.g. around a modal dialog or
// while the main window is minimised), or the window is not available in the main window's current
// view. It is resumed as soon as none holds.
//
// The manager does not own the windows. It tells a window of every change by
// FloatingWindow::SetFloatSuspended; a window may unregister (or be destroyed) from inside that
// call, so the manager never keeps an iterator across it.
class ZELHOST_UI_EXPORT FloatingWindowsManager final : public IFloatingWindowsManager
{
public:
    FloatingWindowsManager() = default;
    FloatingWindowsManager(const FloatingWindowsManager&) = delete;
    FloatingWindowsManager& operator=(const FloatingWindowsManager&) = delete;
    // Lets go of the windows still registered, leaving them as they are.
    ~FloatingWindowsManager() override;

    void RegisterFloatingWindow(FloatingWindow* window, QFlags<Availability> availability) override;
    void UnregisterFloatingWindow(FloatingWindow* window) override;
    bool IsFloatingWindowRegistered(const FloatingWindow* window) const override;

    // Empty flags for a window that is not registered.
    QFlags<Availability> GetAvailability(const FloatingWindow* window) const;
    std::vector<FloatingWindow*> GetFloatingWindows() const;

    // One view flag (DocumentView at start); a value with several flags or none raises the logic
    // exception.
    void SetCurrentView(Availability view);
    Availability GetCurrentView() const { return m_currentView; }

    void SuspendFloatingWindows(FloatContext context);
    // A resume without a matching suspend raises the logic exception.
    void ResumeFloatingWindows(FloatContext context);
    bool AreFloatingWindowsSuspended() const { return m_suspendCount > 0; }

    // Moves the widgets of the windows that follow their parent (ShouldMoveWithParent) by `delta`.
    void MoveFloatingWindowsBy(const QPoint& delta);

private:
    struct Entry
    {
        FloatingWindow* window;
        QFlags<Availability> availability;
    };

    bool ShouldBeSuspended(const Entry& entry) const;
    // Brings every window to the state the manager's state asks for.
    void UpdateAll(FloatContext context);
    const Entry* Find(const FloatingWindow* window) const;

    std::vector<Entry> m_windows;
    Availability m_currentView = DocumentView;
    int m_suspendCount = 0;
    // The reason of the outermost suspension, given to windows that register during it.
    FloatContext m_suspendContext = FloatContext_None;
};
