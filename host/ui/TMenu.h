#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QMenu>

class TString;

// The host's pop-up menu in the flat look. Running it modally (exec) goes through the current
// modal presenter (IModalPresenter), so a test or the offscreen tour can pick the action.
// Submenus made by AddMenu are TMenus owned by this menu.
class ZELHOST_UI_EXPORT TMenu : public QMenu
{
    Q_OBJECT

public:
    explicit TMenu(QWidget* parent = nullptr);
    explicit TMenu(const TString& title, QWidget* parent = nullptr);

    TMenu* AddMenu(const TString& title);

    // These hide QMenu's non-virtual exec so that every modal run of a TMenu is seen by the
    // presenter. Returns the chosen action, or null.
    QAction* exec();
    QAction* exec(const QPoint& globalPosition, QAction* at = nullptr);
};
