#pragma once

#include "host/commands/CubeCommands.h"
#include "tests/support/RecordingDispatcher.h"

#include <QtCore/QString>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace CubeTest {

namespace Cmds = Zel::Commands::Cube;

// A small hierarchy "[Places]" that a RecordingDispatcher answers like a host would:
//
//   (All)  [All Places]
//   Region   [Central] (no cities), [East] (`bigCount` cities "E0000" ...), [North] (Bergen, Oslo,
//            Tromso), [West] (Cork, Galway)
//   City
//
// Every command of the cube area is answered from it; a hierarchy of another name is refused (a
// null answer), as is a member it does not know. Tests change answers on their way out through
// the Tamper hooks, to play a host that answers wrongly.
class Fixture
{
public:
    explicit Fixture(int bigCount = 1234);

    // Answers every cube command on `host` from now on.
    void AnswerAll(ZelTest::RecordingDispatcher& host);

    static FieldName Hierarchy();
    static FieldName Unknown();

    std::function<void(MemberPagePresModel&)> tamperPage;
    std::function<void(std::vector<RefCntPtr<CubeMemberPresModel const>>&)> tamperPath;
    // Which member the root names as the hierarchy's default; empty: none.
    QString defaultMember = QStringLiteral("[Places].[All Places]");

private:
    struct Member
    {
        QString uniqueName;
        QString caption;
        int level = 0;
        unsigned int ordinal = 0;
        const Member* parent = nullptr;
        std::vector<std::unique_ptr<Member>> children;
    };

    Member& Add(Member& parent, const QString& caption);
    const Member* Find(const TString& uniqueName) const;
    RefCntPtr<CubeMemberPresModel const> Record(const Member& member) const;
    RefCntPtr<IParameters const> Root(const ZelTest::RecordedCommand& command) const;
    RefCntPtr<IParameters const> Children(const ZelTest::RecordedCommand& command) const;
    RefCntPtr<IParameters const> Path(const ZelTest::RecordedCommand& command) const;
    RefCntPtr<IParameters const> Search(const ZelTest::RecordedCommand& command) const;

    // The top of the hierarchy: its children are the top members.
    Member m_top;
    std::map<QString, const Member*> m_byName;
};

// A shared dispatcher that a fixture answers, as the widgets and dialogs take it.
struct Host
{
    explicit Host(int bigCount = 1234)
        : fixture(bigCount)
    {
        fixture.AnswerAll(*dispatcher);
    }

    // Forgets what was sent; the fixture goes on answering.
    void Clear()
    {
        dispatcher->Clear();
        fixture.AnswerAll(*dispatcher);
    }

    Fixture fixture;
    std::shared_ptr<ZelTest::RecordingDispatcher> dispatcher = std::make_shared<ZelTest::RecordingDispatcher>();
};

} // namespace CubeTest
