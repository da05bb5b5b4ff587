#include "ParameterTestSupport.h"
#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "host/doc/StringTable.h"
#include "host/ui/TextBalloonTipWidget.h"
#include "main/models/ParameterMemberModel.h"
#include "widgets/HeaderTooltipEventFilter.h"

#include <QtCore/QMimeData>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>

#include <memory>

using namespace ZelTest;
using namespace ParameterTest;
namespace Cmds = Zel::Commands::Parameter;

namespace {

// A shown view over a recording dispatcher, its model checked by the model tester from the start.
struct ViewFixture
{
    explicit ViewFixture(const QStringList& values)
    {
        view.Initialize(dispatcher, 42);
        tester = std::make_unique<QAbstractItemModelTester>(
            view.GetModel(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        Model().SetListDomain(Members(values));
        view.resize(420, 260);
        view.show();
        exposed = QTest::qWaitForWindowExposed(&view);
    }
    ParameterMemberModel& Model() { return *view.GetModel(); }
    QModelIndex Index(int row, int column = 0) { return Model().index(row, column); }
    QStringList SentRanges(int commandId) const { return ParameterTest::SentRanges(dispatcher.LastOf(commandId)); }
    void Hover(QEvent::Type type, const QPoint& pos)
    {
        QHoverEvent event(type, pos, pos);
        QApplication::sendEvent(view.horizontalHeader(), &event);
    }

    RecordingDispatcher dispatcher;
    DroppableView view;
    std::unique_ptr<QAbstractItemModelTester> tester;
    bool exposed = false;
};

} // namespace

class ParameterMemberViewTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void refusedEditBeepsOnceUnlessSilent()
    {
        ViewFixture f({"a"});
        ZelTest::ModalScript beepCounter;
        f.dispatcher.Answer<Cmds::AddListMember>();
        QVERIFY(!f.view.AddNewItem(TString(L"x")));
        QCOMPARE(beepCounter.Beeps(), 1);
        f.dispatcher.Answer<Cmds::UpdateListMember>();
        QVERIFY(!f.view.UpdateItem(0, 1, TString(L"y")));
        QCOMPARE(beepCounter.Beeps(), 2);

        f.view.SetSilentMode(true);
        f.dispatcher.Answer<Cmds::AddListMember>();
        f.dispatcher.Answer<Cmds::UpdateListMember>();
        QVERIFY(!f.view.AddNewItem(TString(L"x")));
        QVERIFY(!f.view.UpdateItem(0, 0, TString(L"y")));
        QCOMPARE(beepCounter.Beeps(), 2);

        f.view.SetSilentMode(false);
        f.dispatcher.Answer<Cmds::AddListMember>().Set<Cmds::ListDomainDiff>(DiffBuilder().Insert(1, "x").Build());
        QVERIFY(f.view.AddNewItem(TString(L"x")));
        QCOMPARE(beepCounter.Beeps(), 2);
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(5));
    }

    void balloonShowsOverAliasHeaderAndFadesOverValueHeader()
    {
        ViewFixture f({"a", "b"});
        QVERIFY(f.exposed);
        f.Model().SetHasDuplicates(true);
        QHeaderView* header = f.view.horizontalHeader();
        TextBalloonTipWidget* tip = f.view.GetBalloonTip();

        QCOMPARE(tip->GetSectionText(0), LookupTStr(Zel::Strings::DuplicateNamesTitle));
        QCOMPARE(tip->GetSectionText(1), LookupTStr(Zel::Strings::DuplicateNamesMessage));
        QCOMPARE(tip->GetSectionIcon(0).GetResourceId(), Zel::Icons::DuplicateWarning);
        QCOMPARE(tip->GetSectionTextColor(0), QColor(0, 82, 202, 255));
        QCOMPARE(tip->GetSectionFont(0).pointSize(), tip->GetSectionFont(1).pointSize() + 3);
        QVERIFY(tip->IsFloatingTooltipModeEnabled());

        f.Hover(QEvent::HoverEnter, QPoint(header->sectionViewportPosition(1) + 30, 5));
        QVERIFY(tip->isVisible());
        QCOMPARE(tip->GetTargetPoint(), header->mapToGlobal(QPoint(header->sectionViewportPosition(1) + 10, 0)));
        QCOMPARE(tip->GetAnchorWidget(), header);

        f.Hover(QEvent::HoverMove, QPoint(5, 5));
        QVERIFY(tip->IsFadingOut());
        QTRY_VERIFY(!tip->isVisible());

        // Back over the alias column before the fade ends: shown again, at once.
        f.Hover(QEvent::HoverMove, QPoint(header->sectionViewportPosition(1) + 5, 5));
        f.Hover(QEvent::HoverMove, QPoint(5, 5));
        f.Hover(QEvent::HoverMove, QPoint(header->sectionViewportPosition(1) + 5, 5));
        QVERIFY(tip->isVisible() && !tip->IsFadingOut());
    }

