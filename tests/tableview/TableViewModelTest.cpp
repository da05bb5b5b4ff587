#include "TableViewTestSupport.h"

#include "main/models/TableViewModel.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include <QtGui/QColor>
#include <QtTest/QAbstractItemModelTester>
#include <QtTest/QSignalSpy>
#include <QtTest/QtTest>

using namespace ZelTest;

namespace {

constexpr int kPageRows = 100;

struct Fixture
{
    explicit Fixture(ScriptedTable scripted = ScriptedTable {})
        : table(std::move(scripted))
    {
        table.AnswerAll(*host);
    }

    std::unique_ptr<TableViewModel> MakeModel(std::uint64_t capacity = 5)
    {
        return std::make_unique<TableViewModel>(host, FieldName(TString(L"Orders"), TString(L"Region")), nullptr,
            kPageRows, -1, capacity, std::chrono::seconds(5400));
    }

    ScriptedTable table;
    std::shared_ptr<RecordingDispatcher> host = std::make_shared<RecordingDispatcher>();
};

std::unique_ptr<QAbstractItemModelTester> Tester(TableViewModel& model)
{
    return std::make_unique<QAbstractItemModelTester>(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
}

using Range = std::pair<QModelIndex, QModelIndex>;
QList<Range> Ranges(const QSignalSpy& dataChanged)
{
    QList<Range> ranges;
    for (const QList<QVariant>& signal : dataChanged)
        ranges << Range(signal[0].value<QModelIndex>(), signal[1].value<QModelIndex>());
    return ranges;
}

} // namespace

class TableViewModelTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void constructionCreatesTheHostCacheOnly()
    {
        Fixture f;
        auto model = f.MakeModel();

        QCOMPARE(f.host->CommandIds(), std::vector<int> {TableCmds::CreateTableViewCache::id});
        const auto& description = f.host->Last<TableCmds::CreateTableViewCache>().Get<TableCmds::TableViewCache>();
        QCOMPARE(static_cast<int>(description->GetTableDataType()), 1);
        QCOMPARE(description->GetName(), FieldName(TString(L"Orders"), TString(L"Region")));
        QVERIFY(!description->GetIsSorted());
        QCOMPARE(static_cast<int>(description->GetSortDirection()), 1);
        QCOMPARE(description->GetCacheID()->GetPageRowCount(), kPageRows);
        QCOMPARE(description->GetCacheID()->GetPageColumnCount(), -1);
        QCOMPARE(description->GetCacheID()->GetCacheTimeout(), std::chrono::seconds(5400));

        QCOMPARE(model->rowCount(), 2500);
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->GetTitle().ToQString(), QStringLiteral("Region"));
        QCOMPARE(model->GetRowCountCaption().ToQString(), QStringLiteral("2500 members"));
        QCOMPARE(f.host->Count<TableCmds::GetTableViewPage>(), std::size_t(0));

