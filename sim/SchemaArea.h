#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/TString.h"

#include <memory>

namespace Zel::Sim {

class OrdersCube;
class SimHost;

// The simulated host's schema commands: which levels of a cube data source are offered for
// analysis, and whether its fields are all hidden, read and committed.
//
// Three data sources answer. "Orders Cube" is the cube of the sample workbook: a committed
// selection is what the cube offers from then on (OrdersCube's schema selection), so a level left
// out is gone from the member trees and from the cube's list of levels. The two generated cubes
// have a schema and nothing else, for sizes the sample cube does not reach: LargeDataSourceName()
// has 2,000 levels (100 dimensions of 4 hierarchies of 5 levels; the top level of the first 50
// hierarchies offered), WideDataSourceName() has 108 levels (12 dimensions of 3 hierarchies of 3
// levels) of which 101 are offered, more than a selection may hold.
//
// Of each hierarchy the host keeps the levels from the top down to the first one left out. A data
// source or cube it does not know, or a level its data source does not have, is refused (a null
// answer, with the reason in the host log).
//
// The handlers registered on the host hold this object weakly, so it may go before the host. It
// must go before the cube.
class ZELSIM_EXPORT SchemaArea
{
public:
    SchemaArea(SimHost& host, OrdersCube& cube);
    ~SchemaArea();
    SchemaArea(const SchemaArea&) = delete;
    SchemaArea& operator=(const SchemaArea&) = delete;

    static TString LargeDataSourceName();
    static TString WideDataSourceName();

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
