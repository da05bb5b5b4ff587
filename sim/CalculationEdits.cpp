#include "sim/CalculationEdits.h"

#include "sim/OrdersCube.h"
#include "sim/OrdersMdxCube.h"
#include "sim/SimAreaBinding.h"
#include "sim/mdx/MdxFormulaChecker.h"

#include "host/commands/CalculatedMembersCommands.h"

namespace Zel::Sim {

namespace {

namespace Cmds = Commands::CalculatedMembers;

QString Bracketed(const QString& name)
{
    return QLatin1Char('[') + QString(name).replace(QStringLiteral("]"), QStringLiteral("]]")) + QLatin1Char(']');
}

bool SameName(const TString& a, const TString& b)
{
    return a.ToQString().compare(b.ToQString(), Qt::CaseInsensitive) == 0;
}

// What keeps a name from standing between brackets in a formula, or empty.
QString CharacterProblem(const TString& name)
{
    const QString text = name.ToQString();
    if (text.trimmed().isEmpty())
        return QStringLiteral("The name cannot be empty.");
    for (const QChar c : text) {
        if (c == QLatin1Char(']'))
            return QStringLiteral("The name cannot hold ']': in a formula it would end the name between brackets.");
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("The name cannot hold a line break, a tab or another control character.");
    }
    return QString();
}

QString MeasuresPath(const TString& name)
{
    return QStringLiteral("[Measures].") + Bracketed(name.ToQString());
}

} // namespace

QString SimCalculation::UniqueName() const
{
    if (isMeasure)
        return MeasuresPath(name);
    const QString head = parent.empty() ? Bracketed(hierarchy.ToQString()) : parent.ToQString();
    return head + QLatin1Char('.') + Bracketed(name.ToQString());
}

CalculationEdits::CalculationEdits(OrdersCube& cube)
    : m_cube(cube)
{
}

CalculationEdits::~CalculationEdits() = default;

CalculationEdits::Opened CalculationEdits::Open(
    const TString& dataSource, bool scopeIsolation, const std::optional<FieldName>& field)
{
    if (!dataSource.empty() && !SameName(dataSource, OrdersCube::DataSourceName()))
        Refuse(QStringLiteral("there is no cube data source ") + dataSource.ToQString());
    Edit edit;
    edit.id = m_nextId++;
    edit.calculations = m_applied;
    edit.scopeIsolation = scopeIsolation;

    auto model = MakeRefCnt<CalculatedMembersForEditingPresModel>();
    model->SetDataSourceName(OrdersCube::DataSourceName());
    std::vector<RefCntPtr<CalculatedMemberHierarchyItemPresModel const>> hierarchies;
    for (const CubeHierarchyInfo& info : m_cube.Hierarchies()) {
        if (info.isMeasures) {
            model->SetMeasuresDimensionName(info.name);
            continue;
        }
        auto item = MakeRefCnt<CalculatedMemberHierarchyItemPresModel>();
        item->SetName(FieldName(TString(), info.name));
        item->SetCaption(info.name);
        item->SetLevels(static_cast<unsigned int>(info.levels.size()));
        hierarchies.push_back(std::move(item));
    }
    model->SetHierarchys(std::move(hierarchies));
    std::vector<RefCntPtr<CalculatedMemberPresModel const>> records;
    for (const SimCalculation& calculation : edit.calculations)
        records.push_back(Record(calculation));
    model->SetCalculatedMembers(std::move(records));
    model->SetHasNonRootCalculationsCapability(true);
    model->SetHasStringMeasuresCapability(true);
    model->SetUseScopeIsolation(scopeIsolation);
    if (field) {
        const int h = m_cube.FindHierarchy(field->GetLocalName());
        if (h >= 0 && !m_cube.Hierarchies()[static_cast<std::size_t>(h)].isMeasures)
            model->SetInitialHierarchyName(
                FieldName(TString(), m_cube.Hierarchies()[static_cast<std::size_t>(h)].name));
        else
            model->SetInitialFieldName(FieldName::ParseUnquoted(field->GetLocalName()));
    }
    model->SetSolveOrderLowerBound(kLowestSolveOrder);
    model->SetSolveOrderUpperBound(kHighestSolveOrder);

    Opened opened;
    opened.id = edit.id;
    opened.model = std::move(model);
    opened.cleanup = OneCommandCleanup<Cmds::DiscardCalculatedMembersEdit, Cmds::EditId>(edit.id);
    m_edits.emplace(edit.id, std::move(edit));
    return opened;
}

void CalculationEdits::Close(unsigned int editId)
{
    m_edits.erase(editId);
}

CalculationEdits::Edit* CalculationEdits::Find(unsigned int editId)
{
    const auto it = m_edits.find(editId);
    return it == m_edits.end() ? nullptr : &it->second;
}

const CalculationEdits::Edit* CalculationEdits::Find(unsigned int editId) const
{
    const auto it = m_edits.find(editId);
    return it == m_edits.end() ? nullptr : &it->second;
}

std::size_t CalculationEdits::Count() const
{
    return m_edits.size();
}

TString CalculationEdits::NewMeasureName(const Edit& edit) const
{
    for (int n = 1;; ++n) {
        const TString name(QStringLiteral("Calculated Measure %1").arg(n));
        if (MeasureNameProblem(edit, name).isEmpty())
            return name;
    }
}

TString CalculationEdits::NewMemberName(const Edit& edit, const FieldName& hierarchy) const
{
    const int h = Hierarchy(hierarchy);
    if (h < 0)
        Refuse(OrdersCube::DataSourceName().ToQString() + QStringLiteral(" has no hierarchy ")
            + hierarchy.GetLocalName().ToQString());
    const TString& spelled = m_cube.Hierarchies()[static_cast<std::size_t>(h)].name;
    for (int n = 1;; ++n) {
        const TString name(QStringLiteral("Calculated Member %1").arg(n));
        bool taken = false;
        for (const SimCalculation& calculation : edit.calculations)
            taken = taken
                || (!calculation.isMeasure && SameName(calculation.hierarchy, spelled)
                    && SameName(calculation.name, name));
        if (!taken)
            return name;
    }
}

QString CalculationEdits::MeasureNameProblem(const Edit& edit, const TString& name) const
{
    const QString problem = CharacterProblem(name);
    if (!problem.isEmpty())
        return problem;
    for (const TString& measure : OrdersCube::StoredMeasures()) {
        if (SameName(measure, name))
            return QStringLiteral("%1 is a measure of the cube already.").arg(MeasuresPath(measure));
    }
    for (const SimCalculation& calculation : edit.calculations) {
        if (calculation.isMeasure && SameName(calculation.name, name))
            return QStringLiteral("The calculated measure %1 has this name already.").arg(calculation.UniqueName());
    }
    return QString();
}

QString CalculationEdits::MemberNameProblem(
    const Edit& edit, const FieldName& hierarchy, const TString& parent, const TString& name)
{
    const QString problem = CharacterProblem(name);
    if (!problem.isEmpty())
        return problem;
    const int h = Hierarchy(hierarchy);
    if (h < 0)
        return QStringLiteral("%1 has no hierarchy %2.")
            .arg(OrdersCube::DataSourceName().ToQString(), Bracketed(hierarchy.GetLocalName().ToQString()));
    const CubeHierarchyInfo& info = m_cube.Hierarchies()[static_cast<std::size_t>(h)];

    std::optional<CubeMember> under = parent.empty() ? m_cube.AllMember(h) : m_cube.Resolve(parent);
    if (!parent.empty() && (!under || under->id <= 0 || under->hierarchy != h))
        return QStringLiteral("%1 has no member %2.").arg(Bracketed(info.name.ToQString()), parent.ToQString());
    const std::optional<CubeMember> stored = m_cube.FindChild(h, under ? &*under : nullptr, name, false);
    if (stored && stored->id > 0)
        return QStringLiteral("%1 has a member named %2 already.")
            .arg(under ? under->uniqueName.ToQString() : Bracketed(info.name.ToQString()),
                Bracketed(stored->name.ToQString()));

    const TString parentName = under && !under->isAllMember ? under->uniqueName : TString();
    for (const SimCalculation& calculation : edit.calculations) {
        if (!calculation.isMeasure && SameName(calculation.hierarchy, info.name)
            && SameName(calculation.parent, parentName) && SameName(calculation.name, name))
            return QStringLiteral("The calculated member %1 has this name already.").arg(calculation.UniqueName());
    }
    return QString();
}

RefCntPtr<CalculatedMemberPresModel const> CalculationEdits::Create(
    Edit& edit, const RefCntPtr<CalculatedMemberPresModel const>& record)
{
    edit.calculations.push_back(FromRecord(record));
    return Record(edit.calculations.back());
}

RefCntPtr<CalculatedMemberPresModel const> CalculationEdits::Update(Edit& edit, const std::optional<FieldName>& measure,
    const std::optional<DataValue>& member, const RefCntPtr<CalculatedMemberPresModel const>& record)
{
    if (!record)
        Refuse(QStringLiteral("the calculation is an empty record"));
    int index = -1;
    if (measure || member)
        index = FindCalculation(edit, measure, member);
    else if (record->GetIsMeasure())
        index = FindCalculation(edit, record->GetMeasure(), std::nullopt);
    else
        index = FindCalculation(edit, std::nullopt, record->GetMember());
    if (index < 0)
        Refuse(QStringLiteral("the edit has no such calculation"));
    SimCalculation& calculation = edit.calculations[static_cast<std::size_t>(index)];
    calculation = FromRecord(record);
    return Record(calculation);
}

void CalculationEdits::Delete(
    Edit& edit, const std::optional<FieldName>& measure, const std::optional<DataValue>& member)
{
    const int index = FindCalculation(edit, measure, member);
    if (index < 0)
        Refuse(QStringLiteral("the edit has no such calculation"));
    edit.calculations.erase(edit.calculations.begin() + index);
}

void CalculationEdits::Move(Edit& edit, const std::optional<unsigned int>& up, const std::optional<unsigned int>& down)
{
    if (up.has_value() == down.has_value())
        Refuse(QStringLiteral("a move goes either up or down"));
    const std::size_t count = edit.calculations.size();
    const std::size_t row = up ? *up : *down;
    if (up ? (row == 0 || row >= count) : (row + 1 >= count))
        Refuse(QStringLiteral("the calculation at row %1 of %2 cannot move %3")
                   .arg(row)
                   .arg(count)
                   .arg(up ? QStringLiteral("up") : QStringLiteral("down")));
    std::swap(edit.calculations[row], edit.calculations[up ? row - 1 : row + 1]);
}

void CalculationEdits::Apply(const Edit& edit)
{
    m_applied = edit.calculations;
}

QString CalculationEdits::CheckFormula(const Edit& edit, const std::optional<FieldName>& measure,
    const std::optional<DataValue>& member, int solveOrder, const TString& formula)
{
    if (solveOrder < kLowestSolveOrder || solveOrder > kHighestSolveOrder)
        return QStringLiteral("The solve order must be between %1 and %2.")
            .arg(kLowestSolveOrder)
            .arg(kHighestSolveOrder);
    // A disabled calculation is not in the cube: the others cannot use it.
    const int self = measure || member ? FindCalculation(edit, measure, member) : -1;
    std::vector<MdxCalculation> calculations;
    int checked = -1;
    for (std::size_t i = 0; i < edit.calculations.size(); ++i) {
        const SimCalculation& calculation = edit.calculations[i];
        if (static_cast<int>(i) == self)
            checked = static_cast<int>(calculations.size());
        else if (!calculation.enabled)
            continue;
        calculations.push_back(MdxCalculation {calculation.name.ToQString(),
            calculation.isMeasure ? QString() : calculation.hierarchy.ToQString(), calculation.parent.ToQString(),
            calculation.formula.ToQString()});
    }
    const OrdersMdxCube names(m_cube);
    MdxFormulaChecker checker(names, std::move(calculations));
    return checker.Check(formula.ToQString(), checked).Text();
}

std::vector<ICubeExtension::Member> CalculationEdits::ExtraMembers(const TString& hierarchy) const
{
    std::vector<Member> members;
    for (const SimCalculation& calculation : m_applied) {
        if (calculation.enabled && !calculation.isMeasure && SameName(calculation.hierarchy, hierarchy))
            members.push_back(Member {calculation.parent, calculation.name});
    }
    return members;
}

std::vector<TString> CalculationEdits::ExtraMeasures() const
{
    std::vector<TString> measures;
    for (const SimCalculation& calculation : m_applied) {
        if (calculation.enabled && calculation.isMeasure)
            measures.push_back(calculation.name);
    }
    return measures;
}

RefCntPtr<CalculatedMemberPresModel const> CalculationEdits::Record(const SimCalculation& calculation) const
{
    auto record = MakeRefCnt<CalculatedMemberPresModel>();
    record->SetName(calculation.name);
    record->SetFormula(calculation.formula);
    record->SetIsEnabled(calculation.enabled);
    record->SetSolveOrder(calculation.solveOrder);
    record->SetScopeIsolation(calculation.scopeIsolation);
    record->SetIsMeasure(calculation.isMeasure);
    if (calculation.isMeasure) {
        record->SetMeasure(FieldName::ParseUnquoted(calculation.name));
        record->SetMeasureDataType(calculation.measureType);
    } else {
        record->SetMeasureDataType(DT_TUPLE);
        record->SetMember(DataValue(TString(calculation.UniqueName())));
        record->SetMemberParentName(calculation.parent);
        record->SetMemberHierarchyName(FieldName(TString(), calculation.hierarchy));
        record->SetMemberHierarchyLevel(calculation.level);
    }
    return record;
}

SimCalculation CalculationEdits::FromRecord(const RefCntPtr<CalculatedMemberPresModel const>& record)
{
    if (!record)
        Refuse(QStringLiteral("the calculation is an empty record"));
    const QString problem = CharacterProblem(record->GetName());
    if (!problem.isEmpty())
        Refuse(problem);
    SimCalculation calculation;
    calculation.name = record->GetName();
    calculation.formula = record->GetFormula();
    calculation.enabled = record->GetIsEnabled();
    calculation.solveOrder = record->GetSolveOrder();
    calculation.scopeIsolation = record->GetScopeIsolation();
    calculation.isMeasure = record->GetIsMeasure();
    if (calculation.isMeasure) {
        calculation.measureType = record->GetMeasureDataType();
        return calculation;
    }

    const int h = Hierarchy(record->GetMemberHierarchyName());
    if (h < 0)
        Refuse(OrdersCube::DataSourceName().ToQString() + QStringLiteral(" has no hierarchy ")
            + record->GetMemberHierarchyName().GetLocalName().ToQString());
    const CubeHierarchyInfo& info = m_cube.Hierarchies()[static_cast<std::size_t>(h)];
    calculation.hierarchy = info.name;
    calculation.level = info.hasAllMember ? 1 : 0;
    const TString& parentName = record->GetMemberParentName();
    if (parentName.empty())
        return calculation;
    const std::optional<CubeMember> parent = m_cube.Resolve(parentName);
    if (!parent || parent->id <= 0 || parent->hierarchy != h)
        Refuse(Bracketed(info.name.ToQString()) + QStringLiteral(" has no member ") + parentName.ToQString());
    if (parent->isAllMember)
        return calculation;
    if (parent->level + 1 >= static_cast<int>(info.levels.size()))
        Refuse(
            parent->uniqueName.ToQString() + QStringLiteral(" is on the last level: it can have no member below it"));
    calculation.parent = parent->uniqueName;
    calculation.level = parent->level + 1;
    return calculation;
}

int CalculationEdits::FindCalculation(
    const Edit& edit, const std::optional<FieldName>& measure, const std::optional<DataValue>& member) const
{
    if (member && (member->IsSpecial() || member->GetDataType() != DT_STRING))
        return -1;
    for (std::size_t i = 0; i < edit.calculations.size(); ++i) {
        const SimCalculation& calculation = edit.calculations[i];
        const bool found = calculation.isMeasure
            ? measure && SameName(calculation.name, measure->GetLocalName())
            : member && SameName(TString(calculation.UniqueName()), member->GetString());
        if (found)
            return static_cast<int>(i);
    }
    return -1;
}

int CalculationEdits::Hierarchy(const FieldName& name) const
{
    if (!name.GetDataSource().empty() && !SameName(name.GetDataSource(), OrdersCube::DataSourceName()))
        return -1;
    const int h = m_cube.FindHierarchy(name.GetLocalName());
    return h >= 0 && !m_cube.Hierarchies()[static_cast<std::size_t>(h)].isMeasures ? h : -1;
}

} // namespace Zel::Sim
