// Random tables, random pages and random cell requests through TableViewModel and its page cache.
// The hostile host answers the creation of its table cache and each page request as the input
// says: pages that start elsewhere than asked, that claim more rows or columns than they hold,
// rows and cells that are null, rows that make their cells on the first request and may make fewer
// than they promised, answers of the wrong type or none at all; and it may report the
// cache changed or discarded, even from inside a page request. Every cell the host sends carries
// the position its page claims for it, so a cell the model serves is either that one or, while
// the host cache is discarded, an empty placeholder; anything else is a wrong cell. Every other
// outcome must be one of the library's two exceptions.

#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/HostileValues.h"

#include "host/commands/TableViewCommands.h"
#include "host/doc/CommandDispatcher.h"
#include "host/doc/NotificationManager.h"
#include "main/models/TableViewModel.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QColor>

#include <climits>
#include <memory>

namespace {

namespace Cmds = Zel::Commands::TableView;
using PresentationLayer::NotificationManager;

constexpr int kMaxTableRows = 64;
constexpr int kMaxTableColumns = 6;
constexpr int kMaxSteps = 24;
// A page that claims all rows or columns (the host's placeholder count) still holds at most this many.
constexpr unsigned int kMaxHeldRows = 80;
constexpr unsigned int kAllRows = 4'294'967'295u;

// What a cell at a table position says, so that a cell served for another position shows.
QString CellText(unsigned int row, unsigned int column)
{
    return QStringLiteral("%1,%2").arg(row).arg(column);
}
int CellAlignment(unsigned int row, unsigned int column)
{
    static const int alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignCenter, Qt::AlignTop | Qt::AlignLeft};
    return alignments[(row + column) % 4];
}
bool CellIsSpecial(unsigned int row, unsigned int column)
{
    return (row * 3 + column) % 5 == 0;
}

enum class Answer
{
    Good,
    NoSet,
    Missing,
    WrongType,
    NullRecord,
};

Answer HostileAnswer(FuzzedDataProvider& in)
{
    return in.ConsumeIntegralInRange(0, 9) < 7 ? Answer::Good : static_cast<Answer>(in.ConsumeIntegralInRange(1, 4));
}

// The cells of a page's rows, made when a row is first asked for one, as a host that keeps its
// values compact makes them. A row may have promised another number of cells than it gets.
class HeldCells final : public TableViewPageCellSource
{
public:
    std::vector<std::vector<RefCntPtr<TableViewPageItemPresModel const>>> rows;

    std::vector<RefCntPtr<TableViewPageItemPresModel const>> MakeCells(unsigned int row) const override
    {
        return rows[row];
    }
};

class TableHost final : public ICommandDispatcher
{
public:
    explicit TableHost(FuzzedDataProvider& in)
        : m_in(in)
    {
    }

    mutable bool discardReported = false;

    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> arguments, void*) const override
    {
        if (commandId == Cmds::CreateTableViewCache::id) {
            m_description = Zel::Commands::ReadParameter<Cmds::TableViewCache>(*arguments);
            return CreateCache();
        }
        if (commandId == Cmds::GetTableViewPage::id)
            return Page(*arguments);
        return nullptr;
    }

    // Reports the cache changed or discarded: this cache's guid, another one, or a record of
    // another type.
    void Report() const
    {
        const RefCntPtr<TableViewCachePresModel const>& description = m_description;
        const bool discarded = m_in.ConsumeBool();
        RefCntPtr<PresentationModel const> model;
        switch (m_in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            model = MakeRefCnt<PageCacheIDPresModel>();
            break;
        case 1:
            model = MakeRefCnt<TableViewInfoPresModel>();
            break;
        default:
            if (description && description->GetCacheID()) {
                auto own = MakeRefCnt<PageCacheIDPresModel>(*description->GetCacheID());
                model = std::move(own);
                if (discarded)
                    discardReported = true;
            }
            break;
        }
        NotificationManager::Instance->Notify(
            discarded ? Zel::Events::PageCacheDiscarded : Zel::Events::PageCacheChanged, model, nullptr);
    }

