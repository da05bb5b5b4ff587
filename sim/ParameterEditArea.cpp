#include "sim/ParameterEditArea.h"

#include "sim/ParameterEdits.h"
#include "sim/SimAreaBinding.h"

#include "host/commands/ParameterCommands.h"

namespace Zel::Sim {

namespace {
namespace Cmds = Commands::Parameter;
using Edit = ParameterEdits::Edit;
} // namespace

ParameterEditArea::ParameterEditArea(SimHost& host, SampleWorkbook& workbook, ParameterListArea& lists)
    : m_edits(std::make_shared<ParameterEdits>(workbook, lists))
{
    const SimAreaBinding<ParameterEdits> area(host, m_edits, QStringLiteral("parameter edit area"));
    const auto edits = area.Items<Cmds::EditId, Edit>(&ParameterEdits::Find, QStringLiteral("parameter edit"));

    edits.Handle<Cmds::SetParameterDisplayInfo>(
        [](ParameterEdits&, Edit& edit, const SimArguments<Cmds::SetParameterDisplayInfo>& args) {
            edit.caption = args.Get<Cmds::Caption>();
            edit.comment = args.Get<Cmds::Comment>();
        });
    edits.Handle<Cmds::SetParameterDataType>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetParameterDataType>& args,
            SimResults<Cmds::SetParameterDataType>& out) {
            edits.ChangeDataType(edit, args.Get<Cmds::NewDataType>());
            out.Set<Cmds::EditInfo>(edits.EditRecord(edit));
        });
    edits.Handle<Cmds::SetParameterDomainType>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetParameterDomainType>& args,
            SimResults<Cmds::SetParameterDomainType>& out) {
            edits.ChangeDomain(edit, args.Get<Cmds::NewDomainType>());
            out.Set<Cmds::EditInfo>(edits.EditRecord(edit));
        });
    edits.Handle<Cmds::SetParameterValue>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetParameterValue>& args,
            SimResults<Cmds::SetParameterValue>& out) {
            edits.SetValue(edit, args.Get<Cmds::NewValue>());
            out.Set<Cmds::AcceptedValue>(edits.Value(edit));
            out.Set<Cmds::FormattedValue>(edits.FormattedValue(edit));
        });
    edits.Handle<Cmds::SetParameterFormat>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetParameterFormat>& args,
            SimResults<Cmds::SetParameterFormat>& out) {
            edits.SetFormat(edit, args.Get<Cmds::FormatString>());
            out.Set<Cmds::FormattedValue>(edits.FormattedValue(edit));
            if (edit.domain == ParameterTypes::Domain_List)
                out.Set<Cmds::ListDomain>(edits.ListDomain(edit));
        });
    edits.Handle<Cmds::CommitParameter>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::CommitParameter>&,
            SimResults<Cmds::CommitParameter>& out) {
            FieldName committed;
            const QString refusal = edits.Commit(edit, committed);
            if (refusal.isEmpty())
                out.Set<Cmds::FieldNameParam>(committed);
            else
                out.Set<Cmds::RefusalMessage>(TString(refusal));
        });
    edits.Handle<Cmds::SetParameterRangeDomain>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetParameterRangeDomain>& args,
            SimResults<Cmds::SetParameterRangeDomain>& out) {
            const auto& range = args.Get<Cmds::RangeDomain>();
            if (!range)
                Refuse(QStringLiteral("the range holds no record"));
            edits.SetRange(edit, *range);
            out.Set<Cmds::ParameterInfo>(edits.ParameterRecord(edit));
        });
    edits.Handle<Cmds::ClearListDomain>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::ClearListDomain>&,
            SimResults<Cmds::ClearListDomain>& out) {
            edits.ClearList(edit);
            out.Set<Cmds::ListDomain>(edits.ListDomain(edit));
            out.Set<Cmds::FormattedValue>(edits.FormattedValue(edit));
        });
    edits.Handle<Cmds::PasteListMembers>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::PasteListMembers>& args,
            SimResults<Cmds::PasteListMembers>& out) {
            if (edits.Paste(edit, args.Get<Cmds::ClipboardText>()))
                out.Set<Cmds::ListDomain>(edits.ListDomain(edit));
        });
    edits.Handle<Cmds::SetDomainFromField>(
        [](ParameterEdits& edits, Edit& edit, const SimArguments<Cmds::SetDomainFromField>& args,
            SimResults<Cmds::SetDomainFromField>& out) {
            if (edits.FillFromSource(edit, args.Get<Cmds::FieldNameParam>()))
                out.Set<Cmds::ParameterInfo>(edits.ParameterRecord(edit));
        });
    // Sent by every clean-up, also after a commit, and after an edit is gone: no edit to find first.
    area.Handle<Cmds::DiscardParameterEdit>(
        [](ParameterEdits& edits, const SimArguments<Cmds::DiscardParameterEdit>& args) {
            edits.Close(args.Get<Cmds::EditId>());
        });
}

ParameterEditArea::~ParameterEditArea() = default;

ParameterEditArea::OpenedEdit ParameterEditArea::OpenNewParameterEdit()
{
    return m_edits->OpenNew();
}

ParameterEditArea::OpenedEdit ParameterEditArea::OpenParameterEdit(const FieldName& existing)
{
    return m_edits->OpenExisting(existing);
}

bool ParameterEditArea::HasEdit(unsigned int editId) const
{
    return m_edits->Find(editId) != nullptr;
}

RefCntPtr<ParameterEditInfoPresModel const> ParameterEditArea::GetEditInfo(unsigned int editId) const
{
    return m_edits->EditRecord(m_edits->At(editId));
}

RefCntPtr<ProductParameterInfoPresModel const> ParameterEditArea::GetParameterInfo(unsigned int editId) const
{
    return m_edits->ParameterRecord(m_edits->At(editId));
}

std::size_t ParameterEditArea::OpenEditCount() const
{
    return m_edits->Count();
}

const SampleParameter* ParameterEditArea::FindParameter(const TString& caption) const
{
    return m_edits->FindParameter(caption);
}

} // namespace Zel::Sim
