#include "main/models/AutosaveFileTableModel.h"

#include "host/doc/AutosaveNamingUtil.h"
#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"

namespace {

constexpr const char* kSource = "main/models/AutosaveFileTableModel";

// Hosts match crash reports of this model by source and line, so the three index checks of
// GetRecoveredFile keep the lines they have always been reported under.
constexpr int kNotEmptyLine = 120;
constexpr int kValidIndexLine = 121;
constexpr int kRowInRangeLine = 122;

} // namespace

AutosaveFileTableModel::AutosaveFileTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

AutosaveFileTableModel::~AutosaveFileTableModel() = default;

int AutosaveFileTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_recoveredFiles.size());
}

int AutosaveFileTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant AutosaveFileTableModel::data(const QModelIndex& index, int role) const
{
    // Views ask for anything while they lay out and paint; a stray index is answered, not raised.
    if (m_recoveredFiles.empty() || !index.isValid() || index.model() != this
        || index.row() >= static_cast<int>(m_recoveredFiles.size()) || index.column() >= ColumnCount)
        return QVariant();

    const AutosaveFilePresModel& file = *m_recoveredFiles[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == LastModifiedColumn)
            return file.GetLastModified().ToQDateTime(false);
        // An unsaved workbook's original path is only a provisional name that several sessions may
        // share, so it goes by the name of its recovered copy.
        if (AutosaveNamingUtil::IsUnsavedWorkbook(TPath(file.GetOriginalFilePath())))
            return AutosaveNamingUtil::GetUnsavedWorkbookName(TPath(file.GetRecoveredFilePath())).ToQString();
        return TPath(file.GetOriginalFilePath()).Stem().ToQString();
    case Qt::ToolTipRole:
        if (index.column() == WorkbookColumn)
            return file.GetOriginalFilePath().ToQString();
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant AutosaveFileTableModel::headerData(int section, Qt::Orientation, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        if (section == WorkbookColumn)
            return LookupTStr(Zel::Strings::WorkbookHeader).ToQString();
        if (section == LastModifiedColumn)
            return LookupTStr(Zel::Strings::LastModifiedHeader).ToQString();
        return QVariant();
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignLeft);
    default:
        return QVariant();
    }
}

void AutosaveFileTableModel::SetRecoveredFiles(const std::vector<RefCntPtr<AutosaveFilePresModel const>>& files)
{
    // Checked before the reset begins: a view must never be left inside an unfinished reset.
    for (const RefCntPtr<AutosaveFilePresModel const>& file : files)
        ZEL_LOGIC_CHECK_MSG(kSource, file != nullptr, "every recovered file is a record (files[i] != nullptr)");

    beginResetModel();
    m_recoveredFiles = files;
    endResetModel();
}

RefCntPtr<AutosaveFilePresModel const> AutosaveFileTableModel::GetRecoveredFile(const QModelIndex& index) const
{
    if (m_recoveredFiles.empty())
        ThrowLogicException(kSource, kNotEmptyLine, "!m_recoveredFiles.empty()");
    if (!index.isValid())
        ThrowLogicException(kSource, kValidIndexLine, "index.isValid()");
    if (!(index.row() < static_cast<int>(m_recoveredFiles.size())))
        ThrowLogicException(kSource, kRowInRangeLine, "index.row() < static_cast<int>(m_recoveredFiles.size())");
    // A proxy's index passed without mapping would name some other row of this model.
    ZEL_LOGIC_CHECK(kSource, index.model() == this);
    return m_recoveredFiles[static_cast<std::size_t>(index.row())];
}

QModelIndex AutosaveFileTableModel::FindMostRecentFile(const TString& originalPath) const
{
    const TPath target(originalPath);
    QModelIndex found;
    DateTime best;
    for (int row = 0; row < rowCount(); ++row) {
        const QModelIndex candidate = index(row, WorkbookColumn);
        const RefCntPtr<AutosaveFilePresModel const> file = GetRecoveredFile(candidate);
        // Strictly later only, so that among copies of equal time the first row keeps the answer.
        if (TPath(file->GetOriginalFilePath()) == target && best < file->GetLastModified()) {
            best = file->GetLastModified();
            found = candidate;
        }
    }
    return found;
}
