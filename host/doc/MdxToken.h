#pragma once

#include <QtCore/QStringView>

#include <cstdint>

// What a stretch of MDX text is. Whitespace and the comments are trivia: an editor colours them,
// a parser skips them.
enum class MdxTokenKind : std::uint8_t
{
    Whitespace,
    LineComment, // "//" or "--" to the end of the line
    BlockComment, // "/* ... */", possibly over several lines
    Keyword,
    FunctionName, // a name in MdxFunctionTable, whether called as a function or after a dot
    Identifier,
    BracketedName, // [name] with "]]" standing for one "]"
    Key, // &[key]
    String, // "..." or '...' with the quote doubled inside
    Number,
    Operator, // operators and punctuation alike
    Error, // a stray character, or a string, name, key or comment that the text leaves open
};

enum class MdxOperator : std::uint8_t
{
    Plus,
    Minus,
    Multiply,
    Divide,
    Power,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Concat, // ||
    Colon,
    Comma,
    Dot,
    LeftParen,
    RightParen,
    LeftBrace,
    RightBrace,
    Semicolon,
};

// Reserved words, alphabetical. The flags among them (ASC, SELF_AND_AFTER ...) only mean something
// as arguments of the functions that take them. Words that are also property names (DIMENSION,
// PROPERTIES) are left to the function table.
enum class MdxKeyword : std::uint8_t
{
    After,
    All,
    And,
    As,
    Asc,
    BAsc,
    BDesc,
    Before,
    BeforeAndAfter,
    Case,
    Cell,
    Columns,
    Desc,
    Else,
    Empty,
    End,
    ExcludeEmpty,
    Existing,
    From,
    IncludeEmpty,
    Is,
    Leaves,
    Member,
    Non,
    Not,
    Null,
    On,
    Or,
    Post,
    Recursive,
    Rows,
    Select,
    Self,
    SelfAndAfter,
    SelfAndBefore,
    SelfBeforeAfter,
    Set,
    Then,
    When,
    Where,
    With,
    Xor,
};
constexpr int MdxKeywordCount = static_cast<int>(MdxKeyword::Xor) + 1;

// Why a token is an error.
enum class MdxTokenError : std::uint8_t
{
    StrayCharacter,
    UnterminatedString,
    UnterminatedName,
    UnterminatedKey,
    UnterminatedComment,
};

// The construct that is still open where a piece of text ends, so that the next piece (the next
// line of an editor) starts inside it.
enum class MdxLexState : std::uint8_t
{
    Normal,
    BlockComment,
    BracketedName,
    Key,
    String,
    SingleQuotedString,
};

struct MdxToken
{
    MdxTokenKind kind = MdxTokenKind::Error;
    // The MdxKeyword, MdxOperator or MdxTokenError of those kinds; the MdxFunctionTable index of a
    // function name; 0 for the other kinds.
    int code = 0;
    // In UTF-16 code units of the text handed to the tokenizer.
    int offset = 0;
    int length = 0;
    // 1-based, of the token's first character; a column counts UTF-16 code units.
    int line = 1;
    int column = 1;

    QStringView TextIn(QStringView source) const { return source.mid(offset, length); }
    int End() const { return offset + length; }
    bool IsTrivia() const
    {
        return kind == MdxTokenKind::Whitespace || kind == MdxTokenKind::LineComment
            || kind == MdxTokenKind::BlockComment;
    }
    bool Is(MdxOperator op) const { return kind == MdxTokenKind::Operator && code == static_cast<int>(op); }
    bool Is(MdxKeyword keyword) const { return kind == MdxTokenKind::Keyword && code == static_cast<int>(keyword); }
};
