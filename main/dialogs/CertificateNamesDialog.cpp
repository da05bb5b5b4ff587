#include "main/dialogs/CertificateNamesDialog.h"

#include "ui_CertificateNamesDialog.h"

namespace {
// A title bar with a close button only: no context-help button.
constexpr Qt::WindowFlags kWindowFlags
    = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;
} // namespace

CertificateNamesDialog::CertificateNamesDialog(const std::vector<TString>& names, QWidget* parent)
    : ZelvarDialog(parent, kWindowFlags)
    , m_ui(std::make_unique<Ui::CertificateNamesDialog>())
{
    m_ui->setupUi(this);

    QListWidget* list = m_ui->certificateListWidget;
    for (const TString& name : names)
        list->addItem(name.ToQString());
    list->sortItems(Qt::AscendingOrder);
    list->setCurrentRow(0);
    list->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CertificateNamesDialog::OnOk);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, this, &CertificateNamesDialog::ItemPicked);
}

CertificateNamesDialog::~CertificateNamesDialog() = default;

TString CertificateNamesDialog::GetCertificateName() const
{
    return m_certificateName;
}

void CertificateNamesDialog::OnOk()
{
    // Ok without a chosen name is not an answer; the dialog waits for one or for Cancel.
    const QList<QListWidgetItem*> selected = m_ui->certificateListWidget->selectedItems();
    if (!selected.isEmpty())
        ItemPicked(selected.front());
}

void CertificateNamesDialog::ItemPicked(QListWidgetItem* item)
{
    if (item)
        m_certificateName = TString(item->text());
    accept();
}
