#include "sim/mdx/MdxParser.h"

#include "host/doc/Exceptions.h"
#include "host/doc/MdxTokenizer.h"

#include <QtCore/QStringList>

#include <algorithm>

namespace Zel::Sim {

namespace {

// Binding strength of the binary operators, loosest first. NOT sits between AND and the
// comparisons: NOT a = b is NOT (a = b), NOT a AND b is (NOT a) AND b.
enum Precedence : int
{
    PrecedenceNone = 0,
    PrecedenceOr = 1,
    PrecedenceAnd = 2,
    PrecedenceNot = 3,
    PrecedenceCompare = 4,
    PrecedenceConcat = 5,
    PrecedenceAdd = 6,
    PrecedenceMultiply = 7,
    PrecedencePower = 8,
};

int BinaryPrecedence(const MdxToken* token)
{
    if (!token)
        return PrecedenceNone;
    if (token->kind == MdxTokenKind::Keyword) {
        switch (static_cast<MdxKeyword>(token->code)) {
        case MdxKeyword::Or:
        case MdxKeyword::Xor:
            return PrecedenceOr;
        case MdxKeyword::And:
            return PrecedenceAnd;
        case MdxKeyword::Is:
            return PrecedenceCompare;
        default:
            return PrecedenceNone;
        }
    }
    if (token->kind != MdxTokenKind::Operator)
        return PrecedenceNone;
    switch (static_cast<MdxOperator>(token->code)) {
    case MdxOperator::Equal:
    case MdxOperator::NotEqual:
    case MdxOperator::Less:
    case MdxOperator::Greater:
    case MdxOperator::LessEqual:
    case MdxOperator::GreaterEqual:
        return PrecedenceCompare;
    case MdxOperator::Concat:
        return PrecedenceConcat;
    case MdxOperator::Plus:
    case MdxOperator::Minus:
        return PrecedenceAdd;
    case MdxOperator::Multiply:
    case MdxOperator::Divide:
        return PrecedenceMultiply;
    case MdxOperator::Power:
        return PrecedencePower;
    default:
        return PrecedenceNone;
    }
}

// Every keyword that some function takes as a flag.
std::uint64_t AllFlags()
{
    static const std::uint64_t flags = [] {
        std::uint64_t all = 0;
        for (int i = 0; i < MdxFunctionTable::Count(); ++i)
            all |= MdxFunctionTable::At(i).flags;
        return all;
    }();
    return flags;
}

QString FlagList(const MdxFunction& function)
{
    QStringList names;
    for (int k = 0; k < MdxKeywordCount; ++k) {
        if (function.AllowsFlag(static_cast<MdxKeyword>(k)))
            names << QString(MdxTokenizer::KeywordText(static_cast<MdxKeyword>(k)));
    }
    return names.join(QStringLiteral(", "));
}

QString DisplayName(const MdxFunction& function)
{
    return function.style == MdxCallStyle::Function ? QString(function.Name())
                                                    : QStringLiteral("'.") + function.Name() + QLatin1Char('\'');
}

QString ArgumentCount(int count)
{
    return count == 1 ? QStringLiteral("1 argument") : QStringLiteral("%1 arguments").arg(count);
}

QString CountText(const MdxFunction& function, int given)
{
    const QString name = DisplayName(function);
    const int min = function.minArguments;
    const int max = function.maxArguments;
    if (max == MdxFunction::Unbounded)
        return QStringLiteral("%1 takes at least %2, not %3").arg(name, ArgumentCount(min)).arg(given);
    if (max == 0)
        return QStringLiteral("%1 takes no arguments, not %2").arg(name).arg(given);
    if (min == max)
        return QStringLiteral("%1 takes %2, not %3").arg(name, ArgumentCount(min)).arg(given);
    if (max == min + 1)
        return QStringLiteral("%1 takes %2 or %3 arguments, not %4").arg(name).arg(min).arg(max).arg(given);
    return QStringLiteral("%1 takes %2 to %3 arguments, not %4").arg(name).arg(min).arg(max).arg(given);
}

QString Unescape(QStringView inner)
{
    QString name = inner.toString();
    name.replace(QStringLiteral("]]"), QStringLiteral("]"));
    return name;
}

bool IsValueKind(MdxKind kind)
{
    return kind != MdxKind::Set && kind != MdxKind::Level && kind != MdxKind::Hierarchy;
}

} // namespace

struct MdxParser::Failure
{
    int token; // -1: the end of the formula
    QString message;
};

struct MdxParser::Argument
{
    MdxExpression expression;
    int token = 0;
    bool isFlag = false;
    MdxKeyword flag = MdxKeyword::Asc;
};

// One level of nesting (parentheses, braces, a call, CASE, NOT) for as long as it is parsed.
class MdxParser::DepthGuard
{
public:
    DepthGuard(MdxParser& parser, int token)
        : m_parser(parser)
    {
        if (m_parser.m_depth >= MaxDepth)
            m_parser.Fail(token, QStringLiteral("the formula nests more than %1 levels deep").arg(MaxDepth));
        ++m_parser.m_depth;
    }
    ~DepthGuard() { --m_parser.m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    MdxParser& m_parser;
};

MdxParser::MdxParser(QStringView formula, IMdxNameResolver& resolver)
    : m_text(formula)
    , m_resolver(resolver)
{
    MdxTokenizer tokenizer(formula);
    MdxToken token;
    while (tokenizer.Next(token)) {
        if (!token.IsTrivia())
            m_tokens.push_back(token);
    }
    m_endLine = tokenizer.Line();
    m_endColumn = tokenizer.Column();
}

MdxParser::~MdxParser() = default;

bool MdxParser::Parse(MdxExpression& result, MdxSyntaxError& error)
{
    m_pos = 0;
    m_depth = 0;
    try {
        if (m_tokens.empty())
            Fail(-1, QStringLiteral("the formula has no expression"));
        result = ParseExpression();
        if (Peek())
            Fail(m_pos, QStringLiteral("expected an operator or the end of the formula, found %1").arg(Found()));
        return true;
    } catch (const Failure& failure) {
        if (failure.token < 0) {
            error.line = m_endLine;
            error.column = m_endColumn;
        } else {
            error.line = m_tokens[failure.token].line;
            error.column = m_tokens[failure.token].column;
        }
        error.message = failure.message;
        return false;
    }
}

const MdxToken& MdxParser::TokenAt(int index) const
{
    ZEL_LOGIC_CHECK("sim/mdx/MdxParser", index >= 0 && index < static_cast<int>(m_tokens.size()));
    return m_tokens[static_cast<std::size_t>(index)];
}

// Text ------------------------------------------------------------------------------------------

QString MdxParser::KindText(MdxKind kind)
{
    switch (kind) {
    case MdxKind::Number:
        return QStringLiteral("a number");
    case MdxKind::String:
        return QStringLiteral("a string");
    case MdxKind::Logical:
        return QStringLiteral("a logical value");
    case MdxKind::Null:
        return QStringLiteral("NULL");
    case MdxKind::Scalar:
        return QStringLiteral("a value");
    case MdxKind::Member:
        return QStringLiteral("a member");
    case MdxKind::Tuple:
        return QStringLiteral("a tuple");
    case MdxKind::Set:
        return QStringLiteral("a set");
    case MdxKind::Level:
        return QStringLiteral("a level");
    case MdxKind::Hierarchy:
        return QStringLiteral("a hierarchy");
    }
    return QString();
}

QString MdxParser::RoleText(std::uint16_t roles)
{
    QStringList parts;
    if (roles & MdxRole::Value) {
        parts << QStringLiteral("a value");
    } else {
        if (roles & MdxRole::Number)
            parts << QStringLiteral("a number");
        if (roles & MdxRole::String)
            parts << QStringLiteral("a string");
        if (roles & MdxRole::Logical)
            parts << QStringLiteral("a logical value");
    }
    if (roles & MdxRole::Member)
        parts << QStringLiteral("a member");
    if (roles & MdxRole::Tuple)
        parts << QStringLiteral("a tuple");
    if (roles & MdxRole::Set)
        parts << QStringLiteral("a set");
    if (roles & MdxRole::Level)
        parts << QStringLiteral("a level");
    if (roles & MdxRole::Hierarchy)
        parts << QStringLiteral("a hierarchy");
    if (roles & MdxRole::Flag)
        parts << QStringLiteral("a flag");
    if (parts.size() <= 1)
        return parts.value(0);
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

bool MdxParser::Fits(MdxKind kind, std::uint16_t roles)
{
    using namespace MdxRole;
    constexpr std::uint16_t scalar = Number | String | Logical | Value;
    switch (kind) {
    case MdxKind::Number:
        return roles & (Number | String | Logical | Value);
    case MdxKind::String:
        return roles & (String | Value);
    case MdxKind::Logical:
        return roles & (Number | Logical | Value);
    case MdxKind::Null:
    case MdxKind::Scalar:
        return roles & scalar;
    case MdxKind::Member:
        return roles & (scalar | Member | Tuple | Set);
    case MdxKind::Tuple:
        return roles & (scalar | Tuple | Set);
    case MdxKind::Set:
        return roles & Set;
    case MdxKind::Level:
        return roles & (Level | Set);
    case MdxKind::Hierarchy:
        // Its default member where a member is wanted.
        return roles & (Hierarchy | Member | Tuple | Set);
    }
    return false;
}

const MdxToken* MdxParser::Peek(int ahead) const
{
    const std::size_t at = static_cast<std::size_t>(m_pos) + static_cast<std::size_t>(ahead);
    return at < m_tokens.size() ? &m_tokens[at] : nullptr;
}

bool MdxParser::PeekIs(MdxOperator op) const
{
    const MdxToken* token = Peek();
    return token && token->Is(op);
}

bool MdxParser::PeekIs(MdxKeyword keyword) const
{
    const MdxToken* token = Peek();
    return token && token->Is(keyword);
}

QString MdxParser::TextOf(int token) const
{
    QString text = m_tokens[static_cast<std::size_t>(token)].TextIn(m_text).toString();
    if (text.size() > 40)
        text = text.left(37) + QStringLiteral("...");
    for (QChar& c : text) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    return text;
}

QString MdxParser::Found() const
{
    if (!Peek())
        return QStringLiteral("the end of the formula");
    return QLatin1Char('\'') + TextOf(m_pos) + QLatin1Char('\'');
}

QString MdxParser::PositionOf(int token) const
{
    const MdxToken& t = m_tokens[static_cast<std::size_t>(token)];
    return QStringLiteral("line %1, column %2").arg(t.line).arg(t.column);
}

void MdxParser::Fail(int token, const QString& message) const
{
    // Past the last token is the end of the formula.
    if (token >= static_cast<int>(m_tokens.size()))
        token = -1;
    // Where the parser meets a token that is itself an error, that error is the one to report,
    // whatever the parser expected there.
    if (token >= 0 && m_tokens[static_cast<std::size_t>(token)].kind == MdxTokenKind::Error) {
        const MdxToken& t = m_tokens[static_cast<std::size_t>(token)];
        switch (static_cast<MdxTokenError>(t.code)) {
        case MdxTokenError::UnterminatedString:
            throw Failure {token, QStringLiteral("the string that starts here has no closing quote")};
        case MdxTokenError::UnterminatedName:
            throw Failure {token, QStringLiteral("the bracketed name that starts here has no closing ']'")};
        case MdxTokenError::UnterminatedKey:
            throw Failure {token, QStringLiteral("the key that starts here has no closing ']'")};
        case MdxTokenError::UnterminatedComment:
            throw Failure {token, QStringLiteral("the comment that starts here has no closing '*/'")};
        case MdxTokenError::StrayCharacter: {
            const QChar c = m_text[t.offset];
            const QString shown
                = c.isPrint() ? QString(c) : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            throw Failure {token, QStringLiteral("unexpected character '%1'").arg(shown)};
        }
        }
    }
    throw Failure {token, message};
}

void MdxParser::Require(
    const MdxExpression& expression, std::uint16_t roles, const QString& what, const QString& roleText) const
{
    if (!Fits(expression.kind, roles))
        Fail(expression.firstToken,
            QStringLiteral("%1 must be %2, not %3")
                .arg(what, roleText.isEmpty() ? RoleText(roles) : roleText, KindText(expression.kind)));
}

MdxSegment MdxParser::SegmentOf(const MdxToken& token) const
{
    const QStringView written = token.TextIn(m_text);
    MdxSegment segment;
    segment.written = written.toString();
    if (token.kind == MdxTokenKind::BracketedName) {
        segment.name = Unescape(written.mid(1, written.size() - 2));
    } else if (token.kind == MdxTokenKind::Key) {
        segment.name = Unescape(written.mid(2, written.size() - 3));
        segment.isKey = true;
    } else {
        segment.name = segment.written;
    }
    return segment;
}

// Grammar ---------------------------------------------------------------------------------------

MdxExpression MdxParser::ParseExpression()
{
    return ParseBinary(PrecedenceOr);
}

MdxExpression MdxParser::ParseBinary(int minimumPrecedence)
{
    MdxExpression left = ParseUnary();
    for (;;) {
        const int precedence = BinaryPrecedence(Peek());
        if (precedence == PrecedenceNone || precedence < minimumPrecedence)
            return left;
        const int operatorToken = m_pos++;
        const MdxExpression right = ParseBinary(precedence + 1);
        left = Combine(operatorToken, left, right);
    }
}

MdxExpression MdxParser::ParseNot()
{
    const int notToken = m_pos;
    DepthGuard guard(*this, notToken);
    ++m_pos;
    const MdxExpression operand = ParseBinary(PrecedenceCompare);
    Require(operand, MdxRole::Logical, QStringLiteral("the operand of NOT"));
    MdxExpression result;
    result.kind = MdxKind::Logical;
    result.firstToken = notToken;
    return result;
}

// Signs in a loop rather than by recursion: "- - - 1" nests nothing.
MdxExpression MdxParser::ParseUnary()
{
    int firstSign = -1;
    while (PeekIs(MdxOperator::Plus) || PeekIs(MdxOperator::Minus)) {
        if (firstSign < 0)
            firstSign = m_pos;
        ++m_pos;
    }
    MdxExpression operand = ParseRange();
    if (firstSign < 0)
        return operand;
    Require(operand, MdxRole::Number, QStringLiteral("the operand of '%1'").arg(TextOf(firstSign)));
    MdxExpression result;
    result.kind = MdxKind::Number;
    result.firstToken = firstSign;
    return result;
}

MdxExpression MdxParser::ParseRange()
{
    MdxExpression start = ParsePostfix();
    if (!PeekIs(MdxOperator::Colon))
        return start;
    ++m_pos;
    const MdxExpression end = ParsePostfix();
    Require(start, MdxRole::Member, QStringLiteral("the start of a range"));
    Require(end, MdxRole::Member, QStringLiteral("the end of a range"));
    if (start.hierarchy >= 0 && end.hierarchy >= 0 && start.hierarchy != end.hierarchy)
        Fail(end.firstToken,
            QStringLiteral("a range runs within one hierarchy, but it starts in %1 and ends in %2")
                .arg(m_resolver.HierarchyName(start.hierarchy), m_resolver.HierarchyName(end.hierarchy)));
    if (start.kind == MdxKind::Member && end.kind == MdxKind::Member && start.level >= 0 && end.level >= 0
        && start.level != end.level)
        Fail(end.firstToken,
            QStringLiteral("a range runs along one level, but %1 and %2 are on different levels")
                .arg(start.named.path, end.named.path));
    MdxExpression result;
    result.kind = MdxKind::Set;
    result.hierarchy = start.hierarchy;
    result.firstToken = start.firstToken;
    return result;
}

MdxExpression MdxParser::ParsePostfix()
{
    MdxExpression expression = ParsePrimary();
    while (PeekIs(MdxOperator::Dot)) {
        ++m_pos;
        const MdxToken* token = Peek();
        if (!token)
            Fail(-1, QStringLiteral("expected a name, a property or a method after '.', found the end of the formula"));
        if (token->kind == MdxTokenKind::FunctionName && MdxFunctionTable::FindMember(token->TextIn(m_text)) >= 0) {
            expression = ParseMember(expression);
            continue;
        }
        const bool isName = token->kind == MdxTokenKind::Identifier || token->kind == MdxTokenKind::FunctionName
            || token->kind == MdxTokenKind::BracketedName || token->kind == MdxTokenKind::Key;
        if (!isName)
            Fail(m_pos, QStringLiteral("expected a name, a property or a method after '.', found %1").arg(Found()));
        if (expression.named.kind == MdxNamed::Kind::None)
            Fail(m_pos,
                QStringLiteral("'%1' cannot follow %2: a name segment follows the name of a hierarchy, level or "
                               "member")
                    .arg(TextOf(m_pos), KindText(expression.kind)));
        MdxNamed next;
        QString error;
        if (!m_resolver.ResolveNext(expression.named, SegmentOf(*token), next, error))
            Fail(m_pos, error);
        expression = FromNamed(next, expression.firstToken);
        ++m_pos;
    }
    return expression;
}

MdxExpression MdxParser::ParsePrimary()
{
    const MdxToken* token = Peek();
    if (!token)
        Fail(-1, QStringLiteral("expected an expression, found the end of the formula"));
    MdxExpression result;
    result.firstToken = m_pos;
    switch (token->kind) {
    case MdxTokenKind::Number:
        ++m_pos;
        result.kind = MdxKind::Number;
        return result;
    case MdxTokenKind::String:
        ++m_pos;
        result.kind = MdxKind::String;
        return result;
    case MdxTokenKind::Keyword:
        switch (static_cast<MdxKeyword>(token->code)) {
        case MdxKeyword::Null:
            ++m_pos;
            result.kind = MdxKind::Null;
            return result;
        case MdxKeyword::Not:
            return ParseNot();
        case MdxKeyword::Case:
            return ParseCase();
        case MdxKeyword::Existing: {
            DepthGuard guard(*this, m_pos);
            ++m_pos;
            const MdxExpression operand = ParseUnary();
            Require(operand, MdxRole::Set, QStringLiteral("the operand of EXISTING"));
            result.kind = MdxKind::Set;
            return result;
        }
        default:
            break;
        }
        break;
    case MdxTokenKind::Operator:
        if (token->Is(MdxOperator::LeftParen))
            return ParseParenthesesOrTuple();
        if (token->Is(MdxOperator::LeftBrace))
            return ParseSet();
        break;
    case MdxTokenKind::FunctionName:
    case MdxTokenKind::Identifier:
        if (Peek(1) && Peek(1)->Is(MdxOperator::LeftParen))
            return ParseCall();
        [[fallthrough]];
    case MdxTokenKind::BracketedName: {
        MdxNamed named;
        QString error;
        if (!m_resolver.ResolveFirst(SegmentOf(*token), named, error))
            Fail(m_pos, error);
        const int first = m_pos++;
        return FromNamed(named, first);
    }
    case MdxTokenKind::Key:
        Fail(m_pos,
            QStringLiteral("a key such as '%1' follows the name of a level or member, as in "
                           "[Geography].[Region].&[East]")
                .arg(TextOf(m_pos)));
    default:
        break;
    }
    Fail(m_pos, QStringLiteral("expected an expression, found %1").arg(Found()));
}

MdxExpression MdxParser::ParseParenthesesOrTuple()
{
    const int open = m_pos;
    DepthGuard guard(*this, open);
    ++m_pos;
    std::vector<MdxExpression> items;
    items.push_back(ParseExpression());
    while (PeekIs(MdxOperator::Comma)) {
        ++m_pos;
        items.push_back(ParseExpression());
    }
    if (!PeekIs(MdxOperator::RightParen))
        Fail(m_pos,
            QStringLiteral("expected %1 to close the '(' at %2, found %3")
                .arg(items.size() == 1 ? QStringLiteral("')'") : QStringLiteral("',' or ')'"), PositionOf(open),
                    Found()));
    ++m_pos;
    if (items.size() == 1) {
        MdxExpression inner = items.front();
        inner.firstToken = open;
        inner.named = MdxNamed();
        return inner;
    }
    std::vector<int> hierarchies;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MdxExpression& item = items[i];
        Require(item, MdxRole::Member, QStringLiteral("item %1 of a tuple").arg(i + 1));
        if (item.hierarchy < 0)
            continue;
        if (std::find(hierarchies.begin(), hierarchies.end(), item.hierarchy) != hierarchies.end())
            Fail(item.firstToken,
                QStringLiteral("a tuple holds one member of each hierarchy, and this is a second "
                               "member of %1")
                    .arg(m_resolver.HierarchyName(item.hierarchy)));
        hierarchies.push_back(item.hierarchy);
    }
    MdxExpression tuple;
    tuple.kind = MdxKind::Tuple;
    tuple.firstToken = open;
    return tuple;
}

MdxExpression MdxParser::ParseSet()
{
    const int open = m_pos;
    DepthGuard guard(*this, open);
    ++m_pos;
    MdxExpression set;
    set.kind = MdxKind::Set;
    set.firstToken = open;
    if (PeekIs(MdxOperator::RightBrace)) {
        ++m_pos;
        return set;
    }
    for (int i = 1;; ++i) {
        const MdxExpression item = ParseExpression();
        Require(item, MdxRole::Set, QStringLiteral("item %1 of a set").arg(i),
            QStringLiteral("a member, a tuple or a set"));
        if (PeekIs(MdxOperator::Comma)) {
            ++m_pos;
            continue;
        }
        if (PeekIs(MdxOperator::RightBrace)) {
            ++m_pos;
            return set;
        }
        Fail(m_pos,
            QStringLiteral("expected ',' or '}' to close the '{' at %1, found %2").arg(PositionOf(open), Found()));
    }
}

MdxExpression MdxParser::ParseCase()
{
    const int caseToken = m_pos;
    DepthGuard guard(*this, caseToken);
    ++m_pos;
    const bool searched = PeekIs(MdxKeyword::When);
    if (!searched)
        Require(ParseExpression(), MdxRole::Value, QStringLiteral("the value after CASE"));
    if (!PeekIs(MdxKeyword::When))
        Fail(m_pos, QStringLiteral("expected WHEN, found %1").arg(Found()));
    MdxExpression result;
    bool first = true;
    const auto addResult = [&](const MdxExpression& branch) {
        if (first) {
            result = branch;
            first = false;
        } else {
            result.kind = Unify(result, branch, QStringLiteral("the results of CASE"));
        }
    };
    while (PeekIs(MdxKeyword::When)) {
        ++m_pos;
        const MdxExpression condition = ParseExpression();
        if (searched)
            Require(condition, MdxRole::Logical, QStringLiteral("the condition after WHEN"));
        else
            Require(condition, MdxRole::Value, QStringLiteral("the value after WHEN"));
        if (!PeekIs(MdxKeyword::Then))
            Fail(m_pos, QStringLiteral("expected THEN, found %1").arg(Found()));
        ++m_pos;
        addResult(ParseExpression());
    }
    if (PeekIs(MdxKeyword::Else)) {
        ++m_pos;
        addResult(ParseExpression());
    }
    if (!PeekIs(MdxKeyword::End))
        Fail(m_pos,
            QStringLiteral("expected WHEN, ELSE or END in the CASE at %1, found %2")
                .arg(PositionOf(caseToken), Found()));
    ++m_pos;
    result.firstToken = caseToken;
    result.named = MdxNamed();
    return result;
}

MdxExpression MdxParser::ParseCall()
{
    const int nameToken = m_pos;
    const QStringView name = m_tokens[static_cast<std::size_t>(nameToken)].TextIn(m_text);
    const int index = MdxFunctionTable::Find(name, MdxCallStyle::Function);
    if (index < 0) {
        if (MdxFunctionTable::FindMember(name) >= 0)
            Fail(nameToken,
                QStringLiteral("%1 is not a function: write it after what it applies to, as in x.%1")
                    .arg(TextOf(nameToken)));
        Fail(nameToken, QStringLiteral("unknown function '%1'").arg(TextOf(nameToken)));
    }
    const MdxFunction& function = MdxFunctionTable::At(index);
    DepthGuard guard(*this, nameToken);
    m_pos += 2;
    const std::vector<Argument> arguments = ParseArguments(function);
    return CheckCall(function, nameToken, arguments, nullptr);
}

MdxExpression MdxParser::ParseMember(MdxExpression receiver)
{
    const int nameToken = m_pos;
    const MdxFunction& function = MdxFunctionTable::At(
        MdxFunctionTable::FindMember(m_tokens[static_cast<std::size_t>(nameToken)].TextIn(m_text)));
    const QString name = DisplayName(function);
    if (!Fits(receiver.kind, function.receiver))
        Fail(nameToken,
            QStringLiteral("%1 applies to %2, not %3").arg(name, RoleText(function.receiver), KindText(receiver.kind)));
    ++m_pos;
    if (function.style == MdxCallStyle::Property) {
        if (PeekIs(MdxOperator::LeftParen))
            Fail(m_pos, QStringLiteral("%1 is a property and takes no arguments").arg(name));
        return CheckCall(function, nameToken, {}, &receiver);
    }
    if (!PeekIs(MdxOperator::LeftParen))
        Fail(m_pos, QStringLiteral("%1 takes its arguments in parentheses, found %2").arg(name, Found()));
    DepthGuard guard(*this, m_pos);
    ++m_pos;
    const std::vector<Argument> arguments = ParseArguments(function);
    return CheckCall(function, nameToken, arguments, &receiver);
}

// After the opening parenthesis, up to and including the closing one.
std::vector<MdxParser::Argument> MdxParser::ParseArguments(const MdxFunction& function)
{
    std::vector<Argument> arguments;
    if (PeekIs(MdxOperator::RightParen)) {
        ++m_pos;
        return arguments;
    }
    for (;;) {
        Argument argument;
        argument.token = m_pos;
        const MdxToken* token = Peek();
        const MdxToken* next = Peek(1);
        const bool flag = token && token->kind == MdxTokenKind::Keyword && ((AllFlags() >> token->code) & 1u) && next
            && (next->Is(MdxOperator::Comma) || next->Is(MdxOperator::RightParen));
        if (flag) {
            argument.isFlag = true;
            argument.flag = static_cast<MdxKeyword>(token->code);
            ++m_pos;
        } else {
            argument.expression = ParseExpression();
        }
        arguments.push_back(argument);
        if (PeekIs(MdxOperator::Comma)) {
            ++m_pos;
            continue;
        }
        if (PeekIs(MdxOperator::RightParen)) {
            ++m_pos;
            return arguments;
        }
        Fail(m_pos,
            QStringLiteral("expected ',' or ')' after argument %1 of %2, found %3")
                .arg(arguments.size())
                .arg(DisplayName(function), Found()));
    }
}

MdxExpression MdxParser::CheckCall(
    const MdxFunction& function, int nameToken, const std::vector<Argument>& arguments, const MdxExpression* receiver)
{
    const int count = static_cast<int>(arguments.size());
    if (count < function.minArguments
        || (function.maxArguments != MdxFunction::Unbounded && count > function.maxArguments))
        Fail(nameToken, CountText(function, count));
    const QString name = DisplayName(function);
    for (int i = 0; i < count; ++i) {
        const Argument& argument = arguments[static_cast<std::size_t>(i)];
        const std::uint16_t role = function.ArgumentRole(i);
        const std::uint16_t valueRoles = role & ~MdxRole::Flag;
        if (argument.isFlag) {
            if (!(role & MdxRole::Flag))
                Fail(argument.token,
                    QStringLiteral("argument %1 of %2 must be %3, not the flag %4")
                        .arg(i + 1)
                        .arg(name, RoleText(role), TextOf(argument.token)));
            if (!function.AllowsFlag(argument.flag))
                Fail(argument.token,
                    QStringLiteral("%1 is not a flag of %2, which takes %3")
                        .arg(TextOf(argument.token), name, FlagList(function)));
            continue;
        }
        if (valueRoles == 0)
            Fail(argument.expression.firstToken,
                QStringLiteral("argument %1 of %2 must be one of %3").arg(i + 1).arg(name, FlagList(function)));
        Require(argument.expression, valueRoles, QStringLiteral("argument %1 of %2").arg(i + 1).arg(name));
    }

    MdxExpression result;
    result.firstToken = receiver ? receiver->firstToken : nameToken;
    switch (function.result) {
    case MdxResult::Number:
        result.kind = MdxKind::Number;
        break;
    case MdxResult::String:
        result.kind = MdxKind::String;
        break;
    case MdxResult::Logical:
        result.kind = MdxKind::Logical;
        break;
    case MdxResult::Scalar:
        result.kind = MdxKind::Scalar;
        break;
    case MdxResult::Member:
        result.kind = MdxKind::Member;
        break;
    case MdxResult::Tuple:
        result.kind = MdxKind::Tuple;
        break;
    case MdxResult::Set:
        result.kind = MdxKind::Set;
        break;
    case MdxResult::Level:
        result.kind = MdxKind::Level;
        break;
    case MdxResult::Hierarchy:
        result.kind = MdxKind::Hierarchy;
        break;
    case MdxResult::FromArguments: {
        // The values the function chooses between; a leading condition (IIf's) is not one of them.
        const int first = function.ArgumentRole(0) == MdxRole::Logical ? 1 : 0;
        MdxExpression agreed = arguments[static_cast<std::size_t>(first)].expression;
        for (int i = first + 1; i < count; ++i)
            agreed.kind = Unify(agreed, arguments[static_cast<std::size_t>(i)].expression,
                QStringLiteral("the results of %1").arg(name));
        result.kind = agreed.kind;
        break;
    }
    case MdxResult::ElementOfReceiver:
        result.kind = receiver && receiver->kind == MdxKind::Tuple ? MdxKind::Member : MdxKind::Tuple;
        break;
    }
    // What a member, level or hierarchy property gives stays in the hierarchy it was asked of.
    if (receiver
        && (result.kind == MdxKind::Member || result.kind == MdxKind::Level || result.kind == MdxKind::Hierarchy))
        result.hierarchy = receiver->hierarchy;
    return result;
}

MdxKind MdxParser::Unify(const MdxExpression& a, const MdxExpression& b, const QString& what) const
{
    if (a.kind == b.kind)
        return a.kind;
    if (a.kind == MdxKind::Null)
        return b.kind;
    if (b.kind == MdxKind::Null)
        return a.kind;
    if (IsValueKind(a.kind) && IsValueKind(b.kind)) {
        const bool aMemberOrTuple = a.kind == MdxKind::Member || a.kind == MdxKind::Tuple;
        const bool bMemberOrTuple = b.kind == MdxKind::Member || b.kind == MdxKind::Tuple;
        return aMemberOrTuple && bMemberOrTuple ? MdxKind::Tuple : MdxKind::Scalar;
    }
    if ((a.kind == MdxKind::Set && Fits(b.kind, MdxRole::Set))
        || (b.kind == MdxKind::Set && Fits(a.kind, MdxRole::Set)))
        return MdxKind::Set;
    Fail(b.firstToken,
        QStringLiteral("%1 must be of one kind, but this is %2 and an earlier one %3")
            .arg(what, KindText(b.kind), KindText(a.kind)));
}

MdxExpression MdxParser::Combine(int operatorToken, const MdxExpression& left, const MdxExpression& right)
{
    const MdxToken& op = m_tokens[static_cast<std::size_t>(operatorToken)];
    const QString name = QLatin1Char('\'') + TextOf(operatorToken) + QLatin1Char('\'');
    const QString leftWhat = QStringLiteral("the left operand of %1").arg(name);
    const QString rightWhat = QStringLiteral("the right operand of %1").arg(name);
    const auto both = [&](std::uint16_t roles) {
        Require(left, roles, leftWhat);
        Require(right, roles, rightWhat);
    };

    MdxExpression result;
    result.firstToken = left.firstToken;
    if (op.kind == MdxTokenKind::Keyword) {
        if (op.Is(MdxKeyword::Is)) {
            both(MdxRole::Value | MdxRole::Member | MdxRole::Tuple | MdxRole::Level | MdxRole::Hierarchy);
        } else {
            both(MdxRole::Logical);
        }
        result.kind = MdxKind::Logical;
        return result;
    }
    switch (static_cast<MdxOperator>(op.code)) {
    case MdxOperator::Plus:
    case MdxOperator::Minus:
    case MdxOperator::Multiply:
        // Between sets these are union, difference and cross join.
        if (left.kind == MdxKind::Set || right.kind == MdxKind::Set) {
            both(MdxRole::Set);
            result.kind = MdxKind::Set;
        } else if (op.Is(MdxOperator::Plus)) {
            both(MdxRole::Value);
            if (left.kind == MdxKind::String && right.kind == MdxKind::String)
                result.kind = MdxKind::String;
            else if (left.kind == MdxKind::String || right.kind == MdxKind::String)
                result.kind = MdxKind::Scalar;
            else
                result.kind = MdxKind::Number;
        } else {
            both(MdxRole::Number);
            result.kind = MdxKind::Number;
        }
        return result;
    case MdxOperator::Divide:
    case MdxOperator::Power:
        both(MdxRole::Number);
        result.kind = MdxKind::Number;
        return result;
    case MdxOperator::Concat:
        both(MdxRole::Value);
        result.kind = MdxKind::String;
        return result;
    default: // the comparisons
        both(MdxRole::Value);
        result.kind = MdxKind::Logical;
        return result;
    }
}

MdxExpression MdxParser::FromNamed(const MdxNamed& named, int firstToken) const
{
    MdxExpression expression;
    expression.named = named;
    expression.firstToken = firstToken;
    expression.hierarchy = named.hierarchy;
    switch (named.kind) {
    case MdxNamed::Kind::Hierarchy:
        expression.kind = MdxKind::Hierarchy;
        break;
    case MdxNamed::Kind::Level:
        expression.kind = MdxKind::Level;
        expression.level = named.level;
        break;
    case MdxNamed::Kind::Member:
    case MdxNamed::Kind::None:
        expression.kind = MdxKind::Member;
        expression.level = named.level;
        break;
    }
    return expression;
}

} // namespace Zel::Sim
