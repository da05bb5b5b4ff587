#include "main/dialogs/ParameterDialog.h"

// The form's custom widgets need the enumerations their templates are instantiated over.
#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"
#include "host/ui/TBeep.h"

#include "ui_ParameterDialog.h"

#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "host/doc/DateTime.h"
#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/Clipboard.h"
#include "host/ui/ITabOrder.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/RichEditWidget.h"
#include "host/ui/TMenu.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/UberFormatWidget.h"
#include "main/dialogs/ParentChildPair.h"
#include "main/models/ParameterMemberModel.h"
#include "main/models/ValueComboProxyModel.h"

#include <algorithm>

namespace Cmds = Zel::Commands::Parameter;

namespace {

constexpr const char* kFile = "main/dialogs/ParameterDialog";
// The data type entry that a parameter can never take.
constexpr int kCommentEditorHeight = 92;
constexpr int kMinDateStep = 1;
constexpr int kMaxDateStep = 100;

bool IsDateType(DataType type)
{
    return type == DT_DATE || type == DT_DATETIME;
}

// The first widget under `page` in creation order, which is the one its label should focus.
QWidget* FirstWidgetUnder(QWidget* page)
{
    return page ? page->findChild<QWidget*>() : nullptr;
}

void SelectItemWithData(QComboBox& combo, int value)
{
    combo.setCurrentIndex(combo.findData(QVariant(value), Qt::UserRole, Qt::MatchExactly));
}

} // namespace

// Around a command that may change many rows of the list: the list does not repaint in between and
// the user sees the wait cursor. Whatever happens, the list ends scrolled to its bottom, where a
// fill or a paste added its members.
class ParameterDialog::BusyState
{
public:
    explicit BusyState(ParameterDialog& dialog)
        : m_dialog(dialog)
    {
        m_dialog.m_ui->m_ctrlMembers->setUpdatesEnabled(false);
        m_dialog.setCursor(Qt::WaitCursor);
    }

    ~BusyState()
    {
        ParameterMemberView* members = m_dialog.m_ui->m_ctrlMembers;
        members->scrollToBottom();
        members->setUpdatesEnabled(true);
        m_dialog.unsetCursor();
    }

    BusyState(const BusyState&) = delete;
    BusyState& operator=(const BusyState&) = delete;

private:
    ParameterDialog& m_dialog;
};

ParameterDialog::ParameterDialog(const ICommandDispatcher& dispatcher,
    const RefCntPtr<ParameterEditInfoPresModel const>& editInfo, std::unique_ptr<ComponentCleanup> cleanup,
    unsigned int editId, QWidget* parent)
    : ZelvarDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
    , m_cleanup(std::move(cleanup))
    , m_dispatcher(&dispatcher)
    , m_editId(editId)
    , m_ui(std::make_unique<Ui::ParameterDialog>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("ParameterDialog"));

    m_ui->m_ctrlMembers->Initialize(dispatcher, editId);

    auto* valueProxy = new ValueComboProxyModel(m_ui->m_ctrlValueCombo);
    valueProxy->setSourceModel(GetListMemberModel());
    m_ui->m_ctrlValueCombo->setModel(valueProxy, false);

    SetEditInfoModel(editInfo);

    m_descnEditor = new RichEditWidget(TextStyle(), 0, m_ui->m_sectionDescn);
    m_descnEditor->SetShowRuler(false);
    m_descnEditor->setFixedHeight(kCommentEditorHeight);
    m_ui->m_layoutDescn->addWidget(m_descnEditor);

    ITabOrder::PlaceBetween(m_ui->m_ctrlDescnBtn, *m_descnEditor, m_ui->m_ctrlType);

    InitializeControls();
    UpdateControlsFromData();

    ITabOrder::PlaceBetween(m_ui->m_ctrlType, *m_ui->m_ctrlValueEdit, m_ui->m_ctrlValueCombo);
    ITabOrder::PlaceBetween(m_ui->m_ctrlMinBtn, *m_ui->m_ctrlMin, m_ui->m_ctrlMaxBtn);
    ITabOrder::PlaceBetween(m_ui->m_ctrlMaxBtn, *m_ui->m_ctrlMax, m_ui->m_ctrlStepBtn);
    ITabOrder::PlaceBetween(m_ui->m_ctrlStepBtn, *m_ui->m_ctrlNumStep, m_ui->m_ctrlSetFromParamBtn);

    MakeConnections();

    m_ui->m_ctrlCaption->setFocus();
    m_ui->m_ctrlCaption->selectAll();
}

