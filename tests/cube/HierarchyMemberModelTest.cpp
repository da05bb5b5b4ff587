#include "CubeFixture.h"

#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/ui/HierarchyMemberModel.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QtTest>

#include <functional>

using namespace CubeTest;
using ZelTest::LogicCondition;
using ZelTest::MismatchedParameter;
using ZelTest::RecordingDispatcher;

namespace {

constexpr unsigned int kPageSize = 100;
constexpr std::uint64_t kCachedPages = 3;

std::unique_ptr<HierarchyMemberModel> MakeModel(Host& host)
{
    auto root = GetHierarchyRoot(*host.dispatcher, Fixture::Hierarchy()).Get<Cmds::HierarchyRoot>();
    host.Clear();
    return std::make_unique<HierarchyMemberModel>(
        host.dispatcher, Fixture::Hierarchy(), root, nullptr, kPageSize, kCachedPages);
}

QModelIndex Child(const QAbstractItemModel& model, const QModelIndex& parent, const QString& caption)
{
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        if (index.data().toString() == caption)
            return index;
    }
    return {};
}

std::vector<RefCntPtr<CubeMemberPresModel const>> PathTo(const ICommandDispatcher& host, const wchar_t* name)
{
    return GetMemberPath(host, Fixture::Hierarchy(), TString(name)).Get<Cmds::MemberPath>();
}

using Tamper = std::function<void(MemberPagePresModel&)>;

} // namespace

Q_DECLARE_METATYPE(Tamper)

class HierarchyMemberModelTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void passesTheModelTesterOverTheWholeTree()
    {
        Host host;
        const auto model = MakeModel(host);
        QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);

        QCOMPARE(model->rowCount(), 1);
        const QModelIndex all = model->index(0, 0);
        QCOMPARE(all.data().toString(), QStringLiteral("All Places"));
        QCOMPARE(all.data(HierarchyMemberModel::UniqueNameRole).toString(), QStringLiteral("[Places].[All Places]"));
        QCOMPARE(model->rowCount(all), 4);
        const QModelIndex central = Child(*model, all, QStringLiteral("Central"));
        QVERIFY(!model->hasChildren(central));
        QVERIFY(!(model->flags(central) & Qt::ItemNeverHasChildren));
        const QModelIndex oslo = Child(*model, Child(*model, all, QStringLiteral("North")), QStringLiteral("Oslo"));
        QCOMPARE(oslo.data(HierarchyMemberModel::LevelRole).toInt(), 2);
        QVERIFY(model->flags(oslo) & Qt::ItemNeverHasChildren);
        QCOMPARE(oslo.parent().parent(), all);
        QCOMPARE(model->MemberAt(oslo)->GetMember().GetString().ToQString(), QStringLiteral("[Places].[North].[Oslo]"));
        QVERIFY(model->MemberAt(all)->GetMember().IsSpecial());
    }

    void readsAPageOncePerPageLookedAt()
    {
        Host host;
        const auto model = MakeModel(host);
        QVERIFY(host.dispatcher->Commands().empty());
        const QModelIndex east = model->index(1, 0, model->index(0, 0));
        QCOMPARE(model->rowCount(east), 1234);
        host.Clear();

        // A whole page, read cell by cell and again, costs one command.
        for (int pass = 0; pass < 2; ++pass)
            for (int row = 0; row < int(kPageSize); ++row)
                QCOMPARE(model->index(row, 0, east).data().toString(),
                    QStringLiteral("E%1").arg(row, 4, 10, QLatin1Char('0')));
        QCOMPARE(host.dispatcher->Count<Cmds::GetMemberChildren>(), std::size_t(1));
        const auto& sent = host.dispatcher->Last<Cmds::GetMemberChildren>();
        QCOMPARE(sent.Get<Cmds::ParentMember>().ToQString(), QStringLiteral("[Places].[East]"));
        QCOMPARE(sent.Get<Cmds::FirstRow>(), 0u);
        QCOMPARE(sent.Get<Cmds::RowLimit>(), kPageSize);
        QCOMPARE(sent.Get<Cmds::HierarchyName>(), Fixture::Hierarchy());

        // The last row: its own page, short.
        QCOMPARE(model->index(1233, 0, east).data().toString(), QStringLiteral("E1233"));
        QCOMPARE(host.dispatcher->Last<Cmds::GetMemberChildren>().Get<Cmds::FirstRow>(), 1200u);

        // Scrolling through all of it keeps only the cached pages: every page is read once, and an
        // evicted page is read again when it comes back.
        host.Clear();
        const std::uint64_t before = model->PagesFetched();
        for (int row = 0; row < 1234; ++row)
            model->index(row, 0, east).data();
        QCOMPARE(model->PagesFetched() - before, std::uint64_t(12));
        model->index(0, 0, east).data();
        QCOMPARE(model->PagesFetched() - before, std::uint64_t(13));
        QCOMPARE(host.dispatcher->Count<Cmds::GetMemberChildren>(), std::size_t(13));
    }

    void pathPlacesAMemberWithoutReadingPages()
    {
        Host host;
        const auto model = MakeModel(host);
        const auto path = PathTo(*host.dispatcher, L"[Places].[East].[E1100]");
        host.Clear();
        const QModelIndex found = model->IndexOfPath(path);
        QCOMPARE(found.row(), 1100);
        QCOMPARE(found.parent().row(), 1);
        QCOMPARE(found.parent().parent(), model->index(0, 0));
        QVERIFY(host.dispatcher->Commands().empty());
        QCOMPARE(found.data().toString(), QStringLiteral("E1100"));
        QCOMPARE(host.dispatcher->Last<Cmds::GetMemberChildren>().Get<Cmds::FirstRow>(), 1100u);

        // A path that does not fit the tree built so far raises, and leaves the tree as it was.
        auto beyond = PathTo(*host.dispatcher, L"[Places].[West].[Cork]");
        auto tampered = MakeRefCnt<CubeMemberPresModel>(*beyond[2]);
        tampered->SetOrdinal(9);
        beyond[2] = tampered;
        QCOMPARE(LogicCondition([&] { model->IndexOfPath(beyond); }),
            QStringLiteral("member->GetOrdinal() < m_nodes[node].childCount"));
        auto other = PathTo(*host.dispatcher, L"[Places].[North]");
        auto renamed = MakeRefCnt<CubeMemberPresModel>(*other[1]);
        renamed->SetUniqueName(TString(L"[Places].[Elsewhere]"));
        renamed->SetOrdinal(1);
        other[1] = renamed;
        other.push_back(PathTo(*host.dispatcher, L"[Places].[North].[Oslo]")[2]);
        QCOMPARE(LogicCondition([&] { model->IndexOfPath(other); }),
            QStringLiteral("known.uniqueName == member.GetUniqueName()"));
        QCOMPARE(LogicCondition([&] { model->IndexOfPath({}); }), QStringLiteral("!path.empty()"));
        QCOMPARE(model->rowCount(model->index(1, 0, model->index(0, 0))), 1234);
    }

    void pagesThatDoNotFitRaise_data()
    {
        QTest::addColumn<Tamper>("tamper");
        QTest::addColumn<QString>("condition");

        QTest::newRow("another first row") << Tamper([](MemberPagePresModel& p) { p.SetFirstRow(p.GetFirstRow() + 1); })
                                           << QStringLiteral("page->GetFirstRow() == first");
        QTest::newRow("count disagrees") << Tamper([](MemberPagePresModel& p) {
            p.SetChildCount(p.GetChildCount() + 1);
        }) << QStringLiteral("page->GetChildCount() == node.childCount");
        QTest::newRow("a member short") << Tamper([](MemberPagePresModel& p) {
            auto members = p.GetMembers();
            members.pop_back();
            p.SetMembers(members);
        }) << QStringLiteral("page->GetMemberCount() == std::min(m_pageSize, node.childCount - first)");
        QTest::newRow("member at another row") << Tamper([](MemberPagePresModel& p) {
            auto members = p.GetMembers();
            std::swap(members[0], members[1]);
            p.SetMembers(members);
        }) << QStringLiteral("member.GetOrdinal() == first + i");
        QTest::newRow("member of another level") << Tamper([](MemberPagePresModel& p) {
            auto members = p.GetMembers();
            auto moved = MakeRefCnt<CubeMemberPresModel>(*members[0]);
            moved->SetLevel(1);
            members[0] = moved;
            p.SetMembers(members);
        }) << QStringLiteral("member.GetLevel() == node.level + 1");
        QTest::newRow("null member") << Tamper([](MemberPagePresModel& p) {
            auto members = p.GetMembers();
            members[0].reset();
            p.SetMembers(members);
        }) << QStringLiteral("member != nullptr");
    }

    void pagesThatDoNotFitRaise()
    {
        QFETCH(Tamper, tamper);
        QFETCH(QString, condition);
        Host host;
        const auto model = MakeModel(host);
        const QModelIndex east = model->index(1, 0, model->index(0, 0));
        QCOMPARE(model->rowCount(east), 1234);
        host.fixture.tamperPage = tamper;
        QCOMPARE(LogicCondition([&] { model->index(5, 0, east).data(); }), condition);
        // Nothing of the bad page was kept: a good answer is asked for and used.
        host.fixture.tamperPage = nullptr;
        QCOMPARE(model->index(5, 0, east).data().toString(), QStringLiteral("E0005"));
    }

    void answersOfTheWrongKindRaise()
    {
        Host host;
        const auto model = MakeModel(host);
        const QModelIndex all = model->index(0, 0);
        QCOMPARE(model->rowCount(all), 4);
        host.dispatcher->AnswerNull<Cmds::GetMemberChildren>();
        QCOMPARE(LogicCondition([&] { model->index(0, 0, all).data(); }), QStringLiteral("parameters != nullptr"));
        host.dispatcher->Answer<Cmds::GetMemberChildren>().SetRaw<int>(Cmds::MemberPage::id, 3);
        QCOMPARE(MismatchedParameter([&] { model->index(0, 0, all).data(); }), Cmds::MemberPage::id);
        host.dispatcher->Answer<Cmds::GetMemberChildren>().Set<Cmds::MemberPage>({});
        QCOMPARE(LogicCondition([&] { model->index(0, 0, all).data(); }), QStringLiteral("page != nullptr"));
        // A row beyond the count never reaches the host.
        host.Clear();
        QVERIFY(!model->index(4, 0, all).isValid());
        QCOMPARE(LogicCondition([&] { model->MemberAt(QModelIndex()); }),
            QStringLiteral("index.isValid() && index.model() == this"));
        QVERIFY(host.dispatcher->Commands().empty());
    }
};

QTEST_MAIN(HierarchyMemberModelTest)

#include "HierarchyMemberModelTest.moc"
