#include "main/dialogs/SchemaSelectorDialog.h"

#include "host/doc/StringIds.h"
#include "host/ui/SchemaLevelSelectWidget.h"
#include "widgets/NoOverLapScrollBarStyle.h"
#include "widgets/SchemaSelectorContentWidget.h"

#include <QtWidgets/QScrollBar>

SchemaSelectorDialog::SchemaSelectorDialog(std::shared_ptr<ICommandDispatcher const>& dispatcher, const TString& first,
    const TString& second, const QualifiedName& name)
    : ZelvarFramelessDialog(nullptr, true)
    , m_content(new SchemaSelectorContentWidget(dispatcher, first, second, name))
{
    const QSize formSize = m_content->size();
    SetContentWidget(m_content);
    // The frame has already named the dialog after itself.
    setObjectName(QStringLiteral("SchemaSelectorDialog"));
    setWindowTitle(LookupTStr(Zel::Strings::SchemaSelectorTitle).ToQString());

    // A child of the dialog, so it is deleted after the content (and its scroll bar), which the
    // destructor deletes first.
    auto* style = new NoOverLapScrollBarStyle;
    style->setParent(this);
    m_content->SchemaTree().verticalScrollBar()->setStyle(style);

    connect(m_content, &SchemaSelectorContentWidget::accept, this, &QDialog::accept);
    connect(m_content, &SchemaSelectorContentWidget::reject, this, &QDialog::reject);

    ResizeDialog(formSize.width(), GetTitleBar()->sizeHint().height() + formSize.height());
}

SchemaSelectorDialog::~SchemaSelectorDialog()
{
    delete m_content;
}

bool SchemaSelectorDialog::HasSelectionChanged() const
{
    return m_content && m_content->HasSelectionChanged();
}
