#pragma once

#include "host/doc/FieldName.h"
#include "host/doc/TString.h"
#include "main/ZelDialogExport.h"

#include <QtWidgets/QWidget>

#include <memory>

class ICommandDispatcher;
class SchemaLevelSelectWidget;

namespace Ui {
class SchemaSelectorContentWidget;
}

// What the schema selector shows inside its frame: a help text, the "Hide All Fields" toggle, the
// host's schema level tree, a button that shows how many levels are selected (in the highlight
// colours while the count is out of range), Cancel and OK.
//
// The tree loads the schema when the widget is made (GetSchemaLevels) and OK commits it
// (SetSchemaLevels, through the tree's CommitModel); Cancel commits nothing. The widget is dirty
// from the first count the tree reports after it was set up until OK, except that a freshly loaded
// tree is not: its first report only shows the count. OK and Cancel are passed on as accept and
// reject, for the dialog around the widget to close itself.
//
// Owns its form; the tree owns its model. The dispatcher is shared with the host.
class ZELDIALOG_EXPORT SchemaSelectorContentWidget : public QWidget
{
    Q_OBJECT

public:
    // A count above this is out of range: shown in its own form and highlighted.
    static constexpr int kMaxSelectedLevels = 100;

    // `first` and `second` name the data source and the cube within it, and `name` the row to bring
    // into view, as the tree's SetModel takes them. The tree's answers are not caught: a refusal
    // or a mistyped answer leaves the constructor with the host's exception.
    SchemaSelectorContentWidget(std::shared_ptr<ICommandDispatcher const> dispatcher, const TString& first,
        const TString& second, const QualifiedName& name, QWidget* parent = nullptr);
    ~SchemaSelectorContentWidget() override;

    SchemaSelectorContentWidget(const SchemaSelectorContentWidget&) = delete;
    SchemaSelectorContentWidget& operator=(const SchemaSelectorContentWidget&) = delete;

    // What the last OK's commit answered; false until then.
    bool HasSelectionChanged() const noexcept { return m_selectionChanged; }
    bool IsDirty() const noexcept { return m_dirty; }
    bool IsCountHighlighted() const noexcept { return m_countHighlighted; }
    bool AreAllFieldsHidden() const noexcept { return m_hideAllFields; }
    SchemaLevelSelectWidget& SchemaTree() const;

signals:
    void dirtyChanged(bool isDirty);
    void accept();
    void reject();

public slots:
    void UpdateSelectionMsg(int numberOfLevelSelected);
    void UpdateHideAllFieldsState(bool state);
    void OkClicked();
    void CancelClicked();
    void HideAllFieldsClicked();

private:
    void ApplyStyling();
    void ConnectAndLoad();
    void CommitSelection();
    void SetCountHighlight(bool on);
    void SetDirty(bool dirty);

    std::unique_ptr<Ui::SchemaSelectorContentWidget> m_ui;
    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    TString m_firstText;
    TString m_secondText;
    QualifiedName m_qualifiedName;
    bool m_dirty = false;
    bool m_selectionChanged = false;
    bool m_hideAllFields = false;
    bool m_countHighlighted = false;
};
