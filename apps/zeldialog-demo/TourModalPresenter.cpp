#include "TourModalPresenter.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QUrl>
#include <QtGui/QPainter>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>

TourModalPresenter::TourModalPresenter(QWidget& window, TourRecorder& tour)
    : m_window(window)
    , m_tour(tour)
{
}

void TourModalPresenter::PickMenuItem(QString path, QString stepTitle)
{
    m_answers.push_back(Answer {std::move(path), QMessageBox::NoButton, std::move(stepTitle)});
}

void TourModalPresenter::AnswerMessageBox(QMessageBox::StandardButton button, QString stepTitle)
{
    m_answers.push_back(Answer {QString(), button, std::move(stepTitle)});
}

TourModalPresenter::Answer TourModalPresenter::Next()
{
    if (m_answers.empty())
        return Answer {QString(), QMessageBox::NoButton, QStringLiteral("Dismissed")};
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

void TourModalPresenter::Record(const QString& title, const std::vector<QWidget*>& overlays)
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    // The picture grows to hold a submenu that opens past the dialog's edge.
    const QPoint origin = m_window.mapToGlobal(QPoint(0, 0));
    QRect bounds(QPoint(0, 0), m_window.size());
    for (QWidget* overlay : overlays)
        bounds |= QRect(overlay->mapToGlobal(QPoint(0, 0)) - origin, overlay->size());
    QPixmap picture(bounds.size());
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.drawPixmap(-bounds.topLeft(), m_window.grab());
        for (QWidget* overlay : overlays)
            painter.drawPixmap(overlay->mapToGlobal(QPoint(0, 0)) - origin - bounds.topLeft(), overlay->grab());
    }
    QLabel shot;
    shot.setPixmap(picture);
    shot.setWindowTitle(m_window.windowTitle());
    // A window is shown at no more than two thirds of the screen unless told its size.
    shot.resize(picture.size());
    m_tour.Step(title, shot);
}

QMessageBox::StandardButton TourModalPresenter::ShowMessageBox(const MessageBoxRequest& request)
{
    const Answer answer = Next();
    QMessageBox box(request.icon, request.title, request.text, request.buttons, &m_window);
    box.setDefaultButton(request.defaultButton);
    box.show();
    QCoreApplication::processEvents();
    // Centred over the dialog, where a window-modal box appears.
    box.move(m_window.mapToGlobal(m_window.rect().center()) - box.rect().center());
    Record(answer.stepTitle, {&box});
    box.hide();
    return answer.button;
}

QAction* TourModalPresenter::ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction*)
{
    const Answer answer = Next();
    std::vector<QWidget*> shown {&menu};
    menu.popup(globalPosition);
    QCoreApplication::processEvents();

    // Follow the path through the submenus, opening each beside its entry as a user would.
    QMenu* current = &menu;
    QAction* chosen = nullptr;
    const QStringList parts = answer.pick.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size() && current; ++i) {
        QAction* found = nullptr;
        for (QAction* action : current->actions())
            if (action->text() == parts[i] && action->isEnabled())
                found = action;
        if (!found)
            break;
        if (i + 1 == parts.size()) {
            current->setActiveAction(found);
            chosen = found;
        } else if (QMenu* sub = found->menu()) {
            current->setActiveAction(found);
            sub->popup(current->mapToGlobal(current->actionGeometry(found).topRight()));
            shown.push_back(sub);
            current = sub;
        }
    }
    Record(answer.stepTitle, shown);
    for (auto it = shown.rbegin(); it != shown.rend(); ++it)
        (*it)->hide();
    return chosen;
}

bool TourModalPresenter::OpenUrl(const QUrl& url)
{
    const std::unique_ptr<QWidget> page
        = ResultPage(QObject::tr("The desktop would open this address in the browser"), {url.toString()});
    m_tour.Step(QObject::tr("Opens %1").arg(url.toString()), *page);
    return true;
}
