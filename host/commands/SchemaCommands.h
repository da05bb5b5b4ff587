#pragma once

// The schema area: which levels of a cube data source are offered for analysis in the worksheet,
// as the host's schema level tree reads and changes them, and whether the data source's fields are
// all hidden. These are the host's own commands for its schema widget; their ids are ours and never
// equal one of the library's.
//
// A data source is named by its name in the workbook ("Orders Cube") and the cube within it (empty:
// its only cube). A level is named by its unique name, "[Geography].[City]".

#include "host/commands/CommandDeclaration.h"
#include "host/doc/SchemaPresModels.h"

namespace Zel::Commands::Schema {

ZEL_COMMAND_AREA(SchemaArea, "gen-command-wrappers/SchemaCommandWrappers");

ZEL_PARAMETER(SchemaDataSource, 49200001, TString);
ZEL_PARAMETER(SchemaCube, 49200002, TString);
ZEL_PARAMETER(Schema, 49200003, RefCntPtr<SchemaPresModel const>);
ZEL_PARAMETER(SelectedLevels, 49200004, std::vector<TString>);
ZEL_PARAMETER(HideAllFields, 49200005, bool);
ZEL_PARAMETER(SchemaChanged, 49200006, bool);

// Every level of the data source with its selection, and the hide-all-fields state. A data source
// the host does not know is refused (a null answer).
ZEL_COMMAND(GetSchemaLevels, 49100001, SchemaArea, Arguments<Required<SchemaDataSource>, Required<SchemaCube>>,
    Results<Required<Schema>>);

// Makes the listed levels the selection and keeps the hide-all-fields state with it. A level is
// offered only together with the levels above it in its hierarchy, so the host keeps of each
// hierarchy the levels from the top down to the first one left out. Answers whether what the host
// keeps changed. A level the data source does not have is refused.
ZEL_COMMAND(SetSchemaLevels, 49100002, SchemaArea,
    Arguments<Required<SchemaDataSource>, Required<SchemaCube>, Required<SelectedLevels>, Required<HideAllFields>>,
    Results<Required<SchemaChanged>>);

using AllCommands = CommandList<GetSchemaLevels, SetSchemaLevels>;

} // namespace Zel::Commands::Schema
