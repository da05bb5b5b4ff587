#include "sim/ParameterEdits.h"

#include "sim/ParameterListArea.h"
#include "sim/SimAreaBinding.h"

#include "host/commands/ParameterCommands.h"
#include "host/doc/HostLog.h"
#include "host/doc/ValueFormat.h"

#include <QtCore/QRegularExpression>

#include <algorithm>
#include <stdexcept>

namespace Zel::Sim {

namespace {
namespace Cmds = Commands::Parameter;
using namespace ParameterValueRules;
using ParameterTypes::DomainType;

// A field with this many distinct values would make a list no one can use; a fill stops there.
constexpr std::size_t kMaxFilledMembers = 10000;

void Log(const QString& text)
{
    LogMessage(TString(QStringLiteral("Parameter edit: ") + text));
}

RefCntPtr<FieldCaptionPairPresModel const> CaptionPair(const FieldName& name, const TString& caption)
{
    auto pair = MakeRefCnt<FieldCaptionPairPresModel>();
    pair->SetFieldName(name);
    pair->SetFieldCaption(caption);
    return pair;
}

bool SameCaption(const TString& a, const TString& b)
{
    return a.ToQString().compare(b.ToQString(), Qt::CaseInsensitive) == 0;
}

} // namespace

ParameterEdits::ParameterEdits(SampleWorkbook& workbook, ParameterListArea& lists)
    : m_workbook(workbook)
    , m_lists(lists)
{
}

ParameterEdits::Edit* ParameterEdits::Find(unsigned int editId)
{
    const auto it = m_edits.find(editId);
    return it == m_edits.end() ? nullptr : &it->second;
}

const ParameterEdits::Edit& ParameterEdits::At(unsigned int editId) const
{
    return m_edits.at(editId);
}

std::size_t ParameterEdits::Count() const
{
    return m_edits.size();
}

const SampleParameter* ParameterEdits::FindParameter(const TString& caption) const
{
    return m_workbook.FindParameter(caption);
}

RefCntPtr<ParameterListDomainPresModel const> ParameterEdits::ListDomain(const Edit& edit) const
{
    return m_lists.GetListDomain(edit.id);
}

DataValue ParameterEdits::Value(const Edit& edit) const
{
    if (edit.domain != ParameterTypes::Domain_List)
        return edit.value;
    const DataValue current = m_lists.CurrentValue(edit.id);
    return current.IsNull() ? edit.value : current;
}

TString ParameterEdits::FormattedValue(const Edit& edit) const
{
    return ParameterListArea::Format(Value(edit), edit.format);
}

// --- names -------------------------------------------------------------------------------

const SampleParameter* ParameterEdits::ParameterNamed(const FieldName& name) const
{
    if (const SampleParameter* parameter = m_workbook.FindParameter(name))
        return parameter;
    return name.GetDataSource().empty() ? m_workbook.FindParameter(name.GetLocalName()) : nullptr;
}

FieldName ParameterEdits::NameFor(const Edit& edit) const
{
    if (edit.existing)
        return *edit.existing;
    // A new parameter is named after its caption, unless another parameter has that name.
    const TString caption = TString(edit.caption.ToQString().trimmed());
    FieldName name(SampleWorkbook::ParametersName(), caption);
    for (int n = 2; m_workbook.FindParameter(name); ++n)
        name = FieldName(SampleWorkbook::ParametersName(),
            TString(caption.ToQString() + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')')));
    return name;
}

QString ParameterEdits::CaptionRefusal(const Edit& edit) const
{
    const TString caption(edit.caption.ToQString().trimmed());
    if (caption.empty())
        return QStringLiteral("The parameter name cannot be empty.");
    const QString taken = QStringLiteral("A field or parameter named '%1' already exists.").arg(caption.ToQString());
    for (const SampleParameter& parameter : m_workbook.Parameters())
        if (parameter.name != edit.existing && SameCaption(parameter.caption, caption))
            return taken;
    for (const SampleDataSource& source : m_workbook.DataSources())
        for (const SampleField& field : source.fields)
            if (SameCaption(field.name.GetLocalName(), caption))
                return taken;
    return {};
}

