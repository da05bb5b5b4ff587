#include "sim/mdx/MdxNameResolver.h"

namespace Zel::Sim {

IMdxNameResolver::~IMdxNameResolver() = default;

} // namespace Zel::Sim
