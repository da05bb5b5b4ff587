#include "host/ui/TMessageBox.h"

#include "host/doc/Exceptions.h"
#include "host/doc/TString.h"
#include "host/ui/IModalPresenter.h"
#include "host/ui/QtUtil.h"

#include <QtGui/QGuiApplication>

namespace {
constexpr const char* SourcePath = "host/ui/TMessageBox";
}

QMessageBox::StandardButton TMessageBox::Show(const TString& text, QMessageBox::Icon icon,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton, Qt::WindowModality modality,
    QWidget* parent)
{
    if (buttons == QMessageBox::NoButton)
        buttons = QMessageBox::Ok;
    ZEL_LOGIC_CHECK(SourcePath, defaultButton == QMessageBox::NoButton || buttons.testFlag(defaultButton));

    MessageBoxRequest request;
    request.text = text.ToQString();
    request.title = QGuiApplication::applicationDisplayName();
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    request.modality = modality;
    request.parent = QtUtil::ResolveParent(parent);

    const QMessageBox::StandardButton answer = GetModalPresenter().ShowMessageBox(request);
    ZEL_LOGIC_CHECK(SourcePath, answer == QMessageBox::NoButton || buttons.testFlag(answer));
    return answer;
}
