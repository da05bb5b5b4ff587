#include "host/ui/SchemaLevelModel.h"

#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"

#include <unordered_set>

namespace {
constexpr const char* kSource = "host/ui/SchemaLevelModel";
} // namespace

SchemaLevelModel::SchemaLevelModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

SchemaLevelModel::~SchemaLevelModel() = default;

void SchemaLevelModel::SetSchema(const SchemaPresModel& schema)
{
    std::vector<Dimension> dimensions;
    std::vector<Hierarchy> hierarchies;
    std::vector<Level> levels;
    levels.reserve(schema.GetLevelCount());
    std::unordered_set<TString> levelNames;
    std::unordered_set<TString> hierarchyNames;
    std::unordered_set<TString> dimensionNames;
    int selected = 0;

    const SchemaLevelPresModel* previous = nullptr;
    for (std::size_t i = 0; i < schema.GetLevelCount(); ++i) {
        const SchemaLevelPresModel& level = schema.GetLevel(i);
        ZEL_LOGIC_CHECK(kSource, !level.GetUniqueName().empty());
        ZEL_LOGIC_CHECK_MSG(kSource, levelNames.insert(level.GetUniqueName()).second, "each level is listed once");
        const bool newDimension = !previous || previous->GetDimensionCaption() != level.GetDimensionCaption();
        const bool newHierarchy = newDimension || previous->GetHierarchyUniqueName() != level.GetHierarchyUniqueName();
        if (newDimension) {
            ZEL_LOGIC_CHECK_MSG(kSource, dimensionNames.insert(level.GetDimensionCaption()).second,
                "the hierarchies of a dimension are listed together");
            dimensions.push_back(Dimension {level.GetDimensionCaption(), static_cast<int>(hierarchies.size()), 0});
        }
        if (newHierarchy) {
            ZEL_LOGIC_CHECK_MSG(kSource, hierarchyNames.insert(level.GetHierarchyUniqueName()).second,
                "the levels of a hierarchy are listed together");
            Dimension& dimension = dimensions.back();
            hierarchies.push_back(Hierarchy {
                static_cast<int>(dimensions.size()) - 1, dimension.hierarchyCount, static_cast<int>(levels.size()), 0});
            ++dimension.hierarchyCount;
        }
        ++hierarchies.back().levelCount;
        levels.push_back(
            Level {static_cast<int>(hierarchies.size()) - 1, schema.GetLevels()[i], level.GetIsSelected()});
        selected += level.GetIsSelected() ? 1 : 0;
        previous = &level;
    }

    beginResetModel();
    m_dimensions = std::move(dimensions);
    m_hierarchies = std::move(hierarchies);
    m_levels = std::move(levels);
    m_selectedCount = selected;
    m_allFieldsHidden = schema.GetAllFieldsHidden();
    endResetModel();
}

std::vector<TString> SchemaLevelModel::GetSelectedLevels() const
{
    std::vector<TString> names;
    names.reserve(static_cast<std::size_t>(m_selectedCount));
    for (const Level& level : m_levels)
        if (level.checked)
            names.push_back(level.record->GetUniqueName());
    return names;
}

void SchemaLevelModel::SetAllFieldsHidden(bool hidden)
{
    if (m_allFieldsHidden == hidden)
        return;
    m_allFieldsHidden = hidden;
    AnnounceAllRows(NameColumn, UniqueNameColumn);
}

bool SchemaLevelModel::IsLevel(const QModelIndex& index) const
{
    return LevelAt(index) != nullptr;
}

bool SchemaLevelModel::IsLevelChecked(const QModelIndex& index) const
{
    const Level* level = LevelAt(index);
    return level && level->checked;
}

bool SchemaLevelModel::SetLevelChecked(const QModelIndex& index, bool checked)
{
    const Level* level = LevelAt(index);
    if (!level || m_allFieldsHidden)
        return false;
    const Hierarchy& hierarchy = m_hierarchies[static_cast<std::size_t>(level->hierarchy)];
    const int at = NodeOf(index);
    const int countBefore = m_selectedCount;
    // The levels above a checked level are offered with it; those below an unchecked one go with it.
    if (checked)
        SetChecks(hierarchy.firstLevel, at, true);
    else
        SetChecks(at, hierarchy.firstLevel + hierarchy.levelCount - 1, false);
    if (m_selectedCount != countBefore)
        emit SelectionCountChanged(m_selectedCount);
    return true;
}

