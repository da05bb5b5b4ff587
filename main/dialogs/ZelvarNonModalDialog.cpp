#include "main/dialogs/ZelvarNonModalDialog.h"

#include "host/ui/IMainWindow.h"

#include <algorithm>
#include <array>

namespace {
// The commands that still make sense while the user works in a floating window (saving, undo,
// switching views and the like); everything else would act on the document behind it. Sorted.
constexpr std::array<FeatureId, 28> ValidAppShortcuts {2, 11, 13, 14, 15, 19, 44, 50, 51, 52, 53, 57, 58, 59, 60, 61,
    64, 79, 98, 143, 236, 295, 296, 300, 307, 734, 735, 781};
} // namespace

ZelvarNonModalDialog::ZelvarNonModalDialog(
    QFlags<IFloatingWindowsManager::Availability> availability, QWidget* parent, bool styleAll)
    : ZelvarFramelessDialog(parent, styleAll)
    , FloatingWindow()
    , m_wantedVisible(true)
{
    setModal(false);
    if (IMainWindow* mainWindow = IMainWindow::Get())
        mainWindow->GetFloatingWindowsManager().RegisterFloatingWindow(this, availability);
}

ZelvarNonModalDialog::~ZelvarNonModalDialog()
{
    if (IMainWindow* mainWindow = IMainWindow::Get())
        mainWindow->GetFloatingWindowsManager().UnregisterFloatingWindow(this);
}

void ZelvarNonModalDialog::setVisible(bool visible)
{
    if (!IsFloatSuspended())
        ZelvarFramelessDialog::setVisible(visible);
    m_wantedVisible = visible;
}

bool ZelvarNonModalDialog::IsAppShortcutValid(FeatureId id) const
{
    return std::binary_search(ValidAppShortcuts.begin(), ValidAppShortcuts.end(), id);
}

void ZelvarNonModalDialog::OnSuspendedStateChange(bool suspended)
{
    ZelvarFramelessDialog::setVisible(suspended ? false : m_wantedVisible);
}
