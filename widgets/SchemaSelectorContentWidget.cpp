#include "widgets/SchemaSelectorContentWidget.h"

#include "ui_SchemaSelectorContentWidget.h"

#include "host/doc/StringIds.h"
#include "host/ui/ScaleForDpi.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "host/ui/UnificationButtonStyle.h"
#include "host/ui/UnificationColors.h"
#include "host/ui/UnificationFontUtil.h"

#include <QtWidgets/QHeaderView>

namespace {
constexpr int kButtonMinimumWidth = 90;
constexpr int kIndentation = 24;
constexpr int kNameColumnWidth = 208;
constexpr int kCheckColumnWidth = 24;
constexpr int kUniqueNameColumnWidth = 232;
const QColor kHideAllFieldsTextColor(0x36, 0x7E, 0x9C);
const QColor kAlternateRowColor(0xF5, 0xF5, 0xF5);
} // namespace

SchemaSelectorContentWidget::SchemaSelectorContentWidget(std::shared_ptr<ICommandDispatcher const> dispatcher,
    const TString& first, const TString& second, const QualifiedName& name, QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::SchemaSelectorContentWidget>())
    , m_dispatcher(std::move(dispatcher))
    , m_firstText(first)
    , m_secondText(second)
    , m_qualifiedName(name)
{
    m_ui->setupUi(this);
    ApplyStyling();
    ConnectAndLoad();
}

SchemaSelectorContentWidget::~SchemaSelectorContentWidget() = default;

SchemaLevelSelectWidget& SchemaSelectorContentWidget::SchemaTree() const
{
    return *m_ui->m_schemaTreeView;
}

void SchemaSelectorContentWidget::ApplyStyling()
{
    UnificationButtonStyle::ApplyGreenFilledButtonStyling(*m_ui->m_okButton);
    UnificationButtonStyle::ApplyOutlineButtonStyling(*m_ui->m_cancelButton);
    UnificationButtonStyle::ApplyDeprecatedTextButtonStyling(*m_ui->m_hideAllFieldsButton);
    UnificationButtonStyle::SetButtonTextColor(*m_ui->m_hideAllFieldsButton, kHideAllFieldsTextColor);

    const int minimumWidth = ScaleForDpi(this, kButtonMinimumWidth);
    for (QPushButton* button : {static_cast<QPushButton*>(m_ui->m_okButton),
             static_cast<QPushButton*>(m_ui->m_cancelButton), m_ui->m_hideAllFieldsButton})
        button->setMinimumWidth(minimumWidth);

    SchemaLevelSelectWidget* tree = m_ui->m_schemaTreeView;
    QPalette palette = tree->palette();
    palette.setColor(QPalette::AlternateBase, kAlternateRowColor);
    tree->setPalette(palette);

    const QFont body = UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, this);
    for (QWidget* widget : {static_cast<QWidget*>(m_ui->m_helpInfoLabel), static_cast<QWidget*>(tree),
             static_cast<QWidget*>(m_ui->m_cancelButton), static_cast<QWidget*>(m_ui->m_okButton),
             static_cast<QWidget*>(m_ui->m_hideAllFieldsButton), static_cast<QWidget*>(this)})
        widget->setFont(body);
    QFont italic = body;
    italic.setItalic(true);
    m_ui->m_numOfLevelSelectedButton->setFont(italic);
    tree->header()->setFont(
        UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::SemiBold, this));
}

