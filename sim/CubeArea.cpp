#include "CubeArea.h"

#include "OrdersCube.h"
#include "SimAreaBinding.h"

#include "host/commands/CubeCommands.h"

#include <climits>
#include <stdexcept>

namespace Zel::Sim {

namespace Cmds = Zel::Commands::Cube;

namespace {

unsigned int Unsigned(qint64 value)
{
    if (value < 0 || value > UINT_MAX)
        Refuse(QStringLiteral("a count of %1 does not fit the answer").arg(value));
    return static_cast<unsigned int>(value);
}

RefCntPtr<CubeMemberPresModel const> MemberRecord(const CubeMember& member)
{
    auto record = MakeRefCnt<CubeMemberPresModel>();
    record->SetUniqueName(member.uniqueName);
    record->SetCaption(member.name);
    record->SetMember(OrdersCube::ValueOf(member));
    record->SetLevel(member.level);
    record->SetOrdinal(Unsigned(member.ordinal));
    record->SetChildCount(Unsigned(member.childCount));
    return record;
}

std::vector<RefCntPtr<CubeMemberPresModel const>> MemberRecords(const std::vector<CubeMember>& members)
{
    std::vector<RefCntPtr<CubeMemberPresModel const>> records;
    records.reserve(members.size());
    for (const CubeMember& member : members)
        records.push_back(MemberRecord(member));
    return records;
}

RefCntPtr<Tuple> MakeTuple(const FieldName& hierarchy, const CubeMember& member)
{
    auto tuple = MakeRefCnt<Tuple>();
    tuple->SetHierarchy(hierarchy);
    tuple->SetUniqueName(member.uniqueName);
    tuple->SetMember(OrdersCube::ValueOf(member));
    tuple->SetLevel(member.level);
    return tuple;
}

} // namespace

struct CubeArea::Impl
{
    explicit Impl(SampleWorkbook& workbook)
        : cube(workbook)
    {
    }

    OrdersCube cube;

    int Hierarchy(const FieldName& name)
    {
        if (!name.GetDataSource().empty() && name.GetDataSource() != OrdersCube::DataSourceName())
            Refuse(QStringLiteral("there is no cube data source ") + name.GetDataSource().ToQString());
        const int h = cube.FindHierarchy(name.GetLocalName());
        if (h < 0)
            Refuse(OrdersCube::DataSourceName().ToQString() + QStringLiteral(" has no hierarchy ")
                + name.GetLocalName().ToQString());
        return h;
    }

    CubeMember Member(int h, const TString& uniqueName)
    {
        const std::optional<CubeMember> member = cube.Resolve(uniqueName);
        if (!member || member->hierarchy != h)
            Refuse(QStringLiteral("[%1] has no member %2")
                       .arg(cube.Hierarchies()[static_cast<std::size_t>(h)].name.ToQString(), uniqueName.ToQString()));
        return *member;
    }

    RefCntPtr<HierarchyRootPresModel const> Root(const FieldName& name)
    {
        const int h = Hierarchy(name);
        const CubeHierarchyInfo& info = cube.Hierarchies()[static_cast<std::size_t>(h)];
        auto root = MakeRefCnt<HierarchyRootPresModel>();
        root->SetCaption(info.name);
        root->SetLevels(info.levels);
        root->SetHasAllMember(info.hasAllMember);
        if (const std::optional<CubeMember> all = cube.AllMember(h))
            root->SetAllMember(MemberRecord(*all));
        root->SetTopMemberCount(Unsigned(cube.ChildCount(h, nullptr)));
        root->SetDefaultMember(MakeTuple(name, cube.DefaultMember(h)));
        return root;
    }

    RefCntPtr<MemberPagePresModel const> Page(const SimArguments<Cmds::GetMemberChildren>& args)
    {
        const int h = Hierarchy(args.Get<Cmds::HierarchyName>());
        const TString& parentName = args.Get<Cmds::ParentMember>();
        std::optional<CubeMember> parent;
        if (!parentName.empty())
            parent = Member(h, parentName);
        const CubeMember* at = parent ? &*parent : nullptr;
        auto page = MakeRefCnt<MemberPagePresModel>();
        page->SetParentUniqueName(parentName);
        page->SetFirstRow(args.Get<Cmds::FirstRow>());
        page->SetChildCount(Unsigned(cube.ChildCount(h, at)));
        page->SetMembers(MemberRecords(cube.Children(h, at, args.Get<Cmds::FirstRow>(), args.Get<Cmds::RowLimit>())));
        return page;
    }

