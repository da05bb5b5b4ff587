#pragma once

#include "MdxToken.h"
#include "ZelHostDocExport.h"

#include <QtCore/QStringView>

// Splits MDX text into tokens in one pass, trivia included, so that the tokens cover the text
// without gap. Both the formula editor's colouring and the formula checker read MDX through it, so
// the two never disagree about where a name, a string or a comment ends.
//
// The text may be a piece of a longer one: `startState` says which construct an earlier piece
// left open, and State() after the last token says which one this piece leaves open. An editor
// tokenizes line by line this way. With `endOfInput` the text is the rest of the input, and a
// string, name, key or block comment that it leaves open becomes an error token; without, it is a
// token of its own kind that the next piece continues.
//
// The tokenizer only views `text`; the text must outlive it.
class ZELHOST_DOC_EXPORT MdxTokenizer
{
public:
    explicit MdxTokenizer(
        QStringView text, MdxLexState startState = MdxLexState::Normal, bool endOfInput = true, int firstLine = 1);

    // The next token; false, leaving `token` as it was, at the end of the text.
    bool Next(MdxToken& token);
    // The construct open at the current position: after the last token, the one the text leaves
    // open.
    MdxLexState State() const { return m_state; }
    // Line and column (1-based) of the current position.
    int Line() const { return m_line; }
    int Column() const { return m_pos - m_lineStart + 1; }

    // Case-insensitive.
    static bool FindKeyword(QStringView word, MdxKeyword& keyword);
    // How MDX orders and matches reserved words and function names: ASCII letters without regard
    // to case. Negative, zero or positive as `name` sorts before, with or after `word`.
    static int CompareName(const char* name, QStringView word);
    static QLatin1String KeywordText(MdxKeyword keyword);

private:
    void ScanNormal(MdxToken& token);
    void ContinueBlockComment(MdxToken& token);
    void ContinueBracketed(MdxToken& token, MdxTokenKind kind, MdxTokenError error);
    void ContinueQuoted(MdxToken& token, char16_t quote);
    void ScanNumber(MdxToken& token);
    void ScanWord(MdxToken& token);
    void ScanStray(MdxToken& token);
    bool ScanOperator(MdxToken& token);
    void LeaveOpen(MdxToken& token, MdxTokenKind kind, MdxTokenError error);

    char16_t At(int pos) const { return pos < m_size ? m_text[pos].unicode() : u'\0'; }
    // Moves one code unit on, counting a line break (LF, CR LF or a lone CR) once.
    void Step();

    QStringView m_text;
    int m_size = 0;
    int m_pos = 0;
    int m_line = 1;
    int m_lineStart = 0;
    MdxLexState m_state = MdxLexState::Normal;
    bool m_endOfInput = true;
};
