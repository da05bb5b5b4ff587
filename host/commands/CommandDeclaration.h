#pragma once

// The declarative form of the host's commands. Each area lists its parameters and commands once,
// in host/commands/<Area>Commands.h; the typed wrappers (gen-command-wrappers), the simulator's
// argument checks and the test dispatcher are all derived from those lists, so no command or
// parameter id is written twice.

#include "host/commands/ParameterText.h"
#include "host/doc/Parameters.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <optional>
#include <type_traits>
#include <vector>

namespace Zel::Commands {

// Declares a parameter: its id and the exact type of its value.
#define ZEL_PARAMETER(Name, Id, ...)                                                                                   \
    struct Name                                                                                                        \
    {                                                                                                                  \
        static constexpr int id = Id;                                                                                  \
        using type = __VA_ARGS__;                                                                                      \
        [[maybe_unused]] static constexpr const char* name = #Name;                                                    \
    }

template <typename P>
struct Required
{
    using param = P;
    static constexpr bool required = true;
};

template <typename P>
struct Optional
{
    using param = P;
    static constexpr bool required = false;
};

template <typename... Fields>
struct Arguments
{
};

template <typename... Fields>
struct Results
{
};

template <int Id, typename AreaType, typename ArgumentList, typename ResultList>
struct CommandBase
{
    static constexpr int id = Id;
    using area = AreaType;
    using arguments = ArgumentList;
    using results = ResultList;
};

// Declares a command of an area: its id, then its arguments in the order they are set and its
// results, as `Arguments<...>, Results<...>`. A command declared with Results<> is one whose
// answer nobody reads.
#define ZEL_COMMAND(Name, Id, AreaType, ...)                                                                           \
    struct Name : ::Zel::Commands::CommandBase<Id, AreaType, __VA_ARGS__>                                              \
    {                                                                                                                  \
        [[maybe_unused]] static constexpr const char* name = #Name;                                                    \
    }

// Declares an area: the project path of its wrapper header, named in the exceptions its wrappers
// raise.
#define ZEL_COMMAND_AREA(Name, WrapperFile)                                                                            \
    struct Name                                                                                                        \
    {                                                                                                                  \
        [[maybe_unused]] static constexpr const char* name = #Name;                                                    \
        static constexpr const char* wrapperFile = WrapperFile;                                                        \
    }

template <typename... Commands>
struct CommandList
{
};

template <typename... Lists>
struct ConcatCommandLists;
template <>
struct ConcatCommandLists<>
{
    using type = CommandList<>;
};
template <typename... A>
struct ConcatCommandLists<CommandList<A...>>
{
    using type = CommandList<A...>;
};
template <typename... A, typename... B, typename... Rest>
struct ConcatCommandLists<CommandList<A...>, CommandList<B...>, Rest...>
{
    using type = typename ConcatCommandLists<CommandList<A..., B...>, Rest...>::type;
};

namespace Detail {
template <typename P, typename List>
struct FindField;
template <typename P, template <typename...> class L>
struct FindField<P, L<>>
{
    static constexpr bool found = false;
    static constexpr bool required = false;
};
template <typename P, template <typename...> class L, typename F, typename... Rest>
struct FindField<P, L<F, Rest...>>
{
    static constexpr bool here = std::is_same_v<typename F::param, P>;
    static constexpr bool found = here || FindField<P, L<Rest...>>::found;
    static constexpr bool required = here ? F::required : FindField<P, L<Rest...>>::required;
};

template <typename List>
struct IsEmptyList : std::false_type
{
};
template <template <typename...> class L>
struct IsEmptyList<L<>> : std::true_type
{
};
} // namespace Detail

template <typename Cmd, typename P>
inline constexpr bool IsResultOf = Detail::FindField<P, typename Cmd::results>::found;
template <typename Cmd, typename P>
inline constexpr bool IsRequiredResultOf = Detail::FindField<P, typename Cmd::results>::required;
template <typename Cmd, typename P>
inline constexpr bool IsArgumentOf = Detail::FindField<P, typename Cmd::arguments>::found;
template <typename Cmd>
inline constexpr bool HasResults = !Detail::IsEmptyList<typename Cmd::results>::value;

// A field's value as a wrapper takes it: by value (moved into the parameter), or as an optional
// for an argument sent only when its condition holds.
template <typename Field>
using ArgumentType
    = std::conditional_t<Field::required, typename Field::param::type, std::optional<typename Field::param::type>>;

namespace Detail {
template <typename Field>
void AddArgument(IParameters& set, ArgumentType<Field>&& value)
{
    using T = typename Field::param::type;
    if constexpr (Field::required) {
        SetValParameter<T>(set, Field::param::id, std::move(value));
    } else {
        if (value)
            SetValParameter<T>(set, Field::param::id, std::move(*value));
    }
}
} // namespace Detail

// The argument set of a command as it is sent: a fresh set, the arguments in declaration order
// (an optional one only when it has a value). The wrappers send these; a host hands them out in
// the commands it wants sent back.
template <typename Cmd, typename ArgList = typename Cmd::arguments>
struct ArgumentSet;

template <typename Cmd, typename... Fields>
struct ArgumentSet<Cmd, Arguments<Fields...>>
{
    static RefCntPtr<IParameters> Make(ArgumentType<Fields>... args)
    {
        RefCntPtr<IParameters> set = ContextParameters::Create();
        (Detail::AddArgument<Fields>(*set, std::move(args)), ...);
        return set;
    }
};

// A list of one command with its arguments, as a host hands out the clean-up of an edit it opened.
template <typename Cmd, typename... Args>
RefCntPtr<SimpleCommandsPresModel const> MakeCommandList(Args&&... args)
{
    auto command = MakeRefCnt<SimpleCommandPresModel>();
    command->SetCommandId(Cmd::id);
    command->SetArguments(RefCntPtr<IParameters const>(ArgumentSet<Cmd>::Make(std::forward<Args>(args)...)));
    auto list = MakeRefCnt<SimpleCommandsPresModel>();
    list->SetCommands({RefCntPtr<SimpleCommandPresModel const>(std::move(command))});
    return list;
}

// Reads parameter P of a set with the exact type check: a missing value or one of another type
// raises the type-mismatch exception with P's id.
template <typename P>
const typename P::type& ReadParameter(const IParameters& set)
{
    const auto* value = AsValParameter<typename P::type>(set.GetParameter(P::id));
    if (!value)
        ThrowTypeMismatchCommandException(P::id);
    return value->GetValue();
}

// Run-time description of a declaration, for code that meets commands by id (the simulator, the
// test dispatcher, logs).
struct ParameterInfo
{
    int id;
    const char* name;
    bool required;
    bool (*matches)(const IParameter&);
    // Short readable text of a value that `matches` accepts; a value of another type shows its type.
    QString (*describe)(const IParameter&);
};

struct CommandInfo
{
    int id;
    const char* name;
    const char* area;
    std::vector<ParameterInfo> arguments;
    std::vector<ParameterInfo> results;
};

namespace Detail {
template <typename Field>
ParameterInfo DescribeField()
{
    using P = typename Field::param;
    return ParameterInfo {P::id, P::name, Field::required,
        [](const IParameter& p) { return AsValParameter<typename P::type>(p) != nullptr; },
        [](const IParameter& p) -> QString {
            const auto* value = AsValParameter<typename P::type>(p);
            return value ? ParameterText::Describe(value->GetValue())
                         : QLatin1Char('<') + ParameterText::TypeName(typeid(p)) + QLatin1Char('>');
        }};
}
template <typename... F>
std::vector<ParameterInfo> DescribeFields(Arguments<F...>)
{
    return {DescribeField<F>()...};
}
template <typename... F>
std::vector<ParameterInfo> DescribeFields(Results<F...>)
{
    return {DescribeField<F>()...};
}
} // namespace Detail

template <typename Cmd>
CommandInfo DescribeCommand()
{
    return CommandInfo {Cmd::id, Cmd::name, Cmd::area::name, Detail::DescribeFields(typename Cmd::arguments {}),
        Detail::DescribeFields(typename Cmd::results {})};
}

template <typename... Cmds>
std::vector<CommandInfo> DescribeCommands(CommandList<Cmds...>)
{
    return {DescribeCommand<Cmds>()...};
}

} // namespace Zel::Commands
