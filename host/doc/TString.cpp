#include "TString.h"

namespace {
// Shown for a value that is no Unicode character (negative, past U+10FFFF, or a lone surrogate).
constexpr char32_t kReplacement = 0xFFFD;

char32_t CodePoint(wchar_t c)
{
    const auto value = static_cast<char32_t>(c);
    const bool valid = c >= 0 && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
    return valid ? value : kReplacement;
}
} // namespace

QString TString::ToQString() const
{
    int units = 0;
    for (const wchar_t c : m_text)
        units += QChar::requiresSurrogates(CodePoint(c)) ? 2 : 1;
    QString text(units, Qt::Uninitialized);
    QChar* out = text.data();
    for (const wchar_t c : m_text) {
        const char32_t point = CodePoint(c);
        if (QChar::requiresSurrogates(point)) {
            *out++ = QChar(QChar::highSurrogate(point));
            *out++ = QChar(QChar::lowSurrogate(point));
        } else {
            *out++ = QChar(static_cast<char16_t>(point));
        }
    }
    return text;
}

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
