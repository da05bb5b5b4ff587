#include "tests/support/ModalScript.h"

#include <QtWidgets/QAction>
#include <QtWidgets/QMenu>

namespace ZelTest {

namespace {
// Menu texts carry mnemonics ("&Clear"); scripts name items as a person reads them.
QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

std::vector<MenuItemSnapshot> SnapshotItems(const QMenu& menu)
{
    std::vector<MenuItemSnapshot> items;
    for (QAction* action : menu.actions()) {
        MenuItemSnapshot item;
        item.text = Plain(action->text());
        item.enabled = action->isEnabled();
        item.separator = action->isSeparator();
        if (QMenu* sub = action->menu())
            item.children = SnapshotItems(*sub);
        items.push_back(std::move(item));
    }
    return items;
}
} // namespace

QStringList MenuSnapshot::Texts() const
{
    QStringList texts;
    for (const auto& item : items)
        if (!item.separator)
            texts << item.text;
    return texts;
}

const MenuItemSnapshot* MenuSnapshot::Find(const QString& path) const
{
    const std::vector<MenuItemSnapshot>* level = &items;
    const MenuItemSnapshot* found = nullptr;
    for (const QString& part : path.split(QLatin1Char('/'))) {
        found = nullptr;
        for (const auto& item : *level)
            if (!item.separator && item.text == part)
                found = &item;
        if (!found)
            return nullptr;
        level = &found->children;
    }
    return found;
}

ModalScript::ModalScript()
    : m_scope(*this)
{
}

void ModalScript::AnswerMessageBox(QMessageBox::StandardButton button)
{
    m_boxAnswers.push_back(button);
}

void ModalScript::PickMenuItem(const QString& path)
{
    m_menuAnswers.push_back([path](QMenu& menu) { return path.isEmpty() ? nullptr : FindAction(menu, path); });
}

void ModalScript::AnswerMenu(std::function<QAction*(QMenu&)> answer)
{
    m_menuAnswers.push_back(std::move(answer));
}

bool ModalScript::OpenUrl(const QUrl& url)
{
    m_openedUrls << url;
    return true;
}

QMessageBox::StandardButton ModalScript::ShowMessageBox(const MessageBoxRequest& request)
{
    m_messageBoxes.push_back(request);
    if (m_boxAnswers.empty()) {
        ++m_unexpected;
        return QMessageBox::NoButton;
    }
    const QMessageBox::StandardButton answer = m_boxAnswers.front();
    m_boxAnswers.pop_front();
    return answer;
}

QAction* ModalScript::ExecMenu(QMenu& menu, const QPoint& globalPosition, QAction* at)
{
    m_menus.push_back(Snapshot(menu, globalPosition));
    m_menus.back().at = at ? Plain(at->text()) : QString();
    if (m_menuAnswers.empty()) {
        ++m_unexpected;
        return nullptr;
    }
    auto answer = std::move(m_menuAnswers.front());
    m_menuAnswers.pop_front();
    QAction* chosen = answer(menu);
    // A real menu triggers what the user picked; callers may rely on either the signal or the
    // returned action.
    if (chosen)
        chosen->trigger();
    return chosen;
}

MenuSnapshot ModalScript::Snapshot(const QMenu& menu, const QPoint& globalPosition)
{
    MenuSnapshot snapshot;
    snapshot.title = Plain(menu.title());
    snapshot.globalPosition = globalPosition;
    snapshot.items = SnapshotItems(menu);
    return snapshot;
}

QAction* ModalScript::FindAction(const QMenu& menu, const QString& path)
{
    const QMenu* level = &menu;
    QAction* found = nullptr;
    for (const QString& part : path.split(QLatin1Char('/'))) {
        if (!level)
            return nullptr;
        found = nullptr;
        for (QAction* action : level->actions())
            if (!action->isSeparator() && Plain(action->text()) == part)
                found = action;
        if (!found)
            return nullptr;
        level = found->menu();
    }
    return found && found->isEnabled() ? found : nullptr;
}

} // namespace ZelTest
