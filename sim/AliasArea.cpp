#include "AliasArea.h"

#include "SampleWorkbook.h"
#include "SimHost.h"

#include "host/commands/AliasCommands.h"

#include <QtSql/QSqlQuery>

#include <algorithm>
#include <map>
#include <numeric>
#include <optional>
#include <stdexcept>
#include <unordered_map>

namespace Zel::Sim {

namespace Cmds = Zel::Commands::Alias;

namespace {

[[noreturn]] void Refuse(const QString& reason)
{
    throw std::runtime_error(reason.toStdString());
}

RefCntPtr<AliasItemPresModel const> MakeItem(unsigned int index, const TString& name, const TString* alias)
{
    auto item = MakeRefCnt<AliasItemPresModel>();
    item->SetIndex(index);
    item->SetMemberName(name);
    item->SetHasAlias(alias != nullptr);
    if (alias)
        item->SetAlias(*alias);
    return item;
}

} // namespace

struct AliasArea::Impl
{
    struct Edit
    {
        FieldName field;
        TString caption;
        // The pending state, one record per member in the host's order. Records are never changed:
        // a member that changes gets a new one, so answers given earlier stay as they were.
        std::vector<RefCntPtr<AliasItemPresModel const>> items;
        // Member positions in name order; empty when the host's order is name order already.
        std::vector<unsigned int> byName;
        // The member each pending alias belongs to.
        std::unordered_map<TString, unsigned int> aliasOwners;
    };

    explicit Impl(SampleWorkbook& book)
        : workbook(book)
    {
    }

    Edit& Find(int id)
    {
        const auto it = edits.find(id);
        if (it == edits.end())
            Refuse(QStringLiteral("no alias edit %1 is open").arg(id));
        return it->second;
    }

    // The field's distinct values as members, in the order SQL sorts them, shown as the workbook
    // shows values. Read straight from the table: a field of a million members is kept only by the
    // edits that show it.
    std::vector<RefCntPtr<AliasItemPresModel const>> ReadMembers(const SampleField& field)
    {
        if (!workbook.Open())
            Refuse(QStringLiteral("the workbook could not be opened: ") + workbook.ErrorText());
        QString table;
        for (const SampleDataSource& source : workbook.DataSources())
            if (source.name == field.name.GetDataSource())
                table = source.table;
        const QString column = SampleWorkbook::SqlColumn(field.name);
        QSqlQuery query(workbook.Database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT DISTINCT ") + column + QStringLiteral(" FROM ") + table
                + QStringLiteral(" ORDER BY ") + column))
            Refuse(QStringLiteral("cannot read the members of ") + field.name.GetGlobalName().ToQString());
        std::vector<RefCntPtr<AliasItemPresModel const>> items;
        while (query.next()) {
            const DataValue value = DataValue::FromVariant(field.dataType, query.value(0));
            items.push_back(MakeItem(static_cast<unsigned int>(items.size()), value.ToDisplayString(), nullptr));
        }
        return items;
    }

    int Start(const FieldName& name)
    {
        const SampleField* field = workbook.FindField(name);
        if (!field)
            Refuse(QStringLiteral("the workbook has no field ") + name.GetGlobalName().ToQString());
        if (field->role != FieldRole::Dimension)
            Refuse(field->name.GetGlobalName().ToQString()
                + QStringLiteral(" is a measure; only dimensions have aliases"));

        Edit edit;
        edit.field = field->name;
        edit.caption = field->name.GetLocalName();
        edit.items = ReadMembers(*field);
        const auto byItemName = [&edit](unsigned int a, unsigned int b) {
            return edit.items[a]->GetMemberName() < edit.items[b]->GetMemberName();
        };
        // Text sorts by name already; numbers and dates sort by value, which is not name order.
        const bool nameOrder = std::is_sorted(edit.items.begin(), edit.items.end(),
            [](const RefCntPtr<AliasItemPresModel const>& a, const RefCntPtr<AliasItemPresModel const>& b) {
                return a->GetMemberName() < b->GetMemberName();
            });
        if (!nameOrder) {
            edit.byName.resize(edit.items.size());
            std::iota(edit.byName.begin(), edit.byName.end(), 0u);
            std::sort(edit.byName.begin(), edit.byName.end(), byItemName);
        }
        ApplyCommitted(edit);
        const int id = nextId++;
        edits.emplace(id, std::move(edit));
        return id;
    }

