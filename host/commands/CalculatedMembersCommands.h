#pragma once

// The calculated members area: an editing context that the host opens over the calculated members
// and measures of one cube data source. The client changes the context one calculation at a time;
// the host answers most changes with its own count of calculations, and nothing reaches the cube
// before ApplyCalculatedMembers. Every command after the first names the context by its id.
//
// A calculation is named by its identity as the host filled it into the record: a measure by its
// Measure (a FieldName), a member by its Member (a DataValue).

#include "host/commands/CommonParameters.h"
#include "host/doc/CalculatedMemberPresModels.h"

namespace Zel::Commands::CalculatedMembers {

ZEL_COMMAND_AREA(CalculatedMembersArea, "gen-command-wrappers/CalculatedMembersCommandWrappers");

using Common::CleanupCommands;
using Common::EditId;
using Common::Field;
using Measure = Common::Field;
using Member = Common::Value;

// What the client was opened with: a text and a flag the host gives meaning to.
ZEL_PARAMETER(EditingText, 307961700, TString);
ZEL_PARAMETER(EditingFlag, 324973417, bool);
ZEL_PARAMETER(EditingModel, 320042367, RefCntPtr<CalculatedMembersForEditingPresModel const>);
// A proposed name, or the name to check.
ZEL_PARAMETER(CalculationName, 302897792, TString);
ZEL_PARAMETER(HierarchyName, 335220214, FieldName);
ZEL_PARAMETER(Level, 319641896, int);
ZEL_PARAMETER(ParentText, 332536551, TString);
ZEL_PARAMETER(Calculation, 334871038, RefCntPtr<CalculatedMemberPresModel const>);
ZEL_PARAMETER(CreatedCalculation, 327560148, RefCntPtr<CalculatedMemberPresModel const>);
ZEL_PARAMETER(UpdatedCalculation, 327890072, RefCntPtr<CalculatedMemberPresModel const>);
// The number of calculations the context holds after the command.
ZEL_PARAMETER(CalculationCount, 324013391, unsigned int);
// The row of the calculation that moves one row up, resp. down.
ZEL_PARAMETER(MoveUpIndex, 328356334, unsigned int);
ZEL_PARAMETER(MoveDownIndex, 318916334, unsigned int);
ZEL_PARAMETER(ErrorText, 304310019, TString);
ZEL_PARAMETER(IsNameValid, 314786078, bool);
ZEL_PARAMETER(SolveOrder, 325196928, int);
ZEL_PARAMETER(Formula, 325407864, TString);
ZEL_PARAMETER(IsFormulaValid, 333789723, bool);

// Opens an editing context. The field is sent only when there is one.
ZEL_COMMAND(GetCalculatedMembersForEditing, 7808874, CalculatedMembersArea,
    Arguments<Required<EditingText>, Required<EditingFlag>, Optional<Field>>,
    Results<Required<EditId>, Required<CleanupCommands>, Required<EditingModel>>);

// A name no measure of the context has yet.
ZEL_COMMAND(
    GetNewMeasureName, 8466482, CalculatedMembersArea, Arguments<Required<EditId>>, Results<Required<CalculationName>>);

// A name no member of the hierarchy's level has yet.
ZEL_COMMAND(GetNewMemberName, 1031760, CalculatedMembersArea,
    Arguments<Required<EditId>, Required<HierarchyName>, Required<Level>>, Results<Required<CalculationName>>);

// Adds the calculation at the end; the answer is the record as stored, its identity filled in.
ZEL_COMMAND(CreateCalculatedMember, 10062648, CalculatedMembersArea, Arguments<Required<EditId>, Required<Calculation>>,
    Results<Required<CreatedCalculation>, Required<CalculationCount>>);

// Replaces the calculation the previous identity names (a measure's or a member's, whichever it
// was) with the record; without a previous identity, the record names itself (enabling or
// disabling it).
ZEL_COMMAND(UpdateCalculatedMember, 15808365, CalculatedMembersArea,
    Arguments<Required<EditId>, Optional<Measure>, Optional<Member>, Required<Calculation>>,
    Results<Required<UpdatedCalculation>, Required<CalculationCount>>);

ZEL_COMMAND(DeleteCalculatedMember, 3463659, CalculatedMembersArea,
    Arguments<Required<EditId>, Optional<Measure>, Optional<Member>>, Results<Required<CalculationCount>>);

// Swaps the calculation at the row with the one above (MoveUpIndex) or below (MoveDownIndex).
// Nobody reads the answer.
ZEL_COMMAND(MoveCalculatedMember, 3519994, CalculatedMembersArea,
    Arguments<Required<EditId>, Optional<MoveUpIndex>, Optional<MoveDownIndex>>, Results<>);

// Makes the context's calculations the data source's. Nobody reads the answer.
ZEL_COMMAND(ApplyCalculatedMembers, 96423, CalculatedMembersArea, Arguments<Required<EditId>>, Results<>);

// Whether a measure may take the name; the error text says why not.
ZEL_COMMAND(ValidateMeasureName, 12340464, CalculatedMembersArea,
    Arguments<Required<EditId>, Required<CalculationName>>, Results<Optional<ErrorText>, Required<IsNameValid>>);

// Whether a member of the hierarchy, below the parent (empty: at the top) on the level, may take the
// name.
ZEL_COMMAND(ValidateMemberName, 3719814, CalculatedMembersArea,
    Arguments<Required<EditId>, Required<HierarchyName>, Required<Level>, Required<ParentText>,
        Required<CalculationName>>,
    Results<Optional<ErrorText>, Required<IsNameValid>>);

// Whether the formula may stand as the calculation's (named by its identity; neither for one the
// host does not know yet), against the cube and the context's other calculations. A refusal comes
// with the error text.
ZEL_COMMAND(CheckCalculatedMemberFormula, 15831226, CalculatedMembersArea,
    Arguments<Required<EditId>, Optional<Measure>, Optional<Member>, Required<SolveOrder>, Required<Formula>>,
    Results<Required<IsFormulaValid>, Optional<ErrorText>>);

// The host's own clean-up command, handed out with the context and sent back by the client's
// ComponentCleanup when the dialog goes, applied or not; the client never sends it by name.
ZEL_COMMAND(DiscardCalculatedMembersEdit, 7808875, CalculatedMembersArea, Arguments<Required<EditId>>, Results<>);

using AllCommands
    = CommandList<GetCalculatedMembersForEditing, GetNewMeasureName, GetNewMemberName, CreateCalculatedMember,
        UpdateCalculatedMember, DeleteCalculatedMember, MoveCalculatedMember, ApplyCalculatedMembers,
        ValidateMeasureName, ValidateMemberName, CheckCalculatedMemberFormula, DiscardCalculatedMembersEdit>;

} // namespace Zel::Commands::CalculatedMembers
