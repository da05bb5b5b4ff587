#include "FieldName.h"

#include <QtCore/QStringList>

namespace {
QString Quote(const QString& part)
{
    return QLatin1Char('[') + QString(part).replace(QStringLiteral("]"), QStringLiteral("]]")) + QLatin1Char(']');
}

// Reads one bracketed part starting at `pos` (which holds '['); returns false when unbalanced.
bool ReadQuoted(const QString& s, int& pos, QString& out)
{
    out.clear();
    for (int i = pos + 1; i < s.size(); ++i) {
        if (s[i] != QLatin1Char(']')) {
            out += s[i];
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == QLatin1Char(']')) {
            out += QLatin1Char(']');
            ++i;
            continue;
        }
        pos = i + 1;
        return true;
    }
    return false;
}
} // namespace

FieldName FieldName::FromGlobalName(const TString& globalName)
{
    const QString s = globalName.ToQString();
    if (!s.startsWith(QLatin1Char('[')))
        return FieldName(TString(), globalName);
    int pos = 0;
    QString first;
    if (!ReadQuoted(s, pos, first))
        return FieldName(TString(), globalName);
    if (pos == s.size())
        return FieldName(TString(), TString(first));
    QString second;
    if (s.mid(pos, 2) != QStringLiteral(".[") || !(++pos, ReadQuoted(s, pos, second)) || pos != s.size())
        return FieldName(TString(), globalName);
    return FieldName(TString(first), TString(second));
}

FieldName FieldName::ParseUnquoted(const TString& text)
{
    return FieldName(TString(), TString(text.ToQString().trimmed()));
}

FieldName FieldName::MakeGlobalName(const TString& dataSource, const FieldName& name)
{
    return FieldName(dataSource, name.GetLocalName());
}

FieldName FieldName::MakeGlobalName(const TString& dataSource, const TString& localName)
{
    return FieldName(dataSource, localName);
}

TString FieldName::GetGlobalName() const
{
    if (m_dataSource.empty())
        return TString(Quote(m_localName.ToQString()));
    return TString(Quote(m_dataSource.ToQString()) + QLatin1Char('.') + Quote(m_localName.ToQString()));
}

TString QualifiedName::ToString() const
{
    QStringList parts;
    for (const TString& p : m_parts)
        parts << Quote(p.ToQString());
    return TString(parts.join(QLatin1Char('.')));
}