    // The member named `name`, if the field has one.
    static std::optional<unsigned int> NamedMember(const Edit& edit, const TString& name)
    {
        const auto nameOf = [&edit](unsigned int i) -> const TString& { return edit.items[i]->GetMemberName(); };
        if (edit.byName.empty()) {
            const auto it = std::lower_bound(edit.items.begin(), edit.items.end(), name,
                [](const RefCntPtr<AliasItemPresModel const>& item, const TString& wanted) {
                    return item->GetMemberName() < wanted;
                });
            if (it != edit.items.end() && (*it)->GetMemberName() == name)
                return static_cast<unsigned int>(it - edit.items.begin());
            return std::nullopt;
        }
        const auto it = std::lower_bound(edit.byName.begin(), edit.byName.end(), name,
            [&nameOf](unsigned int i, const TString& wanted) { return nameOf(i) < wanted; });
        if (it != edit.byName.end() && nameOf(*it) == name)
            return *it;
        return std::nullopt;
    }

    // The member other than `except` that shows `text`: by its alias, or by its name when it has none.
    static std::optional<unsigned int> ShownBy(const Edit& edit, const TString& text, unsigned int except)
    {
        if (const auto owner = edit.aliasOwners.find(text); owner != edit.aliasOwners.end() && owner->second != except)
            return owner->second;
        if (const auto named = NamedMember(edit, text); named && *named != except && !edit.items[*named]->GetHasAlias())
            return named;
        return std::nullopt;
    }

    static void SetAlias(Edit& edit, unsigned int index, const TString* alias)
    {
        const AliasItemPresModel& old = *edit.items[index];
        if (old.GetHasAlias())
            edit.aliasOwners.erase(old.GetAlias());
        if (alias)
            edit.aliasOwners[*alias] = index;
        edit.items[index] = MakeItem(index, old.GetMemberName(), alias);
    }

    static void ClearPending(Edit& edit)
    {
        for (const auto& owned : edit.aliasOwners) {
            const unsigned int index = owned.second;
            edit.items[index] = MakeItem(index, edit.items[index]->GetMemberName(), nullptr);
        }
        edit.aliasOwners.clear();
    }

    // The workbook's aliases of the edit's field, over a copy with none. A member the workbook no
    // longer has keeps no alias.
    void ApplyCommitted(Edit& edit) const
    {
        for (const auto& committed : workbook.Aliases(edit.field))
            if (const auto member = NamedMember(edit, committed.first))
                SetAlias(edit, *member, &committed.second);
    }

    void Commit(const Edit& edit)
    {
        MemberAliases aliases;
        for (const auto& owned : edit.aliasOwners)
            aliases.emplace(edit.items[owned.second]->GetMemberName(), owned.first);
        workbook.SetAliases(edit.field, std::move(aliases));
    }

    // Validates the whole request first, so a refused request changes nothing.
    RefCntPtr<AliasResultsPresModel const> Apply(const NewAliasesPresModel& request)
    {
        Edit& edit = Find(request.GetID());
        for (const RefCntPtr<AliasItemPresModel const>& wanted : request.GetAliases()) {
            if (!wanted)
                Refuse(QStringLiteral("the change names an empty member"));
            const unsigned int index = wanted->GetIndex();
            if (index >= edit.items.size() || edit.items[index]->GetMemberName() != wanted->GetMemberName())
                Refuse(QStringLiteral("member %1 \"%2\" is not a member of %3")
                           .arg(index)
                           .arg(wanted->GetMemberName().ToQString(), edit.field.GetGlobalName().ToQString()));
        }
        std::vector<RefCntPtr<AliasResultItemPresModel const>> refused;
        for (const RefCntPtr<AliasItemPresModel const>& wanted : request.GetAliases()) {
            const unsigned int index = wanted->GetIndex();
            const TString& name = wanted->GetMemberName();
            const bool hasAlias = wanted->GetHasAlias() && !wanted->GetAlias().empty() && wanted->GetAlias() != name;
            if (const auto owner = ShownBy(edit, hasAlias ? wanted->GetAlias() : name, index)) {
                auto result = MakeRefCnt<AliasResultItemPresModel>();
                result->SetNewAlias(wanted);
                result->SetDuplicate(edit.items[*owner]);
                refused.push_back(std::move(result));
                continue;
            }
            SetAlias(edit, index, hasAlias ? &wanted->GetAlias() : nullptr);
        }
        auto results = MakeRefCnt<AliasResultsPresModel>();
        results->SetResultItems(std::move(refused));
        return results;
    }

