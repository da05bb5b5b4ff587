#include "sim/mdx/MdxFormulaChecker.h"
#include "host/doc/Exceptions.h"
#include "sim/mdx/MdxParser.h"
#include "tests/mdx/MdxFixtureCube.h"
#include "tests/support/ZelTestCase.h"

#include <QtCore/QRandomGenerator>
#include <QtTest/QtTest>

using namespace Zel::Sim;
using namespace ZelTest;

namespace {

// The calculations of the edit that the formulas below may name.
enum Calculation : int
{
    ProfitRatio,
    LoopA,
    LoopB,
    LoopC,
    Coastal,
    BigApple,
    Orphan,
    Broken,
};

std::vector<MdxCalculation> Calculations()
{
    return {
        {QStringLiteral("Profit Ratio"), QString(), QString(),
            QStringLiteral("[Measures].[Profit] / [Measures].[Sales]")},
        {QStringLiteral("Loop A"), QString(), QString(), QStringLiteral("[Measures].[Loop B] + 1")},
        {QStringLiteral("Loop B"), QString(), QString(), QStringLiteral("[Measures].[Loop C] * 2")},
        {QStringLiteral("Loop C"), QString(), QString(), QStringLiteral("[Measures].[Sales]")},
        {QStringLiteral("Coastal"), QStringLiteral("Geography"), QString(),
            QStringLiteral("[Geography].[East] + [Geography].[West]")},
        {QStringLiteral("Big Apple"), QStringLiteral("Geography"), QStringLiteral("[Geography].[East].[New York]"),
            QStringLiteral("[Geography].[East].[New York].[New York City]")},
        {QStringLiteral("Orphan"), QStringLiteral("Geography"), QStringLiteral("[Geography].[Atlantis]"),
            QStringLiteral("1")},
        {QStringLiteral("Broken"), QString(), QString(), QStringLiteral("[Measures].[Loop A] +")},
    };
}

QString Repeated(const QString& piece, int count, const QString& separator)
{
    QStringList pieces;
    pieces.reserve(count);
    for (int i = 0; i < count; ++i)
        pieces << piece;
    return pieces.join(separator);
}

} // namespace

class MdxFormulaCheckerTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void formulas_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("self");
        QTest::addColumn<QString>("answer"); // empty: valid
        const auto valid = [](const char* name, const QString& formula, int self = -1) {
            QTest::newRow(name) << formula << self << QString();
        };
        const auto invalid = [](const char* name, const QString& formula, const QString& answer, int self = -1) {
            QTest::newRow(name) << formula << self << answer;
        };

        // Valid: values, members and tuples in every shape the grammar has.
        valid("ratio of measures", QStringLiteral("[Measures].[Profit] / [Measures].[Sales]"));
        valid("integer", QStringLiteral("1"));
        valid("signed exponent", QStringLiteral("-1.5e3"));
        valid("string", QStringLiteral("\"text\""));
        valid("single-quoted string", QStringLiteral("'single'"));
        valid("null", QStringLiteral("NULL"));
        valid("a measure is a member", QStringLiteral("[Measures].[Sales]"));
        valid("tuple", QStringLiteral("([Measures].[Sales], [Geography].[East])"));
        valid("tuple with a quarter", QStringLiteral("([Measures].[Sales], [Order Date].[2024].[Q1])"));
        valid("sum over a level", QStringLiteral("Sum([Geography].[Region].Members, [Measures].[Sales])"));
        valid("avg over a set", QStringLiteral("Avg({[Geography].[East], [Geography].[West]}, [Measures].[Profit])"));
        valid("min over ytd without arguments", QStringLiteral("Min(YTD(), [Measures].[Sales])"));
        valid("max over qtd", QStringLiteral("Max(QTD([Order Date].CurrentMember), [Measures].[Sales])"));
        valid("count with a flag", QStringLiteral("Count([Geography].[State].Members, EXCLUDEEMPTY)"));
        valid("aggregate of periods to date",
            QStringLiteral("Aggregate(PeriodsToDate([Order Date].[Year], [Order Date].CurrentMember))"));
        valid("iif guarding a division",
            QStringLiteral("IIF([Measures].[Sales] = 0, NULL, [Measures].[Profit] / [Measures].[Sales])"));
        valid("coalesce empty", QStringLiteral("CoalesceEmpty([Measures].[Discount], 0)"));
        valid("is empty", QStringLiteral("IIF(IsEmpty([Measures].[Sales]), 0, 1)"));
        valid("parallel period",
            QStringLiteral("([Measures].[Sales], ParallelPeriod([Order Date].[Year], 1, [Order Date].CurrentMember))"));
        valid("opening period",
            QStringLiteral("([Measures].[Sales], OpeningPeriod([Order Date].[Month], [Order Date].[2024]))"));
        valid("closing period", QStringLiteral("([Measures].[Sales], ClosingPeriod([Order Date].[Quarter]))"));
        valid("ancestor by level",
            QStringLiteral("([Measures].[Sales], Ancestor([Geography].CurrentMember, [Geography].[Region]))"));
        valid("descendants with a flag",
            QStringLiteral("Count(Descendants([Geography].[East], [Geography].[City], SELF_AND_AFTER))"));
        valid("cousin", QStringLiteral("([Measures].[Sales], Cousin([Order Date].[2024].[Q1], [Order Date].[2023]))"));
        valid("rank in an ordered set",
            QStringLiteral(
                "Rank([Geography].CurrentMember, Order([Geography].[State].Members, [Measures].[Sales], BDESC))"));
        valid("top count",
            QStringLiteral("Sum(TopCount([Product].[Product].Members, 10, [Measures].[Sales]), [Measures].[Sales])"));
        valid("filter", QStringLiteral("Count(Filter([Customer].[Customer Name].Members, [Measures].[Profit] > 0))"));
        valid("cross join",
            QStringLiteral("Count(CrossJoin([Geography].[Region].Members, [Ship Mode].[Ship Mode].Members))"));
        valid("searched case",
            QStringLiteral("CASE WHEN [Measures].[Profit] > 0 THEN \"gain\" WHEN [Measures].[Profit] "
                           "< 0 THEN \"loss\" ELSE \"even\" END"));
        valid("simple case",
            QStringLiteral("CASE [Geography].CurrentMember.Name WHEN \"East\" THEN 1 WHEN \"West\" THEN 2 ELSE 0 END"));
        valid("previous member",
            QStringLiteral("[Measures].[Sales] - ([Measures].[Sales], [Geography].CurrentMember.PrevMember)"));
        valid("lag", QStringLiteral("([Measures].[Sales], [Order Date].CurrentMember.Lag(12))"));
        valid("lead", QStringLiteral("([Measures].[Sales], [Order Date].CurrentMember.Lead(1))"));
        valid("parent", QStringLiteral("([Measures].[Sales], [Geography].CurrentMember.Parent)"));
        valid("children of a region", QStringLiteral("Sum([Geography].[East].Children, [Measures].[Sales])"));
        valid("children of a state", QStringLiteral("Count([Geography].[East].[New York].Children)"));
        valid("member by key", QStringLiteral("[Geography].[Region].&[East].Name"));
        valid("year by key", QStringLiteral("([Measures].[Sales], [Order Date].[Year].&[2021])"));
        valid("month by key then its first day",
            QStringLiteral("([Measures].[Sales], [Order Date].[Month].&[2024-01].FirstChild)"));
        valid("range of years", QStringLiteral("Sum({[Order Date].[2021]:[Order Date].[2023]}, [Measures].[Sales])"));
        valid("boolean operators",
            QStringLiteral("[Measures].[Sales] > 100 AND NOT [Measures].[Profit] < 0 OR "
                           "[Measures].[Quantity] >= 5 XOR 1 <> 2"));
        valid("concatenation", QStringLiteral("\"Region: \" || [Geography].CurrentMember.Name"));
        valid("arithmetic with signs", QStringLiteral("2 ^ 10 * 3 / (4 - 1) + -+-5"));
        valid("three kinds of comment", QStringLiteral("/* comment */ [Measures].[Sales] // trailing\n-- more\n * 2"));
        valid("calculated measure", QStringLiteral("[Measures].[Profit Ratio] * 100"));
        valid("calculated member at the top", QStringLiteral("([Geography].[Coastal], [Measures].[Sales])"));
        valid("calculated member under its parent",
            QStringLiteral("([Geography].[East].[New York].[Big Apple], [Measures].[Sales])"));
        valid("calculated member on its level", QStringLiteral("([Geography].[City].[Big Apple], [Measures].[Sales])"));
        valid(
            "names in any case and without brackets", QStringLiteral("[MEASURES].[sales] * Len(Geography.East.Name)"));
        valid("the all member", QStringLiteral("[Geography].[All Geography].[East].Name"));
        valid("hierarchy without an all member", QStringLiteral("([Ship Mode].[First Class], [Measures].[Quantity])"));
        valid("is", QStringLiteral("IIF([Geography].CurrentMember IS [Geography].[East], 1, 0)"));
        valid("existing", QStringLiteral("Sum(EXISTING [Geography].[State].Members, [Measures].[Sales])"));
        valid("doubled quotes", QStringLiteral("[Measures].[Sales] * Len(\"a \"\"quoted\"\" word\")"));
        valid("level ordinal", QStringLiteral("[Geography].CurrentMember.Level.Ordinal"));
        valid("count of an iif set", QStringLiteral("IIF(1, {[Geography].[East]}, [Geography].[West].Children).Count"));
        valid("head of an order",
            QStringLiteral(
                "Sum(Head(Order([Product].[Category].Members, [Measures].[Sales], DESC), 2), [Measures].[Sales])"));
        valid("order by key", QStringLiteral("[Order].[Order ID].&[100006].Name"));
        valid("round", QStringLiteral("Round([Measures].[Discount] * 100, 2)"));
        valid("member from a string", QStringLiteral("([Measures].[Sales], StrToMember(\"[Geography].[East]\"))"));
        valid("a chain of calculations without the checked one", QStringLiteral("[Measures].[Loop A]"), ProfitRatio);
        valid("another calculation that does not lead back", QStringLiteral("[Measures].[Loop C] + 1"), LoopA);

        // Syntax.
        invalid("empty", QString(), QStringLiteral("line 1, column 1: the formula has no expression"));
        invalid("only a comment", QStringLiteral("/* only a comment */"),
            QStringLiteral("line 1, column 21: the formula has no expression"));
        invalid("only a line comment", QStringLiteral("-- only\n"),
            QStringLiteral("line 2, column 1: the formula has no expression"));
        invalid("dangling operator", QStringLiteral("1 +"),
            QStringLiteral("line 1, column 4: expected an expression, found the end of the formula"));
        invalid("unclosed parenthesis", QStringLiteral("(1 + 2"),
            QStringLiteral("line 1, column 7: expected ')' to close the '(' at line 1, column 1, found the end of the "
                           "formula"));
        invalid("extra parenthesis", QStringLiteral("1 + 2)"),
            QStringLiteral("line 1, column 6: expected an operator or the end of the formula, found ')'"));
        invalid("missing comma between arguments",
            QStringLiteral("Sum([Geography].[Region].Members [Measures].[Sales])"),
            QStringLiteral("line 1, column 34: expected ',' or ')' after argument 1 of Sum, found '[Measures]'"));
        invalid("missing comma in a set", QStringLiteral("{[Geography].[East] [Geography].[West]}"),
            QStringLiteral("line 1, column 21: expected ',' or '}' to close the '{' at line 1, column 1, found "
                           "'[Geography]'"));
        invalid("unterminated string", QStringLiteral("1 + \"open"),
            QStringLiteral("line 1, column 5: the string that starts here has no closing quote"));
        invalid("unterminated name", QStringLiteral("[Geography].[East"),
            QStringLiteral("line 1, column 13: the bracketed name that starts here has no closing ']'"));
        invalid("unterminated key", QStringLiteral("[Geography].[Region].&[East"),
            QStringLiteral("line 1, column 22: the key that starts here has no closing ']'"));
        invalid("unterminated comment", QStringLiteral("1 /* open"),
            QStringLiteral("line 1, column 3: the comment that starts here has no closing '*/'"));
        invalid(
            "stray character", QStringLiteral("1 # 2"), QStringLiteral("line 1, column 3: unexpected character '#'"));
        invalid("case without end", QStringLiteral("CASE WHEN 1 THEN 2"),
            QStringLiteral("line 1, column 19: expected WHEN, ELSE or END in the CASE at line 1, column 1, found the "
                           "end of the formula"));
        invalid("case without then", QStringLiteral("CASE WHEN 1 2 END"),
            QStringLiteral("line 1, column 13: expected THEN, found '2'"));
        invalid("case without when", QStringLiteral("CASE 1 END"),
            QStringLiteral("line 1, column 8: expected WHEN, found 'END'"));
        invalid("two operators", QStringLiteral("[Measures].[Sales] * * 2"),
            QStringLiteral("line 1, column 22: expected an expression, found '*'"));
        invalid("dot at the end", QStringLiteral("[Geography]."),
            QStringLiteral("line 1, column 13: expected a name, a property or a method after '.', found the end of "
                           "the formula"));
        invalid("dot before a parenthesis", QStringLiteral("[Geography].(1)"),
            QStringLiteral("line 1, column 13: expected a name, a property or a method after '.', found '('"));
        invalid("range of three", QStringLiteral("[Geography].[East]:[Geography].[West]:[Geography].[South]"),
            QStringLiteral("line 1, column 38: expected an operator or the end of the formula, found ':'"));
        invalid("error on the second line",
            QStringLiteral("IIF([Measures].[Sales] > 0,\n    [Measures].[Profit] /,\n    0)"),
            QStringLiteral("line 2, column 26: expected an expression, found ','"));
        invalid("two values", QStringLiteral("1 2"),
            QStringLiteral("line 1, column 3: expected an operator or the end of the formula, found '2'"));
        invalid("keyword for an expression", QStringLiteral("WHEN"),
            QStringLiteral("line 1, column 1: expected an expression, found 'WHEN'"));
        invalid("key without a name before it", QStringLiteral("&[East]"),
            QStringLiteral("line 1, column 1: a key such as '&[East]' follows the name of a level or member, as in "
                           "[Geography].[Region].&[East]"));
        invalid(
            "leading dot", QStringLiteral(".5"), QStringLiteral("line 1, column 1: expected an expression, found '.'"));
        invalid("property with arguments", QStringLiteral("[Order Date].CurrentMember.Name(1)"),
            QStringLiteral("line 1, column 32: '.Name' is a property and takes no arguments"));
        invalid("method without parentheses", QStringLiteral("[Order Date].CurrentMember.Lag"),
            QStringLiteral(
                "line 1, column 31: '.Lag' takes its arguments in parentheses, found the end of the formula"));
        invalid("control character", QStringLiteral("\x01\x02"),
            QStringLiteral("line 1, column 1: unexpected character 'U+0001'"));

        // Names not found, at each segment.
        invalid("unknown dimension", QStringLiteral("[Atlantis].[East]"),
            QStringLiteral("line 1, column 1: '[Atlantis]' is not a dimension or hierarchy of the cube"));
        invalid("measure without its dimension", QStringLiteral("[Sales] * 2"),
            QStringLiteral("line 1, column 1: '[Sales]' is not a dimension or hierarchy of the cube; a measure is "
                           "written [Measures].[Sales]"));
        invalid("unknown region", QStringLiteral("[Geography].[Atlantis]"),
            QStringLiteral("line 1, column 13: '[Atlantis]' is not a level or member of [Geography]"));
        invalid("unknown state", QStringLiteral("[Geography].[East].[Atlantis]"),
            QStringLiteral("line 1, column 20: '[Atlantis]' is not a child of [Geography].[East]"));
        invalid("state of another region", QStringLiteral("[Geography].[West].[New York]"),
            QStringLiteral("line 1, column 20: '[New York]' is not a child of [Geography].[West]"));
        invalid("unknown city", QStringLiteral("[Geography].[East].[New York].[Atlantis]"),
            QStringLiteral("line 1, column 31: '[Atlantis]' is not a child of [Geography].[East].[New York]"));
        invalid("below the last level", QStringLiteral("[Geography].[East].[New York].[New York City].[Atlantis]"),
            QStringLiteral("line 1, column 47: '[Atlantis]' is not a child of [Geography].[East].[New York].[New "
                           "York City]"));
        invalid("unknown member of a level", QStringLiteral("[Geography].[Region].[Atlantis]"),
            QStringLiteral("line 1, column 22: '[Atlantis]' is not a member of [Geography].[Region]"));
        invalid("unknown key on a level", QStringLiteral("[Geography].[Region].&[99]"),
            QStringLiteral("line 1, column 22: no member of [Geography].[Region] has the key '&[99]'"));
        invalid("unknown key at the top", QStringLiteral("[Geography].&[99]"),
            QStringLiteral("line 1, column 13: no member on the top level of [Geography] has the key '&[99]'"));
        invalid("unknown key of a child", QStringLiteral("[Geography].[East].&[99]"),
            QStringLiteral("line 1, column 20: [Geography].[East] has no child with the key '&[99]'"));
        invalid("unknown measure", QStringLiteral("[Measures].[Margin]"),
            QStringLiteral("line 1, column 12: '[Margin]' is not a measure of the cube"));
        invalid("measure by key", QStringLiteral("[Measures].&[Sales]"),
            QStringLiteral("line 1, column 12: '&[Sales]' cannot name a measure: measures have names, not keys"));
        invalid("child of a measure", QStringLiteral("[Measures].[Sales].[Child]"),
            QStringLiteral("line 1, column 20: '[Child]' cannot follow [Measures].[Sales], which has no children"));
        invalid("child of a calculated member", QStringLiteral("[Geography].[Coastal].[East]"),
            QStringLiteral("line 1, column 23: '[East]' cannot follow [Geography].[Coastal], which has no children"));
        invalid("year out of range", QStringLiteral("[Order Date].[2025]"),
            QStringLiteral("line 1, column 14: '[2025]' is not a level or member of [Order Date]"));
        invalid("fifth quarter", QStringLiteral("[Order Date].[2024].[Q5]"),
            QStringLiteral("line 1, column 21: '[Q5]' is not a child of [Order Date].[2024]"));
        invalid("all member of a hierarchy without one", QStringLiteral("[Ship Mode].[All Ship Mode]"),
            QStringLiteral("line 1, column 13: '[All Ship Mode]' is not a level or member of [Ship Mode]"));
        invalid("calculation whose parent is unknown", QStringLiteral("([Geography].[Orphan], 1)"),
            QStringLiteral("line 1, column 14: '[Orphan]' is not a level or member of [Geography]"));
        invalid("member of the all level", QStringLiteral("[Geography].[(All)].[East]"),
            QStringLiteral("line 1, column 21: '[East]' is not a member of [Geography].[(All)]"));
        invalid("name after a property", QStringLiteral("[Geography].CurrentMember.[East]"),
            QStringLiteral("line 1, column 27: '[East]' cannot follow a member: a name segment follows the name of a "
                           "hierarchy, level or member"));
        invalid("a name that looks like a placeholder", QStringLiteral("[Geography].[%1 %2]"),
            QStringLiteral("line 1, column 13: '[%1 %2]' is not a level or member of [Geography]"));
        invalid("unknown name without brackets", QStringLiteral("Sum(x)"),
            QStringLiteral("line 1, column 5: 'x' is not a dimension or hierarchy of the cube"));

        // Functions not known.
        invalid("unknown function", QStringLiteral("Summ([Geography].Members)"),
            QStringLiteral("line 1, column 1: unknown function 'Summ'"));
        invalid("property called as a function", QStringLiteral("Children([Geography].[East])"),
            QStringLiteral("line 1, column 1: Children is not a function: write it after what it applies to, as in "
                           "x.Children"));
        invalid("unknown function inside another", QStringLiteral("Sum([Geography].Members, Foo())"),
            QStringLiteral("line 1, column 26: unknown function 'Foo'"));

        // Argument counts.
        invalid("sum without arguments", QStringLiteral("Sum()"),
            QStringLiteral("line 1, column 1: Sum takes 1 or 2 arguments, not 0"));
        invalid("sum with three", QStringLiteral("Sum([Geography].Members, [Measures].[Sales], 1)"),
            QStringLiteral("line 1, column 1: Sum takes 1 or 2 arguments, not 3"));
        invalid("iif with two", QStringLiteral("IIF(1, 2)"),
            QStringLiteral("line 1, column 1: IIf takes 3 arguments, not 2"));
        invalid("cross join with one", QStringLiteral("CrossJoin([Geography].Members)"),
            QStringLiteral("line 1, column 1: CrossJoin takes at least 2 arguments, not 1"));
        invalid("now with one", QStringLiteral("Now(1)"),
            QStringLiteral("line 1, column 1: Now takes no arguments, not 1"));
        invalid("descendants with four", QStringLiteral("Descendants([Geography].[East], 1, SELF, 2)"),
            QStringLiteral("line 1, column 1: Descendants takes 1 to 3 arguments, not 4"));
        invalid("lag without its argument", QStringLiteral("[Order Date].CurrentMember.Lag()"),
            QStringLiteral("line 1, column 28: '.Lag' takes 1 argument, not 0"));
        invalid("parallel period with four",
            QStringLiteral("ParallelPeriod([Order Date].[Year], 1, [Order Date].[2024], 2)"),
            QStringLiteral("line 1, column 1: ParallelPeriod takes 0 to 3 arguments, not 4"));
        invalid("is empty without its argument", QStringLiteral("IsEmpty()"),
            QStringLiteral("line 1, column 1: IsEmpty takes 1 argument, not 0"));

        // Argument and operand kinds.
        invalid("number for a set", QStringLiteral("Sum(1, [Measures].[Sales])"),
            QStringLiteral("line 1, column 5: argument 1 of Sum must be a set, not a number"));
        invalid("set for a number", QStringLiteral("Sum([Geography].[Region].Members, {[Measures].[Sales]})"),
            QStringLiteral("line 1, column 35: argument 2 of Sum must be a number, not a set"));
        invalid("string for a condition", QStringLiteral("Filter([Geography].Members, \"yes\")"),
            QStringLiteral("line 1, column 29: argument 2 of Filter must be a logical value, not a string"));
        invalid("string for a count", QStringLiteral("TopCount([Geography].[City].Members, \"ten\")"),
            QStringLiteral("line 1, column 38: argument 2 of TopCount must be a number, not a string"));
        invalid("set for a level or a distance",
            QStringLiteral("Ancestor([Geography].[East], [Geography].[Region].Members)"),
            QStringLiteral("line 1, column 30: argument 2 of Ancestor must be a number or a level, not a set"));
        invalid("level for a member", QStringLiteral("Ancestor([Geography].[Region], 1)"),
            QStringLiteral("line 1, column 10: argument 1 of Ancestor must be a member, not a level"));
        invalid("flag of another function", QStringLiteral("Order([Geography].Members, [Measures].[Sales], SELF)"),
            QStringLiteral("line 1, column 48: SELF is not a flag of Order, which takes ASC, BASC, BDESC, DESC"));
        invalid("flag for a number", QStringLiteral("Sum([Geography].Members, DESC)"),
            QStringLiteral("line 1, column 26: argument 2 of Sum must be a number, not the flag DESC"));
        invalid("number for a flag", QStringLiteral("Order([Geography].Members, [Measures].[Sales], 1)"),
            QStringLiteral("line 1, column 48: argument 3 of Order must be one of ASC, BASC, BDESC, DESC"));
        invalid("count's own flags", QStringLiteral("Count([Geography].Members, ASC)"),
            QStringLiteral("line 1, column 28: ASC is not a flag of Count, which takes EXCLUDEEMPTY, INCLUDEEMPTY"));
        invalid("numbers in a set", QStringLiteral("{1, 2}"),
            QStringLiteral("line 1, column 2: item 1 of a set must be a member, a tuple or a set, not a number"));
        invalid("number in a tuple", QStringLiteral("([Geography].[East], 1)"),
            QStringLiteral("line 1, column 22: item 2 of a tuple must be a member, not a number"));
        invalid("two members of a hierarchy in a tuple", QStringLiteral("([Geography].[East], [Geography].[West])"),
            QStringLiteral("line 1, column 22: a tuple holds one member of each hierarchy, and this is a second member "
                           "of [Geography]"));
        invalid("two members of a hierarchy through properties",
            QStringLiteral("([Geography].CurrentMember, [Geography].[West].Parent)"),
            QStringLiteral("line 1, column 29: a tuple holds one member of each hierarchy, and this is a second member "
                           "of [Geography]"));
        invalid("range across hierarchies", QStringLiteral("{[Geography].[East]:[Order Date].[2021]}"),
            QStringLiteral(
                "line 1, column 21: a range runs within one hierarchy, but it starts in [Geography] and ends "
                "in [Order Date]"));
        invalid("range across levels", QStringLiteral("{[Geography].[East]:[Geography].[East].[New York]}"),
            QStringLiteral("line 1, column 21: a range runs along one level, but [Geography].[East] and "
                           "[Geography].[East].[New York] are on different levels"));
        invalid("children of a set", QStringLiteral("[Geography].[Region].Members.Children"),
            QStringLiteral("line 1, column 30: '.Children' applies to a member, not a set"));
        invalid("current member of a member", QStringLiteral("[Geography].[East].CurrentMember"),
            QStringLiteral("line 1, column 20: '.CurrentMember' applies to a hierarchy, not a member"));
        invalid("number plus a set", QStringLiteral("1 + {[Geography].[East]}"),
            QStringLiteral("line 1, column 1: the left operand of '+' must be a set, not a number"));
        invalid("division by a string", QStringLiteral("[Measures].[Sales] / \"x\""),
            QStringLiteral("line 1, column 22: the right operand of '/' must be a number, not a string"));
        invalid("not of a set", QStringLiteral("NOT {[Geography].[East]}"),
            QStringLiteral("line 1, column 5: the operand of NOT must be a logical value, not a set"));
        invalid("minus a level", QStringLiteral("-[Geography].[Region]"),
            QStringLiteral("line 1, column 2: the operand of '-' must be a number, not a level"));
        invalid("iif of a set and a number", QStringLiteral("IIF(1, {[Geography].[East]}, 2)"),
            QStringLiteral("line 1, column 30: the results of IIf must be of one kind, but this is a number and an "
                           "earlier one a set"));
        invalid("case of a set and a number", QStringLiteral("CASE WHEN 1 THEN {[Geography].[East]} ELSE 0 END"),
            QStringLiteral("line 1, column 44: the results of CASE must be of one kind, but this is a number and an "
                           "earlier one a set"));
        invalid("level plus a number", QStringLiteral("[Geography].[Region] + 1"),
            QStringLiteral("line 1, column 1: the left operand of '+' must be a value, not a level"));
        invalid("string for iif's condition", QStringLiteral("IIF(\"yes\", 1, 0)"),
            QStringLiteral("line 1, column 5: argument 1 of IIf must be a logical value, not a string"));

        // The result must be a value.
        const QString notAValue
            = QStringLiteral(", but a calculation must give a value: a number, a string, a member or a tuple");
        invalid("set of a level", QStringLiteral("[Geography].[Region].Members"),
            QStringLiteral("line 1, column 1: the formula gives a set") + notAValue);
        invalid("set in braces", QStringLiteral("{[Geography].[East]}"),
            QStringLiteral("line 1, column 1: the formula gives a set") + notAValue);
        invalid("level", QStringLiteral("[Geography].[Region]"),
            QStringLiteral("line 1, column 1: the formula gives a level") + notAValue);
        invalid("bare hierarchy", QStringLiteral("[Geography]"),
            QStringLiteral("line 1, column 1: the formula gives a hierarchy") + notAValue);
        invalid("bare measures", QStringLiteral("[Measures]"),
            QStringLiteral("line 1, column 1: the formula gives a hierarchy") + notAValue);
        invalid("level of the current member", QStringLiteral("[Geography].CurrentMember.Level"),
            QStringLiteral("line 1, column 1: the formula gives a level") + notAValue);
        invalid("descendants", QStringLiteral("Descendants([Geography].[East])"),
            QStringLiteral("line 1, column 1: the formula gives a set") + notAValue);
        invalid("set on the second line", QStringLiteral("  \n  [Geography].[East].Children"),
            QStringLiteral("line 2, column 3: the formula gives a set") + notAValue);
        invalid("range", QStringLiteral("[Geography].[East]:[Geography].[West]"),
            QStringLiteral("line 1, column 1: the formula gives a set") + notAValue);
        invalid("hierarchy of the current member", QStringLiteral("[Geography].CurrentMember.Hierarchy"),
            QStringLiteral("line 1, column 1: the formula gives a hierarchy") + notAValue);
        invalid("iif of a set and a member", QStringLiteral("IIF(1, {[Geography].[East]}, [Geography].[West])"),
            QStringLiteral("line 1, column 1: the formula gives a set") + notAValue);

        // Cycles.
        invalid("itself", QStringLiteral("[Measures].[Profit Ratio] * 2"),
            QStringLiteral("line 1, column 12: [Measures].[Profit Ratio] is the calculation being defined: a "
                           "calculation cannot refer to itself"),
            ProfitRatio);
        invalid("back through two others", QStringLiteral("[Measures].[Loop A] / 2"),
            QStringLiteral(
                "line 1, column 12: [Measures].[Loop A] refers back to this calculation: [Measures].[Loop A] "
                "-> [Measures].[Loop B] -> [Measures].[Loop C]"),
            LoopC);
        invalid("back through one other", QStringLiteral("1 + [Measures].[Loop A]"),
            QStringLiteral(
                "line 1, column 16: [Measures].[Loop A] refers back to this calculation: [Measures].[Loop A] "
                "-> [Measures].[Loop B]"),
            LoopB);
        invalid("itself among other names", QStringLiteral("[Measures].[Sales] + [Measures].[Loop C]"),
            QStringLiteral("line 1, column 33: [Measures].[Loop C] is the calculation being defined: a calculation "
                           "cannot refer to itself"),
            LoopC);
        invalid("back through a formula that does not parse", QStringLiteral("[Measures].[Broken]"),
            QStringLiteral(
                "line 1, column 12: [Measures].[Broken] refers back to this calculation: [Measures].[Broken] "
                "-> [Measures].[Loop A] -> [Measures].[Loop B] -> [Measures].[Loop C]"),
            LoopC);
        invalid("calculated member itself", QStringLiteral("[Geography].[Coastal] * 2"),
            QStringLiteral("line 1, column 13: [Geography].[Coastal] is the calculation being defined: a calculation "
                           "cannot refer to itself"),
            Coastal);
        invalid("calculated member itself by its level",
            QStringLiteral("([Geography].[City].[Big Apple], [Measures].[Sales])"),
            QStringLiteral("line 1, column 21: [Geography].[City].[Big Apple] is the calculation being defined: a "
                           "calculation cannot refer to itself"),
            BigApple);
    }

    void formulas()
    {
        QFETCH(QString, formula);
        QFETCH(int, self);
        QFETCH(QString, answer);
        MdxFixtureCube cube;
        MdxFormulaChecker checker(cube, Calculations());
        const MdxCheckResult result = checker.Check(formula, self);
        QCOMPARE(result.Text(), answer);
        QCOMPARE(result.valid, answer.isEmpty());
    }

    void aCalculationOutsideTheListIsRefused()
    {
        MdxFixtureCube cube;
        MdxFormulaChecker checker(cube, Calculations());
        QVERIFY_EXCEPTION_THROWN(checker.Check(QStringLiteral("1"), 8), LogicException);
        QVERIFY_EXCEPTION_THROWN(checker.Check(QStringLiteral("1"), -2), LogicException);
    }

    // Long chains are parsed in a loop; only nesting costs stack, and it is limited.
    void pathologicalFormulasGetAnAnswer_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("answer");
        QTest::newRow("100,000 terms") << Repeated(QStringLiteral("1"), 100'000, QStringLiteral("+")) << QString();
        QTest::newRow("20,000 measures") << Repeated(QStringLiteral("[Measures].[Sales]"), 20'000,
            QStringLiteral(" * ")) << QString();
        QTest::newRow("100,000 signs") << QString(QStringLiteral("- ").repeated(100'000) + QStringLiteral("1"))
                                       << QString();
        const QString tooDeep = QStringLiteral("line 1, column %1: the formula nests more than 256 levels deep");
        QTest::newRow("10,000 parentheses") << QString(
            QStringLiteral("(").repeated(10'000) + QStringLiteral("1") + QStringLiteral(")").repeated(10'000))
                                            << tooDeep.arg(257);
        QTest::newRow("256 parentheses") << QString(
            QStringLiteral("(").repeated(256) + QStringLiteral("1") + QStringLiteral(")").repeated(256))
                                         << QString();
        QTest::newRow("100,000 NOTs") << QString(QStringLiteral("NOT ").repeated(100'000) + QStringLiteral("1"))
                                      << tooDeep.arg(1 + 256 * 4);
        QTest::newRow("nested calls") << QString(
            QStringLiteral("Abs(").repeated(1'000) + QStringLiteral("1") + QStringLiteral(")").repeated(1'000))
                                      << tooDeep.arg(1 + 256 * 4);
        QTest::newRow("nested sets") << QString(
            QStringLiteral("{").repeated(5'000) + QStringLiteral("}").repeated(5'000))
                                     << tooDeep.arg(257);
    }

    void pathologicalFormulasGetAnAnswer()
    {
        QFETCH(QString, formula);
        QFETCH(QString, answer);
        MdxFixtureCube cube;
        MdxFormulaChecker checker(cube, Calculations());
        QCOMPARE(checker.Check(formula).Text(), answer);
    }

    // Random text and random token soup: every input gets an answer with a position inside it.
    void garbageGetsAnAnswer()
    {
        const QStringList vocabulary {QStringLiteral("[Geography]"), QStringLiteral("[East]"), QStringLiteral("."),
            QStringLiteral(","), QStringLiteral("("), QStringLiteral(")"), QStringLiteral("{"), QStringLiteral("}"),
            QStringLiteral(":"), QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"), QStringLiteral("Sum"),
            QStringLiteral("IIF"), QStringLiteral("CASE"), QStringLiteral("WHEN"), QStringLiteral("THEN"),
            QStringLiteral("END"), QStringLiteral("NOT"), QStringLiteral("AND"), QStringLiteral("1"),
            QStringLiteral("\"s\""), QStringLiteral("Members"), QStringLiteral("CurrentMember"), QStringLiteral("Lag"),
            QStringLiteral("&[2021]"), QStringLiteral("[Measures]"), QStringLiteral("[Sales]"), QStringLiteral("DESC"),
            QStringLiteral("/*"), QStringLiteral("\n"), QStringLiteral("[Measures].[Loop A]")};
        QRandomGenerator random(14);
        MdxFixtureCube cube;
        MdxFormulaChecker checker(cube, Calculations());
        for (int round = 0; round < 2'000; ++round) {
            QString formula;
            const int length = random.bounded(1, 40);
            if (round % 4 == 0) {
                for (int i = 0; i < length; ++i)
                    formula += QChar(static_cast<char16_t>(random.bounded(0, 0x10000)));
            } else {
                for (int i = 0; i < length; ++i)
                    formula += vocabulary[random.bounded(vocabulary.size())] + QLatin1Char(' ');
            }
            const MdxCheckResult result = checker.Check(formula, random.bounded(-1, 8));
            if (!result.valid) {
                QVERIFY2(result.line >= 1
                        && result.line <= formula.count(QLatin1Char('\n')) + formula.count(QLatin1Char('\r')) + 1,
                    qPrintable(formula));
                QVERIFY2(result.column >= 1 && result.column <= formula.size() + 1, qPrintable(formula));
                QVERIFY(!result.message.isEmpty());
            }
        }
    }
};

QTEST_MAIN(MdxFormulaCheckerTest)
#include "MdxFormulaCheckerTest.moc"
