#include "DemoEnvironment.h"

DemoEnvironment::DemoEnvironment(Zel::Sim::SampleWorkbook::Options options)
    : m_workbook(std::move(options))
    , m_autosave(m_host, m_autosaveFolder.path())
    , m_tableView(m_host, m_workbook)
    , m_parameterLists(m_host)
    , m_parameterEdits(m_host, m_workbook, m_parameterLists)
    , m_cube(m_host, m_workbook)
    , m_aliases(m_host, m_workbook)
    , m_document(m_host, TString(L"Sample workbook"))
    , m_calculations(m_host, m_cube.Cube())
{
    // Each simulated area registers its command handlers on m_host here as it arrives.
}

std::shared_ptr<ICommandDispatcher const> DemoEnvironment::SharedHost()
{
    return std::shared_ptr<ICommandDispatcher const>(&m_host, [](const ICommandDispatcher*) {});
}
