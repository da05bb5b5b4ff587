#include "host/ui/LazyTreeView.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QStandardItemModel>
#include <QtTest/QtTest>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTreeView>

namespace {

// A tree of any size that holds nothing: the top item has `wide` children, each with three
// children of its own. It counts the indexes it hands out, which is what a view costs it.
class WideTreeModel final : public QAbstractItemModel
{
public:
    explicit WideTreeModel(int wide)
        : m_wide(wide)
    {
    }

    // internalId: 0 for the top item, 1 for its children, 2 + n for the children of child n.
    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        if (row < 0 || column != 0 || row >= rowCount(parent))
            return {};
        ++indexes;
        if (!parent.isValid())
            return createIndex(row, 0, quintptr(0));
        return createIndex(row, 0, parent.internalId() == 0 ? quintptr(1) : quintptr(2 + parent.row()));
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        if (!child.isValid() || child.internalId() == 0)
            return {};
        if (child.internalId() == 1)
            return createIndex(0, 0, quintptr(0));
        return createIndex(static_cast<int>(child.internalId() - 2), 0, quintptr(1));
    }
    int rowCount(const QModelIndex& parent) const override
    {
        if (!parent.isValid())
            return 1;
        if (parent.internalId() == 0)
            return m_wide;
        return parent.internalId() == 1 ? 3 : 0;
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        ++reads;
        return QStringLiteral("%1/%2").arg(index.internalId()).arg(index.row());
    }

    mutable long long indexes = 0;
    mutable long long reads = 0;

private:
    int m_wide;
};

// A small irregular tree: "r0".."r4" with 0..5 children each, and grandchildren under some.
std::unique_ptr<QStandardItemModel> SmallTree()
{
    auto model = std::make_unique<QStandardItemModel>();
    for (int r = 0; r < 5; ++r) {
        auto* top = new QStandardItem(QStringLiteral("r%1").arg(r));
        for (int c = 0; c < r + 1 - (r == 2 ? 3 : 0); ++c) {
            auto* child = new QStandardItem(QStringLiteral("r%1c%2").arg(r).arg(c));
            for (int g = 0; g < (c % 2 == 0 ? 2 : 0); ++g)
                child->appendRow(new QStandardItem(QStringLiteral("r%1c%2g%3").arg(r).arg(c).arg(g)));
            top->appendRow(child);
        }
        model->appendRow(top);
    }
    return model;
}

