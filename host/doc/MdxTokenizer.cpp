#include "MdxTokenizer.h"

#include "MdxFunctionTable.h"

#include <algorithm>
#include <iterator>

namespace {

struct KeywordEntry
{
    const char* text;
    MdxKeyword keyword;
};

// Sorted by text, ASCII case folded (an underscore sorts after the letters).
constexpr KeywordEntry Keywords[] = {
    {"AFTER", MdxKeyword::After},
    {"ALL", MdxKeyword::All},
    {"AND", MdxKeyword::And},
    {"AS", MdxKeyword::As},
    {"ASC", MdxKeyword::Asc},
    {"BASC", MdxKeyword::BAsc},
    {"BDESC", MdxKeyword::BDesc},
    {"BEFORE", MdxKeyword::Before},
    {"BEFORE_AND_AFTER", MdxKeyword::BeforeAndAfter},
    {"CASE", MdxKeyword::Case},
    {"CELL", MdxKeyword::Cell},
    {"COLUMNS", MdxKeyword::Columns},
    {"DESC", MdxKeyword::Desc},
    {"ELSE", MdxKeyword::Else},
    {"EMPTY", MdxKeyword::Empty},
    {"END", MdxKeyword::End},
    {"EXCLUDEEMPTY", MdxKeyword::ExcludeEmpty},
    {"EXISTING", MdxKeyword::Existing},
    {"FROM", MdxKeyword::From},
    {"INCLUDEEMPTY", MdxKeyword::IncludeEmpty},
    {"IS", MdxKeyword::Is},
    {"LEAVES", MdxKeyword::Leaves},
    {"MEMBER", MdxKeyword::Member},
    {"NON", MdxKeyword::Non},
    {"NOT", MdxKeyword::Not},
    {"NULL", MdxKeyword::Null},
    {"ON", MdxKeyword::On},
    {"OR", MdxKeyword::Or},
    {"POST", MdxKeyword::Post},
    {"RECURSIVE", MdxKeyword::Recursive},
    {"ROWS", MdxKeyword::Rows},
    {"SELECT", MdxKeyword::Select},
    {"SELF", MdxKeyword::Self},
    {"SELF_AND_AFTER", MdxKeyword::SelfAndAfter},
    {"SELF_AND_BEFORE", MdxKeyword::SelfAndBefore},
    {"SELF_BEFORE_AFTER", MdxKeyword::SelfBeforeAfter},
    {"SET", MdxKeyword::Set},
    {"THEN", MdxKeyword::Then},
    {"WHEN", MdxKeyword::When},
    {"WHERE", MdxKeyword::Where},
    {"WITH", MdxKeyword::With},
    {"XOR", MdxKeyword::Xor},
};
static_assert(std::size(Keywords) == MdxKeywordCount, "one entry per keyword");

bool IsLineBreak(char16_t c)
{
    return c == u'\n' || c == u'\r';
}

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || (c > 127 && QChar(c).isSpace());
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsWordStart(char16_t c)
{
    if (c < 128)
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    return QChar(c).isLetter();
}

bool IsWordPart(char16_t c)
{
    if (c < 128)
        return IsWordStart(c) || IsDigit(c);
    return QChar(c).isLetterOrNumber() || QChar(c).isMark();
}

// Characters that begin some token other than an error.
bool BeginsToken(char16_t c, char16_t next)
{
    switch (c) {
    case u'+':
    case u'-':
    case u'*':
    case u'/':
    case u'^':
    case u'=':
    case u'<':
    case u'>':
    case u':':
    case u',':
    case u'.':
    case u'(':
    case u')':
    case u'{':
    case u'}':
    case u';':
    case u'[':
    case u'"':
    case u'\'':
        return true;
    case u'&':
        return next == u'[';
    case u'|':
        return next == u'|';
    default:
        return IsSpace(c) || IsWordPart(c) || IsWordStart(c);
    }
}

} // namespace

MdxTokenizer::MdxTokenizer(QStringView text, MdxLexState startState, bool endOfInput, int firstLine)
    : m_text(text)
    , m_size(static_cast<int>(text.size()))
    , m_line(firstLine)
    , m_state(startState)
    , m_endOfInput(endOfInput)
{
}

void MdxTokenizer::Step()
{
    const char16_t c = m_text[m_pos].unicode();
    ++m_pos;
    if (c == u'\n' || (c == u'\r' && At(m_pos) != u'\n')) {
        ++m_line;
        m_lineStart = m_pos;
    }
}

