#pragma once

#include "apps/drivers/FormDriver.h"

class HierarchySelectWidget;

namespace Zel::Drivers {

// What a user does to the host's member picker: the search box, the rows of the tree, its keys.
// The picker's parts are found by their object names ("memberTree", "searchBox", "searchResults").
class MemberPickerDriver : public FormDriver
{
public:
    explicit MemberPickerDriver(HierarchySelectWidget& picker);

    HierarchySelectWidget& Picker() const noexcept { return m_picker; }

    // Runs the event loop until the picker has shown its hierarchy's top and the posted work that
    // follows (a dialog's own reaction to it) has run.
    void WaitForTree() const;
    // Types into the search box and presses Return: the host's matches replace the tree.
    void Search(const QString& text) const;
    // Empties the search box, which shows the tree again.
    void ClearSearch() const;
    // Finds a member by searching for its caption and clicking the result with the unique name; the
    // search is cleared afterwards.
    void Pick(const QString& caption, const QString& uniqueName) const;
    // Clicks the row `row` of the tree as it is laid out now, scrolling it into view first.
    void ClickRow(qint64 row) const;
    // A key pressed in the tree.
    void Press(Qt::Key key) const;
    // Lets the tree paint what it shows now (which loads what comes into view).
    void Paint() const;

private:
    HierarchySelectWidget& m_picker;
};

} // namespace Zel::Drivers
