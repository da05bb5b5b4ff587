#include "host/ui/EnumConverterRegistry.h"

#include "host/doc/DataValue.h"

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
            {DT_UNKNOWN, L"unknown", 857262438},
            {DT_REAL, L"real", 199795005},
            {DT_INTEGER, L"integer", 115207481},
            {DT_STRING, L"string", 921975072},
            {DT_BOOLEAN, L"boolean", 426620496},
            {DT_DATE, L"date", 167803091},
            {DT_DATETIME, L"datetime", 1860135439},
        },
        DT_UNKNOWN);
    return true;
}();
} // namespace
