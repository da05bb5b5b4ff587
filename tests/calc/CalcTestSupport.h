#pragma once

#include "apps/drivers/CalculatedMembersDialogDriver.h"
#include "host/commands/CalculatedMembersCommands.h"
#include "tests/cube/CubeFixture.h"
#include "tests/support/RecordingDispatcher.h"

#include <QtCore/QString>

#include <functional>
#include <memory>
#include <vector>

class CalculatedMembersDialog;

namespace CalcTest {

namespace Cmds = Zel::Commands::CalculatedMembers;

constexpr unsigned int kEditId = 31;

// Records as a host fills them in: with the identity it knows them by.
RefCntPtr<CalculatedMemberPresModel const> Measure(
    const QString& name, const QString& formula, bool enabled = true, DataType type = DT_REAL);
// A member of [Places]; `parent` empty puts it at the top (level 1).
RefCntPtr<CalculatedMemberPresModel const> Member(
    const QString& name, const QString& parent, const QString& formula, bool enabled = true);
RefCntPtr<CalculatedMemberHierarchyItemPresModel const> HierarchyItem(
    const QString& name, unsigned int levels, const QString& pair = QString());
// The identity a host gives the record: its measure or its member.
RefCntPtr<CalculatedMemberPresModel const> Stored(const CalculatedMemberPresModel& record);

// The editing context a host opens, changed through its fields before Build. By default: the
// hierarchies [Places] (All, Region, City; the cube fixture's) and [Product] (four levels), no
// calculations, every capability, solve orders from -100 to 100.
struct Editing
{
    Editing();
    RefCntPtr<CalculatedMembersForEditingPresModel const> Build() const;

    std::vector<RefCntPtr<CalculatedMemberHierarchyItemPresModel const>> hierarchies;
    std::vector<RefCntPtr<CalculatedMemberPresModel const>> calculations;
    bool nonRootCalculations = true;
    bool stringMeasures = true;
    bool scopeIsolation = true;
    FieldName initialField;
    FieldName initialHierarchy;
    int lowerBound = -100;
    int upperBound = 100;
};

// A RecordingDispatcher scripted as a host that takes everything: the context opens with the
// editing model; names are proposed and accepted; formulas pass; a create, update or delete is
// stored and answered with the count of calculations the host then has. The cube fixture answers
// the member dialog. A test queues other answers for the commands it is about (queued answers come
// first).
class Host
{
public:
    explicit Host(const Editing& editing = Editing());

    // The dialog on this host; the field is sent when it is not empty.
    std::unique_ptr<CalculatedMembersDialog> Open(const FieldName& field = FieldName(), bool flag = true);

    ZelTest::RecordingDispatcher& Dispatcher() const { return *m_dispatcher; }
    std::shared_ptr<ICommandDispatcher const> Shared() const { return m_dispatcher; }
    // The commands sent since the dialog opened (or since Forget), by id.
    std::vector<int> Sent() const;
    void Forget();
    // The count the host answers with; it starts at the editing model's.
    unsigned int count = 0;

private:
    std::shared_ptr<ZelTest::RecordingDispatcher> m_dispatcher;
    CubeTest::Fixture m_cube;
    RefCntPtr<CalculatedMembersForEditingPresModel const> m_editing;
    std::size_t m_forgotten = 0;
};

// A dialog open on a host with its driver; shown and active as a user finds it unless `show` is false.
struct Session
{
    explicit Session(const Editing& editing = Editing(), bool show = true);

    // Runs the dialog modally and, once it is up, does `actions` inside the run; the run is
    // cancelled if they leave the dialog open (leftOpen). What exec() raises passes through; a
    // failure of the actions themselves (a driver error) is raised after the run.
    void RunModally(const std::function<void()>& actions);

    Host host;
    std::unique_ptr<CalculatedMembersDialog> dialog;
    Zel::Drivers::CalculatedMembersDialogDriver driver;
    // Whether the last modal run was still open after its actions.
    bool leftOpen = false;
};

} // namespace CalcTest
