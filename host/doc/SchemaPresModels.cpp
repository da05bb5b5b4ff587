#include "SchemaPresModels.h"

#include "Exceptions.h"

namespace {
constexpr const char* kSource = "host/doc/SchemaPresModels";
}

SchemaLevelPresModel::~SchemaLevelPresModel() = default;
SchemaPresModel::~SchemaPresModel() = default;

const SchemaLevelPresModel& SchemaPresModel::GetLevel(std::size_t index) const
{
    ZEL_LOGIC_CHECK(kSource, index < m_Levels.size());
    const RefCntPtr<SchemaLevelPresModel const>& level = m_Levels[index];
    ZEL_LOGIC_CHECK(kSource, level != nullptr);
    return *level;
}