// The form goes first, the clean-up owner last: member order says so.
ParameterDialog::~ParameterDialog() = default;

void ParameterDialog::MakeConnections()
{
    Ui::ParameterDialog& ui = *m_ui;
    ParameterMemberModel* members = GetListMemberModel();

    connect(
        ui.m_ctrlType, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &ParameterDialog::OnDataTypeChange);
    connect(ui.buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui.buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui.m_ctrlCaption, &QLineEdit::textEdited, this, &ParameterDialog::OnDisplayInfoChange);
    connect(m_descnEditor, &RichEditWidget::textChanged, this, &ParameterDialog::OnDisplayInfoChange);
    connect(ui.m_domainTypeBtnGroup, &QButtonGroup::idClicked, this, &ParameterDialog::OnDomainChanged);
    connect(ui.m_ctrlDescnBtn, &QPushButton::clicked, this, &ParameterDialog::OnToggleDescn);
    connect(ui.m_ctrlValueEdit, &DataValueWidget::changed, this, &ParameterDialog::OnValueChange);
    connect(ui.m_ctrlFormat, &UberDropdownCtrlBase::UberControlChanged, this, &ParameterDialog::OnFormatChange);
    connect(members, &ParameterMemberModel::FormattedValueChanged, this, &ParameterDialog::OnDisplayValueChanged);
    connect(members, &ParameterMemberModel::IsEmptyChanged, this, &ParameterDialog::UpdateListControls);

    connect(ui.m_ctrlDateStepPeriod, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &ParameterDialog::OnRangeChange);
    for (QAbstractButton* tick : {ui.m_ctrlMinBtn, ui.m_ctrlMaxBtn, ui.m_ctrlStepBtn})
        connect(tick, &QAbstractButton::clicked, this, &ParameterDialog::OnRangeChange);
    for (DataValueWidget* bound : {ui.m_ctrlMin, ui.m_ctrlMax, ui.m_ctrlNumStep})
        connect(bound, &DataValueWidget::changed, this, &ParameterDialog::OnRangeChange);
    connect(ui.m_ctrlAddFromParamBtn, &QPushButton::clicked, this, &ParameterDialog::OnSetFromParam);
    connect(ui.m_ctrlSetFromParamBtn, &QPushButton::clicked, this, &ParameterDialog::OnSetFromParam);
    connect(ui.m_ctrlAddFromDimBtn, &QPushButton::clicked, this, &ParameterDialog::OnSetFromField);
    connect(ui.m_ctrlSetFromMeasBtn, &QPushButton::clicked, this, &ParameterDialog::OnSetFromField);
    connect(ui.m_ctrlClearBtn, &QPushButton::clicked, this, &ParameterDialog::OnClear);
    connect(ui.m_ctrlPasteBtn, &QPushButton::clicked, this, &ParameterDialog::OnPaste);
    connect(ui.m_booleanValueBtnGroup, &QButtonGroup::idClicked, this, &ParameterDialog::OnBooleanValueChange);
    connect(ui.m_ctrlTrueAliasText, &QLineEdit::editingFinished, this, [this] { OnBooleanAliasChange(0); });
    connect(ui.m_ctrlFalseAliasText, &QLineEdit::editingFinished, this, [this] { OnBooleanAliasChange(1); });
}

// --- Records -------------------------------------------------------------------------------------

DataType ParameterDialog::GetDataType() const
{
    return m_parameter->GetDataType();
}

ParameterTypes::DomainType ParameterDialog::GetDomainType() const
{
    return m_parameter->GetDomainType();
}

ParameterMemberModel* ParameterDialog::GetListMemberModel() const
{
    return m_ui->m_ctrlMembers->GetModel();
}

bool ParameterDialog::IsListDomainEmpty() const
{
    if (GetDataType() == DT_BOOLEAN)
        return false;
    return GetListMemberModel()->GetNumberOfDataRows() == 0;
}

