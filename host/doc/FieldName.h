#pragma once

#include "TString.h"

#include <vector>

// A field or hierarchy name: an optional data source and a local name. Its global form quotes both
// parts in brackets ("[Orders].[Region]"), doubling any closing bracket inside a part.
class ZELHOST_DOC_EXPORT FieldName
{
public:
    FieldName() = default;
    FieldName(TString dataSource, TString localName)
        : m_dataSource(std::move(dataSource))
        , m_localName(std::move(localName))
    {
    }

    // Reads a global name ("[ds].[name]" or "[name]"); text that is not bracketed is taken whole
    // as the local name.
    static FieldName FromGlobalName(const TString& globalName);
    // A name typed by a user: the whole text, trimmed, is the local name; no data source.
    static FieldName ParseUnquoted(const TString& text);
    static FieldName MakeGlobalName(const TString& dataSource, const FieldName& name);
    static FieldName MakeGlobalName(const TString& dataSource, const TString& localName);

    const TString& GetDataSource() const noexcept { return m_dataSource; }
    const TString& GetLocalName() const noexcept { return m_localName; }
    TString GetGlobalName() const;
    bool IsEmpty() const noexcept { return m_localName.empty() && m_dataSource.empty(); }

    friend bool operator==(const FieldName& a, const FieldName& b) noexcept
    {
        return a.m_dataSource == b.m_dataSource && a.m_localName == b.m_localName;
    }
    friend bool operator!=(const FieldName& a, const FieldName& b) noexcept { return !(a == b); }
    friend bool operator<(const FieldName& a, const FieldName& b) noexcept
    {
        return a.m_dataSource < b.m_dataSource || (a.m_dataSource == b.m_dataSource && a.m_localName < b.m_localName);
    }

private:
    TString m_dataSource;
    TString m_localName;
};

inline FieldName MakeGlobalName(const TString& dataSource, const FieldName& name)
{
    return FieldName::MakeGlobalName(dataSource, name);
}

// A dotted path of names (schema, table, column ...). Empty when it has no part.
class ZELHOST_DOC_EXPORT QualifiedName
{
public:
    QualifiedName() = default;
    explicit QualifiedName(std::vector<TString> parts)
        : m_parts(std::move(parts))
    {
    }

    bool IsEmpty() const noexcept { return m_parts.empty(); }
    const std::vector<TString>& GetParts() const noexcept { return m_parts; }
    TString ToString() const;

    friend bool operator==(const QualifiedName& a, const QualifiedName& b) noexcept { return a.m_parts == b.m_parts; }
    friend bool operator!=(const QualifiedName& a, const QualifiedName& b) noexcept { return !(a == b); }

private:
    std::vector<TString> m_parts;
};
