#pragma once

#include "host/commands/CommandDeclaration.h"

#include <optional>

namespace Zel::Sim {

// The arguments of one command as its handler reads them. SimHost has already checked them against
// Cmd's declaration (required ones present, exact types, nothing undeclared), so Get of a required
// argument cannot fail; Get of an absent optional one raises the type-mismatch exception, which
// SimHost turns into a refusal.
template <typename Cmd>
class SimArguments
{
public:
    explicit SimArguments(const IParameters& set) noexcept
        : m_set(set)
    {
    }

    template <typename P>
    const typename P::type& Get() const
    {
        static_assert(Commands::IsArgumentOf<Cmd, P>, "not an argument of this command");
        return Commands::ReadParameter<P>(m_set);
    }

    template <typename P>
    std::optional<typename P::type> Find() const
    {
        static_assert(Commands::IsArgumentOf<Cmd, P>, "not an argument of this command");
        if (!m_set.HasParameter(P::id))
            return std::nullopt;
        return Commands::ReadParameter<P>(m_set);
    }

    template <typename P>
    bool Has() const
    {
        static_assert(Commands::IsArgumentOf<Cmd, P>, "not an argument of this command");
        return m_set.HasParameter(P::id);
    }

    const IParameters& Set() const noexcept { return m_set; }

private:
    const IParameters& m_set;
};

// The answer a handler fills. Only results that Cmd declares can be set, each with its exact
// declared type, so the library's type check never fails on a simulated answer.
template <typename Cmd>
class SimResults
{
public:
    explicit SimResults(IParameters& set) noexcept
        : m_set(set)
    {
    }

    template <typename P>
    void Set(typename P::type value)
    {
        static_assert(Commands::IsResultOf<Cmd, P>, "not a result of this command");
        SetValParameter<typename P::type>(m_set, P::id, std::move(value));
    }

    template <typename P>
    bool Has() const
    {
        static_assert(Commands::IsResultOf<Cmd, P>, "not a result of this command");
        return m_set.HasParameter(P::id);
    }

private:
    IParameters& m_set;
};

} // namespace Zel::Sim