UberFormatWidget& ParameterDialog::FormatPopup() const
{
    return *m_ui->m_ctrlFormat->GetUberWidget();
}

void ParameterDialog::SetEditInfoModel(const RefCntPtr<ParameterEditInfoPresModel const>& editInfo)
{
    const ParameterEditInfoPresModel& source = *editInfo;
    m_editInfo = MakeRefCnt<ParameterEditInfoPresModel>();
    m_editInfo->SetTitle(source.GetTitle());
    m_editInfo->SetParameterName(source.GetParameterName());
    m_editInfo->SetComment(source.GetComment());
    m_editInfo->SetCompatibleFields(source.GetCompatibleFields());
    m_editInfo->SetCompatibleParameters(source.GetCompatibleParameters());
    m_editInfo->SetShouldRestrictDataType(source.GetShouldRestrictDataType());
    SetParameterModel(source.GetParameter());
}

void ParameterDialog::SetParameterModel(const RefCntPtr<ProductParameterInfoPresModel const>& parameter)
{
    const ProductParameterInfoPresModel& source = *parameter;
    m_parameter = MakeRefCnt<ProductParameterInfoPresModel>();
    m_parameter->SetName(source.GetName());
    m_parameter->SetCaption(source.GetCaption());
    m_parameter->SetDataType(source.GetDataType());
    m_parameter->SetDomainType(source.GetDomainType());
    SetRangeDomainModel(source.GetRangeDomain());
    SetListDomainModel(source.GetListDomain());
    m_parameter->SetFormatString(source.GetFormatString());
    m_parameter->SetFormattedValue(source.GetFormattedValue());
    m_parameter->SetValue(source.GetValue());
}

void ParameterDialog::SetListDomainModel(const RefCntPtr<ParameterListDomainPresModel const>& list)
{
    const unsigned int valueIndex = list ? list->GetValueIndex() : 0;
    std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> members;
    if (list)
        members = list->GetMembers();

    if (GetDataType() != DT_BOOLEAN) {
        ParameterMemberModel* model = GetListMemberModel();
        model->SetListDomain(std::move(members));
        model->SetCurrentIndex(valueIndex);
        model->SetHasDuplicates(list ? list->GetHasDuplicates() : false);
    } else {
        m_booleanIndex = valueIndex;
        m_booleanDomain = std::move(members);
    }
}

void ParameterDialog::SetRangeDomainModel(const RefCntPtr<ParameterRangeDomainPresModel const>& range)
{
    m_parameter->SetRangeDomain(range);
}

// --- Refresh -------------------------------------------------------------------------------------