void SchemaLevelModel::SetChecks(int first, int last, bool checked)
{
    int changedFirst = -1;
    int changedLast = -1;
    for (int i = first; i <= last; ++i) {
        Level& level = m_levels[static_cast<std::size_t>(i)];
        if (level.checked == checked)
            continue;
        level.checked = checked;
        m_selectedCount += checked ? 1 : -1;
        if (changedFirst < 0)
            changedFirst = i;
        changedLast = i;
    }
    if (changedFirst < 0)
        return;
    const int hierarchy = m_levels[static_cast<std::size_t>(first)].hierarchy;
    const int hierarchyFirst = m_hierarchies[static_cast<std::size_t>(hierarchy)].firstLevel;
    emit dataChanged(createIndex(changedFirst - hierarchyFirst, CheckColumn, IdOf(LevelKind, changedFirst)),
        createIndex(changedLast - hierarchyFirst, CheckColumn, IdOf(LevelKind, changedLast)), {Qt::CheckStateRole});
}

void SchemaLevelModel::AnnounceAllRows(int firstColumn, int lastColumn)
{
    if (m_dimensions.empty())
        return;
    const QVector<int> roles;
    const auto last = [](const auto& nodes) { return static_cast<int>(nodes.size()) - 1; };
    emit dataChanged(createIndex(0, firstColumn, IdOf(DimensionKind, 0)),
        createIndex(last(m_dimensions), lastColumn, IdOf(DimensionKind, last(m_dimensions))), roles);
    for (const Dimension& dimension : m_dimensions) {
        const int end = dimension.firstHierarchy + dimension.hierarchyCount - 1;
        emit dataChanged(createIndex(0, firstColumn, IdOf(HierarchyKind, dimension.firstHierarchy)),
            createIndex(dimension.hierarchyCount - 1, lastColumn, IdOf(HierarchyKind, end)), roles);
    }
    for (const Hierarchy& hierarchy : m_hierarchies) {
        const int end = hierarchy.firstLevel + hierarchy.levelCount - 1;
        emit dataChanged(createIndex(0, firstColumn, IdOf(LevelKind, hierarchy.firstLevel)),
            createIndex(hierarchy.levelCount - 1, lastColumn, IdOf(LevelKind, end)), roles);
    }
}

QModelIndex SchemaLevelModel::IndexOfPath(const QualifiedName& path) const
{
    const std::vector<TString>& parts = path.GetParts();
    if (parts.empty() || parts.size() > 3)
        return {};
    for (std::size_t d = 0; d < m_dimensions.size(); ++d) {
        const Dimension& dimension = m_dimensions[d];
        if (dimension.caption != parts[0])
            continue;
        if (parts.size() == 1)
            return createIndex(static_cast<int>(d), NameColumn, IdOf(DimensionKind, static_cast<int>(d)));
        for (int h = dimension.firstHierarchy; h < dimension.firstHierarchy + dimension.hierarchyCount; ++h) {
            const Hierarchy& hierarchy = m_hierarchies[static_cast<std::size_t>(h)];
            const SchemaLevelPresModel& top = *m_levels[static_cast<std::size_t>(hierarchy.firstLevel)].record;
            if (top.GetHierarchyCaption() != parts[1])
                continue;
            if (parts.size() == 2)
                return createIndex(hierarchy.row, NameColumn, IdOf(HierarchyKind, h));
            for (int l = 0; l < hierarchy.levelCount; ++l) {
                const int node = hierarchy.firstLevel + l;
                if (m_levels[static_cast<std::size_t>(node)].record->GetCaption() == parts[2])
                    return createIndex(l, NameColumn, IdOf(LevelKind, node));
            }
        }
    }
    return {};
}

