#pragma once

#include "host/ui/IModalPresenter.h"

#include <QtCore/QStringList>
#include <QtCore/QUrl>

#include <deque>
#include <functional>
#include <vector>

class QMenu;

namespace ZelTest {

// A menu as it was shown: the tree of its actions, for assertions on what a user was offered.
struct MenuItemSnapshot
{
    QString text;
    bool enabled = true;
    bool separator = false;
    std::vector<MenuItemSnapshot> children; // a submenu's items
};

struct MenuSnapshot
{
    QString title;
    QPoint globalPosition;
    QString at; // the action the menu was opened at, empty for none
    std::vector<MenuItemSnapshot> items;

    // The texts of the top-level items, separators left out.
    QStringList Texts() const;
    // The item at a path of texts ("Fill from Field/Orders/Region"), or null.
    const MenuItemSnapshot* Find(const QString& path) const;
};

// Answers the toolkit's message boxes and menus from a script, for as long as it lives, so that no
// test waits for a human, and keeps the addresses it was asked to open instead of starting a
// browser. Every request is recorded. A request with nothing scripted is answered
// as a dismissal (NoButton, no action) and counted as unexpected, which the test can assert on.
class ModalScript final : public IModalPresenter
{
public:
    ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    // Queues the button pressed in the next message box.
    void AnswerMessageBox(QMessageBox::StandardButton button);
    // Queues the action picked in the next menu by its path of texts ("Sub/Item"); an empty path
    // dismisses the menu.
    void PickMenuItem(const QString& path);
    // Queues a free answer for the next menu.
    void AnswerMenu(std::function<QAction*(QMenu&)> answer);

    const std::vector<MessageBoxRequest>& MessageBoxes() const { return m_messageBoxes; }
    const std::vector<MenuSnapshot>& Menus() const { return m_menus; }
    int UnexpectedRequests() const { return m_unexpected; }
    // Beeps sounded while this script was in place.
    int Beeps() const { return m_beeps; }
    // Addresses handed to the desktop while this script was in place, in order.
    const QList<QUrl>& OpenedUrls() const { return m_openedUrls; }
    std::size_t PendingAnswers() const { return m_boxAnswers.size() + m_menuAnswers.size(); }

    QMessageBox::StandardButton ShowMessageBox(const MessageBoxRequest& request) override;
    QAction* ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at) override;
    void Beep() override { ++m_beeps; }
    bool OpenUrl(const QUrl& url) override;

    static MenuSnapshot Snapshot(const QMenu& menu, const QPoint& globalPosition = {});
    // The enabled action at a path of texts in `menu`, or null.
    static QAction* FindAction(const QMenu& menu, const QString& path);

private:
    ScopedModalPresenter m_scope;
    std::deque<QMessageBox::StandardButton> m_boxAnswers;
    std::deque<std::function<QAction*(QMenu&)>> m_menuAnswers;
    std::vector<MessageBoxRequest> m_messageBoxes;
    std::vector<MenuSnapshot> m_menus;
    int m_unexpected = 0;
    int m_beeps = 0;
    QList<QUrl> m_openedUrls;
};

} // namespace ZelTest