bool MdxTokenizer::Next(MdxToken& token)
{
    if (m_pos >= m_size)
        return false;
    token.offset = m_pos;
    token.line = m_line;
    token.column = m_pos - m_lineStart + 1;
    token.code = 0;
    switch (m_state) {
    case MdxLexState::Normal:
        ScanNormal(token);
        break;
    case MdxLexState::BlockComment:
        ContinueBlockComment(token);
        break;
    case MdxLexState::BracketedName:
        ContinueBracketed(token, MdxTokenKind::BracketedName, MdxTokenError::UnterminatedName);
        break;
    case MdxLexState::Key:
        ContinueBracketed(token, MdxTokenKind::Key, MdxTokenError::UnterminatedKey);
        break;
    case MdxLexState::String:
        ContinueQuoted(token, u'"');
        break;
    case MdxLexState::SingleQuotedString:
        ContinueQuoted(token, u'\'');
        break;
    }
    token.length = m_pos - token.offset;
    return true;
}

void MdxTokenizer::ScanNormal(MdxToken& token)
{
    const char16_t c = At(m_pos);
    const char16_t next = At(m_pos + 1);
    if (IsSpace(c)) {
        token.kind = MdxTokenKind::Whitespace;
        while (m_pos < m_size && IsSpace(At(m_pos)))
            Step();
        return;
    }
    if ((c == u'/' && next == u'/') || (c == u'-' && next == u'-')) {
        token.kind = MdxTokenKind::LineComment;
        while (m_pos < m_size && !IsLineBreak(At(m_pos)))
            ++m_pos;
        return;
    }
    if (c == u'/' && next == u'*') {
        m_pos += 2;
        m_state = MdxLexState::BlockComment;
        ContinueBlockComment(token);
        return;
    }
    if (c == u'[') {
        ++m_pos;
        m_state = MdxLexState::BracketedName;
        ContinueBracketed(token, MdxTokenKind::BracketedName, MdxTokenError::UnterminatedName);
        return;
    }
    if (c == u'&' && next == u'[') {
        m_pos += 2;
        m_state = MdxLexState::Key;
        ContinueBracketed(token, MdxTokenKind::Key, MdxTokenError::UnterminatedKey);
        return;
    }
    if (c == u'"' || c == u'\'') {
        ++m_pos;
        m_state = c == u'"' ? MdxLexState::String : MdxLexState::SingleQuotedString;
        ContinueQuoted(token, c);
        return;
    }
    if (IsDigit(c)) {
        ScanNumber(token);
        return;
    }
    if (IsWordStart(c)) {
        ScanWord(token);
        return;
    }
    if (ScanOperator(token))
        return;
    ScanStray(token);
}

void MdxTokenizer::LeaveOpen(MdxToken& token, MdxTokenKind kind, MdxTokenError error)
{
    if (m_endOfInput) {
        token.kind = MdxTokenKind::Error;
        token.code = static_cast<int>(error);
    } else {
        token.kind = kind;
    }
}

void MdxTokenizer::ContinueBlockComment(MdxToken& token)
{
    while (m_pos < m_size) {
        if (At(m_pos) == u'*' && At(m_pos + 1) == u'/') {
            m_pos += 2;
            m_state = MdxLexState::Normal;
            token.kind = MdxTokenKind::BlockComment;
            return;
        }
        Step();
    }
    LeaveOpen(token, MdxTokenKind::BlockComment, MdxTokenError::UnterminatedComment);
}

void MdxTokenizer::ContinueBracketed(MdxToken& token, MdxTokenKind kind, MdxTokenError error)
{
    while (m_pos < m_size) {
        if (At(m_pos) == u']') {
            if (At(m_pos + 1) == u']') {
                m_pos += 2;
                continue;
            }
            ++m_pos;
            m_state = MdxLexState::Normal;
            token.kind = kind;
            return;
        }
        Step();
    }
    LeaveOpen(token, kind, error);
}

void MdxTokenizer::ContinueQuoted(MdxToken& token, char16_t quote)
{
    while (m_pos < m_size) {
        if (At(m_pos) == quote) {
            if (At(m_pos + 1) == quote) {
                m_pos += 2;
                continue;
            }
            ++m_pos;
            m_state = MdxLexState::Normal;
            token.kind = MdxTokenKind::String;
            return;
        }
        Step();
    }
    LeaveOpen(token, MdxTokenKind::String, MdxTokenError::UnterminatedString);
}

