#pragma once

#include "host/ui/ZelHostUiExport.h"

#include "host/doc/FieldName.h"
#include "host/doc/TString.h"

#include <QtWidgets/QTreeView>

#include <memory>

class ICommandDispatcher;
class SchemaLevelModel;

// The host's schema level tree: the dimensions, hierarchies and levels of a cube data source, with
// a check box per level that offers it for analysis in the worksheet (SchemaLevelModel), and the
// data source's hide-all-fields state, which greys the whole tree out while it is on.
//
// Commands: SetModel sends GetSchemaLevels; CommitModel sends SetSchemaLevels with the checked
// levels and the hide-all-fields state. Answers are not caught: a null answer raises the host's
// logic exception, a result of another type the type-mismatch exception, and a schema that does
// not hold together the logic exception, each out of the call that sent the command.
//
// The widget reports the number of checked levels with SelectionChanged, once after every load
// and once per change the user makes (a click on a check box, or Space on a level's row), and the
// hide-all-fields state with HideAllFieldsStateChanged after every load and whenever it changes.
//
// Owns its model; the dispatcher is shared with whoever made the widget.
class ZELHOST_UI_EXPORT SchemaLevelSelectWidget : public QTreeView
{
    Q_OBJECT

public:
    explicit SchemaLevelSelectWidget(QWidget* parent = nullptr);
    ~SchemaLevelSelectWidget() override;

    // Loads the schema of `dataSource` (and of `cube` within it; empty: its only cube), shows it
    // expanded and brings the row that `focus` names by captions (dimension, hierarchy, level; may
    // be empty) into view as the current row.
    void SetModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const TString& dataSource,
        const TString& cube, const QualifiedName& focus);
    // Sends the selection and the hide-all-fields state to the host; answers whether what the host
    // keeps changed. Before SetModel it raises the logic exception.
    bool CommitModel();

    int GetSelectedLevelCount() const;
    bool AreAllFieldsHidden() const;
    SchemaLevelModel& Model() const noexcept { return *m_model; }

public slots:
    void OnHideAllFieldsChanged(bool hide);

signals:
    void SelectionChanged(int numberOfLevelSelected);
    void HideAllFieldsStateChanged(bool state);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    SchemaLevelModel* m_model;
    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    TString m_dataSource;
    TString m_cube;
};
