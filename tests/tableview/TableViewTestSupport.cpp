#include "TableViewTestSupport.h"

#include "host/doc/NotificationManager.h"

#include <QtCore/QAbstractItemModel>

#include <algorithm>

namespace ZelTest {

QString CellText(int row, int column)
{
    return QStringLiteral("r%1c%2").arg(row).arg(column);
}

RefCntPtr<TableViewCachePresModel const> MakeDescription(int pageRowCount, int pageColumnCount)
{
    auto id = MakeRefCnt<PageCacheIDPresModel>();
    id->SetPageRowCount(pageRowCount);
    id->SetPageColumnCount(pageColumnCount);
    id->SetCacheTimeout(std::chrono::seconds(60));
    auto description = MakeRefCnt<TableViewCachePresModel>();
    description->SetCacheID(RefCntPtr<PageCacheIDPresModel const>(std::move(id)));
    description->SetTableDataType(TableViewDataType::Field);
    description->SetName(FieldName(TString(L"Orders"), TString(L"Region")));
    return RefCntPtr<TableViewCachePresModel const>(std::move(description));
}

void NotifyCacheEvent(int eventId, const PageCacheIDPresModel& id)
{
    auto same = MakeRefCnt<PageCacheIDPresModel>();
    same->SetCacheGuid(id.GetCacheGuid());
    PresentationLayer::NotificationManager::Instance->Notify(
        eventId, RefCntPtr<PresentationModel const>(std::move(same)), nullptr);
}

int Section(const QAbstractItemModel& model, const QString& caption)
{
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString() == caption)
            return c;
    return -1;
}

void ScriptedTable::AnswerAll(RecordingDispatcher& dispatcher) const
{
    dispatcher.AnswerAlways<TableCmds::CreateTableViewCache>(
        [this](const RecordedCommand& command) { return CreateAnswer(command); });
    dispatcher.AnswerAlways<TableCmds::GetTableViewPage>(
        [this](const RecordedCommand& command) { return PageAnswer(command); });
}

RefCntPtr<IParameters const> ScriptedTable::CreateAnswer(const RecordedCommand& command) const
{
    auto info = MakeRefCnt<TableViewInfoPresModel>();
    info->SetTitle(TString(L"Region"));
    info->SetRowCountCaption(TString(QStringLiteral("%1 members").arg(rows)));
    info->SetRowCount(rows);
    std::vector<RefCntPtr<TableViewColumnInfoPresModel const>> infos;
    for (int c = 0; c < columns; ++c) {
        auto column = MakeRefCnt<TableViewColumnInfoPresModel>();
        column->SetCaption(TString(QStringLiteral("Column %1").arg(c)));
        column->SetAlignmentFlags(
            c == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignRight | Qt::AlignVCenter));
        infos.emplace_back(std::move(column));
    }
    info->SetColumns(std::move(infos));

    RefCntPtr<IParameters> dropArguments = ContextParameters::Create();
    SetValParameter<RefCntPtr<TableViewCachePresModel const>>(
        *dropArguments, TableCmds::TableViewCache::id, command.Get<TableCmds::TableViewCache>());
    auto drop = MakeRefCnt<SimpleCommandPresModel>();
    drop->SetCommandId(TableCmds::DropTableViewCache::id);
    drop->SetArguments(RefCntPtr<IParameters const>(std::move(dropArguments)));
    auto cleanup = MakeRefCnt<SimpleCommandsPresModel>();
    cleanup->SetCommands({RefCntPtr<SimpleCommandPresModel const>(std::move(drop))});

    RefCntPtr<IParameters> set = ContextParameters::Create();
    SetValParameter<RefCntPtr<TableViewInfoPresModel const>>(
        *set, TableCmds::TableViewInfo::id, RefCntPtr<TableViewInfoPresModel const>(std::move(info)));
    SetValParameter<RefCntPtr<SimpleCommandsPresModel const>>(
        *set, TableCmds::CleanupCommands::id, RefCntPtr<SimpleCommandsPresModel const>(std::move(cleanup)));
    return RefCntPtr<IParameters const>(std::move(set));
}

RefCntPtr<IParameters const> ScriptedTable::PageAnswer(const RecordedCommand& command) const
{
    const int pageRows = command.Get<TableCmds::TableViewCache>()->GetCacheID()->GetPageRowCount();
    const unsigned int row = command.Get<TableCmds::RequestedRow>();
    const unsigned int first = pageRows > 0 ? row / static_cast<unsigned int>(pageRows) * pageRows : 0;
    const unsigned int count = pageRows > 0 ? std::min<unsigned int>(pageRows, rows - first) : rows;
    RefCntPtr<IParameters> set = ContextParameters::Create();
    SetValParameter<RefCntPtr<TableViewPagePresModel const>>(*set, TableCmds::TableViewPage::id, Page(first, count));
    return RefCntPtr<IParameters const>(std::move(set));
}

RefCntPtr<TableViewPagePresModel const> ScriptedTable::Page(unsigned int firstRow, unsigned int rowCount) const
{
    std::vector<RefCntPtr<TableViewPageRowPresModel const>> records;
    for (unsigned int r = firstRow; r < firstRow + rowCount; ++r) {
        std::vector<RefCntPtr<TableViewPageItemPresModel const>> items;
        for (int c = 0; c < columns; ++c) {
            auto item = MakeRefCnt<TableViewPageItemPresModel>();
            item->SetDisplayText(TString(CellText(static_cast<int>(r), c)));
            item->SetAlignmentFlags(int(Qt::AlignRight | Qt::AlignVCenter));
            item->SetIsSpecial(specialRows.count(r) != 0);
            items.emplace_back(std::move(item));
        }
        auto record = MakeRefCnt<TableViewPageRowPresModel>();
        record->SetColumns(std::move(items));
        records.emplace_back(std::move(record));
    }
    PageInfoPresModel info;
    info.SetStartDataRow(firstRow);
    info.SetStartDataColumn(0);
    info.SetRowCount(rowCount);
    info.SetColumnCount(static_cast<unsigned int>(columns));
    auto page = MakeRefCnt<TableViewPagePresModel>();
    page->SetPageInfo(info);
    page->SetRows(std::move(records));
    return RefCntPtr<TableViewPagePresModel const>(std::move(page));
}

} // namespace ZelTest
