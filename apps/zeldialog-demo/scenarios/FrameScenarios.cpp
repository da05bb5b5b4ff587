// The three dialog frames of the library, each as its own scenario: the frameless frame, the legacy
// frameless frame in the user's preference colours, and the non-modal frame beside a host main
// window that suspends and resumes it.

#include "../DemoScenario.h"

#include "host/doc/ResourceIds.h"
#include "host/ui/TIcon.h"
#include "host/ui/ZelvarGreenUnificationButton.h"
#include "host/ui/ZelvarImageButton.h"
#include "host/ui/ZelvarMainWindow.h"
#include "host/ui/ZelvarWhiteUnificationButton.h"
#include "main/dialogs/ZelvarFramelessDialog.h"
#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"
#include "main/dialogs/ZelvarNonModalDialog.h"

#include <QtGui/QEnterEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {

// A text and a row of buttons, as a dialog built on a frame would put into it.
QWidget* MakeContent(const QString& text, QDialog& dialog, bool withCancel)
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(18, 6, 18, 18);
    layout->setSpacing(18);
    auto* label = new QLabel(text, content);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    if (withCancel) {
        auto* cancel = new ZelvarWhiteUnificationButton(QObject::tr("Cancel"), content);
        QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
        buttons->addWidget(cancel);
    }
    auto* ok = new ZelvarGreenUnificationButton(withCancel ? QObject::tr("OK") : QObject::tr("Close"), content);
    QObject::connect(ok, &QPushButton::clicked, &dialog, withCancel ? &QDialog::accept : &QDialog::reject);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    return content;
}

std::unique_ptr<ZelvarFramelessDialog> MakeFramelessDialog(QWidget* parent)
{
    auto dialog = std::make_unique<ZelvarFramelessDialog>(parent, true);
    dialog->setWindowTitle(QObject::tr("Rename Sheet"));
    dialog->SetContentWidget(MakeContent(QObject::tr("The frame draws its own title bar and close button, a soft "
                                                     "shadow to the right and below, and lets you drag it by the "
                                                     "title bar or resize it by any edge or corner."),
        *dialog, true));
    dialog->ResizeDialog(400, 190);
    return dialog;
}

// An older dialog: it builds the title bar, the body and the two shadow strips itself.
class LegacyDemoDialog : public ZelvarFramelessDialog_Deprecated
{
public:
    explicit LegacyDemoDialog(QWidget* parent)
        : ZelvarFramelessDialog_Deprecated(parent)
    {
        setWindowTitle(QObject::tr("Legacy Frame"));
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        grid->setSpacing(0);

        m_titleBar = new QFrame(this);
        m_titleBar->setFrameShape(QFrame::Box);
        auto* titleLayout = new QHBoxLayout(m_titleBar);
        titleLayout->setContentsMargins(12, 8, 8, 8);
        auto* title = new QLabel(windowTitle(), m_titleBar);
        QFont bold = title->font();
        bold.setBold(true);
        title->setFont(bold);
        titleLayout->addWidget(title, 1);
        auto* close = new ZelvarImageButton(m_titleBar);
        close->setDefaultIcon(TIcon(Zel::Icons::Close));
        close->setFocusPolicy(Qt::NoFocus);
        close->setToolTip(QObject::tr("Close"));
        close->setAccessibleName(QObject::tr("Close"));
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        titleLayout->addWidget(close);

        m_body = new QFrame(this);
        m_body->setFrameShape(QFrame::Box);
        auto* bodyLayout = new QVBoxLayout(m_body);
        bodyLayout->setContentsMargins(1, 12, 1, 1);
        bodyLayout->addWidget(MakeContent(QObject::tr("Title bar and body take the user's colours for "
                                                      "non-modal dialogs; the two grey strips to the right and "
                                                      "below are the shadow, cut off at their outer corners."),
            *this, false));

        m_rightShadow = new QWidget(this);
        m_bottomShadow = new QWidget(this);
        grid->addWidget(m_titleBar, 0, 0);
        grid->addWidget(m_body, 1, 0);
        grid->addWidget(m_rightShadow, 0, 1, 2, 1);
        grid->addWidget(m_bottomShadow, 2, 0, 1, 2);
        resize(420, 250);
    }

    QWidget* GetTitleBarWidget() const override { return m_titleBar; }
    QWidget* GetBodyWidget() const override { return m_body; }
    QWidget* GetBottomShadowWidget() const override { return m_bottomShadow; }
    QWidget* GetRightShadowWidget() const override { return m_rightShadow; }

private:
    QFrame* m_titleBar = nullptr;
    QFrame* m_body = nullptr;
    QWidget* m_bottomShadow = nullptr;
    QWidget* m_rightShadow = nullptr;
};

class NonModalDemoDialog : public ZelvarNonModalDialog
{
public:
    explicit NonModalDemoDialog(QWidget* parent)
        : ZelvarNonModalDialog(IFloatingWindowsManager::AllViews, parent, true)
    {
        setWindowTitle(QObject::tr("Field Inspector"));
        SetContentWidget(MakeContent(QObject::tr("A non-modal frame stays open beside the main window. It hides "
                                                 "while the main window suspends its floating windows and "
                                                 "comes back as you last left it."),
            *this, false));
        ResizeDialog(380, 200);
    }
};

