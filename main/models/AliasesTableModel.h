#pragma once

#include "main/dialogs/EditAliasesDialog.h"

#include <QtCore/QAbstractTableModel>

#include <exception>
#include <functional>
#include <vector>

// The members of the edited field in the host's order, three columns: the member's name, "*" when
// it has an alias, and the text it shows (its alias, or its name when it has none). Only the shown
// text is editable. An accepted change is kept beside the host's list (m_edited, by row) rather than
// by copying the list, so that a field of a million members costs one vector of empty references
// at most.
//
// Sends ApplyNewAliases for every change and ClearAliases for ClearAliases(); a failed
// ApplyNewAliases counts as an answer without duplicates. The dispatcher is the dialog's; the host's
// list is shared.
class ZELDIALOG_EXPORT EditAliasesDialog::AliasesTableModel : public QAbstractTableModel
{
public:
    enum Column
    {
        MemberColumn = 0,
        HasAliasColumn = 1,
        ShownColumn = 2,
    };

    AliasesTableModel(const ICommandDispatcher& dispatcher, const RefCntPtr<AliasesPresModel const>& aliases);
    ~AliasesTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Where a failure of an edit goes (a host record missing): without a handler it is raised from
    // setData; with one, setData hands it over and refuses the edit, since an edit arrives through
    // the view's event handling, which an exception must not cross.
    void SetFailureHandler(std::function<void(std::exception_ptr)> handler) { m_failureHandler = std::move(handler); }

    // How many members have an alias now.
    int GetAssignedCount() const noexcept { return m_assignedCount; }
    // The host's list with every alias removed, in place of the current one (a model reset).
    void ClearAliases();

private:
    bool Edit(const QModelIndex& index, const QVariant& value);
    // The row's member as it stands now: the accepted change if there is one, else the host's.
    const AliasItemPresModel* CurrentItem(int row) const;
    // The member's name as shown, converted from the host's text once per row.
    const QString& MemberName(int row, const AliasItemPresModel& item) const;
    void RefuseDuplicate(const AliasResultItemPresModel& result) const;

    const ICommandDispatcher& m_dispatcher;
    int m_assignedCount;
    RefCntPtr<AliasesPresModel const> m_aliases;
    std::vector<RefCntPtr<AliasItemPresModel const>> m_edited;
    std::function<void(std::exception_ptr)> m_failureHandler;
    // The sort asks for every member's name some forty times (a million members: forty million
    // calls); converting the host's wide text each time would allocate as often. Filled on first
    // use, emptied with the list; an edit never changes a member's name.
    mutable std::vector<QString> m_names;
};
