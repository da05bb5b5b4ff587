#include "HierarchySetDefaultMemberPresModel.h"

HierarchySetDefaultMemberPresModel::~HierarchySetDefaultMemberPresModel() = default;
