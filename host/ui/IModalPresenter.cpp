#include "host/ui/IModalPresenter.h"

#include "host/ui/ScaleForDpi.h"
#include "host/ui/TIcon.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationConstants.h"
#include "host/ui/UnificationStyleApplicator.h"

#include <QtGui/QDesktopServices>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLayout>
#include <QtWidgets/QMenu>
#include <QtWidgets/QPushButton>

namespace {
QString IconPath(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information:
        return QStringLiteral(":/zel/icons/msg-information.svg");
    case QMessageBox::Question:
        return QStringLiteral(":/zel/icons/msg-question.svg");
    case QMessageBox::Warning:
        return QStringLiteral(":/zel/icons/msg-warning.svg");
    case QMessageBox::Critical:
        return QStringLiteral(":/zel/icons/msg-critical.svg");
    default:
        return QString();
    }
}

// The button that carries the answer the user most likely wants: the caller's default, else the
// first accepting one. It gets the green fill; the others are outlined.
QAbstractButton* PrimaryButton(QMessageBox& box, QMessageBox::StandardButton defaultButton)
{
    if (defaultButton != QMessageBox::NoButton)
        return box.button(defaultButton);
    for (QAbstractButton* button : box.buttons()) {
        const auto role = box.buttonRole(button);
        if (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole)
            return button;
    }
    return box.buttons().isEmpty() ? nullptr : box.buttons().first();
}

class DefaultModalPresenter final : public IModalPresenter
{
public:
    QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) override
    {
        QMessageBox box(request.parent.data());
        box.setWindowTitle(request.title);
        box.setText(request.text);
        box.setIcon(request.icon);
        const QString iconPath = IconPath(request.icon);
        if (!iconPath.isEmpty()) {
            const int side = UnificationConstants::Get().GetLargeIconSize();
            const QPixmap pixmap = TIcon::FromResourcePath(iconPath).GetPixmap(
                ScaleForDpi(&box, QSize(side, side)), box.devicePixelRatioF());
            if (!pixmap.isNull())
                box.setIconPixmap(pixmap);
        }
        box.setStandardButtons(request.buttons);
        if (request.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(request.defaultButton);
        box.setWindowModality(request.modality);

        UnificationStyleApplicator().Apply(box);
        QAbstractButton* primary = PrimaryButton(box, request.defaultButton);
        for (QAbstractButton* button : box.buttons()) {
            if (auto* pushButton = qobject_cast<QPushButton*>(button)) {
                if (button == primary)
                    UnificationButtonStyle::ApplyGreenFilledButtonStyling(*pushButton);
                else
                    UnificationButtonStyle::ApplyOutlineButtonStyling(*pushButton);
                pushButton->setMinimumWidth(ScaleForDpi(pushButton, 80));
            }
        }

        const int large = UnificationConstants::Get().GetLargeSpacing();
        if (QLayout* layout = box.layout())
            layout->setContentsMargins(ScaleForDpi(&box, QMargins(large, large, large, large - 4)));

        box.exec();
        return box.standardButton(box.clickedButton());
    }

    QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at) override
    {
        return menu.QMenu::exec(globalPosition, at);
    }
};

IModalPresenter* g_current = nullptr;
} // namespace

IModalPresenter::~IModalPresenter() = default;

void IModalPresenter::Beep()
{
    QApplication::beep();
}

bool IModalPresenter::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

IModalPresenter& GetDefaultModalPresenter()
{
    static DefaultModalPresenter presenter;
    return presenter;
}

IModalPresenter& GetModalPresenter()
{
    return g_current ? *g_current : GetDefaultModalPresenter();
}

IModalPresenter* SetModalPresenter(IModalPresenter* presenter)
{
    IModalPresenter* previous = &GetModalPresenter();
    g_current = presenter;
    return previous;
}

ScopedModalPresenter::ScopedModalPresenter(IModalPresenter& presenter)
    : m_previous(SetModalPresenter(&presenter))
{
}

ScopedModalPresenter::~ScopedModalPresenter()
{
    SetModalPresenter(m_previous);
}
