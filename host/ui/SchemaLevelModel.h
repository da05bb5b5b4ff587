#pragma once

#include "host/ui/ZelHostUiExport.h"

#include "host/doc/FieldName.h"
#include "host/doc/SchemaPresModels.h"

#include <QtCore/QAbstractItemModel>

#include <vector>

// The schema of a cube data source as a tree of three columns: dimensions, their hierarchies and
// the hierarchies' levels by caption (column 0); a check box per level (column 1) that says whether
// the level is offered for analysis; the unique name of each hierarchy and level (column 2).
//
// A level is offered only together with the levels above it in its hierarchy, so the check boxes
// keep that shape: checking a level checks the levels above it, unchecking one unchecks those below
// it. Each such change is one step of the selected count, announced once by SelectionCountChanged.
// While all fields are hidden, every row is shown disabled and no check box can change; the
// selection is kept for when the fields are shown again.
//
// The model keeps the host's level records it was built from; it sends no command.
class ZELHOST_UI_EXPORT SchemaLevelModel : public QAbstractItemModel
{
    Q_OBJECT

public:
    enum Column : int
    {
        NameColumn = 0,
        CheckColumn = 1,
        UniqueNameColumn = 2,
        ColumnCount = 3
    };

    explicit SchemaLevelModel(QObject* parent = nullptr);
    ~SchemaLevelModel() override;

    // Rebuilds the tree from the host's schema. The schema is checked whole before anything
    // changes: a null level, a level without a unique name, a unique name listed twice, or a
    // hierarchy (or dimension) whose levels are not listed together raises the logic exception and
    // leaves the model as it was.
    void SetSchema(const SchemaPresModel& schema);

    int GetSelectedCount() const noexcept { return m_selectedCount; }
    // The unique names of the checked levels, in the host's order.
    std::vector<TString> GetSelectedLevels() const;
    bool AreAllFieldsHidden() const noexcept { return m_allFieldsHidden; }
    // Greys out (or brings back) every row; the selection is kept.
    void SetAllFieldsHidden(bool hidden);

    bool IsLevel(const QModelIndex& index) const;
    bool IsLevelChecked(const QModelIndex& index) const;
    // Checks or unchecks the level of `index`'s row as a click on its check box does; false when
    // the row is no level or all fields are hidden.
    bool SetLevelChecked(const QModelIndex& index, bool checked);
    // The row a path of captions names: one part a dimension, two a hierarchy of it, three a level
    // of that; invalid when there is none.
    QModelIndex IndexOfPath(const QualifiedName& path) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void SelectionCountChanged(int count);

private:
    enum Kind : quintptr
    {
        DimensionKind = 0,
        HierarchyKind = 1,
        LevelKind = 2
    };

    struct Dimension
    {
        TString caption;
        int firstHierarchy = 0;
        int hierarchyCount = 0;
    };
    struct Hierarchy
    {
        int dimension = 0;
        // Row within its dimension.
        int row = 0;
        int firstLevel = 0;
        int levelCount = 0;
    };
    struct Level
    {
        int hierarchy = 0;
        RefCntPtr<SchemaLevelPresModel const> record;
        bool checked = false;
    };

    static Kind KindOf(const QModelIndex& index) { return static_cast<Kind>(index.internalId() & 3u); }
    static int NodeOf(const QModelIndex& index) { return static_cast<int>(index.internalId() >> 2); }
    static quintptr IdOf(Kind kind, int node) { return (static_cast<quintptr>(node) << 2) | kind; }

    const Level* LevelAt(const QModelIndex& index) const;
    // Sets the checks of levels [first, last] of one hierarchy and announces the rows that changed.
    void SetChecks(int first, int last, bool checked);
    // Announces every row of every parent changed in `columns`, for a change that touches all rows.
    void AnnounceAllRows(int firstColumn, int lastColumn);

    std::vector<Dimension> m_dimensions;
    std::vector<Hierarchy> m_hierarchies;
    std::vector<Level> m_levels;
    int m_selectedCount = 0;
    bool m_allFieldsHidden = false;
};