void SchemaSelectorContentWidget::ConnectAndLoad()
{
    SchemaLevelSelectWidget* tree = m_ui->m_schemaTreeView;
    connect(m_ui->m_okButton, &QPushButton::clicked, this, &SchemaSelectorContentWidget::OkClicked);
    connect(m_ui->m_cancelButton, &QPushButton::clicked, this, &SchemaSelectorContentWidget::CancelClicked);
    connect(
        m_ui->m_hideAllFieldsButton, &QPushButton::clicked, this, &SchemaSelectorContentWidget::HideAllFieldsClicked);
    connect(tree, &SchemaLevelSelectWidget::SelectionChanged, this, &SchemaSelectorContentWidget::UpdateSelectionMsg);
    connect(tree, &SchemaLevelSelectWidget::HideAllFieldsStateChanged, this,
        &SchemaSelectorContentWidget::UpdateHideAllFieldsState);

    tree->SetModel(m_dispatcher, m_firstText, m_secondText, m_qualifiedName);

    tree->setIndentation(kIndentation);
    tree->setColumnWidth(1, kCheckColumnWidth);
    tree->setColumnWidth(0, kNameColumnWidth);
    tree->setColumnWidth(2, kUniqueNameColumnWidth);
    tree->header()->setStretchLastSection(true);
    tree->header()->setSectionResizeMode(QHeaderView::Interactive);

    ZelvarButton* count = m_ui->m_numOfLevelSelectedButton;
    count->setFlat(true);
    count->SetPaddingMode(ZelvarButton::PaddingMode_Minimal);
    count->SetDrawBorderEnabled(false);
    count->SetDropArrowMatchesTextColor(true);

    // The count the tree reported while loading is the state the dialog opens in, not a change.
    if (m_dirty)
        SetDirty(false);
}

void SchemaSelectorContentWidget::UpdateSelectionMsg(int numberOfLevelSelected)
{
    const TString one = LookupTStr(Zel::Strings::LevelSelected);
    const TString other = LookupTStr(Zel::Strings::LevelsSelected);
    const TString number = TString::number(numberOfLevelSelected, 10, 0, L' ');
    const bool outOfRange = numberOfLevelSelected < 0 || numberOfLevelSelected > kMaxSelectedLevels;

    TString text;
    if (numberOfLevelSelected == 1)
        text = LookupTFmtStr(Zel::Strings::SelectedLevelCount).arg(number).arg(one);
    else if (!outOfRange)
        text = LookupTFmtStr(Zel::Strings::SelectedLevelCount).arg(number).arg(other);
    else
        text = LookupTFmtStr(Zel::Strings::SelectedLevelCountOutOfRange).arg(number).arg(other);
    m_ui->m_numOfLevelSelectedButton->setText(text.ToQString());
    SetCountHighlight(outOfRange);
    if (!m_dirty)
        SetDirty(true);
}

void SchemaSelectorContentWidget::SetCountHighlight(bool on)
{
    if (m_countHighlighted == on)
        return;
    m_countHighlighted = on;
    ZelvarButton* count = m_ui->m_numOfLevelSelectedButton;
    if (!on) {
        count->ClearOverrideColors();
        return;
    }
    const QColor highlight = UnificationColors::Get().GetAttentionTextColor();
    for (int slot : {ZelvarButton::TextNormal, ZelvarButton::TextPressed, ZelvarButton::TextHover})
        count->SetOverrideColor(slot, highlight);
}

void SchemaSelectorContentWidget::UpdateHideAllFieldsState(bool state)
{
    m_hideAllFields = state;
    m_ui->m_hideAllFieldsButton->setText(
        LookupTStr(state ? Zel::Strings::ShowAllFields : Zel::Strings::HideAllFields).ToQString());
}

void SchemaSelectorContentWidget::HideAllFieldsClicked()
{
    UpdateHideAllFieldsState(!m_hideAllFields);
    m_ui->m_schemaTreeView->OnHideAllFieldsChanged(m_hideAllFields);
}

void SchemaSelectorContentWidget::OkClicked()
{
    CommitSelection();
    emit accept();
}

void SchemaSelectorContentWidget::CancelClicked()
{
    emit reject();
}

void SchemaSelectorContentWidget::CommitSelection()
{
    m_selectionChanged = m_ui->m_schemaTreeView->CommitModel();
    if (m_dirty)
        SetDirty(false);
}

void SchemaSelectorContentWidget::SetDirty(bool dirty)
{
    m_dirty = dirty;
    emit dirtyChanged(dirty);
}
