#include "CubeFixture.h"

#include "host/doc/HostLog.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchyMemberModel.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/LazyTreeView.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

using namespace CubeTest;
using ZelTest::HostLogMentions;
using ZelTest::RecordingDispatcher;

namespace {

struct Picker : Host
{
    explicit Picker(int bigCount = 1234)
        : Host(bigCount)
    {
        widget.resize(320, 300);
    }

    QString Selected() const { return widget.GetSelectedMember()->GetUniqueName().ToQString(); }

    void Show()
    {
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
    }

    void Load(FieldName hierarchy = Fixture::Hierarchy())
    {
        widget.CreateModel(dispatcher, hierarchy);
        QCoreApplication::processEvents();
    }

    QModelIndex Index(const QString& caption) const
    {
        const QAbstractItemModel& model = *widget.TreeView().model();
        const QModelIndexList found
            = model.match(model.index(0, 0), Qt::DisplayRole, caption, 1, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }

    RefCntPtr<Tuple> Member(const wchar_t* uniqueName) const
    {
        auto tuple = MakeRefCnt<Tuple>();
        tuple->SetHierarchy(Fixture::Hierarchy());
        tuple->SetUniqueName(TString(uniqueName));
        return tuple;
    }

    HierarchySelectWidget widget;
};

} // namespace

class HierarchySelectWidgetTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void loadsTheTopAndAnnouncesItAfterwards()
    {
        Picker p;
        QSignalSpy loaded(&p.widget, &HierarchySelectWidget::RootLoaded);
        p.widget.CreateModel(p.dispatcher, Fixture::Hierarchy());
        QCOMPARE(p.dispatcher->CommandIds(), std::vector<int> {Cmds::GetHierarchyRoot::id});
        QCOMPARE(p.dispatcher->Last<Cmds::GetHierarchyRoot>().Get<Cmds::HierarchyName>(), Fixture::Hierarchy());
        // A caller connects after CreateModel and still hears of it.
        QCOMPARE(loaded.count(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(p.widget.TreeView().visibleRowCount(), qint64(1));
        QVERIFY(!p.widget.HasSelectedMember());

        // A second hierarchy replaces the first before it was announced: only the second is.
        p.widget.CreateModel(p.dispatcher, Fixture::Hierarchy());
        p.widget.CreateModel(p.dispatcher, Fixture::Hierarchy());
        QCoreApplication::processEvents();
        QCOMPARE(loaded.count(), 2);
    }

    void unknownHierarchyGivesAnEmptyTree()
    {
        Picker p;
        QSignalSpy loaded(&p.widget, &HierarchySelectWidget::RootLoaded);
        HostLog::Clear();
        p.Load(Fixture::Unknown());
        QVERIFY(!p.widget.Model());
        QCOMPARE(p.widget.TreeView().visibleRowCount(), qint64(0));
        QCOMPARE(loaded.count(), 0);
        QVERIFY(HostLogMentions(QStringLiteral("refused the hierarchy [Fixture Cube].[Planets]")));
        QVERIFY(!p.widget.HasSelectedMember());
        QVERIFY(!p.widget.GetSelectedMember());
        int level = 7;
        QVERIFY(p.widget.GetSelectedDataValue(&level).IsNull());
        QCOMPARE(level, -1);
        p.widget.ExpandTree(-1, 0, -1);
        p.widget.Search(QStringLiteral("o"));
        QVERIFY(!p.widget.SetSelectedMember(p.Member(L"[Places].[North]")));
        // A mistyped answer is not a refusal.
        p.dispatcher->Answer<Cmds::GetHierarchyRoot>().SetRaw<int>(Cmds::HierarchyRoot::id, 1);
        QVERIFY_EXCEPTION_THROWN(
            p.widget.CreateModel(p.dispatcher, Fixture::Hierarchy()), TypeMismatchCommandException);
    }

    void selectionReadsAsValueLevelAndTuple()
    {
        Picker p;
        p.Load();
        p.Show();
        QSignalSpy changed(&p.widget, &HierarchySelectWidget::MemberSelectionChanged);
        LazyTreeView& tree = p.widget.TreeView();
        tree.expand(tree.model()->index(0, 0));
        const QModelIndex north = p.Index(QStringLiteral("North"));
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(north).center());
        QCOMPARE(changed.count(), 1);
        QVERIFY(p.widget.HasSelectedMember());
        int level = -1;
        const DataValue value = p.widget.GetSelectedDataValue(&level);
        QCOMPARE(level, 1);
        QCOMPARE(value.GetDataType(), DT_STRING);
        QVERIFY(!value.IsSpecial());
        QCOMPARE(value.GetString().ToQString(), QStringLiteral("[Places].[North]"));
        const RefCntPtr<Tuple> tuple = p.widget.GetSelectedMember();
        QCOMPARE(tuple->GetHierarchy(), Fixture::Hierarchy());
        QCOMPARE(tuple->GetUniqueName().ToQString(), QStringLiteral("[Places].[North]"));
        QCOMPARE(tuple->GetLevel(), 1);
        QCOMPARE(tuple->GetMember(), value);

        // The All member stands for all others: its value is special.
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(tree.model()->index(0, 0)).center());
        QVERIFY(p.widget.GetSelectedDataValue(&level).IsSpecial());
        QCOMPARE(level, 0);
        // One at a time: a second click replaces the first; a control-click clears it.
        QCOMPARE(tree.selectionModel()->selectedIndexes().size(), 1);
        QTest::mouseClick(
            tree.viewport(), Qt::LeftButton, Qt::ControlModifier, tree.visualRect(tree.model()->index(0, 0)).center());
        QVERIFY(!p.widget.HasSelectedMember());
        QVERIFY(!p.widget.GetSelectedMember());

