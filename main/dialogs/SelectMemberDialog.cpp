#include "main/dialogs/SelectMemberDialog.h"

#include "host/ui/HierarchySelectWidget.h"

#include "ui_SelectMemberDialog.h"

#include <QtWidgets/QPushButton>

SelectMemberDialog::IDialogValidator::~IDialogValidator() = default;

SelectMemberDialog::SelectMemberDialog(
    const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& hierarchy)
    : ZelvarDialog(nullptr, Qt::MSWindowsFixedSizeDialogHint)
    , m_dispatcher(dispatcher)
    , m_hierarchy(hierarchy)
    , m_ui(std::make_unique<Ui::SelectMemberDialog>())
{
    m_ui->setupUi(this);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SelectMemberDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The tree loads once the dialog's own event loop runs, not while the caller builds it.
    QMetaObject::invokeMethod(this, "OnInitDialog", Qt::QueuedConnection);
}

SelectMemberDialog::~SelectMemberDialog() = default;

bool SelectMemberDialog::OnInitDialog()
{
    HierarchySelectWidget& tree = *m_ui->m_memberSelectCtrl;
    tree.CreateModel(m_dispatcher, m_hierarchy);
    tree.SetRadioMode(true);
    tree.SetCheckMarkVisible(false);
    UpdateOkButton();
    connect(m_ui->m_btnExpand, &QPushButton::clicked, &tree, [&tree] { tree.ExpandTree(-1, 0, -1); });
    connect(&tree, &HierarchySelectWidget::MemberSelectionChanged, this, &SelectMemberDialog::UpdateOkButton);
    return false;
}

void SelectMemberDialog::UpdateOkButton()
{
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(m_ui->m_memberSelectCtrl->HasSelectedMember());
}

void SelectMemberDialog::accept()
{
    HierarchySelectWidget& tree = *m_ui->m_memberSelectCtrl;
    if (!tree.HasSelectedMember())
        return;
    int level = -1;
    m_selectedMember = tree.GetSelectedDataValue(&level);
    m_selectedLevel = level;
    if (m_validator && !m_validator->Validate(m_selectedMember, m_selectedLevel))
        return;
    QDialog::accept();
}
