#include "host/ui/SchemaLevelSelectWidget.h"

#include "gen-command-wrappers/SchemaCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "host/doc/StringIds.h"
#include "host/ui/SchemaLevelModel.h"

#include <QtGui/QKeyEvent>

namespace {
constexpr const char* kSource = "host/ui/SchemaLevelSelectWidget";
namespace Cmds = Zel::Commands::Schema;
} // namespace

SchemaLevelSelectWidget::SchemaLevelSelectWidget(QWidget* parent)
    : QTreeView(parent)
    , m_model(new SchemaLevelModel(this))
{
    setModel(m_model);
    // Every row is one line of text, so the view lays out thousands of levels without measuring each.
    setUniformRowHeights(true);
    setAccessibleName(LookupTStr(Zel::Strings::SchemaTreeName).ToQString());
    connect(m_model, &SchemaLevelModel::SelectionCountChanged, this, &SchemaLevelSelectWidget::SelectionChanged);
}

SchemaLevelSelectWidget::~SchemaLevelSelectWidget() = default;

void SchemaLevelSelectWidget::SetModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher,
    const TString& dataSource, const TString& cube, const QualifiedName& focus)
{
    ZEL_LOGIC_CHECK(kSource, dispatcher != nullptr);
    const RefCntPtr<SchemaPresModel const> schema = GetSchemaLevels(*dispatcher, dataSource, cube).Get<Cmds::Schema>();
    ZEL_LOGIC_CHECK(kSource, schema != nullptr);
    m_model->SetSchema(*schema);
    m_dispatcher = dispatcher;
    m_dataSource = dataSource;
    m_cube = cube;

    expandAll();
    const QModelIndex focused = m_model->IndexOfPath(focus);
    if (focused.isValid()) {
        setCurrentIndex(focused);
        scrollTo(focused, QAbstractItemView::PositionAtCenter);
    }
    emit HideAllFieldsStateChanged(m_model->AreAllFieldsHidden());
    emit SelectionChanged(m_model->GetSelectedCount());
}

bool SchemaLevelSelectWidget::CommitModel()
{
    ZEL_LOGIC_CHECK(kSource, m_dispatcher != nullptr);
    return SetSchemaLevels(
        *m_dispatcher, m_dataSource, m_cube, m_model->GetSelectedLevels(), m_model->AreAllFieldsHidden())
        .Get<Cmds::SchemaChanged>();
}

int SchemaLevelSelectWidget::GetSelectedLevelCount() const
{
    return m_model->GetSelectedCount();
}

bool SchemaLevelSelectWidget::AreAllFieldsHidden() const
{
    return m_model->AreAllFieldsHidden();
}

void SchemaLevelSelectWidget::OnHideAllFieldsChanged(bool hide)
{
    if (m_model->AreAllFieldsHidden() == hide)
        return;
    m_model->SetAllFieldsHidden(hide);
    emit HideAllFieldsStateChanged(hide);
}

void SchemaLevelSelectWidget::keyPressEvent(QKeyEvent* event)
{
    // Space toggles the level of the current row, whichever of its columns is current.
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && m_model->IsLevel(current)) {
        const QModelIndex check = current.siblingAtColumn(SchemaLevelModel::CheckColumn);
        if (m_model->flags(check) & Qt::ItemIsUserCheckable)
            m_model->SetLevelChecked(check, !m_model->IsLevelChecked(check));
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}