// --- range -------------------------------------------------------------------------------

std::optional<Bounds> ParameterEdits::SourceBounds(const FieldName& source, DataType type)
{
    if (source.IsEmpty())
        return std::nullopt;
    if (source.GetDataSource() != SampleWorkbook::ParametersName()) {
        if (const SampleField* field = m_workbook.FindField(source)) {
            const std::optional<SampleValueRange> range = m_workbook.MinMax(field->name);
            return range ? BoundsOf(type, {range->min, range->max}) : std::nullopt;
        }
    }
    const SampleParameter* parameter = ParameterNamed(source);
    if (!parameter)
        return std::nullopt;
    switch (parameter->domainType) {
    case ParameterTypes::Domain_Range:
        return BoundsOf(type, {parameter->range.min, parameter->range.max});
    case ParameterTypes::Domain_List: {
        std::vector<DataValue> values;
        for (const ListValue& member : parameter->listValues)
            values.push_back(member.value);
        return BoundsOf(type, values);
    }
    default:
        return BoundsOf(type, {parameter->value});
    }
}

SampleRange ParameterEdits::Effective(const Edit& edit)
{
    SampleRange range = edit.range;
    const DataValue value = Value(edit);
    const Bounds derived = SourceBounds(range.source, edit.type).value_or(Bounds {value, value});
    if (!range.userDefinedMin)
        range.min = derived.min;
    if (!range.userDefinedMax)
        range.max = derived.max;
    // A derived bound gives way to the user's one rather than cross it.
    if (Comparable(range.min, range.max) && Less(range.max, range.min)) {
        if (range.userDefinedMin)
            range.max = range.min;
        else
            range.min = range.max;
    }
    if (!range.userDefinedIncrement)
        range.increment = UnitStep(edit.type);
    range.period = PeriodFor(edit.type, range.period);
    return range;
}

RefCntPtr<ParameterRangeDomainPresModel const> ParameterEdits::RangeRecord(const Edit& edit)
{
    const SampleRange range = Effective(edit);
    auto record = MakeRefCnt<ParameterRangeDomainPresModel>();
    record->SetDomainMin(range.min);
    record->SetDomainMax(range.max);
    record->SetIncrement(range.increment);
    record->SetDateIncrementPeriod(range.period);
    record->SetHasUserDefinedMin(range.userDefinedMin);
    record->SetHasUserDefinedMax(range.userDefinedMax);
    record->SetHasUserDefinedIncrement(range.userDefinedIncrement);
    return record;
}

void ParameterEdits::ClampValue(Edit& edit)
{
    if (edit.domain == ParameterTypes::Domain_Range)
        edit.value = Clamp(edit.value, Effective(edit));
}

// --- records -----------------------------------------------------------------------------

RefCntPtr<ProductParameterInfoPresModel const> ParameterEdits::ParameterRecord(const Edit& edit)
{
    auto record = MakeRefCnt<ProductParameterInfoPresModel>();
    record->SetName(NameFor(edit));
    record->SetCaption(edit.caption);
    record->SetDataType(edit.type);
    record->SetDomainType(edit.domain);
    record->SetRangeDomain(RangeRecord(edit));
    record->SetListDomain(m_lists.GetListDomain(edit.id));
    record->SetFormatString(edit.format);
    record->SetFormattedValue(FormattedValue(edit));
    record->SetValue(Value(edit));
    return record;
}

