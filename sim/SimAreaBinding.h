#pragma once

#include "sim/SimHost.h"

#include "host/commands/ParameterText.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <QtCore/QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <type_traits>
#include <utility>

namespace Zel::Sim {

// Ends a handler with a refusal: SimHost answers null and writes the reason to the host log.
[[noreturn]] inline void Refuse(const QString& reason)
{
    throw std::runtime_error(reason.toStdString());
}

// A clean-up list of one command, Cmd, with its one argument Key: what an area hands out with an
// edit or a cache, so that the client's ComponentCleanup ends it.
template <typename Cmd, typename Key>
RefCntPtr<SimpleCommandsPresModel const> OneCommandCleanup(typename Key::type key)
{
    static_assert(Commands::IsArgumentOf<Cmd, Key>, "the clean-up command does not take this argument");
    RefCntPtr<IParameters> arguments = ContextParameters::Create();
    SetValParameter<typename Key::type>(*arguments, Key::id, std::move(key));
    auto command = MakeRefCnt<SimpleCommandPresModel>();
    command->SetCommandId(Cmd::id);
    command->SetArguments(RefCntPtr<IParameters const>(std::move(arguments)));
    auto commands = MakeRefCnt<SimpleCommandsPresModel>();
    commands->SetCommands({RefCntPtr<SimpleCommandPresModel const>(std::move(command))});
    return RefCntPtr<SimpleCommandsPresModel const>(std::move(commands));
}

// The plumbing every simulated area shares: its handlers reach its state through a weak pointer, and
// the commands that name one item of the area (an open edit, a table cache) find that item before
// the handler runs.
//
// An area keeps its state in a std::shared_ptr and registers its handlers in its constructor
// through a binding made on the spot. A handler is called with the state, and for Items, with the
// item its command names, then with the arguments and, where the command declares results, the
// results to fill:
//
//     const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("alias area"));
//     area.Handle<Cmds::CloseAll>([](Impl& impl, const SimArguments<Cmds::CloseAll>&) { impl.edits.clear(); });
//     const auto edits = area.Items<Cmds::EditId>(&Impl::edits, QStringLiteral("alias edit"));
//     edits.Handle<Cmds::Rename>([](Impl& impl, Impl::Edit& edit, const SimArguments<Cmds::Rename>& args,
//                                    SimResults<Cmds::Rename>& out) { out.Set<Cmds::Diff>(impl.Rename(edit, args)); });
//
// What the binding answers by itself, so that no handler repeats it:
// - once the state is gone (the area was destroyed before the host), every handler refuses with
//   "the <area> is gone"; while a handler runs, it holds the state, so the area cannot go from
//   under it;
// - a command whose Key argument names no item is refused with "no <noun> <key> is open" before the
//   handler runs.
// Anything else a handler cannot do, it refuses with Refuse(reason); whatever it throws becomes a
// refusal (SimHost). The binding itself need not outlive the constructor: handlers keep copies of
// what they need.
template <typename State>
class SimAreaBinding
{
    // The state while it lives; a refusal once it is gone.
    struct Lock
    {
        std::weak_ptr<State> state;
        QString area;

        std::shared_ptr<State> operator()() const
        {
            std::shared_ptr<State> locked = state.lock();
            if (!locked)
                Refuse(QStringLiteral("the %1 is gone").arg(area));
            return locked;
        }
    };

public:
    // `area` names the area in refusals ("parameter edit area").
    SimAreaBinding(SimHost& host, const std::shared_ptr<State>& state, QString area)
        : m_host(host)
        , m_lock {state, std::move(area)}
    {
    }

    // Registers handler(State&, const SimArguments<Cmd>&[, SimResults<Cmd>&]) for Cmd.
    template <typename Cmd, typename Handler>
    void Handle(Handler handler) const
    {
        m_host.Handle<Cmd>(
            [lock = m_lock, handler = std::move(handler)](const SimArguments<Cmd>& args, SimResults<Cmd>& out) mutable {
                const std::shared_ptr<State> state = lock();
                Call<Cmd>(handler, args, out, *state);
            });
    }

