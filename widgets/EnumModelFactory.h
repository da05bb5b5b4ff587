#pragma once

#include "host/doc/TString.h"
#include "host/ui/EnumConverterRegistry.h"

#include <unordered_set>
#include <utility>
#include <vector>

// Turns values of a host enumeration into (value, localised text) entries for a list, through the
// host's EnumConverterRegistry. Values without a text are left out, and so, unless allowed, are
// values whose text an earlier value of the same list already has.
template <typename T>
class EnumModelFactory final
{
public:
    using Entry = std::pair<int, TString>;

    explicit EnumModelFactory(bool allowEqualTexts)
        : m_allowEqualTexts(allowEqualTexts)
    {
    }

    virtual TString ToString(T value) const
    {
        return EnumConverterRegistry::GetInstance().ToStringLocal(
            EnumConverterRegistry::KeyOf<T>(), static_cast<int>(value));
    }

    std::vector<Entry> BuildEntries(const std::vector<T>& values) const
    {
        std::vector<Entry> entries;
        entries.reserve(values.size());
        std::unordered_set<TString> seen;
        for (T value : values) {
            TString text = ToString(value);
            if (text.empty())
                continue;
            if (!m_allowEqualTexts && !seen.insert(text).second)
                continue;
            entries.emplace_back(static_cast<int>(value), std::move(text));
        }
        return entries;
    }

    // Every registered value, in registration order.
    std::vector<Entry> BuildAllEntries() const
    {
        std::vector<T> values;
        for (const auto& entry : EnumConverterRegistry::GetInstance().GetValues(EnumConverterRegistry::KeyOf<T>()))
            values.push_back(static_cast<T>(entry.value));
        return BuildEntries(values);
    }

    bool AllowsEqualTexts() const { return m_allowEqualTexts; }

private:
    bool m_allowEqualTexts;
};
