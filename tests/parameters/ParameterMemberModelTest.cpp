#include "ParameterTestSupport.h"
#include "host/doc/StringIds.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "host/doc/StringTable.h"
#include "host/ui/DuplicateHighlight.h"
#include "host/ui/SearchableComboBox.h"
#include "main/models/ParameterMemberModel.h"
#include "main/models/ValueComboProxyModel.h"

#include <QtCore/QRegularExpression>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QtTest>

#include <random>
#include <stdexcept>

using namespace ZelTest;
using namespace ParameterTest;
namespace Cmds = Zel::Commands::Parameter;

namespace {

constexpr unsigned int EditId = 42;

// Every signal of the model, in the order it came.
class SignalLog
{
public:
    explicit SignalLog(ParameterMemberModel& m)
    {
        auto rows = [this](const char* what) {
            return [this, what](const QModelIndex&, int f, int l) {
                events << QStringLiteral("%1 %2-%3").arg(what).arg(f).arg(l);
            };
        };
        QObject::connect(&m, &QAbstractItemModel::rowsInserted, rows("inserted"));
        QObject::connect(&m, &QAbstractItemModel::rowsRemoved, rows("removed"));
        QObject::connect(&m, &QAbstractItemModel::modelReset, [this] { events << QStringLiteral("reset"); });
        QObject::connect(&m, &QAbstractItemModel::headerDataChanged, [this](Qt::Orientation o, int f, int l) {
            events << QStringLiteral("header %1 %2-%3").arg(o == Qt::Horizontal ? "h" : "v").arg(f).arg(l);
        });
        QObject::connect(&m, &QAbstractItemModel::dataChanged, [this](const QModelIndex& a, const QModelIndex& b) {
            events << QStringLiteral("changed %1,%2-%3,%4").arg(a.row()).arg(a.column()).arg(b.row()).arg(b.column());
        });
        QObject::connect(&m, &ParameterMemberModel::FormattedValueChanged,
            [this](const TString& text) { events << QStringLiteral("formatted ") + text.ToQString(); });
        QObject::connect(
            &m, &ParameterMemberModel::IndexChanged, [this](int i) { events << QStringLiteral("index %1").arg(i); });
        QObject::connect(&m, &ParameterMemberModel::IsEmptyChanged,
            [this](bool empty) { events << QStringLiteral("empty %1").arg(empty ? "true" : "false"); });
    }
    QStringList events;
};

// A model over a recording dispatcher, checked by the model tester from the start.
struct Fixture
{
    explicit Fixture(const QStringList& values = {})
        : model(dispatcher, EditId, nullptr)
        , tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal)
    {
        model.SetListDomain(Members(values));
        log.emplace(model);
    }
    RecordingDispatcher dispatcher;
    ParameterMemberModel model;
    QAbstractItemModelTester tester;
    std::optional<SignalLog> log;
};

} // namespace

class ParameterMemberModelTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void typedValueIsSentAndInsertedBeforeThePrompt()
    {
        Fixture f({"a"});
        f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Insert(1, "b").Current(0, "a").Build());

        QVERIFY(f.model.AddNewItem(TString(L"b")));
        QCOMPARE(f.dispatcher.CommandIds(), std::vector<int> {Cmds::AddListMember::id});
        const RecordedCommand& sent = f.dispatcher.Last<Cmds::AddListMember>();
        QCOMPARE(sent.ArgumentCount(), std::size_t(2));
        QCOMPARE(sent.Get<Cmds::EditId>(), EditId);
        QCOMPARE(SentMember(sent), QStringLiteral("0: b|"));

        QCOMPARE(f.log->events, QStringList({"formatted a", "index 0", "inserted 1-1"}));
        QCOMPARE(Values(f.model), QStringList({"a", "b"}));
        QCOMPARE(f.model.rowCount(), 3);
        QCOMPARE(f.model.data(f.model.index(2, 0), AbstractModifiableTableModel::PromptRole).toString(),
            LookupTStr(Zel::Strings::AddNewValuePrompt).ToQString());
    }

    void emptinessIsAnnouncedOnceEachWay()
    {
        Fixture f;
        QCOMPARE(f.model.GetAddNewItemPrompt(), LookupTStr(Zel::Strings::StartListPrompt));
        f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Insert(0, "a").Current(0, "a").Build());
        QVERIFY(f.model.AddNewItem(TString(L"a")));
        QCOMPARE(f.log->events.filter("empty"), QStringList({"empty false"}));
        QCOMPARE(f.model.GetAddNewItemPrompt(), LookupTStr(Zel::Strings::AddNewValuePrompt));

        f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Delete(0, 1).Current(0, "a").Build());
        f.model.EraseRow(0);
        const RecordedCommand& sent = f.dispatcher.Last<Cmds::DeleteListMembers>();
        QCOMPARE(sent.Get<Cmds::EditId>(), EditId);
        QCOMPARE(SentRanges(sent), QStringList({"0-1"}));
        QCOMPARE(f.log->events.filter("empty"), QStringList({"empty false", "empty true"}));
        QCOMPARE(f.log->events.filter("removed"), QStringList({"removed 0-0"}));
        QCOMPARE(f.model.GetAddNewItemPrompt(), LookupTStr(Zel::Strings::StartListPrompt));
    }

    // A host marks the neighbour of a new or deleted value (a duplicate found or gone). The fatal
    // model tester reads the rows beside an insertion or a removal when it ends, so the neighbour is
    // replaced after it and reported changed.
    void neighbourReplacedByARowChangeIsReplacedAfterIt_data()
    {
        QTest::addColumn<bool>("removal");
        QTest::newRow("removal, and the row after it replaced") << true;
        QTest::newRow("insertion, and the row before it replaced") << false;
    }

    void neighbourReplacedByARowChangeIsReplacedAfterIt()
    {
        QFETCH(bool, removal);
        Fixture f({"a", "b", "c"});
        if (removal) {
            f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(
                DiffBuilder().Delete(0, 1).Update(0, Member("B")).Current(0, "B").Build());
            f.model.EraseRow(0);
            QCOMPARE(Values(f.model), QStringList({"B", "c"}));
        } else {
            f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(
                DiffBuilder().Insert(3, "d").Update(2, Member("C")).Current(0, "a").Build());
            QVERIFY(f.model.AddNewItem(TString(L"d")));
            QCOMPARE(Values(f.model), QStringList({"a", "b", "C", "d"}));
        }
        const QStringList& events = f.log->events;
        const int rows = events.indexOf(removal ? QStringLiteral("removed 0-0") : QStringLiteral("inserted 3-3"));
        const int changed = events.indexOf(QRegularExpression(QStringLiteral("changed .*")));
        QVERIFY2(rows >= 0 && changed > rows, qPrintable(events.join(QStringLiteral(", "))));
    }

    void diffsInAnyOrderMatchSequentialApplication_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("order"); // 0 random, 1 ranges from the end, 2 ranges from the front
        for (int seed = 1; seed <= 12; ++seed) {
            QTest::addRow("random %d", seed) << seed << 0;
            QTest::addRow("from the end %d", seed) << seed << 1;
            QTest::addRow("from the front %d", seed) << seed << 2;
        }
    }

    void diffsInAnyOrderMatchSequentialApplication()
    {
        QFETCH(int, seed);
        QFETCH(int, order);
        std::mt19937 random(static_cast<unsigned int>(seed));
        auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

        QStringList list;
        for (int i = pick(0, 40); i > 0; --i)
            list << QStringLiteral("m%1").arg(list.size());
        Fixture f(list);

        DiffBuilder diff;
        const int ranges = pick(0, 6);
        int cursor = order == 1 ? list.size() : 0;
        for (int i = 0; i < ranges && !list.isEmpty(); ++i) {
            int start = 0;
            int limit = list.size();
            if (order == 0) {
                start = pick(0, list.size() - 1);
            } else if (order == 1) { // each range lies before the one deleted before it
                if (cursor == 0)
                    break;
                start = pick(0, cursor - 1);
                limit = cursor;
            } else { // each range starts at or after the one deleted before it
                start = pick(std::min(cursor, list.size()), list.size());
            }
            const int end = pick(start, std::min(limit, start + 5));
            diff.Delete(static_cast<unsigned int>(start), static_cast<unsigned int>(end));
            list.erase(list.begin() + start, list.begin() + end);
            cursor = start;
        }
        const int insertions = pick(0, 8);
        for (int i = 0; i < insertions; ++i) {
            const int at = pick(0, list.size());
            const QString value = QStringLiteral("new%1").arg(i);
            diff.Insert(at, value);
            list.insert(at, value);
        }
        if (!list.isEmpty()) {
            const int at = pick(0, list.size() - 1);
            diff.Update(at, Member(QStringLiteral("upd")));
            list[at] = QStringLiteral("upd");
        }
        // Applied in its order: deletions one after another, then insertions, then the update.
        f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(diff.Current(0, QString()).Build());
        QVERIFY(f.model.AddNewItem(TString(L"x")));
        QCOMPARE(Values(f.model), list);
    }

    void duplicateOnlyDiffRefreshesHeaderAndCurrentValue()
    {
        Fixture f({"a", "b"});
        f.model.SetCurrentIndex(1);
        f.log->events.clear();
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Duplicates(true).Current(1, "b").Build());
        QVERIFY(f.model.UpdateItem(f.model.index(0, 1), TString(L"b")));
        QCOMPARE(f.log->events, QStringList({"header h 0-1", "formatted b", "index 1", "changed 0,1-0,1"}));

        // The same flag again is no change of the header.
        f.log->events.clear();
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Duplicates(true).Current(1, "b").Build());
        QVERIFY(f.model.UpdateItem(f.model.index(0, 1), TString(L"b")));
        QCOMPARE(f.log->events, QStringList({"formatted b", "index 1", "changed 0,1-0,1"}));
    }

    void headerShowsWarningOnlyOnAliasWhileDuplicates()
    {
        Fixture f({"a"});
        QCOMPARE(f.model.headerData(0, Qt::Horizontal).toString(), LookupTStr(Zel::Strings::ValueHeader).ToQString());
        QCOMPARE(
            f.model.headerData(1, Qt::Horizontal).toString(), LookupTStr(Zel::Strings::DisplayAsHeader).ToQString());
        QCOMPARE(f.model.headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
            LookupTStr(Zel::Strings::DisplayAsHeader).ToQString());
        QVERIFY(!f.model.headerData(0, Qt::Vertical).isValid());
        QVERIFY(!f.model.headerData(1, Qt::Horizontal, Qt::DecorationRole).isValid());

        f.model.SetHasDuplicates(true);
        f.model.SetHasDuplicates(true);
        QCOMPARE(f.log->events, QStringList({"header h 0-1"}));
        const QVariant icon = f.model.headerData(1, Qt::Horizontal, Qt::DecorationRole);
        QVERIFY(icon.canConvert<QIcon>() && !icon.value<QIcon>().isNull());
        QVERIFY(!f.model.headerData(0, Qt::Horizontal, Qt::DecorationRole).isValid());

        f.model.SetHasDuplicates(false);
        QCOMPARE(f.log->events.size(), 2);
        QVERIFY(!f.model.headerData(1, Qt::Horizontal, Qt::DecorationRole).isValid());
    }

    void aliasColumnMarksDuplicatesAndMissingAliases()
    {
        RecordingDispatcher dispatcher;
        ParameterMemberView view;
        QPalette palette = view.palette();
        palette.setColor(QPalette::Disabled, QPalette::Text, QColor(1, 2, 3));
        view.setPalette(palette);
        view.Initialize(dispatcher, EditId);
        ParameterMemberModel& model = *view.GetModel();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        model.SetListDomain({Member("a", "", true), Member("b", "Bee", true), Member("c")});

        QCOMPARE(model.data(model.index(0, 1), Qt::ForegroundRole).value<QColor>(), QColor(1, 2, 3));
        QVERIFY(!model.data(model.index(1, 1), Qt::ForegroundRole).isValid());
        QVERIFY(!model.data(model.index(0, 0), Qt::ForegroundRole).isValid());

        QCOMPARE(model.data(model.index(1, 1), Qt::ToolTipRole).toString(),
            GetDuplicateTooltip(TString(L"Bee")).ToQString());
        QCOMPARE(model.data(model.index(1, 1), Qt::BackgroundRole).value<QColor>(), GetDuplicateBackground());
        QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("Bee"));
        QVERIFY(!model.data(model.index(1, 0), Qt::ToolTipRole).isValid());
        QVERIFY(!model.data(model.index(1, 0), Qt::BackgroundRole).isValid());
        QVERIFY(!model.data(model.index(2, 1), Qt::ToolTipRole).isValid());
        // The add-new-item row is never a duplicate and is edited from nothing.
        QVERIFY(!model.data(model.index(3, 1), Qt::ToolTipRole).isValid());
        QCOMPARE(model.data(model.index(3, 0), Qt::EditRole).toString(), QString());
    }

    void pickingTheCurrentRowSendsNothing()
    {
        Fixture f({"a", "b", "c"});
        f.model.SetCurrentIndex(1);
        f.model.SetCurrentIndex(1);
        QCOMPARE(f.log->events, QStringList({"index 1", "index 1"}));

        f.model.OnIndexChanged(1);
        f.model.OnIndexChanged(-1);
        QVERIFY(f.dispatcher.Commands().empty());

        f.dispatcher.Answer<Cmds::SetParameterValueIndex>().Set<Cmds::ListIndex>(2u).Set<Cmds::FormattedValue>(
            TString(L"c!"));
        f.model.OnIndexChanged(2);
        const RecordedCommand& sent = f.dispatcher.Last<Cmds::SetParameterValueIndex>();
        QCOMPARE(sent.ArgumentCount(), std::size_t(2));
        QCOMPARE(sent.Get<Cmds::EditId>(), EditId);
        QCOMPARE(sent.Get<Cmds::ChosenValueIndex>(), 2);
        QCOMPARE(f.model.GetCurrentIndex(), 2u);
        QCOMPARE(f.log->events.mid(2), QStringList({"formatted c!", "index 2"}));

        // A mistyped answer changes nothing.
        f.dispatcher.Answer<Cmds::SetParameterValueIndex>()
            .SetRaw<int>(Cmds::ListIndex::id, 0)
            .Set<Cmds::FormattedValue>(TString(L"a"));
        // An int where an unsigned int is declared.
        QCOMPARE(MismatchedParameter([&] { f.model.OnIndexChanged(0); }), Cmds::ListIndex::id);
        QCOMPARE(f.model.GetCurrentIndex(), 2u);
        QCOMPARE(f.log->events.size(), 4);
    }

    void updateSendsOnlyTheEditedText()
    {
        Fixture f({"a", "b", "c"});
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Update(1, Member("B")).Current(0, "a").Build());
        QVERIFY(f.model.UpdateItem(f.model.index(1, 0), TString(L"B")));
        const RecordedCommand& value = f.dispatcher.Last<Cmds::UpdateListMember>();
        QCOMPARE(value.ArgumentCount(), std::size_t(3));
        QCOMPARE(value.Get<Cmds::EditId>(), EditId);
        QCOMPARE(SentMember(value), QStringLiteral("1: B|"));
        QCOMPARE(value.Get<Cmds::IsValueEdited>(), true);
        // The alias column mirrors the value of a member without alias, so it changed too.
        QCOMPARE(f.log->events, QStringList({"formatted a", "index 0", "changed 1,0-1,0", "changed 1,1-1,1"}));

        f.log->events.clear();
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Update(2, Member("c", "Sea")).Current(0, "a").Build());
        QVERIFY(f.model.UpdateItem(f.model.index(2, 1), TString(L"Sea")));
        QCOMPARE(SentMember(f.dispatcher.Last<Cmds::UpdateListMember>()), QStringLiteral("2: |Sea"));
        QCOMPARE(f.dispatcher.Last<Cmds::UpdateListMember>().Get<Cmds::IsValueEdited>(), false);
        QCOMPARE(f.log->events, QStringList({"formatted a", "index 0", "changed 2,1-2,1"}));
        QCOMPARE(f.model.data(f.model.index(2, 1)).toString(), QStringLiteral("Sea"));

        // Refused, or not a cell of a member: false, and only the refusal was asked.
        f.dispatcher.Answer<Cmds::UpdateListMember>();
        QVERIFY(!f.model.UpdateItem(f.model.index(0, 0), TString(L"zzz")));
        QVERIFY(!f.model.UpdateItem(f.model.index(0, 2), TString(L"zzz")));
        QVERIFY(!f.model.UpdateItem(QModelIndex(), TString(L"zzz")));
        QVERIFY(!f.model.UpdateItem(f.model.index(3, 0), TString(L"zzz")));
        QCOMPARE(f.dispatcher.Count<Cmds::UpdateListMember>(), std::size_t(3));
    }

    void moveChoosesCommandByFlagAndNegativeTargetDeletes()
    {
        Fixture f({"a", "b", "c", "d", "e"});
        QItemSelection selection;
        selection.select(f.model.index(1, 0), f.model.index(2, 1));
        selection.select(f.model.index(4, 0), f.model.index(4, 1));
        auto sentRanges = [&f](int commandId) { return SentRanges(f.dispatcher.LastOf(commandId)); };

        f.dispatcher.Answer<Cmds::MoveListMembers>().Set<Cmds::ListDomainDiff>(DiffBuilder()
                                                                                   .Delete(4, 5)
                                                                                   .Delete(1, 3)
                                                                                   .Insert(0, "b")
                                                                                   .Insert(1, "c")
                                                                                   .Insert(2, "e")
                                                                                   .Current(3, "a")
                                                                                   .Build());
        f.model.MoveItems(selection, 0, true);
        QCOMPARE(f.dispatcher.CommandIds(), std::vector<int> {Cmds::MoveListMembers::id});
        QCOMPARE(sentRanges(Cmds::MoveListMembers::id), QStringList({"1-3", "4-5"}));
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembers>().Get<Cmds::ListIndex>(), 0u);
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembers>().Get<Cmds::EditId>(), EditId);
        QCOMPARE(Values(f.model), QStringList({"b", "c", "e", "a", "d"}));
        QCOMPARE(f.log->events, QStringList({"formatted a", "index 3", "reset"}));

        // The reset let go of the rows the selection named.
        selection = QItemSelection(f.model.index(1, 0), f.model.index(2, 1));
        selection.select(f.model.index(4, 0), f.model.index(4, 1));
        f.dispatcher.Answer<Cmds::MoveListMembersToRow>().Set<Cmds::ListDomainDiff>(DiffBuilder().Build());
        f.model.MoveItems(selection, 3, false);
        QCOMPARE(sentRanges(Cmds::MoveListMembersToRow::id), QStringList({"1-3", "4-5"}));
        QCOMPARE(f.dispatcher.CommandIds().back(), Cmds::MoveListMembersToRow::id);
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembersToRow>().Get<Cmds::ListIndex>(), 3u);

        // A negative target deletes; the conversion stops at the first invalid range.
        QItemSelection broken(f.model.index(1, 0), f.model.index(2, 1));
        broken.append(QItemSelectionRange());
        broken.select(f.model.index(4, 0), f.model.index(4, 1));
        f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(DiffBuilder().Delete(1, 3).Build());
        f.model.MoveItems(broken, -1, true);
        QCOMPARE(f.dispatcher.CommandIds().back(), Cmds::DeleteListMembers::id);
        QCOMPARE(sentRanges(Cmds::DeleteListMembers::id), QStringList({"1-3"}));
        QCOMPARE(Values(f.model), QStringList({"b", "a", "d"}));
    }

    void diffThatDoesNotFitRaisesBeforeAnythingChanges_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("condition");
        QTest::newRow("range past the end") << 0 << "deleted range 0 [2, 4) does not fit the 3 members";
        QTest::newRow("range backwards") << 1 << "deleted range 0 [2, 1) does not fit";
        QTest::newRow("range past what the first left") << 2 << "deleted range 1 [0, 2) does not fit the 1 members";
        QTest::newRow("insertion past the end") << 3 << "new member 0 at row 4 does not fit a list of 3 members";
        QTest::newRow("negative insertion") << 4 << "new member 0 at row -1 does not fit";
        QTest::newRow("insertion after the deletions") << 5 << "new member 0 at row 1 does not fit a list of 0 members";
        QTest::newRow("update past the end") << 6 << "updated member 0 at row 3 is outside the list of 3 members";
        QTest::newRow("update after the deletions")
            << 7 << "updated member 0 at row 2 is outside the list of 2 members";
        QTest::newRow("range without record") << 8 << "deleted range 0 of the diff holds no record";
        QTest::newRow("member without record") << 9 << "new member 0 of the diff holds no record";
    }

    void diffThatDoesNotFitRaisesBeforeAnythingChanges()
    {
        QFETCH(int, id);
        QFETCH(QString, condition);
        const std::vector<std::function<DiffBuilder()>> diffs = {
            [] { return DiffBuilder().Delete(2, 4); },
            [] { return DiffBuilder().Delete(2, 1); },
            [] { return DiffBuilder().Delete(0, 2).Delete(0, 2); },
            [] { return DiffBuilder().Insert(4, "x"); },
            [] { return DiffBuilder().Insert(-1, "x"); },
            [] { return DiffBuilder().Delete(0, 3).Insert(1, "x"); },
            [] { return DiffBuilder().Update(3, Member("x")); },
            [] { return DiffBuilder().Delete(0, 1).Update(2, Member("x")); },
            [] { return DiffBuilder().DeleteNull(); },
            [] { return DiffBuilder().InsertNull(0); },
        };
        // Through a row bracket (add) and inside a reset (move) alike.
        for (bool move : {false, true}) {
            Fixture f({"a", "b", "c"});
            f.model.SetCurrentIndex(1);
            f.log->events.clear();
            const auto diff = diffs[static_cast<std::size_t>(id)]().Duplicates(true).Current(0, "x").Build();
            const QString raised = LogicFailure([&] {
                if (move) {
                    f.dispatcher.Answer<Cmds::MoveListMembers>().Set<Cmds::ListDomainDiff>(diff);
                    f.model.MoveItems(QItemSelection(f.model.index(0, 0), f.model.index(0, 1)), 2, true);
                } else {
                    f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(diff);
                    f.model.AddNewItem(TString(L"x"));
                }
            });
            QVERIFY2(raised.startsWith(QStringLiteral("main/models/ParameterMemberModel: ") + condition),
                qPrintable(raised));
            QCOMPARE(Values(f.model), QStringList({"a", "b", "c"}));
            QCOMPARE(f.model.GetCurrentIndex(), 1u);
            QVERIFY(!f.model.HasDuplicates());
            QCOMPARE(f.log->events, move ? QStringList({"reset"}) : QStringList());
        }
    }

    void missingOrMistypedAnswersRaise()
    {
        Fixture f({"a", "b"});
        // A deletion answered without its diff, then with an empty one.
        f.dispatcher.Answer<Cmds::DeleteListMembers>();
        QCOMPARE(MismatchedParameter([&] { f.model.EraseRow(0); }), Cmds::ListDomainDiff::id);
        f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(nullptr);
        QCOMPARE(LogicCondition([&] { f.model.EraseRow(0); }), QStringLiteral("m_ptr"));
        // An answer whose diff is of another type is a refusal, not a fault.
        f.dispatcher.Answer<Cmds::AddListMember>().SetRaw<int>(Cmds::ListDomainDiff::id, 1);
        QVERIFY(!f.model.AddNewItem(TString(L"c")));
        f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(nullptr);
        QCOMPARE(LogicCondition([&] { f.model.AddNewItem(TString(L"c")); }), QStringLiteral("m_ptr"));
        QCOMPARE(Values(f.model), QStringList({"a", "b"}));
        QVERIFY(f.log->events.isEmpty());
    }

    void raisingListenerStillEndsTheRowChange_data()
    {
        QTest::addColumn<int>("action"); // 0 add, 1 erase row 0, 2 move row 0 to the end
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("raiseInside"); // a listener of the current value raises
        QTest::addColumn<bool>("raiseAtEnd"); // a listener of the end signal raises
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("raised");

        const QStringList none;
        const QStringList ab {"a", "b"};
        // The rows changed before the listener ran, so the change is announced all the same, the
        // emptiness before the end of the bracket.
        QTest::newRow("insertion") << 0 << none << true << false
                                   << QStringList({"formatted a", "index 0", "empty false", "inserted 0-0"})
                                   << QStringList({"a"}) << "inside";
        QTest::newRow("removal") << 1 << ab << true << false << QStringList({"formatted b", "index 0", "removed 0-0"})
                                 << QStringList({"b"}) << "inside";
        QTest::newRow("rearranging diff")
            << 0 << ab << true << false << QStringList({"formatted b", "index 0", "reset"}) << QStringList({"b", "c"})
            << "inside";
        QTest::newRow("move") << 2 << ab << true << false << QStringList({"formatted a", "index 1", "reset"})
                              << QStringList({"b", "a"}) << "inside";
        // What the end signal's listener raises reaches the caller; while the first is on its way, the
        // second is dropped.
        QTest::newRow("end of insertion")
            << 0 << none << false << true << QStringList({"formatted a", "index 0", "empty false", "inserted 0-0"})
            << QStringList({"a"}) << "end";
        QTest::newRow("end of removal, both")
            << 1 << ab << true << true << QStringList({"formatted b", "index 0", "removed 0-0"}) << QStringList({"b"})
            << "inside";
        QTest::newRow("end of move, both")
            << 2 << ab << true << true << QStringList({"formatted a", "index 1", "reset"}) << QStringList({"b", "a"})
            << "inside";
    }

    void raisingListenerStillEndsTheRowChange()
    {
        QFETCH(int, action);
        QFETCH(QStringList, before);
        QFETCH(bool, raiseInside);
        QFETCH(bool, raiseAtEnd);
        QFETCH(QStringList, events);
        QFETCH(QStringList, after);
        QFETCH(QString, raised);

        Fixture f(before);
        if (raiseInside)
            QObject::connect(
                &f.model, &ParameterMemberModel::IndexChanged, [](int) { throw std::runtime_error("inside"); });
        if (raiseAtEnd) {
            const auto raise = [] { throw std::runtime_error("end"); };
            QObject::connect(&f.model, &QAbstractItemModel::rowsInserted, raise);
            QObject::connect(&f.model, &QAbstractItemModel::rowsRemoved, raise);
            QObject::connect(&f.model, &QAbstractItemModel::modelReset, raise);
        }
        try {
            switch (action) {
            case 0:
                f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(before.isEmpty()
                        ? DiffBuilder().Insert(0, "a").Current(0, "a").Build()
                        : DiffBuilder().Delete(0, 1).Insert(1, "c").Current(0, "b").Build());
                f.model.AddNewItem(TString(L"x"));
                break;
            case 1:
                f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(
                    DiffBuilder().Delete(0, 1).Current(0, "b").Build());
                f.model.EraseRow(0);
                break;
            default:
                f.dispatcher.Answer<Cmds::MoveListMembers>().Set<Cmds::ListDomainDiff>(
                    DiffBuilder().Delete(0, 1).Insert(1, "a").Current(1, "a").Build());
                f.model.MoveItems(QItemSelection(f.model.index(0, 0), f.model.index(0, 1)), 2, true);
                break;
            }
            QFAIL("the listener's exception must reach the caller");
        } catch (const std::runtime_error& e) {
            QCOMPARE(QString::fromUtf8(e.what()), raised);
        }
        QCOMPARE(f.log->events, events);
        QCOMPARE(Values(f.model), after);
        QCOMPARE(f.model.rowCount(), after.size() + 1);
    }

    void listReplacementRejectsEmptyRecords()
    {
        Fixture f({"a"});
        auto members = Members({"x", "y"});
        members.insert(members.begin() + 1, nullptr);
        QVERIFY_EXCEPTION_THROWN(f.model.SetListDomain(members), LogicException);
        QVERIFY(f.log->events.isEmpty());
        QCOMPARE(Values(f.model), QStringList({"a"}));

        f.model.SetListDomain({});
        f.model.SetListDomain({});
        QCOMPARE(f.log->events, QStringList({"reset", "empty true", "reset"}));
    }

    void comboListsMembersAndFollowsCurrentIndex()
    {
        RecordingDispatcher dispatcher;
        ParameterMemberView view;
        view.Initialize(dispatcher, EditId);
        ParameterMemberModel& model = *view.GetModel();
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
        SearchableComboBox combo;
        auto* proxy = new ValueComboProxyModel(&combo);
        proxy->setSourceModel(&model);
        QAbstractItemModelTester proxyTester(proxy, QAbstractItemModelTester::FailureReportingMode::Fatal);
        combo.setModel(proxy, false);

        // The first value of an empty list is selected as it arrives.
        dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Insert(0, Member("1", "One")).Current(0, "1").Build());
        QVERIFY(model.AddNewItem(TString(L"1")));
        QCOMPARE(combo.count(), 1);
        QCOMPARE(combo.currentIndex(), 0);

        model.SetListDomain({Member("1", "One"), Member("2"), Member("3", "Three")});
        model.SetCurrentIndex(2);
        QCOMPARE(ItemTexts(combo), QStringList({"One", "2", "Three"}));
        QCOMPARE(combo.currentIndex(), 2);

        QSignalSpy comboChanged(&combo, QOverload<int>::of(&QComboBox::currentIndexChanged));
        qRegisterMetaType<Qt::Orientation>();
        QSignalSpy proxyHeader(proxy, &QAbstractItemModel::headerDataChanged);
        model.SetCurrentIndex(0);
        model.SetHasDuplicates(true);
        QCOMPARE(combo.currentIndex(), 0);
        QCOMPARE(comboChanged.count(), 0);
        QCOMPARE(proxyHeader.count(), 0);

        dispatcher.Answer<Cmds::SetParameterValueIndex>().Set<Cmds::ListIndex>(1u).Set<Cmds::FormattedValue>(
            TString(L"2"));
        emit combo.activated(1);
        QCOMPARE(dispatcher.Last<Cmds::SetParameterValueIndex>().Get<Cmds::ChosenValueIndex>(), 1);
        QCOMPARE(combo.currentIndex(), 1);

        // A reset selects the model's current value again.
        model.SetListDomain(Members({"x", "y", "z"}));
        QCOMPARE(ItemTexts(combo), QStringList({"x", "y", "z"}));
        QCOMPARE(combo.currentIndex(), 1);
    }
};

QTEST_MAIN(ParameterMemberModelTest)

#include "ParameterMemberModelTest.moc"
