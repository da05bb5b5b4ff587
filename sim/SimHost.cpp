#include "SimHost.h"

#include "host/doc/HostLog.h"

#include <QtCore/QStringList>

#include <algorithm>
#include <exception>

namespace Zel::Sim {

namespace {

// The log is for reading what a dialog did; a long interactive session keeps only its recent past.
constexpr std::size_t kMaxExchanges = 10000;

const Commands::ParameterInfo* FindInfo(const std::vector<Commands::ParameterInfo>& declared, int id)
{
    const auto it = std::find_if(
        declared.begin(), declared.end(), [id](const Commands::ParameterInfo& info) { return info.id == id; });
    return it != declared.end() ? &*it : nullptr;
}

QString ParameterLabel(const Commands::ParameterInfo& info)
{
    return QString::fromUtf8(info.name) + QStringLiteral(" (") + QString::number(info.id) + QLatin1Char(')');
}

QString DynamicTypeName(const IParameter& value)
{
    return Commands::ParameterText::TypeName(typeid(value));
}

// Declared parameters first, in declaration order, then anything the declaration does not know.
QString DescribeSet(const std::vector<Commands::ParameterInfo>& declared, const IParameters& set)
{
    QStringList parts;
    for (const Commands::ParameterInfo& info : declared) {
        if (set.HasParameter(info.id))
            parts << QString::fromUtf8(info.name) + QLatin1Char('=') + info.describe(set.GetParameter(info.id));
    }
    for (int id : set.GetParameterIds()) {
        if (!FindInfo(declared, id))
            parts << QLatin1Char('#') + QString::number(id) + QStringLiteral("=<")
                    + DynamicTypeName(set.GetParameter(id)) + QLatin1Char('>');
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString SimExchange::ToString() const
{
    const QString head = commandName + QStringLiteral(" (") + QString::number(commandId) + QStringLiteral(") {")
        + arguments + QStringLiteral("} -> ");
    if (refused)
        return head + QStringLiteral("refused: ") + results;
    return head + QLatin1Char('{') + results + QLatin1Char('}');
}

SimHost::SimHost() = default;
SimHost::~SimHost() = default;

void SimHost::Register(Commands::CommandInfo info, Runner run)
{
    const int id = info.id;
    m_handlers[id] = std::make_shared<const Entry>(Entry {std::move(info), std::move(run)});
}

bool SimHost::Handles(int commandId) const
{
    return m_handlers.count(commandId) != 0;
}

std::vector<Commands::CommandInfo> SimHost::HandledCommands() const
{
    std::vector<Commands::CommandInfo> infos;
    infos.reserve(m_handlers.size());
    for (const auto& entry : m_handlers)
        infos.push_back(entry.second->info);
    return infos;
}

void SimHost::ClearExchanges()
{
    m_exchanges.clear();
}

QString SimHost::CheckArguments(const Commands::CommandInfo& info, const IParameters& arguments)
{
    for (const Commands::ParameterInfo& declared : info.arguments) {
        if (!arguments.HasParameter(declared.id)) {
            if (declared.required)
                return QStringLiteral("missing required argument ") + ParameterLabel(declared);
            continue;
        }
        const IParameter& value = arguments.GetParameter(declared.id);
        if (!declared.matches(value))
            return QStringLiteral("argument ") + ParameterLabel(declared) + QStringLiteral(" has the wrong type ")
                + DynamicTypeName(value);
    }
    for (int id : arguments.GetParameterIds()) {
        if (!FindInfo(info.arguments, id))
            return QStringLiteral("undeclared argument id ") + QString::number(id);
    }
    return {};
}

QString SimHost::MissingRequiredResult(const Commands::CommandInfo& info, const IParameters& results)
{
    for (const Commands::ParameterInfo& declared : info.results) {
        if (declared.required && !results.HasParameter(declared.id))
            return QStringLiteral("simulator bug: the handler did not set the required result ")
                + ParameterLabel(declared);
    }
    return {};
}

RefCntPtr<IParameters const> SimHost::Refuse(SimExchange exchange, const QString& reason) const
{
    LogMessage(TString(QStringLiteral("Simulated host refused command ") + exchange.commandName + QStringLiteral(" (")
        + QString::number(exchange.commandId) + QStringLiteral("): ") + reason));
    exchange.refused = true;
    exchange.results = reason;
    Record(std::move(exchange));
    return {};
}

void SimHost::Record(SimExchange exchange) const
{
    if (!m_exchangeLogEnabled)
        return;
    if (m_exchanges.size() == kMaxExchanges)
        m_exchanges.erase(m_exchanges.begin(), m_exchanges.begin() + kMaxExchanges / 2);
    m_exchanges.push_back(std::move(exchange));
}

RefCntPtr<IParameters const> SimHost::ExecuteCommand(
    int commandId, RefCntPtr<IParameters const> parameters, void* /*reserved*/) const
{
    SimExchange exchange;
    exchange.commandId = commandId;

    const auto it = m_handlers.find(commandId);
    if (it == m_handlers.end()) {
        exchange.commandName = QStringLiteral("unknown");
        if (parameters && m_exchangeLogEnabled)
            exchange.arguments = DescribeSet({}, *parameters);
        return Refuse(std::move(exchange), QStringLiteral("no command has the id ") + QString::number(commandId));
    }
    const std::shared_ptr<const Entry> entry = it->second;
    const Commands::CommandInfo& info = entry->info;
    exchange.commandName = QString::fromUtf8(info.name);

    if (!parameters)
        return Refuse(std::move(exchange), QStringLiteral("no argument set"));
    if (m_exchangeLogEnabled)
        exchange.arguments = DescribeSet(info.arguments, *parameters);
    if (const QString reason = CheckArguments(info, *parameters); !reason.isEmpty())
        return Refuse(std::move(exchange), reason);

    RefCntPtr<IParameters> results = ContextParameters::Create();
    try {
        entry->run(*parameters, *results);
    } catch (const std::exception& e) {
        return Refuse(std::move(exchange), QStringLiteral("the handler failed: ") + QString::fromUtf8(e.what()));
    } catch (...) {
        return Refuse(std::move(exchange), QStringLiteral("the handler failed"));
    }
    if (const QString reason = MissingRequiredResult(info, *results); !reason.isEmpty())
        return Refuse(std::move(exchange), reason);

    if (m_exchangeLogEnabled) {
        exchange.results = DescribeSet(info.results, *results);
        Record(std::move(exchange));
    }
    return results;
}

} // namespace Zel::Sim
