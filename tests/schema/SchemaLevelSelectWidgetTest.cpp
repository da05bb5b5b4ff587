#include "SchemaFixture.h"

#include "host/commands/SchemaCommands.h"
#include "host/ui/SchemaLevelModel.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>

#include <algorithm>

using namespace SchemaTest;
using ZelTest::RecordingDispatcher;
namespace Cmds = Zel::Commands::Schema;

namespace {

struct Tree
{
    Tree()
        : tester(&widget.Model(), QAbstractItemModelTester::FailureReportingMode::Fatal)
    {
        widget.resize(480, 320);
    }

    void Load(RefCntPtr<SchemaPresModel const> schema, const QualifiedName& focus = {})
    {
        AnswerSchema(*host, std::move(schema));
        widget.SetModel(host, TString(L"Sales Cube"), TString(), focus);
    }

    QModelIndex Level(const QString& dimension, const QString& hierarchy, const QString& level) const
    {
        return widget.Model().IndexOfPath(QualifiedName({TString(dimension), TString(hierarchy), TString(level)}));
    }

    // The check marks of every level in the host's order, "x" checked and "-" not, hierarchies
    // apart: "xx-|x|-".
    QString Checks() const
    {
        const SchemaLevelModel& model = widget.Model();
        QStringList hierarchies;
        for (int d = 0; d < model.rowCount(); ++d) {
            const QModelIndex dimension = model.index(d, 0);
            for (int h = 0; h < model.rowCount(dimension); ++h) {
                const QModelIndex hierarchy = model.index(h, 0, dimension);
                QString marks;
                for (int l = 0; l < model.rowCount(hierarchy); ++l)
                    marks += model.IsLevelChecked(model.index(l, 0, hierarchy)) ? QLatin1Char('x') : QLatin1Char('-');
                hierarchies << marks;
            }
        }
        return hierarchies.join(QLatin1Char('|'));
    }

    std::shared_ptr<RecordingDispatcher> host = std::make_shared<RecordingDispatcher>();
    SchemaLevelSelectWidget widget;
    QAbstractItemModelTester tester;
};

} // namespace

class SchemaLevelSelectWidgetTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void loadShowsTheSchemaAndReportsItOnce()
    {
        Tree tree;
        QSignalSpy counts(&tree.widget, &SchemaLevelSelectWidget::SelectionChanged);
        QSignalSpy hidden(&tree.widget, &SchemaLevelSelectWidget::HideAllFieldsStateChanged);
        tree.Load(MakeSchema(SmallSchema()));

        const auto& sent = tree.host->Last<Cmds::GetSchemaLevels>();
        QCOMPARE(sent.Get<Cmds::SchemaDataSource>().ToQString(), QStringLiteral("Sales Cube"));
        QVERIFY(sent.Get<Cmds::SchemaCube>().empty());
        QCOMPARE(tree.host->Commands().size(), std::size_t(1));

        const SchemaLevelModel& model = tree.widget.Model();
        QCOMPARE(model.rowCount(), 2);
        const QModelIndex sales = model.index(1, 0);
        QCOMPARE(sales.data().toString(), QStringLiteral("Sales"));
        QCOMPARE(model.rowCount(sales), 2);
        QCOMPARE(model.index(1, 0, sales).data().toString(), QStringLiteral("Ship Mode"));
        QCOMPARE(model.index(1, SchemaLevelModel::UniqueNameColumn, sales).data().toString(),
            QStringLiteral("[Sales].[Ship Mode]"));
        const QModelIndex city
            = tree.Level(QStringLiteral("Geography"), QStringLiteral("Geography"), QStringLiteral("City"));
        QCOMPARE(city.siblingAtColumn(SchemaLevelModel::UniqueNameColumn).data().toString(),
            QStringLiteral("[Geography].[City]"));
        // Only a level's check column carries a check box.
        QVERIFY(model.flags(city.siblingAtColumn(SchemaLevelModel::CheckColumn)) & Qt::ItemIsUserCheckable);
        QVERIFY(!(model.flags(city) & Qt::ItemIsUserCheckable));
        QVERIFY(!model.index(0, SchemaLevelModel::CheckColumn, sales).data(Qt::CheckStateRole).isValid());
        QCOMPARE(tree.Checks(), QStringLiteral("xx-|x|-"));
        QVERIFY(tree.widget.isExpanded(sales) && tree.widget.isExpanded(model.index(1, 0, sales)));

        QCOMPARE(counts.size(), 1);
        QCOMPARE(counts.front().front().toInt(), 3);
        QCOMPARE(hidden.size(), 1);
        QCOMPARE(hidden.front().front().toBool(), false);
        QCOMPARE(tree.widget.currentIndex(), QModelIndex());
    }

    void focusNamesTheCurrentRow_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("current");
        QTest::newRow("level") << QStringList(
            {QStringLiteral("Sales"), QStringLiteral("Ship Mode"), QStringLiteral("Ship Mode")})
                               << QStringLiteral("[Sales].[Ship Mode].[Ship Mode]");
        QTest::newRow("hierarchy") << QStringList({QStringLiteral("Sales"), QStringLiteral("Channel")})
                                   << QStringLiteral("[Sales].[Channel]");
        QTest::newRow("unknown level") << QStringList({QStringLiteral("Geography"), QStringLiteral("Geography"),
            QStringLiteral("Street")}) << QString();
        QTest::newRow("too long") << QStringList(
            {QStringLiteral("Geography"), QStringLiteral("Geography"), QStringLiteral("City"), QStringLiteral("More")})
                                  << QString();
    }

    void focusNamesTheCurrentRow()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, current);
        Tree tree;
        std::vector<TString> parts;
        for (const QString& part : path)
            parts.emplace_back(part);
        tree.Load(MakeSchema(SmallSchema()), QualifiedName(parts));
        QCOMPARE(
            tree.widget.currentIndex().siblingAtColumn(SchemaLevelModel::UniqueNameColumn).data().toString(), current);
    }

    // Each hierarchy is offered from its top down: a check pulls the levels above along, an uncheck
    // the levels below; one count per change, none for a change that changes nothing.
    void checksKeepEachHierarchyOfferedFromTheTop_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QList<int>>("counts");

        QTest::newRow("check the lowest")
            << QStringLiteral("City") << true << QStringLiteral("xxx|x|-") << QList<int> {4};
        QTest::newRow("uncheck the top") << QStringLiteral("Region") << false << QStringLiteral("---|x|-")
                                         << QList<int> {1};
        QTest::newRow("uncheck the middle")
            << QStringLiteral("State") << false << QStringLiteral("x--|x|-") << QList<int> {2};
        QTest::newRow("check what is checked")
            << QStringLiteral("Region") << true << QStringLiteral("xx-|x|-") << QList<int> {};
        QTest::newRow("uncheck what is not")
            << QStringLiteral("City") << false << QStringLiteral("xx-|x|-") << QList<int> {};
        QTest::newRow("another hierarchy")
            << QStringLiteral("Ship Mode") << true << QStringLiteral("xx-|x|x") << QList<int> {4};
    }

    void checksKeepEachHierarchyOfferedFromTheTop()
    {
        QFETCH(QString, level);
        QFETCH(bool, check);
        QFETCH(QString, checks);
        QFETCH(QList<int>, counts);
        Tree tree;
        tree.Load(MakeSchema(SmallSchema()));
        QSignalSpy spy(&tree.widget, &SchemaLevelSelectWidget::SelectionChanged);
        const SchemaLevelModel& model = tree.widget.Model();
        // By caption, among the levels: [Ship Mode] is also a hierarchy's caption.
        QModelIndexList found
            = model.match(model.index(0, 0), Qt::DisplayRole, level, -1, Qt::MatchExactly | Qt::MatchRecursive);
        found.erase(std::remove_if(found.begin(), found.end(), [&](const QModelIndex& i) { return !model.IsLevel(i); }),
            found.end());
        QCOMPARE(found.size(), 1);
        QVERIFY(tree.widget.Model().setData(found.front().siblingAtColumn(SchemaLevelModel::CheckColumn),
            check ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(tree.Checks(), checks);
        QList<int> reported;
        for (const QList<QVariant>& signal : spy)
            reported << signal.front().toInt();
        QCOMPARE(reported, counts);
        QCOMPARE(tree.widget.GetSelectedLevelCount(), checks.count(QLatin1Char('x')));
    }

    void spaceTogglesTheCurrentLevelOnly()
    {
        Tree tree;
        tree.Load(MakeSchema(SmallSchema()));
        QSignalSpy spy(&tree.widget, &SchemaLevelSelectWidget::SelectionChanged);
        tree.widget.setCurrentIndex(
            tree.Level(QStringLiteral("Geography"), QStringLiteral("Geography"), QStringLiteral("City"))
                .siblingAtColumn(SchemaLevelModel::UniqueNameColumn));
        QTest::keyClick(&tree.widget, Qt::Key_Space);
        QCOMPARE(tree.Checks(), QStringLiteral("xxx|x|-"));
        QTest::keyClick(&tree.widget, Qt::Key_Space);
        QCOMPARE(tree.Checks(), QStringLiteral("xx-|x|-"));
        // A dimension's row has nothing to toggle.
        tree.widget.setCurrentIndex(tree.widget.Model().index(1, 0));
        QTest::keyClick(&tree.widget, Qt::Key_Space);
        QCOMPARE(tree.Checks(), QStringLiteral("xx-|x|-"));
        QCOMPARE(spy.size(), 2);
    }

    void hideAllFieldsGreysTheTreeAndKeepsTheSelection()
    {
        Tree tree;
        tree.Load(MakeSchema(SmallSchema()));
        QSignalSpy hidden(&tree.widget, &SchemaLevelSelectWidget::HideAllFieldsStateChanged);
        QSignalSpy counts(&tree.widget, &SchemaLevelSelectWidget::SelectionChanged);
        const QModelIndex city
            = tree.Level(QStringLiteral("Geography"), QStringLiteral("Geography"), QStringLiteral("City"))
                  .siblingAtColumn(SchemaLevelModel::CheckColumn);

        tree.widget.OnHideAllFieldsChanged(true);
        tree.widget.OnHideAllFieldsChanged(true);
        QCOMPARE(hidden.size(), 1);
        QVERIFY(tree.widget.AreAllFieldsHidden());
        QCOMPARE(tree.widget.Model().flags(city), Qt::NoItemFlags);
        QCOMPARE(tree.widget.Model().flags(tree.widget.Model().index(0, 0)), Qt::NoItemFlags);
        QVERIFY(!tree.widget.Model().setData(city, Qt::Checked, Qt::CheckStateRole));

        tree.widget.OnHideAllFieldsChanged(false);
        QCOMPARE(hidden.size(), 2);
        QCOMPARE(hidden.back().front().toBool(), false);
        QVERIFY(tree.widget.Model().flags(city) & Qt::ItemIsUserCheckable);
        QCOMPARE(tree.Checks(), QStringLiteral("xx-|x|-"));
        QCOMPARE(counts.size(), 0);
    }

    void aHiddenSchemaLoadsHidden()
    {
        Tree tree;
        QSignalSpy hidden(&tree.widget, &SchemaLevelSelectWidget::HideAllFieldsStateChanged);
        tree.Load(MakeSchema(SmallSchema(), true));
        QCOMPARE(hidden.size(), 1);
        QCOMPARE(hidden.front().front().toBool(), true);
        QCOMPARE(tree.widget.Model().flags(tree.widget.Model().index(0, 0)), Qt::NoItemFlags);
    }

    void commitSendsTheSelectionAndAnswersTheHost_data()
    {
        QTest::addColumn<bool>("hide");
        QTest::addColumn<bool>("changed");
        QTest::newRow("changed") << false << true;
        QTest::newRow("unchanged, hidden") << true << false;
    }

    void commitSendsTheSelectionAndAnswersTheHost()
    {
        QFETCH(bool, hide);
        QFETCH(bool, changed);
        Tree tree;
        tree.Load(MakeSchema(SmallSchema()));
        tree.widget.Model().SetLevelChecked(
            tree.Level(QStringLiteral("Sales"), QStringLiteral("Ship Mode"), QStringLiteral("Ship Mode")), true);
        tree.widget.OnHideAllFieldsChanged(hide);
        tree.host->Answer<Cmds::SetSchemaLevels>().Set<Cmds::SchemaChanged>(changed);
        QCOMPARE(tree.widget.CommitModel(), changed);

        const auto& sent = tree.host->Last<Cmds::SetSchemaLevels>();
        QCOMPARE(sent.Get<Cmds::SchemaDataSource>().ToQString(), QStringLiteral("Sales Cube"));
        QCOMPARE(ZelTest::DisplayTexts(sent.Get<Cmds::SelectedLevels>()),
            QStringList({QStringLiteral("[Geography].[Region]"), QStringLiteral("[Geography].[State]"),
                QStringLiteral("[Sales].[Channel].[Channel Type]"),
                QStringLiteral("[Sales].[Ship Mode].[Ship Mode]")}));
        QCOMPARE(sent.Get<Cmds::HideAllFields>(), hide);
        QCOMPARE(tree.host->PendingAnswers(), std::size_t(0));
    }

    void commitBeforeLoadRaises()
    {
        SchemaLevelSelectWidget widget;
        QCOMPARE(ZelTest::LogicCondition([&] { widget.CommitModel(); }), QStringLiteral("m_dispatcher != nullptr"));
    }

    // A bad answer raises out of SetModel and leaves the tree as the last good load made it.
    void badAnswersRaiseAndChangeNothing_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("failure");
        QTest::newRow("null answer") << 0 << QStringLiteral("parameters != nullptr");
        QTest::newRow("mistyped schema") << 1 << QStringLiteral("type mismatch");
        QTest::newRow("null schema") << 2 << QStringLiteral("schema != nullptr");
        QTest::newRow("null level") << 3 << QStringLiteral("level != nullptr");
        QTest::newRow("level twice") << 4 << QStringLiteral("each level is listed once");
        QTest::newRow("hierarchy split") << 5 << QStringLiteral("the levels of a hierarchy are listed together");
        QTest::newRow("dimension split") << 6 << QStringLiteral("the hierarchies of a dimension are listed together");
        QTest::newRow("nameless level") << 7 << QStringLiteral("!level.GetUniqueName().empty()");
    }

    void badAnswersRaiseAndChangeNothing()
    {
        QFETCH(int, fault);
        QFETCH(QString, failure);
        Tree tree;
        tree.Load(MakeSchema(SmallSchema()));
        QSignalSpy counts(&tree.widget, &SchemaLevelSelectWidget::SelectionChanged);

        auto levels = MakeSchema(SmallSchema())->GetLevels();
        // A copy of level `i` under another unique name.
        const auto another = [&](std::size_t i, const wchar_t* hierarchy, const wchar_t* uniqueName) {
            auto copy = MakeRefCnt<SchemaLevelPresModel>(*levels[i]);
            if (hierarchy)
                copy->SetHierarchyUniqueName(TString(hierarchy));
            copy->SetUniqueName(TString(uniqueName));
            return RefCntPtr<SchemaLevelPresModel const>(copy);
        };
        switch (fault) {
        case 0:
            tree.host->AnswerNull<Cmds::GetSchemaLevels>();
            break;
        case 1:
            tree.host->Answer<Cmds::GetSchemaLevels>().SetRaw(Cmds::Schema::id, 7);
            break;
        case 2:
            tree.host->Answer<Cmds::GetSchemaLevels>().Set<Cmds::Schema>(RefCntPtr<SchemaPresModel const>());
            break;
        case 3:
            levels[1] = RefCntPtr<SchemaLevelPresModel const>();
            break;
        case 4:
            levels.push_back(levels[0]);
            break;
        case 5:
            // [Sales].[Channel] again after [Sales].[Ship Mode].
            levels.push_back(another(3, nullptr, L"[Sales].[Channel].[Channel Group]"));
            break;
        case 6:
            // Geography again after Sales, with a hierarchy of its own.
            levels.push_back(another(0, L"[Geography].[Postal]", L"[Geography].[Postal].[Code]"));
            break;
        case 7:
            levels[3] = another(3, nullptr, L"");
            break;
        }
        if (fault >= 3) {
            auto broken = MakeRefCnt<SchemaPresModel>();
            broken->SetLevels(levels);
            AnswerSchema(*tree.host, broken);
        }
        const auto load = [&] { tree.widget.SetModel(tree.host, TString(L"Sales Cube"), TString(), {}); };
        if (fault == 1)
            QCOMPARE(ZelTest::MismatchedParameter(load), Cmds::Schema::id);
        else
            QCOMPARE(ZelTest::LogicCondition(load), failure);
        QCOMPARE(tree.Checks(), QStringLiteral("xx-|x|-"));
        QCOMPARE(counts.size(), 0);
    }
};

QTEST_MAIN(SchemaLevelSelectWidgetTest)
#include "SchemaLevelSelectWidgetTest.moc"