void MdxTokenizer::ScanNumber(MdxToken& token)
{
    token.kind = MdxTokenKind::Number;
    while (IsDigit(At(m_pos)))
        ++m_pos;
    if (At(m_pos) == u'.' && IsDigit(At(m_pos + 1))) {
        ++m_pos;
        while (IsDigit(At(m_pos)))
            ++m_pos;
    }
    const char16_t e = At(m_pos);
    if (e == u'e' || e == u'E') {
        const char16_t sign = At(m_pos + 1);
        const int digitsAt = (sign == u'+' || sign == u'-') ? m_pos + 2 : m_pos + 1;
        if (IsDigit(At(digitsAt))) {
            m_pos = digitsAt;
            while (IsDigit(At(m_pos)))
                ++m_pos;
        }
    }
}

void MdxTokenizer::ScanWord(MdxToken& token)
{
    const int start = m_pos;
    while (m_pos < m_size && IsWordPart(At(m_pos)))
        ++m_pos;
    const QStringView word = m_text.mid(start, m_pos - start);
    MdxKeyword keyword;
    if (FindKeyword(word, keyword)) {
        token.kind = MdxTokenKind::Keyword;
        token.code = static_cast<int>(keyword);
        return;
    }
    const int function = MdxFunctionTable::FindName(word);
    if (function >= 0) {
        token.kind = MdxTokenKind::FunctionName;
        token.code = function;
        return;
    }
    token.kind = MdxTokenKind::Identifier;
}

bool MdxTokenizer::ScanOperator(MdxToken& token)
{
    const char16_t c = At(m_pos);
    const char16_t next = At(m_pos + 1);
    MdxOperator op;
    int length = 1;
    switch (c) {
    case u'+':
        op = MdxOperator::Plus;
        break;
    case u'-':
        op = MdxOperator::Minus;
        break;
    case u'*':
        op = MdxOperator::Multiply;
        break;
    case u'/':
        op = MdxOperator::Divide;
        break;
    case u'^':
        op = MdxOperator::Power;
        break;
    case u'=':
        op = MdxOperator::Equal;
        break;
    case u'<':
        if (next == u'>') {
            op = MdxOperator::NotEqual;
            length = 2;
        } else if (next == u'=') {
            op = MdxOperator::LessEqual;
            length = 2;
        } else {
            op = MdxOperator::Less;
        }
        break;
    case u'>':
        if (next == u'=') {
            op = MdxOperator::GreaterEqual;
            length = 2;
        } else {
            op = MdxOperator::Greater;
        }
        break;
    case u'|':
        if (next != u'|')
            return false;
        op = MdxOperator::Concat;
        length = 2;
        break;
    case u':':
        op = MdxOperator::Colon;
        break;
    case u',':
        op = MdxOperator::Comma;
        break;
    case u'.':
        op = MdxOperator::Dot;
        break;
    case u'(':
        op = MdxOperator::LeftParen;
        break;
    case u')':
        op = MdxOperator::RightParen;
        break;
    case u'{':
        op = MdxOperator::LeftBrace;
        break;
    case u'}':
        op = MdxOperator::RightBrace;
        break;
    case u';':
        op = MdxOperator::Semicolon;
        break;
    default:
        return false;
    }
    token.kind = MdxTokenKind::Operator;
    token.code = static_cast<int>(op);
    m_pos += length;
    return true;
}

// One error token for a run of characters that begin nothing, so that binary garbage costs one
// token per run rather than one per character.
void MdxTokenizer::ScanStray(MdxToken& token)
{
    token.kind = MdxTokenKind::Error;
    token.code = static_cast<int>(MdxTokenError::StrayCharacter);
    do {
        Step();
    } while (m_pos < m_size && !BeginsToken(At(m_pos), At(m_pos + 1)));
}

int MdxTokenizer::CompareName(const char* name, QStringView word)
{
    const auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c; };
    int i = 0;
    for (; name[i] != '\0' && i < word.size(); ++i) {
        const int a = fold(static_cast<unsigned char>(name[i]));
        const int b = fold(word[i].unicode());
        if (a != b)
            return a - b;
    }
    if (name[i] == '\0')
        return i == word.size() ? 0 : -1;
    return 1;
}

bool MdxTokenizer::FindKeyword(QStringView word, MdxKeyword& keyword)
{
    const auto* it = std::lower_bound(std::begin(Keywords), std::end(Keywords), word,
        [](const KeywordEntry& entry, QStringView w) { return CompareName(entry.text, w) < 0; });
    if (it == std::end(Keywords) || CompareName(it->text, word) != 0)
        return false;
    keyword = it->keyword;
    return true;
}

QLatin1String MdxTokenizer::KeywordText(MdxKeyword keyword)
{
    for (const KeywordEntry& entry : Keywords) {
        if (entry.keyword == keyword)
            return QLatin1String(entry.text);
    }
    return QLatin1String();
}
