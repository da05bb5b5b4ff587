#include "host/ui/FloatingWindowsManager.h"

#include "host/doc/Exceptions.h"
#include "host/ui/FloatingWindow.h"

#include <QtWidgets/QWidget>

#include <algorithm>

namespace {
constexpr const char* SourcePath = "host/ui/FloatingWindowsManager";

bool IsSingleView(int view)
{
    return view != 0 && (view & (view - 1)) == 0 && (view & ~IFloatingWindowsManager::AllViews) == 0;
}
} // namespace

FloatingWindowsManager::~FloatingWindowsManager()
{
    for (const Entry& entry : m_windows)
        SetRegisteredManager(*entry.window, nullptr);
}

void FloatingWindowsManager::RegisterFloatingWindow(FloatingWindow* window, QFlags<Availability> availability)
{
    ZEL_LOGIC_CHECK(SourcePath, window != nullptr);
    IFloatingWindowsManager* previous = GetRegisteredManager(*window);
    if (previous && previous != this)
        previous->UnregisterFloatingWindow(window);

    auto it = std::find_if(
        m_windows.begin(), m_windows.end(), [window](const Entry& entry) { return entry.window == window; });
    if (it == m_windows.end())
        m_windows.push_back(Entry {window, availability});
    else
        it->availability = availability;
    SetRegisteredManager(*window, this);

    const Entry entry {window, availability};
    const bool suspend = ShouldBeSuspended(entry);
    if (suspend != window->IsFloatSuspended())
        window->SetFloatSuspended(suspend, m_suspendCount > 0 ? m_suspendContext : FloatContext_ViewChanged);
}

void FloatingWindowsManager::UnregisterFloatingWindow(FloatingWindow* window)
{
    auto it = std::find_if(
        m_windows.begin(), m_windows.end(), [window](const Entry& entry) { return entry.window == window; });
    if (it == m_windows.end())
        return;
    SetRegisteredManager(*window, nullptr);
    m_windows.erase(it);
}

bool FloatingWindowsManager::IsFloatingWindowRegistered(const FloatingWindow* window) const
{
    return Find(window) != nullptr;
}

QFlags<IFloatingWindowsManager::Availability> FloatingWindowsManager::GetAvailability(
    const FloatingWindow* window) const
{
    const Entry* entry = Find(window);
    return entry ? entry->availability : QFlags<Availability>();
}

std::vector<FloatingWindow*> FloatingWindowsManager::GetFloatingWindows() const
{
    std::vector<FloatingWindow*> windows;
    windows.reserve(m_windows.size());
    for (const Entry& entry : m_windows)
        windows.push_back(entry.window);
    return windows;
}

void FloatingWindowsManager::SetCurrentView(Availability view)
{
    ZEL_LOGIC_CHECK(SourcePath, IsSingleView(view));
    if (m_currentView == view)
        return;
    m_currentView = view;
    UpdateAll(FloatContext_ViewChanged);
}

void FloatingWindowsManager::SuspendFloatingWindows(FloatContext context)
{
    ++m_suspendCount;
    if (m_suspendCount == 1) {
        m_suspendContext = context;
        UpdateAll(context);
    }
}

void FloatingWindowsManager::ResumeFloatingWindows(FloatContext context)
{
    ZEL_LOGIC_CHECK(SourcePath, m_suspendCount > 0);
    --m_suspendCount;
    if (m_suspendCount == 0)
        UpdateAll(context);
}

void FloatingWindowsManager::MoveFloatingWindowsBy(const QPoint& delta)
{
    if (delta.isNull())
        return;
    for (FloatingWindow* window : GetFloatingWindows()) {
        if (!IsFloatingWindowRegistered(window) || !window->ShouldMoveWithParent())
            continue;
        // The windows are widgets through their other base.
        if (auto* widget = dynamic_cast<QWidget*>(window); widget && widget->isWindow())
            widget->move(widget->pos() + delta);
    }
}

bool FloatingWindowsManager::ShouldBeSuspended(const Entry& entry) const
{
    return m_suspendCount > 0 || !(entry.availability & m_currentView);
}

void FloatingWindowsManager::UpdateAll(FloatContext context)
{
    // A copy: a window may unregister itself, or another one, while it changes state.
    for (FloatingWindow* window : GetFloatingWindows()) {
        const Entry* entry = Find(window);
        if (!entry)
            continue;
        const bool suspend = ShouldBeSuspended(*entry);
        if (suspend != window->IsFloatSuspended())
            window->SetFloatSuspended(suspend, context);
    }
}

const FloatingWindowsManager::Entry* FloatingWindowsManager::Find(const FloatingWindow* window) const
{
    auto it = std::find_if(
        m_windows.begin(), m_windows.end(), [window](const Entry& entry) { return entry.window == window; });
    return it == m_windows.end() ? nullptr : &*it;
}
