#include "widgets/MDXEditBoxWidget.h"

#include "host/doc/Exceptions.h"
#include "host/doc/ResourceIds.h"
#include "host/doc/StringIds.h"
#include "host/ui/ScintillaEditBox.h"
#include "host/ui/UnificationFontUtil.h"

#include "ui_MDXEditBoxWidget.h"

#include <QtGui/QIcon>

namespace {
constexpr const char* SourcePath = "widgets/MDXEditBoxWidget";
} // namespace

MDXEditBoxWidget::IMDXEditBoxWidgetNotify::~IMDXEditBoxWidgetNotify() = default;

MDXEditBoxWidget::MDXEditBoxWidget(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::MDXEditBoxWidget>())
{
    m_ui->setupUi(this);
    // The form's fixed sizes (a 470 pixel message line, 115 pixel buttons) are made for the
    // toolkit's body text, not for whatever the application's default font is.
    setFont(UnificationFontUtil::GetFont(UnificationFontUtil::Body, UnificationFontUtil::Regular, this));
    m_ui->m_edtFormula->SetWrapMode(QsciScintilla::WrapWord);
    connect(m_ui->m_btnCheckFormula, &QPushButton::clicked, this, &MDXEditBoxWidget::OnCheckFormula);
    connect(m_ui->m_btnClearFormula, &QPushButton::clicked, this, &MDXEditBoxWidget::OnClearFormula);
    connect(m_ui->m_edtFormula, &QsciScintilla::textChanged, this, &MDXEditBoxWidget::OnFormulaTextChanged);
}

MDXEditBoxWidget::~MDXEditBoxWidget() = default;

void MDXEditBoxWidget::SetNotify(IMDXEditBoxWidgetNotify* notify, const TString& name)
{
    m_name = name;
    m_notify = notify;
    m_ui->m_edtFormula->setVisible(m_visible);
    m_ui->m_btnCheckFormula->setVisible(m_visible);
    m_ui->m_btnClearFormula->setVisible(m_visible);
    m_ui->m_staticErrors->setVisible(m_visible);
    m_ui->m_iconErrors->setVisible(m_visible);
}

TString MDXEditBoxWidget::GetFormula() const
{
    return TString(m_ui->m_edtFormula->text());
}

void MDXEditBoxWidget::SetFormula(const TString& text)
{
    m_ui->m_edtFormula->setText(text.ToQString());
}

void MDXEditBoxWidget::ClearFormula()
{
    m_ui->m_edtFormula->setText(QString());
    m_ui->m_staticErrors->setText(QString());
    m_ui->m_iconErrors->setIcon(QIcon());
}

bool MDXEditBoxWidget::CheckFormula(TString& error)
{
    error = TString();
    const TString formula = GetFormula();
    if (formula.empty()) {
        error = LookupTStr(Zel::Strings::EmptyFormula);
        return false;
    }
    ZEL_LOGIC_CHECK(SourcePath, m_notify != nullptr);
    error = m_notify->ValidateFormula(formula);
    return error.empty();
}

void MDXEditBoxWidget::ClearMessage()
{
    m_ui->m_staticErrors->setText(QString());
    m_ui->m_iconErrors->setIcon(QIcon());
}

void MDXEditBoxWidget::ShowError(const TString& text, bool focusEditor)
{
    if (focusEditor)
        m_ui->m_edtFormula->setFocus();
    ShowMessage(text, Zel::Icons::Error);
}

void MDXEditBoxWidget::ShowMessage(const TString& text, QtZelResourceId icon)
{
    m_ui->m_staticErrors->setText(text.ToQString());
    m_ui->m_iconErrors->setIcon(QIcon(LookupDefaultQtZelRes(icon).ToQString()));
}

void MDXEditBoxWidget::SetTabOrder(QWidget* previous, QWidget* next)
{
    if (previous)
        QWidget::setTabOrder(previous, m_ui->m_btnCheckFormula);
    QWidget::setTabOrder(m_ui->m_btnCheckFormula, m_ui->m_btnClearFormula);
    if (next)
        QWidget::setTabOrder(m_ui->m_btnClearFormula, next);
}

QWidget* MDXEditBoxWidget::GetFirstTabWidget() const
{
    return m_ui->m_btnCheckFormula;
}

QWidget* MDXEditBoxWidget::GetLastTabWidget() const
{
    return m_ui->m_btnClearFormula;
}

void MDXEditBoxWidget::OnCheckFormula()
{
    // Before the owner has set its notify there is nobody to ask; a click then checks nothing
    // rather than raise an exception through the event loop.
    if (!m_notify && !GetFormula().empty())
        return;
    TString error;
    if (CheckFormula(error))
        ShowMessage(LookupTStr(Zel::Strings::ValidFormula), Zel::Icons::Success);
    else
        ShowError(error, true);
}

void MDXEditBoxWidget::OnClearFormula()
{
    ClearFormula();
}

void MDXEditBoxWidget::OnFormulaTextChanged()
{
    ClearMessage();
    if (!m_notify)
        return;
    // The owner may refresh other widgets, move the focus or touch the editor while it hears of
    // the change; the user's caret stays where the edit left it, with nothing selected.
    ScintillaEditBox* editor = m_ui->m_edtFormula;
    const int position = editor->GetCaretPosition();
    m_notify->OnFormulaChanged(this);
    editor->SetCaretPosition(position);
    editor->SetSelection(-1, position);
}
