#pragma once

#include "sim/ZelSimExport.h"

#include <memory>

namespace Zel::Sim {

class OrdersCube;
class SampleWorkbook;
class SimHost;

// The simulated host's cube commands, answered from OrdersCube: the top of a hierarchy, pages of a
// member's children, the path to a member, searches by name, and the default member of a
// hierarchy, read and applied.
//
// A hierarchy is named by a FieldName whose data source is empty or "Orders Cube"; any other name,
// a member of another hierarchy, or a setting the cube refuses is refused (a null answer, with the
// reason in the host log). Tuples in answers carry the hierarchy name as the command gave it.
//
// The handlers registered on the host hold this object weakly: once it is destroyed they refuse
// every command, so it may go before the host. It must go before the workbook.
class ZELSIM_EXPORT CubeArea
{
public:
    CubeArea(SimHost& host, SampleWorkbook& workbook);
    ~CubeArea();
    CubeArea(const CubeArea&) = delete;
    CubeArea& operator=(const CubeArea&) = delete;

    // What the commands answer from; a formula checker or a calculation area resolves names here.
    OrdersCube& Cube();

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
