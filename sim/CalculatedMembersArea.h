#pragma once

#include "sim/ZelSimExport.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace Zel::Sim {

class CalculationEdits;
class OrdersCube;
class SimHost;
struct SimCalculation;

// The simulated host's calculated members and measures of the cube "Orders Cube": it answers the
// calculated members dialog's commands (an editing context per dialog, proposed names, the name and
// formula checks, create, update, enable, delete and move with the context's own count of
// calculations), and makes a context's calculations part of the cube on ApplyCalculatedMembers:
// from then on an enabled calculated measure is one of the cube's [Measures], and an enabled
// calculated member sits under its parent in the member tree. The context itself ends with the
// discard command of its clean-up list, applied or not; one that was not applied leaves the cube
// as it was. See CalculationEdits for the host's rules.
//
// A command naming no open context, or one that cannot apply, is refused (a null answer and a line
// in the host log). The handlers hold the area's state weakly: once the area is destroyed they
// refuse every command. The area must go before the cube, which it extends while it lives.
class ZELSIM_EXPORT CalculatedMembersArea
{
public:
    CalculatedMembersArea(SimHost& host, OrdersCube& cube);
    ~CalculatedMembersArea();
    CalculatedMembersArea(const CalculatedMembersArea&) = delete;
    CalculatedMembersArea& operator=(const CalculatedMembersArea&) = delete;

    // What the cube holds now, in order.
    const std::vector<SimCalculation>& AppliedCalculations() const;
    std::size_t OpenEditCount() const;

private:
    OrdersCube& m_cube;
    std::shared_ptr<CalculationEdits> m_edits;
};

} // namespace Zel::Sim
