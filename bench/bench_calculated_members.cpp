// Calculated members: the costs a user of the calculated members dialog waits for.
//
// - Checking a formula (the simulator's MdxFormulaChecker over the in-memory fixture cube with the
//   sample cube's names) of 10,000 and of 100,000 tokens. Checking is linear in the formula's
//   length: the second takes at most 12 times as long as the first.
// - Restyling a 5,000-line formula after one keystroke in its middle line, with the formula
//   editor's MDX lexer and, on the same text, QScintilla's own SQL lexer. Each iteration types or
//   deletes one character and styles what painting would ask for: down to the end of the text, or
//   a screenful (40 lines) past the edit. Only the styling is timed: the edit itself costs
//   QScintilla the same whatever the lexer (BM_KeystrokeAlone shows how much).
// - Opening the calculated members dialog on an editing context of 1,000 calculations, beside the
//   same form built bare (setupUi on a plain dialog, nothing filled) and beside a plain
//   QTableWidget filled with the same 1,000 rows. The time counted is construction, show and the
//   first paint; taking the window down again is not counted.

// The form's custom widgets need the enumeration their template is instantiated over.
#include "host/doc/DataValue.h"

#include "ui_CalculatedMembersDialog.h"

#include "bench/WindowTiming.h"
#include "gen-command-wrappers/CalculatedMembersCommandWrappers.h"
#include "host/doc/MdxTokenizer.h"
#include "host/ui/MdxLexer.h"
#include "host/ui/ScintillaEditBox.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "sim/mdx/MdxFormulaChecker.h"
#include "tests/mdx/MdxFixtureCube.h"

#include <Qsci/qscilexersql.h>
#include <Qsci/qsciscintilla.h>

#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QTableWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <functional>

