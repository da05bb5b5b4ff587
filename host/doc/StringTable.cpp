#include "StringTable.h"

#include "HostLog.h"

#include <unordered_map>
#include <unordered_set>

namespace {
const std::unordered_map<StringId, const char*>& Table()
{
    static const std::unordered_map<StringId, const char*> table = {
#define ZEL_STRING(Name, Id, Text) {Id, Text},
#include "StringTableData.inc"
#undef ZEL_STRING
    };
    return table;
}

const std::unordered_set<QtZelResourceId>& Resources()
{
    static const std::unordered_set<QtZelResourceId> ids = {
#define ZEL_RESOURCE(Name, Id, File) Id,
#include "ResourceIds.inc"
#undef ZEL_RESOURCE
    };
    return ids;
}
} // namespace

TString LookupTStr(StringId id)
{
    const auto& table = Table();
    auto it = table.find(id);
    if (it != table.end())
        return TString(QString::fromUtf8(it->second));
    LogMessage(TString(QStringLiteral("STRING TABLE: no text for id %1").arg(id)));
    return TString(QStringLiteral("[missing text %1]").arg(id));
}

TFormatString LookupTFmtStr(StringId id)
{
    return TFormatString(LookupTStr(id));
}

bool HasTStr(StringId id)
{
    return Table().count(id) != 0;
}

TString LookupDefaultQtZelRes(QtZelResourceId id)
{
    return TString(QStringLiteral(":/zel/icons/%1.svg").arg(id));
}

bool IsKnownQtZelRes(QtZelResourceId id)
{
    return Resources().count(id) != 0;
}
