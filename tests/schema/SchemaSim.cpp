#include "SchemaSim.h"

namespace SchemaTest {

SchemaSim::SchemaSim()
    : workbook(Zel::Sim::SampleWorkbook::Options {3'000, {}})
    , cubeArea(host, workbook)
    , schemaArea(host, cubeArea.Cube())
    , dispatcher(&host, [](const ICommandDispatcher*) {})
{
}

} // namespace SchemaTest
