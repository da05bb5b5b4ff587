#pragma once

// Short readable text of a parameter value, for logs and for the simulator's list of exchanged
// commands. It is for people reading what went back and forth, not a serialisation: long strings
// and lists are cut, and a record shows only its type.

#include "host/doc/DataValue.h"
#include "host/doc/FieldName.h"
#include "host/doc/FormattedText.h"
#include "host/doc/RefCnt.h"

#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace Zel::Commands::ParameterText {

inline constexpr int kMaxTextLength = 40;
inline constexpr std::size_t kMaxListItems = 3;

// The type's name as written in source, without the namespace of the host's records.
inline QString TypeName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    return QString::fromUtf8(status == 0 && demangled ? demangled.get() : type.name());
}

inline QString Quoted(const QString& text)
{
    if (text.size() <= kMaxTextLength)
        return QLatin1Char('"') + text + QLatin1Char('"');
    return QLatin1Char('"') + text.left(kMaxTextLength - 1) + QChar(0x2026) + QLatin1Char('"');
}

inline QString Describe(const TString& value)
{
    return Quoted(value.ToQString());
}

inline QString Describe(const QString& value)
{
    return Quoted(value);
}

inline QString Describe(const FieldName& value)
{
    return value.IsEmpty() ? QStringLiteral("[]") : value.GetGlobalName().ToQString();
}

inline QString Describe(const QualifiedName& value)
{
    return value.IsEmpty() ? QStringLiteral("(empty name)") : value.ToString().ToQString();
}

inline QString Describe(const FormattedText& value)
{
    return Quoted(value.GetPlainText().ToQString());
}

inline QString Describe(const DataValue& value)
{
    if (value.IsNull())
        return QStringLiteral("Null");
    const QString text = value.ToDisplayString().ToQString();
    return value.GetDataType() == DT_STRING ? Quoted(text) : text;
}

// Templates after the plain overloads, so that an item of a list finds every overload above.
template <typename T>
QString Describe(const std::vector<T>& values);
template <typename T>
QString Describe(const std::optional<T>& value);
template <typename X>
QString Describe(const RefCntPtr<X>& record);
template <typename T>
QString Describe(const T& value);

template <typename T>
QString Describe(const std::vector<T>& values)
{
    QStringList items;
    for (std::size_t i = 0; i < values.size() && i < kMaxListItems; ++i)
        items << Describe(values[i]);
    if (values.size() > kMaxListItems)
        items << QString(QChar(0x2026));
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QStringLiteral("] (") + QString::number(values.size())
        + (values.size() == 1 ? QStringLiteral(" item)") : QStringLiteral(" items)"));
}

template <typename T>
QString Describe(const std::optional<T>& value)
{
    return value ? Describe(*value) : QStringLiteral("(none)");
}

// A record shows its dynamic type, which is what tells a reader which answer came back.
template <typename X>
QString Describe(const RefCntPtr<X>& record)
{
    return record ? TypeName(typeid(*record)) : QStringLiteral("null");
}

template <typename T>
QString Describe(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value ? QStringLiteral("true") : QStringLiteral("false");
    else if constexpr (std::is_arithmetic_v<T>)
        return QString::number(value);
    else if constexpr (std::is_enum_v<T>)
        return TypeName(typeid(T)) + QLatin1Char('(')
            + QString::number(static_cast<long long>(static_cast<std::underlying_type_t<T>>(value))) + QLatin1Char(')');
    else
        return QLatin1Char('<') + TypeName(typeid(T)) + QLatin1Char('>');
}

} // namespace Zel::Commands::ParameterText
