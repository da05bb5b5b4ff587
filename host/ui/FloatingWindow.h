#pragma once

#include "host/ui/IFloatingWindowsManager.h"
#include "host/ui/ZelHostUiExport.h"

#include <cstdint>

// A command of the host's, as its application shortcuts name it.
using FeatureId = std::int32_t;

// The floating-window side of a window that the main window's manager may suspend (hide) and
// resume. It is not a widget: the window class derives from its widget base and from this, and
// reacts to OnSuspendedStateChange by hiding or showing itself.
//
// A window that is destroyed while still registered takes itself out of the manager that knows
// it, so a manager never holds a dangling window, whatever the order of destruction.
class ZELHOST_UI_EXPORT FloatingWindow
{
public:
    FloatingWindow();
    FloatingWindow(const FloatingWindow&) = delete;
    FloatingWindow& operator=(const FloatingWindow&) = delete;
    virtual ~FloatingWindow();

    virtual bool IsFloatSuspended() const;
    // Records the state and the reason; OnSuspendedStateChange runs only when the state changes.
    virtual void SetFloatSuspended(bool suspended, IFloatingWindowsManager::FloatContext context);
    // Whether the window keeps its place relative to the main window when that one moves.
    virtual bool ShouldMoveWithParent() const;
    // Whether the application shortcut of `id` stays active while this window has the focus;
    // by default none does, so that keys typed here do not act on the document behind.
    virtual bool IsAppShortcutValid(FeatureId id) const;

    // The reason given with the last change of the suspended state.
    IFloatingWindowsManager::FloatContext GetFloatContext() const { return m_floatContext; }

protected:
    virtual void OnSuspendedStateChange(bool suspended);
    // Whether the window may be shown now.
    virtual bool CanShow() const;

private:
    friend class IFloatingWindowsManager;

    bool m_floatSuspended = false;
    IFloatingWindowsManager::FloatContext m_floatContext = IFloatingWindowsManager::FloatContext_None;
    // The manager that has this window registered, if any.
    IFloatingWindowsManager* m_manager = nullptr;
};
