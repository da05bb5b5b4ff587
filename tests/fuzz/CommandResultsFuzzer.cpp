// Every generated command wrapper, answered by a result set that a hostile host made: any declared
// or random parameter id, any value type the commands carry, null records, lists holding nulls,
// lists of the wrong element type, or no set at all. A wrapper and its reads may only raise the
// logic exception or the type-mismatch exception; no record may outlive the input.

#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/HostileValues.h"

#include "gen-command-wrappers/CommandFrame.h"
#include "host/commands/LibraryCommands.h"
#include "host/doc/ComponentCleanup.h"

#include <cstring>
#include <set>

namespace {

namespace Cmds = Zel::Commands;
// The library's commands and those of the host's stand-in widgets: both read host answers.
using AllCommands = Cmds::ConcatCommandLists<Cmds::LibraryCommands, Cmds::HostWidgetCommands>::type;
using ValueTypes = ZelFuzz::ValueTypesOf<AllCommands>::type;

// The ids of every argument and result of every command, each once.
const std::vector<int>& DeclaredParameterIds()
{
    static const std::vector<int> ids = [] {
        std::set<int> unique;
        for (const Cmds::CommandInfo& info : Cmds::DescribeCommands(AllCommands {})) {
            for (const Cmds::ParameterInfo& p : info.arguments)
                unique.insert(p.id);
            for (const Cmds::ParameterInfo& p : info.results)
                unique.insert(p.id);
        }
        return std::vector<int>(unique.begin(), unique.end());
    }();
    return ids;
}

RefCntPtr<IParameters const> DecodeResultSet(FuzzedDataProvider& in)
{
    auto set = ContextParameters::Create();
    const std::size_t count = in.ConsumeIntegralInRange<std::size_t>(0, 12);
    for (std::size_t i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        const std::vector<int>& declared = DeclaredParameterIds();
        const int id = in.ConsumeIntegralInRange(0, 7) == 0
            ? in.ConsumeIntegral<int>()
            : declared[in.ConsumeIntegralInRange<std::size_t>(0, declared.size() - 1)];
        const auto type = in.ConsumeIntegralInRange<std::size_t>(0, ValueTypes::size - 1);
        set->SetParameter(id, ZelFuzz::MakeHostileParameter(ValueTypes {}, type, in));
    }
    return RefCntPtr<IParameters const>(std::move(set));
}

// Answers every command with the decoded set, or with no set when the input says so. Checks on
// the way that each wrapper sent the arguments its declaration gives, with their declared types.
class HostileDispatcher final : public ICommandDispatcher
{
public:
    HostileDispatcher(RefCntPtr<IParameters const> answer, FuzzedDataProvider& in)
        : m_answer(std::move(answer))
        , m_in(in)
    {
    }

    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void*) const override
    {
        if (!parameters)
            ZelFuzz::Fail("a command was sent without an argument set");
        for (const Cmds::CommandInfo& info : Commands()) {
            if (info.id != commandId)
                continue;
            for (const Cmds::ParameterInfo& p : info.arguments)
                if (p.required && !p.matches(parameters->GetParameter(p.id)))
                    ZelFuzz::Fail("a wrapper sent an argument that its declaration does not give");
        }
        if (m_in.ConsumeIntegralInRange(0, 15) == 0)
            return nullptr;
        return m_answer;
    }

private:
    static const std::vector<Cmds::CommandInfo>& Commands()
    {
        static const std::vector<Cmds::CommandInfo> commands = Cmds::DescribeCommands(AllCommands {});
        return commands;
    }

    RefCntPtr<IParameters const> m_answer;
    FuzzedDataProvider& m_in;
};

// Walks a value the way a dialog would read it: every element of a list, every record's type.
template <typename T>
void Read(const T& value, const ICommandDispatcher& dispatcher)
{
    (void)Cmds::ParameterText::Describe(value);
    if constexpr (std::is_same_v<T, RefCntPtr<SimpleCommandsPresModel const>>) {
        // Clean-up commands are sent back to the host when their owner goes; null entries and
        // entries without arguments must be survived there, not here.
        ComponentCleanup cleanup(dispatcher, value);
        (void)cleanup.CommandCount();
    }
}

template <typename Cmd, typename Field>
void ReadResult(const Cmds::CommandResult<Cmd>& result, const ICommandDispatcher& dispatcher)
{
    using P = typename Field::param;
    const auto expectMismatchOfThisId = [](const TypeMismatchCommandException& e) {
        if (e.ParameterId() != P::id)
            ZelFuzz::Fail("a type mismatch named another parameter than the one read");
    };
    try {
        Read(result.template Get<P>(), dispatcher);
    } catch (const TypeMismatchCommandException& e) {
        expectMismatchOfThisId(e);
    }
    try {
        if (const auto found = result.template Find<P>())
            Read(*found, dispatcher);
        else if (result.template Has<P>())
            ZelFuzz::Fail("Find left out a result that is there");
    } catch (const TypeMismatchCommandException& e) {
        expectMismatchOfThisId(e);
    }
    if (const auto found = result.template FindOfType<P>())
        Read(*found, dispatcher);
}

template <typename Cmd, typename... Results>
void ReadResults(const Cmds::CommandResult<Cmd>& result, Cmds::Results<Results...>, const ICommandDispatcher& d)
{
    (ReadResult<Cmd, Results>(result, d), ...);
}

template <typename Cmd, typename... Fields>
void Send(const ICommandDispatcher& dispatcher, Cmds::Arguments<Fields...>)
{
    try {
        if constexpr (Cmds::HasResults<Cmd>) {
            const auto result = Cmds::Wrapper<Cmd>::Run(dispatcher, Cmds::ArgumentType<Fields> {}...);
            ReadResults(result, typename Cmd::results {}, dispatcher);
        } else {
            Cmds::Wrapper<Cmd>::Run(dispatcher, Cmds::ArgumentType<Fields> {}...);
        }
    } catch (const LogicException& e) {
        if (!Cmds::HasResults<Cmd> || e.Condition() != "parameters != nullptr")
            ZelFuzz::Fail("a wrapper raised a logic exception other than the one for a null answer");
    }
}

template <typename... Cmd>
void SendAll(const ICommandDispatcher& dispatcher, Cmds::CommandList<Cmd...>)
{
    (Send<Cmd>(dispatcher, typename Cmd::arguments {}), ...);
}

void RunInput(FuzzedDataProvider& in)
{
    const bool nullAnswer = in.ConsumeIntegralInRange(0, 15) == 0;
    RefCntPtr<IParameters const> answer = nullAnswer ? nullptr : DecodeResultSet(in);
    const HostileDispatcher dispatcher(std::move(answer), in);
    SendAll(dispatcher, AllCommands {});
}

} // namespace

ZEL_FUZZ_HARNESS(RunInput)
