#include "sim/AliasArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include "gen-command-wrappers/AliasCommandWrappers.h"
#include "host/doc/ComponentCleanup.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QtTest>

using namespace Zel::Sim;
namespace Cmds = Zel::Commands::Alias;

namespace {

FieldName Orders(const char* localName)
{
    return FieldName(SampleWorkbook::DataSourceName(), TString::FromUtf8(localName));
}

QStringList Shown(const RefCntPtr<AliasesPresModel const>& list)
{
    QStringList texts;
    for (const auto& item : list->GetAliases())
        texts << (item->GetHasAlias()
                ? item->GetMemberName().ToQString() + QStringLiteral("=") + item->GetAlias().ToQString()
                : item->GetMemberName().ToQString());
    return texts;
}

// The simulated host of an alias edit over a small workbook; its regions are Central, East, South, West.
struct Host
{
    SimHost host;
    SampleWorkbook workbook {SampleWorkbook::Options {500, {}}};
    AliasArea area {host, workbook};

    struct Started
    {
        int id;
        RefCntPtr<AliasesPresModel const> list;
        RefCntPtr<SimpleCommandsPresModel const> cleanup;
    };

    Started Start(const char* field) const
    {
        const auto result = ::StartEditAliases(host, Orders(field));
        const RefCntPtr<AliasesPresModel const> list = result.Get<Cmds::Aliases>();
        return {list->GetID(), list, result.Get<Cmds::CleanupCommands>()};
    }

    // The member `index` of the edit, shown as `alias` (no alias when null); what the host refused.
    QStringList Apply(const Started& edit, unsigned int index, const wchar_t* alias) const
    {
        auto item = MakeRefCnt<AliasItemPresModel>();
        item->SetIndex(index);
        item->SetMemberName(edit.list->GetAlias(index)->GetMemberName());
        item->SetHasAlias(alias != nullptr);
        if (alias)
            item->SetAlias(TString(alias));
        auto request = MakeRefCnt<NewAliasesPresModel>();
        request->SetID(edit.id);
        request->AddAlias(item);
        const RefCntPtr<AliasResultsPresModel const> results
            = ::ApplyNewAliases(host, RefCntPtr<NewAliasesPresModel const>(request)).Get<Cmds::AliasResults>();
        QStringList refused;
        for (unsigned int i = 0; i < results->GetResultsCount(); ++i)
            refused << results->GetResults(i).GetDuplicate()->GetMemberName().ToQString();
        return refused;
    }

    template <typename Cmd>
    void Send(int id) const
    {
        Zel::Commands::Wrapper<Cmd>::Run(host, id);
    }

    RefCntPtr<AliasesPresModel const> Pending(int id) const { return area.PendingAliases(id); }
};

} // namespace

class AliasAreaTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void startListsTheMembersWithADiscardAsCleanup()
    {
        Host h;
        const Host::Started edit = h.Start("Region");
        QCOMPARE(Shown(edit.list), (QStringList {"Central", "East", "South", "West"}));
        QCOMPARE(edit.list->GetColumnCaption().ToQString(), QStringLiteral("Region"));
        QCOMPARE(edit.list->GetNumOfAssignedAliases(), 0u);
        for (unsigned int i = 0; i < edit.list->GetAliasCount(); ++i)
            QCOMPARE(edit.list->GetAlias(i)->GetIndex(), i);
        QCOMPARE(h.area.OpenEditCount(), std::size_t(1));

        // A second edit of the same field is an edit of its own.
        const Host::Started other = h.Start("Region");
        QVERIFY(other.id != edit.id);
        {
            ComponentCleanup cleanup(h.host, edit.cleanup);
        }
        QCOMPARE(h.area.OpenEditCount(), std::size_t(1));
        QCOMPARE(h.host.Exchanges().back().commandId, Cmds::DiscardEditAliases::id);
        QVERIFY(!h.host.Exchanges().back().refused);
    }

    void duplicatesAreWhatAnotherMemberShows_data()
    {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("refusedBy");
        QTest::addColumn<QStringList>("after");

        // Before each change East shows "Eastern", West "Western", and South "West", which it may
        // once West shows an alias.
        const QStringList start {"Central", "East=Eastern", "South=West", "West=Western"};
        QTest::newRow("a name nobody shows")
            << "Central=Middle"
            << "" << QStringList {"Central=Middle", "East=Eastern", "South=West", "West=Western"};
        QTest::newRow("another member's alias") << "Central=Eastern"
                                                << "East" << start;
        QTest::newRow("another member's name")
            << "Central=East"
            << "" << QStringList {"Central=East", "East=Eastern", "South=West", "West=Western"};
        QTest::newRow("the name of a member without alias") << "East=Central"
                                                            << "Central" << start;
        QTest::newRow("its own name takes the alias away")
            << "East=East"
            << "" << QStringList {"Central", "East", "South=West", "West=Western"};
        QTest::newRow("back to a name another alias shows") << "West="
                                                            << "South" << start;
        QTest::newRow("the alias it has") << "East=Eastern"
                                          << "" << start;
    }

    void duplicatesAreWhatAnotherMemberShows()
    {
        QFETCH(QString, asked);
        QFETCH(QString, refusedBy);
        QFETCH(QStringList, after);

        Host h;
        const Host::Started edit = h.Start("Region");
        QCOMPARE(h.Apply(edit, 1, L"Eastern"), QStringList());
        QCOMPARE(h.Apply(edit, 3, L"Western"), QStringList());
        QCOMPARE(h.Apply(edit, 2, L"West"), QStringList());

        const QString member = asked.section(QLatin1Char('='), 0, 0);
        const QString alias = asked.section(QLatin1Char('='), 1);
        unsigned int index = 0;
        while (edit.list->GetAlias(index)->GetMemberName().ToQString() != member)
            ++index;
        const TString wanted(alias);
        const QStringList refused = h.Apply(edit, index, alias.isEmpty() ? nullptr : wanted.c_str());
        QCOMPARE(refused, refusedBy.isEmpty() ? QStringList() : QStringList {refusedBy});
        QCOMPARE(Shown(h.Pending(edit.id)), after);
        // The list handed out before the change is as it was.
        QCOMPARE(Shown(edit.list), (QStringList {"Central", "East", "South", "West"}));
    }

    void numbersAreFoundByTheirShownName()
    {
        // Row IDs sort as numbers (1, 2, ... 10), not as their names ("1", "10", "2").
        Host h;
        const Host::Started edit = h.Start("Row ID");
        QCOMPARE(edit.list->GetAliasCount(), 500u);
        QCOMPARE(edit.list->GetAlias(9)->GetMemberName().ToQString(), QStringLiteral("10"));
        QCOMPARE(h.Apply(edit, 1, L"10"), QStringList {"10"});
        QCOMPARE(h.Apply(edit, 1, L"ten"), QStringList());
        QCOMPARE(h.Apply(edit, 9, L"2"), QStringList());
        QCOMPARE(h.Apply(edit, 0, L"ten"), QStringList {"2"});
    }

    void commitKeepsCancelForgetsClearEmpties()
    {
        Host h;
        const FieldName region = Orders("Region");
        {
            const Host::Started edit = h.Start("Region");
            h.Apply(edit, 1, L"Eastern");
            h.Send<Cmds::CommitEditAliases>(edit.id);
            QCOMPARE(h.workbook.Aliases(region), (MemberAliases {{TString(L"East"), TString(L"Eastern")}}));
            // After a commit the edit goes on until its clean-up; a later commit replaces the first.
            h.Apply(edit, 0, L"Middle");
            h.Send<Cmds::CommitEditAliases>(edit.id);
            QCOMPARE(h.workbook.Aliases(region).size(), std::size_t(2));
            h.Send<Cmds::DiscardEditAliases>(edit.id);
        }
        const Host::Started next = h.Start("Region");
        QCOMPARE(Shown(next.list), (QStringList {"Central=Middle", "East=Eastern", "South", "West"}));
        QCOMPARE(next.list->GetNumOfAssignedAliases(), 2u);

        h.Apply(next, 3, L"Western");
        const RefCntPtr<AliasesPresModel const> cleared = ::ClearAliases(h.host, next.id).Get<Cmds::ClearedAliases>();
        QCOMPARE(Shown(cleared), (QStringList {"Central", "East", "South", "West"}));
        QCOMPARE(cleared->GetNumOfAssignedAliases(), 0u);
        QCOMPARE(cleared->GetID(), next.id);
        QCOMPARE(h.workbook.Aliases(region).size(), std::size_t(2));

        h.Send<Cmds::CancelEditAliases>(next.id);
        QCOMPARE(Shown(h.Pending(next.id)), (QStringList {"Central=Middle", "East=Eastern", "South", "West"}));
        ::ClearAliases(h.host, next.id);
        h.Send<Cmds::CommitEditAliases>(next.id);
        QVERIFY(h.workbook.Aliases(region).empty());
        QVERIFY(h.workbook.AllAliases().empty());
    }

    void refusesWhatCannotApply_data()
    {
        QTest::addColumn<int>("what");
        QTest::newRow("a field the workbook lacks") << 0;
        QTest::newRow("a measure") << 1;
        QTest::newRow("an edit that is not open") << 2;
        QTest::newRow("a member past the end") << 3;
        QTest::newRow("a member of another name") << 4;
        QTest::newRow("no change request") << 5;
        QTest::newRow("a discarded edit") << 6;
    }

    void refusesWhatCannotApply()
    {
        QFETCH(int, what);
        Host h;
        const Host::Started edit = h.Start("Region");
        const RefCntPtr<AliasesPresModel const> before = h.Pending(edit.id);
        auto request = MakeRefCnt<NewAliasesPresModel>();
        request->SetID(edit.id);
        auto item = MakeRefCnt<AliasItemPresModel>();
        item->SetIndex(1);
        item->SetMemberName(TString(L"East"));
        item->SetHasAlias(true);
        item->SetAlias(TString(L"Eastern"));
        const auto apply = [&] {
            request->AddAlias(item);
            ::ApplyNewAliases(h.host, RefCntPtr<NewAliasesPresModel const>(request));
        };
        switch (what) {
        case 0:
            QVERIFY_EXCEPTION_THROWN(::StartEditAliases(h.host, Orders("Nowhere")), LogicException);
            break;
        case 1:
            QVERIFY_EXCEPTION_THROWN(::StartEditAliases(h.host, Orders("Sales")), LogicException);
            break;
        case 2:
            QVERIFY_EXCEPTION_THROWN(::ClearAliases(h.host, edit.id + 1), LogicException);
            break;
        case 3:
            item->SetIndex(4);
            QVERIFY_EXCEPTION_THROWN(apply(), LogicException);
            break;
        case 4:
            item->SetMemberName(TString(L"Eest"));
            QVERIFY_EXCEPTION_THROWN(apply(), LogicException);
            break;
        case 5:
            QVERIFY_EXCEPTION_THROWN(::ApplyNewAliases(h.host, {}), LogicException);
            break;
        default:
            h.Send<Cmds::DiscardEditAliases>(edit.id);
            QVERIFY_EXCEPTION_THROWN(apply(), LogicException);
            QCOMPARE(h.area.OpenEditCount(), std::size_t(0));
            return;
        }
        QVERIFY(h.host.Exchanges().back().refused);
        QCOMPARE(Shown(h.Pending(edit.id)), Shown(before));
    }
};

QTEST_MAIN(AliasAreaTest)

#include "AliasAreaTest.moc"
