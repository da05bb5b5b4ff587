#pragma once

#include "host/ui/IUberControl.h"
#include "host/ui/UberDropdownCtrlBase.h"

// A drop-down control whose popup is a T (an "uber" widget that announces UberWidgetChanged and
// tells what the closed control shows, GetDisplayText). The control owns the popup and forwards
// its change as UberControlChanged.
//
// It starts without focus and in the editable look; a form that wants it in the tab chain gives it
// a focus policy of its own.
template <typename T>
class UberDropdownCtrl : public UberDropdownCtrlBase, public IUberControl
{
public:
    explicit UberDropdownCtrl(QWidget* parent = nullptr)
        : UberDropdownCtrlBase(parent)
    {
        T* popup = new T();
        setPopupWidget(popup);
        setFocusPolicy(Qt::NoFocus);
        setWindowsEditableDisplayStyle(true);
        QObject::connect(popup, &T::UberWidgetChanged, this, [this] {
            emit UberControlChanged();
            update();
        });
    }

    QWidget* GetPopupWidget() const override { return popupWidget(); }
    T* GetUberWidget() const { return static_cast<T*>(popupWidget()); }
    QString GetDisplayText() const override { return GetUberWidget()->GetDisplayText(); }
};