private:
    RefCntPtr<IParameters const> CreateCache() const
    {
        const Answer answer = HostileAnswer(m_in);
        if (answer == Answer::NoSet)
            return nullptr;
        auto info = MakeRefCnt<TableViewInfoPresModel>();
        info->SetTitle(ZelFuzz::MakeHostileText(m_in));
        info->SetRowCount(m_in.ConsumeIntegralInRange(0, 15) == 0 ? m_in.ConsumeIntegral<int>()
                                                                  : m_in.ConsumeIntegralInRange(0, kMaxTableRows));
        std::vector<RefCntPtr<TableViewColumnInfoPresModel const>> columns(
            m_in.ConsumeIntegralInRange(0, kMaxTableColumns));
        for (auto& column : columns) {
            if (m_in.ConsumeIntegralInRange(0, 15) == 0)
                continue;
            auto made = MakeRefCnt<TableViewColumnInfoPresModel>();
            made->SetCaption(ZelFuzz::MakeHostileText(m_in));
            made->SetAlignmentFlags(Qt::AlignLeft);
            column = RefCntPtr<TableViewColumnInfoPresModel const>(std::move(made));
        }
        info->SetColumns(std::move(columns));
        auto set = ContextParameters::Create();
        if (answer == Answer::WrongType)
            SetValParameter(*set, Cmds::TableViewInfo::id, RefCntPtr<TableViewPagePresModel const>());
        else if (answer == Answer::NullRecord)
            SetValParameter(*set, Cmds::TableViewInfo::id, RefCntPtr<TableViewInfoPresModel const>());
        else if (answer == Answer::Good)
            SetValParameter(*set, Cmds::TableViewInfo::id, RefCntPtr<TableViewInfoPresModel const>(std::move(info)));
        if (answer != Answer::Missing || m_in.ConsumeBool())
            SetValParameter(
                *set, Cmds::CleanupCommands::id, ZelFuzz::MakeHostile<RefCntPtr<SimpleCommandsPresModel const>>(m_in));
        return RefCntPtr<IParameters const>(std::move(set));
    }

    // Rows and columns near the asked cell's page, or anywhere.
    static unsigned int PageStart(FuzzedDataProvider& in, unsigned int asked)
    {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return in.ConsumeIntegral<unsigned int>();
        case 1:
            return asked + in.ConsumeIntegralInRange(1u, 4u);
        case 2:
            return asked;
        default:
            return asked - std::min(asked, in.ConsumeIntegralInRange(0u, 8u));
        }
    }
    static unsigned int PageCount(FuzzedDataProvider& in)
    {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0:
            return 0;
        case 1:
            return kAllRows;
        case 2:
            return in.ConsumeIntegral<unsigned int>();
        default:
            return in.ConsumeIntegralInRange(1u, 12u);
        }
    }

    RefCntPtr<IParameters const> Page(const IParameters& arguments) const
    {
        const unsigned int askedRow = Zel::Commands::ReadParameter<Cmds::RequestedRow>(arguments);
        const unsigned int askedColumn = Zel::Commands::ReadParameter<Cmds::RequestedColumn>(arguments);
        if (m_in.ConsumeIntegralInRange(0, 7) == 0)
            Report();

        const Answer answer = HostileAnswer(m_in);
        if (answer == Answer::NoSet)
            return nullptr;
        PageInfoPresModel where;
        where.SetStartDataRow(PageStart(m_in, askedRow));
        where.SetStartDataColumn(PageStart(m_in, askedColumn));
        where.SetRowCount(PageCount(m_in));
        where.SetColumnCount(PageCount(m_in));
        // What the page holds may fall short of what it claims; cells are shared between rows, as a
        // host may share them.
        const unsigned int heldRows = std::min({where.GetRowCount(), kMaxHeldRows,
            m_in.ConsumeBool() ? where.GetRowCount() : m_in.ConsumeIntegralInRange(0u, 4u)});
        const unsigned int heldColumns = std::min({where.GetColumnCount(), static_cast<unsigned int>(kMaxTableColumns),
            m_in.ConsumeBool() ? where.GetColumnCount() : m_in.ConsumeIntegralInRange(0u, 4u)});
        std::vector<RefCntPtr<TableViewPageRowPresModel const>> rows(heldRows);
        const RefCntPtr<HeldCells> lazy = m_in.ConsumeBool() ? MakeRefCnt<HeldCells>() : RefCntPtr<HeldCells>();
        for (unsigned int r = 0; r < heldRows; ++r) {
            if (m_in.ConsumeIntegralInRange(0, 31) == 0)
                continue;
            std::vector<RefCntPtr<TableViewPageItemPresModel const>> cells(heldColumns);
            for (unsigned int c = 0; c < heldColumns; ++c) {
                if (m_in.ConsumeIntegralInRange(0, 31) == 0)
                    continue;
                const unsigned int row = where.GetStartDataRow() + r;
                const unsigned int column = where.GetStartDataColumn() + c;
                auto cell = MakeRefCnt<TableViewPageItemPresModel>();
                cell->SetDisplayText(CellText(row, column));
                cell->SetAlignmentFlags(CellAlignment(row, column));
                cell->SetIsSpecial(CellIsSpecial(row, column));
                cells[c] = RefCntPtr<TableViewPageItemPresModel const>(std::move(cell));
            }
            if (lazy) {
                const unsigned int promised = m_in.ConsumeIntegralInRange(0, 15) == 0 ? heldColumns + 1 : heldColumns;
                lazy->rows.push_back(std::move(cells));
                rows[r] = MakeRefCnt<TableViewPageRowPresModel>(RefCntPtr<TableViewPageCellSource const>(lazy.get()),
                    static_cast<unsigned int>(lazy->rows.size() - 1), promised);
                continue;
            }
            auto row = MakeRefCnt<TableViewPageRowPresModel>();
            row->SetColumns(std::move(cells));
            rows[r] = RefCntPtr<TableViewPageRowPresModel const>(std::move(row));
        }
        auto page = MakeRefCnt<TableViewPagePresModel>();
        page->SetPageInfo(where);
        page->SetRows(std::move(rows));

        auto set = ContextParameters::Create();
        if (answer == Answer::Good)
            SetValParameter(*set, Cmds::TableViewPage::id, RefCntPtr<TableViewPagePresModel const>(std::move(page)));
        else if (answer == Answer::WrongType)
            SetValParameter(*set, Cmds::TableViewPage::id, RefCntPtr<TableViewInfoPresModel const>());
        else if (answer == Answer::NullRecord)
            SetValParameter(*set, Cmds::TableViewPage::id, RefCntPtr<TableViewPagePresModel const>());
        return RefCntPtr<IParameters const>(std::move(set));
    }

    FuzzedDataProvider& m_in;
    mutable RefCntPtr<TableViewCachePresModel const> m_description;
};

