#include "sim/ParameterEditArea.h"

#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include "host/commands/ParameterCommands.h"
#include "host/doc/HostLog.h"
#include "host/doc/ValueFormat.h"

#include <QtCore/QRegularExpression>
#include <QtCore/QString>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace Zel::Sim {

namespace {
namespace Cmds = Commands::Parameter;
using ParameterTypes::DomainType;

// A field with this many distinct values would make a list no one can use; a fill stops there.
constexpr std::size_t kMaxFilledMembers = 10000;

[[noreturn]] void Refuse(const QString& reason)
{
    throw std::runtime_error(reason.toStdString());
}

void Log(const QString& text)
{
    LogMessage(TString(QStringLiteral("Parameter edit: ") + text));
}

enum class Family
{
    Text,
    Number,
    Date,
    Boolean,
};

Family FamilyOf(DataType type)
{
    switch (type) {
    case DT_STRING:
        return Family::Text;
    case DT_BOOLEAN:
        return Family::Boolean;
    case DT_DATE:
    case DT_DATETIME:
        return Family::Date;
    default:
        return Family::Number;
    }
}

bool IsEditableType(DataType type)
{
    return type == DT_INTEGER || type == DT_REAL || type == DT_STRING || type == DT_DATE || type == DT_DATETIME
        || type == DT_BOOLEAN;
}

bool HasRange(DataType type)
{
    return type != DT_STRING && type != DT_BOOLEAN;
}

// Booleans offer no fields: their list is always True and False.
bool IsCompatible(DataType source, DataType parameter)
{
    return FamilyOf(source) == FamilyOf(parameter) && FamilyOf(parameter) != Family::Boolean;
}

DataValue DefaultOf(DataType type)
{
    switch (type) {
    case DT_INTEGER:
        return DataValue(0);
    case DT_STRING:
        return DataValue(TString());
    case DT_DATE:
        return DataValue(QDate::currentDate());
    case DT_DATETIME:
        return DataValue(QDateTime(QDate::currentDate(), QTime(0, 0)));
    case DT_BOOLEAN:
        return DataValue(true);
    default:
        return DataValue(0.0);
    }
}

// The value as `type` reads its text. Where the text does not parse, booleans and numbers still
// convert into each other (true is 1, any number but 0 is true) and dates into date-times and back;
// a real with a fraction is no integer, rather than a rounded one.
std::optional<DataValue> Convert(DataType type, const DataValue& value)
{
    if (value.IsSpecial())
        return std::nullopt;
    if (value.GetDataType() == type)
        return value;
    DataValue converted = DataValue::FromVariant(type, QVariant(value.ToDisplayString().ToQString()));
    const Family from = FamilyOf(value.GetDataType());
    const Family to = FamilyOf(type);
    const bool truth
        = (from == Family::Boolean && to == Family::Number) || (from == Family::Number && to == Family::Boolean);
    if (converted.IsNull() && (truth || (from == Family::Date && to == Family::Date)))
        converted = DataValue::FromVariant(type, value.ToQVariant());
    if (converted.IsNull())
        return std::nullopt;
    return converted;
}

bool Less(const DataValue& a, const DataValue& b)
{
    switch (a.GetDataType()) {
    case DT_DATE:
        return a.GetDate() < b.GetDate();
    case DT_DATETIME:
        return a.GetDateTime() < b.GetDateTime();
    case DT_INTEGER:
        return a.GetInt64() < b.GetInt64();
    default:
        return a.GetReal() < b.GetReal();
    }
}

bool Comparable(const DataValue& a, const DataValue& b)
{
    return !a.IsSpecial() && !b.IsSpecial() && a.GetDataType() == b.GetDataType();
}

DataValue Clamp(const DataValue& value, const SampleRange& range)
{
    if (Comparable(value, range.min) && Less(value, range.min))
        return range.min;
    if (Comparable(value, range.max) && Less(range.max, value))
        return range.max;
    return value;
}

// One step of `type`: dates count whole periods, numbers step in their own type.
DataValue UnitStep(DataType type)
{
    if (type == DT_REAL)
        return DataValue(1.0);
    return DataValue(1);
}

// A step the user typed, made positive and of the right kind; nullopt when it cannot be one.
std::optional<DataValue> UserStep(DataType type, const DataValue& typed)
{
    const DataType stepType = FamilyOf(type) == Family::Date ? DT_INTEGER : type;
    const std::optional<DataValue> step = Convert(stepType, typed);
    if (!step)
        return std::nullopt;
    if (stepType == DT_INTEGER) {
        const long long count = step->GetInt64() < 0 ? -step->GetInt64() : step->GetInt64();
        return count == 0 ? std::nullopt : std::optional<DataValue>(DataValue(count));
    }
    const double size = step->GetReal() < 0 ? -step->GetReal() : step->GetReal();
    return size == 0 ? std::nullopt : std::optional<DataValue>(DataValue(size));
}

DatePeriodType PeriodFor(DataType type, DatePeriodType period)
{
    // Only a date-time steps by parts of a day.
    return type == DT_DATE && period > DPT_DAYS ? DPT_DAYS : period;
}

struct Bounds
{
    DataValue min;
    DataValue max;
};

std::optional<Bounds> BoundsOf(DataType type, const std::vector<DataValue>& values)
{
    std::optional<Bounds> bounds;
    for (const DataValue& raw : values) {
        const std::optional<DataValue> value = Convert(type, raw);
        if (!value)
            continue;
        if (!bounds)
            bounds = Bounds {*value, *value};
        else if (Less(*value, bounds->min))
            bounds->min = *value;
        else if (Less(bounds->max, *value))
            bounds->max = *value;
    }
    return bounds;
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

struct ParameterEditArea::Impl
{
    struct Edit
    {
        // The workbook parameter being edited; none for a new one.
        std::optional<FieldName> existing;
        TString title;
        TString caption;
        FormattedText comment;
        DataType type = DT_REAL;
        DomainType domain = ParameterTypes::Domain_Any;
        // The value while the domain is not a list; a list's value is its current member.
        DataValue value;
        TString format;
        SampleRange range;
        bool restrictType = false;
    };

    Impl(SampleWorkbook& workbook_, ParameterListArea& lists_)
        : workbook(workbook_)
        , lists(lists_)
    {
    }

    SampleWorkbook& workbook;
    ParameterListArea& lists;
    std::map<unsigned int, Edit> edits;

    Edit& Find(unsigned int editId)
    {
        const auto it = edits.find(editId);
        if (it == edits.end())
            Refuse(QStringLiteral("no parameter edit %1 is open").arg(editId));
        return it->second;
    }

    DataValue Value(unsigned int id, const Edit& edit) const
    {
        if (edit.domain != ParameterTypes::Domain_List)
            return edit.value;
        const DataValue current = lists.CurrentValue(id);
        return current.IsNull() ? edit.value : current;
    }

    TString FormattedValue(unsigned int id, const Edit& edit) const
    {
        return ParameterListArea::Format(Value(id, edit), edit.format);
    }

    // --- names -------------------------------------------------------------------------------

    const SampleParameter* ParameterNamed(const FieldName& name) const
    {
        if (const SampleParameter* parameter = workbook.FindParameter(name))
            return parameter;
        return name.GetDataSource().empty() ? workbook.FindParameter(name.GetLocalName()) : nullptr;
    }

    FieldName NameFor(const Edit& edit) const
    {
        if (edit.existing)
            return *edit.existing;
        // A new parameter is named after its caption, unless another parameter has that name.
        const TString caption = TString(edit.caption.ToQString().trimmed());
        FieldName name(SampleWorkbook::ParametersName(), caption);
        for (int n = 2; workbook.FindParameter(name); ++n)
            name = FieldName(SampleWorkbook::ParametersName(),
                TString(caption.ToQString() + QStringLiteral(" (") + QString::number(n) + QLatin1Char(')')));
        return name;
    }

    // Why the caption cannot name the parameter, or empty.
    QString CaptionRefusal(const Edit& edit) const
    {
        const TString caption(edit.caption.ToQString().trimmed());
        if (caption.empty())
            return QStringLiteral("The parameter name cannot be empty.");
        const QString taken
            = QStringLiteral("A field or parameter named '%1' already exists.").arg(caption.ToQString());
        for (const SampleParameter& parameter : workbook.Parameters())
            if (parameter.name != edit.existing && SameCaption(parameter.caption, caption))
                return taken;
        for (const SampleDataSource& source : workbook.DataSources())
            for (const SampleField& field : source.fields)
                if (SameCaption(field.name.GetLocalName(), caption))
                    return taken;
        return {};
    }

    // --- range -------------------------------------------------------------------------------

    // The bounds a range filled from `source` takes, in the parameter's type.
    std::optional<Bounds> SourceBounds(const FieldName& source, DataType type)
    {
        if (source.IsEmpty())
            return std::nullopt;
        if (source.GetDataSource() != SampleWorkbook::ParametersName()) {
            if (const SampleField* field = workbook.FindField(source)) {
                const std::optional<SampleValueRange> range = workbook.MinMax(field->name);
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

    // The range as shown: what the user set, the rest derived from the source, else the value.
    SampleRange Effective(unsigned int id, const Edit& edit)
    {
        SampleRange range = edit.range;
        const DataValue value = Value(id, edit);
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

    RefCntPtr<ParameterRangeDomainPresModel const> RangeRecord(unsigned int id, const Edit& edit)
    {
        const SampleRange range = Effective(id, edit);
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

    void ClampValue(unsigned int id, Edit& edit)
    {
        if (edit.domain == ParameterTypes::Domain_Range)
            edit.value = Clamp(edit.value, Effective(id, edit));
    }

    // --- records -----------------------------------------------------------------------------

    RefCntPtr<ProductParameterInfoPresModel const> ParameterRecord(unsigned int id, const Edit& edit)
    {
        auto record = MakeRefCnt<ProductParameterInfoPresModel>();
        record->SetName(NameFor(edit));
        record->SetCaption(edit.caption);
        record->SetDataType(edit.type);
        record->SetDomainType(edit.domain);
        record->SetRangeDomain(RangeRecord(id, edit));
        record->SetListDomain(lists.GetListDomain(id));
        record->SetFormatString(edit.format);
        record->SetFormattedValue(FormattedValue(id, edit));
        record->SetValue(Value(id, edit));
        return record;
    }

    RefCntPtr<ParameterEditInfoPresModel const> EditRecord(unsigned int id, const Edit& edit)
    {
        std::vector<RefCntPtr<CaptionedDatasourceInfoPresModel const>> sources;
        for (const SampleDataSource& source : workbook.DataSources()) {
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
        for (const SampleParameter& parameter : workbook.Parameters())
            if (parameter.name != edit.existing && IsCompatible(parameter.dataType, edit.type))
                parameters.push_back(CaptionPair(parameter.name, parameter.caption));

        auto record = MakeRefCnt<ParameterEditInfoPresModel>();
        record->SetTitle(edit.title);
        record->SetParameterName(edit.caption);
        record->SetComment(edit.comment);
        record->SetCompatibleFields(std::move(sources));
        record->SetCompatibleParameters(std::move(parameters));
        record->SetShouldRestrictDataType(edit.restrictType);
        record->SetParameter(ParameterRecord(id, edit));
        return record;
    }

    static RefCntPtr<SimpleCommandsPresModel const> DiscardCommands(unsigned int id)
    {
        RefCntPtr<IParameters> arguments = ContextParameters::Create();
        SetValParameter<unsigned int>(*arguments, Cmds::EditId::id, id);
        auto discard = MakeRefCnt<SimpleCommandPresModel>();
        discard->SetCommandId(Cmds::DiscardParameterEdit::id);
        discard->SetArguments(RefCntPtr<IParameters const>(std::move(arguments)));
        auto commands = MakeRefCnt<SimpleCommandsPresModel>();
        commands->SetCommands({RefCntPtr<SimpleCommandPresModel const>(std::move(discard))});
        return commands;
    }

    // --- changes -----------------------------------------------------------------------------

    // A boolean's list is always True, False; aliases survive from members that meant the same.
    void MakeBooleanList(unsigned int id, Edit& edit, const std::vector<ListValue>& before)
    {
        std::vector<ListValue> options {{DataValue(true), TString()}, {DataValue(false), TString()}};
        for (const ListValue& member : before) {
            const std::optional<DataValue> meant = Convert(DT_BOOLEAN, member.value);
            if (meant && !member.alias.empty())
                options[meant->GetBool() ? 0 : 1].alias = member.alias;
        }
        lists.ReplaceValues(id, DT_BOOLEAN, options, edit.value);
        edit.domain = ParameterTypes::Domain_List;
    }

    void ChangeDataType(unsigned int id, Edit& edit, DataType type)
    {
        if (!IsEditableType(type))
            Refuse(QStringLiteral("data type %1 cannot be a parameter's").arg(type));
        if (type == edit.type)
            return;
        if (edit.restrictType)
            Refuse(QStringLiteral("the parameter is in use; its data type cannot change"));
        const DataType oldType = edit.type;
        const std::vector<ListValue> before = lists.Values(id);
        edit.value = Convert(type, Value(id, edit)).value_or(DefaultOf(type));
        edit.type = type;
        edit.format = TString();
        lists.SetFormat(id, edit.format);

        if (type == DT_BOOLEAN) {
            MakeBooleanList(id, edit, before);
        } else if (oldType == DT_BOOLEAN) {
            // True and False mean nothing as members of another type's list.
            lists.ReplaceValues(id, type, {}, edit.value);
            edit.domain = ParameterTypes::Domain_Any;
        } else {
            std::vector<ListValue> converted;
            for (const ListValue& member : before)
                if (const std::optional<DataValue> value = Convert(type, member.value))
                    converted.push_back(ListValue {*value, member.alias});
            lists.ReplaceValues(id, type, converted, edit.value);
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
                ? workbook.FindField(range.source)
                : nullptr;
            const SampleParameter* parameter = field ? nullptr : ParameterNamed(range.source);
            const DataType sourceType = field ? field->dataType : parameter ? parameter->dataType : DT_UNKNOWN;
            if (!IsCompatible(sourceType, type))
                range.source = FieldName();
        }
        if (!HasRange(type) && edit.domain == ParameterTypes::Domain_Range)
            edit.domain = ParameterTypes::Domain_Any;
        ClampValue(id, edit);
    }

    void ChangeDomain(unsigned int id, Edit& edit, int domain)
    {
        if (domain < ParameterTypes::Domain_Any || domain > ParameterTypes::Domain_Range)
            Refuse(QStringLiteral("%1 is no domain type").arg(domain));
        if (domain == edit.domain)
            return;
        if (edit.type == DT_BOOLEAN)
            Refuse(QStringLiteral("a boolean parameter allows only its list of True and False"));
        if (domain == ParameterTypes::Domain_Range && !HasRange(edit.type))
            Refuse(QStringLiteral("a string parameter cannot have a range"));
        edit.value = Value(id, edit);
        edit.domain = static_cast<DomainType>(domain);
        if (edit.domain == ParameterTypes::Domain_List) {
            // The list starts with the value, so that the value stays one of its members.
            if (lists.Values(id).empty())
                lists.AppendValues(id, {edit.value});
            else
                lists.SetCurrentValue(id, edit.value);
        }
        ClampValue(id, edit);
    }

    void SetValue(unsigned int id, Edit& edit, const DataValue& typed)
    {
        const std::optional<DataValue> value = Convert(edit.type, typed);
        if (!value) {
            Log(QStringLiteral("'%1' is no value of the parameter's type").arg(typed.ToDisplayString().ToQString()));
            return;
        }
        if (edit.domain == ParameterTypes::Domain_List) {
            if (!lists.SetCurrentValue(id, *value))
                Log(QStringLiteral("'%1' is not in the list").arg(value->ToDisplayString().ToQString()));
            return;
        }
        edit.value = *value;
        ClampValue(id, edit);
    }

    void SetRange(unsigned int id, Edit& edit, const ParameterRangeDomainPresModel& typed)
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
        ClampValue(id, edit);
    }

    bool FillFromSource(unsigned int id, Edit& edit, const FieldName& name)
    {
        const SampleField* field
            = name.GetDataSource() != SampleWorkbook::ParametersName() ? workbook.FindField(name) : nullptr;
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
            ClampValue(id, edit);
            return true;
        }

        std::vector<ListValue> values;
        auto add = [&](const DataValue& raw, const TString& alias) {
            if (const std::optional<DataValue> value = Convert(edit.type, raw))
                values.push_back(ListValue {*value, alias});
        };
        if (field) {
            for (const DataValue& value : workbook.DistinctValues(field->name)) {
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
        lists.ReplaceValues(id, edit.type, values, Value(id, edit));
        return true;
    }

    std::optional<std::size_t> Paste(unsigned int id, const Edit& edit, const TString& text)
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
        const std::size_t taken = lists.AppendValues(id, values);
        if (taken == 0)
            return std::nullopt;
        return taken;
    }

    QString Commit(unsigned int id, Edit& edit, FieldName& committed)
    {
        if (QString refusal = CaptionRefusal(edit); !refusal.isEmpty())
            return refusal;
        if (edit.domain == ParameterTypes::Domain_List && lists.Values(id).empty())
            return QStringLiteral("The list of allowable values is empty.");

        SampleParameter parameter;
        parameter.name = NameFor(edit);
        parameter.caption = TString(edit.caption.ToQString().trimmed());
        parameter.dataType = edit.type;
        parameter.value = Value(id, edit);
        parameter.comment = edit.comment;
        parameter.format = edit.format;
        parameter.domainType = edit.domain;
        if (edit.domain == ParameterTypes::Domain_List)
            parameter.listValues = lists.Values(id);
        if (HasRange(edit.type))
            parameter.range = Effective(id, edit);

        // Named before it joins the workbook, where its own name would count as taken.
        committed = parameter.name;
        std::vector<SampleParameter>& stored = workbook.Parameters();
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

    void Close(unsigned int id)
    {
        // A list the list area opened for someone else is not ours to close.
        if (edits.erase(id) != 0)
            lists.CloseEdit(id);
    }

    OpenedEdit Open(Edit edit, const std::vector<ListValue>& listValues)
    {
        const unsigned int id = lists.OpenListEdit(edit.type, {}, 0);
        lists.SetFormat(id, edit.format);
        if (edit.type == DT_BOOLEAN)
            MakeBooleanList(id, edit, listValues);
        else
            lists.ReplaceValues(id, edit.type, listValues, edit.value);
        const Edit& opened = edits[id] = std::move(edit);
        return OpenedEdit {id, EditRecord(id, opened), DiscardCommands(id)};
    }
};

ParameterEditArea::ParameterEditArea(SimHost& host, SampleWorkbook& workbook, ParameterListArea& lists)
    : m_impl(std::make_shared<Impl>(workbook, lists))
{
    const std::weak_ptr<Impl> weak = m_impl;
    auto lock = [weak] {
        std::shared_ptr<Impl> impl = weak.lock();
        if (!impl)
            Refuse(QStringLiteral("the parameter edit area is gone"));
        return impl;
    };

    host.Handle<Cmds::SetParameterDisplayInfo>([lock](const SimArguments<Cmds::SetParameterDisplayInfo>& args) {
        const std::shared_ptr<Impl> impl = lock();
        Impl::Edit& edit = impl->Find(args.Get<Cmds::EditId>());
        edit.caption = args.Get<Cmds::Caption>();
        edit.comment = args.Get<Cmds::Comment>();
    });
    host.Handle<Cmds::SetParameterDataType>(
        [lock](const SimArguments<Cmds::SetParameterDataType>& args, SimResults<Cmds::SetParameterDataType>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            impl->ChangeDataType(id, edit, args.Get<Cmds::NewDataType>());
            out.Set<Cmds::EditInfo>(impl->EditRecord(id, edit));
        });
    host.Handle<Cmds::SetParameterDomainType>(
        [lock](const SimArguments<Cmds::SetParameterDomainType>& args, SimResults<Cmds::SetParameterDomainType>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            impl->ChangeDomain(id, edit, args.Get<Cmds::NewDomainType>());
            out.Set<Cmds::EditInfo>(impl->EditRecord(id, edit));
        });
    host.Handle<Cmds::SetParameterValue>(
        [lock](const SimArguments<Cmds::SetParameterValue>& args, SimResults<Cmds::SetParameterValue>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            impl->SetValue(id, edit, args.Get<Cmds::NewValue>());
            out.Set<Cmds::AcceptedValue>(impl->Value(id, edit));
            out.Set<Cmds::FormattedValue>(impl->FormattedValue(id, edit));
        });
    host.Handle<Cmds::SetParameterFormat>(
        [lock](const SimArguments<Cmds::SetParameterFormat>& args, SimResults<Cmds::SetParameterFormat>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            const TString& format = args.Get<Cmds::FormatString>();
            if (ValueFormat::IsValidFormat(edit.type, format)) {
                edit.format = format;
            } else {
                Log(QStringLiteral("'%1' is no format of the parameter's type").arg(format.ToQString()));
                edit.format = TString();
            }
            impl->lists.SetFormat(id, edit.format);
            out.Set<Cmds::FormattedValue>(impl->FormattedValue(id, edit));
            if (edit.domain == ParameterTypes::Domain_List)
                out.Set<Cmds::ListDomain>(impl->lists.GetListDomain(id));
        });
    host.Handle<Cmds::CommitParameter>(
        [lock](const SimArguments<Cmds::CommitParameter>& args, SimResults<Cmds::CommitParameter>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            FieldName committed;
            const QString refusal = impl->Commit(id, impl->Find(id), committed);
            if (refusal.isEmpty())
                out.Set<Cmds::FieldNameParam>(committed);
            else
                out.Set<Cmds::RefusalMessage>(TString(refusal));
        });
    host.Handle<Cmds::SetParameterRangeDomain>([lock](const SimArguments<Cmds::SetParameterRangeDomain>& args,
                                                   SimResults<Cmds::SetParameterRangeDomain>& out) {
        const std::shared_ptr<Impl> impl = lock();
        const unsigned int id = args.Get<Cmds::EditId>();
        Impl::Edit& edit = impl->Find(id);
        const auto& range = args.Get<Cmds::RangeDomain>();
        if (!range)
            Refuse(QStringLiteral("the range holds no record"));
        impl->SetRange(id, edit, *range);
        out.Set<Cmds::ParameterInfo>(impl->ParameterRecord(id, edit));
    });
    host.Handle<Cmds::ClearListDomain>(
        [lock](const SimArguments<Cmds::ClearListDomain>& args, SimResults<Cmds::ClearListDomain>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            if (edit.type == DT_BOOLEAN)
                Refuse(QStringLiteral("a boolean parameter keeps its True and False"));
            edit.value = impl->Value(id, edit);
            impl->lists.ReplaceValues(id, edit.type, {}, edit.value);
            out.Set<Cmds::ListDomain>(impl->lists.GetListDomain(id));
            out.Set<Cmds::FormattedValue>(impl->FormattedValue(id, edit));
        });
    host.Handle<Cmds::PasteListMembers>(
        [lock](const SimArguments<Cmds::PasteListMembers>& args, SimResults<Cmds::PasteListMembers>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            if (impl->Paste(id, impl->Find(id), args.Get<Cmds::ClipboardText>()))
                out.Set<Cmds::ListDomain>(impl->lists.GetListDomain(id));
            else
                Log(QStringLiteral("nothing pasted could join the list"));
        });
    host.Handle<Cmds::SetDomainFromField>(
        [lock](const SimArguments<Cmds::SetDomainFromField>& args, SimResults<Cmds::SetDomainFromField>& out) {
            const std::shared_ptr<Impl> impl = lock();
            const unsigned int id = args.Get<Cmds::EditId>();
            Impl::Edit& edit = impl->Find(id);
            if (impl->FillFromSource(id, edit, args.Get<Cmds::FieldNameParam>()))
                out.Set<Cmds::ParameterInfo>(impl->ParameterRecord(id, edit));
        });
    host.Handle<Cmds::DiscardParameterEdit>([lock](const SimArguments<Cmds::DiscardParameterEdit>& args) {
        const std::shared_ptr<Impl> impl = lock();
        // Sent by every clean-up, also after a commit closed the edit.
        impl->Close(args.Get<Cmds::EditId>());
    });
}

ParameterEditArea::~ParameterEditArea() = default;

ParameterEditArea::OpenedEdit ParameterEditArea::OpenNewParameterEdit()
{
    Impl::Edit edit;
    int number = 1;
    const auto taken = [this](int n) {
        return m_impl->workbook.FindParameter(TString(QStringLiteral("Parameter ") + QString::number(n))) != nullptr;
    };
    while (taken(number))
        ++number;
    edit.title = TString(QStringLiteral("Create Parameter"));
    edit.caption = TString(QStringLiteral("Parameter ") + QString::number(number));
    edit.type = DT_REAL;
    edit.value = DataValue(1.0);
    return m_impl->Open(std::move(edit), {});
}

ParameterEditArea::OpenedEdit ParameterEditArea::OpenParameterEdit(const FieldName& existing)
{
    const SampleParameter* parameter = m_impl->workbook.FindParameter(existing);
    if (!parameter)
        throw std::invalid_argument("no parameter is named " + existing.GetGlobalName().ToQString().toStdString());
    Impl::Edit edit;
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
    return m_impl->Open(std::move(edit), parameter->listValues);
}

bool ParameterEditArea::HasEdit(unsigned int editId) const
{
    return m_impl->edits.count(editId) != 0;
}

RefCntPtr<ParameterEditInfoPresModel const> ParameterEditArea::GetEditInfo(unsigned int editId) const
{
    return m_impl->EditRecord(editId, m_impl->edits.at(editId));
}

RefCntPtr<ProductParameterInfoPresModel const> ParameterEditArea::GetParameterInfo(unsigned int editId) const
{
    return m_impl->ParameterRecord(editId, m_impl->edits.at(editId));
}

std::size_t ParameterEditArea::OpenEditCount() const
{
    return m_impl->edits.size();
}

const SampleParameter* ParameterEditArea::FindParameter(const TString& caption) const
{
    return m_impl->workbook.FindParameter(caption);
}

} // namespace Zel::Sim