    void withoutDuplicatesHoverDoesNothing()
    {
        ViewFixture f({"a", "b"});
        QHeaderView* header = f.view.horizontalHeader();
        TextBalloonTipWidget* tip = f.view.GetBalloonTip();
        f.Hover(QEvent::HoverEnter, QPoint(header->sectionViewportPosition(1) + 5, 5));
        QVERIFY(!tip->isVisible());

        tip->ShowTip(header->mapToGlobal(QPoint(50, 0)), true, header);
        f.Hover(QEvent::HoverMove, QPoint(5, 5));
        QVERIFY(tip->isVisible() && !tip->IsFadingOut());
    }

    void pointerOverTheHeaderReachesTheFilter()
    {
        ViewFixture f({"a", "b"});
        QVERIFY(f.exposed);
        f.Model().SetHasDuplicates(true);
        QHeaderView* header = f.view.horizontalHeader();
        // As the window system delivers it: to the header's viewport, with the header asking for hovers.
        QTest::mouseMove(header->viewport(), QPoint(5, 5));
        QTest::mouseMove(header->viewport(), QPoint(header->sectionViewportPosition(1) + 20, 6));
        QTRY_VERIFY(f.view.GetBalloonTip()->isVisible());
    }

    void filterReportsEnterAndMoveButNotLeave()
    {
        QObject target;
        HeaderTooltipEventFilter filter;
        target.installEventFilter(&filter);
        QSignalSpy spy(&filter, &HeaderTooltipEventFilter::HeaderTooltip);

        QHoverEvent enter(QEvent::HoverEnter, QPoint(3, 4), QPoint(-1, -1));
        QHoverEvent move(QEvent::HoverMove, QPoint(7, 8), QPoint(3, 4));
        QHoverEvent leave(QEvent::HoverLeave, QPoint(-1, -1), QPoint(7, 8));
        QMouseEvent mouse(QEvent::MouseMove, QPointF(9, 9), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &enter);
        QCoreApplication::sendEvent(&target, &move);
        QCoreApplication::sendEvent(&target, &leave);
        QCoreApplication::sendEvent(&target, &mouse);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toPoint(), QPoint(3, 4));
        QCOMPARE(spy.at(1).at(0).toPoint(), QPoint(7, 8));
        // Reported events are not consumed.
        QVERIFY(!filter.eventFilter(&target, &move));
    }

    void keyboardDeletesAndMovesSelectedRows()
    {
        ViewFixture f({"a", "b", "c", "d", "e"});
        SelectRows(f.view, {1, 3});
        f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Delete(3, 4).Delete(1, 2).Build());
        QTest::keyClick(&f.view, Qt::Key_Delete);
        QCOMPARE(f.dispatcher.CommandIds(), std::vector<int> {Cmds::DeleteListMembers::id});
        QCOMPARE(f.SentRanges(Cmds::DeleteListMembers::id), QStringList({"1-2", "3-4"}));
        QCOMPARE(Values(f.Model()), QStringList({"a", "c", "e"}));
        QCOMPARE(f.view.GetSelectedDataRows(), std::vector<int> {1});

        SelectRows(f.view, {2});
        f.dispatcher.Answer<Cmds::DeleteListMembers>().Set<Cmds::ListDomainDiff>(DiffBuilder().Delete(2, 3).Build());
        QTest::keyClick(&f.view, Qt::Key_Backspace);
        QCOMPARE(f.SentRanges(Cmds::DeleteListMembers::id), QStringList({"2-3"}));
        QCOMPARE(f.view.GetSelectedDataRows(), std::vector<int> {1});

        SelectRows(f.view, {0});
        f.dispatcher.Answer<Cmds::MoveListMembersToRow>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Delete(0, 1).Insert(1, "a").Build());
        QTest::keyClick(&f.view, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(f.dispatcher.CommandIds().back(), Cmds::MoveListMembersToRow::id);
        QCOMPARE(f.SentRanges(Cmds::MoveListMembersToRow::id), QStringList({"0-1"}));
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembersToRow>().Get<Cmds::ListIndex>(), 1u);
        QCOMPARE(Values(f.Model()), QStringList({"c", "a"}));
        QCOMPARE(f.view.GetSelectedDataRows(), std::vector<int> {1});

        // Nothing to move past either end.
        QTest::keyClick(&f.view, Qt::Key_Down, Qt::ControlModifier);
        SelectRows(f.view, {0});
        QTest::keyClick(&f.view, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(3));
    }

    void dropBetweenRowsMovesDraggedRows()
    {
        ViewFixture f({"a", "b", "c", "d"});
        QVERIFY(f.exposed);
        auto drop = [&f](const QList<int>& rows, int onRow, bool lowerHalf) {
            QModelIndexList dragged;
            for (int row : rows)
                dragged << f.Index(row);
            std::unique_ptr<QMimeData> mime(f.Model().mimeData(dragged));
            const QRect cell = f.view.visualRect(f.Index(onRow));
            const QPoint at(cell.center().x(), lowerHalf ? cell.bottom() - 2 : cell.top() + 2);
            QDropEvent event(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
            f.view.dropEvent(&event);
            return event.isAccepted();
        };

        f.dispatcher.Answer<Cmds::MoveListMembers>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Delete(0, 1).Insert(2, "a").Build());
        QVERIFY(drop({0}, 2, true));
        QCOMPARE(f.dispatcher.CommandIds(), std::vector<int> {Cmds::MoveListMembers::id});
        QCOMPARE(f.SentRanges(Cmds::MoveListMembers::id), QStringList({"0-1"}));
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembers>().Get<Cmds::ListIndex>(), 3u);
        QCOMPARE(Values(f.Model()), QStringList({"b", "c", "a", "d"}));
        QCOMPARE(f.view.GetSelectedDataRows(), std::vector<int> {2});

        // Onto the add-new-item row: to the end.
        f.dispatcher.Answer<Cmds::MoveListMembers>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Delete(0, 2).Insert(2, "b").Insert(3, "c").Build());
        QVERIFY(drop({0, 1}, 4, false));
        QCOMPARE(f.dispatcher.Last<Cmds::MoveListMembers>().Get<Cmds::ListIndex>(), 4u);
        QCOMPARE(Values(f.Model()), QStringList({"a", "d", "b", "c"}));

        // Into the gap the rows came from, or from another model: nothing is sent.
        QVERIFY(drop({1}, 1, true));
        QVERIFY(drop({1}, 1, false));
        QMimeData foreign;
        foreign.setData(AbstractModifiableTableModel::RowsMimeType(), QByteArray("junk"));
        QDropEvent event(
            f.view.visualRect(f.Index(0)).center(), Qt::MoveAction, &foreign, Qt::LeftButton, Qt::NoModifier);
        f.view.dropEvent(&event);
        QVERIFY(!event.isAccepted());
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(2));
    }
};

QTEST_MAIN(ParameterMemberViewTest)

#include "ParameterMemberViewTest.moc"
