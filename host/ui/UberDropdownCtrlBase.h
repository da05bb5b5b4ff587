#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QFrame>

// A drop-down control that looks like a combo box and drops an arbitrary pop-up widget instead of a
// list. The control owns the pop-up (a Qt::Popup window of its own, deleted with the control). The
// pop-up closes when it hides itself or the user clicks outside it. Subclasses tell the text shown
// in the closed control and emit UberControlChanged when the pop-up's edit changes the value.
class ZELHOST_UI_EXPORT UberDropdownCtrlBase : public QFrame
{
    Q_OBJECT

public:
    explicit UberDropdownCtrlBase(QWidget* parent = nullptr);
    ~UberDropdownCtrlBase() override;

    // Takes ownership; a previous pop-up is deleted.
    void setPopupWidget(QWidget* popup);
    QWidget* popupWidget() const;

    // The editable look: a white field like an editable combo box.
    void setWindowsEditableDisplayStyle(bool editable);
    bool windowsEditableDisplayStyle() const;

    void ShowPopup();
    void HidePopup();
    bool IsPopupVisible() const;

    // The text shown in the control; the base shows the pop-up's window title.
    virtual QString GetDisplayText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void UberControlChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void InitStyleOption(class QStyleOptionComboBox* option) const;

    QWidget* m_popup = nullptr;
    bool m_editableLook = false;
    bool m_popupShown = false;
};
