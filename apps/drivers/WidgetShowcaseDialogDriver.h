#pragma once

#include "apps/drivers/FormDriver.h"

#include <QtCore/QStringList>

class ShowcaseDisplayWidget;
class ShowcaseListWidget;
class WidgetShowcaseDialog;

namespace Zel::Drivers {

// What a user does to the widget showcase, by the names of its controls. A widget tab is named by
// its display widget ("enabledWidgets", "disabledWidgets"), an entry by its title.
class WidgetShowcaseDialogDriver : public FormDriver
{
public:
    explicit WidgetShowcaseDialogDriver(WidgetShowcaseDialog& dialog);

    WidgetShowcaseDialog& Dialog() const noexcept { return m_dialog; }
    // Shows the window and lets it lay itself out.
    void Open() const;
    // Clicks the tab whose page is named `tabPage` ("betaWidgetsTab", "getStarted", ...).
    void ShowTab(const char* tabPage) const;
    ShowcaseDisplayWidget& Display(const char* display) const;
    // The titles of the rows a widget tab shows now, top to bottom.
    QStringList EntryNames(const char* display) const;
    ShowcaseListWidget& Row(const char* display, const QString& entry) const;
    // Clicks the "Documentation" link of an entry's row.
    void OpenDocumentation(const char* display, const QString& entry) const;
    // Clicks "< Back" on a tab's details page, then lets the old rows go.
    void Back(const char* display) const;

private:
    WidgetShowcaseDialog& m_dialog;
};

} // namespace Zel::Drivers
