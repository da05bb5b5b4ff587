#include "host/ui/HierarchyMemberModel.h"

#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "public/utility/MruCache.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kSource = "host/ui/HierarchyMemberModel";
constexpr unsigned int kNoNode = UINT_MAX;
constexpr unsigned int kRootNode = 0;

namespace Cmds = Zel::Commands::Cube;

} // namespace

// The cached pages, keyed by (the parent's node, the page's number among its children).
class HierarchyMemberModel::PageStore final
    : public MruCache<std::pair<unsigned int const, unsigned int const> const, RefCntPtr<MemberPagePresModel const>, 1>
{
public:
    using MruCache::MruCache;
};

HierarchyMemberModel::HierarchyMemberModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher,
    const FieldName& hierarchy, RefCntPtr<HierarchyRootPresModel const> root, QObject* parent, unsigned int pageSize,
    std::uint64_t cachedPages)
    : QAbstractItemModel(parent)
    , m_dispatcher(dispatcher)
    , m_hierarchy(hierarchy)
    , m_root(std::move(root))
    , m_pageSize(pageSize)
    , m_pages(std::make_unique<PageStore>(cachedPages))
{
    ZEL_LOGIC_CHECK(kSource, m_dispatcher != nullptr);
    ZEL_LOGIC_CHECK(kSource, m_root != nullptr);
    ZEL_LOGIC_CHECK(kSource, m_pageSize > 0);
    // Views count rows in ints.
    ZEL_LOGIC_CHECK(kSource, m_root->GetTopMemberCount() <= static_cast<unsigned int>(INT_MAX));
    m_nodes.push_back(Node {kNoNode, 0, TString(), -1, m_root->GetTopMemberCount()});
}

HierarchyMemberModel::~HierarchyMemberModel() = default;

int HierarchyMemberModel::LastLevel() const
{
    return m_root->GetLevelCount() - 1;
}

RefCntPtr<MemberPagePresModel const> HierarchyMemberModel::LoadPage(unsigned int nodeId, unsigned int pageIndex) const
{
    // Copied: the node list may grow while the host answers.
    const Node node = m_nodes[nodeId];
    const unsigned int first = pageIndex * m_pageSize;
    auto page
        = GetMemberChildren(*m_dispatcher, m_hierarchy, node.uniqueName, first, m_pageSize).Get<Cmds::MemberPage>();
    ++m_pagesFetched;
    ZEL_LOGIC_CHECK(kSource, page != nullptr);
    ZEL_LOGIC_CHECK(kSource, page->GetChildCount() == node.childCount);
    ZEL_LOGIC_CHECK(kSource, page->GetFirstRow() == first);
    ZEL_LOGIC_CHECK(kSource, page->GetMemberCount() == std::min(m_pageSize, node.childCount - first));
    for (unsigned int i = 0; i < page->GetMemberCount(); ++i) {
        const CubeMemberPresModel& member = page->GetMember(i);
        ZEL_LOGIC_CHECK(kSource, member.GetOrdinal() == first + i);
        ZEL_LOGIC_CHECK(kSource, member.GetLevel() == node.level + 1);
        ZEL_LOGIC_CHECK(kSource, member.GetChildCount() <= static_cast<unsigned int>(INT_MAX));
    }
    return page;
}

RefCntPtr<CubeMemberPresModel const> HierarchyMemberModel::MemberOf(unsigned int nodeId, int row) const
{
    ZEL_LOGIC_CHECK(kSource, nodeId < m_nodes.size());
    ZEL_LOGIC_CHECK(kSource, row >= 0 && static_cast<unsigned int>(row) < m_nodes[nodeId].childCount);
    const unsigned int pageIndex = static_cast<unsigned int>(row) / m_pageSize;
    const RefCntPtr<MemberPagePresModel const> page = m_pages->GetOrInsert(
        {nodeId, pageIndex}, [this, nodeId, pageIndex] { return LoadPage(nodeId, pageIndex); }, 1);
    return RefCntPtr<CubeMemberPresModel const>(&page->GetMember(static_cast<unsigned int>(row) - page->GetFirstRow()));
}

