#pragma once

#include "host/commands/AliasCommands.h"
#include "host/doc/Exceptions.h"
#include "tests/support/RecordingDispatcher.h"

#include <initializer_list>
#include <vector>

namespace AliasesTest {

namespace Cmds = Zel::Commands::Alias;

// A member as the host lists it; no alias when `alias` is null.
struct Member
{
    const wchar_t* name;
    const wchar_t* alias = nullptr;
};

inline RefCntPtr<AliasItemPresModel const> Item(unsigned int index, const wchar_t* name, const wchar_t* alias = nullptr)
{
    auto item = MakeRefCnt<AliasItemPresModel>();
    item->SetIndex(index);
    item->SetMemberName(TString(name));
    item->SetHasAlias(alias != nullptr);
    if (alias)
        item->SetAlias(TString(alias));
    return item;
}

// The host's list of an edit, members in the order given (which is not name order).
inline RefCntPtr<AliasesPresModel const> List(int id, std::initializer_list<Member> members)
{
    auto list = MakeRefCnt<AliasesPresModel>();
    list->SetID(id);
    list->SetColumnCaption(TString(L"Region"));
    std::vector<RefCntPtr<AliasItemPresModel const>> items;
    unsigned int assigned = 0;
    for (const Member& member : members) {
        items.push_back(Item(static_cast<unsigned int>(items.size()), member.name, member.alias));
        assigned += member.alias ? 1 : 0;
    }
    list->SetAliases(std::move(items));
    list->SetNumOfAssignedAliases(assigned);
    return list;
}

inline RefCntPtr<AliasResultsPresModel const> NoDuplicates()
{
    return MakeRefCnt<AliasResultsPresModel>();
}

inline RefCntPtr<AliasResultsPresModel const> Duplicate(
    RefCntPtr<AliasItemPresModel const> requested, RefCntPtr<AliasItemPresModel const> existing)
{
    auto result = MakeRefCnt<AliasResultItemPresModel>();
    result->SetNewAlias(std::move(requested));
    result->SetDuplicate(std::move(existing));
    auto results = MakeRefCnt<AliasResultsPresModel>();
    results->SetResultItems({RefCntPtr<AliasResultItemPresModel const>(std::move(result))});
    return results;
}

// A host that takes every change.
inline void AcceptEveryChange(ZelTest::RecordingDispatcher& host)
{
    host.AnswerAlways<Cmds::ApplyNewAliases>([](const ZelTest::RecordedCommand&) {
        RefCntPtr<IParameters> set = ContextParameters::Create();
        SetValParameter<RefCntPtr<AliasResultsPresModel const>>(*set, Cmds::AliasResults::id, NoDuplicates());
        return RefCntPtr<IParameters const>(set);
    });
}

// The one member a recorded ApplyNewAliases asked for.
inline const AliasItemPresModel& RequestedMember(const ZelTest::RecordedCommand& command)
{
    const RefCntPtr<NewAliasesPresModel const>& request = command.Get<Cmds::NewAliases>();
    if (!request || request->GetAliases().size() != 1 || !request->GetAliases().front())
        throw std::logic_error("the change request does not hold exactly one member");
    return *request->GetAliases().front();
}

} // namespace AliasesTest
