#include "sim/CalculatedMembersArea.h"

#include "sim/CalculationEdits.h"
#include "sim/OrdersCube.h"
#include "sim/SimAreaBinding.h"

#include "host/commands/CalculatedMembersCommands.h"

namespace Zel::Sim {

namespace {
namespace Cmds = Commands::CalculatedMembers;
using Edit = CalculationEdits::Edit;

// A name check's answer: the reason goes with a refusal only.
template <typename Cmd>
void AnswerNameCheck(const QString& problem, SimResults<Cmd>& out)
{
    out.template Set<Cmds::IsNameValid>(problem.isEmpty());
    if (!problem.isEmpty())
        out.template Set<Cmds::ErrorText>(TString(problem));
}

unsigned int CountOf(const Edit& edit)
{
    return static_cast<unsigned int>(edit.calculations.size());
}
} // namespace

CalculatedMembersArea::CalculatedMembersArea(SimHost& host, OrdersCube& cube)
    : m_cube(cube)
    , m_edits(std::make_shared<CalculationEdits>(cube))
{
    m_cube.SetExtension(m_edits.get());
    const SimAreaBinding<CalculationEdits> area(host, m_edits, QStringLiteral("calculated members area"));
    const auto edits = area.Items<Cmds::EditId, Edit>(
        [](CalculationEdits& all, unsigned int id) { return all.Find(id); }, QStringLiteral("calculations edit"));

    area.Handle<Cmds::GetCalculatedMembersForEditing>(
        [](CalculationEdits& all, const SimArguments<Cmds::GetCalculatedMembersForEditing>& args,
            SimResults<Cmds::GetCalculatedMembersForEditing>& out) {
            const CalculationEdits::Opened opened
                = all.Open(args.Get<Cmds::EditingText>(), args.Get<Cmds::EditingFlag>(), args.Find<Cmds::Field>());
            out.Set<Cmds::EditId>(opened.id);
            out.Set<Cmds::CleanupCommands>(opened.cleanup);
            out.Set<Cmds::EditingModel>(opened.model);
        });
    edits.Handle<Cmds::GetNewMeasureName>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::GetNewMeasureName>&,
            SimResults<Cmds::GetNewMeasureName>& out) { out.Set<Cmds::CalculationName>(all.NewMeasureName(edit)); });
    edits.Handle<Cmds::GetNewMemberName>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::GetNewMemberName>& args,
            SimResults<Cmds::GetNewMemberName>& out) {
            out.Set<Cmds::CalculationName>(all.NewMemberName(edit, args.Get<Cmds::HierarchyName>()));
        });
    edits.Handle<Cmds::ValidateMeasureName>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::ValidateMeasureName>& args,
            SimResults<Cmds::ValidateMeasureName>& out) {
            AnswerNameCheck(all.MeasureNameProblem(edit, args.Get<Cmds::CalculationName>()), out);
        });
    edits.Handle<Cmds::ValidateMemberName>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::ValidateMemberName>& args,
            SimResults<Cmds::ValidateMemberName>& out) {
            AnswerNameCheck(all.MemberNameProblem(edit, args.Get<Cmds::HierarchyName>(), args.Get<Cmds::ParentText>(),
                                args.Get<Cmds::CalculationName>()),
                out);
        });
    edits.Handle<Cmds::CreateCalculatedMember>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::CreateCalculatedMember>& args,
            SimResults<Cmds::CreateCalculatedMember>& out) {
            out.Set<Cmds::CreatedCalculation>(all.Create(edit, args.Get<Cmds::Calculation>()));
            out.Set<Cmds::CalculationCount>(CountOf(edit));
        });
    edits.Handle<Cmds::UpdateCalculatedMember>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::UpdateCalculatedMember>& args,
            SimResults<Cmds::UpdateCalculatedMember>& out) {
            out.Set<Cmds::UpdatedCalculation>(
                all.Update(edit, args.Find<Cmds::Measure>(), args.Find<Cmds::Member>(), args.Get<Cmds::Calculation>()));
            out.Set<Cmds::CalculationCount>(CountOf(edit));
        });
    edits.Handle<Cmds::DeleteCalculatedMember>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::DeleteCalculatedMember>& args,
            SimResults<Cmds::DeleteCalculatedMember>& out) {
            all.Delete(edit, args.Find<Cmds::Measure>(), args.Find<Cmds::Member>());
            out.Set<Cmds::CalculationCount>(CountOf(edit));
        });
    edits.Handle<Cmds::MoveCalculatedMember>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::MoveCalculatedMember>& args) {
            all.Move(edit, args.Find<Cmds::MoveUpIndex>(), args.Find<Cmds::MoveDownIndex>());
        });
    edits.Handle<Cmds::ApplyCalculatedMembers>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::ApplyCalculatedMembers>&) { all.Apply(edit); });
    edits.Handle<Cmds::CheckCalculatedMemberFormula>(
        [](CalculationEdits& all, Edit& edit, const SimArguments<Cmds::CheckCalculatedMemberFormula>& args,
            SimResults<Cmds::CheckCalculatedMemberFormula>& out) {
            const QString problem = all.CheckFormula(edit, args.Find<Cmds::Measure>(), args.Find<Cmds::Member>(),
                args.Get<Cmds::SolveOrder>(), args.Get<Cmds::Formula>());
            out.Set<Cmds::IsFormulaValid>(problem.isEmpty());
            if (!problem.isEmpty())
                out.Set<Cmds::ErrorText>(TString(problem));
        });
    // Sent by every clean-up, applied or not, and after a context is gone: no context to find first.
    area.Handle<Cmds::DiscardCalculatedMembersEdit>(
        [](CalculationEdits& all, const SimArguments<Cmds::DiscardCalculatedMembersEdit>& args) {
            all.Close(args.Get<Cmds::EditId>());
        });
}

CalculatedMembersArea::~CalculatedMembersArea()
{
    m_cube.SetExtension(nullptr);
}

const std::vector<SimCalculation>& CalculatedMembersArea::AppliedCalculations() const
{
    return m_edits->Applied();
}

std::size_t CalculatedMembersArea::OpenEditCount() const
{
    return m_edits->Count();
}

} // namespace Zel::Sim