void ParameterDialog::InitializeControls()
{
    Ui::ParameterDialog& ui = *m_ui;
    for (DataValueWidget* edit : {ui.m_ctrlValueEdit, ui.m_ctrlNumStep, ui.m_ctrlMin, ui.m_ctrlMax}) {
        edit->Initialize(*m_dispatcher);
        edit->SetMinimumDate(DateTimeUtils::MinDateEditDate());
        edit->SetMaximumDate(DateTimeUtils::MaxDateEditDate());
    }

    ui.m_ctrlType->SetAllValues();
    const int unknown = ui.m_ctrlType->findText(
        LookupTStr(Zel::Strings::DataTypeUnknown).ToQString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (unknown >= 0)
        ui.m_ctrlType->removeItem(unknown);

    ui.m_ctrlDateStepSpin->setRange(kMinDateStep, kMaxDateStep);

    const TString buttonText(ui.m_ctrlDescnBtn->text());
    m_descnHiddenText = buttonText + TString(L" >>");
    m_descnVisibleText = TString(L"<< ") + buttonText;
    ui.m_sectionDescn->hide();
    UpdateDescnBtnText();

    setWindowTitle(m_editInfo->GetTitle().ToQString());

    ui.m_booleanValueBtnGroup->setId(ui.m_ctrlValueTrueBtn, 0);
    ui.m_booleanValueBtnGroup->setId(ui.m_ctrlValueFalseBtn, 1);
    ui.m_domainTypeBtnGroup->setId(ui.m_ctrlDomainAny, ParameterTypes::Domain_Any);
    ui.m_domainTypeBtnGroup->setId(ui.m_ctrlDomainList, ParameterTypes::Domain_List);
    ui.m_domainTypeBtnGroup->setId(ui.m_ctrlDomainRange, ParameterTypes::Domain_Range);

    ui.m_ctrlValueCombo->setTextElideMode(Qt::ElideRight);
}

void ParameterDialog::UpdateControlsFromData()
{
    Ui::ParameterDialog& ui = *m_ui;
    const ProductParameterInfoPresModel& parameter = *m_parameter;

    ui.m_ctrlCaption->setText(parameter.GetCaption().ToQString());
    const DataType type = parameter.GetDataType();
    SelectItemWithData(*ui.m_ctrlType, type);
    ui.m_ctrlValueEdit->SetValue(parameter.GetValue(), true);
    m_descnEditor->SetFormattedText(m_editInfo->GetComment());

    if (m_editInfo->GetShouldRestrictDataType()) {
        ui.m_ctrlType->setEnabled(false);
        ui.m_ctrlTypeLabel->setEnabled(false);
    }

    UberFormatWidget& format = FormatPopup();
    format.SetDataType(type);
    format.SetTextFormat(parameter.GetFormatString());
    format.SetSampleText(parameter.GetFormattedValue());
    ui.m_ctrlFormat->update();

    const bool formattable = type != DT_STRING && type != DT_BOOLEAN;
    ui.m_ctrlFormat->setEnabled(formattable);
    ui.m_ctrlFormatLabel->setEnabled(ui.m_ctrlFormat->isEnabled());

    const ParameterTypes::DomainType domain = parameter.GetDomainType();
    ui.m_ctrlValueLabel->setEnabled(domain != ParameterTypes::Domain_List || !IsListDomainEmpty());

    const bool boolean = type == DT_BOOLEAN;
    ui.m_domainTypeBtnGroup->setExclusive(!boolean);
    if (!boolean) {
        switch (domain) {
        case ParameterTypes::Domain_List:
            UpdateListControls(IsListDomainEmpty());
            break;
        case ParameterTypes::Domain_Range:
            UpdateRangeControls();
            break;
        case ParameterTypes::Domain_Any:
            break;
        default:
            ThrowLogicException(kFile, __LINE__, "Unknown domain type");
        }
        if (QAbstractButton* button = ui.m_domainTypeBtnGroup->button(domain))
            button->setChecked(true);
    } else {
        UpdateBooleanControls();
        // The group is not exclusive now, so the checked button can be cleared.
        if (QAbstractButton* checked = ui.m_domainTypeBtnGroup->checkedButton())
            checked->setChecked(false);
    }

    ui.m_ctrlDomainAny->setEnabled(!boolean);
    ui.m_ctrlDomainList->setEnabled(!boolean);
    ui.m_ctrlDomainLabel->setEnabled(!boolean);
    ui.m_ctrlDomainRange->setEnabled(formattable);

    ui.m_sectionDombool->setVisible(boolean);
    ui.m_sectionDomlist->setVisible(!boolean && domain == ParameterTypes::Domain_List);
    ui.m_sectionDomrange->setVisible(!boolean && domain == ParameterTypes::Domain_Range);

    UpdateLayout();
    UpdateDomainCommands();
}

void ParameterDialog::UpdateLayout()
{
    Ui::ParameterDialog& ui = *m_ui;
    const DataType type = GetDataType();
    const ParameterTypes::DomainType domain = GetDomainType();

    if (domain == ParameterTypes::Domain_Range)
        ui.stackedWidgetStep->setCurrentIndex(IsDateType(type) ? 1 : 0);

    int valuePage = 0;
    if (type == DT_BOOLEAN)
        valuePage = 2;
    else if (domain == ParameterTypes::Domain_List)
        valuePage = 1;
    ui.stackedWidgetValue->setCurrentIndex(valuePage);

    ui.m_ctrlValueLabel->setBuddy(FirstWidgetUnder(ui.stackedWidgetValue->currentWidget()));
}

void ParameterDialog::UpdateDescnBtnText()
{
    const bool visible = !m_ui->m_sectionDescn->isHidden();
    m_ui->m_ctrlDescnBtn->setText((visible ? m_descnVisibleText : m_descnHiddenText).ToQString());
}

void ParameterDialog::UpdateDomainCommands()
{
    Ui::ParameterDialog& ui = *m_ui;
    const bool parameters = m_editInfo->GetCompatibleParameterCount() != 0;
    ui.m_ctrlAddFromParamBtn->setEnabled(parameters);
    ui.m_ctrlSetFromParamBtn->setEnabled(parameters);
    const bool fields = m_editInfo->GetCompatibleFieldCount() != 0;
    ui.m_ctrlAddFromDimBtn->setEnabled(fields);
    ui.m_ctrlSetFromMeasBtn->setEnabled(fields);
}

void ParameterDialog::UpdateListControls(bool isEmpty)
{
    m_ui->m_ctrlClearBtn->setEnabled(!isEmpty);
    m_ui->m_ctrlValueCombo->setEnabled(!isEmpty);
    m_ui->m_ctrlValueLabel->setEnabled(!isEmpty);
}

void ParameterDialog::UpdateRangeControls()
{
    Ui::ParameterDialog& ui = *m_ui;
    QtSignalBlocker blocker({ui.m_ctrlDateStepSpin, ui.m_ctrlDateStepPeriod});

    const RefCntPtr<ParameterRangeDomainPresModel const>& rangeRef = m_parameter->GetRangeDomain();
    if (!rangeRef)
        ThrowLogicException(kFile, __LINE__, "Range model shouldn't be null");
    const ParameterRangeDomainPresModel& range = *rangeRef;

    if (IsDateType(GetDataType())) {
        UpdatePeriodCtrl();
        ui.m_ctrlDateStepSpin->setValue(range.GetIncrement().GetInt());
    }
    ui.m_ctrlMinBtn->setChecked(range.GetHasUserDefinedMin());
    ui.m_ctrlMaxBtn->setChecked(range.GetHasUserDefinedMax());
    ui.m_ctrlStepBtn->setChecked(range.GetHasUserDefinedIncrement());
    ui.m_ctrlMin->SetValue(range.GetDomainMin(), true);
    ui.m_ctrlMax->SetValue(range.GetDomainMax(), true);
    SelectItemWithData(*ui.m_ctrlDateStepPeriod, range.GetDateIncrementPeriod());
    ui.m_ctrlNumStep->SetValue(range.GetIncrement(), true);

    ui.m_ctrlMin->setEnabled(range.GetHasUserDefinedMin());
    ui.m_ctrlMax->setEnabled(range.GetHasUserDefinedMax());
    const bool step = range.GetHasUserDefinedIncrement();
    ui.m_ctrlNumStep->setEnabled(step);
    ui.m_ctrlDateStepSpin->setEnabled(step);
    ui.m_ctrlDateStepPeriod->setEnabled(step);
}

void ParameterDialog::UpdatePeriodCtrl()
{
    if (GetDataType() == DT_DATETIME)
        m_ui->m_ctrlDateStepPeriod->SetAllValues();
    else
        m_ui->m_ctrlDateStepPeriod->SetValues({DPT_YEARS, DPT_QUARTERS, DPT_MONTHS, DPT_WEEKS, DPT_DAYS});
}

DataValue ParameterDialog::GetIncrementFromCtrls() const
{
    if (IsDateType(GetDataType()))
        return DataValue(m_ui->m_ctrlDateStepSpin->value());
    return m_ui->m_ctrlNumStep->GetValue();
}

void ParameterDialog::UpdateBooleanControls()
{
    Ui::ParameterDialog& ui = *m_ui;
    if (QAbstractButton* button = ui.m_booleanValueBtnGroup->button(static_cast<int>(m_booleanIndex)))
        button->setChecked(true);

    const std::pair<int, ZelvarLineEdit*> fields[] = {{0, ui.m_ctrlTrueAliasText}, {1, ui.m_ctrlFalseAliasText}};
    for (const auto& [option, field] : fields) {
        const ParameterListDomainMemberPresModel& member = *GetBooleanMember(option);
        field->setText(member.GetHasAlias() ? member.GetAlias().ToQString() : QString());
        field->setPlaceholderText(member.GetDisplayValue().ToQString());
    }
}

RefCntPtr<ParameterListDomainMemberPresModel const> ParameterDialog::GetBooleanMember(int index) const
{
    if (GetDomainType() != ParameterTypes::Domain_List)
        return {};
    ZEL_LOGIC_CHECK_MSG(kFile, m_booleanDomain.size() == 2, "Booleans should have exactly two valid options");
    ZEL_LOGIC_CHECK(kFile, index == 0 || index == 1);
    return m_booleanDomain[static_cast<std::size_t>(index)];
}

// --- Slots of the parameter ----------------------------------------------------------------------

void ParameterDialog::OnToggleDescn()
{
    QGroupBox* section = m_ui->m_sectionDescn;
    section->setVisible(section->isHidden());
    UpdateLayout();
    UpdateDescnBtnText();
    m_ui->m_ctrlCaption->setFocus();
}

void ParameterDialog::OnDisplayInfoChange()
{
    FormattedText comment = m_descnEditor->GetFormattedText();
    ::SetParameterDisplayInfo(*m_dispatcher, m_editId, TString(m_ui->m_ctrlCaption->text()), comment);
    // The host holds the comment now. A later refresh that brings only a parameter record (a range,
    // a fill) shows the edit record's comment, which must not take back what the user wrote.
    m_editInfo->SetComment(std::move(comment));
}

void ParameterDialog::OnDataTypeChange()
{
    const DataType type = m_ui->m_ctrlType->GetValue();
    if (type == GetDataType())
        return;
    const auto result = ::SetParameterDataType(*m_dispatcher, m_editId, type);
    SetEditInfoModel(result.Get<Cmds::EditInfo>());
    UpdateControlsFromData();
}

void ParameterDialog::OnDomainChanged(int id)
{
    if (id == GetDomainType())
        return;
    EnsureChangesCommitted();
    const auto result = ::SetParameterDomainType(*m_dispatcher, m_editId, static_cast<ParameterTypes::DomainType>(id));
    SetEditInfoModel(result.Get<Cmds::EditInfo>());
    UpdateControlsFromData();
}

void ParameterDialog::OnValueChange()
{
    const DataValue value = m_ui->m_ctrlValueEdit->GetValue();
    if (value == m_parameter->GetValue())
        return;
    const auto result = ::SetParameterValue(*m_dispatcher, m_editId, value);
    DataValue accepted = result.Get<Cmds::AcceptedValue>();
    TString formatted = result.Get<Cmds::FormattedValue>();
    m_parameter->SetValue(accepted);
    m_parameter->SetFormattedValue(formatted);
    m_ui->m_ctrlValueEdit->SetValue(accepted, false);
    FormatPopup().SetSampleText(formatted);
    m_ui->m_ctrlFormat->update();
}

void ParameterDialog::OnFormatChange()
{
    const TString format = FormatPopup().GetTextFormat();
    const auto result = ::SetParameterFormat(*m_dispatcher, m_editId, format);
    TString formatted = result.Get<Cmds::FormattedValue>();
    m_parameter->SetFormatString(format);
    OnDisplayValueChanged(std::move(formatted));
    if (const auto list = result.FindOfType<Cmds::ListDomain>()) {
        SetListDomainModel(*list);
        UpdateListControls(IsListDomainEmpty());
    }
}

void ParameterDialog::OnDisplayValueChanged(TString text)
{
    m_parameter->SetFormattedValue(text);
    FormatPopup().SetSampleText(text);
    m_ui->m_ctrlFormat->update();
}

void ParameterDialog::accept()
{
    OnOK();
}

void ParameterDialog::OnOK()
{
    EnsureChangesCommitted();
    const auto result = ::CommitParameter(*m_dispatcher, m_editId);
    if (const auto refusal = result.FindOfType<Cmds::RefusalMessage>()) {
        TMessageBox::Show(
            *refusal, QMessageBox::Warning, QMessageBox::Ok, QMessageBox::NoButton, Qt::WindowModal, this);
        return;
    }
    m_committedName = result.Get<Cmds::FieldNameParam>();
    // The host has closed the edit: a field that loses focus while the dialog hides must not send
    // to it any more.
    for (QWidget* control : findChildren<QWidget*>())
        control->blockSignals(true);
    QDialog::accept();
}

void ParameterDialog::EnsureChangesCommitted()
{
    if (GetDataType() == DT_BOOLEAN) {
        OnBooleanAliasChange(0);
        OnBooleanAliasChange(1);
        return;
    }
    const ParameterTypes::DomainType domain = GetDomainType();
    if (domain != ParameterTypes::Domain_List) {
        OnValueChange();
        if (domain == ParameterTypes::Domain_Range)
            OnRangeChange();
    }
}

// --- Slots of the allowable values ---------------------------------------------------------------

void ParameterDialog::OnRangeChange()
{
    Ui::ParameterDialog& ui = *m_ui;
    const ParameterRangeDomainPresModel& current = *m_parameter->GetRangeDomain();

    const bool hasMin = ui.m_ctrlMinBtn->isChecked();
    const bool hasMax = ui.m_ctrlMaxBtn->isChecked();
    const bool hasStep = ui.m_ctrlStepBtn->isChecked();
    const DataValue min = ui.m_ctrlMin->GetValue();
    const DataValue max = ui.m_ctrlMax->GetValue();
    const DatePeriodType period = ui.m_ctrlDateStepPeriod->GetValue();
    const DataValue increment = GetIncrementFromCtrls();

    if (hasMin == current.GetHasUserDefinedMin() && hasMax == current.GetHasUserDefinedMax()
        && hasStep == current.GetHasUserDefinedIncrement() && min == current.GetDomainMin()
        && max == current.GetDomainMax() && period == current.GetDateIncrementPeriod()
        && increment == current.GetIncrement())
        return;

    auto range = MakeRefCnt<ParameterRangeDomainPresModel>();
    range->SetHasUserDefinedMin(hasMin);
    range->SetHasUserDefinedMax(hasMax);
    range->SetHasUserDefinedIncrement(hasStep);
    range->SetDomainMin(min);
    range->SetDomainMax(max);
    range->SetDateIncrementPeriod(period);
    range->SetIncrement(increment);
    const auto result = ::SetParameterRangeDomain(*m_dispatcher, m_editId, std::move(range));
    SetParameterModel(result.Get<Cmds::ParameterInfo>());
    UpdateControlsFromData();
}

void ParameterDialog::OnClear()
{
    const auto result = ::ClearListDomain(*m_dispatcher, m_editId);
    const auto list = result.Get<Cmds::ListDomain>();
    TString formatted = result.Get<Cmds::FormattedValue>();
    SetListDomainModel(list);
    OnDisplayValueChanged(std::move(formatted));
    UpdateControlsFromData();
}

void ParameterDialog::OnPaste()
{
    BusyState busy(*this);
    TString text;
    Clipboard::PasteTextFromClipboard(text, Clipboard::MimeType::text);
    const auto result = ::PasteListMembers(*m_dispatcher, m_editId, std::move(text));
    if (const auto list = result.FindOfType<Cmds::ListDomain>()) {
        SetListDomainModel(*list);
        UpdateControlsFromData();
    } else {
        TBeep();
    }
}

std::optional<ParentChildPair> ParameterDialog::PickFromMenu(TMenu& menu, QWidget* button)
{
    const QPoint corner = button ? button->mapToGlobal(button->rect().topRight()) : QCursor::pos();
    const QAction* chosen = menu.exec(corner);
    if (!chosen)
        return std::nullopt;
    return chosen->data().value<ParentChildPair>();
}

void ParameterDialog::FillDomainFrom(const FieldName& name)
{
    BusyState busy(*this);
    const auto result = ::SetDomainFromField(*m_dispatcher, m_editId, name);
    if (const auto parameter = result.FindOfType<Cmds::ParameterInfo>()) {
        SetParameterModel(*parameter);
        UpdateControlsFromData();
    }
}

void ParameterDialog::OnSetFromField()
{
    const auto& sources = m_editInfo->GetCompatibleFields();
    if (sources.empty())
        return;
    RegisterParentChildPair();

    TMenu menu(this);
    const bool nested = sources.size() > 1;
    for (std::size_t group = 0; group < sources.size(); ++group) {
        const CaptionedDatasourceInfoPresModel& source = *sources[group];
        QMenu* target = nested ? menu.AddMenu(source.GetCaption()) : &menu;
        const auto& fields = source.GetCaptionedFields();
        for (std::size_t item = 0; item < fields.size(); ++item) {
            QAction* action = target->addAction(fields[item]->GetFieldCaption().ToQString());
            action->setData(
                QVariant::fromValue(ParentChildPair {static_cast<qint32>(group), static_cast<qint32>(item)}));
        }
    }

    // Sources that offer no field would make a menu with nothing to pick.
    const bool anyField = std::any_of(
        sources.begin(), sources.end(), [](const auto& source) { return !source->GetCaptionedFields().empty(); });
    if (!anyField)
        return;

    const auto choice = PickFromMenu(menu, qobject_cast<QWidget*>(sender()));
    if (!choice)
        return;
    ZEL_LOGIC_CHECK(kFile, choice->parent >= 0 && static_cast<std::size_t>(choice->parent) < sources.size());
    const FieldName name = sources[static_cast<std::size_t>(choice->parent)]
                               ->GetCaptionedField(static_cast<unsigned int>(choice->child))
                               .GetFieldName();
    FillDomainFrom(name);
}

void ParameterDialog::OnSetFromParam()
{
    auto* button = qobject_cast<QWidget*>(sender());
    if (!button)
        return;
    const auto& parameters = m_editInfo->GetCompatibleParameters();
    if (parameters.empty())
        return;
    RegisterParentChildPair();

    TMenu menu(this);
    for (std::size_t item = 0; item < parameters.size(); ++item) {
        QAction* action = menu.addAction(parameters[item]->GetFieldCaption().ToQString());
        action->setData(QVariant::fromValue(ParentChildPair {0, static_cast<qint32>(item)}));
    }

    const auto choice = PickFromMenu(menu, button);
    if (!choice)
        return;
    ZEL_LOGIC_CHECK(kFile, choice->child >= 0 && static_cast<std::size_t>(choice->child) < parameters.size());
    const FieldName name = parameters[static_cast<std::size_t>(choice->child)]->GetFieldName();
    FillDomainFrom(name);
}

void ParameterDialog::OnBooleanValueChange(int id)
{
    ZEL_LOGIC_CHECK_MSG(kFile, id <= 1, "Boolean indices should only ever be 0 or 1");
    ZEL_LOGIC_CHECK_MSG(kFile, GetDomainType() == ParameterTypes::Domain_List && GetDataType() == DT_BOOLEAN,
        "GetDomainType() == ParameterTypes::Domain_List && GetDataType() == DT_BOOLEAN");
    if (id == static_cast<int>(m_booleanIndex))
        return;
    EnsureChangesCommitted();
    const auto result = ::SetParameterValueIndex(*m_dispatcher, m_editId, id);
    m_booleanIndex = result.Get<Cmds::ListIndex>();
    UpdateBooleanControls();
}

void ParameterDialog::OnBooleanAliasChange(int index)
{
    ZelvarLineEdit* field = index == 0 ? m_ui->m_ctrlTrueAliasText : m_ui->m_ctrlFalseAliasText;
    const TString text(field->text());
    const ParameterListDomainMemberPresModel& member = *GetBooleanMember(index);
    const TString current = member.GetHasAlias() ? member.GetAlias() : TString();
    if (text == current)
        return;

    auto alias = MakeRefCnt<ParameterListDomainMemberPresModel>();
    alias->SetAlias(text);
    auto indexed = MakeRefCnt<IndexedDomainMemberPresModel>();
    indexed->SetIndex(index);
    indexed->SetMember(std::move(alias));
    const auto result = ::UpdateListMember(*m_dispatcher, m_editId, std::move(indexed), false);
    const ParameterListDomainDiffPresModel& diff = *result.Get<Cmds::ListDomainDiff>();
    for (const auto& updated : diff.GetUpdatedMembers()) {
        const IndexedDomainMemberPresModel& entry = *updated;
        ZEL_LOGIC_CHECK(
            kFile, entry.GetIndex() >= 0 && static_cast<std::size_t>(entry.GetIndex()) < m_booleanDomain.size());
        m_booleanDomain[static_cast<std::size_t>(entry.GetIndex())] = entry.GetMember();
    }
    UpdateBooleanControls();
}
