#include "main/dialogs/SetDefaultMemberDialog.h"

#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchySelectWidget.h"
#include "host/ui/TMessageBox.h"

#include "ui_SetDefaultMemberDialog.h"

namespace {
constexpr const char* kSource = "main/dialogs/SetDefaultMemberDialog";
}

SetDefaultMemberDialog::SetDefaultMemberDialog(std::shared_ptr<ICommandDispatcher const> dispatcher,
    const FieldName& hierarchy, RefCntPtr<HierarchySetDefaultMemberPresModel const> model, QWidget* parent)
    : ZelvarDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
    , m_model(std::move(model))
    , m_hierarchy(hierarchy)
    , m_dispatcher(std::move(dispatcher))
    , m_defaultMemberType(HSM::DMT_CubeDefault)
    , m_ui(std::make_unique<Ui::SetDefaultMemberDialog>())
{
    ZEL_LOGIC_CHECK(kSource, m_model != nullptr);
    m_defaultMemberType = m_model->GetDefaultMemberType();
    m_ui->setupUi(this);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &SetDefaultMemberDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The tree loads once the dialog's own event loop runs, not while the host builds it.
    QMetaObject::invokeMethod(this, "OnInitDialog", Qt::QueuedConnection);
}

SetDefaultMemberDialog::~SetDefaultMemberDialog() = default;

RefCntPtr<Tuple> SetDefaultMemberDialog::GetSelectedMember() const
{
    return m_ui->m_memberSelectCtrl->GetSelectedMember();
}

bool SetDefaultMemberDialog::OnInitDialog()
{
    setWindowTitle(m_model->GetTitle().ToQString());
    HierarchySelectWidget& tree = *m_ui->m_memberSelectCtrl;
    tree.CreateModel(m_dispatcher, m_hierarchy);
    tree.SetRadioMode(true);
    tree.SetCheckMarkVisible(false);
    tree.SetSelectingCurrent(true);
    UpdateControls();
    connect(&tree, &HierarchySelectWidget::RootLoaded, this, &SetDefaultMemberDialog::OnRootMemberLoaded,
        Qt::QueuedConnection);
    connect(
        m_ui->m_radioUseDefaultMbr, &QRadioButton::clicked, this, &SetDefaultMemberDialog::OnClickedRadioUseDefaultMbr);
    connect(m_ui->m_radioUseAllMbr, &QRadioButton::clicked, this, &SetDefaultMemberDialog::OnClickedRadioUseAllMbr);
    connect(m_ui->m_radioUseSelectedMbr, &QRadioButton::clicked, this,
        &SetDefaultMemberDialog::OnClickedRadioUseSelectedMbr);
    connect(m_ui->m_btnExpand, &QPushButton::clicked, this, &SetDefaultMemberDialog::OnExpandAll);
    return false;
}

void SetDefaultMemberDialog::OnRootMemberLoaded()
{
    const RefCntPtr<Tuple>& member = m_model->GetSelectedDefaultMember();
    if (!member)
        return;
    HierarchySelectWidget& tree = *m_ui->m_memberSelectCtrl;
    tree.SetSelectedMember(member);
    tree.ExpandTree(-2, 0, -1);
}

void SetDefaultMemberDialog::OnClickedRadioUseDefaultMbr()
{
    m_defaultMemberType = HSM::DMT_CubeDefault;
    UpdateControlState();
}

void SetDefaultMemberDialog::OnClickedRadioUseAllMbr()
{
    m_defaultMemberType = HSM::DMT_AllMember;
    UpdateControlState();
}

void SetDefaultMemberDialog::OnClickedRadioUseSelectedMbr()
{
    m_defaultMemberType = HSM::DMT_SelectedMember;
    UpdateControlState();
}

void SetDefaultMemberDialog::UpdateControls()
{
    m_ui->m_radioUseDefaultMbr->setChecked(m_defaultMemberType == HSM::DMT_CubeDefault);
    m_ui->m_radioUseAllMbr->setChecked(m_defaultMemberType == HSM::DMT_AllMember);
    m_ui->m_radioUseSelectedMbr->setChecked(m_defaultMemberType == HSM::DMT_SelectedMember);
    UpdateControlState();
}

void SetDefaultMemberDialog::UpdateControlState()
{
    m_ui->m_radioUseAllMbr->setEnabled(m_model->GetHasAllMember());
    const bool selected = m_ui->m_radioUseSelectedMbr->isChecked();
    m_ui->m_memberSelectCtrl->setEnabled(selected);
    m_ui->m_btnExpand->setEnabled(selected);
}

void SetDefaultMemberDialog::OnExpandAll()
{
    m_ui->m_memberSelectCtrl->ExpandTree(-1, 0, -1);
}

void SetDefaultMemberDialog::accept()
{
    OnOK();
}

void SetDefaultMemberDialog::OnOK()
{
    if (m_defaultMemberType == HSM::DMT_SelectedMember && !GetSelectedMember()) {
        TMessageBox::Show(LookupTStr(Zel::Strings::SelectDefaultMember), QMessageBox::Warning, QMessageBox::Ok,
            QMessageBox::NoButton, Qt::WindowModal, this);
        return;
    }
    QDialog::accept();
}
