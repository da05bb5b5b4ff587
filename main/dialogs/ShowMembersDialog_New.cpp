#include "main/dialogs/ShowMembersDialog_New.h"

#include "ui_ShowMembersDialog_New.h"

#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/TMenu.h"
#include "main/models/TableViewModel.h"

#include <QtWidgets/QHeaderView>

#include <chrono>

namespace {

// Title and close button only: no context-help button.
constexpr Qt::WindowFlags kWindowFlags
    = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;

constexpr int kPageRowCount = 1000;
constexpr int kAllColumns = -1;
constexpr std::uint64_t kCachedPages = 5;
// The host keeps an unused cache this long; a dialog left open longer gets it rebuilt on demand.
constexpr std::chrono::seconds kHostCacheTimeout {5400};

} // namespace

ShowMembersDialog_New::ShowMembersDialog_New(
    const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& field)
    : ZelvarDialog(nullptr, kWindowFlags)
    , m_field(field)
    , m_model(std::make_unique<TableViewModel>(
          dispatcher, field, nullptr, kPageRowCount, kAllColumns, CacheDimensions<1>(kCachedPages), kHostCacheTimeout))
    , m_ui(std::make_unique<Ui::ShowMembersDialog>())
{
    m_ui->setupUi(this);
    m_ui->m_ctrlName->setText(m_model->GetTitle().ToQString());
    m_ui->m_labelExample->setText(
        LookupTFmtStr(Zel::Strings::ExamplesLabel).arg(m_model->GetRowCountCaption()).ToTString().ToQString());

    m_ui->m_ctrlTable->setModel(m_model.get());
    QHeaderView* header = m_ui->m_ctrlTable->horizontalHeader();
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    // The form's sorting left an indicator on the first column; the table starts in the host's order.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header, &QHeaderView::customContextMenuRequested, this, &ShowMembersDialog_New::OnShowContextMenu);

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ShowMembersDialog_New::~ShowMembersDialog_New() = default;

void ShowMembersDialog_New::OnShowContextMenu(const QPoint& position)
{
    QHeaderView* header = m_ui->m_ctrlTable->horizontalHeader();
    if (header->logicalIndexAt(position) < 0)
        return;

    TMenu menu(this);
    QAction* clearSort = menu.addAction(LookupTStr(Zel::Strings::ClearSort).ToQString());
    clearSort->setEnabled(header->sortIndicatorSection() != -1);
    if (menu.exec(header->mapToGlobal(position)) != clearSort)
        return;
    m_ui->m_ctrlTable->model()->sort(-1, Qt::AscendingOrder);
    header->setSortIndicator(-1, Qt::AscendingOrder);
}
