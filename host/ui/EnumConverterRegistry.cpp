#include "host/ui/EnumConverterRegistry.h"

#include "host/doc/DataValue.h"
#include "host/doc/StringIds.h"

#include <algorithm>

EnumConverterRegistry& EnumConverterRegistry::GetInstance()
{
    static EnumConverterRegistry registry;
    return registry;
}

void EnumConverterRegistry::RegisterEnum(EnumKey key, std::vector<EnumMapEntry> entries, int defaultValue)
{
    m_enums[key] = Enumeration {std::move(entries), defaultValue};
}

bool EnumConverterRegistry::IsRegistered(EnumKey key) const
{
    return m_enums.count(key) != 0;
}

std::vector<EnumConverterRegistry::EnumMapEntry> EnumConverterRegistry::GetValues(EnumKey key) const
{
    const auto it = m_enums.find(key);
    return it != m_enums.end() ? it->second.entries : std::vector<EnumMapEntry> {};
}

const EnumConverterRegistry::EnumMapEntry* EnumConverterRegistry::Find(EnumKey key, int value) const
{
    const auto it = m_enums.find(key);
    if (it == m_enums.end())
        return nullptr;
    const auto& entries = it->second.entries;
    const auto entry
        = std::find_if(entries.begin(), entries.end(), [value](const EnumMapEntry& e) { return e.value == value; });
    return entry != entries.end() ? &*entry : nullptr;
}

TString EnumConverterRegistry::ToStringLocal(EnumKey key, int value) const
{
    const EnumMapEntry* entry = Find(key, value);
    return entry ? LookupTStr(entry->textId) : TString();
}

TString EnumConverterRegistry::ToStringFixed(EnumKey key, int value) const
{
    const EnumMapEntry* entry = Find(key, value);
    return entry ? TString(entry->name) : TString();
}

int EnumConverterRegistry::DefaultValue(EnumKey key) const
{
    const auto it = m_enums.find(key);
    return it != m_enums.end() ? it->second.defaultValue : 0;
}

namespace {
// The host's data types, in the order type lists offer them. The unknown type is registered with
// text 857262438 because dialogs find it (and drop it) by that text; the spatial and tuple types
// are the host's internal ones and are never offered for a parameter or a calculation.
const bool DataTypeRegistered = [] {
    EnumConverterRegistry::GetInstance().RegisterEnum(EnumConverterRegistry::KeyOf<DataType>(),
        {
            {DT_UNKNOWN, L"unknown", Zel::Strings::DataTypeUnknown},
            {DT_REAL, L"real", Zel::Strings::DataTypeReal},
            {DT_INTEGER, L"integer", Zel::Strings::DataTypeInteger},
            {DT_STRING, L"string", Zel::Strings::DataTypeString},
            {DT_BOOLEAN, L"boolean", Zel::Strings::DataTypeBoolean},
            {DT_DATE, L"date", Zel::Strings::DataTypeDate},
            {DT_DATETIME, L"datetime", Zel::Strings::DataTypeDateTime},
        },
        DT_UNKNOWN);
    return true;
}();
} // namespace
