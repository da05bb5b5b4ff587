#pragma once

#include "sim/SimArguments.h"
#include "sim/ZelSimExport.h"

#include "host/doc/CommandDispatcher.h"

#include <QtCore/QString>

#include <functional>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

namespace Zel::Sim {

// One command as the simulator saw it, rendered for people: the demo tour prints these per step.
struct ZELSIM_EXPORT SimExchange
{
    int commandId = 0;
    QString commandName;
    QString arguments;
    // The results, or why the command was refused.
    QString results;
    bool refused = false;

    // "Name (id) {arguments} -> {results}", or "... -> refused: reason".
    QString ToString() const;
};

// The simulated host's dispatcher. Each area registers one typed handler per command it answers;
// a command arrives, is checked against its declaration, and only then reaches the handler:
//
//     host.Handle<Cmds::GetFoo>([&](const SimArguments<Cmds::GetFoo>& args, SimResults<Cmds::GetFoo>& results) {
//         results.Set<Params::Foo>(workbook.Foo(args.Get<Params::FooName>()));
//     });
//
// Whatever the library sends, the answer is either a set holding every required result with its
// declared type or null (which the library turns into its logic exception); the reason for a null
// is written to the host log. Handlers that throw are refused the same way, so a simulator bug
// shows up as a refused command rather than as a crash inside a dialog.
//
// Handlers run on the caller's thread, inside ExecuteCommand; a handler may send further commands.
class ZELSIM_EXPORT SimHost final : public ICommandDispatcher
{
public:
    SimHost();
    ~SimHost() override;
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Registers (or replaces) the handler of Cmd. A handler takes (const SimArguments<Cmd>&,
    // SimResults<Cmd>&); one of a command declared with Results<> may take the arguments alone.
    template <typename Cmd, typename Handler>
    void Handle(Handler handler);

    bool Handles(int commandId) const;
    std::vector<Commands::CommandInfo> HandledCommands() const;

    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const override;

    // Every command since the last clear, oldest first. Rendering costs a little per command, so a
    // benchmark may turn it off.
    const std::vector<SimExchange>& Exchanges() const noexcept { return m_exchanges; }
    void ClearExchanges();
    void SetExchangeLogEnabled(bool enabled) noexcept { m_exchangeLogEnabled = enabled; }

private:
    using Runner = std::function<void(const IParameters& arguments, IParameters& results)>;
    struct Entry
    {
        Commands::CommandInfo info;
        Runner run;
    };

    void Register(Commands::CommandInfo info, Runner run);
    // Why `arguments` do not fit the declaration, or empty when they do.
    static QString CheckArguments(const Commands::CommandInfo& info, const IParameters& arguments);
    static QString MissingRequiredResult(const Commands::CommandInfo& info, const IParameters& results);
    RefCntPtr<IParameters const> Refuse(SimExchange exchange, const QString& reason) const;
    void Record(SimExchange exchange) const;

    // Shared so that a handler replacing itself, or registering others, cannot pull the entry that
    // is running out from under its own call.
    std::map<int, std::shared_ptr<const Entry>> m_handlers;
    mutable std::vector<SimExchange> m_exchanges;
    bool m_exchangeLogEnabled = true;
};

template <typename Cmd, typename Handler>
void SimHost::Handle(Handler handler)
{
    constexpr bool takesResults = std::is_invocable_v<Handler&, const SimArguments<Cmd>&, SimResults<Cmd>&>;
    static_assert(
        takesResults || (!Commands::HasResults<Cmd> && std::is_invocable_v<Handler&, const SimArguments<Cmd>&>),
        "a handler takes (const SimArguments<Cmd>&, SimResults<Cmd>&)");
    Register(Commands::DescribeCommand<Cmd>(),
        [handler = std::move(handler)](const IParameters& arguments, IParameters& results) mutable {
            const SimArguments<Cmd> args(arguments);
            if constexpr (std::is_invocable_v<Handler&, const SimArguments<Cmd>&, SimResults<Cmd>&>) {
                SimResults<Cmd> out(results);
                handler(args, out);
            } else {
                handler(args);
            }
        });
}

} // namespace Zel::Sim
