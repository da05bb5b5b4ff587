#pragma once

#include "DemoScenario.h"

#include "host/ui/IModalPresenter.h"

#include <deque>

// Answers a dialog's menus and message boxes during the tour like a user, and records a screenshot
// of each over the dialog first. An address the dialog opens is not handed to a browser: a page
// that names it is recorded instead. Offscreen every window is a picture of its own, so the menu or
// the box is laid over the dialog's picture by hand.
//
// Answers are queued in the order the dialog will ask; a request with nothing queued is dismissed
// (no action, no button) and still recorded.
class TourModalPresenter final : public IModalPresenter
{
public:
    TourModalPresenter(QWidget& window, TourRecorder& tour);

    // The action at a path of texts ("Orders/Region"); an empty path dismisses the menu.
    void PickMenuItem(QString path, QString stepTitle);
    void AnswerMessageBox(QMessageBox::StandardButton button, QString stepTitle);

    QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) override;
    QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at) override;
    // A picture cannot ring; the refusal shows in the dialog's state at the next step.
    void Beep() override { }
    bool OpenUrl(const QUrl& url) override;

private:
    struct Answer
    {
        QString pick;
        QMessageBox::StandardButton button = QMessageBox::NoButton;
        QString stepTitle;
    };

    Answer Next();
    // Records the window's picture with `overlays` drawn over it at their global positions.
    void Record(const QString& title, const std::vector<QWidget*>& overlays);

    QWidget& m_window;
    TourRecorder& m_tour;
    std::deque<Answer> m_answers;
};
