#pragma once

#include "ZelHostDocExport.h"

#include <QtCore/QString>

#include <functional>
#include <string>

// The host's wide-character string. Conversions to and from QString are explicit so that a
// comparison never has two equally good meanings.
class ZELHOST_DOC_EXPORT TString
{
public:
    TString() = default;
    TString(const wchar_t* s)
        : m_text(s ? s : L"")
    {
    }
    TString(std::wstring s)
        : m_text(std::move(s))
    {
    }
    TString(const QString& s)
        : m_text(s.toStdWString())
    {
    }
    static TString FromUtf8(const char* s) { return TString(QString::fromUtf8(s)); }

    // Exactly as long as the text: a QString made by QString::fromStdWString keeps room for twice
    // its length, which strings kept by the million (a field's members) would all carry.
    QString ToQString() const;
    std::string ToUtf8() const { return ToQString().toStdString(); }
    const std::wstring& Str() const noexcept { return m_text; }
    const wchar_t* c_str() const noexcept { return m_text.c_str(); }

    bool empty() const noexcept { return m_text.empty(); }
    bool IsEmpty() const noexcept { return m_text.empty(); }
    std::size_t length() const noexcept { return m_text.size(); }

    // Writes n in the given base, right-aligned in fieldWidth characters padded with fill
    // (a negative width left-aligns), as QString::arg does.
    static TString number(long long n, int base = 10, int fieldWidth = 0, wchar_t fill = L' ');
    static TString number(double d, char format = 'g', int precision = 6);

    TString& operator+=(const TString& other)
    {
        m_text += other.m_text;
        return *this;
    }
    friend TString operator+(TString a, const TString& b) { return a += b; }

    friend bool operator==(const TString& a, const TString& b) noexcept { return a.m_text == b.m_text; }
    friend bool operator!=(const TString& a, const TString& b) noexcept { return a.m_text != b.m_text; }
    friend bool operator<(const TString& a, const TString& b) noexcept { return a.m_text < b.m_text; }

private:
    std::wstring m_text;
};

template <>
struct std::hash<TString>
{
    std::size_t operator()(const TString& s) const noexcept { return std::hash<std::wstring>()(s.Str()); }
};

// A localised text with %1..%99 markers, filled argument by argument.
class ZELHOST_DOC_EXPORT TFormatString
{
public:
    TFormatString() = default;
    explicit TFormatString(TString pattern)
        : m_text(pattern.ToQString())
    {
    }

    // Replaces the lowest-numbered marker, as QString::arg does.
    TFormatString& arg(const TString& value, int fieldWidth = 0, wchar_t fill = L' ');
    TFormatString& arg(long long value, int fieldWidth = 0, int base = 10, wchar_t fill = L' ');

    TString ToTString() const { return TString(m_text); }
    operator TString() const { return ToTString(); }

private:
    QString m_text;
};

#include <QtCore/QMetaType>

// Carried by signals (and so by QSignalSpy and queued connections) of the dialogs' models.
Q_DECLARE_METATYPE(TString)
