#include "main/models/AliasesTableModel.h"

#include "gen-command-wrappers/AliasCommandWrappers.h"
#include "host/doc/StringIds.h"
#include "host/ui/TMessageBox.h"

#include <QtGui/QFont>

#include <limits>

namespace Cmds = Zel::Commands::Alias;

namespace {

constexpr const char* kFile = "main/models/AliasesTableModel";
constexpr int kColumnCount = 3;
constexpr int kHeaderPointSize = 8;

const QString& HasAliasMark(bool hasAlias)
{
    static const QString aliased = QStringLiteral("*");
    static const QString plain = QStringLiteral(" ");
    return hasAlias ? aliased : plain;
}

} // namespace

EditAliasesDialog::AliasesTableModel::AliasesTableModel(
    const ICommandDispatcher& dispatcher, const RefCntPtr<AliasesPresModel const>& aliases)
    : m_dispatcher(dispatcher)
    , m_assignedCount(static_cast<int>(aliases->GetNumOfAssignedAliases()))
    , m_aliases(aliases)
{
}

EditAliasesDialog::AliasesTableModel::~AliasesTableModel() = default;

const AliasItemPresModel* EditAliasesDialog::AliasesTableModel::CurrentItem(int row) const
{
    const auto at = static_cast<std::size_t>(row);
    if (at < m_edited.size() && m_edited[at])
        return m_edited[at].get();
    // By reference into the host's list: the sort asks for every row many times, and a counted
    // copy per call would cost two atomic operations each time.
    const std::vector<RefCntPtr<AliasItemPresModel const>>& items = m_aliases->GetAliases();
    return at < items.size() ? items[at].get() : nullptr;
}

const QString& EditAliasesDialog::AliasesTableModel::MemberName(int row, const AliasItemPresModel& item) const
{
    if (m_names.size() != m_aliases->GetAliases().size())
        m_names.assign(m_aliases->GetAliases().size(), QString());
    QString& name = m_names[static_cast<std::size_t>(row)];
    if (name.isNull())
        name = item.GetMemberName().ToQString();
    return name;
}

int EditAliasesDialog::AliasesTableModel::rowCount(const QModelIndex& parent) const
{
    // A table: cells have no children (QAbstractItemModelTester and the proxy rely on it).
    if (parent.isValid())
        return 0;
    const unsigned int count = m_aliases->GetAliasCount();
    return count > static_cast<unsigned int>(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                              : static_cast<int>(count);
}

int EditAliasesDialog::AliasesTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant EditAliasesDialog::AliasesTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.row() < 0)
        return {};
    const AliasItemPresModel* item = CurrentItem(index.row());
    if (!item)
        return {};
    switch (index.column()) {
    case MemberColumn:
        return MemberName(index.row(), *item);
    case HasAliasColumn:
        return HasAliasMark(item->GetHasAlias());
    case ShownColumn:
        return item->GetHasAlias() ? item->GetAlias().ToQString() : MemberName(index.row(), *item);
    default:
        return {};
    }
}

bool EditAliasesDialog::AliasesTableModel::setData(const QModelIndex& index, const QVariant& value, int /*role*/)
{
    if (!m_failureHandler)
        return Edit(index, value);
    try {
        return Edit(index, value);
    } catch (...) {
        m_failureHandler(std::current_exception());
        return false;
    }
}

bool EditAliasesDialog::AliasesTableModel::Edit(const QModelIndex& index, const QVariant& value)
{
    if (index.column() != ShownColumn || index.row() < 0)
        return false;
    const TString text(value.toString());
    const auto row = static_cast<unsigned int>(index.row());
    if (row >= m_aliases->GetAliasCount())
        return false;

    const AliasItemPresModel* found = CurrentItem(index.row());
    if (!found)
        ThrowLogicException(kFile, __LINE__, "m_ptr");
    const AliasItemPresModel& current = *found;
    const bool hadAlias = current.GetHasAlias();
    if (text == current.GetAlias())
        return false;
    // Typing the member's own name, or nothing, takes the alias away.
    const bool hasAlias = !text.empty() && text != current.GetMemberName();

    auto item = MakeRefCnt<AliasItemPresModel>();
    item->SetIndex(current.GetIndex());
    item->SetMemberName(current.GetMemberName());
    item->SetHasAlias(hasAlias);
    if (hasAlias)
        item->SetAlias(text);
    RefCntPtr<AliasItemPresModel const> changed(std::move(item));

    auto request = MakeRefCnt<NewAliasesPresModel>();
    request->AddAlias(changed);
    request->SetID(m_aliases->GetID());

    RefCntPtr<AliasResultsPresModel const> answer;
    try {
        answer = ApplyNewAliases(m_dispatcher, RefCntPtr<NewAliasesPresModel const>(std::move(request)))
                     .Get<Cmds::AliasResults>();
    } catch (...) {
        // The host could not check the change; it is taken as one without duplicates, and the
        // host's own state decides at commit.
        answer.reset();
    }
    if (answer && answer->GetResultsCount() >= 1) {
        RefuseDuplicate(answer->GetResults(0));
        return false;
    }

    if (m_edited.size() <= row)
        m_edited.resize(static_cast<std::size_t>(row) + 1);
    m_edited[row] = std::move(changed);
    if (hadAlias && !hasAlias)
        --m_assignedCount;
    else if (!hadAlias && hasAlias)
        ++m_assignedCount;
    emit dataChanged(this->index(index.row(), MemberColumn), index);
    return true;
}

void EditAliasesDialog::AliasesTableModel::RefuseDuplicate(const AliasResultItemPresModel& result) const
{
    const AliasItemPresModel& requested = *result.GetNewAlias();
    const TString& shown = requested.GetHasAlias() ? requested.GetAlias() : requested.GetMemberName();
    const TString text
        = LookupTFmtStr(Zel::Strings::DuplicateAlias).arg(result.GetDuplicate()->GetMemberName()).arg(shown);
    TMessageBox::Show(text, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::NoButton, Qt::WindowModal);
}

QVariant EditAliasesDialog::AliasesTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        switch (section) {
        case MemberColumn:
            return LookupTStr(Zel::Strings::AliasMemberHeader).ToQString();
        case HasAliasColumn:
            return LookupTStr(Zel::Strings::AliasHasAliasHeader).ToQString();
        case ShownColumn:
            return LookupTStr(Zel::Strings::AliasValueHeader).ToQString();
        default:
            return {};
        }
    case Qt::FontRole: {
        QFont font;
        font.setPointSize(kHeaderPointSize);
        return font;
    }
    case Qt::TextAlignmentRole:
        return QVariant(Qt::AlignLeft);
    default:
        return {};
    }
}

Qt::ItemFlags EditAliasesDialog::AliasesTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() == ShownColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

void EditAliasesDialog::AliasesTableModel::ClearAliases()
{
    beginResetModel();
    RefCntPtr<AliasesPresModel const> cleared;
    try {
        cleared = ::ClearAliases(m_dispatcher, m_aliases->GetID()).Get<Cmds::ClearedAliases>();
        // An answer without a list is refused here, before the views ask it for rows.
        static_cast<void>(*cleared);
    } catch (...) {
        // Nothing changed; the views must not be left waiting for the end of the reset.
        endResetModel();
        throw;
    }
    m_aliases = std::move(cleared);
    m_assignedCount = 0;
    m_edited.clear();
    m_names.clear();
    endResetModel();
}
