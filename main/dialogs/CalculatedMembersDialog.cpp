#include "main/dialogs/CalculatedMembersDialog_p.h"

// The form's custom widgets need the enumeration their template is instantiated over.
#include "host/doc/DataValue.h"

#include "ui_CalculatedMembersDialog.h"

#include "gen-command-wrappers/CalculatedMembersCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "host/doc/HostLog.h"
#include "host/doc/StringIds.h"
#include "host/ui/QtSignalBlocker.h"
#include "host/ui/TMessageBox.h"
#include "host/ui/UnificationFontUtil.h"
#include "widgets/EnumModelFactory.h"

#include <QtCore/QScopedValueRollback>
#include <QtWidgets/QHeaderView>

#include <algorithm>
#include <optional>

namespace Cmds = Zel::Commands::CalculatedMembers;

namespace {

constexpr const char* kFile = "main/dialogs/CalculatedMembersDialog";

constexpr const char* kCreateOutOfSync
    = "ERROR: The displayed calculations are out of sync with the controller's calculations; internal logic error "
      "has occurred while creating a new calculation.";
constexpr const char* kUpdateOutOfSync
    = "ERROR: The displayed calculations are out of sync with the controller's calculations; internal logic error "
      "has occurred while updating a calculation.";
constexpr const char* kEnableOutOfSync
    = "ERROR: The displayed calculations are out of sync with the controller's calculations; internal logic error "
      "has occurred while enabling/disabling a calculation.";
constexpr const char* kDeleteOutOfSync
    = "ERROR: The displayed calculations are out of sync with the controller's calculations; in internal logic error "
      "has occurred while deleting a calculated member/measure.";

// The entry of the hierarchy list that stands for the measures.
constexpr int kMeasuresEntry = -2;
// Room for a name and a parent's unique name before they are elided; the formula takes the rest.
constexpr int kNameColumnWidth = 200;
constexpr int kParentColumnWidth = 170;

enum Column : int
{
    NameColumn = 0,
    ParentColumn = 1,
    FormulaColumn = 2,
};

// A formula on one line of the list: every line break and tab becomes one space.
QString OneLine(const TString& formula)
{
    QString text = formula.ToQString();
    for (QChar& c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return text;
}

// Every row of the list is one line of one font beside a check box, so a row is as tall as its
// contents when it is as tall as one such row measured once. Resizing each row to its contents would
// lay out the text of every cell again: a third of a second for a thousand calculations.
void SizeRowsToContents(QTableWidget& list)
{
    list.insertRow(0);
    auto* probe = new QTableWidgetItem(QStringLiteral("Xg"));
    probe->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    probe->setCheckState(Qt::Checked);
    list.setItem(0, 0, probe);
    QHeaderView& rows = *list.verticalHeader();
    rows.resizeSections(QHeaderView::ResizeToContents);
    const int height = rows.sectionSize(0);
    list.removeRow(0);
    rows.setSectionResizeMode(QHeaderView::Fixed);
    rows.setDefaultSectionSize(height);
}

int FindExactText(const QComboBox& combo, const TString& text)
{
    return combo.findText(text.ToQString(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

// The identity the host knows a calculation by: its measure or its member, whichever it is.
struct Identity
{
    explicit Identity(const CalculatedMemberPresModel& record)
    {
        if (record.GetIsMeasure())
            measure = record.GetMeasure();
        else
            member = record.GetMember();
    }

    std::optional<FieldName> measure;
    std::optional<DataValue> member;
};

} // namespace

CalculatedMembersDialog::Impl::Impl(CalculatedMembersDialog& owner,
    const std::shared_ptr<ICommandDispatcher const>& dispatcher, const TString& text, const FieldName& field, bool flag)
    : m_failures(owner)
    , m_dispatcher(dispatcher)
    , m_owner(&owner)
    , m_ui(std::make_unique<Ui::CalculatedMembersDialog>())
{
    LogMessage(TString(L"ACTION: Display 'Calculated Members' dialog."));
    m_ui->setupUi(&owner);
    // The form's fixed sizes (a 105 pixel list, a 330 pixel definition box) are made for the
    // toolkit's body text, not for whatever the application's default font is.
    owner.setFont(UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, &owner));
    // The definition box's minimum is the form's; where this platform's controls need more room
    // than that, the box (and with it the dialog) grows rather than cutting off the formula area.
    QGroupBox& definition = *m_ui->groupBox;
    definition.setMinimumHeight(std::max(definition.minimumHeight(), definition.minimumSizeHint().height()));
    // The hierarchy lines up with the result type below it, and shows "Measures" whole.
    m_ui->m_hierarchies->setMinimumWidth(m_ui->m_lstResultType->width());

    std::optional<FieldName> initialField;
    if (!field.IsEmpty())
        initialField = field;
    const auto opened = GetCalculatedMembersForEditing(*m_dispatcher, text, flag, initialField);
    m_editId = opened.Get<Cmds::EditId>();
    m_cleanup = std::make_unique<ComponentCleanup>(m_dispatcher, opened.Get<Cmds::CleanupCommands>());
    const RefCntPtr<CalculatedMembersForEditingPresModel const> editing = opened.Get<Cmds::EditingModel>();
    m_dataSourceName = editing->GetDataSourceName();
    m_nonRootCalculationsAllowed = editing->GetHasNonRootCalculationsCapability();
    m_initialField = editing->GetInitialFieldName();
    m_hierarchies = editing->GetHierarchys();
    m_solveOrderLowerBound = editing->GetSolveOrderLowerBound();
    m_solveOrderUpperBound = editing->GetSolveOrderUpperBound();
    m_measuresDimensionName = editing->GetMeasuresDimensionName();

    const int initialHierarchy = FindHierarchy(editing->GetInitialHierarchyName());
    m_rememberedHierarchy = initialHierarchy >= 0 ? initialHierarchy : kMeasuresEntry;

    SetUpList();
    LoadCalculations(editing->GetCalculatedMembers());
    FillHierarchies();

    m_ui->m_solveOrder->setRange(m_solveOrderLowerBound, m_solveOrderUpperBound);
    m_ui->m_MDXEditBoxFormula->SetNotify(this, m_dataSourceName);

    FillResultTypes(editing->GetHasStringMeasuresCapability());
    if (!editing->GetUseScopeIsolation())
        m_ui->m_scopeIsolation->hide();

    UpdateControls();
    if (CurrentRow() >= 0) {
        LoadCalculation(CurrentRow());
        // The controls of the parent depend on the record just loaded, which UpdateControls above
        // did not know yet.
        UpdateControls();
    }

    Connect();
    m_ui->m_MDXEditBoxFormula->SetTabOrder(m_ui->m_scopeIsolation, m_ui->buttonBox);
    m_nameValidator = std::make_shared<MemberNameValidator>(*this, m_owner);
    m_ui->m_edtName->setValidator(m_nameValidator.get());
}

CalculatedMembersDialog::Impl::~Impl()
{
    // The form's widgets go with the dialog, after this object: nothing they signal from now on
    // may reach it.
    for (QObject* child : m_owner->findChildren<QObject*>())
        QObject::disconnect(child, nullptr, m_owner, nullptr);
    m_ui->m_MDXEditBoxFormula->SetNotify(nullptr, TString());
}

void CalculatedMembersDialog::Impl::SetUpList()
{
    QTableWidget& list = *m_ui->m_lstMembers;
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.horizontalHeader()->setHighlightSections(false);
    list.setShowGrid(false);
    list.verticalHeader()->hide();
    SizeRowsToContents(list);
    list.setTextElideMode(Qt::ElideRight);
    list.setWordWrap(false);
    list.horizontalHeader()->setStretchLastSection(true);
    list.setColumnWidth(NameColumn, kNameColumnWidth);
    list.setColumnWidth(ParentColumn, kParentColumnWidth);
    list.setEditTriggers(QAbstractItemView::NoEditTriggers);
    const StringId headers[] = {Zel::Strings::CalculationNameHeader, Zel::Strings::CalculationParentHeader,
        Zel::Strings::CalculationFormulaHeader};
    for (int column = NameColumn; column <= FormulaColumn; ++column) {
        auto* header = new QTableWidgetItem(LookupTStr(headers[column]).ToQString());
        header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        list.setHorizontalHeaderItem(column, header);
    }
}

void CalculatedMembersDialog::Impl::LoadCalculations(
    const std::vector<RefCntPtr<CalculatedMemberPresModel const>>& calculations)
{
    QTableWidget& list = *m_ui->m_lstMembers;
    m_calculations.reserve(calculations.size());
    for (const RefCntPtr<CalculatedMemberPresModel const>& calculation : calculations) {
        m_calculations.push_back(calculation->Copy());
        const CalculatedMemberPresModel& record = *m_calculations.back();
        const int idx = AddCalculationRow(
            record.GetName(), record.GetMemberParentName(), record.GetFormula(), record.GetIsEnabled());
        ZEL_LOGIC_CHECK(kFile, idx == static_cast<int>(m_calculations.size()) - 1);
        if (record.GetIsMeasure() && !m_initialField.IsEmpty()
            && FieldName::ParseUnquoted(record.GetName()) == m_initialField)
            list.selectRow(idx);
    }
    if (list.rowCount() > 0 && list.currentRow() < 0) {
        list.selectRow(0);
        m_currentIndex = 0;
    }
}

void CalculatedMembersDialog::Impl::FillHierarchies()
{
    ZelvarComboBox& combo = *m_ui->m_hierarchies;
    combo.clear();
    for (std::size_t i = 0; i < m_hierarchies.size(); ++i)
        combo.addItem(m_hierarchies[i]->GetCaption().ToQString(), QVariant(static_cast<int>(i)));
    combo.addItem(m_measuresDimensionName.ToQString(), QVariant(kMeasuresEntry));
    combo.setCurrentIndex(0);
    // The combo box follows its current item through the sort.
    combo.model()->sort(0, Qt::AscendingOrder);
}

void CalculatedMembersDialog::Impl::FillResultTypes(bool stringMeasures)
{
    ZelvarComboBoxEnum<DataType>& types = *m_ui->m_lstResultType;
    types.SetAllValues();
    const EnumModelFactory<DataType> factory(true);
    if (!stringMeasures) {
        const int entry = FindExactText(types, factory.ToString(DT_STRING));
        if (entry >= 0)
            types.removeItem(entry);
    }
    const int integer = FindExactText(types, factory.ToString(DT_INTEGER));
    if (integer >= 0)
        types.setCurrentIndex(integer);
    else if (types.count() > 0)
        types.setCurrentIndex(0);
}

void CalculatedMembersDialog::Impl::Connect()
{
    Ui::CalculatedMembersDialog& ui = *m_ui;
    CalculatedMembersDialog* owner = m_owner;
    QObject::connect(ui.m_moveUp, &QPushButton::clicked, owner, &CalculatedMembersDialog::OnUp);
    QObject::connect(ui.m_moveDown, &QPushButton::clicked, owner, &CalculatedMembersDialog::OnDown);
    QObject::connect(ui.m_new, &QPushButton::clicked, owner, &CalculatedMembersDialog::OnNew);
    QObject::connect(ui.m_delete, &QPushButton::clicked, owner, &CalculatedMembersDialog::OnDelete);
    QObject::connect(
        ui.m_lstMembers, &QTableWidget::itemChanged, owner, &CalculatedMembersDialog::OnCalculationListItemChanged);
    QObject::connect(ui.m_lstMembers, &QTableWidget::itemSelectionChanged, owner,
        &CalculatedMembersDialog::OnCalculationListSelectionChanged);
    QObject::connect(ui.m_all, &QRadioButton::toggled, owner, &CalculatedMembersDialog::OnSelectUseAll);
    QObject::connect(ui.m_selected, &QRadioButton::toggled, owner, &CalculatedMembersDialog::OnSelectUseSelected);
    QObject::connect(ui.m_browse, &QPushButton::clicked, owner, &CalculatedMembersDialog::OnSelectParent);
    QObject::connect(ui.m_edtName, &QLineEdit::editingFinished, owner, &CalculatedMembersDialog::OnNameChanged);
    QObject::connect(ui.m_edtName, &QLineEdit::textEdited, owner, &CalculatedMembersDialog::OnNameEdited);
    QObject::connect(ui.m_hierarchies, qOverload<int>(&QComboBox::currentIndexChanged), owner,
        &CalculatedMembersDialog::OnHierChanged);
    QObject::connect(ui.buttonBox, &QDialogButtonBox::accepted, owner, &CalculatedMembersDialog::accept);
    QObject::connect(ui.buttonBox, &QDialogButtonBox::rejected, owner, &QDialog::reject);
}

int CalculatedMembersDialog::Impl::AddCalculationRow(
    const TString& name, const TString& parentName, const TString& formula, bool enabled)
{
    QTableWidget& list = *m_ui->m_lstMembers;
    const int row = list.rowCount();
    list.insertRow(row);
    // Each item is complete before it goes into the list, so that adding a row is no change of
    // the row's check box.
    auto* nameItem = new QTableWidgetItem(name.ToQString());
    nameItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    nameItem->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
    list.setItem(row, NameColumn, nameItem);
    auto* parentItem = new QTableWidgetItem(parentName.ToQString());
    parentItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    list.setItem(row, ParentColumn, parentItem);
    auto* formulaItem = new QTableWidgetItem(OneLine(formula));
    formulaItem->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    list.setItem(row, FormulaColumn, formulaItem);
    return row;
}

void CalculatedMembersDialog::Impl::RefreshCalculationRow(int row)
{
    const CalculatedMemberPresModel& record = *m_calculations.at(static_cast<std::size_t>(row));
    QTableWidget& list = *m_ui->m_lstMembers;
    // A refresh shows the record as it is; it is no click on the row's check box.
    const QtSignalBlocker quiet(&list);
    list.item(row, NameColumn)->setText(record.GetName().ToQString());
    list.item(row, NameColumn)->setCheckState(record.GetIsEnabled() ? Qt::Checked : Qt::Unchecked);
    list.item(row, ParentColumn)->setText(record.GetMemberParentName().ToQString());
    list.item(row, FormulaColumn)->setText(OneLine(record.GetFormula()));
}

void CalculatedMembersDialog::Impl::LoadCalculation(int row)
{
    m_editorLoaded = false;
    if (row < 0) {
        m_currentIndex = -1;
        ClearEditor();
        m_editorLoaded = true;
        return;
    }
    ZEL_LOGIC_CHECK(kFile, IsValidIndex(row));
    m_currentIndex = row;
    const CalculatedMemberPresModel& record = *m_calculations[static_cast<std::size_t>(row)];
    if (record.GetIsMeasure()) {
        m_currentHierarchy = -1;
        m_currentLevel = 0;
        ZelvarComboBoxEnum<DataType>& types = *m_ui->m_lstResultType;
        types.setCurrentIndex(
            types.findData(QVariant(static_cast<int>(record.GetMeasureDataType())), Qt::UserRole, Qt::MatchExactly));
    } else {
        m_currentHierarchy = FindHierarchy(record.GetMemberHierarchyName());
        m_currentLevel = record.GetMemberHierarchyLevel();
        if (m_currentHierarchy >= 0) {
            const int entry = FindExactText(*m_ui->m_hierarchies, Hierarchy(m_currentHierarchy).GetCaption());
            if (entry >= 0)
                m_ui->m_hierarchies->setCurrentIndex(entry);
        }
    }
    m_ui->m_edtName->setText(record.GetName().ToQString());
    m_ui->m_edtParent->setText(record.GetMemberParentName().ToQString());
    m_ui->m_solveOrder->setValue(record.GetSolveOrder());
    m_ui->m_scopeIsolation->setChecked(record.GetScopeIsolation());
    m_ui->m_MDXEditBoxFormula->SetFormula(record.GetFormula());
    m_editorLoaded = true;
}

void CalculatedMembersDialog::Impl::ClearEditor()
{
    m_ui->m_edtName->clear();
    m_ui->m_edtParent->clear();
    m_ui->m_scopeIsolation->setChecked(false);
    m_currentLevel = 0;
    m_currentHierarchy = -1;
    m_ui->m_MDXEditBoxFormula->ClearFormula();
}

void CalculatedMembersDialog::Impl::UpdateControls()
{
    Ui::CalculatedMembersDialog& ui = *m_ui;
    const bool hasSelection = HasSelection();
    const bool hierarchyMember
        = IsValidIndex(m_currentIndex) && !m_calculations[static_cast<std::size_t>(m_currentIndex)]->GetIsMeasure();
    const int row = CurrentRow();

    ui.m_delete->setEnabled(hasSelection);
    ui.m_moveUp->setEnabled(hasSelection && row > 0);
    ui.m_moveDown->setEnabled(hasSelection && row != ui.m_lstMembers->rowCount() - 1);
    for (QWidget* editor : {static_cast<QWidget*>(ui.m_edtName), static_cast<QWidget*>(ui.m_solveOrder),
             static_cast<QWidget*>(ui.m_scopeIsolation), static_cast<QWidget*>(ui.m_MDXEditBoxFormula)})
        editor->setEnabled(hasSelection);
    ui.m_hierarchies->setEnabled(false);

    ShowResultTypeOrParent(!(hasSelection && hierarchyMember));

    const TString shown = m_currentHierarchy < 0 ? m_measuresDimensionName : Hierarchy(m_currentHierarchy).GetCaption();
    const int entry = FindExactText(*ui.m_hierarchies, shown);
    if (entry >= 0)
        ui.m_hierarchies->setCurrentIndex(entry);

    const QtSignalBlocker quiet({ui.m_all, ui.m_selected});
    // Checking one of the two unchecks the other.
    (ui.m_edtParent->text().isEmpty() ? ui.m_all : ui.m_selected)->setChecked(true);
}

void CalculatedMembersDialog::Impl::ShowResultTypeOrParent(bool resultType)
{
    Ui::CalculatedMembersDialog& ui = *m_ui;
    if (resultType) {
        ui.m_measuresOrHierSwitch->setCurrentIndex(0);
        ui.m_lstResultType->setEnabled(HasSelection());
        ui.m_parentOrResultTypeLabel->setText(LookupTStr(Zel::Strings::ResultTypeCaption).ToQString());
        ui.m_parentOrResultTypeLabel->setBuddy(ui.m_lstResultType);
        return;
    }
    ui.m_measuresOrHierSwitch->setCurrentIndex(1);
    const bool canChooseParent = m_nonRootCalculationsAllowed && m_currentHierarchy >= 0
        && m_currentHierarchy < static_cast<int>(m_hierarchies.size())
        && Hierarchy(m_currentHierarchy).GetLevels() >= 2;
    ui.m_all->setEnabled(canChooseParent);
    ui.m_browse->setEnabled(canChooseParent);
    ui.m_selected->setEnabled(canChooseParent);
    ui.m_edtParent->setEnabled(false);
    ui.m_parentOrResultTypeLabel->setText(LookupTStr(Zel::Strings::ParentCaption).ToQString());
    ui.m_parentOrResultTypeLabel->setBuddy(ui.m_selected);
}

bool CalculatedMembersDialog::Impl::UpdateCalculation()
{
    if (!IsValidIndex(m_currentIndex))
        return true;
    TString error;
    if (!ValidateName(error)) {
        // Back on the record, quietly: this may run inside a change of the selection.
        const QtSignalBlocker quiet(m_ui->m_lstMembers);
        m_ui->m_lstMembers->selectRow(m_currentIndex);
        return false;
    }

    const TString name(m_ui->m_edtName->text().trimmed());
    const TString parentName(m_ui->m_edtParent->text());
    const int solveOrder = m_ui->m_solveOrder->value();
    const bool scopeIsolation = m_ui->m_scopeIsolation->isChecked();
    const TString formula = m_ui->m_MDXEditBoxFormula->GetFormula();
    const DataType resultType = m_ui->m_lstResultType->GetValue();

    const std::size_t index = static_cast<std::size_t>(m_currentIndex);
    const CalculatedMemberPresModel& record = *m_calculations[index];
    const bool wasMeasure = record.GetIsMeasure();
    const bool isMeasure = m_currentHierarchy < 0;
    if (!m_newPending && wasMeasure == isMeasure) {
        const bool same = record.GetName() == name && record.GetSolveOrder() == solveOrder
            && record.GetScopeIsolation() == scopeIsolation && record.GetFormula() == formula;
        if (same
            && (isMeasure ? record.GetMeasureDataType() == resultType : record.GetMemberParentName() == parentName))
            return true;
    }

    m_modified = true;
    // The record itself changes only once the host has taken the change.
    const RefCntPtr<CalculatedMemberPresModel> changed = record.Copy();
    changed->SetName(name);
    changed->SetFormula(formula);
    changed->SetSolveOrder(solveOrder);
    changed->SetScopeIsolation(scopeIsolation);
    changed->SetIsMeasure(isMeasure);
    changed->SetMeasure(isMeasure ? FieldName::ParseUnquoted(name) : FieldName());
    changed->SetMeasureDataType(isMeasure ? resultType : DT_TUPLE);
    changed->SetMemberParentName(isMeasure ? TString() : parentName);
    changed->SetMemberHierarchyName(isMeasure ? FieldName() : Hierarchy(m_currentHierarchy).GetName());
    changed->SetMemberHierarchyLevel(m_currentLevel);

    if (m_newPending) {
        const auto created = CreateCalculatedMember(*m_dispatcher, m_editId, changed);
        RefCntPtr<CalculatedMemberPresModel> stored = created.Get<Cmds::CreatedCalculation>()->Copy();
        const unsigned int count = created.Get<Cmds::CalculationCount>();
        m_newPending = false;
        m_calculations[index] = std::move(stored);
        CheckCount(count, kCreateOutOfSync);
    } else {
        const Identity previous(record);
        const auto updated
            = UpdateCalculatedMember(*m_dispatcher, m_editId, previous.measure, previous.member, changed);
        RefCntPtr<CalculatedMemberPresModel> stored = updated.Get<Cmds::UpdatedCalculation>()->Copy();
        const unsigned int count = updated.Get<Cmds::CalculationCount>();
        m_calculations[index] = std::move(stored);
        CheckCount(count, kUpdateOutOfSync);
    }
    RefreshCalculationRow(m_currentIndex);
    return true;
}

bool CalculatedMembersDialog::Impl::CommitAndReload()
{
    if (!UpdateCalculation())
        return false;
    LoadCalculation(CurrentRow());
    return true;
}

bool CalculatedMembersDialog::Impl::AcceptChanges()
{
    if (IsValidIndex(m_currentIndex)) {
        TString error;
        if (!m_ui->m_MDXEditBoxFormula->CheckFormula(error)) {
            const QMessageBox::StandardButton answer = TMessageBox::Show(
                LookupTFmtStr(Zel::Strings::InvalidFormulaQuestion).arg(error), QMessageBox::Warning,
                QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton, Qt::WindowModal, m_owner);
            if (answer == QMessageBox::Yes)
                return false;
        }
        // The check went to the host through the editor's call-back, which kept a failure of its
        // own and closed the dialog: nothing is committed after it.
        if (m_failures.HasFailed())
            return false;
    }
    if (!UpdateCalculation())
        return false;
    CommitAndReload();
    UpdateControls();
    if (m_modified)
        ApplyCalculatedMembers(*m_dispatcher, m_editId);
    else
        emit m_owner->rejected();
    return true;
}

void CalculatedMembersDialog::Impl::OnCalculationListSelectionChanged()
{
    if (IsValidIndex(m_currentIndex) && m_editorLoaded)
        UpdateCalculation();
    LoadCalculation(CurrentRow());
    UpdateControls();
}

void CalculatedMembersDialog::Impl::OnCalculationListItemChanged(QTableWidgetItem* item)
{
    if (!item || item->column() != NameColumn || !IsValidIndex(item->row()))
        return;
    const std::size_t row = static_cast<std::size_t>(item->row());
    const bool enabled = item->checkState() == Qt::Checked;
    const CalculatedMemberPresModel& record = *m_calculations[row];
    if (enabled == record.GetIsEnabled())
        return;
    // The host does not know a new record before its first commit; the flag goes with the create.
    if (m_newPending && row + 1 == m_calculations.size()) {
        m_calculations[row]->SetIsEnabled(enabled);
        return;
    }
    const RefCntPtr<CalculatedMemberPresModel> changed = record.Copy();
    changed->SetIsEnabled(enabled);
    const unsigned int count = UpdateCalculatedMember(*m_dispatcher, m_editId, std::nullopt, std::nullopt, changed)
                                   .Get<Cmds::CalculationCount>();
    m_calculations[row] = changed;
    CheckCount(count, kEnableOutOfSync);
}

void CalculatedMembersDialog::Impl::OnNew()
{
    if (!UpdateCalculation())
        return;
    Ui::CalculatedMembersDialog& ui = *m_ui;
    if (ui.m_hierarchies->count() < 2)
        m_rememberedHierarchy = kMeasuresEntry;
    const bool isMeasure = m_rememberedHierarchy < 0;

    const RefCntPtr<CalculatedMemberPresModel> record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetIsMeasure(isMeasure);
    if (isMeasure) {
        record->SetName(GetNewMeasureName(*m_dispatcher, m_editId).Get<Cmds::CalculationName>());
    } else {
        ZEL_LOGIC_CHECK_MSG(kFile,
            m_rememberedHierarchy >= 0 && m_rememberedHierarchy < static_cast<int>(m_hierarchies.size()),
            "A valid hieararchy index is required when creating a new member.");
        const FieldName hierarchy = Hierarchy(m_rememberedHierarchy).GetName();
        record->SetName(GetNewMemberName(*m_dispatcher, m_editId, hierarchy, 0).Get<Cmds::CalculationName>());
        m_currentHierarchy = m_rememberedHierarchy;
        m_currentLevel = 0;
        record->SetMemberHierarchyName(hierarchy);
        record->SetMemberHierarchyLevel(0);
    }

    m_calculations.push_back(record);
    m_newPending = true;
    m_modified = true;
    m_currentIndex = -1;
    const int row = AddCalculationRow(record->GetName(), TString(), TString(), record->GetIsEnabled());
    SelectRow(row);
    ui.m_edtName->setFocus();
    ui.m_edtName->selectAll();
    // The kind of a new calculation may change until it is first committed.
    ui.m_hierarchies->setEnabled(true);
    ShowResultTypeOrParent(isMeasure);
}

void CalculatedMembersDialog::Impl::OnHierChanged(int index)
{
    QComboBox& combo = *m_ui->m_hierarchies;
    if (combo.count() == 0)
        return;
    if (index == -1) {
        combo.setCurrentIndex(0);
        index = 0;
    }
    const int data = combo.itemData(index, Qt::UserRole).toInt();
    m_currentHierarchy = data == kMeasuresEntry ? -1 : data;
    ShowResultTypeOrParent(data == kMeasuresEntry);
    m_rememberedHierarchy = data;
}

void CalculatedMembersDialog::Impl::OnDelete()
{
    QTableWidget& list = *m_ui->m_lstMembers;
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    const int sel = list.currentRow();
    ZEL_LOGIC_CHECK(kFile, sel != -1);
    LoadCalculation(sel);

    const std::size_t index = static_cast<std::size_t>(sel);
    const bool pending = m_newPending && index + 1 == m_calculations.size();
    // The host is asked first, so that a refusal leaves the list and the records as they were.
    std::optional<unsigned int> count;
    if (!pending) {
        const Identity identity(*m_calculations[index]);
        count = DeleteCalculatedMember(*m_dispatcher, m_editId, identity.measure, identity.member)
                    .Get<Cmds::CalculationCount>();
    }
    m_newPending = m_newPending && !pending;
    m_currentIndex = -1;
    m_calculations.erase(m_calculations.begin() + sel);
    m_editorLoaded = false;
    list.removeRow(sel);
    m_editorLoaded = true;
    m_modified = true;
    if (count)
        CheckCount(*count, kDeleteOutOfSync);
    SelectRow(sel);
}

void CalculatedMembersDialog::Impl::OnUp()
{
    MoveCurrent(true);
}

void CalculatedMembersDialog::Impl::OnDown()
{
    MoveCurrent(false);
}

void CalculatedMembersDialog::Impl::MoveCurrent(bool up)
{
    if (!CommitAndReload())
        return;
    QTableWidget& list = *m_ui->m_lstMembers;
    const int idx = list.currentRow();
    ZEL_LOGIC_CHECK(kFile, idx >= 0);
    if (up)
        ZEL_LOGIC_CHECK(kFile, idx != 0);
    else
        ZEL_LOGIC_CHECK_MSG(kFile, idx != list.rowCount() - 1, "idx != m_ui->m_lstMembers->rowCount()-1");

    const unsigned int row = static_cast<unsigned int>(idx);
    if (up)
        MoveCalculatedMember(*m_dispatcher, m_editId, row, std::nullopt);
    else
        MoveCalculatedMember(*m_dispatcher, m_editId, std::nullopt, row);

    const int other = up ? idx - 1 : idx + 1;
    std::swap(m_calculations[static_cast<std::size_t>(idx)], m_calculations[static_cast<std::size_t>(other)]);
    m_editorLoaded = false;
    RefreshCalculationRow(idx);
    RefreshCalculationRow(other);
    m_editorLoaded = true;
    m_currentIndex = -1;
    m_modified = true;
    SelectRow(other);
}

void CalculatedMembersDialog::Impl::OnNameEdited()
{
    TString error;
    m_ui->m_lstMembers->setSelectionMode(
        ValidateName(error) ? QAbstractItemView::ExtendedSelection : QAbstractItemView::NoSelection);
}

void CalculatedMembersDialog::Impl::OnNameChanged()
{
    const int row = CurrentRow();
    if (row < 0)
        return;
    if (QTableWidgetItem* item = m_ui->m_lstMembers->item(row, NameColumn))
        item->setText(m_ui->m_edtName->text().trimmed());
}

void CalculatedMembersDialog::Impl::OnSelectUseAll(bool checked)
{
    const int row = CurrentRow();
    if (!checked || row < 0)
        return;
    m_ui->m_edtParent->clear();
    if (QTableWidgetItem* item = m_ui->m_lstMembers->item(row, ParentColumn))
        item->setText(QString());
    m_currentLevel = 0;
    UpdateCalculation();
    UpdateControls();
}

void CalculatedMembersDialog::Impl::OnSelectUseSelected()
{
    if (m_ui->m_edtParent->text().isEmpty() && !m_browsingParent) {
        const QScopedValueRollback<bool> browsing(m_browsingParent, true);
        SelectParent();
    }
    UpdateCalculation();
    UpdateControls();
}

void CalculatedMembersDialog::Impl::OnFormulaChanged(MDXEditBoxWidget* /*sender*/)
{
    m_failures.Guard([this] {
        const int row = CurrentRow();
        if (row == -1 || row != m_currentIndex)
            return;
        if (QTableWidgetItem* item = m_ui->m_lstMembers->item(row, FormulaColumn))
            item->setText(OneLine(m_ui->m_MDXEditBoxFormula->GetFormula()));
    });
}

void CalculatedMembersDialog::Impl::SelectRow(int row)
{
    QTableWidget& list = *m_ui->m_lstMembers;
    if (list.rowCount() == 0) {
        LoadCalculation(-1);
        UpdateControls();
        return;
    }
    row = std::clamp(row, 0, list.rowCount() - 1);
    list.selectRow(row);
    list.scrollToItem(list.item(row, NameColumn));
    // A selection that did not change signalled nothing.
    if (m_currentIndex != row) {
        LoadCalculation(row);
        UpdateControls();
    }
}

int CalculatedMembersDialog::Impl::CurrentRow() const
{
    return m_ui->m_lstMembers->currentRow();
}

bool CalculatedMembersDialog::Impl::HasSelection() const
{
    return m_ui->m_lstMembers->selectionModel()->hasSelection();
}

bool CalculatedMembersDialog::Impl::IsValidIndex(int index) const
{
    return index >= 0 && index < static_cast<int>(m_calculations.size());
}

const CalculatedMemberHierarchyItemPresModel& CalculatedMembersDialog::Impl::Hierarchy(int index) const
{
    ZEL_LOGIC_CHECK(kFile, index >= 0 && index < static_cast<int>(m_hierarchies.size()));
    return *m_hierarchies[static_cast<std::size_t>(index)];
}

int CalculatedMembersDialog::Impl::FindHierarchy(const FieldName& name) const
{
    for (std::size_t i = 0; i < m_hierarchies.size(); ++i) {
        if (m_hierarchies[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

void CalculatedMembersDialog::Impl::CheckCount(unsigned int count, const char* message) const
{
    if (count != m_calculations.size())
        ThrowLogicException(kFile, __LINE__, message);
}

// ---- The dialog --------------------------------------------------------------------------------

CalculatedMembersDialog::CalculatedMembersDialog(const std::shared_ptr<ICommandDispatcher const>& dispatcher,
    const TString& text, const FieldName& field, bool flag, QWidget* parent)
    : ZelvarDialog(parent, Qt::MSWindowsFixedSizeDialogHint)
{
    m_impl = std::make_unique<Impl>(*this, dispatcher, text, field, flag);
}

CalculatedMembersDialog::~CalculatedMembersDialog() = default;

int CalculatedMembersDialog::exec()
{
    return m_impl->Failures().Exec([this] { return ZelvarDialog::exec(); });
}

void CalculatedMembersDialog::accept()
{
    if (m_impl->Failures().Guard([this] { return m_impl->AcceptChanges(); }, false))
        ZelvarDialog::accept();
}

void CalculatedMembersDialog::OnUp()
{
    m_impl->Failures().Guard([&] { m_impl->OnUp(); });
}

void CalculatedMembersDialog::OnDown()
{
    m_impl->Failures().Guard([&] { m_impl->OnDown(); });
}

void CalculatedMembersDialog::OnNew()
{
    m_impl->Failures().Guard([&] { m_impl->OnNew(); });
}

void CalculatedMembersDialog::OnDelete()
{
    m_impl->Failures().Guard([&] { m_impl->OnDelete(); });
}

void CalculatedMembersDialog::OnCalculationListItemChanged(QTableWidgetItem* item)
{
    m_impl->Failures().Guard([&] { m_impl->OnCalculationListItemChanged(item); });
}

void CalculatedMembersDialog::OnCalculationListSelectionChanged()
{
    m_impl->Failures().Guard([&] { m_impl->OnCalculationListSelectionChanged(); });
}

void CalculatedMembersDialog::OnSelectUseAll(bool checked)
{
    m_impl->Failures().Guard([&] { m_impl->OnSelectUseAll(checked); });
}

void CalculatedMembersDialog::OnSelectUseSelected(bool /*checked*/)
{
    m_impl->Failures().Guard([&] { m_impl->OnSelectUseSelected(); });
}

void CalculatedMembersDialog::OnSelectParent()
{
    m_impl->Failures().Guard([&] { m_impl->SelectParent(); });
}

void CalculatedMembersDialog::OnNameChanged()
{
    m_impl->Failures().Guard([&] { m_impl->OnNameChanged(); });
}

void CalculatedMembersDialog::OnNameEdited(const QString& /*text*/)
{
    m_impl->Failures().Guard([&] { m_impl->OnNameEdited(); });
}

void CalculatedMembersDialog::OnHierChanged(int index)
{
    m_impl->Failures().Guard([&] { m_impl->OnHierChanged(index); });
}
