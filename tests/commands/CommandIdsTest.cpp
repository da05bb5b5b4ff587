#include "host/commands/LibraryCommands.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

#include <map>
#include <set>

using namespace Zel::Commands;

namespace {

// Every command and parameter id of a list, each with where it was met first.
template <typename List>
std::map<int, QString> IdsOf(List list)
{
    std::map<int, QString> ids;
    for (const CommandInfo& command : DescribeCommands(list)) {
        ids.emplace(command.id, QString::fromUtf8(command.name));
        for (const auto* fields : {&command.arguments, &command.results})
            for (const ParameterInfo& parameter : *fields)
                ids.emplace(parameter.id,
                    QString::fromUtf8(command.name) + QLatin1Char('/') + QString::fromUtf8(parameter.name));
    }
    return ids;
}

} // namespace

class CommandIdsTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void hostWidgetIdsNeverEqualTheLibrarys()
    {
        const std::map<int, QString> library = IdsOf(LibraryCommands {});
        // The library's areas are all in the list: a missing one would let a clash through unseen.
        QVERIFY(library.count(Autosave::GetAutosaveFiles::id));
        QVERIFY(library.count(Parameter::AddListMember::id));
        QVERIFY(library.count(Parameter::CommitParameter::id));
        QVERIFY(library.count(TableView::GetTableViewPage::id));

        QStringList clashes;
        for (const auto& [id, where] : IdsOf(HostWidgetCommands {})) {
            const auto found = library.find(id);
            if (found != library.end())
                clashes << QStringLiteral("%1 (%2) equals %3").arg(where).arg(id).arg(found->second);
        }
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join(QStringLiteral("; "))));
    }

    void hostWidgetCommandIdsAreDistinct()
    {
        std::set<int> seen;
        for (const CommandInfo& command : DescribeCommands(HostWidgetCommands {}))
            QVERIFY2(seen.insert(command.id).second, command.name);
    }
};

QTEST_MAIN(CommandIdsTest)

#include "CommandIdsTest.moc"
