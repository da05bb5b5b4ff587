#include "main/dialogs/EditAliasesDialog.h"

#include "ui_EditAliasesDialog.h"

#include "host/doc/HostLog.h"
#include "host/doc/StringIds.h"
#include "main/dialogs/EditAliasesItemDelegate.h"
#include "main/models/AliasesTableModel.h"

#include <QtCore/QItemSelectionModel>
#include <QtCore/QSortFilterProxyModel>

#include <utility>

namespace {
// A title bar with a close button only: no context-help button.
constexpr Qt::WindowFlags kWindowFlags
    = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
// The "has alias" column is only wide enough for its mark and header; the other two share the rest.
constexpr int kHasAliasColumnWidth = 60;
} // namespace

EditAliasesDialog::EditAliasesDialog(
    const ICommandDispatcher& dispatcher, const RefCntPtr<AliasesPresModel const>& aliases)
    : ZelvarDialog(nullptr, kWindowFlags)
    , m_failures(*this)
    , m_ui(std::make_unique<Ui::EditAliasesDialog>())
    , m_dispatcher(dispatcher)
{
    m_ui->setupUi(this);
    m_model = std::make_unique<AliasesTableModel>(m_dispatcher, aliases);
    m_model->SetFailureHandler([this](std::exception_ptr failure) { m_failures.Report(std::move(failure)); });
    setWindowTitle(LookupTFmtStr(Zel::Strings::EditAliasesTitle)
                       .arg(aliases->GetColumnCaption(), 0, L' ')
                       .ToTString()
                       .ToQString());

    auto* proxy = new QSortFilterProxyModel(this);
    proxy->setSourceModel(m_model.get());
    proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    QTableView* table = m_ui->table;
    table->setModel(proxy);
    m_selectionModel = std::make_unique<QItemSelectionModel>(proxy);
    table->setSelectionModel(m_selectionModel.get());
    table->sortByColumn(AliasesTableModel::MemberColumn, Qt::AscendingOrder);

    m_delegate = std::make_unique<EditAliasesItemDelegate>(table, nullptr);
    table->setItemDelegate(m_delegate.get());

    connect(
        m_selectionModel.get(), &QItemSelectionModel::selectionChanged, this, &EditAliasesDialog::onSelectionChanged);
    connect(m_model.get(), &QAbstractItemModel::dataChanged, this, &EditAliasesDialog::UpdateUIState);
    connect(m_model.get(), &QAbstractItemModel::modelReset, this, [this] { UpdateUIState(); });
    connect(m_ui->clearButton, &QPushButton::clicked, this, &EditAliasesDialog::OnClear);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);

    SetUseLastPlace(TString(L"EditAliasesDlg"), true, false);
    UpdateUIState();
    LogMessage(TString(L"ACTION: Display 'Edit Aliases' dialog."));
}

EditAliasesDialog::~EditAliasesDialog() = default;

int EditAliasesDialog::exec()
{
    return m_failures.Exec([this] { return ZelvarDialog::exec(); });
}

void EditAliasesDialog::showEvent(QShowEvent* event)
{
    ZelvarDialog::showEvent(event);
    QTableView* table = m_ui->table;
    const int width = table->viewport()->width() - kHasAliasColumnWidth;
    table->setColumnWidth(AliasesTableModel::MemberColumn, width / 2);
    table->setColumnWidth(AliasesTableModel::HasAliasColumn, kHasAliasColumnWidth);
    table->setColumnWidth(AliasesTableModel::ShownColumn, width / 2);
    UpdateUIState();
}

void EditAliasesDialog::UpdateUIState()
{
    m_ui->clearButton->setEnabled(m_model->GetAssignedCount() >= 1);
}

void EditAliasesDialog::OnClear()
{
    m_failures.Guard([this] { m_model->ClearAliases(); });
}

void EditAliasesDialog::onSelectionChanged(const QItemSelection& selected, const QItemSelection& /*deselected*/)
{
    if (selected.isEmpty())
        return;
    const QModelIndexList indexes = selected.indexes();
    if (indexes.isEmpty())
        return;
    // Row selection makes the clicked cell current; the first cell keeps F2 and the keyboard on the row.
    const QModelIndex first = m_ui->table->model()->index(indexes.front().row(), AliasesTableModel::MemberColumn);
    m_selectionModel->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
}