    RefCntPtr<MemberSearchResultPresModel const> Search(const SimArguments<Cmds::SearchMembers>& args)
    {
        const int h = Hierarchy(args.Get<Cmds::HierarchyName>());
        const unsigned int limit = std::min<unsigned int>(args.Get<Cmds::SearchLimit>(), INT_MAX);
        const OrdersCube::MemberSearch found = cube.Search(h, args.Get<Cmds::SearchText>(), static_cast<int>(limit));
        auto result = MakeRefCnt<MemberSearchResultPresModel>();
        result->SetMembers(MemberRecords(found.members));
        result->SetIsTruncated(found.truncated);
        return result;
    }

    RefCntPtr<HierarchySetDefaultMemberPresModel const> DefaultSetting(const FieldName& name)
    {
        const int h = Hierarchy(name);
        const CubeHierarchyInfo& info = cube.Hierarchies()[static_cast<std::size_t>(h)];
        const OrdersCube::DefaultMemberSetting setting = cube.GetDefaultSetting(h);
        auto record = MakeRefCnt<HierarchySetDefaultMemberPresModel>();
        record->SetTitle(TString(QStringLiteral("Default Member of %1").arg(info.name.ToQString())));
        record->SetDefaultMemberType(setting.type);
        record->SetHasAllMember(info.hasAllMember);
        if (!setting.member.empty()) {
            if (const std::optional<CubeMember> member = cube.Resolve(setting.member))
                record->SetSelectedDefaultMember(MakeTuple(name, *member));
        }
        return record;
    }

    RefCntPtr<HierarchySetDefaultMemberPresModel const> ApplyDefault(
        const SimArguments<Cmds::SetHierarchyDefaultMember>& args)
    {
        const FieldName& name = args.Get<Cmds::HierarchyName>();
        const int h = Hierarchy(name);
        OrdersCube::DefaultMemberSetting setting;
        setting.type = args.Get<Cmds::DefaultMemberType>();
        if (const std::optional<RefCntPtr<Tuple const>> member = args.Find<Cmds::DefaultMember>()) {
            if (!*member)
                Refuse(QStringLiteral("the default member is an empty record"));
            setting.member = Member(h, (*member)->GetUniqueName()).uniqueName;
        }
        try {
            cube.SetDefaultSetting(h, setting);
        } catch (const std::invalid_argument& e) {
            Refuse(QString::fromStdString(e.what()));
        }
        return DefaultSetting(name);
    }
};

CubeArea::CubeArea(SimHost& host, SampleWorkbook& workbook)
    : m_impl(std::make_shared<Impl>(workbook))
{
    const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("cube area"));
    area.Handle<Cmds::GetHierarchyRoot>(
        [](Impl& impl, const SimArguments<Cmds::GetHierarchyRoot>& args, SimResults<Cmds::GetHierarchyRoot>& out) {
            out.Set<Cmds::HierarchyRoot>(impl.Root(args.Get<Cmds::HierarchyName>()));
        });
    area.Handle<Cmds::GetMemberChildren>(
        [](Impl& impl, const SimArguments<Cmds::GetMemberChildren>& args, SimResults<Cmds::GetMemberChildren>& out) {
            out.Set<Cmds::MemberPage>(impl.Page(args));
        });
    area.Handle<Cmds::GetMemberPath>(
        [](Impl& impl, const SimArguments<Cmds::GetMemberPath>& args, SimResults<Cmds::GetMemberPath>& out) {
            const int h = impl.Hierarchy(args.Get<Cmds::HierarchyName>());
            out.Set<Cmds::MemberPath>(MemberRecords(impl.cube.PathTo(impl.Member(h, args.Get<Cmds::MemberName>()))));
        });
    area.Handle<Cmds::SearchMembers>(
        [](Impl& impl, const SimArguments<Cmds::SearchMembers>& args, SimResults<Cmds::SearchMembers>& out) {
            out.Set<Cmds::SearchResult>(impl.Search(args));
        });
    area.Handle<Cmds::GetHierarchyDefaultMember>(
        [](Impl& impl, const SimArguments<Cmds::GetHierarchyDefaultMember>& args,
            SimResults<Cmds::GetHierarchyDefaultMember>& out) {
            out.Set<Cmds::DefaultMemberSetting>(impl.DefaultSetting(args.Get<Cmds::HierarchyName>()));
        });
    area.Handle<Cmds::SetHierarchyDefaultMember>(
        [](Impl& impl, const SimArguments<Cmds::SetHierarchyDefaultMember>& args,
            SimResults<Cmds::SetHierarchyDefaultMember>& out) {
            out.Set<Cmds::DefaultMemberSetting>(impl.ApplyDefault(args));
        });
}

CubeArea::~CubeArea() = default;

OrdersCube& CubeArea::Cube()
{
    return m_impl->cube;
}

} // namespace Zel::Sim
