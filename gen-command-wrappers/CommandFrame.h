#pragma once

// The one shape of every command wrapper: build a fresh argument set in declaration order, send it,
// refuse a null answer, and read results with the exact type check. Counted references are held
// only by RAII objects, so every path (the exceptional one included) releases what it took.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/CommandDispatcher.h"

namespace Zel::Commands {

// The answer of one command: one counted reference to the result set and a plain pointer to the
// same set for the reads.
template <typename Cmd>
class CommandResult
{
public:
    explicit CommandResult(RefCntPtr<IParameters const> set)
        : m_ref(std::move(set))
        , m_set(m_ref.get())
    {
    }

    // A required or optional result that must be there with exactly its declared type.
    template <typename P>
    typename P::type Get() const
    {
        static_assert(IsResultOf<Cmd, P>, "not a result of this command");
        return ReadParameter<P>(*m_set);
    }

    // An optional result: empty when the host left it out; a value of another type still raises.
    template <typename P>
    std::optional<typename P::type> Find() const
    {
        static_assert(IsResultOf<Cmd, P>, "not a result of this command");
        if (!m_set->HasParameter(P::id))
            return std::nullopt;
        return ReadParameter<P>(*m_set);
    }

    // An optional result the caller takes only when it is there with its declared type; anything
    // else counts as left out.
    template <typename P>
    std::optional<typename P::type> FindOfType() const
    {
        static_assert(IsResultOf<Cmd, P>, "not a result of this command");
        if (const auto* value = AsValParameter<typename P::type>(m_set->GetParameter(P::id)))
            return value->GetValue();
        return std::nullopt;
    }

    template <typename P>
    bool Has() const
    {
        static_assert(IsResultOf<Cmd, P>, "not a result of this command");
        return m_set->HasParameter(P::id);
    }

    const IParameters& Set() const noexcept { return *m_set; }

private:
    RefCntPtr<IParameters const> m_ref;
    const IParameters* m_set;
};

template <typename Cmd, typename ArgList = typename Cmd::arguments>
struct Wrapper;

template <typename Cmd, typename... Fields>
struct Wrapper<Cmd, Arguments<Fields...>>
{
    using Return = std::conditional_t<HasResults<Cmd>, CommandResult<Cmd>, void>;

    static Return Run(const ICommandDispatcher& dispatcher, ArgumentType<Fields>... args)
    {
        RefCntPtr<IParameters> set = ArgumentSet<Cmd>::Make(std::move(args)...);
        RefCntPtr<IParameters const> result
            = dispatcher.ExecuteCommand(Cmd::id, RefCntPtr<IParameters const>(set), nullptr);
        if constexpr (HasResults<Cmd>) {
            if (!(result != nullptr))
                ThrowLogicException(Cmd::area::wrapperFile, __LINE__, "parameters != nullptr");
            return CommandResult<Cmd>(std::move(result));
        }
    }
};

} // namespace Zel::Commands

// Defines the typed inline wrapper `Name(dispatcher, args...)` of a declared command.
#define ZEL_COMMAND_WRAPPER(Namespace, Name)                                                                           \
    inline constexpr auto& Name = ::Zel::Commands::Wrapper<Namespace::Name>::Run