RefCntPtr<ParameterEditInfoPresModel const> ParameterEdits::EditRecord(const Edit& edit)
{
    std::vector<RefCntPtr<CaptionedDatasourceInfoPresModel const>> sources;
    for (const SampleDataSource& source : m_workbook.DataSources()) {
        std::vector<RefCntPtr<FieldCaptionPairPresModel const>> fields;
        for (const SampleField& field : source.fields)
            if (IsCompatible(field.dataType, edit.type))
                fields.push_back(CaptionPair(field.name, field.name.GetLocalName()));
        if (fields.empty())
            continue;
        auto info = MakeRefCnt<CaptionedDatasourceInfoPresModel>();
        info->SetCaption(source.name);
        info->SetCaptionedFields(std::move(fields));
        sources.push_back(std::move(info));
    }
    std::vector<RefCntPtr<FieldCaptionPairPresModel const>> parameters;
    for (const SampleParameter& parameter : m_workbook.Parameters())
        if (parameter.name != edit.existing && IsCompatible(parameter.dataType, edit.type))
            parameters.push_back(CaptionPair(parameter.name, parameter.caption));

    auto record = MakeRefCnt<ParameterEditInfoPresModel>();
    record->SetTitle(edit.title);
    record->SetParameterName(edit.caption);
    record->SetComment(edit.comment);
    record->SetCompatibleFields(std::move(sources));
    record->SetCompatibleParameters(std::move(parameters));
    record->SetShouldRestrictDataType(edit.restrictType);
    record->SetParameter(ParameterRecord(edit));
    return record;
}

RefCntPtr<SimpleCommandsPresModel const> ParameterEdits::DiscardCommands(unsigned int id)
{
    return OneCommandCleanup<Cmds::DiscardParameterEdit, Cmds::EditId>(id);
}

// --- changes -----------------------------------------------------------------------------

void ParameterEdits::MakeBooleanList(Edit& edit, const std::vector<ListValue>& before)
{
    std::vector<ListValue> options {{DataValue(true), TString()}, {DataValue(false), TString()}};
    for (const ListValue& member : before) {
        const std::optional<DataValue> meant = Convert(DT_BOOLEAN, member.value);
        if (meant && !member.alias.empty())
            options[meant->GetBool() ? 0 : 1].alias = member.alias;
    }
    m_lists.ReplaceValues(edit.id, DT_BOOLEAN, options, edit.value);
    edit.domain = ParameterTypes::Domain_List;
}

void ParameterEdits::ChangeDataType(Edit& edit, DataType type)
{
    if (!IsEditableType(type))
        Refuse(QStringLiteral("data type %1 cannot be a parameter's").arg(type));
    if (type == edit.type)
        return;
    if (edit.restrictType)
        Refuse(QStringLiteral("the parameter is in use; its data type cannot change"));
    const DataType oldType = edit.type;
    const std::vector<ListValue> before = m_lists.Values(edit.id);
    edit.value = Convert(type, Value(edit)).value_or(DefaultOf(type));
    edit.type = type;
    edit.format = TString();
    m_lists.SetFormat(edit.id, edit.format);

    if (type == DT_BOOLEAN) {
        MakeBooleanList(edit, before);
    } else if (oldType == DT_BOOLEAN) {
        // True and False mean nothing as members of another type's list.
        m_lists.ReplaceValues(edit.id, type, {}, edit.value);
        edit.domain = ParameterTypes::Domain_Any;
    } else {
        std::vector<ListValue> converted;
        for (const ListValue& member : before)
            if (const std::optional<DataValue> value = Convert(type, member.value))
                converted.push_back(ListValue {*value, member.alias});
        m_lists.ReplaceValues(edit.id, type, converted, edit.value);
    }

    SampleRange& range = edit.range;
    if (range.userDefinedMin) {
        const std::optional<DataValue> min = Convert(type, range.min);
        range.userDefinedMin = min.has_value();
        range.min = min.value_or(DataValue());
    }
    if (range.userDefinedMax) {
        const std::optional<DataValue> max = Convert(type, range.max);
        range.userDefinedMax = max.has_value();
        range.max = max.value_or(DataValue());
    }
    // A count of periods is no step of a number, nor a number one of periods.
    if (range.userDefinedIncrement) {
        const std::optional<DataValue> step
            = FamilyOf(oldType) == FamilyOf(type) ? UserStep(type, range.increment) : std::nullopt;
        range.userDefinedIncrement = step.has_value();
        range.increment = step.value_or(DataValue());
    }
    range.period = PeriodFor(type, range.period);
    if (!range.source.IsEmpty()) {
        const SampleField* field = range.source.GetDataSource() != SampleWorkbook::ParametersName()
            ? m_workbook.FindField(range.source)
            : nullptr;
        const SampleParameter* parameter = field ? nullptr : ParameterNamed(range.source);
        const DataType sourceType = field ? field->dataType : parameter ? parameter->dataType : DT_UNKNOWN;
        if (!IsCompatible(sourceType, type))
            range.source = FieldName();
    }
    if (!HasRange(type) && edit.domain == ParameterTypes::Domain_Range)
        edit.domain = ParameterTypes::Domain_Any;
    ClampValue(edit);
}

