#pragma once

#include "TString.h"

#include <QtCore/QDateTime>
#include <QtCore/QVariant>

// The host's data types. Everything that is not string, boolean, date or date-and-time is
// numeric to the dialogs.
enum DataType : int
{
    DT_UNKNOWN = 0,
    DT_INTEGER = 1,
    DT_STRING = 2,
    DT_DATETIME = 3,
    DT_BOOLEAN = 4,
    DT_DATE = 5,
    DT_REAL = 6,
    DT_SPATIAL = 7,
    DT_TUPLE = 8,
};

ZELHOST_DOC_EXPORT bool IsNumericDataType(DataType type) noexcept;

// One value of the workbook with its data type. A special value (null, or a value the host marks
// as not an ordinary member) still has a type but no ordinary content.
class ZELHOST_DOC_EXPORT DataValue
{
public:
    DataValue() = default;
    DataValue(int v)
        : m_type(DT_INTEGER)
        , m_special(false)
        , m_value(static_cast<qlonglong>(v))
    {
    }
    DataValue(long long v)
        : m_type(DT_INTEGER)
        , m_special(false)
        , m_value(static_cast<qlonglong>(v))
    {
    }
    DataValue(double v)
        : m_type(DT_REAL)
        , m_special(false)
        , m_value(v)
    {
    }
    DataValue(bool v)
        : m_type(DT_BOOLEAN)
        , m_special(false)
        , m_value(v)
    {
    }
    DataValue(const TString& v)
        : m_type(DT_STRING)
        , m_special(false)
        , m_value(v.ToQString())
    {
    }
    DataValue(const QDate& v)
        : m_type(DT_DATE)
        , m_special(false)
        , m_value(v)
    {
    }
    DataValue(const QDateTime& v)
        : m_type(DT_DATETIME)
        , m_special(false)
        , m_value(v)
    {
    }

    // A null of the given type: special, with no content.
    static DataValue Null(DataType type);
    // A special value that still shows a text, such as a member standing for all others.
    static DataValue Special(DataType type, const TString& text);
    // Converts `v` to `type` (strings are parsed); an unconvertible or empty value becomes the
    // type's null.
    static DataValue FromVariant(DataType type, const QVariant& v);

    DataType GetDataType() const noexcept { return m_type; }
    bool IsSpecial() const noexcept { return m_special; }
    bool IsNull() const noexcept { return m_special && !m_value.isValid(); }

    int GetInt() const;
    long long GetInt64() const;
    double GetReal() const;
    bool GetBool() const;
    TString GetString() const;
    QDate GetDate() const;
    QDateTime GetDateTime() const;
    const QVariant& ToQVariant() const noexcept { return m_value; }

    // A plain text of the value (ISO dates, "Null" for nulls); the host's formats go beyond this.
    TString ToDisplayString() const;

    friend ZELHOST_DOC_EXPORT bool operator==(const DataValue& a, const DataValue& b);
    friend bool operator!=(const DataValue& a, const DataValue& b) { return !(a == b); }

private:
    DataType m_type = DT_UNKNOWN;
    bool m_special = true;
    QVariant m_value;
};
