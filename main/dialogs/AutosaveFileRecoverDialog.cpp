#include "main/dialogs/AutosaveFileRecoverDialog.h"

#include "ui_AutosaveFileRecoverDialog.h"

#include "gen-command-wrappers/AutosaveCommandWrappers.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationConstants.h"
#include "host/ui/UnificationFontUtil.h"
#include "main/models/AutosaveFileTableModel.h"
#include "main/models/AutosaveFileTableSortProxyModel.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QPushButton>

namespace Cmds = Zel::Commands::Autosave;

namespace {
const QSize kInitialSize(500, 350);
} // namespace

AutosaveFileRecoverDialog::AutosaveFileRecoverDialog(const ICommandDispatcher& dispatcher, QWidget* parent)
    : ZelvarFramelessDialog(parent, true)
    , m_ui(std::make_unique<Ui::AutosaveFileRecoverDialog>())
    , m_dispatcher(dispatcher)
{
    m_ui->setupUi(this);
    // The frame has already named the dialog after itself, and setupUi only names a nameless one.
    setObjectName(QStringLiteral("AutosaveFileRecoverDialog"));
    resize(ScaleForDpi(this, kInitialSize));
    SetContentWidget(m_ui->m_containerWidget);

    m_model = new AutosaveFileTableModel(this);
    m_proxy = new AutosaveFileTableSortProxyModel(this);
    m_proxy->setSourceModel(m_model);
    QTableView* view = m_ui->m_fileListView;
    view->setModel(m_proxy);

    // Newest first, and only so: the header neither sorts on a click nor shows an indicator.
    view->sortByColumn(AutosaveFileTableModel::LastModifiedColumn, Qt::DescendingOrder);
    view->setSortingEnabled(true);
    QHeaderView* header = view->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft);
    header->setSectionResizeMode(AutosaveFileTableModel::LastModifiedColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(AutosaveFileTableModel::WorkbookColumn, QHeaderView::Stretch);
    header->setSectionsClickable(false);
    header->setSortIndicatorShown(false);

    QPushButton* openButton = m_ui->m_buttonBox->button(QDialogButtonBox::Open);
    connect(openButton, &QPushButton::clicked, this, &AutosaveFileRecoverDialog::OpenClicked);
    connect(m_ui->m_deleteButton, &QPushButton::clicked, this, &AutosaveFileRecoverDialog::DeleteClicked);
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &AutosaveFileRecoverDialog::UpdateControls);
    connect(view, &QAbstractItemView::doubleClicked, this, &AutosaveFileRecoverDialog::OnItemDoubleClicked);

    const int spacing = ScaleForDpi(this, UnificationConstants::Get().GetMediumSpacing());
    m_ui->m_containerWidget->setContentsMargins(spacing, spacing, spacing, spacing);
    m_ui->m_containerWidget->setFont(
        UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, this));
    UnificationButtonStyle::ApplyGreenFilledButtonStyling(*openButton);
    UnificationButtonStyle::ApplyGreyFilledButtonStyling(*m_ui->m_deleteButton);

    UpdateList();
    if (!view->selectionModel()->hasSelection())
        view->setCurrentIndex(m_proxy->index(0, 0));
    UpdateControls();
}

AutosaveFileRecoverDialog::~AutosaveFileRecoverDialog() = default;

std::vector<RefCntPtr<AutosaveFilePresModel const>> AutosaveFileRecoverDialog::GetFilesToOpen() const
{
    return m_filesToOpen;
}

bool AutosaveFileRecoverDialog::TrySelectingMostRecentAssociatedRecoveredFile(const TString& originalPath)
{
    if (originalPath.empty())
        return false;
    QTableView* view = m_ui->m_fileListView;
    if (view->selectionModel()->hasSelection())
        view->selectionModel()->clearSelection();
    const QModelIndex index = m_model->FindMostRecentFile(originalPath);
    view->setCurrentIndex(m_proxy->mapFromSource(index));
    return index.isValid();
}

void AutosaveFileRecoverDialog::OpenClicked()
{
    m_filesToOpen = PopulateSelectedFilesVector();
    accept();
}

void AutosaveFileRecoverDialog::DeleteClicked()
{
    std::vector<TString> ids;
    for (const RefCntPtr<AutosaveFilePresModel const>& file : PopulateSelectedFilesVector())
        ids.push_back(file->GetAutosaveFileId());
    DeleteAutosaveFiles(m_dispatcher, std::move(ids));
    UpdateList();
    // The reload resets the model, which drops the selection without a selectionChanged.
    UpdateControls();
}

void AutosaveFileRecoverDialog::UpdateList()
{
    const std::vector<RefCntPtr<AutosaveFilePresModel const>> files
        = GetAutosaveFiles(m_dispatcher).Get<Cmds::AutosaveFiles>();
    if (files.empty()) {
        accept();
        return;
    }
    m_model->SetRecoveredFiles(files);
}

void AutosaveFileRecoverDialog::UpdateControls()
{
    const bool selected = m_ui->m_fileListView->selectionModel()->hasSelection();
    m_ui->m_buttonBox->button(QDialogButtonBox::Open)->setEnabled(selected);
    m_ui->m_deleteButton->setEnabled(selected);
}

void AutosaveFileRecoverDialog::OnItemDoubleClicked(const QModelIndex& index)
{
    m_filesToOpen = {m_model->GetRecoveredFile(m_proxy->mapToSource(index))};
    accept();
}

std::vector<RefCntPtr<AutosaveFilePresModel const>> AutosaveFileRecoverDialog::PopulateSelectedFilesVector() const
{
    std::vector<RefCntPtr<AutosaveFilePresModel const>> files;
    for (const QModelIndex& row : m_ui->m_fileListView->selectionModel()->selectedRows(0))
        files.push_back(m_model->GetRecoveredFile(m_proxy->mapToSource(row)));
    return files;
}
