#include "ValueFormat.h"

#include <QtCore/QLocale>
#include <QtCore/QRegularExpression>

#include <cmath>

namespace {
enum class FormatKind
{
    Automatic,
    Numeric,
    Date,
    DateTime,
};

FormatKind KindOf(DataType type)
{
    switch (type) {
    case DT_DATE:
        return FormatKind::Date;
    case DT_DATETIME:
        return FormatKind::DateTime;
    case DT_STRING:
    case DT_BOOLEAN:
    case DT_UNKNOWN:
        return FormatKind::Automatic;
    default:
        return IsNumericDataType(type) ? FormatKind::Numeric : FormatKind::Automatic;
    }
}

// The same text on every machine, whatever the user's own locale says.
const QLocale& English()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

struct NumericFormat
{
    QChar letter;
    int digits = 0;
};

bool ParseNumeric(const QString& format, NumericFormat& out)
{
    static const QRegularExpression pattern(QStringLiteral("^([ncpeNCPE])(\\d{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(format);
    if (!match.hasMatch())
        return false;
    out.letter = match.captured(1).at(0).toLower();
    out.digits = match.captured(2).toInt();
    return out.digits <= 15;
}

// The pattern letters outside quoted literals, so that "'at' HH:mm" does not count the quoted a and t.
QString PatternLetters(const QString& format)
{
    QString letters;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && c.isLetter())
            letters += c;
    }
    return letters;
}

bool HasAnyOf(const QString& letters, const QString& set)
{
    for (const QChar c : set) {
        if (letters.contains(c))
            return true;
    }
    return false;
}

const QString DateLetters = QStringLiteral("dMy");
const QString TimeLetters = QStringLiteral("hHmszaAPpt");

QString FormatNumber(double value, const NumericFormat& format)
{
    const QLocale& locale = English();
    switch (format.letter.unicode()) {
    case 'n':
        return locale.toString(value, 'f', format.digits);
    case 'c': {
        // "-$1.00", not "$-1.00": the sign leads as in the host's workbooks.
        const QString amount = locale.toString(std::fabs(value), 'f', format.digits);
        const bool negative = value < 0 && amount != locale.toString(0.0, 'f', format.digits);
        return (negative ? QStringLiteral("-$") : QStringLiteral("$")) + amount;
    }
    case 'p':
        return locale.toString(value * 100.0, 'f', format.digits) + QLatin1Char('%');
    default:
        return locale.toString(value, 'E', format.digits);
    }
}

QString Automatic(const DataValue& value)
{
    switch (value.GetDataType()) {
    case DT_INTEGER:
        return QString::number(value.GetInt64());
    case DT_DATE:
        return value.GetDate().toString(QStringLiteral("yyyy-MM-dd"));
    case DT_DATETIME:
        return value.GetDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case DT_BOOLEAN:
        return value.GetBool() ? QStringLiteral("True") : QStringLiteral("False");
    case DT_STRING:
    case DT_UNKNOWN:
        return value.GetString().ToQString();
    default:
        if (IsNumericDataType(value.GetDataType()))
            return QString::number(value.GetReal(), 'g', 6);
        return value.ToDisplayString().ToQString();
    }
}

FormatChoice Choice(const char* format, const char* caption)
{
    return FormatChoice {TString(QString::fromLatin1(format)), TString(QString::fromLatin1(caption))};
}
} // namespace

namespace ValueFormat {

std::vector<FormatChoice> ChoicesFor(DataType type)
{
    std::vector<FormatChoice> choices {Choice("", "Automatic")};
    switch (KindOf(type)) {
    case FormatKind::Numeric:
        choices.insert(choices.end(),
            {
                Choice("n0", "Number (no decimals)"),
                Choice("n2", "Number (2 decimals)"),
                Choice("c0", "Currency (no decimals)"),
                Choice("c2", "Currency (2 decimals)"),
                Choice("p0", "Percentage"),
                Choice("p2", "Percentage (2 decimals)"),
                Choice("e2", "Scientific"),
            });
        break;
    case FormatKind::Date:
        choices.insert(choices.end(),
            {
                Choice("yyyy-MM-dd", "ISO date (yyyy-MM-dd)"),
                Choice("MM/dd/yyyy", "Short date (MM/dd/yyyy)"),
                Choice("d MMMM yyyy", "Long date (d MMMM yyyy)"),
                Choice("dddd, MMMM d, yyyy", "Full date (dddd, MMMM d, yyyy)"),
                Choice("MMM yyyy", "Month and year (MMM yyyy)"),
                Choice("yyyy", "Year (yyyy)"),
            });
        break;
    case FormatKind::DateTime:
        choices.insert(choices.end(),
            {
                Choice("yyyy-MM-dd HH:mm:ss", "ISO date and time (yyyy-MM-dd HH:mm:ss)"),
                Choice("MM/dd/yyyy h:mm AP", "Short date and time (MM/dd/yyyy h:mm AP)"),
                Choice("d MMMM yyyy HH:mm", "Long date and time (d MMMM yyyy HH:mm)"),
                Choice("yyyy-MM-dd", "ISO date (yyyy-MM-dd)"),
                Choice("MM/dd/yyyy", "Short date (MM/dd/yyyy)"),
                Choice("HH:mm:ss", "Time (HH:mm:ss)"),
            });
        break;
    case FormatKind::Automatic:
        break;
    }
    return choices;
}

bool IsValidFormat(DataType type, const TString& format)
{
    const QString f = format.ToQString();
    if (f.isEmpty())
        return true;
    switch (KindOf(type)) {
    case FormatKind::Numeric: {
        NumericFormat numeric;
        return ParseNumeric(f, numeric);
    }
    case FormatKind::Date: {
        const QString letters = PatternLetters(f);
        return HasAnyOf(letters, DateLetters) && !HasAnyOf(letters, TimeLetters);
    }
    case FormatKind::DateTime:
        return HasAnyOf(PatternLetters(f), DateLetters + TimeLetters);
    case FormatKind::Automatic:
        break;
    }
    return false;
}

TString Format(const DataValue& value, const TString& format)
{
    if (value.IsNull())
        return TString(QStringLiteral("Null"));
    // A special member shows its own text whatever the format.
    if (value.IsSpecial())
        return value.ToDisplayString();
    const DataType type = value.GetDataType();
    if (!IsValidFormat(type, format) || format.empty())
        return TString(Automatic(value));
    const QString f = format.ToQString();
    switch (KindOf(type)) {
    case FormatKind::Numeric: {
        NumericFormat numeric;
        ParseNumeric(f, numeric);
        const double number = type == DT_INTEGER ? static_cast<double>(value.GetInt64()) : value.GetReal();
        return TString(FormatNumber(number, numeric));
    }
    case FormatKind::Date:
        return TString(English().toString(value.GetDate(), f));
    case FormatKind::DateTime:
        return TString(English().toString(value.GetDateTime(), f));
    case FormatKind::Automatic:
        break;
    }
    return TString(Automatic(value));
}

} // namespace ValueFormat