QModelIndex Find(const QStandardItemModel& model, const QString& text)
{
    const QModelIndexList found
        = model.match(model.index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

// The rows a QTreeView shows, top to bottom.
QStringList ReferenceRows(QTreeView& reference)
{
    QStringList rows;
    for (QModelIndex at = reference.model()->index(0, 0); at.isValid(); at = reference.indexBelow(at))
        rows << at.data().toString();
    return rows;
}

QStringList LazyRows(const LazyTreeView& view)
{
    QStringList rows;
    for (qint64 row = 0; row < view.visibleRowCount(); ++row) {
        const QModelIndex index = view.indexAtRow(row);
        rows << index.data().toString();
        if (view.rowOf(index) != row)
            rows << QStringLiteral("(rowOf mismatch)");
    }
    return rows;
}

void Show(QWidget& widget)
{
    widget.resize(300, 200);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
}

} // namespace

class LazyTreeViewTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void rowsFollowATreeViewsOrder()
    {
        const auto model = SmallTree();
        QTreeView reference;
        reference.setModel(model.get());
        LazyTreeView view;
        view.setModel(model.get());
        QCOMPARE(LazyRows(view), ReferenceRows(reference));

        for (const char* text : {"r3", "r1", "r3c0", "r4", "r4c2", "r0", "r2"}) {
            const QModelIndex index = Find(*model, QString::fromLatin1(text));
            view.expand(index);
            reference.expand(index);
            QCOMPARE(LazyRows(view), ReferenceRows(reference));
        }
        QCOMPARE(view.visibleRowCount(), qint64(ReferenceRows(reference).size()));
        for (const char* text : {"r3", "r4c2", "r1"}) {
            const QModelIndex index = Find(*model, QString::fromLatin1(text));
            view.collapse(index);
            reference.collapse(index);
            QCOMPARE(LazyRows(view), ReferenceRows(reference));
        }
        // Collapsed ancestors hide their expanded descendants, which come back with them.
        view.expand(Find(*model, QStringLiteral("r3")));
        reference.expand(Find(*model, QStringLiteral("r3")));
        QCOMPARE(LazyRows(view), ReferenceRows(reference));
        QVERIFY(view.isExpanded(Find(*model, QStringLiteral("r3c0"))));
        QCOMPARE(view.rowOf(Find(*model, QStringLiteral("r1c0g0"))), qint64(-1));
        QVERIFY(!view.indexAtRow(view.visibleRowCount()).isValid());
    }

    void keepsExpandedItemsThroughModelChanges()
    {
        const auto model = SmallTree();
        QTreeView reference;
        reference.setModel(model.get());
        LazyTreeView view;
        view.setModel(model.get());
        for (const char* text : {"r3", "r3c2", "r4"}) {
            view.expand(Find(*model, QString::fromLatin1(text)));
            reference.expand(Find(*model, QString::fromLatin1(text)));
        }
        model->insertRow(0, new QStandardItem(QStringLiteral("new top")));
        model->itemFromIndex(Find(*model, QStringLiteral("r3")))
            ->insertRow(1, new QStandardItem(QStringLiteral("r3new")));
        QCOMPARE(LazyRows(view), ReferenceRows(reference));
        model->removeRow(1);
        QCOMPARE(LazyRows(view), ReferenceRows(reference));
        model->itemFromIndex(Find(*model, QStringLiteral("r3")))->removeRow(0);
        QCOMPARE(LazyRows(view), ReferenceRows(reference));
        model->clear();
        QCOMPARE(view.visibleRowCount(), qint64(0));
    }

    void keysAndClicksExpandAndMove()
    {
        const auto model = SmallTree();
        LazyTreeView view;
        view.setModel(model.get());
        Show(view);
        view.setFocus();
        const QModelIndex r1 = Find(*model, QStringLiteral("r1"));
        view.setCurrentIndex(r1);

        QTest::keyClick(&view, Qt::Key_Right);
        QVERIFY(view.isExpanded(r1));
        QCOMPARE(view.currentIndex(), r1);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("r1c0"));
        QTest::keyClick(&view, Qt::Key_Left);
        QCOMPARE(view.currentIndex(), r1);
        QTest::keyClick(&view, Qt::Key_Left);
        QVERIFY(!view.isExpanded(r1));
        QTest::keyClick(&view, Qt::Key_End);
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("r4"));
        QTest::keyClick(&view, Qt::Key_Home);
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("r0"));
        QTest::keyClick(&view, Qt::Key_Down);
        QCOMPARE(view.currentIndex(), r1);
        QVERIFY(view.selectionModel()->isSelected(r1));

        // The branch mark toggles without selecting; a click on the text selects.
        const QModelIndex r3 = Find(*model, QStringLiteral("r3"));
        const QRect row = view.visualRect(r3);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.indentation() / 2, row.center().y()));
        QVERIFY(view.isExpanded(r3));
        QVERIFY(view.selectionModel()->isSelected(r1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(view.selectionModel()->isSelected(r3));
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, row.center());
        QVERIFY(!view.isExpanded(r3));
        QCOMPARE(view.indexAt(row.center()), r3);
        // An item without children has nothing to toggle.
        const QModelIndex r2 = Find(*model, QStringLiteral("r2"));
        QTest::mouseClick(
            view.viewport(), Qt::LeftButton, {}, QPoint(view.indentation() / 2, view.visualRect(r2).center().y()));
        QVERIFY(!view.isExpanded(r2));
    }

    void scrollToExpandsAncestors()
    {
        WideTreeModel model(1000);
        LazyTreeView view;
        view.setModel(&model);
        Show(view);
        const QModelIndex deep = model.index(1, 0, model.index(700, 0, model.index(0, 0, {})));
        view.scrollTo(deep, QAbstractItemView::PositionAtCenter);
        QVERIFY(view.isExpanded(deep.parent()));
        QVERIFY(view.isExpanded(deep.parent().parent()));
        QCOMPARE(view.rowOf(deep), qint64(1 + 700 + 1 + 1));
        const qint64 rows = view.viewport()->height() / view.rowHeight();
        QCOMPARE(view.rowOf(deep) - view.topRow(), rows / 2);
        QCOMPARE(view.indexAt(view.visualRect(deep).center()), deep);
    }

    void aMillionChildrenCostAScreenful()
    {
        WideTreeModel model(1'000'000);
        LazyTreeView view;
        view.setModel(&model);
        Show(view);
        const QModelIndex top = model.index(0, 0, {});
        model.indexes = model.reads = 0;
        view.expand(top);
        view.viewport()->repaint();
        QCOMPARE(view.visibleRowCount(), qint64(1'000'001));
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        view.viewport()->repaint();
        const QModelIndex last = view.indexAtRow(view.visibleRowCount() - 1);
        QCOMPARE(last.row(), 999'999);
        QVERIFY(view.viewport()->rect().contains(view.visualRect(last)));
        QCOMPARE(view.indexAt(view.visualRect(last).center()), last);
        QVERIFY2(model.indexes < 200, qPrintable(QString::number(model.indexes)));
        QVERIFY2(model.reads < 200, qPrintable(QString::number(model.reads)));

        // Typing looks at the rows on screen only, not at a million siblings.
        view.setCurrentIndex(view.indexAtRow(view.topRow()));
        model.reads = 0;
        QTest::keyClicks(&view, QStringLiteral("1/99999"));
        QVERIFY(view.currentIndex().row() >= 999'990);
        QVERIFY(view.currentIndex().data().toString().startsWith(QStringLiteral("1/99999")));
        QVERIFY2(model.reads < 400, qPrintable(QString::number(model.reads)));
    }

    void expandAsShownStopsAtWhatShows()
    {
        WideTreeModel model(1'000'000);
        LazyTreeView view;
        view.setModel(&model);
        Show(view);
        QSignalSpy expanded(&view, &LazyTreeView::expanded);
        view.expandAsShown(0, -1);
        view.viewport()->repaint();
        // The top item and the children on screen, each with its three children below it.
        const qint64 shown = view.viewport()->height() / view.rowHeight() + 1;
        QVERIFY(expanded.count() >= 2);
        QVERIFY2(expanded.count() <= shown, qPrintable(QString::number(expanded.count())));
        QCOMPARE(view.visibleRowCount(), qint64(1'000'001 + 3 * (expanded.count() - 1)));

        // Further down, more comes into view and is expanded; what the user collapses stays so.
        const QModelIndex first = model.index(0, 0, model.index(0, 0, {}));
        view.collapse(first);
        view.verticalScrollBar()->setValue(500);
        view.viewport()->repaint();
        const QModelIndex atTop = view.indexAtRow(view.topRow());
        QVERIFY(view.isExpanded(atTop) || atTop.parent() != model.index(0, 0, {}));
        QVERIFY(!view.isExpanded(first));
        // An item scrolled to stays where it was put while the items above it open.
        const QModelIndex deep = model.index(1, 0, model.index(7000, 0, model.index(0, 0, {})));
        view.scrollTo(deep, QAbstractItemView::PositionAtCenter);
        view.viewport()->repaint();
        QVERIFY(view.isExpanded(view.indexAtRow(view.topRow())) || view.indexAtRow(view.topRow()).parent().isValid());
        QCOMPARE(view.rowOf(deep) - view.topRow(), qint64(view.viewport()->height() / view.rowHeight() / 2));

        view.collapseAll();
        QCOMPARE(view.visibleRowCount(), qint64(1));
        view.expandAsShown(0, 0);
        view.viewport()->repaint();
        QCOMPARE(view.visibleRowCount(), qint64(1'000'001));
    }
};

QTEST_MAIN(LazyTreeViewTest)

#include "LazyTreeViewTest.moc"
