#pragma once

#include "TString.h"

// Text with character formatting, kept as the rich-text markup the editors exchange. Two texts are
// equal when their markup is; the plain text is derived on demand.
class ZELHOST_DOC_EXPORT FormattedText
{
public:
    FormattedText() = default;
    static FormattedText FromPlainText(const TString& text);
    static FormattedText FromMarkup(const TString& markup);

    const TString& GetMarkup() const noexcept { return m_markup; }
    TString GetPlainText() const;
    bool IsEmpty() const;

    friend bool operator==(const FormattedText& a, const FormattedText& b) noexcept { return a.m_markup == b.m_markup; }
    friend bool operator!=(const FormattedText& a, const FormattedText& b) noexcept { return !(a == b); }

private:
    TString m_markup;
};
