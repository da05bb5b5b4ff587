#pragma once

#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

// What the demo runs dialogs against: the sample workbook and the simulated host that answers the
// library's commands over it. The host's handlers refer to the workbook, so the workbook is made
// first and goes last.
class DemoEnvironment
{
public:
    explicit DemoEnvironment(Zel::Sim::SampleWorkbook::Options options);

    Zel::Sim::SampleWorkbook& Workbook() noexcept { return m_workbook; }
    Zel::Sim::SimHost& Host() noexcept { return m_host; }

private:
    Zel::Sim::SampleWorkbook m_workbook;
    Zel::Sim::SimHost m_host;
};