        // Check boxes: any number, each click adds or takes away.
        p.widget.SetRadioMode(false);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(north).center());
        QTest::mouseClick(
            tree.viewport(), Qt::LeftButton, {}, tree.visualRect(p.Index(QStringLiteral("West"))).center());
        QCOMPARE(tree.selectionModel()->selectedIndexes().size(), 2);
        QCOMPARE(p.Selected(), QStringLiteral("[Places].[West]"));
    }

    void setSelectedMemberReadsOnlyThePath()
    {
        Picker p;
        p.Load();
        p.Show();
        p.Clear();
        QVERIFY(p.widget.SetSelectedMember(p.Member(L"[Places].[East].[E1100]")));
        QCOMPARE(p.dispatcher->CommandIds(), std::vector<int> {Cmds::GetMemberPath::id});
        QCOMPARE(p.dispatcher->Last<Cmds::GetMemberPath>().Get<Cmds::MemberName>().ToQString(),
            QStringLiteral("[Places].[East].[E1100]"));
        QCOMPARE(p.Selected(), QStringLiteral("[Places].[East].[E1100]"));

        // -2 brings it into view: its ancestors open, and the rows around it are read, nothing more.
        LazyTreeView& tree = p.widget.TreeView();
        p.widget.ExpandTree(-2, 0, -1);
        tree.viewport()->repaint();
        const QModelIndex selected = tree.selectionModel()->currentIndex();
        QVERIFY(tree.viewport()->rect().contains(tree.visualRect(selected).center()));
        QVERIFY(tree.isExpanded(selected.parent()));
        QVERIFY(p.dispatcher->Count<Cmds::GetMemberChildren>() <= 3);

        // A member the host does not know leaves the selection as it was.
        HostLog::Clear();
        QVERIFY(!p.widget.SetSelectedMember(p.Member(L"[Places].[Atlantis]")));
        QVERIFY(HostLogMentions(QStringLiteral("[Places].[Atlantis]")));
        QCOMPARE(p.Selected(), QStringLiteral("[Places].[East].[E1100]"));
        QVERIFY(p.widget.SetSelectedMember(RefCntPtr<Tuple>()));
        QVERIFY(!p.widget.HasSelectedMember());
    }

    void selectingCurrentPicksTheDefaultOnceLoaded()
    {
        Picker p;
        p.fixture.defaultMember = QStringLiteral("[Places].[West].[Galway]");
        QSignalSpy loaded(&p.widget, &HierarchySelectWidget::RootLoaded);
        p.widget.CreateModel(p.dispatcher, Fixture::Hierarchy());
        p.widget.SetSelectingCurrent(true);
        QVERIFY(!p.widget.HasSelectedMember());
        // The selection is in place by the time RootLoaded is heard.
        connect(&p.widget, &HierarchySelectWidget::RootLoaded, this,
            [&p] { QCOMPARE(p.Selected(), QStringLiteral("[Places].[West].[Galway]")); });
        QCoreApplication::processEvents();
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(p.widget.GetSelectedMember()->GetLevel(), 2);

        // Asked for after the announcement, it selects at once.
        Picker late;
        late.Load();
        late.widget.SetSelectingCurrent(true);
        QCOMPARE(late.Selected(), QStringLiteral("[Places].[All Places]"));
    }

    void expandAllExpandsWhatShows()
    {
        Picker p(100'000);
        p.Load();
        p.Show();
        p.Clear();
        LazyTreeView& tree = p.widget.TreeView();
        p.widget.ExpandTree(-1, 0, -1);
        tree.viewport()->repaint();
        // All Places, then Central (no cities) and East with its hundred thousand: one page of them.
        QVERIFY(tree.isExpanded(tree.model()->index(0, 0)));
        QVERIFY(tree.isExpanded(p.Index(QStringLiteral("East"))));
        QCOMPARE(tree.visibleRowCount(), qint64(1 + 4 + 100'000));
        QCOMPARE(p.dispatcher->Count<Cmds::GetMemberChildren>(), std::size_t(2));

        // Scrolling on opens the regions as they show; each one opened pushes the next down.
        for (int i = 0; i < 3; ++i) {
            tree.scrollToBottom();
            tree.viewport()->repaint();
        }
        QVERIFY(tree.isExpanded(p.Index(QStringLiteral("West"))));
        QCOMPARE(tree.visibleRowCount(), qint64(1 + 4 + 100'000 + 3 + 2));

        // A level: expands the levels above it only.
        Picker levels;
        levels.Load();
        levels.Show();
        levels.widget.ExpandTree(1, 0, -1);
        levels.widget.TreeView().viewport()->repaint();
        QCOMPARE(levels.widget.TreeView().visibleRowCount(), qint64(5));
    }

    void searchListsMatchesAndSaysWhenCut()
    {
        Picker p(500);
        p.Load();
        QListWidget& results = p.widget.SearchResults();
        p.Clear();
        p.widget.Search(QStringLiteral("o"));
        QCOMPARE(p.dispatcher->CommandIds(), std::vector<int> {Cmds::SearchMembers::id});
        const auto& sent = p.dispatcher->Last<Cmds::SearchMembers>();
        QCOMPARE(sent.Get<Cmds::SearchText>().ToQString(), QStringLiteral("o"));
        QCOMPARE(sent.Get<Cmds::SearchLimit>(), HierarchySelectWidget::kSearchLimit);
        QVERIFY(results.isVisible() || !p.widget.isVisible());
        QStringList found;
        for (int i = 0; i < results.count(); ++i)
            found << results.item(i)->text();
        // Level by level, as the host orders them.
        QCOMPARE(found, QStringList({"North (Region)", "Oslo (City)", "Tromso (City)", "Cork (City)"}));
        QCOMPARE(p.widget.SearchStatus().text(), QStringLiteral("4 matching members"));

        p.widget.Search(QStringLiteral("E0"));
        QCOMPARE(results.count(), int(HierarchySelectWidget::kSearchLimit));
        QCOMPARE(p.widget.SearchStatus().text(),
            QStringLiteral("Showing the first 100 matching members; type more to narrow the search."));
        p.widget.Search(QStringLiteral("E0499"));
        QCOMPARE(p.widget.SearchStatus().text(), QStringLiteral("1 matching member"));
        p.widget.Search(QStringLiteral("zzz"));
        QCOMPARE(p.widget.SearchStatus().text(),
            QString(QStringLiteral("No member matches ") + QChar(0x201C) + QStringLiteral("zzz") + QChar(0x201D)
                + QLatin1Char('.')));

        // A pick among the results is the tree's selection.
        p.widget.Search(QStringLiteral("oslo"));
        p.Clear();
        emit results.itemClicked(results.item(0));
        QCOMPARE(p.dispatcher->CommandIds(), std::vector<int> {Cmds::GetMemberPath::id});
        QCOMPARE(p.Selected(), QStringLiteral("[Places].[North].[Oslo]"));
        p.widget.Search(QString());
        QVERIFY(p.widget.HasSelectedMember());

        // Typing searches a moment after the last key.
        p.Clear();
        QTest::keyClicks(&p.widget.SearchBox(), QStringLiteral("gal"));
        QCOMPARE(p.dispatcher->Count<Cmds::SearchMembers>(), std::size_t(0));
        QTRY_COMPARE(p.dispatcher->Count<Cmds::SearchMembers>(), std::size_t(1));
        QCOMPARE(results.item(0)->text(), QStringLiteral("Galway (City)"));

        // A refused search says so.
        p.dispatcher->AnswerNull<Cmds::SearchMembers>();
        p.widget.Search(QStringLiteral("cork"));
        QCOMPARE(p.widget.SearchStatus().text(), LookupTStr(Zel::Strings::MemberSearchFailed).ToQString());
        QCOMPARE(results.count(), 0);
    }

    void returnInTheSearchBoxStaysInTheBox()
    {
        Picker p;
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        auto* widget = new HierarchySelectWidget(&dialog);
        auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
        ok->setDefault(true);
        layout->addWidget(widget);
        layout->addWidget(ok);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        widget->CreateModel(p.dispatcher, Fixture::Hierarchy());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        widget->SearchBox().setFocus();
        QTest::keyClicks(&widget->SearchBox(), QStringLiteral("west"));
        QTest::keyClick(&widget->SearchBox(), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QCOMPARE(widget->SearchResults().count(), 1);
        dialog.reject();
    }
};

QTEST_MAIN(HierarchySelectWidgetTest)

#include "HierarchySelectWidgetTest.moc"