    static RefCntPtr<AliasesPresModel const> Record(int id, const Edit& edit)
    {
        auto aliases = MakeRefCnt<AliasesPresModel>();
        aliases->SetID(id);
        aliases->SetColumnCaption(edit.caption);
        aliases->SetAliases(edit.items);
        aliases->SetNumOfAssignedAliases(static_cast<unsigned int>(edit.aliasOwners.size()));
        return aliases;
    }

    SampleWorkbook& workbook;
    std::map<int, Edit> edits;
    int nextId = 1;
};

AliasArea::AliasArea(SimHost& host, SampleWorkbook& workbook)
    : m_impl(std::make_shared<Impl>(workbook))
{
    const std::weak_ptr<Impl> weak = m_impl;
    auto lock = [weak] {
        std::shared_ptr<Impl> impl = weak.lock();
        if (!impl)
            Refuse(QStringLiteral("the alias area is gone"));
        return impl;
    };

    host.Handle<Cmds::StartEditAliases>(
        [lock](const SimArguments<Cmds::StartEditAliases>& args, SimResults<Cmds::StartEditAliases>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const int id = impl->Start(args.Get<Cmds::AliasField>());
            out.Set<Cmds::CleanupCommands>(Zel::Commands::MakeCommandList<Cmds::DiscardEditAliases>(id));
            out.Set<Cmds::Aliases>(Impl::Record(id, impl->edits.at(id)));
        });
    host.Handle<Cmds::ApplyNewAliases>(
        [lock](const SimArguments<Cmds::ApplyNewAliases>& args, SimResults<Cmds::ApplyNewAliases>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const RefCntPtr<NewAliasesPresModel const>& request = args.Get<Cmds::NewAliases>();
            if (!request)
                Refuse(QStringLiteral("no change request"));
            out.Set<Cmds::AliasResults>(impl->Apply(*request));
        });
    host.Handle<Cmds::ClearAliases>(
        [lock](const SimArguments<Cmds::ClearAliases>& args, SimResults<Cmds::ClearAliases>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const int id = args.Get<Cmds::AliasEditId>();
            Impl::Edit& edit = impl->Find(id);
            Impl::ClearPending(edit);
            out.Set<Cmds::ClearedAliases>(Impl::Record(id, edit));
        });
    host.Handle<Cmds::CommitEditAliases>([lock](const SimArguments<Cmds::CommitEditAliases>& args) {
        const std::shared_ptr<Impl> impl = lock();
        impl->Commit(impl->Find(args.Get<Cmds::AliasEditId>()));
    });
    host.Handle<Cmds::CancelEditAliases>([lock](const SimArguments<Cmds::CancelEditAliases>& args) {
        const std::shared_ptr<Impl> impl = lock();
        Impl::Edit& edit = impl->Find(args.Get<Cmds::AliasEditId>());
        Impl::ClearPending(edit);
        impl->ApplyCommitted(edit);
    });
    host.Handle<Cmds::DiscardEditAliases>([lock](const SimArguments<Cmds::DiscardEditAliases>& args) {
        const std::shared_ptr<Impl> impl = lock();
        const int id = args.Get<Cmds::AliasEditId>();
        impl->Find(id);
        impl->edits.erase(id);
    });
}

AliasArea::~AliasArea() = default;

std::size_t AliasArea::OpenEditCount() const
{
    return m_impl->edits.size();
}

std::vector<int> AliasArea::OpenEditIds() const
{
    std::vector<int> ids;
    for (const auto& edit : m_impl->edits)
        ids.push_back(edit.first);
    return ids;
}

RefCntPtr<AliasesPresModel const> AliasArea::PendingAliases(int editId) const
{
    return Impl::Record(editId, m_impl->edits.at(editId));
}

} // namespace Zel::Sim
