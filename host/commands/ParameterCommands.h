#pragma once

// The parameter area: a parameter edit that the host has opened and that a dialog changes one
// command at a time. Every command names the edit by its id.

#include "host/commands/CommonParameters.h"
#include "host/doc/ParameterEditPresModels.h"

namespace Zel::Commands::Parameter {

ZEL_COMMAND_AREA(ParameterArea, "gen-command-wrappers/ParameterCommandWrappers");

using Common::EditId;

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

// The parameter itself.
ZEL_PARAMETER(Caption, 317864839, TString);
ZEL_PARAMETER(Comment, 322868564, FormattedText);
ZEL_PARAMETER(NewDataType, 312797013, DataType);
ZEL_PARAMETER(NewDomainType, 322755272, ParameterTypes::DomainType);
ZEL_PARAMETER(EditInfo, 335172627, RefCntPtr<ParameterEditInfoPresModel const>);
ZEL_PARAMETER(ParameterInfo, 323553992, RefCntPtr<ProductParameterInfoPresModel const>);
using NewValue = Common::Value;
ZEL_PARAMETER(AcceptedValue, 328553689, DataValue);
ZEL_PARAMETER(FormatString, 326106332, TString);
ZEL_PARAMETER(ListDomain, 328381444, RefCntPtr<ParameterListDomainPresModel const>);
ZEL_PARAMETER(RangeDomain, 328220131, RefCntPtr<ParameterRangeDomainPresModel const>);
ZEL_PARAMETER(ClipboardText, 333371067, TString);
// A field or a parameter: the source of a fill, or the name a commit gave the parameter.
ZEL_PARAMETER(FieldNameParam, 330018620, FieldName);
ZEL_PARAMETER(RefusalMessage, 332790010, TString);

// The caption and the comment as the user has them now. Sent on every keystroke; the answer says
// nothing the dialog reads.
ZEL_COMMAND(SetParameterDisplayInfo, 7833938, ParameterArea,
    Arguments<Required<EditId>, Required<Caption>, Required<Comment>>, Results<>);

// A change of data type converts the value, the list and the range; the whole edit comes back.
ZEL_COMMAND(SetParameterDataType, 5599388, ParameterArea, Arguments<Required<EditId>, Required<NewDataType>>,
    Results<Required<EditInfo>>);

ZEL_COMMAND(SetParameterDomainType, 3907674, ParameterArea, Arguments<Required<EditId>, Required<NewDomainType>>,
    Results<Required<EditInfo>>);

// The value as the host took it (parsed, clamped into the range) and its formatted text.
ZEL_COMMAND(SetParameterValue, 4955782, ParameterArea, Arguments<Required<EditId>, Required<NewValue>>,
    Results<Required<AcceptedValue>, Required<FormattedValue>>);

// A new display format; the list comes back when its members show through the format.
ZEL_COMMAND(SetParameterFormat, 15459823, ParameterArea, Arguments<Required<EditId>, Required<FormatString>>,
    Results<Required<FormattedValue>, Optional<ListDomain>>);

// Makes the edit a parameter of the workbook. A refusal message, or the name the parameter has.
ZEL_COMMAND(CommitParameter, 941908, ParameterArea, Arguments<Required<EditId>>,
    Results<Optional<RefusalMessage>, Optional<FieldNameParam>>);

// The whole range, every value and flag, even when one control changed.
ZEL_COMMAND(SetParameterRangeDomain, 5584047, ParameterArea, Arguments<Required<EditId>, Required<RangeDomain>>,
    Results<Required<ParameterInfo>>);

ZEL_COMMAND(ClearListDomain, 16611234, ParameterArea, Arguments<Required<EditId>>,
    Results<Required<ListDomain>, Required<FormattedValue>>);

// The clipboard's text as read; the host splits and parses it. No list when nothing could be taken.
ZEL_COMMAND(PasteListMembers, 13523417, ParameterArea, Arguments<Required<EditId>, Required<ClipboardText>>,
    Results<Optional<ListDomain>>);

// Fills the list, or sets the range, from a field's values or another parameter's domain.
ZEL_COMMAND(SetDomainFromField, 7406892, ParameterArea, Arguments<Required<EditId>, Required<FieldNameParam>>,
    Results<Optional<ParameterInfo>>);

// The host's own clean-up command, handed out with the edit and sent back by the dialog's
// ComponentCleanup when the edit is abandoned; the client never sends it by name.
ZEL_COMMAND(DiscardParameterEdit, 941909, ParameterArea, Arguments<Required<EditId>>, Results<>);

using ParameterEditCommands = CommandList<SetParameterDisplayInfo, SetParameterDataType, SetParameterDomainType,
    SetParameterValue, SetParameterFormat, CommitParameter, SetParameterRangeDomain, ClearListDomain, PasteListMembers,
    SetDomainFromField, DiscardParameterEdit>;

using ListDomainCommands = CommandList<AddListMember, UpdateListMember, DeleteListMembers, MoveListMembers,
    MoveListMembersToRow, SetParameterValueIndex>;

using AllCommands = ConcatCommandLists<ParameterEditCommands, ListDomainCommands>::type;

} // namespace Zel::Commands::Parameter
