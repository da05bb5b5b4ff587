#pragma once

#include "sim/ZelSimExport.h"
#include "sim/mdx/MdxNameResolver.h"

#include "host/doc/MdxFunctionTable.h"
#include "host/doc/MdxToken.h"

#include <QtCore/QString>
#include <QtCore/QStringView>

#include <vector>

namespace Zel::Sim {

// What an expression gives, as far as can be known without running it.
struct MdxExpression
{
    MdxKind kind = MdxKind::Scalar;
    // Handles of the resolver, -1 when not known: the hierarchy of a member, level or hierarchy,
    // and the level of a member.
    int hierarchy = -1;
    int level = -1;
    // Set while the expression is a bare name path, which further segments may extend.
    MdxNamed named;
    // Index of its first token, for the position of a message about it.
    int firstToken = 0;
};

struct MdxSyntaxError
{
    int line = 1;
    int column = 1;
    QString message;
};

// A recursive-descent parser of one MDX expression over the shared tokenizer. It checks the syntax,
// and the kinds as it goes: each function, property and method against MdxFunctionTable, each
// operator against its operands, each name path through the resolver. It builds no tree, so
// nothing is kept per token but the token itself.
//
// Operators, loosest first: OR XOR; AND; NOT; = <> < > <= >= IS; ||; + -; * /; ^; unary + -; the
// range ':'; then '.' for name segments, properties and methods. Chains of binary operators are
// parsed in a loop, so a formula of a hundred thousand terms costs no stack; nesting (parentheses,
// braces, calls, CASE, NOT) is limited to MaxDepth levels and refused beyond.
//
// Parse stops at the first error and gives its line and column (1-based, of the token where the
// error was found, or of the end of the text).
class ZELSIM_EXPORT MdxParser
{
public:
    static constexpr int MaxDepth = 256;

    // Both must outlive the parser.
    MdxParser(QStringView formula, IMdxNameResolver& resolver);
    ~MdxParser();

    bool Parse(MdxExpression& result, MdxSyntaxError& error);
    // A token of the formula, trivia left out: MdxExpression::firstToken indexes these.
    const MdxToken& TokenAt(int index) const;

    // "a set", "a member or a set" ...
    static QString KindText(MdxKind kind);
    static QString RoleText(std::uint16_t roles);
    // Whether an expression of this kind may stand where these roles are wanted, by the
    // conversions MDX makes on its own.
    static bool Fits(MdxKind kind, std::uint16_t roles);

private:
    struct Failure;
    struct Argument;
    class DepthGuard;

    MdxExpression ParseExpression();
    MdxExpression ParseBinary(int minimumPrecedence);
    MdxExpression ParseNot();
    MdxExpression ParseUnary();
    MdxExpression ParseRange();
    MdxExpression ParsePostfix();
    MdxExpression ParsePrimary();
    MdxExpression ParseParenthesesOrTuple();
    MdxExpression ParseSet();
    MdxExpression ParseCase();
    MdxExpression ParseCall();
    MdxExpression ParseMember(MdxExpression receiver);
    std::vector<Argument> ParseArguments(const MdxFunction& function);
    MdxExpression CheckCall(const MdxFunction& function, int nameToken, const std::vector<Argument>& arguments,
        const MdxExpression* receiver);
    MdxExpression Combine(int operatorToken, const MdxExpression& left, const MdxExpression& right);
    MdxExpression FromNamed(const MdxNamed& named, int firstToken) const;
    MdxKind Unify(const MdxExpression& a, const MdxExpression& b, const QString& what) const;

    void Require(const MdxExpression& expression, std::uint16_t roles, const QString& what,
        const QString& roleText = QString()) const;
    MdxSegment SegmentOf(const MdxToken& token) const;

    const MdxToken* Peek(int ahead = 0) const;
    bool PeekIs(MdxOperator op) const;
    bool PeekIs(MdxKeyword keyword) const;
    QString TextOf(int token) const;
    QString Found() const;
    QString PositionOf(int token) const;
    [[noreturn]] void Fail(int token, const QString& message) const;

    QStringView m_text;
    IMdxNameResolver& m_resolver;
    std::vector<MdxToken> m_tokens; // trivia left out
    int m_pos = 0;
    int m_depth = 0;
    int m_endLine = 1;
    int m_endColumn = 1;
};

} // namespace Zel::Sim
