#pragma once

#include <QtCore/QAbstractItemModel>

#include <exception>
#include <type_traits>

// Which change of its rows a model announces to its views.
enum class ModelChangeKind
{
    None, // the rows stay; only data may change
    InsertRows,
    RemoveRows,
    Reset,
};

// The begin/end bracket of one change of a model's rows, ended on every path out of its scope.
//
// A view that has seen a begin signal holds its rows until it sees the matching end, so a bracket
// left open by an exception leaves every view of the model broken. The bracket is therefore an
// object: it begins the change when made and ends it when it goes, whether the change finished or
// raised. The end signal runs listeners; what one of them raises still reaches the caller, except
// while another exception is already leaving, which then goes on alone (two at once would end the
// program).
//
// QAbstractItemModel keeps its begin/end operations protected, so a model that uses the bracket
// befriends it (`template <typename> friend class ModelChangeBracket;`) and opens it on itself:
//
//     {
//         const ModelChangeBracket bracket(*this, ModelChangeKind::InsertRows, first, last);
//         ... // change the rows; a throw still ends the insertion
//     }
//
// Whatever must be refused without a signal (input that does not fit) is checked before it is made.
template <typename Model>
class ModelChangeBracket
{
    static_assert(std::is_base_of_v<QAbstractItemModel, Model>, "a bracket announces the change of an item model");

public:
    // `first` and `last` are the rows inserted or removed under `parent`; the other kinds ignore them.
    ModelChangeBracket(
        Model& model, ModelChangeKind kind, int first = 0, int last = -1, const QModelIndex& parent = QModelIndex())
        : m_model(model)
        , m_kind(kind)
        , m_exceptionsAtStart(std::uncaught_exceptions())
    {
        switch (m_kind) {
        case ModelChangeKind::None:
            break;
        case ModelChangeKind::InsertRows:
            m_model.beginInsertRows(parent, first, last);
            break;
        case ModelChangeKind::RemoveRows:
            m_model.beginRemoveRows(parent, first, last);
            break;
        case ModelChangeKind::Reset:
            m_model.beginResetModel();
            break;
        }
    }

    ~ModelChangeBracket() noexcept(false)
    {
        if (std::uncaught_exceptions() <= m_exceptionsAtStart) {
            End();
            return;
        }
        try {
            End();
        } catch (...) {
            // The exception that is leaving already is the one the caller hears of.
        }
    }

    ModelChangeBracket(const ModelChangeBracket&) = delete;
    ModelChangeBracket& operator=(const ModelChangeBracket&) = delete;

private:
    void End()
    {
        switch (m_kind) {
        case ModelChangeKind::None:
            break;
        case ModelChangeKind::InsertRows:
            m_model.endInsertRows();
            break;
        case ModelChangeKind::RemoveRows:
            m_model.endRemoveRows();
            break;
        case ModelChangeKind::Reset:
            m_model.endResetModel();
            break;
        }
    }

    Model& m_model;
    const ModelChangeKind m_kind;
    const int m_exceptionsAtStart;
};
