#include "CubeFixture.h"

namespace CubeTest {

namespace {

bool IsPlaces(const FieldName& name)
{
    return name.GetLocalName() == TString(L"Places");
}

} // namespace

Fixture::Fixture(int bigCount)
{
    m_top.level = -1;
    Member& all = Add(m_top, QStringLiteral("All Places"));
    Add(all, QStringLiteral("Central"));
    Member& east = Add(all, QStringLiteral("East"));
    for (int i = 0; i < bigCount; ++i)
        Add(east, QStringLiteral("E%1").arg(i, 4, 10, QLatin1Char('0')));
    Member& north = Add(all, QStringLiteral("North"));
    for (const char* city : {"Bergen", "Oslo", "Tromso"})
        Add(north, QString::fromLatin1(city));
    Member& west = Add(all, QStringLiteral("West"));
    for (const char* city : {"Cork", "Galway"})
        Add(west, QString::fromLatin1(city));
}

FieldName Fixture::Hierarchy()
{
    return FieldName(TString(L"Fixture Cube"), TString(L"Places"));
}

FieldName Fixture::Unknown()
{
    return FieldName(TString(L"Fixture Cube"), TString(L"Planets"));
}

Fixture::Member& Fixture::Add(Member& parent, const QString& caption)
{
    auto member = std::make_unique<Member>();
    member->caption = caption;
    member->level = parent.level + 1;
    member->ordinal = static_cast<unsigned int>(parent.children.size());
    member->parent = &parent;
    // Like the real cube, the All member is left out of the paths below it.
    const bool underTop = parent.level < 1;
    member->uniqueName = (underTop ? QStringLiteral("[Places]") : parent.uniqueName) + QStringLiteral(".[") + caption
        + QLatin1Char(']');
    m_byName.emplace(member->uniqueName, member.get());
    parent.children.push_back(std::move(member));
    return *parent.children.back();
}

const Fixture::Member* Fixture::Find(const TString& uniqueName) const
{
    if (uniqueName.empty())
        return &m_top;
    const auto it = m_byName.find(uniqueName.ToQString());
    return it == m_byName.end() ? nullptr : it->second;
}

RefCntPtr<CubeMemberPresModel const> Fixture::Record(const Member& member) const
{
    auto record = MakeRefCnt<CubeMemberPresModel>();
    record->SetUniqueName(TString(member.uniqueName));
    record->SetCaption(TString(member.caption));
    record->SetMember(member.level == 0 ? DataValue::Special(DT_STRING, TString(member.uniqueName))
                                        : DataValue(TString(member.uniqueName)));
    record->SetLevel(member.level);
    record->SetOrdinal(member.ordinal);
    record->SetChildCount(static_cast<unsigned int>(member.children.size()));
    return record;
}

RefCntPtr<IParameters const> Fixture::Root(const ZelTest::RecordedCommand& command) const
{
    if (!IsPlaces(command.Get<Cmds::HierarchyName>()))
        return {};
    auto root = MakeRefCnt<HierarchyRootPresModel>();
    root->SetCaption(TString(L"Places"));
    root->SetLevels({TString(L"(All)"), TString(L"Region"), TString(L"City")});
    root->SetHasAllMember(true);
    root->SetAllMember(Record(*m_top.children.front()));
    root->SetTopMemberCount(static_cast<unsigned int>(m_top.children.size()));
    if (const Member* member = defaultMember.isEmpty() ? nullptr : Find(TString(defaultMember))) {
        auto tuple = MakeRefCnt<Tuple>();
        tuple->SetHierarchy(command.Get<Cmds::HierarchyName>());
        tuple->SetUniqueName(TString(member->uniqueName));
        tuple->SetLevel(member->level);
        root->SetDefaultMember(RefCntPtr<Tuple const>(std::move(tuple)));
    }
    RefCntPtr<IParameters> result = ContextParameters::Create();
    SetValParameter<RefCntPtr<HierarchyRootPresModel const>>(*result, Cmds::HierarchyRoot::id, std::move(root));
    return result;
}

RefCntPtr<IParameters const> Fixture::Children(const ZelTest::RecordedCommand& command) const
{
    const Member* parent = Find(command.Get<Cmds::ParentMember>());
    if (!IsPlaces(command.Get<Cmds::HierarchyName>()) || !parent)
        return {};
    const unsigned int first = command.Get<Cmds::FirstRow>();
    const unsigned int limit = command.Get<Cmds::RowLimit>();
    auto page = MakeRefCnt<MemberPagePresModel>();
    page->SetParentUniqueName(command.Get<Cmds::ParentMember>());
    page->SetFirstRow(first);
    page->SetChildCount(static_cast<unsigned int>(parent->children.size()));
    std::vector<RefCntPtr<CubeMemberPresModel const>> members;
    for (std::size_t i = first; i < parent->children.size() && i - first < limit; ++i)
        members.push_back(Record(*parent->children[i]));
    page->SetMembers(std::move(members));
    if (tamperPage)
        tamperPage(*page);
    RefCntPtr<IParameters> result = ContextParameters::Create();
    SetValParameter<RefCntPtr<MemberPagePresModel const>>(*result, Cmds::MemberPage::id, std::move(page));
    return result;
}

RefCntPtr<IParameters const> Fixture::Path(const ZelTest::RecordedCommand& command) const
{
    const Member* member = Find(command.Get<Cmds::MemberName>());
    if (!IsPlaces(command.Get<Cmds::HierarchyName>()) || !member || member == &m_top)
        return {};
    std::vector<RefCntPtr<CubeMemberPresModel const>> path;
    for (const Member* at = member; at != &m_top; at = at->parent)
        path.insert(path.begin(), Record(*at));
    if (tamperPath)
        tamperPath(path);
    RefCntPtr<IParameters> result = ContextParameters::Create();
    SetValParameter<std::vector<RefCntPtr<CubeMemberPresModel const>>>(*result, Cmds::MemberPath::id, std::move(path));
    return result;
}

RefCntPtr<IParameters const> Fixture::Search(const ZelTest::RecordedCommand& command) const
{
    if (!IsPlaces(command.Get<Cmds::HierarchyName>()))
        return {};
    const QString text = command.Get<Cmds::SearchText>().ToQString();
    const unsigned int limit = command.Get<Cmds::SearchLimit>();
    auto found = MakeRefCnt<MemberSearchResultPresModel>();
    std::vector<RefCntPtr<CubeMemberPresModel const>> members;
    // Level by level, as the host orders them.
    std::vector<const Member*> level {&m_top};
    while (!level.empty() && !found->GetIsTruncated()) {
        std::vector<const Member*> next;
        for (const Member* parent : level) {
            for (const auto& child : parent->children) {
                next.push_back(child.get());
                if (!child->caption.contains(text, Qt::CaseInsensitive))
                    continue;
                if (members.size() == limit) {
                    found->SetIsTruncated(true);
                    break;
                }
                members.push_back(Record(*child));
            }
        }
        level = std::move(next);
    }
    found->SetMembers(std::move(members));
    RefCntPtr<IParameters> result = ContextParameters::Create();
    SetValParameter<RefCntPtr<MemberSearchResultPresModel const>>(*result, Cmds::SearchResult::id, std::move(found));
    return result;
}

void Fixture::AnswerAll(ZelTest::RecordingDispatcher& host)
{
    host.AnswerAlways<Cmds::GetHierarchyRoot>([this](const ZelTest::RecordedCommand& c) { return Root(c); });
    host.AnswerAlways<Cmds::GetMemberChildren>([this](const ZelTest::RecordedCommand& c) { return Children(c); });
    host.AnswerAlways<Cmds::GetMemberPath>([this](const ZelTest::RecordedCommand& c) { return Path(c); });
    host.AnswerAlways<Cmds::SearchMembers>([this](const ZelTest::RecordedCommand& c) { return Search(c); });
}

} // namespace CubeTest
