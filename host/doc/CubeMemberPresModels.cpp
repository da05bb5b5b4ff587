#include "CubeMemberPresModels.h"

#include "Exceptions.h"

namespace {
constexpr const char* kSource = "host/doc/CubeMemberPresModels";
}

CubeMemberPresModel::~CubeMemberPresModel() = default;
HierarchyRootPresModel::~HierarchyRootPresModel() = default;
MemberPagePresModel::~MemberPagePresModel() = default;
MemberSearchResultPresModel::~MemberSearchResultPresModel() = default;

const CubeMemberPresModel& MemberPagePresModel::GetMember(unsigned int index) const
{
    ZEL_LOGIC_CHECK(kSource, index < m_Members.size());
    const RefCntPtr<CubeMemberPresModel const>& member = m_Members[index];
    ZEL_LOGIC_CHECK(kSource, member != nullptr);
    return *member;
}
