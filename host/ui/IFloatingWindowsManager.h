#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtCore/QFlags>

class FloatingWindow;

// The main window's bookkeeping of its floating (non-modal, tool-like) windows. A floating window
// says in which of the main window's views it may stay up; the manager hides the others when the
// view changes, and hides all of them while something else needs the screen (a modal dialog, the
// main window being minimised), then brings each back as its owner last left it.
class ZELHOST_UI_EXPORT IFloatingWindowsManager
{
public:
    // The main window's views. A floating window registered for none of them is suspended in every
    // view; AllViews (31) keeps it up in all of them.
    enum Availability : int
    {
        DocumentView = 0x01,
        DataView = 0x02,
        StartPage = 0x04,
        PresentationMode = 0x08,
        FullScreen = 0x10,
        AllViews = DocumentView | DataView | StartPage | PresentationMode | FullScreen,
    };
    Q_DECLARE_FLAGS(Availabilities, Availability)

    // Why a floating window is suspended or resumed.
    enum FloatContext : int
    {
        FloatContext_None = 0,
        FloatContext_ViewChanged = 1,
        FloatContext_ModalDialog = 2,
        FloatContext_MainWindowMinimized = 3,
    };

    virtual ~IFloatingWindowsManager();

    // Registering a window twice updates its availability. The window is suspended at once when
    // the manager's current state says so.
    virtual void RegisterFloatingWindow(FloatingWindow* window, QFlags<Availability> availability) = 0;
    // A window the manager does not know, or null, is ignored. Never calls back into the window:
    // a window unregisters itself from its destructor, when its derived parts are already gone.
    virtual void UnregisterFloatingWindow(FloatingWindow* window) = 0;
    virtual bool IsFloatingWindowRegistered(const FloatingWindow* window) const = 0;

protected:
    // An implementation records here which manager holds a window (null when it lets it go), so
    // that a window destroyed while registered can take itself out.
    static void SetRegisteredManager(FloatingWindow& window, IFloatingWindowsManager* manager);
    static IFloatingWindowsManager* GetRegisteredManager(const FloatingWindow& window);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(IFloatingWindowsManager::Availabilities)