void ParameterEdits::ChangeDomain(Edit& edit, int domain)
{
    if (domain < ParameterTypes::Domain_Any || domain > ParameterTypes::Domain_Range)
        Refuse(QStringLiteral("%1 is no domain type").arg(domain));
    if (domain == edit.domain)
        return;
    if (edit.type == DT_BOOLEAN)
        Refuse(QStringLiteral("a boolean parameter allows only its list of True and False"));
    if (domain == ParameterTypes::Domain_Range && !HasRange(edit.type))
        Refuse(QStringLiteral("a string parameter cannot have a range"));
    edit.value = Value(edit);
    edit.domain = static_cast<DomainType>(domain);
    if (edit.domain == ParameterTypes::Domain_List) {
        // The list starts with the value, so that the value stays one of its members.
        if (m_lists.Values(edit.id).empty())
            m_lists.AppendValues(edit.id, {edit.value});
        else
            m_lists.SetCurrentValue(edit.id, edit.value);
    }
    ClampValue(edit);
}

void ParameterEdits::SetValue(Edit& edit, const DataValue& typed)
{
    const std::optional<DataValue> value = Convert(edit.type, typed);
    if (!value) {
        Log(QStringLiteral("'%1' is no value of the parameter's type").arg(typed.ToDisplayString().ToQString()));
        return;
    }
    if (edit.domain == ParameterTypes::Domain_List) {
        if (!m_lists.SetCurrentValue(edit.id, *value))
            Log(QStringLiteral("'%1' is not in the list").arg(value->ToDisplayString().ToQString()));
        return;
    }
    edit.value = *value;
    ClampValue(edit);
}

void ParameterEdits::SetFormat(Edit& edit, const TString& format)
{
    if (ValueFormat::IsValidFormat(edit.type, format)) {
        edit.format = format;
    } else {
        Log(QStringLiteral("'%1' is no format of the parameter's type").arg(format.ToQString()));
        edit.format = TString();
    }
    m_lists.SetFormat(edit.id, edit.format);
}

