#include "tests/support/RecordingDispatcher.h"

#include <QtTest/QTest>

namespace ZelTest {

RefCntPtr<IParameters const> RecordingDispatcher::ExecuteCommand(
    int commandId, RefCntPtr<IParameters const> parameters, void*) const
{
    m_commands.push_back(RecordedCommand {commandId, parameters});
    auto queued = m_scripted.find(commandId);
    if (queued != m_scripted.end() && !queued->second.empty()) {
        auto make = std::move(queued->second.front());
        queued->second.pop_front();
        return make();
    }
    auto always = m_always.find(commandId);
    if (always != m_always.end())
        return always->second(m_commands.back());
    return {};
}

std::vector<int> RecordingDispatcher::CommandIds() const
{
    std::vector<int> ids;
    for (const auto& c : m_commands)
        ids.push_back(c.commandId);
    return ids;
}

std::size_t RecordingDispatcher::Count(int commandId) const
{
    std::size_t n = 0;
    for (const auto& c : m_commands)
        n += c.commandId == commandId ? 1 : 0;
    return n;
}

const RecordedCommand& RecordingDispatcher::LastOf(int commandId) const
{
    for (auto it = m_commands.rbegin(); it != m_commands.rend(); ++it)
        if (it->commandId == commandId)
            return *it;
    QTest::qFail(qPrintable(QStringLiteral("command %1 was never sent").arg(commandId)), __FILE__, __LINE__);
    static const RecordedCommand none {0, ContextParameters::Create()};
    return none;
}

std::size_t RecordingDispatcher::PendingAnswers() const
{
    std::size_t n = 0;
    for (const auto& entry : m_scripted)
        n += entry.second.size();
    return n;
}

void RecordingDispatcher::Clear()
{
    m_commands.clear();
    m_scripted.clear();
    m_always.clear();
}

} // namespace ZelTest