const SchemaLevelModel::Level* SchemaLevelModel::LevelAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this || KindOf(index) != LevelKind)
        return nullptr;
    return &m_levels[static_cast<std::size_t>(NodeOf(index))];
}

QModelIndex SchemaLevelModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount || (parent.isValid() && parent.column() != 0))
        return {};
    if (!parent.isValid()) {
        if (row >= static_cast<int>(m_dimensions.size()))
            return {};
        return createIndex(row, column, IdOf(DimensionKind, row));
    }
    const int node = NodeOf(parent);
    switch (KindOf(parent)) {
    case DimensionKind: {
        const Dimension& dimension = m_dimensions[static_cast<std::size_t>(node)];
        if (row >= dimension.hierarchyCount)
            return {};
        return createIndex(row, column, IdOf(HierarchyKind, dimension.firstHierarchy + row));
    }
    case HierarchyKind: {
        const Hierarchy& hierarchy = m_hierarchies[static_cast<std::size_t>(node)];
        if (row >= hierarchy.levelCount)
            return {};
        return createIndex(row, column, IdOf(LevelKind, hierarchy.firstLevel + row));
    }
    default:
        return {};
    }
}

QModelIndex SchemaLevelModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const int node = NodeOf(child);
    switch (KindOf(child)) {
    case HierarchyKind: {
        const int dimension = m_hierarchies[static_cast<std::size_t>(node)].dimension;
        return createIndex(dimension, NameColumn, IdOf(DimensionKind, dimension));
    }
    case LevelKind: {
        const int h = m_levels[static_cast<std::size_t>(node)].hierarchy;
        return createIndex(m_hierarchies[static_cast<std::size_t>(h)].row, NameColumn, IdOf(HierarchyKind, h));
    }
    default:
        return {};
    }
}

int SchemaLevelModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_dimensions.size());
    if (parent.column() != 0)
        return 0;
    switch (KindOf(parent)) {
    case DimensionKind:
        return m_dimensions[static_cast<std::size_t>(NodeOf(parent))].hierarchyCount;
    case HierarchyKind:
        return m_hierarchies[static_cast<std::size_t>(NodeOf(parent))].levelCount;
    default:
        return 0;
    }
}

int SchemaLevelModel::columnCount(const QModelIndex&) const
{
    return ColumnCount;
}

QVariant SchemaLevelModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int node = NodeOf(index);
    const Kind kind = KindOf(index);
    const SchemaLevelPresModel* record = nullptr;
    if (kind == LevelKind)
        record = m_levels[static_cast<std::size_t>(node)].record.get();
    else if (kind == HierarchyKind)
        record
            = m_levels[static_cast<std::size_t>(m_hierarchies[static_cast<std::size_t>(node)].firstLevel)].record.get();

    if (role == Qt::CheckStateRole) {
        if (kind != LevelKind || index.column() != CheckColumn)
            return {};
        return m_levels[static_cast<std::size_t>(node)].checked ? Qt::Checked : Qt::Unchecked;
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case NameColumn:
        if (kind == DimensionKind)
            return m_dimensions[static_cast<std::size_t>(node)].caption.ToQString();
        return (kind == HierarchyKind ? record->GetHierarchyCaption() : record->GetCaption()).ToQString();
    case UniqueNameColumn:
        if (kind == DimensionKind)
            return {};
        return (kind == HierarchyKind ? record->GetHierarchyUniqueName() : record->GetUniqueName()).ToQString();
    default:
        return {};
    }
}

bool SchemaLevelModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::CheckStateRole || index.column() != CheckColumn)
        return false;
    return SetLevelChecked(index, value.toInt() == Qt::Checked);
}

Qt::ItemFlags SchemaLevelModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_allFieldsHidden)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (KindOf(index) == LevelKind && index.column() == CheckColumn)
        flags |= Qt::ItemIsUserCheckable;
    if (KindOf(index) == LevelKind)
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant SchemaLevelModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return LookupTStr(Zel::Strings::SchemaNameHeader).ToQString();
    case UniqueNameColumn:
        return LookupTStr(Zel::Strings::SchemaUniqueNameHeader).ToQString();
    default:
        return {};
    }
}
