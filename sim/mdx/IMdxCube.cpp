#include "sim/mdx/IMdxCube.h"

namespace Zel::Sim {

IMdxCube::~IMdxCube() = default;

} // namespace Zel::Sim
