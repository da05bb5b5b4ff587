#pragma once

#include "host/ui/FloatingWindow.h"
#include "main/ZelDialogExport.h"
#include "main/dialogs/ZelvarFramelessDialog.h"

// A frameless dialog that stays open beside the main window without blocking it. For its lifetime
// it is registered with the main window's floating-windows manager (when there is a main window):
// while the manager suspends it, it is hidden, and calls to setVisible only record what the caller
// wants; when the suspension ends it takes the visibility last asked for.
//
// While it has the focus, only the application shortcuts of IsAppShortcutValid stay active.
class ZELDIALOG_EXPORT ZelvarNonModalDialog : public ZelvarFramelessDialog, public FloatingWindow
{
public:
    ZelvarNonModalDialog(QFlags<IFloatingWindowsManager::Availability> availability, QWidget* parent, bool styleAll);
    ~ZelvarNonModalDialog() override;

    void setVisible(bool visible) override;
    bool IsAppShortcutValid(FeatureId id) const override;

protected:
    void OnSuspendedStateChange(bool suspended) override;

private:
    // The last value given to setVisible, suspended or not.
    bool m_wantedVisible = true;
};
