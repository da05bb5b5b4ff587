#pragma once

#include "host/ui/ZelHostUiExport.h"

#include <QtWidgets/QMessageBox>

class TString;
class QWidget;

// The host's message box: a modal question with standard buttons, asked through the current
// modal presenter (IModalPresenter), titled with the application's name and parented to the
// caller's widget or else the active window.
class ZELHOST_UI_EXPORT TMessageBox
{
public:
    // Returns the button pressed (NoButton when dismissed without one). No buttons means OK. A
    // default button that is not among `buttons`, or an answer that is not, raises the logic
    // exception.
    static QMessageBox::StandardButton Show(const TString& text, QMessageBox::Icon icon,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton, Qt::WindowModality modality,
        QWidget* parent = nullptr);
};
