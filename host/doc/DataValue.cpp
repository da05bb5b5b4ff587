#include "DataValue.h"

#include <cmath>

bool IsNumericDataType(DataType type) noexcept
{
    return type != DT_STRING && type != DT_BOOLEAN && type != DT_DATE && type != DT_DATETIME;
}

DataValue DataValue::Null(DataType type)
{
    DataValue v;
    v.m_type = type;
    return v;
}

DataValue DataValue::Special(DataType type, const TString& text)
{
    DataValue v;
    v.m_type = type;
    v.m_value = text.ToQString();
    return v;
}

DataValue DataValue::FromVariant(DataType type, const QVariant& in)
{
    if (type == DT_STRING && in.type() == QVariant::String)
        return DataValue(TString(in.toString()));
    if (!in.isValid() || in.isNull()
        || (in.type() == QVariant::String && in.toString().trimmed().isEmpty() && type != DT_STRING))
        return Null(type);
    bool ok = true;
    switch (type) {
    case DT_STRING:
        return DataValue(TString(in.toString()));
    case DT_BOOLEAN: {
        if (in.type() == QVariant::String) {
            const QString s = in.toString().trimmed().toLower();
            if (s == QLatin1String("true") || s == QLatin1String("1"))
                return DataValue(true);
            if (s == QLatin1String("false") || s == QLatin1String("0"))
                return DataValue(false);
            return Null(type);
        }
        return DataValue(in.toBool());
    }
    case DT_DATE: {
        const QDate d
            = in.type() == QVariant::String ? QDate::fromString(in.toString().trimmed(), Qt::ISODate) : in.toDate();
        return d.isValid() ? DataValue(d) : Null(type);
    }
    case DT_DATETIME: {
        const QDateTime d = in.type() == QVariant::String ? QDateTime::fromString(in.toString().trimmed(), Qt::ISODate)
                                                          : in.toDateTime();
        return d.isValid() ? DataValue(d) : Null(type);
    }
    case DT_INTEGER: {
        const qlonglong i
            = in.type() == QVariant::String ? in.toString().trimmed().toLongLong(&ok) : in.toLongLong(&ok);
        if (ok)
            return DataValue(static_cast<long long>(i));
        // "12.0" is still a whole number to a user.
        const double d = in.toString().trimmed().toDouble(&ok);
        return ok && std::floor(d) == d ? DataValue(static_cast<long long>(d)) : Null(type);
    }
    default: {
        const double d = in.type() == QVariant::String ? in.toString().trimmed().toDouble(&ok) : in.toDouble(&ok);
        if (!ok)
            return Null(type);
        DataValue v(d);
        v.m_type = type;
        return v;
    }
    }
}

int DataValue::GetInt() const
{
    return static_cast<int>(GetInt64());
}

long long DataValue::GetInt64() const
{
    return m_value.toLongLong();
}

double DataValue::GetReal() const
{
    return m_value.toDouble();
}

bool DataValue::GetBool() const
{
    return m_value.toBool();
}

TString DataValue::GetString() const
{
    return TString(m_value.toString());
}

QDate DataValue::GetDate() const
{
    return m_value.toDate();
}

QDateTime DataValue::GetDateTime() const
{
    return m_value.toDateTime();
}

TString DataValue::ToDisplayString() const
{
    if (IsNull())
        return TString(QStringLiteral("Null"));
    switch (m_value.type()) {
    case QVariant::Date:
        return TString(m_value.toDate().toString(Qt::ISODate));
    case QVariant::DateTime:
        return TString(m_value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    case QVariant::Bool:
        return TString(m_value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    default:
        return TString(m_value.toString());
    }
}

bool operator==(const DataValue& a, const DataValue& b)
{
    return a.m_type == b.m_type && a.m_special == b.m_special && a.m_value == b.m_value;
}
