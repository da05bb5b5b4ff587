#pragma once

#include "sim/AliasArea.h"
#include "sim/AutosaveArea.h"
#include "sim/CalculatedMembersArea.h"
#include "sim/CubeArea.h"
#include "sim/ParameterEditArea.h"
#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "sim/SimWorkbookDoc.h"
#include "sim/TableViewArea.h"

#include <QtCore/QTemporaryDir>

#include <memory>

// What the demo runs dialogs against: the sample workbook and the simulated host that answers the
// library's commands over it. The host's handlers refer to the workbook, so the workbook is made
// first and goes last.
class DemoEnvironment
{
public:
    explicit DemoEnvironment(Zel::Sim::SampleWorkbook::Options options);

    Zel::Sim::SampleWorkbook& Workbook() noexcept { return m_workbook; }
    Zel::Sim::SimHost& Host() noexcept { return m_host; }
    // The host for dialogs that share their dispatcher; it only borrows the environment's host, which
    // outlives every dialog of the demo.
    std::shared_ptr<ICommandDispatcher const> SharedHost();
    Zel::Sim::AutosaveArea& Autosave() noexcept { return m_autosave; }
    Zel::Sim::TableViewArea& TableView() noexcept { return m_tableView; }
    Zel::Sim::ParameterListArea& ParameterLists() noexcept { return m_parameterLists; }
    Zel::Sim::ParameterEditArea& ParameterEdits() noexcept { return m_parameterEdits; }
    Zel::Sim::CubeArea& Cube() noexcept { return m_cube; }
    Zel::Sim::AliasArea& Aliases() noexcept { return m_aliases; }
    // The sample workbook as the host's document: the host's events about it are raised here.
    Zel::Sim::SimWorkbookDoc& Document() noexcept { return m_document; }
    Zel::Sim::CalculatedMembersArea& Calculations() noexcept { return m_calculations; }

private:
    Zel::Sim::SampleWorkbook m_workbook;
    Zel::Sim::SimHost m_host;
    // The demo's own folder of recovered workbook copies, removed when the demo ends; its scenario
    // fills it.
    QTemporaryDir m_autosaveFolder;
    Zel::Sim::AutosaveArea m_autosave;
    // Declared after the workbook: its caches' temporary tables are dropped before the workbook goes.
    Zel::Sim::TableViewArea m_tableView;
    // The lists of allowable values of parameter edits.
    Zel::Sim::ParameterListArea m_parameterLists;
    // Whole parameter edits; their lists live in m_parameterLists.
    Zel::Sim::ParameterEditArea m_parameterEdits;
    // The cube over the orders; its member tables live in the workbook's database.
    Zel::Sim::CubeArea m_cube;
    // Alias edits of the workbook's fields; committed aliases live in the workbook.
    Zel::Sim::AliasArea m_aliases;
    Zel::Sim::SimWorkbookDoc m_document;
    // The cube's calculated members and measures; it extends the cube, so it goes before it.
    Zel::Sim::CalculatedMembersArea m_calculations;
};