void Expect(bool condition, const char* what)
{
    if (!condition)
        ZelFuzz::Fail(what);
}

// A cell the model served: the one at its position, or a placeholder while the host cache is
// (or was, in this input) discarded.
void CheckCell(const TableViewModel& model, const QModelIndex& index, int role, bool placeholdersAllowed)
{
    const auto row = static_cast<unsigned int>(index.row());
    const auto column = static_cast<unsigned int>(index.column());
    QVariant value;
    if (ZelFuzz::Attempt([&] { value = model.data(index, role); }) == ZelFuzz::Outcome::Refused)
        return;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
        const QString text = value.toString();
        Expect(text == CellText(row, column) || (placeholdersAllowed && text.isEmpty()), "a wrong cell was served");
        break;
    }
    case Qt::TextAlignmentRole:
        Expect(value.toInt() == CellAlignment(row, column) || (placeholdersAllowed && value.toInt() == 0),
            "a wrong cell's alignment was served");
        break;
    case Qt::BackgroundRole: {
        const int shade = row % 2 == 0 ? 255 : 250;
        const QColor plain(shade, shade, shade, 255);
        const QColor special(shade, shade, shade - 30, 255);
        const QColor colour = value.value<QColor>();
        Expect(colour == (CellIsSpecial(row, column) ? special : plain) || (placeholdersAllowed && colour == plain),
            "a wrong cell's background was served");
        break;
    }
    default:
        Expect(!value.isValid(), "a role the model does not serve gave a value");
        break;
    }
}

void RunInput(FuzzedDataProvider& in)
{
    auto host = std::make_shared<TableHost>(in);
    const int pageRows = in.ConsumeIntegralInRange(-1, 8);
    const int pageColumns = in.ConsumeIntegralInRange(-1, 4);
    const CacheDimensions<1> capacity(in.ConsumeIntegralInRange<std::size_t>(1, 4));
    std::unique_ptr<TableViewModel> model;
    if (ZelFuzz::Attempt([&] {
            model = std::make_unique<TableViewModel>(host,
                FieldName(TString(QStringLiteral("ds")), TString(QStringLiteral("Orders"))), nullptr, pageRows,
                pageColumns, capacity, std::chrono::seconds(60));
        })
        == ZelFuzz::Outcome::Refused)
        return;

    QObject::connect(model.get(), &QAbstractItemModel::dataChanged,
        [&model](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
            Expect(topLeft.isValid() && bottomRight.isValid(), "a discarded page named cells outside the table");
            Expect(topLeft.row() <= bottomRight.row() && topLeft.column() <= bottomRight.column(),
                "a discarded page named an empty range");
            Expect(bottomRight.row() < model->rowCount() && bottomRight.column() < model->columnCount(),
                "a discarded page named cells outside the table");
        });

    for (int step = 0; step < kMaxSteps && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
        case 0:
            host->Report();
            break;
        case 1:
            // A rebuild the cache posted runs here, and may meet a hostile answer.
            ZelFuzz::Attempt([] { QCoreApplication::processEvents(); });
            break;
        case 2:
            ZelFuzz::Attempt(
                [&] { model->sort(in.ConsumeIntegralInRange(-1, kMaxTableColumns), Qt::DescendingOrder); });
            break;
        case 3:
            ZelFuzz::Attempt([&] {
                (void)model->headerData(in.ConsumeIntegralInRange(-1, kMaxTableColumns + 1),
                    in.ConsumeBool() ? Qt::Horizontal : Qt::Vertical, in.ConsumeIntegralInRange(0, 8));
            });
            break;
        default: {
            const int rows = model->rowCount();
            const int columns = model->columnCount();
            const QModelIndex index = model->index(in.ConsumeIntegralInRange(-1, rows < INT_MAX ? rows + 1 : rows),
                in.ConsumeIntegralInRange(-1, columns < INT_MAX ? columns + 1 : columns));
            const int role = in.ConsumeIntegralInRange(0, 9);
            if (!index.isValid()) {
                Expect(!model->data(index, role).isValid(), "a cell outside the table gave a value");
                break;
            }
            CheckCell(*model, index, role, host->discardReported);
            break;
        }
        }
    }
    model.reset();
}

} // namespace

ZEL_FUZZ_HARNESS(RunInput)
