#include "host/ui/FloatingWindow.h"

IFloatingWindowsManager::~IFloatingWindowsManager() = default;

void IFloatingWindowsManager::SetRegisteredManager(FloatingWindow& window, IFloatingWindowsManager* manager)
{
    window.m_manager = manager;
}

IFloatingWindowsManager* IFloatingWindowsManager::GetRegisteredManager(const FloatingWindow& window)
{
    return window.m_manager;
}

FloatingWindow::FloatingWindow() = default;

FloatingWindow::~FloatingWindow()
{
    if (m_manager)
        m_manager->UnregisterFloatingWindow(this);
}

bool FloatingWindow::IsFloatSuspended() const
{
    return m_floatSuspended;
}

void FloatingWindow::SetFloatSuspended(bool suspended, IFloatingWindowsManager::FloatContext context)
{
    m_floatContext = context;
    if (m_floatSuspended == suspended)
        return;
    m_floatSuspended = suspended;
    OnSuspendedStateChange(suspended);
}

bool FloatingWindow::ShouldMoveWithParent() const
{
    return true;
}

bool FloatingWindow::IsAppShortcutValid(FeatureId) const
{
    return false;
}

void FloatingWindow::OnSuspendedStateChange(bool)
{
}

bool FloatingWindow::CanShow() const
{
    return !m_floatSuspended;
}
