#include "host/ui/IMainWindow.h"

#include <algorithm>
#include <vector>

namespace {
// GUI thread only, like every widget.
std::vector<IMainWindow*>& LiveMainWindows()
{
    static std::vector<IMainWindow*> windows;
    return windows;
}
} // namespace

IMainWindow* IMainWindow::Get()
{
    const auto& windows = LiveMainWindows();
    return windows.empty() ? nullptr : windows.back();
}

IMainWindow::IMainWindow()
{
    LiveMainWindows().push_back(this);
}

IMainWindow::~IMainWindow()
{
    WithdrawMainWindow();
}

void IMainWindow::WithdrawMainWindow()
{
    auto& windows = LiveMainWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}