void ParameterEdits::SetRange(Edit& edit, const ParameterRangeDomainPresModel& typed)
{
    if (!HasRange(edit.type))
        Refuse(QStringLiteral("a string or boolean parameter has no range"));
    const int period = typed.GetDateIncrementPeriod();
    if (period < DPT_YEARS || period > DPT_SECONDS)
        Refuse(QStringLiteral("%1 is no date period").arg(period));

    SampleRange range = edit.range;
    range.period = PeriodFor(edit.type, static_cast<DatePeriodType>(period));
    // A ticked bound the host cannot read is left for the host to derive rather than refused, so
    // that the dialog keeps working with what it shows.
    auto take = [&edit](bool ticked, const DataValue& value, bool& userDefined, DataValue& into) {
        const std::optional<DataValue> converted = ticked ? Convert(edit.type, value) : std::nullopt;
        if (ticked && !converted)
            Log(QStringLiteral("'%1' is no bound of the range").arg(value.ToDisplayString().ToQString()));
        userDefined = converted.has_value();
        if (converted)
            into = *converted;
    };
    take(typed.GetHasUserDefinedMin(), typed.GetDomainMin(), range.userDefinedMin, range.min);
    take(typed.GetHasUserDefinedMax(), typed.GetDomainMax(), range.userDefinedMax, range.max);
    const std::optional<DataValue> step
        = typed.GetHasUserDefinedIncrement() ? UserStep(edit.type, typed.GetIncrement()) : std::nullopt;
    range.userDefinedIncrement = step.has_value();
    if (step)
        range.increment = *step;
    if (range.userDefinedMin && range.userDefinedMax && Less(range.max, range.min))
        std::swap(range.min, range.max);
    edit.range = range;
    ClampValue(edit);
}

void ParameterEdits::ClearList(Edit& edit)
{
    if (edit.type == DT_BOOLEAN)
        Refuse(QStringLiteral("a boolean parameter keeps its True and False"));
    edit.value = Value(edit);
    m_lists.ReplaceValues(edit.id, edit.type, {}, edit.value);
}

bool ParameterEdits::FillFromSource(Edit& edit, const FieldName& name)
{
    const SampleField* field
        = name.GetDataSource() != SampleWorkbook::ParametersName() ? m_workbook.FindField(name) : nullptr;
    const SampleParameter* parameter = field ? nullptr : ParameterNamed(name);
    if (!field && !parameter) {
        Log(QStringLiteral("no field or parameter is named %1").arg(name.GetGlobalName().ToQString()));
        return false;
    }
    if (edit.type == DT_BOOLEAN || edit.domain == ParameterTypes::Domain_Any) {
        Log(QStringLiteral("only a list or a range is filled from a field"));
        return false;
    }
    if (edit.domain == ParameterTypes::Domain_Range) {
        edit.range.source = field ? field->name : parameter->name;
        edit.range.userDefinedMin = false;
        edit.range.userDefinedMax = false;
        ClampValue(edit);
        return true;
    }

    std::vector<ListValue> values;
    auto add = [&](const DataValue& raw, const TString& alias) {
        if (const std::optional<DataValue> value = Convert(edit.type, raw))
            values.push_back(ListValue {*value, alias});
    };
    if (field) {
        for (const DataValue& value : m_workbook.DistinctValues(field->name)) {
            if (values.size() == kMaxFilledMembers) {
                Log(QStringLiteral("the list was cut at %1 values").arg(kMaxFilledMembers));
                break;
            }
            add(value, TString());
        }
    } else if (parameter->domainType == ParameterTypes::Domain_List) {
        for (const ListValue& member : parameter->listValues)
            add(member.value, member.alias);
    } else {
        add(parameter->value, TString());
    }
    m_lists.ReplaceValues(edit.id, edit.type, values, Value(edit));
    return true;
}

bool ParameterEdits::Paste(const Edit& edit, const TString& text)
{
    if (edit.type == DT_BOOLEAN)
        Refuse(QStringLiteral("a boolean parameter's list cannot be pasted into"));
    static const QRegularExpression separators(QStringLiteral("[\\r\\n\\t,]"));
    std::vector<DataValue> values;
    for (const QString& piece : text.ToQString().split(separators, Qt::SkipEmptyParts)) {
        const QString trimmed = piece.trimmed();
        if (trimmed.isEmpty())
            continue;
        const DataValue value = DataValue::FromVariant(edit.type, QVariant(trimmed));
        if (!value.IsNull())
            values.push_back(value);
    }
    if (m_lists.AppendValues(edit.id, values) != 0)
        return true;
    Log(QStringLiteral("nothing pasted could join the list"));
    return false;
}

