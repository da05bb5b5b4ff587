#pragma once

#include "host/ui/ZelHostUiExport.h"

#include "host/doc/CubeMemberPresModels.h"
#include "host/doc/FieldName.h"

#include <QtCore/QAbstractItemModel>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class ICommandDispatcher;

// The members of one hierarchy of a cube data source as a tree, read from the host a page at a
// time. An item's row count is its child count as the host gave it; the children themselves come
// in pages of GetMemberChildren, kept in a small most-recently-used cache (MruCache), so that a
// member with millions of children costs a page fetch per page looked at and the memory of the
// cached pages, however far a view scrolls.
//
// The model keeps, beyond its cached pages, one small record per item that has been used as a
// parent (an expanded member, an ancestor of a member found by path): an index names its parent's
// record and its row, so the leaves of a huge level cost nothing while they are off the cache.
// IndexOfPath places a member found by GetMemberPath in the tree from the path alone.
//
// Host answers are checked before use: a page that does not start at the row asked for, holds
// another number of members than the parent's count allows, gives a member another row or level
// than its place, or reports a child count that disagrees with the one the tree was built on raises
// the host's logic exception naming the broken condition; a result of another type raises the
// type-mismatch exception. No wrong row is ever shown.
//
// The dispatcher must outlive the model. The root record is kept; it is what the model was built on.
class ZELHOST_UI_EXPORT HierarchyMemberModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Role
    {
        // TString of the member's unique name, as a QString.
        UniqueNameRole = Qt::UserRole + 1,
        // The member's level (int).
        LevelRole,
    };

    static constexpr unsigned int kDefaultPageSize = 200;
    static constexpr std::uint64_t kDefaultCachedPages = 16;

    HierarchyMemberModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& hierarchy,
        RefCntPtr<HierarchyRootPresModel const> root, QObject* parent = nullptr,
        unsigned int pageSize = kDefaultPageSize, std::uint64_t cachedPages = kDefaultCachedPages);
    ~HierarchyMemberModel() override;

    const FieldName& Hierarchy() const noexcept { return m_hierarchy; }
    const HierarchyRootPresModel& Root() const { return *m_root; }

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Members of the hierarchy's last level never have children, which a view learns without any
    // page being read.
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The member at a valid index of this model (its page is read if need be).
    RefCntPtr<CubeMemberPresModel const> MemberAt(const QModelIndex& index) const;
    // The index of the last member of a path that starts at the top of the hierarchy, with the
    // rows the path gives; no page is read.
    QModelIndex IndexOfPath(const std::vector<RefCntPtr<CubeMemberPresModel const>>& path) const;

    // Pages fetched from the host since construction.
    std::uint64_t PagesFetched() const noexcept { return m_pagesFetched; }

private:
    class PageStore;
    struct Node
    {
        // kNoNode for the root.
        unsigned int parent;
        int row;
        // Empty for the root: the top of the hierarchy.
        TString uniqueName;
        // -1 for the root.
        int level;
        unsigned int childCount;
    };

    static std::uint64_t NodeKey(unsigned int parent, int row) noexcept
    {
        return (std::uint64_t {parent} << 32) | static_cast<std::uint32_t>(row);
    }

    // The record of the item at `row` under `parent`, made from its page when it has none yet.
    unsigned int NodeOf(unsigned int parent, int row) const;
    unsigned int AddNode(unsigned int parent, int row, const CubeMemberPresModel& member) const;
    RefCntPtr<CubeMemberPresModel const> MemberOf(unsigned int node, int row) const;
    RefCntPtr<MemberPagePresModel const> LoadPage(unsigned int node, unsigned int page) const;
    int LastLevel() const;

    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    FieldName m_hierarchy;
    RefCntPtr<HierarchyRootPresModel const> m_root;
    unsigned int m_pageSize;
    // Items used as parents only ever grow in number; the view asks from const functions.
    mutable std::vector<Node> m_nodes;
    mutable std::unordered_map<std::uint64_t, unsigned int> m_nodeOf;
    std::unique_ptr<PageStore> m_pages;
    mutable std::uint64_t m_pagesFetched = 0;
};
