#pragma once

#include "host/doc/StringTable.h"
#include "host/ui/ZelHostUiExport.h"

#include <cstdint>
#include <string>
#include <typeinfo>
#include <unordered_map>
#include <vector>

// The process-wide table of enumerations that the toolkit shows by name: each registered value
// has a fixed name (for files and logs) and the id of its localised text. Combo boxes over an
// enumeration list its values in registration order.
//
// An enumeration is keyed by the type-identity hash of its C++ type (KeyOf<T>()), which every
// module computes alike. Registration happens while libraries load; everything else runs on the
// GUI thread.
class ZELHOST_UI_EXPORT EnumConverterRegistry
{
public:
    using EnumKey = std::uint64_t;

    struct EnumMapEntry
    {
        int value;
        std::wstring name;
        StringId textId;
    };

    static EnumConverterRegistry& GetInstance();

    template <typename T>
    static EnumKey KeyOf()
    {
        return static_cast<EnumKey>(typeid(T).hash_code());
    }

    // Registering a key again replaces its values, so a library loaded twice does no harm.
    void RegisterEnum(EnumKey key, std::vector<EnumMapEntry> entries, int defaultValue);
    bool IsRegistered(EnumKey key) const;

    // In registration order; empty for an enumeration nobody registered.
    std::vector<EnumMapEntry> GetValues(EnumKey key) const;
    // The localised text of a value; empty for a value (or enumeration) that is not registered.
    TString ToStringLocal(EnumKey key, int value) const;
    // The fixed name of a value; empty when it is not registered.
    TString ToStringFixed(EnumKey key, int value) const;
    // The value to assume when none is chosen; 0 for an enumeration nobody registered.
    int DefaultValue(EnumKey key) const;

private:
    EnumConverterRegistry() = default;

    struct Enumeration
    {
        std::vector<EnumMapEntry> entries;
        int defaultValue = 0;
    };
    const EnumMapEntry* Find(EnumKey key, int value) const;

    std::unordered_map<EnumKey, Enumeration> m_enums;
};