        QCOMPARE(model->data(model->index(0, 0)).toString(), CellText(0, 0));
        const auto& load = f.host->Last<TableCmds::GetTableViewPage>();
        QCOMPARE(load.Get<TableCmds::TableViewCache>().get(), description.get());
        QCOMPARE(load.Get<TableCmds::RequestedRow>(), 0u);
        QCOMPARE(load.Get<TableCmds::RequestedColumn>(), 0u);
    }

    void cellsComeFromTheirPage()
    {
        Fixture f;
        auto model = f.MakeModel();
        const auto tester = Tester(*model);
        f.host->Clear();
        f.table.AnswerAll(*f.host);

        const QModelIndex cell = model->index(1234, 2);
        QCOMPARE(model->data(cell, Qt::DisplayRole).toString(), CellText(1234, 2));
        QCOMPARE(model->data(cell, Qt::ToolTipRole).toString(), CellText(1234, 2));
        QCOMPARE(model->data(cell, Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(model->data(model->index(1299, 0)).toString(), CellText(1299, 0));
        QCOMPARE(f.host->Count<TableCmds::GetTableViewPage>(), std::size_t(1));
        QCOMPARE(f.host->Last<TableCmds::GetTableViewPage>().Get<TableCmds::RequestedRow>(), 1234u);

        // Roles the model does not serve cost no command, even on a page not in memory.
        QVERIFY(!model->data(model->index(2000, 0), Qt::EditRole).isValid());
        QVERIFY(!model->data(model->index(2000, 0), Qt::DecorationRole).isValid());
        QVERIFY(!model->data(QModelIndex()).isValid());
        QCOMPARE(f.host->Count<TableCmds::GetTableViewPage>(), std::size_t(1));
    }

    void background_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("special");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("even") << 4 << false << QColor(255, 255, 255, 255);
        QTest::newRow("odd") << 5 << false << QColor(250, 250, 250, 255);
        QTest::newRow("even, special") << 2 << true << QColor(255, 255, 225, 255);
        QTest::newRow("odd, special") << 3 << true << QColor(250, 250, 220, 255);
    }

    void background()
    {
        QFETCH(int, row);
        QFETCH(bool, special);
        QFETCH(QColor, expected);
        ScriptedTable table;
        if (special)
            table.specialRows.insert(static_cast<unsigned int>(row));
        Fixture f(table);
        auto model = f.MakeModel();
        QCOMPARE(model->data(model->index(row, 0), Qt::BackgroundRole).value<QColor>(), expected);
    }

    void headers()
    {
        Fixture f;
        auto model = f.MakeModel();
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Column 1"));
        QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Column 1"));
        QCOMPARE(
            model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
        QVERIFY(!model->headerData(0, Qt::Horizontal, Qt::DecorationRole).isValid());
        for (int role : {Qt::DisplayRole, Qt::ToolTipRole, Qt::TextAlignmentRole, Qt::BackgroundRole})
            QVERIFY(!model->headerData(3, Qt::Vertical, role).isValid());
        QCOMPARE(
            LogicCondition([&] { model->headerData(3, Qt::Horizontal); }), QStringLiteral("column < m_Columns.size()"));
    }

    void sortSendsOncePerNewState()
    {
        Fixture f;
        auto model = f.MakeModel();
        const auto tester = Tester(*model);
        model->data(model->index(0, 0));
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        f.host->Clear();

        model->sort(1, Qt::DescendingOrder);
        model->sort(1, Qt::DescendingOrder);
        QCOMPARE(f.host->CommandIds(), std::vector<int> {TableCmds::SortTableViewCache::id});
        const auto& sorted = f.host->Last<TableCmds::SortTableViewCache>().Get<TableCmds::TableViewCache>();
        QVERIFY(sorted->GetIsSorted());
        QCOMPARE(sorted->GetSortColumnIndex(), 1u);
        QCOMPARE(static_cast<int>(sorted->GetSortDirection()), 1);
        // Pages stay until the host says the order changed.
        QCOMPARE(changed.count(), 0);

        model->sort(1, Qt::AscendingOrder);
        QCOMPARE(static_cast<int>(sorted->GetSortDirection()), 0);
        model->sort(-1, Qt::AscendingOrder);
        model->sort(-1, Qt::AscendingOrder);
        QCOMPARE(f.host->Count<TableCmds::SortTableViewCache>(), std::size_t(3));
        QVERIFY(!sorted->GetIsSorted());
        QCOMPARE(sorted->GetSortColumnIndex(), kAllOfThem);
        QCOMPARE(static_cast<int>(sorted->GetSortDirection()), 0);
    }

    void leavingPageRepaintsItsCells()
    {
        Fixture f;
        auto model = f.MakeModel(1);
        const auto tester = Tester(*model);
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);

        // A capacity of one page: reading the first page evicts the last page of the table.
        model->data(model->index(2400, 1));
        model->data(model->index(0, 0));
        QCOMPARE(Ranges(changed).count(Range(model->index(2400, 0), model->index(2499, 2))), 1);
        for (const QList<QVariant>& signal : changed)
            QVERIFY(signal[2].value<QVector<int>>().isEmpty());
    }

    void placeholderPageRepaintsToTheEnd()
    {
        Fixture f;
        auto model = f.MakeModel();
        const auto tester = Tester(*model);
        NotifyCacheEvent(Zel::Events::PageCacheDiscarded,
            *f.host->Last<TableCmds::CreateTableViewCache>().Get<TableCmds::TableViewCache>()->GetCacheID());
        const std::size_t loads = f.host->Count<TableCmds::GetTableViewPage>();

        // A placeholder is an empty plain cell, and starts at the cell that was asked for.
        QCOMPARE(model->data(model->index(2450, 1)).toString(), QString());
        QCOMPARE(model->data(model->index(2450, 1), Qt::TextAlignmentRole), QVariant(0));
        QCOMPARE(model->data(model->index(2451, 0), Qt::BackgroundRole).value<QColor>(), QColor(250, 250, 250, 255));
        QCOMPARE(f.host->Count<TableCmds::GetTableViewPage>(), loads);

        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        QCOMPARE(f.host->Count<TableCmds::CreateTableViewCache>(), std::size_t(2));
        QCOMPARE(Ranges(changed).count(Range(model->index(2450, 1), model->index(2499, 2))), 1);
        QCOMPARE(model->data(model->index(2450, 1)).toString(), CellText(2450, 1));
    }

    void hostFailuresRaise_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no answer to the create command") << 0 << QStringLiteral("parameters != nullptr");
        QTest::newRow("table info of another type") << 1 << QString::number(TableCmds::TableViewInfo::id);
        QTest::newRow("a negative row count") << 2 << QStringLiteral("info->GetRowCount() >= 0");
        QTest::newRow("no answer to the page command") << 3 << QStringLiteral("parameters != nullptr");
        QTest::newRow("a page that does not hold the cell") << 4 << QStringLiteral("relIndex < m_rowCount");
        QTest::newRow("a page short of its rows") << 5 << QStringLiteral("row < m_Rows.size()");
        QTest::newRow("an empty page record") << 6 << QStringLiteral("m_ptr");
    }

    void hostFailuresRaise()
    {
        QFETCH(int, failure);
        QFETCH(QString, expected);
        Fixture f;
        auto answerPage = [&f](RefCntPtr<TableViewPagePresModel const> page) {
            f.host->Answer<TableCmds::GetTableViewPage>().Set<TableCmds::TableViewPage>(std::move(page));
        };
        switch (failure) {
        case 0:
            f.host->AnswerNull<TableCmds::CreateTableViewCache>();
            break;
        case 1:
            f.host->Answer<TableCmds::CreateTableViewCache>()
                .SetRaw<RefCntPtr<TableViewPageItemPresModel const>>(
                    TableCmds::TableViewInfo::id, MakeRefCnt<TableViewPageItemPresModel>())
                .Set<TableCmds::CleanupCommands>(MakeRefCnt<SimpleCommandsPresModel>());
            break;
        case 2: {
            auto info = MakeRefCnt<TableViewInfoPresModel>();
            info->SetRowCount(-1);
            f.host->Answer<TableCmds::CreateTableViewCache>()
                .Set<TableCmds::TableViewInfo>(std::move(info))
                .Set<TableCmds::CleanupCommands>(MakeRefCnt<SimpleCommandsPresModel>());
            break;
        }
        case 3:
            f.host->AnswerNull<TableCmds::GetTableViewPage>();
            break;
        case 4:
            answerPage(f.table.Page(200, 100));
            break;
        case 5: {
            auto shortPage = MakeRefCnt<TableViewPagePresModel>(*f.table.Page(0, 100));
            auto rows = shortPage->GetRows();
            rows.resize(50);
            shortPage->SetRows(rows);
            answerPage(std::move(shortPage));
            break;
        }
        case 6:
            answerPage(nullptr);
            break;
        }

        const bool atCreation = failure < 3;
        std::unique_ptr<TableViewModel> model;
        auto act = [&] {
            if (!model)
                model = f.MakeModel();
            model->data(model->index(60, 0));
        };
        QCOMPARE(
            expected.front().isDigit() ? QString::number(MismatchedParameter(act)) : LogicCondition(act), expected);
        QCOMPARE(model == nullptr, atCreation);
        if (!model)
            return;
        // A failed load caches nothing, so the next request asks again and gets the good answer; a
        // page that came but does not fit stays the page of its key and keeps failing without asking.
        const std::size_t loads = f.host->Count<TableCmds::GetTableViewPage>();
        const QString again = LogicCondition([&] { model->data(model->index(60, 0)); });
        const bool pageCached = failure == 4 || failure == 5;
        QCOMPARE(again, pageCached ? expected : QStringLiteral("(nothing raised)"));
        QCOMPARE(f.host->Count<TableCmds::GetTableViewPage>(), loads + (pageCached ? 0 : 1));
    }

    void destructionDropsTheHostCache()
    {
        Fixture f;
        auto model = f.MakeModel();
        model->data(model->index(0, 0));
        const auto description = f.host->Last<TableCmds::CreateTableViewCache>().Get<TableCmds::TableViewCache>();
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        model.reset();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(f.host->CommandIds().back(), TableCmds::DropTableViewCache::id);
        QCOMPARE(
            f.host->Last<TableCmds::DropTableViewCache>().Get<TableCmds::TableViewCache>().get(), description.get());
    }
};

QTEST_MAIN(TableViewModelTest)

#include "TableViewModelTest.moc"