// The host's main window as the demo stands it in: it owns the floating-windows manager, and says
// what its floating windows are doing.
class DemoHostWindow : public ZelvarMainWindow
{
public:
    explicit DemoHostWindow(QWidget* parent)
        : ZelvarMainWindow(parent)
    {
        setWindowTitle(QObject::tr("Host Main Window"));
        auto* central = new QWidget(this);
        auto* layout = new QVBoxLayout(central);
        layout->setContentsMargins(18, 18, 18, 18);
        layout->setSpacing(12);
        auto* heading = new QLabel(QObject::tr("Host main window"), central);
        QFont headingFont = heading->font();
        headingFont.setBold(true);
        headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
        heading->setFont(headingFont);
        layout->addWidget(heading);
        m_status = new QLabel(central);
        m_status->setWordWrap(true);
        layout->addWidget(m_status, 1);
        auto* buttons = new QHBoxLayout;
        auto* suspend = new ZelvarWhiteUnificationButton(QObject::tr("Suspend floating windows"), central);
        auto* resume = new ZelvarWhiteUnificationButton(QObject::tr("Resume"), central);
        buttons->addWidget(suspend);
        buttons->addWidget(resume);
        buttons->addStretch(1);
        layout->addLayout(buttons);
        setCentralWidget(central);
        connect(suspend, &QPushButton::clicked, this, [this] {
            if (!GetManager().AreFloatingWindowsSuspended())
                GetManager().SuspendFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
            UpdateStatus();
        });
        connect(resume, &QPushButton::clicked, this, [this] {
            if (GetManager().AreFloatingWindowsSuspended())
                GetManager().ResumeFloatingWindows(IFloatingWindowsManager::FloatContext_ModalDialog);
            UpdateStatus();
        });
        resize(460, 220);
    }

    void UpdateStatus()
    {
        QStringList lines;
        for (FloatingWindow* window : GetManager().GetFloatingWindows()) {
            auto* widget = dynamic_cast<QWidget*>(window);
            const QString name = widget ? widget->windowTitle() : QObject::tr("(unnamed)");
            lines << QObject::tr("Floating window \u201c%1\u201d: %2, %3")
                         .arg(name,
                             window->IsFloatSuspended() ? QObject::tr("suspended") : QObject::tr("not suspended"),
                             widget && widget->isVisible() ? QObject::tr("shown") : QObject::tr("hidden"));
        }
        if (lines.isEmpty())
            lines << QObject::tr("No floating windows.");
        m_status->setText(lines.join(QLatin1Char('\n')));
    }

protected:
    void changeEvent(QEvent* event) override
    {
        ZelvarMainWindow::changeEvent(event);
        if (event->type() == QEvent::WindowStateChange)
            UpdateStatus();
    }

private:
    QLabel* m_status = nullptr;
};

} // namespace

DemoScenario ZelvarFramelessDialogScenario()
{
    return DemoScenario {QStringLiteral("ZelvarFramelessDialog"), QStringLiteral("Frameless dialog frame"),
        [](DemoEnvironment&, TourRecorder& tour) {
            auto dialog = MakeFramelessDialog(nullptr);
            tour.Step(QStringLiteral("Title, close button and shadow"), *dialog);
            // What the window system would send as the pointer reaches the button.
            QAbstractButton* close = dialog->GetCloseButton();
            const QPointF inside(close->width() / 2.0, close->height() / 2.0);
            QEnterEvent enter(inside, inside, QPointF(close->mapToGlobal(inside.toPoint())));
            QApplication::sendEvent(close, &enter);
            tour.Step(QStringLiteral("Close button under the mouse"), *dialog);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(close, &leave);
            auto* title = new QLabel(QStringLiteral("<b>Rename Sheet</b> \u2014 Sheet 1"));
            title->setTextFormat(Qt::RichText);
            dialog->SetTitleWidget(title);
            dialog->ResizeDialog(460, 210);
            tour.Step(QStringLiteral("Title widget of the caller's, frame resized"), *dialog);
            dialog->reject();
        },
        [](DemoEnvironment&, QWidget* parent) {
            auto dialog = MakeFramelessDialog(parent);
            dialog->exec();
        }};
}

DemoScenario ZelvarFramelessDialog_DeprecatedScenario()
{
    return DemoScenario {QStringLiteral("ZelvarFramelessDialog_Deprecated"), QStringLiteral("Legacy frameless frame"),
        [](DemoEnvironment&, TourRecorder& tour) {
            LegacyDemoDialog dialog(nullptr);
            tour.Step(QStringLiteral("Preference colours and shadow strips"), dialog);
            dialog.reject();
        },
        [](DemoEnvironment&, QWidget* parent) {
            LegacyDemoDialog dialog(parent);
            dialog.exec();
        }};
}

DemoScenario ZelvarNonModalDialogScenario()
{
    return DemoScenario {QStringLiteral("ZelvarNonModalDialog"), QStringLiteral("Non-modal frame"),
        [](DemoEnvironment&, TourRecorder& tour) {
            DemoHostWindow host(nullptr);
            host.show();
            // A child of the main window, so it goes with it.
            auto* dialog = new NonModalDemoDialog(&host);
            dialog->show();
            host.UpdateStatus();
            tour.Step(QStringLiteral("Open beside the main window"), *dialog);
            host.showMinimized();
            tour.Step(QStringLiteral("Main window minimised: the dialog is suspended"), host);
            host.showNormal();
            tour.Step(QStringLiteral("Main window restored: the dialog is back"), *dialog);
            dialog->hide();
            host.showMinimized();
            host.showNormal();
            tour.Step(QStringLiteral("Closed before a suspension: it stays closed"), host);
        },
        [](DemoEnvironment&, QWidget* parent) {
            auto* host = new DemoHostWindow(parent);
            host->setWindowFlag(Qt::Window);
            host->setAttribute(Qt::WA_DeleteOnClose);
            auto* dialog = new NonModalDemoDialog(host);
            host->show();
            dialog->show();
            dialog->move(host->geometry().topRight() + QPoint(16, 0));
            host->UpdateStatus();
        }};
}
