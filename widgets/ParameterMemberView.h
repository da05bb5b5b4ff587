#pragma once

#include "main/ZelDialogExport.h"

#include "host/ui/ModifiableTableView.h"

class HeaderTooltipEventFilter;
class ICommandDispatcher;
class ParameterMemberModel;
class TextBalloonTipWidget;

// The table of a parameter's list of values: values and aliases edited in place, new values typed
// into the last row, rows deleted and moved (ModifiableTableView). It creates and owns the
// ParameterMemberModel for one parameter edit, beeps when the host refuses a value or an alias
// (unless silent), and while the list holds duplicates it explains them in a balloon over the alias
// column's header when the mouse is there.
class ZELDIALOG_EXPORT ParameterMemberView : public ModifiableTableView
{
    Q_OBJECT

public:
    explicit ParameterMemberView(QWidget* parent = nullptr);
    ~ParameterMemberView() override;

    // Makes the model for the edit; called once, before anything reads the model.
    void Initialize(const ICommandDispatcher& dispatcher, unsigned int editId);
    ParameterMemberModel* GetModel() const { return m_model; }

    bool AddNewItem(const TString& text) override;
    bool UpdateItem(int row, int column, const TString& text) override;

    void SetSilentMode(bool silent);
    bool IsSilentMode() const { return m_silentMode; }

    TextBalloonTipWidget* GetBalloonTip() const { return m_balloonTip; }

signals:
    void updateCounts();
    void resetModel();

private:
    void InitializeBalloonTip();
    void AlertNonParseableValue();
    void OnHeaderTooltip(const QPoint& pos);

    ParameterMemberModel* m_model = nullptr;
    TextBalloonTipWidget* m_balloonTip = nullptr;
    HeaderTooltipEventFilter* m_headerFilter = nullptr;
    bool m_silentMode = false;
};
