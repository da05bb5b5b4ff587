#pragma once

#include "host/ui/ZelHostUiExport.h"

#include "host/doc/DataValue.h"
#include "host/doc/FieldName.h"
#include "host/doc/RefCnt.h"

#include <QtWidgets/QWidget>

#include <memory>

class HierarchyMemberModel;
class HierarchyRootPresModel;
class ICommandDispatcher;
class LazyTreeView;
class MemberItemDelegate;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QStackedWidget;
class QTimer;
class Tuple;

// The host's member picker: the members of one hierarchy of a cube data source as a tree, with a
// search box below it. The tree reads the hierarchy through the dispatcher a page at a time
// (HierarchyMemberModel in a LazyTreeView), so a level of millions of members opens, scrolls to
// its end and stays within the memory of a few pages.
//
// Commands: CreateModel sends GetHierarchyRoot; the tree sends GetMemberChildren for each page it
// shows; SetSelectedMember and a pick among the search results send GetMemberPath (the path alone
// is read, no page); the search box sends SearchMembers with a limit, a moment after typing stops
// or at once on Return, and says when the host cut the result.
//
// A refusal of the host (a null answer) to show a hierarchy, to find a member or to search is
// written to the host log and leaves the tree empty, the selection as it was or the search failed;
// it never raises in the GUI. Answers that do not fit raise the host's logic exception or the type
// mismatch, as everywhere.
//
// Owns its child widgets and its model; the dispatcher is shared with whoever made the widget.
class ZELHOST_UI_EXPORT HierarchySelectWidget : public QWidget
{
    Q_OBJECT

public:
    // Members a search shows at most.
    static constexpr unsigned int kSearchLimit = 100;

    explicit HierarchySelectWidget(QWidget* parent = nullptr);
    ~HierarchySelectWidget() override;

    // Loads the hierarchy's top and shows it. RootLoaded follows from the event loop, so that a
    // caller may connect to it after this returns. A hierarchy the host refuses gives an empty tree.
    void CreateModel(const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& hierarchy);
    // RootLoaded has been emitted for the hierarchy shown now.
    bool IsRootLoaded() const noexcept { return m_rootAnnounced; }

    // One member at a time (radio buttons) or any number (check boxes).
    void SetRadioMode(bool radio);
    // Whether the check boxes or radio buttons are drawn; the selection works the same without.
    void SetCheckMarkVisible(bool visible);
    // Selects the hierarchy's current default member (the host names it with the top) once the top
    // has loaded.
    void SetSelectingCurrent(bool selectCurrent);

    bool HasSelectedMember() const;
    // The selected member's value (see Tuple) and, when `level` is given, its level; an empty value
    // and level -1 when nothing is selected.
    DataValue GetSelectedDataValue(int* level = nullptr) const;
    // Empty when nothing is selected.
    RefCntPtr<Tuple> GetSelectedMember() const;
    // Selects a member by its unique name, reading only its path; an empty pointer clears the
    // selection. False (logged) when the host does not find the member.
    bool SetSelectedMember(const RefCntPtr<Tuple>& member);
    void ClearSelection();

    // what >= 0: expands the members of levels firstLevel .. what - 1, so that level `what` shows;
    // -1: expands the members of levels firstLevel .. lastLevel (-1: every level); -2: expands the
    // ancestors of the selected member and brings it into view. Expansion happens as members come
    // into view, so even "expand everything" costs one screenful.
    void ExpandTree(int what, int firstLevel, int lastLevel);

    // Runs the search box's search now (an empty text shows the tree again).
    void Search(const QString& text);

    LazyTreeView& TreeView() const noexcept { return *m_tree; }
    // Null until CreateModel has loaded a hierarchy.
    HierarchyMemberModel* Model() const noexcept { return m_model.get(); }
    QLineEdit& SearchBox() const noexcept { return *m_searchBox; }
    QListWidget& SearchResults() const noexcept { return *m_results; }
    QLabel& SearchStatus() const noexcept { return *m_status; }

signals:
    void MemberSelectionChanged();
    void RootLoaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AnnounceRoot(unsigned int generation);
    void RunSearch();
    void PickResult(QListWidgetItem* item);
    QModelIndex SelectedIndex() const;
    bool SelectUniqueName(const TString& uniqueName);

    std::shared_ptr<ICommandDispatcher const> m_dispatcher;
    FieldName m_hierarchy;
    std::unique_ptr<HierarchyMemberModel> m_model;
    RefCntPtr<HierarchyRootPresModel const> m_root;
    QStackedWidget* m_pages;
    LazyTreeView* m_tree;
    QListWidget* m_results;
    QLineEdit* m_searchBox;
    QLabel* m_status;
    MemberItemDelegate* m_delegate;
    QTimer* m_searchTimer;
    bool m_radioMode = true;
    bool m_checkMarkVisible = true;
    bool m_selectingCurrent = false;
    bool m_rootAnnounced = false;
    // Counts CreateModel calls, so that the announcement of an older hierarchy is dropped.
    unsigned int m_generation = 0;
};
