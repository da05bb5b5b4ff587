#include "widgets/ParameterMemberView.h"

#include "main/models/ParameterMemberModel.h"
#include "widgets/HeaderTooltipEventFilter.h"

#include "host/doc/Exceptions.h"
#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/TBeep.h"
#include "host/ui/TIcon.h"
#include "host/ui/TextBalloonTipWidget.h"

#include <QtWidgets/QHeaderView>

namespace {
constexpr const char* SourcePath = "widgets/ParameterMemberView";

// Right of the alias column's left edge, so the tail points into the column's title.
constexpr int TipOffset = 10;
} // namespace

ParameterMemberView::ParameterMemberView(QWidget* parent)
    : ModifiableTableView(parent)
    , m_balloonTip(new TextBalloonTipWidget(horizontalHeader()))
    , m_headerFilter(new HeaderTooltipEventFilter(this))
    , m_silentMode(false)
{
    // Screen readers take no name for a table from a label beside it; a form may give a better one.
    setAccessibleName(tr("List of values"));
    horizontalHeader()->installEventFilter(m_headerFilter);
    // Hover events reach a widget only when it asks for them.
    horizontalHeader()->setAttribute(Qt::WA_Hover);
    horizontalHeader()->show();
    InitializeBalloonTip();
    connect(m_headerFilter, &HeaderTooltipEventFilter::HeaderTooltip, this, &ParameterMemberView::OnHeaderTooltip);
}

ParameterMemberView::~ParameterMemberView() = default;

void ParameterMemberView::InitializeBalloonTip()
{
    m_balloonTip->SetEnabledFloatingTooltipMode(true);
    m_balloonTip->SetSectionText(0, LookupTStr(Zel::Strings::DuplicateNamesTitle));
    m_balloonTip->SetSectionText(1, LookupTStr(Zel::Strings::DuplicateNamesMessage));
    m_balloonTip->SetSectionIcon(0, TIcon(Zel::Icons::DuplicateWarning));
    m_balloonTip->SetSectionTextColor(0, QColor(0, 82, 202, 255));
    QFont font = m_balloonTip->GetSectionFont(0);
    font.setPointSize(font.pointSize() + 3);
    m_balloonTip->SetSectionFont(0, font);
}

void ParameterMemberView::Initialize(const ICommandDispatcher& dispatcher, unsigned int editId)
{
    ZEL_LOGIC_CHECK(SourcePath, m_model == nullptr);
    m_model = new ParameterMemberModel(dispatcher, editId, this);
    SetTableModel(m_model);
}

bool ParameterMemberView::AddNewItem(const TString& text)
{
    const bool added = ModifiableTableView::AddNewItem(text);
    if (!added)
        AlertNonParseableValue();
    return added;
}

bool ParameterMemberView::UpdateItem(int row, int column, const TString& text)
{
    const bool updated = ModifiableTableView::UpdateItem(row, column, text);
    if (!updated)
        AlertNonParseableValue();
    return updated;
}

void ParameterMemberView::AlertNonParseableValue()
{
    if (!m_silentMode)
        TBeep();
}

void ParameterMemberView::SetSilentMode(bool silent)
{
    m_silentMode = silent;
}

void ParameterMemberView::OnHeaderTooltip(const QPoint& pos)
{
    if (!m_model || !m_model->HasDuplicates())
        return;
    QHeaderView* header = horizontalHeader();
    if (header->logicalIndexAt(pos) == ParameterMemberModel::SubitemAlias) {
        const QPoint anchor(header->sectionViewportPosition(ParameterMemberModel::SubitemAlias) + TipOffset, 0);
        m_balloonTip->ShowTip(header->mapToGlobal(anchor), true, header);
    } else {
        m_balloonTip->FadeOutToHide();
    }
}
