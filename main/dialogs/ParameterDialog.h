#pragma once

#include "main/ZelDialogExport.h"

#include "host/doc/ComponentCleanup.h"
#include "host/doc/FieldName.h"
#include "host/doc/ParameterEditPresModels.h"
#include "host/ui/ZelvarDialog.h"

#include <memory>
#include <optional>
#include <vector>

class ICommandDispatcher;
class ParameterMemberModel;
class RichEditWidget;
class TMenu;
struct ParentChildPair;
class UberFormatWidget;

namespace Ui {
class ParameterDialog;
}

// Creates or edits one workbook parameter: caption, comment, data type, current value, display
// format and the allowable values (any, a list, a range, or the two options of a boolean).
//
// The host has opened an edit before the dialog is made and keeps the truth: every change the user
// makes is one command with the edit id, and the dialog copies the host's answer into its own
// records and shows them again (UpdateControlsFromData). Edits that are sent only when a control
// loses focus (the value, the range, the boolean aliases) are flushed before OK and before a change
// of domain. OK asks the host to commit; a refusal keeps the dialog open with the host's message.
//
// The clean-up owner is held, never used, and destroyed last, after OK and Cancel alike.
class ZELDIALOG_EXPORT ParameterDialog : public ZelvarDialog
{
    Q_OBJECT

public:
    ParameterDialog(const ICommandDispatcher& dispatcher, const RefCntPtr<ParameterEditInfoPresModel const>& editInfo,
        std::unique_ptr<ComponentCleanup> cleanup, unsigned int editId, QWidget* parent = nullptr);
    ~ParameterDialog() override;

    ParameterDialog(const ParameterDialog&) = delete;
    ParameterDialog& operator=(const ParameterDialog&) = delete;

    // Empty unless OK succeeded.
    const FieldName& GetCommittedParameterName() const noexcept { return m_committedName; }

public slots:
    void accept() override;

protected:
    virtual void OnOK();

    const RefCntPtr<ProductParameterInfoPresModel>& GetParameter() const noexcept { return m_parameter; }
    DataType GetDataType() const;
    ParameterTypes::DomainType GetDomainType() const;
    ParameterMemberModel* GetListMemberModel() const;
    bool IsListDomainEmpty() const;

    void SetEditInfoModel(const RefCntPtr<ParameterEditInfoPresModel const>& editInfo);
    void SetParameterModel(const RefCntPtr<ProductParameterInfoPresModel const>& parameter);
    void SetListDomainModel(const RefCntPtr<ParameterListDomainPresModel const>& list);
    void SetRangeDomainModel(const RefCntPtr<ParameterRangeDomainPresModel const>& range);

    void InitializeControls();
    void UpdateControlsFromData();
    void UpdateLayout();
    void UpdateDescnBtnText();
    void UpdateDomainCommands();
    void UpdateRangeControls();
    void UpdatePeriodCtrl();
    DataValue GetIncrementFromCtrls() const;
    void UpdateBooleanControls();
    const std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>>& GetBooleanDomain() const noexcept
    {
        return m_booleanDomain;
    }
    RefCntPtr<ParameterListDomainMemberPresModel const> GetBooleanMember(int index) const;
    void EnsureChangesCommitted();

    UberFormatWidget& FormatPopup() const;

protected slots:
    void OnDataTypeChange();
    void OnDisplayInfoChange();
    void OnDomainChanged(int id);
    void OnToggleDescn();
    void OnValueChange();
    void OnFormatChange();
    void OnDisplayValueChanged(TString text);
    void UpdateListControls(bool isEmpty);
    void OnRangeChange();
    void OnClear();
    void OnPaste();
    void OnSetFromField();
    void OnSetFromParam();
    void OnBooleanValueChange(int id);
    void OnBooleanAliasChange(int index);

private:
    class BusyState;

    void MakeConnections();
    // Pops a menu of fields or parameters up at the clicked button and returns the chosen pair.
    std::optional<ParentChildPair> PickFromMenu(TMenu& menu, QWidget* button);
    // Sends the fill command for a chosen field or parameter and shows what the host made of it.
    void FillDomainFrom(const FieldName& name);

    // Destroyed last of all, after every record below.
    std::unique_ptr<ComponentCleanup> m_cleanup;
    const ICommandDispatcher* m_dispatcher;
    FieldName m_committedName;
    RefCntPtr<ParameterEditInfoPresModel> m_editInfo;
    RefCntPtr<ProductParameterInfoPresModel> m_parameter;
    unsigned int m_booleanIndex = 0;
    std::vector<RefCntPtr<ParameterListDomainMemberPresModel const>> m_booleanDomain;
    unsigned int m_editId;
    TString m_descnHiddenText;
    TString m_descnVisibleText;
    RichEditWidget* m_descnEditor = nullptr;
    std::unique_ptr<Ui::ParameterDialog> m_ui;
};
