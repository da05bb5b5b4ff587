#include "ParameterTestSupport.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "main/models/ParameterMemberModel.h"
#include "tests/support/RecordingDispatcher.h"

namespace ParameterTest {

RefCntPtr<ParameterListDomainMemberPresModel const> Member(const QString& value, const QString& alias, bool duplicate)
{
    auto member = MakeRefCnt<ParameterListDomainMemberPresModel>();
    member->SetDisplayValue(TString(value));
    member->SetHasAlias(!alias.isEmpty());
    member->SetAlias(TString(alias.isEmpty() ? value : alias));
    member->SetIsDuplicate(duplicate);
    return member;
}

std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> Members(const QStringList& values)
{
    std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> members;
    for (const QString& value : values)
        members.push_back(Member(value));
    return members;
}

DiffBuilder& DiffBuilder::Delete(unsigned int start, unsigned int end)
{
    auto range = MakeRefCnt<IndexRangePresModel>();
    range->SetStart(start);
    range->SetEnd(end);
    m_deleted.push_back(std::move(range));
    return *this;
}

namespace {
RefCntPtr<IndexedDomainMemberPresModel const> Indexed(int index, RefCntPtr<ParameterListDomainMemberPresModel const> m)
{
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(index);
    indexed->SetMember(std::move(m));
    return indexed;
}
} // namespace

DiffBuilder& DiffBuilder::Insert(int index, RefCntPtr<ParameterListDomainMemberPresModel const> member)
{
    m_new.push_back(Indexed(index, std::move(member)));
    return *this;
}

DiffBuilder& DiffBuilder::Update(int index, RefCntPtr<ParameterListDomainMemberPresModel const> member)
{
    m_updated.push_back(Indexed(index, std::move(member)));
    return *this;
}

DiffBuilder& DiffBuilder::Duplicates(bool hasDuplicates)
{
    m_hasDuplicates = hasDuplicates;
    return *this;
}

DiffBuilder& DiffBuilder::Current(unsigned int index, const QString& formattedValue)
{
    m_valueIndex = index;
    m_formatted = formattedValue;
    return *this;
}

DiffBuilder& DiffBuilder::DeleteNull()
{
    m_deleted.emplace_back();
    return *this;
}

DiffBuilder& DiffBuilder::InsertNull(int index)
{
    m_new.push_back(Indexed(index, nullptr));
    return *this;
}

RefCntPtr<ParameterListDomainDiffPresModel const> DiffBuilder::Build() const
{
    auto diff = MakeRefCnt<ParameterListDomainDiffPresModel>();
    diff->SetDeletedMembers(m_deleted);
    diff->SetNewMembers(m_new);
    diff->SetUpdatedMembers(m_updated);
    diff->SetHasDuplicates(m_hasDuplicates);
    diff->SetValueIndex(m_valueIndex);
    diff->SetFormattedValue(TString(m_formatted));
    return diff;
}

QStringList Values(const ParameterMemberModel& model)
{
    QStringList values;
    for (const auto& member : model.GetListDomain())
        values << member->GetDisplayValue().ToQString();
    return values;
}

namespace Cmds = Zel::Commands::Parameter;

QStringList SentRanges(const ZelTest::RecordedCommand& command)
{
    QStringList ranges;
    for (const auto& r : command.Get<Cmds::MemberRanges>())
        ranges << QStringLiteral("%1-%2").arg(r->GetStart()).arg(r->GetEnd());
    return ranges;
}

QString SentMember(const ZelTest::RecordedCommand& command)
{
    const auto& indexed = command.Get<Cmds::IndexedMember>();
    return QStringLiteral("%1: %2|%3")
        .arg(indexed->GetIndex())
        .arg(indexed->GetMember()->GetDisplayValue().ToQString(), indexed->GetMember()->GetAlias().ToQString());
}

} // namespace ParameterTest
