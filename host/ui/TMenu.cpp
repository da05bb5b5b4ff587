#include "host/ui/TMenu.h"

#include "host/doc/TString.h"
#include "host/ui/IModalPresenter.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationFontUtil.h"

namespace {
QString MenuStyleSheet(const QPaintDevice* device)
{
    const auto& c = UnificationColors::Get();
    auto px = [device](int logical) { return QString::number(ScaleForDpi(device, logical)); };
    return QStringLiteral("QMenu { background-color: %1; border: 1px solid %2; padding: %3px 0px; }\n"
                          "QMenu::item { padding: %4px %5px %4px %6px; color: %7; background-color: transparent; }\n"
                          "QMenu::item:selected { background-color: %8; color: %7; }\n"
                          "QMenu::item:disabled { color: %9; }\n"
                          "QMenu::separator { height: 1px; background-color: %2; margin: %3px %6px; }\n")
        .arg(c.GetSurfaceColor().name(), c.GetBorderColor().name(), px(4), px(5), px(28), px(14),
            c.GetTextColor().name(), c.GetSelectionColor().name(), c.GetDisabledTextColor().name());
}
} // namespace

TMenu::TMenu(QWidget* parent)
    : QMenu(parent)
{
    setStyleSheet(MenuStyleSheet(this));
    setFont(UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, this));
}

TMenu::TMenu(const TString& title, QWidget* parent)
    : TMenu(parent)
{
    setTitle(title.ToQString());
}

TMenu* TMenu::AddMenu(const TString& title)
{
    auto* submenu = new TMenu(title, this);
    addMenu(submenu);
    return submenu;
}

QAction* TMenu::exec()
{
    return exec(pos());
}

QAction* TMenu::exec(const QPoint& globalPosition, QAction* at)
{
    return GetModalPresenter().ExecMenu(*this, globalPosition, at);
}