    // The items of the area that commands name by their argument Key.
    template <typename Key, typename Item>
    class ItemBinding
    {
    public:
        using KeyType = typename Key::type;
        // The item `key` names, or null when there is none.
        using Find = std::function<Item*(State&, const KeyType&)>;
        using Describe = std::function<QString(const KeyType&)>;

        // Registers handler(State&, Item&, const SimArguments<Cmd>&[, SimResults<Cmd>&]) for Cmd.
        template <typename Cmd, typename Handler>
        void Handle(Handler handler) const
        {
            static_assert(Commands::IsArgumentOf<Cmd, Key>, "the command does not name an item by this argument");
            m_host.Handle<Cmd>([items = *this, handler = std::move(handler)](
                                   const SimArguments<Cmd>& args, SimResults<Cmd>& out) mutable {
                const std::shared_ptr<State> state = items.m_lock();
                Call<Cmd>(handler, args, out, *state, items.Found(*state, args.template Get<Key>()));
            });
        }

    private:
        friend class SimAreaBinding;

        ItemBinding(SimHost& host, Lock lock, Find find, QString noun, Describe describe)
            : m_host(host)
            , m_lock(std::move(lock))
            , m_find(std::move(find))
            , m_noun(std::move(noun))
            , m_describe(std::move(describe))
        {
        }

        Item& Found(State& state, const KeyType& key) const
        {
            Item* item = m_find(state, key);
            if (!item)
                Refuse(QStringLiteral("no %1 %2 is open").arg(m_noun, m_describe(key)));
            return *item;
        }

        SimHost& m_host;
        Lock m_lock;
        Find m_find;
        QString m_noun;
        Describe m_describe;
    };

    // A key as the command log shows it. Public because it is the default argument of Items, which
    // clang checks for access where Items is called.
    template <typename Key>
    static QString DescribeKey(const typename Key::type& key)
    {
        return Commands::ParameterText::Describe(key);
    }

    // Items found by `find`; `noun` names one in refusals ("table cache"), with the key's text from
    // `describe` (by default as the command log shows it).
    template <typename Key, typename Item>
    ItemBinding<Key, Item> Items(typename ItemBinding<Key, Item>::Find find, QString noun,
        typename ItemBinding<Key, Item>::Describe describe = DescribeKey<Key>) const
    {
        return ItemBinding<Key, Item>(m_host, m_lock, std::move(find), std::move(noun), std::move(describe));
    }

    // Items kept in a map of the state under their key, the usual way of keeping open edits.
    template <typename Key, typename Map>
    ItemBinding<Key, typename Map::mapped_type> Items(Map State::*items, QString noun) const
    {
        using Item = typename Map::mapped_type;
        return Items<Key, Item>(
            [items](State& state, const typename Key::type& key) -> Item* {
                const auto it = (state.*items).find(key);
                return it == (state.*items).end() ? nullptr : &it->second;
            },
            std::move(noun));
    }

private:
    // Calls handler(found..., args, out), or handler(found..., args) for a handler that fills no results.
    template <typename Cmd, typename Handler, typename... Found>
    static void Call(Handler& handler, const SimArguments<Cmd>& args, SimResults<Cmd>& out, Found&... found)
    {
        if constexpr (std::is_invocable_v<Handler&, Found&..., const SimArguments<Cmd>&, SimResults<Cmd>&>) {
            handler(found..., args, out);
        } else {
            static_assert(std::is_invocable_v<Handler&, Found&..., const SimArguments<Cmd>&>,
                "a handler takes the state (and the item), then (const SimArguments<Cmd>&[, SimResults<Cmd>&])");
            handler(found..., args);
        }
    }

    SimHost& m_host;
    Lock m_lock;
};

} // namespace Zel::Sim
