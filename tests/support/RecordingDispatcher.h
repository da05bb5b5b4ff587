#pragma once

#include "gen-command-wrappers/CommandFrame.h"

#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace ZelTest {

// One command as the library sent it, with its complete argument set.
struct RecordedCommand
{
    int commandId = 0;
    RefCntPtr<IParameters const> arguments;

    template <typename P>
    const typename P::type& Get() const
    {
        return Zel::Commands::ReadParameter<P>(*arguments);
    }
    bool Has(int parameterId) const { return arguments->HasParameter(parameterId); }
    std::size_t ArgumentCount() const { return arguments->GetParameterIds().size(); }
};

// Builds one scripted answer. Typed setters accept only results the command declares; SetRaw puts
// anything under any id, to script a host that answers with the wrong type.
template <typename Cmd>
class ScriptedResult
{
public:
    explicit ScriptedResult(RefCntPtr<IParameters> set)
        : m_set(std::move(set))
    {
    }

    template <typename P>
    ScriptedResult& Set(typename P::type value)
    {
        static_assert(Zel::Commands::IsResultOf<Cmd, P>, "not a result of this command");
        SetValParameter<typename P::type>(*m_set, P::id, std::move(value));
        return *this;
    }
    template <typename T>
    ScriptedResult& SetRaw(int parameterId, T value)
    {
        SetValParameter<T>(*m_set, parameterId, std::move(value));
        return *this;
    }

private:
    RefCntPtr<IParameters> m_set;
};

// A dispatcher for unit tests: records every command with its arguments and answers from scripted
// results, first in first out per command id. A command with nothing scripted gets a null answer
// (what a host that cannot run it gives), and is still recorded.
class RecordingDispatcher final : public ICommandDispatcher
{
public:
    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const override;

    // Queues an answer for the next Cmd and returns its builder.
    template <typename Cmd>
    ScriptedResult<Cmd> Answer()
    {
        RefCntPtr<IParameters> set = ContextParameters::Create();
        m_scripted[Cmd::id].push_back([set] { return RefCntPtr<IParameters const>(set); });
        return ScriptedResult<Cmd>(set);
    }
    // Queues a null answer for the next Cmd.
    template <typename Cmd>
    void AnswerNull()
    {
        m_scripted[Cmd::id].push_back([] { return RefCntPtr<IParameters const>(); });
    }
    // Answers every Cmd with what `make` returns, once nothing is queued for it.
    template <typename Cmd>
    void AnswerAlways(std::function<RefCntPtr<IParameters const>(const RecordedCommand&)> make)
    {
        m_always[Cmd::id] = std::move(make);
    }

    const std::vector<RecordedCommand>& Commands() const { return m_commands; }
    std::vector<int> CommandIds() const;
    std::size_t Count(int commandId) const;
    template <typename Cmd>
    std::size_t Count() const
    {
        return Count(Cmd::id);
    }
    // The last command sent with Cmd's id; fails the current test when there is none.
    template <typename Cmd>
    const RecordedCommand& Last() const
    {
        return LastOf(Cmd::id);
    }
    const RecordedCommand& LastOf(int commandId) const;
    // Answers still queued; a test that scripted more than the code asked for has a wrong premise.
    std::size_t PendingAnswers() const;
    void Clear();

private:
    mutable std::vector<RecordedCommand> m_commands;
    mutable std::map<int, std::deque<std::function<RefCntPtr<IParameters const>()>>> m_scripted;
    std::map<int, std::function<RefCntPtr<IParameters const>(const RecordedCommand&)>> m_always;
};

} // namespace ZelTest