unsigned int HierarchyMemberModel::AddNode(unsigned int parent, int row, const CubeMemberPresModel& member) const
{
    const auto [slot, inserted] = m_nodeOf.emplace(NodeKey(parent, row), static_cast<unsigned int>(m_nodes.size()));
    if (!inserted) {
        // The host must name the same member at the same place every time.
        const Node& known = m_nodes[slot->second];
        ZEL_LOGIC_CHECK(kSource, known.uniqueName == member.GetUniqueName());
        ZEL_LOGIC_CHECK(kSource, known.childCount == member.GetChildCount());
        return slot->second;
    }
    m_nodes.push_back(Node {parent, row, member.GetUniqueName(), member.GetLevel(), member.GetChildCount()});
    return slot->second;
}

unsigned int HierarchyMemberModel::NodeOf(unsigned int parent, int row) const
{
    const auto found = m_nodeOf.find(NodeKey(parent, row));
    if (found != m_nodeOf.end())
        return found->second;
    return AddNode(parent, row, *MemberOf(parent, row));
}

QModelIndex HierarchyMemberModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || (parent.isValid() && parent.model() != this))
        return {};
    const unsigned int node
        = parent.isValid() ? NodeOf(static_cast<unsigned int>(parent.internalId()), parent.row()) : kRootNode;
    if (static_cast<unsigned int>(row) >= m_nodes[node].childCount)
        return {};
    return createIndex(row, 0, static_cast<quintptr>(node));
}

QModelIndex HierarchyMemberModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const unsigned int node = static_cast<unsigned int>(child.internalId());
    if (node == kRootNode)
        return {};
    const Node& parentNode = m_nodes[node];
    return createIndex(parentNode.row, 0, static_cast<quintptr>(parentNode.parent));
}

int HierarchyMemberModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_nodes[kRootNode].childCount);
    if (parent.column() != 0)
        return 0;
    const unsigned int node = static_cast<unsigned int>(parent.internalId());
    const auto known = m_nodeOf.find(NodeKey(node, parent.row()));
    if (known != m_nodeOf.end())
        return static_cast<int>(m_nodes[known->second].childCount);
    return static_cast<int>(MemberOf(node, parent.row())->GetChildCount());
}

int HierarchyMemberModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() && parent.column() != 0 ? 0 : 1;
}

bool HierarchyMemberModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && m_nodes[static_cast<unsigned int>(parent.internalId())].level + 1 >= LastLevel())
        return false;
    return rowCount(parent) > 0;
}

Qt::ItemFlags HierarchyMemberModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_nodes[static_cast<unsigned int>(index.internalId())].level + 1 >= LastLevel())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant HierarchyMemberModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return MemberAt(index)->GetCaption().ToQString();
    case Qt::ToolTipRole:
    case UniqueNameRole:
        return MemberAt(index)->GetUniqueName().ToQString();
    case LevelRole:
        return MemberAt(index)->GetLevel();
    default:
        return {};
    }
}

RefCntPtr<CubeMemberPresModel const> HierarchyMemberModel::MemberAt(const QModelIndex& index) const
{
    ZEL_LOGIC_CHECK(kSource, index.isValid() && index.model() == this);
    return MemberOf(static_cast<unsigned int>(index.internalId()), index.row());
}

QModelIndex HierarchyMemberModel::IndexOfPath(const std::vector<RefCntPtr<CubeMemberPresModel const>>& path) const
{
    ZEL_LOGIC_CHECK(kSource, !path.empty());
    unsigned int node = kRootNode;
    QModelIndex found;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const RefCntPtr<CubeMemberPresModel const>& member = path[i];
        ZEL_LOGIC_CHECK(kSource, member != nullptr);
        ZEL_LOGIC_CHECK(kSource, member->GetOrdinal() < m_nodes[node].childCount);
        ZEL_LOGIC_CHECK(kSource, member->GetLevel() == m_nodes[node].level + 1);
        const int row = static_cast<int>(member->GetOrdinal());
        found = createIndex(row, 0, static_cast<quintptr>(node));
        if (i + 1 < path.size())
            node = AddNode(node, row, *member);
    }
    return found;
}
