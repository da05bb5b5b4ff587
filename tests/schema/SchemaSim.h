#pragma once

#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/SampleWorkbook.h"
#include "sim/SchemaArea.h"
#include "sim/SimHost.h"

#include <memory>

namespace SchemaTest {

// The simulated host with the sample cube and the schema area over a small workbook, as the demo
// runs them. The workbook is made first and goes last.
struct SchemaSim
{
    SchemaSim();

    Zel::Sim::OrdersCube& Cube() { return cubeArea.Cube(); }
    int Hierarchy(const wchar_t* name) { return Cube().FindHierarchy(TString(name)); }

    Zel::Sim::SampleWorkbook workbook;
    Zel::Sim::SimHost host;
    Zel::Sim::CubeArea cubeArea;
    Zel::Sim::SchemaArea schemaArea;
    // Borrows the host, for the dialogs that share their dispatcher.
    std::shared_ptr<ICommandDispatcher const> dispatcher;
};

} // namespace SchemaTest
