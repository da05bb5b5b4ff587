#include "ComponentCleanup.h"

#include "HostLog.h"

#include <exception>

ComponentCleanup::ComponentCleanup(
    const ICommandDispatcher& dispatcher, RefCntPtr<SimpleCommandsPresModel const> commands)
    : m_dispatcher(dispatcher)
{
    AddCommand(std::move(commands));
}

ComponentCleanup::ComponentCleanup(
    std::shared_ptr<ICommandDispatcher const> dispatcher, RefCntPtr<SimpleCommandsPresModel const> commands)
    : m_sharedDispatcher(std::move(dispatcher))
    , m_dispatcher(*m_sharedDispatcher)
{
    AddCommand(std::move(commands));
}

void ComponentCleanup::AddCommand(RefCntPtr<SimpleCommandsPresModel const> commands)
{
    if (commands)
        m_lists.push_back(std::move(commands));
}

std::size_t ComponentCleanup::CommandCount() const noexcept
{
    std::size_t n = 0;
    for (const auto& list : m_lists)
        n += list->GetCommands().size();
    return n;
}

ComponentCleanup::~ComponentCleanup()
{
    if (m_discarded)
        return;
    for (const auto& list : m_lists) {
        for (const auto& command : list->GetCommands()) {
            if (!command)
                continue;
            try {
                RefCntPtr<IParameters const> args = command->GetArguments();
                if (!args)
                    args = ContextParameters::Create();
                m_dispatcher.ExecuteCommand(command->GetCommandId(), std::move(args), nullptr);
            } catch (const std::exception& e) {
                LogMessage(TString(QStringLiteral("CLEANUP FAILED: command %1: %2")
                                       .arg(command->GetCommandId())
                                       .arg(QString::fromUtf8(e.what()))));
            }
        }
    }
}