namespace {

using Clock = std::chrono::steady_clock;

int SignificantTokens(const QString& text)
{
    MdxTokenizer tokenizer(text);
    MdxToken token;
    int count = 0;
    while (tokenizer.Next(token))
        count += token.IsTrivia() ? 0 : 1;
    return count;
}

// Terms of a realistic formula (names of every depth, calls, a tuple, a CASE) joined by '+' until
// the formula holds at least `tokens` tokens.
QString FormulaOf(int tokens, int* actualTokens)
{
    const QString terms[] = {
        QStringLiteral("([Measures].[Sales], [Geography].[East].[New York].[New York City])"),
        QStringLiteral("Sum([Geography].[Region].Members, [Measures].[Profit])"),
        QStringLiteral("IIF([Measures].[Quantity] = 0, NULL, [Measures].[Profit] / [Measures].[Quantity])"),
        QStringLiteral("([Measures].[Sales], [Order Date].CurrentMember.Lag(12))"),
        QStringLiteral("CASE WHEN [Measures].[Discount] > 0.2 THEN 1 ELSE 0 END"),
        QStringLiteral("Count(Filter([Geography].[State].Members, [Measures].[Sales] > 100))"),
    };
    QString formula;
    int count = 0;
    for (int i = 0; count < tokens; ++i) {
        const QString& term = terms[i % 6];
        if (!formula.isEmpty()) {
            formula += (i % 8 == 0) ? QStringLiteral("\n+ ") : QStringLiteral(" + ");
            ++count;
        }
        formula += term;
        count += SignificantTokens(term);
    }
    *actualTokens = count;
    return formula;
}

void BM_CheckFormula(benchmark::State& state)
{
    int tokens = 0;
    const QString formula = FormulaOf(static_cast<int>(state.range(0)), &tokens);
    MdxFixtureCube cube;
    Zel::Sim::MdxFormulaChecker checker(cube, {});
    if (!checker.Check(formula).valid) {
        state.SkipWithError("the benchmark's formula does not check");
        return;
    }
    for (auto _ : state) {
        const Zel::Sim::MdxCheckResult result = checker.Check(formula);
        benchmark::DoNotOptimize(result.valid);
    }
    state.counters["tokens"] = tokens;
    state.SetItemsProcessed(state.iterations() * tokens);
}
BENCHMARK(BM_CheckFormula)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

QString LongFormula(int lines)
{
    QString text;
    for (int i = 0; i < lines; ++i) {
        if (i % 50 == 0)
            text += QStringLiteral("/* block %1: profit where there were sales */\n").arg(i);
        text += QStringLiteral("  + IIF([Measures].[Sales] > %1, [Measures].[Profit] / [Measures].[Sales], NULL) "
                               "-- line %1\n")
                    .arg(i);
    }
    return text;
}

enum class Reach
{
    ToTheEnd,
    Screenful,
};

// Types a character in the middle line of the 5,000-line formula, and deletes it again the next
// time, so that every keystroke is the same edit.
class Typist
{
public:
    explicit Typist(QsciScintilla& editor)
        : m_editor(editor)
    {
        m_editor.setText(LongFormula(5'000));
        m_editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        m_middle = m_editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 2'500UL) + 10;
    }

    void Keystroke()
    {
        if (m_typed)
            m_editor.SendScintilla(QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(m_middle), 1L);
        else
            m_editor.SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(m_middle), "x");
        m_typed = !m_typed;
    }

private:
    QsciScintilla& m_editor;
    long m_middle = 0;
    bool m_typed = false;
};

// One keystroke (typing a character or deleting it again) in the middle line, then the styling
// that painting asks for.
void Restyle(benchmark::State& state, QsciScintilla& editor, Reach reach, const std::function<int()>& styledLines)
{
    Typist typist(editor);
    const long screenEnd = editor.SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, 2'540UL);
    const int linesBefore = styledLines ? styledLines() : 0;
    for (auto _ : state) {
        typist.Keystroke();
        const auto start = Clock::now();
        const long endStyled = editor.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
        editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, static_cast<unsigned long>(endStyled),
            reach == Reach::ToTheEnd ? -1L : screenEnd);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
    if (styledLines)
        state.counters["lines/keystroke"]
            = static_cast<double>(styledLines() - linesBefore) / static_cast<double>(state.iterations());
}

void BM_RestyleMdxLexer(benchmark::State& state)
{
    ScintillaEditBox editor;
    MdxLexer* lexer = editor.GetMdxLexer();
    Restyle(state, editor, static_cast<Reach>(state.range(0)), [lexer] { return lexer->GetStyledLineCount(); });
}
// A fixed number of keystrokes: only the styling is timed, but every keystroke costs QScintilla a
// few milliseconds, so a time-bound run of a fast lexer would type for minutes.
BENCHMARK(BM_RestyleMdxLexer)
    ->ArgName("screenful")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(1'000)
    ->Unit(benchmark::kMicrosecond);

void BM_RestyleSqlLexer(benchmark::State& state)
{
    QsciScintilla editor;
    QsciLexerSQL lexer;
    editor.setUtf8(true);
    editor.setLexer(&lexer);
    Restyle(state, editor, static_cast<Reach>(state.range(0)), {});
    editor.setLexer(nullptr);
}
BENCHMARK(BM_RestyleSqlLexer)
    ->ArgName("screenful")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(100)
    ->Unit(benchmark::kMicrosecond);

// The keystroke without any styling, in the MDX editor: what QScintilla itself spends on an edit
// of a 5,000-line text.
void BM_KeystrokeAlone(benchmark::State& state)
{
    ScintillaEditBox editor;
    Typist typist(editor);
    for (auto _ : state)
        typist.Keystroke();
}
BENCHMARK(BM_KeystrokeAlone)->Iterations(1'000)->Unit(benchmark::kMicrosecond);

namespace Calc = Zel::Commands::CalculatedMembers;

// Every fourth calculation is a measure; the others are members of [Geography] under a region.
std::vector<RefCntPtr<CalculatedMemberPresModel const>> Calculations(int count)
{
    const QString regions[]
        = {QStringLiteral("Central"), QStringLiteral("East"), QStringLiteral("South"), QStringLiteral("West")};
    std::vector<RefCntPtr<CalculatedMemberPresModel const>> calculations;
    calculations.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        auto record = MakeRefCnt<CalculatedMemberPresModel>();
        const QString name = QStringLiteral("Calculation %1").arg(i, 4, 10, QLatin1Char('0'));
        record->SetName(TString(name));
        record->SetIsMeasure(i % 4 == 0);
        if (record->GetIsMeasure()) {
            record->SetMeasure(FieldName::ParseUnquoted(TString(name)));
            record->SetFormula(TString(QStringLiteral("[Measures].[Sales] * %1\n  / [Measures].[Quantity]").arg(i)));
        } else {
            const QString parent = QStringLiteral("[Geography].[") + regions[i % 4] + QLatin1Char(']');
            record->SetMemberParentName(TString(parent));
            record->SetMemberHierarchyName(FieldName(TString(), TString(L"Geography")));
            record->SetMemberHierarchyLevel(2);
            record->SetMember(DataValue(TString(parent + QStringLiteral(".[") + name + QLatin1Char(']'))));
            record->SetFormula(TString(parent + QStringLiteral(" * %1").arg(i)));
        }
        calculations.push_back(std::move(record));
    }
    return calculations;
}

// A host whose editing context holds `count` calculations. Opening the dialog sends nothing else; any
// other command would be a fault of the benchmark's premise.
class EditingHost final : public ICommandDispatcher
{
public:
    explicit EditingHost(int count)
    {
        std::vector<RefCntPtr<CalculatedMemberHierarchyItemPresModel const>> hierarchies;
        for (const wchar_t* name : {L"Geography", L"Product", L"Customer"}) {
            auto item = MakeRefCnt<CalculatedMemberHierarchyItemPresModel>();
            item->SetName(FieldName(TString(), TString(name)));
            item->SetCaption(TString(name));
            item->SetLevels(4);
            hierarchies.push_back(std::move(item));
        }
        auto editing = MakeRefCnt<CalculatedMembersForEditingPresModel>();
        editing->SetDataSourceName(TString(L"Orders Cube"));
        editing->SetHierarchys(std::move(hierarchies));
        editing->SetCalculatedMembers(Calculations(count));
        editing->SetHasNonRootCalculationsCapability(true);
        editing->SetHasStringMeasuresCapability(true);
        editing->SetUseScopeIsolation(true);
        editing->SetMeasuresDimensionName(TString(L"Measures"));
        editing->SetSolveOrderLowerBound(-1'000);
        editing->SetSolveOrderUpperBound(1'000);
        m_answer = ContextParameters::Create();
        SetValParameter<unsigned int>(*m_answer, Calc::EditId::id, 1);
        SetValParameter<RefCntPtr<SimpleCommandsPresModel const>>(
            *m_answer, Calc::CleanupCommands::id, MakeRefCnt<SimpleCommandsPresModel>());
        SetValParameter<RefCntPtr<CalculatedMembersForEditingPresModel const>>(
            *m_answer, Calc::EditingModel::id, RefCntPtr<CalculatedMembersForEditingPresModel const>(editing));
    }

    RefCntPtr<IParameters const> ExecuteCommand(int commandId, RefCntPtr<IParameters const>, void*) const override
    {
        if (commandId != Calc::GetCalculatedMembersForEditing::id)
            std::abort();
        return m_answer;
    }

private:
    RefCntPtr<IParameters> m_answer;
};

void BM_OpenCalculatedMembersDialog(benchmark::State& state)
{
    const auto host = std::make_shared<EditingHost>(static_cast<int>(state.range(0)));
    ZelBench::TimeShown(state,
        [&] { return std::make_unique<CalculatedMembersDialog>(host, TString(L"Orders Cube"), FieldName(), true); });
    state.counters["calculations"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenCalculatedMembersDialog)->Arg(0)->Arg(1'000)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BareCalculatedMembersForm(benchmark::State& state)
{
    struct Bare : QDialog
    {
        Ui::CalculatedMembersDialog ui;
    };
    ZelBench::TimeShown(state, [] {
        auto dialog = std::make_unique<Bare>();
        dialog->ui.setupUi(dialog.get());
        return dialog;
    });
}
BENCHMARK(BM_BareCalculatedMembersForm)->UseManualTime()->Unit(benchmark::kMillisecond);

// What a user would pick instead: a QTableWidget filled with the same rows, check boxes included.
void BM_FilledTableWidget(benchmark::State& state)
{
    const auto calculations = Calculations(static_cast<int>(state.range(0)));
    ZelBench::TimeShown(state, [&] {
        auto table = std::make_unique<QTableWidget>(0, 3);
        table->horizontalHeader()->setStretchLastSection(true);
        table->resize(690, 105);
        for (const auto& calculation : calculations) {
            const int row = table->rowCount();
            table->insertRow(row);
            auto* name = new QTableWidgetItem(calculation->GetName().ToQString());
            name->setCheckState(calculation->GetIsEnabled() ? Qt::Checked : Qt::Unchecked);
            table->setItem(row, 0, name);
            table->setItem(row, 1, new QTableWidgetItem(calculation->GetMemberParentName().ToQString()));
            table->setItem(row, 2, new QTableWidgetItem(calculation->GetFormula().ToQString()));
        }
        return table;
    });
    state.counters["calculations"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_FilledTableWidget)->Arg(1'000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
