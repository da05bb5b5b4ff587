#pragma once

// The parameter area: a parameter edit that the host has opened and that a dialog changes one
// command at a time. Every command names the edit by its id.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/ParameterListDomainPresModel.h"

namespace Zel::Commands::Parameter {

ZEL_COMMAND_AREA(ParameterArea, "gen-command-wrappers/ParameterCommandWrappers");

ZEL_PARAMETER(EditId, 329978885, unsigned int);

// The list of allowable values.
ZEL_PARAMETER(IndexedMember, 327924951, RefCntPtr<IndexedDomainMemberPresModel const>);
// Whether an update edits the member's value (true) or its alias (false).
ZEL_PARAMETER(IsValueEdited, 321967657, bool);
ZEL_PARAMETER(MemberRanges, 334291126, std::vector<RefCntPtr<IndexRangePresModel const>>);
// A row of the list: the target of a move, or the row of the current value in an answer.
ZEL_PARAMETER(ListIndex, 325642685, unsigned int);
ZEL_PARAMETER(ListDomainDiff, 335304766, RefCntPtr<ParameterListDomainDiffPresModel const>);
ZEL_PARAMETER(ChosenValueIndex, 334654587, int);
ZEL_PARAMETER(FormattedValue, 328403395, TString);

// Adds a member typed by the user (its display value only). A host that cannot take the text
// answers without a diff, and nothing changes.
ZEL_COMMAND(AddListMember, 9741677, ParameterArea, Arguments<Required<EditId>, Required<IndexedMember>>,
    Results<Optional<ListDomainDiff>>);

// Changes the value or the alias of the member at the indexed row; the member holds only the
// edited text. Answered without a diff when the host refuses the text.
ZEL_COMMAND(UpdateListMember, 16300907, ParameterArea,
    Arguments<Required<EditId>, Required<IndexedMember>, Required<IsValueEdited>>, Results<Optional<ListDomainDiff>>);

// Deletes the ranges, each given in rows of the list as it stands before the command.
ZEL_COMMAND(DeleteListMembers, 9292880, ParameterArea, Arguments<Required<EditId>, Required<MemberRanges>>,
    Results<Required<ListDomainDiff>>);

// Moves the members of the ranges, in list order, so that they stand together before the row
// ListIndex of the list as it stands before the command (the row count: at the end). A drop
// between rows gives this target.
ZEL_COMMAND(MoveListMembers, 11778542, ParameterArea,
    Arguments<Required<EditId>, Required<MemberRanges>, Required<ListIndex>>, Results<Required<ListDomainDiff>>);

// Moves the members of the ranges, in list order, so that the first of them ends up at row
// ListIndex of the list after the move (a row past the end: at the end). A keyboard move by one
// row gives this target.
ZEL_COMMAND(MoveListMembersToRow, 16645494, ParameterArea,
    Arguments<Required<EditId>, Required<MemberRanges>, Required<ListIndex>>, Results<Required<ListDomainDiff>>);

// Makes the member at the chosen row the parameter's current value.
ZEL_COMMAND(SetParameterValueIndex, 11915502, ParameterArea, Arguments<Required<EditId>, Required<ChosenValueIndex>>,
    Results<Required<ListIndex>, Required<FormattedValue>>);

using ListDomainCommands = CommandList<AddListMember, UpdateListMember, DeleteListMembers, MoveListMembers,
    MoveListMembersToRow, SetParameterValueIndex>;

} // namespace Zel::Commands::Parameter
