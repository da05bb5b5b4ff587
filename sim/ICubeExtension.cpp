#include "ICubeExtension.h"

namespace Zel::Sim {

ICubeExtension::~ICubeExtension() = default;

} // namespace Zel::Sim
