#pragma once

// The host's records of the schema of a multidimensional data source as the schema level tree reads
// it: every level of every hierarchy, whether it is selected (offered for analysis in the
// worksheet), and whether the data source's fields are all hidden.

#include "PresentationModel.h"
#include "TString.h"

#include <vector>

// One level. Levels are listed dimension by dimension and hierarchy by hierarchy, each hierarchy's
// levels together and top to bottom; the captions of a level's dimension and hierarchy travel with
// it, so the list alone gives the whole tree.
class ZELHOST_DOC_EXPORT SchemaLevelPresModel : public PresentationModel
{
public:
    SchemaLevelPresModel() = default;
    SchemaLevelPresModel(const SchemaLevelPresModel&) = default;
    ~SchemaLevelPresModel() override;

    ZEL_PRES_FIELD(TString, DimensionCaption)
    // "[Geography]"; what groups the levels of one hierarchy.
    ZEL_PRES_FIELD(TString, HierarchyUniqueName)
    ZEL_PRES_FIELD(TString, HierarchyCaption)
    // "[Geography].[City]"; what the selection names the level by.
    ZEL_PRES_FIELD(TString, UniqueName)
    ZEL_PRES_FIELD(TString, Caption)
    ZEL_PRES_FIELD(bool, IsSelected)
};

// The schema of one data source.
class ZELHOST_DOC_EXPORT SchemaPresModel : public PresentationModel
{
public:
    SchemaPresModel() = default;
    ~SchemaPresModel() override;

    ZEL_PRES_FIELD(TString, DataSourceCaption)
    ZEL_PRES_FIELD(std::vector<RefCntPtr<SchemaLevelPresModel const>>, Levels)
    ZEL_PRES_FIELD(bool, AllFieldsHidden)

public:
    std::size_t GetLevelCount() const noexcept { return m_Levels.size(); }
    // A null entry or an index past the end raises the logic exception.
    const SchemaLevelPresModel& GetLevel(std::size_t index) const;
};
