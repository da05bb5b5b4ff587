// The checks of CalculatedMembersDialog: the name (while it is typed, too), the solve order and the
// formula of the calculation in the editor, and the browse for a member's parent.

#include "main/dialogs/CalculatedMembersDialog_p.h"

#include "host/doc/DataValue.h"

#include "ui_CalculatedMembersDialog.h"

#include "gen-command-wrappers/CalculatedMembersCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"
#include "host/ui/TMessageBox.h"
#include "main/dialogs/SelectMemberDialog.h"

namespace Cmds = Zel::Commands::CalculatedMembers;

namespace {

// The host's reason for a refusal, where it gave one as text; anything else reads as no reason.
template <typename Cmd>
TString ErrorTextOf(const Zel::Commands::CommandResult<Cmd>& answer)
{
    if (!answer.template Has<Cmds::ErrorText>())
        return TString();
    return answer.template FindOfType<Cmds::ErrorText>().value_or(TString());
}

// Refuses a parent on the hierarchy's last level or below it: a member there could have no
// calculated member under it. Lives for one browse.
class IParentValidator final : public SelectMemberDialog::IDialogValidator
{
public:
    explicit IParentValidator(int levelLimit)
        : m_levelLimit(levelLimit)
    {
    }

    bool Validate(const DataValue& /*member*/, int level) override
    {
        if (level < m_levelLimit)
            return true;
        TMessageBox::Show(LookupTStr(Zel::Strings::ParentOnLastLevel), QMessageBox::Warning, QMessageBox::Ok,
            QMessageBox::NoButton, Qt::WindowModal);
        return false;
    }

private:
    int m_levelLimit;
};

} // namespace

CalculatedMembersDialog::Impl::MemberNameValidator::MemberNameValidator(Impl& impl, QObject* parent)
    : ZelvarLineEditValidator(parent)
    , m_impl(&impl)
{
}

CalculatedMembersDialog::Impl::MemberNameValidator::~MemberNameValidator() = default;

QValidator::State CalculatedMembersDialog::Impl::MemberNameValidator::validate(
    QString& /*input*/, int& /*position*/) const
{
    // A name that could not be checked does not finish the edit.
    return m_impl->m_failures.Guard(
        [this] {
            TString error;
            MDXEditBoxWidget& formula = *m_impl->m_ui->m_MDXEditBoxFormula;
            if (m_impl->ValidateName(error)) {
                formula.ClearMessage();
                return Acceptable;
            }
            ZelvarLineEdit& name = *m_impl->m_ui->m_edtName;
            if (name.hasFocus())
                return Intermediate;
            formula.ShowError(error, false);
            name.setFocus();
            return Invalid;
        },
        Intermediate);
}

bool CalculatedMembersDialog::Impl::ValidateName(TString& error)
{
    error = TString();
    if (!IsValidIndex(m_currentIndex))
        return true;
    const TString name(m_ui->m_edtName->text().trimmed());
    const TString parentName(m_ui->m_edtParent->text());
    if (name.empty()) {
        error = LookupTStr(Zel::Strings::EmptyCalculationName);
        return false;
    }

    const CalculatedMemberPresModel& record = *m_calculations[static_cast<std::size_t>(m_currentIndex)];
    if (m_currentHierarchy < 0) {
        if (record.GetIsMeasure() && record.GetName() == name)
            return true;
        const auto answer = ValidateMeasureName(*m_dispatcher, m_editId, name);
        const bool valid = answer.Get<Cmds::IsNameValid>();
        error = ErrorTextOf(answer);
        return valid;
    }

    const CalculatedMemberHierarchyItemPresModel& hierarchy = Hierarchy(m_currentHierarchy);
    if (!record.GetIsMeasure() && record.GetName() == name) {
        const FieldName& recordHierarchy = record.GetMemberHierarchyName();
        if (FindHierarchy(recordHierarchy) == m_currentHierarchy)
            return true;
        if (!hierarchy.GetPairHierarchyName().IsEmpty() && hierarchy.GetPairHierarchyName() == recordHierarchy)
            return true;
    }
    const auto answer
        = ValidateMemberName(*m_dispatcher, m_editId, hierarchy.GetName(), m_currentLevel, parentName, name);
    const bool valid = answer.Get<Cmds::IsNameValid>();
    error = ErrorTextOf(answer);
    return valid;
}

bool CalculatedMembersDialog::Impl::CheckSolveOrder(int value, TString& error) const
{
    error = TString();
    if (m_solveOrderLowerBound <= value && value <= m_solveOrderUpperBound)
        return true;
    error = LookupTFmtStr(Zel::Strings::SolveOrderOutOfRange)
                .arg(TString::number(m_solveOrderLowerBound, 10, 0, L' '))
                .arg(TString::number(m_solveOrderUpperBound, 10, 0, L' '));
    return false;
}

TString CalculatedMembersDialog::Impl::ValidateFormula(const TString& formula)
{
    // A check that failed closes the dialog; what it answers the editor is not shown.
    return m_failures.Guard([&] { return CheckFormula(formula); }, TString());
}

TString CalculatedMembersDialog::Impl::CheckFormula(const TString& formula)
{
    TString error;
    if (!ValidateName(error))
        return error;
    // The editor goes to the host first, so that the formula is checked against what it has.
    CommitAndReload();
    const int solveOrder = m_ui->m_solveOrder->value();
    if (!CheckSolveOrder(solveOrder, error))
        return error;

    std::optional<FieldName> measure;
    std::optional<DataValue> member;
    if (IsValidIndex(m_currentIndex)) {
        const CalculatedMemberPresModel& record = *m_calculations[static_cast<std::size_t>(m_currentIndex)];
        if (record.GetIsMeasure())
            measure = record.GetMeasure();
        else
            member = record.GetMember();
    }
    const auto answer = CheckCalculatedMemberFormula(*m_dispatcher, m_editId, measure, member, solveOrder, formula);
    if (answer.Get<Cmds::IsFormulaValid>())
        return TString();
    return ErrorTextOf(answer);
}

void CalculatedMembersDialog::Impl::SelectParent()
{
    const CalculatedMemberHierarchyItemPresModel& hierarchy = Hierarchy(m_currentHierarchy);
    IParentValidator validator(static_cast<int>(hierarchy.GetLevels()) - 1);
    SelectMemberDialog dialog(m_dispatcher, MakeGlobalName(m_dataSourceName, hierarchy.GetName()));
    dialog.SetValidator(&validator);
    if (dialog.exec() != QDialog::Accepted)
        return;

    const DataValue& member = dialog.GetSelectedMember();
    const TString parentName
        = !member.IsSpecial() && member.GetDataType() == DT_STRING ? member.GetString() : TString();
    m_ui->m_edtParent->setText(parentName.ToQString());
    m_currentLevel = dialog.GetSelectedLevel() + 1;
    const int row = CurrentRow();
    if (row >= 0) {
        if (QTableWidgetItem* item = m_ui->m_lstMembers->item(row, 1))
            item->setText(parentName.ToQString());
    }
    UpdateCalculation();
    UpdateControls();
}
