#include "host/ui/AbstractModifiableTableModel.h"

#include "host/ui/UnificationColors.h"

#include <QtCore/QDataStream>
#include <QtCore/QMimeData>

#include <algorithm>
#include <set>

AbstractModifiableTableModel::AbstractModifiableTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

AbstractModifiableTableModel::~AbstractModifiableTableModel() = default;

QVariant AbstractModifiableTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() > GetNumberOfDataRows())
        return QVariant();
    if (IsAddNewItemRow(index.row())) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString();
        case PromptRole:
            return index.column() == 0 ? GetAddNewItemPrompt().ToQString() : QString();
        case Qt::ForegroundRole:
            return UnificationColors::Get().GetPlaceholderTextColor();
        default:
            return QVariant();
        }
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return GetItemDisplayString(index).ToQString();
    return QVariant();
}

int AbstractModifiableTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GetNumberOfDataRows() + 1;
}

Qt::ItemFlags AbstractModifiableTableModel::flags(const QModelIndex& index) const
{
    // Drops go between rows only (the root takes them), never onto a row.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    if (IsAddNewItemRow(index.row()))
        return Qt::ItemIsEnabled | Qt::ItemIsEditable;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
}

bool AbstractModifiableTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || index.row() > GetNumberOfDataRows())
        return false;
    const TString text(value.toString());
    if (IsAddNewItemRow(index.row()))
        return !text.empty() && AddNewItem(text);
    return UpdateItem(index, text);
}

Qt::DropActions AbstractModifiableTableModel::supportedDragActions() const
{
    return Qt::MoveAction;
}

Qt::DropActions AbstractModifiableTableModel::supportedDropActions() const
{
    return Qt::MoveAction;
}

QString AbstractModifiableTableModel::RowsMimeType()
{
    return QStringLiteral("application/x-zel-modifiable-table-rows");
}

QStringList AbstractModifiableTableModel::mimeTypes() const
{
    return {RowsMimeType()};
}

QMimeData* AbstractModifiableTableModel::mimeData(const QModelIndexList& indexes) const
{
    std::set<int> rows;
    for (const QModelIndex& index : indexes)
        if (index.isValid() && index.model() == this && index.row() < GetNumberOfDataRows())
            rows.insert(index.row());
    if (rows.empty())
        return nullptr;
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << static_cast<quint64>(reinterpret_cast<quintptr>(this)) << static_cast<quint32>(rows.size());
    for (int row : rows)
        stream << static_cast<qint32>(row);
    auto* mime = new QMimeData;
    mime->setData(RowsMimeType(), bytes);
    return mime;
}

std::vector<int> AbstractModifiableTableModel::RowsFromMimeData(const QMimeData* data) const
{
    if (!data || !data->hasFormat(RowsMimeType()))
        return {};
    QDataStream stream(data->data(RowsMimeType()));
    quint64 source = 0;
    quint32 count = 0;
    stream >> source >> count;
    if (stream.status() != QDataStream::Ok || source != static_cast<quint64>(reinterpret_cast<quintptr>(this)))
        return {};
    std::vector<int> rows;
    rows.reserve(std::min<quint32>(count, static_cast<quint32>(GetNumberOfDataRows())));
    for (quint32 i = 0; i < count; ++i) {
        qint32 row = -1;
        stream >> row;
        if (stream.status() != QDataStream::Ok)
            return {};
        if (row >= 0 && row < GetNumberOfDataRows())
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

bool AbstractModifiableTableModel::canDropMimeData(
    const QMimeData* data, Qt::DropAction action, int, int, const QModelIndex&) const
{
    return action == Qt::MoveAction && !RowsFromMimeData(data).empty();
}
