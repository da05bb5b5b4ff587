// Random text through the MDX tokenizer and the simulator's formula checker. The tokenizer must
// cover any text with tokens, without gap or overlap, whether it reads the text whole or line by
// line carrying its state from piece to piece; the checker must answer every formula of every
// calculation (a valid one, or the first error with a place in the text), including calculations
// that refer to each other in cycles. libFuzzer's time limit per input catches a hang.

#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/HostileValues.h"

#include "host/doc/MdxTokenizer.h"
#include "sim/mdx/MdxFormulaChecker.h"
#include "tests/mdx/MdxFixtureCube.h"

#include <vector>

namespace {

constexpr std::size_t kMaxFormulaLength = 400;
constexpr std::size_t kMaxCalculations = 4;

void Expect(bool condition, const char* what)
{
    if (!condition)
        ZelFuzz::Fail(what);
}

// Reads `text` from `offset` to its end (or to the end of a piece) and checks that the tokens cover
// it exactly. Returns where the last token ended.
int CoverPiece(QStringView text, int offset, MdxLexState& state, bool endOfInput)
{
    MdxTokenizer tokenizer(text.mid(offset), state, endOfInput);
    MdxToken token;
    int end = 0;
    // Every token is at least one code unit long, so more tokens than code units is a loop.
    for (int count = 0; tokenizer.Next(token); ++count) {
        Expect(count <= text.size(), "the tokenizer keeps giving tokens");
        Expect(token.offset == end, "a token does not start where the one before it ended");
        Expect(token.length > 0, "an empty token");
        end = token.End();
        Expect(end <= text.size() - offset, "a token runs past the end of the text");
    }
    Expect(end == text.size() - offset, "the tokens stop before the end of the text");
    state = tokenizer.State();
    return offset + end;
}

void TokenizeWholeAndByLine(const QString& text)
{
    MdxLexState state = MdxLexState::Normal;
    CoverPiece(text, 0, state, true);

    // As an editor reads it: line by line, each line starting in the state the one before left.
    state = MdxLexState::Normal;
    int start = 0;
    while (start < text.size()) {
        int next = text.indexOf(QLatin1Char('\n'), start);
        next = next < 0 ? text.size() : next + 1;
        CoverPiece(QStringView(text).left(next), start, state, next == text.size());
        start = next;
    }
}

void RunInput(FuzzedDataProvider& in)
{
    static const MdxFixtureCube cube;
    std::vector<Zel::Sim::MdxCalculation> calculations(in.ConsumeIntegralInRange<std::size_t>(0, kMaxCalculations));
    // Names the formulas can meet, so that calculations refer to each other and to themselves.
    static const QString names[]
        = {QStringLiteral("Margin"), QStringLiteral("Ratio"), QStringLiteral("East Plus"), QStringLiteral("Big")};
    static const QString hierarchies[] = {QString(), QStringLiteral("Geography"), QStringLiteral("Product")};
    for (std::size_t i = 0; i < calculations.size(); ++i) {
        calculations[i].name = names[i];
        calculations[i].hierarchy = hierarchies[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
        if (!calculations[i].hierarchy.isEmpty() && in.ConsumeBool())
            calculations[i].parent = QStringLiteral("[") + calculations[i].hierarchy + QStringLiteral("].[East]");
        calculations[i].formula = QString::fromUtf8(in.ConsumeRandomLengthString(kMaxFormulaLength).c_str());
    }
    const QString formula = QString::fromUtf8(in.ConsumeRemainingBytesAsString().c_str());

    TokenizeWholeAndByLine(formula);
    Zel::Sim::MdxFormulaChecker checker(cube, calculations);
    for (int self = -1; self < static_cast<int>(calculations.size()); ++self) {
        const QString& checked = self < 0 ? formula : calculations[static_cast<std::size_t>(self)].formula;
        const Zel::Sim::MdxCheckResult result = checker.Check(checked, self);
        if (!result.valid)
            Expect(result.line >= 1 && result.column >= 1 && !result.message.isEmpty(),
                "an error without a place or a message");
    }
}

} // namespace

ZEL_FUZZ_HARNESS(RunInput)