QString ParameterEdits::Commit(Edit& edit, FieldName& committed)
{
    if (QString refusal = CaptionRefusal(edit); !refusal.isEmpty())
        return refusal;
    if (edit.domain == ParameterTypes::Domain_List && m_lists.Values(edit.id).empty())
        return QStringLiteral("The list of allowable values is empty.");

    SampleParameter parameter;
    parameter.name = NameFor(edit);
    parameter.caption = TString(edit.caption.ToQString().trimmed());
    parameter.dataType = edit.type;
    parameter.value = Value(edit);
    parameter.comment = edit.comment;
    parameter.format = edit.format;
    parameter.domainType = edit.domain;
    if (edit.domain == ParameterTypes::Domain_List)
        parameter.listValues = m_lists.Values(edit.id);
    if (HasRange(edit.type))
        parameter.range = Effective(edit);

    // Named before it joins the workbook, where its own name would count as taken.
    committed = parameter.name;
    std::vector<SampleParameter>& stored = m_workbook.Parameters();
    const auto it = std::find_if(
        stored.begin(), stored.end(), [&parameter](const SampleParameter& p) { return p.name == parameter.name; });
    if (it != stored.end()) {
        parameter.inUse = it->inUse;
        *it = std::move(parameter);
    } else {
        stored.push_back(std::move(parameter));
    }
    // The edit stays open until its clean-up discards it: a dialog that is closing may still send
    // the edits its controls flush on losing focus, and a refusal would reach it as an exception.
    // From now on it edits the committed parameter, which a further commit replaces.
    edit.existing = committed;
    return {};
}

void ParameterEdits::Close(unsigned int id)
{
    // A list the list area opened for someone else is not ours to close.
    if (m_edits.erase(id) != 0)
        m_lists.CloseEdit(id);
}

ParameterEditArea::OpenedEdit ParameterEdits::Open(Edit edit, const std::vector<ListValue>& listValues)
{
    edit.id = m_lists.OpenListEdit(edit.type, {}, 0);
    m_lists.SetFormat(edit.id, edit.format);
    if (edit.type == DT_BOOLEAN)
        MakeBooleanList(edit, listValues);
    else
        m_lists.ReplaceValues(edit.id, edit.type, listValues, edit.value);
    const Edit& opened = m_edits[edit.id] = std::move(edit);
    return ParameterEditArea::OpenedEdit {opened.id, EditRecord(opened), DiscardCommands(opened.id)};
}

ParameterEditArea::OpenedEdit ParameterEdits::OpenNew()
{
    Edit edit;
    int number = 1;
    const auto taken = [this](int n) {
        return m_workbook.FindParameter(TString(QStringLiteral("Parameter ") + QString::number(n))) != nullptr;
    };
    while (taken(number))
        ++number;
    edit.title = TString(QStringLiteral("Create Parameter"));
    edit.caption = TString(QStringLiteral("Parameter ") + QString::number(number));
    edit.type = DT_REAL;
    edit.value = DataValue(1.0);
    return Open(std::move(edit), {});
}

ParameterEditArea::OpenedEdit ParameterEdits::OpenExisting(const FieldName& existing)
{
    const SampleParameter* parameter = m_workbook.FindParameter(existing);
    if (!parameter)
        throw std::invalid_argument("no parameter is named " + existing.GetGlobalName().ToQString().toStdString());
    Edit edit;
    edit.existing = parameter->name;
    edit.title = TString(QStringLiteral("Edit Parameter [") + parameter->caption.ToQString() + QLatin1Char(']'));
    edit.caption = parameter->caption;
    edit.comment = parameter->comment;
    edit.type = parameter->dataType;
    edit.domain = parameter->domainType;
    edit.value = parameter->value;
    edit.format = parameter->format;
    edit.range = parameter->range;
    edit.restrictType = parameter->inUse;
    return Open(std::move(edit), parameter->listValues);
}

} // namespace Zel::Sim
