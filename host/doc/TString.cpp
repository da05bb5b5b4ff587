#include "TString.h"

TString TString::number(long long n, int base, int fieldWidth, wchar_t fill)
{
    return TString(QStringLiteral("%1").arg(n, fieldWidth, base, QChar(static_cast<char16_t>(fill))));
}

TString TString::number(double d, char format, int precision)
{
    return TString(QString::number(d, format, precision));
}

TFormatString& TFormatString::arg(const TString& value, int fieldWidth, wchar_t fill)
{
    m_text = m_text.arg(value.ToQString(), fieldWidth, QChar(static_cast<char16_t>(fill)));
    return *this;
}

TFormatString& TFormatString::arg(long long value, int fieldWidth, int base, wchar_t fill)
{
    m_text = m_text.arg(value, fieldWidth, base, QChar(static_cast<char16_t>(fill)));
    return *this;
}
