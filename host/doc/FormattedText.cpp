#include "FormattedText.h"

#include <QtCore/QRegularExpression>

FormattedText FormattedText::FromPlainText(const TString& text)
{
    FormattedText ft;
    ft.m_markup = TString(text.ToQString().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br/>")));
    return ft;
}

FormattedText FormattedText::FromMarkup(const TString& markup)
{
    FormattedText ft;
    ft.m_markup = markup;
    return ft;
}

TString FormattedText::GetPlainText() const
{
    // Only the tags and entities that markup from plain text or a rich editor carries; the host's
    // editors render the markup itself.
    QString s = m_markup.ToQString();
    static const QRegularExpression lineBreaks(
        QStringLiteral("<br\\s*/?>|</p>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    s.replace(lineBreaks, QStringLiteral("\n")).remove(tags);
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
        .replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&#39;"), QStringLiteral("'"))
        .replace(QStringLiteral("&nbsp;"), QStringLiteral(" "))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return TString(s.trimmed());
}

bool FormattedText::IsEmpty() const
{
    return GetPlainText().empty();
}
