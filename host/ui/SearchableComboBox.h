#pragma once

#include "host/ui/ZelvarComboBox.h"

class QLineEdit;

// A combo box for long lists. Its open list has a search field on top: typing filters the list to
// the items whose text contains what was typed (case does not matter), the arrow keys walk the items
// left, and Return picks one. Typing while the combo box has the focus opens the list with the typed
// text already in the field. A pick is reported by activated(int), as for any combo box; only items
// can be picked, and the model's display texts are all it reads.
//
// The editableDisplayStyle property shows the closed combo box as a text field (white, with a
// divider before the chevron), to say that it can be typed into; without it the field looks like
// the other drop-down lists.
class ZELHOST_UI_EXPORT SearchableComboBox : public ZelvarComboBox
{
    Q_OBJECT
    Q_PROPERTY(bool editableDisplayStyle READ IsEditableDisplayStyle WRITE SetEditableDisplayStyle)

public:
    explicit SearchableComboBox(QWidget* parent = nullptr);

    bool IsEditableDisplayStyle() const { return m_editableDisplayStyle; }
    void SetEditableDisplayStyle(bool editable);

    void showPopup() override;
    void hidePopup() override;

    // The search field of the open list (null before the list first opened).
    QLineEdit* GetSearchField() const { return m_search; }
    // The rows the search leaves in the open list.
    std::vector<int> GetMatchingRows() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyFilter();
    void MoveToMatch(int step);
    void PickCurrentMatch();
    bool IsMatch(int row) const;

    QLineEdit* m_search = nullptr;
    bool m_editableDisplayStyle = false;
};
