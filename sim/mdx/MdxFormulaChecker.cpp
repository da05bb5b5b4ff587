#include "sim/mdx/MdxFormulaChecker.h"

#include "sim/mdx/MdxNameResolver.h"
#include "sim/mdx/MdxParser.h"

#include "host/doc/Exceptions.h"

#include <algorithm>

namespace Zel::Sim {

namespace {
constexpr const char* SourcePath = "sim/mdx/MdxFormulaChecker";

constexpr int MeasuresHierarchy = 0;
// Member ids of the checker's own; the cube's are not negative.
constexpr qint64 AllMemberId = -1; // also the parent of calculations at the top of a hierarchy
constexpr qint64 MeasureId = -2;
constexpr qint64 FirstCalculationId = -1000;

QString Bracketed(const QString& name)
{
    QString escaped = name;
    escaped.replace(QStringLiteral("]"), QStringLiteral("]]"));
    return QLatin1Char('[') + escaped + QLatin1Char(']');
}

QString Fold(QStringView name)
{
    return name.toString().toCaseFolded();
}

bool SameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString MeasureKey(QStringView name)
{
    return QStringLiteral("m\x1f") + Fold(name);
}

QString ChildKey(int hierarchy, qint64 parent, QStringView name)
{
    return QStringLiteral("c\x1f%1\x1f%2\x1f").arg(hierarchy).arg(parent) + Fold(name);
}

QString LevelKey(int hierarchy, int level, QStringView name)
{
    return QStringLiteral("l\x1f%1\x1f%2\x1f").arg(hierarchy).arg(level) + Fold(name);
}
} // namespace

QString MdxCheckResult::Text() const
{
    if (valid)
        return QString();
    return QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(message);
}

// Resolves name paths for the checker. It works in one of three ways: placing the calculations'
// parents (the cube's members only), collecting which calculations another calculation's formula
// names, or checking a formula, where naming a calculation that leads back to the one checked is
// refused.
class MdxFormulaChecker::Resolver : public IMdxNameResolver
{
public:
    enum class Mode
    {
        Place,
        Collect,
        Check,
    };

    Resolver(MdxFormulaChecker& checker, Mode mode)
        : m_checker(checker)
        , m_mode(mode)
    {
    }

    std::vector<int> collected;

    bool ResolveFirst(const MdxSegment& segment, MdxNamed& named, QString& error) override
    {
        if (!segment.isKey) {
            if (SameName(segment.name, m_checker.m_measuresName)) {
                named.kind = MdxNamed::Kind::Hierarchy;
                named.hierarchy = MeasuresHierarchy;
                named.path = Bracketed(m_checker.m_measuresName);
                return true;
            }
            const int hierarchy = m_checker.FindHierarchy(segment.name);
            if (hierarchy >= 0) {
                named.kind = MdxNamed::Kind::Hierarchy;
                named.hierarchy = hierarchy;
                named.path = Bracketed(m_checker.m_hierarchies[static_cast<std::size_t>(hierarchy)].name);
                return true;
            }
            QString measure;
            if (m_checker.m_cube.FindMeasure(segment.name, measure)
                || m_checker.FindCalculation(MeasureKey(segment.name)) >= 0) {
                error = QStringLiteral("'%1' is not a dimension or hierarchy of the cube; a measure is written %2.%1")
                            .arg(segment.written, Bracketed(m_checker.m_measuresName));
                return false;
            }
        }
        error = QStringLiteral("'%1' is not a dimension or hierarchy of the cube").arg(segment.written);
        return false;
    }

    bool ResolveNext(const MdxNamed& parent, const MdxSegment& segment, MdxNamed& named, QString& error) override
    {
        switch (parent.kind) {
        case MdxNamed::Kind::Hierarchy:
            return parent.hierarchy == MeasuresHierarchy ? ResolveMeasure(segment, named, error)
                                                         : ResolveUnderHierarchy(parent, segment, named, error);
        case MdxNamed::Kind::Level:
            return ResolveOnLevel(parent, segment, named, error);
        case MdxNamed::Kind::Member:
            return ResolveChild(parent, segment, named, error);
        case MdxNamed::Kind::None:
            break;
        }
        error = QStringLiteral("'%1' does not follow a name").arg(segment.written);
        return false;
    }

    QString HierarchyName(int hierarchy) const override
    {
        if (hierarchy < 0 || hierarchy >= static_cast<int>(m_checker.m_hierarchies.size()))
            return QString();
        return Bracketed(m_checker.m_hierarchies[static_cast<std::size_t>(hierarchy)].name);
    }

private:
    const MdxHierarchy& Hierarchy(int index) const { return m_checker.m_hierarchies[static_cast<std::size_t>(index)]; }

    void SetMember(MdxNamed& named, int hierarchy, const MdxMember& member, const QString& parentPath)
    {
        named.kind = MdxNamed::Kind::Member;
        named.hierarchy = hierarchy;
        named.level = member.level;
        named.member = member.id;
        named.calculation = -1;
        named.path = parentPath + QLatin1Char('.') + Bracketed(member.name);
    }

    // A calculation found by name: refused in a check when it is the one checked or leads back
    // to it.
    bool SetCalculation(MdxNamed& named, int calculation, const QString& parentPath, QString& error)
    {
        const Place& place = m_checker.m_places[static_cast<std::size_t>(calculation)];
        named.kind = MdxNamed::Kind::Member;
        named.hierarchy = place.hierarchy;
        named.level = place.level;
        named.member = FirstCalculationId - calculation;
        named.calculation = calculation;
        named.path = parentPath + QLatin1Char('.')
            + Bracketed(m_checker.m_calculations[static_cast<std::size_t>(calculation)].name);
        if (m_mode == Mode::Collect) {
            collected.push_back(calculation);
            return true;
        }
        if (m_mode != Mode::Check)
            return true;
        if (calculation == m_checker.m_self) {
            error = QStringLiteral("%1 is the calculation being defined: a calculation cannot refer to itself")
                        .arg(named.path);
            return false;
        }
        std::vector<int> path;
        if (m_checker.FindPathToSelf(calculation, path)) {
            QStringList steps;
            for (int step : path)
                steps << m_checker.CalculationPath(step);
            error = QStringLiteral("%1 refers back to this calculation: %2")
                        .arg(named.path, steps.join(QStringLiteral(" -> ")));
            return false;
        }
        return true;
    }

    int Calculation(const QString& key) const { return m_mode == Mode::Place ? -1 : m_checker.FindCalculation(key); }

    // What the cube did not have may be a calculation filed under `key` (by name, never by key);
    // else the refusal, with %1 the parent's path and %2 the segment as written.
    bool CalculationOrRefusal(const QString& key, const QString& parentPath, const MdxSegment& segment, MdxNamed& named,
        QString& error, const QString& keyRefusal, const QString& nameRefusal)
    {
        const int calculation = segment.isKey || key.isEmpty() ? -1 : Calculation(key);
        if (calculation >= 0)
            return SetCalculation(named, calculation, parentPath, error);
        error = (segment.isKey ? keyRefusal : nameRefusal).arg(parentPath, segment.written);
        return false;
    }

    bool ResolveMeasure(const MdxSegment& segment, MdxNamed& named, QString& error)
    {
        const QString measures = Bracketed(m_checker.m_measuresName);
        if (segment.isKey) {
            error = QStringLiteral("'%1' cannot name a measure: measures have names, not keys").arg(segment.written);
            return false;
        }
        QString canonical;
        if (m_checker.m_cube.FindMeasure(segment.name, canonical)) {
            SetMember(named, MeasuresHierarchy, MdxMember {MeasureId, 0, canonical}, measures);
            return true;
        }
        const int calculation = Calculation(MeasureKey(segment.name));
        if (calculation >= 0)
            return SetCalculation(named, calculation, measures, error);
        error = QStringLiteral("'%1' is not a measure of the cube").arg(segment.written);
        return false;
    }

    bool ResolveUnderHierarchy(const MdxNamed& parent, const MdxSegment& segment, MdxNamed& named, QString& error)
    {
        const MdxHierarchy& hierarchy = Hierarchy(parent.hierarchy);
        const MdxMatch match = segment.isKey ? MdxMatch::Key : MdxMatch::Name;
        if (!segment.isKey) {
            for (int level = 0; level < hierarchy.levels.size(); ++level) {
                if (SameName(hierarchy.levels[level], segment.name)) {
                    named.kind = MdxNamed::Kind::Level;
                    named.hierarchy = parent.hierarchy;
                    named.level = level;
                    named.path = parent.path + QLatin1Char('.') + Bracketed(hierarchy.levels[level]);
                    return true;
                }
            }
            if (hierarchy.hasAll && SameName(hierarchy.allMemberName, segment.name)) {
                SetMember(named, parent.hierarchy, MdxMember {AllMemberId, 0, hierarchy.allMemberName}, parent.path);
                return true;
            }
        }
        const int top = hierarchy.hasAll ? 1 : 0;
        MdxMember member;
        if (top < hierarchy.levels.size() && m_checker.m_cube.FindMember(hierarchy, top, segment.name, match, member)) {
            SetMember(named, parent.hierarchy, member, parent.path);
            return true;
        }
        return CalculationOrRefusal(ChildKey(parent.hierarchy, AllMemberId, segment.name), parent.path, segment, named,
            error, QStringLiteral("no member on the top level of %1 has the key '%2'"),
            QStringLiteral("'%2' is not a level or member of %1"));
    }

    bool ResolveOnLevel(const MdxNamed& parent, const MdxSegment& segment, MdxNamed& named, QString& error)
    {
        const MdxHierarchy& hierarchy = Hierarchy(parent.hierarchy);
        const QString hierarchyPath = Bracketed(hierarchy.name);
        const MdxMatch match = segment.isKey ? MdxMatch::Key : MdxMatch::Name;
        if (hierarchy.hasAll && parent.level == 0) {
            if (!segment.isKey && SameName(hierarchy.allMemberName, segment.name)) {
                SetMember(named, parent.hierarchy, MdxMember {AllMemberId, 0, hierarchy.allMemberName}, hierarchyPath);
                return true;
            }
        } else {
            MdxMember member;
            if (m_checker.m_cube.FindMember(hierarchy, parent.level, segment.name, match, member)) {
                SetMember(named, parent.hierarchy, member, parent.path);
                return true;
            }
        }
        // No calculation lives on the All level.
        const bool allLevel = hierarchy.hasAll && parent.level == 0;
        return CalculationOrRefusal(allLevel ? QString() : LevelKey(parent.hierarchy, parent.level, segment.name),
            parent.path, segment, named, error, QStringLiteral("no member of %1 has the key '%2'"),
            QStringLiteral("'%2' is not a member of %1"));
    }

    bool ResolveChild(const MdxNamed& parent, const MdxSegment& segment, MdxNamed& named, QString& error)
    {
        if (parent.hierarchy == MeasuresHierarchy || parent.calculation >= 0) {
            error = QStringLiteral("'%1' cannot follow %2, which has no children").arg(segment.written, parent.path);
            return false;
        }
        const MdxHierarchy& hierarchy = Hierarchy(parent.hierarchy);
        const MdxMatch match = segment.isKey ? MdxMatch::Key : MdxMatch::Name;
        MdxMember child;
        bool found = false;
        if (parent.member == AllMemberId)
            found
                = hierarchy.levels.size() > 1 && m_checker.m_cube.FindMember(hierarchy, 1, segment.name, match, child);
        else if (parent.level + 1 < hierarchy.levels.size())
            found = m_checker.m_cube.FindChild(
                hierarchy, MdxMember {parent.member, parent.level, QString()}, segment.name, match, child);
        if (found) {
            SetMember(named, parent.hierarchy, child, parent.path);
            return true;
        }
        return CalculationOrRefusal(ChildKey(parent.hierarchy, parent.member, segment.name), parent.path, segment,
            named, error, QStringLiteral("%1 has no child with the key '%2'"),
            QStringLiteral("'%2' is not a child of %1"));
    }

    MdxFormulaChecker& m_checker;
    Mode m_mode;
};

MdxFormulaChecker::MdxFormulaChecker(
    const IMdxCube& cube, std::vector<MdxCalculation> calculations, QString measuresName)
    : m_cube(cube)
    , m_calculations(std::move(calculations))
    , m_measuresName(std::move(measuresName))
{
    MdxHierarchy measures;
    measures.name = m_measuresName;
    m_hierarchies.push_back(measures);
    m_places.resize(m_calculations.size());
    m_references.resize(m_calculations.size());
    m_noPathToSelf.resize(m_calculations.size());
    PlaceCalculations();
}

MdxFormulaChecker::~MdxFormulaChecker() = default;

int MdxFormulaChecker::FindHierarchy(QStringView name)
{
    const QString key = Fold(name);
    const auto it = m_hierarchyByName.constFind(key);
    if (it != m_hierarchyByName.constEnd())
        return it.value();
    MdxHierarchy hierarchy;
    int index = -1;
    if (m_cube.FindHierarchy(name, hierarchy)) {
        index = static_cast<int>(m_hierarchies.size());
        m_hierarchies.push_back(hierarchy);
    }
    m_hierarchyByName.insert(key, index);
    return index;
}

int MdxFormulaChecker::FindCalculation(const QString& key) const
{
    return m_calculationByKey.value(key, -1);
}

// Files each calculation under the names a formula may reach it by: a measure by its name, a
// member under its parent and on its level. A calculation whose hierarchy or parent the cube
// does not know cannot be named, and is left out.
void MdxFormulaChecker::PlaceCalculations()
{
    Resolver resolver(*this, Resolver::Mode::Place);
    for (std::size_t i = 0; i < m_calculations.size(); ++i) {
        const MdxCalculation& calculation = m_calculations[i];
        Place& place = m_places[i];
        const int index = static_cast<int>(i);
        if (calculation.hierarchy.isEmpty()) {
            place.hierarchy = MeasuresHierarchy;
            place.level = 0;
            place.parentPath = Bracketed(m_measuresName);
            m_calculationByKey.insert(MeasureKey(calculation.name), index);
            continue;
        }
        const int hierarchy = FindHierarchy(calculation.hierarchy);
        if (hierarchy < 0)
            continue;
        const MdxHierarchy& info = m_hierarchies[static_cast<std::size_t>(hierarchy)];
        place.hierarchy = hierarchy;
        place.parent = AllMemberId;
        place.level = info.hasAll ? 1 : 0;
        place.parentPath = Bracketed(info.name);
        if (!calculation.parent.trimmed().isEmpty()) {
            MdxParser parser(calculation.parent, resolver);
            MdxExpression parent;
            MdxSyntaxError error;
            if (!parser.Parse(parent, error) || parent.named.kind != MdxNamed::Kind::Member
                || parent.named.hierarchy != hierarchy) {
                place.hierarchy = -1;
                continue;
            }
            place.parent = parent.named.member;
            place.level = parent.named.level + 1;
            place.parentPath = parent.named.path;
        }
        if (!m_calculationByKey.contains(ChildKey(hierarchy, place.parent, calculation.name)))
            m_calculationByKey.insert(ChildKey(hierarchy, place.parent, calculation.name), index);
        if (!m_calculationByKey.contains(LevelKey(hierarchy, place.level, calculation.name)))
            m_calculationByKey.insert(LevelKey(hierarchy, place.level, calculation.name), index);
    }
}

QString MdxFormulaChecker::CalculationPath(int calculation) const
{
    const Place& place = m_places[static_cast<std::size_t>(calculation)];
    return place.parentPath + QLatin1Char('.') + Bracketed(m_calculations[static_cast<std::size_t>(calculation)].name);
}

// The calculations that a calculation's formula names, as far as the formula can be read.
const std::vector<int>& MdxFormulaChecker::References(int calculation)
{
    std::optional<std::vector<int>>& references = m_references[static_cast<std::size_t>(calculation)];
    if (!references) {
        Resolver resolver(*this, Resolver::Mode::Collect);
        MdxParser parser(m_calculations[static_cast<std::size_t>(calculation)].formula, resolver);
        MdxExpression ignored;
        MdxSyntaxError error;
        parser.Parse(ignored, error);
        std::sort(resolver.collected.begin(), resolver.collected.end());
        resolver.collected.erase(
            std::unique(resolver.collected.begin(), resolver.collected.end()), resolver.collected.end());
        references = std::move(resolver.collected);
    }
    return *references;
}

// Depth-first over the calculations' references from `start`; on success `path` runs from
// `start` to the checked calculation. What one search rules out stays ruled out for the rest of
// the check, so a formula naming many calculations still walks each reference once.
bool MdxFormulaChecker::FindPathToSelf(int start, std::vector<int>& path)
{
    if (m_self < 0 || m_noPathToSelf[static_cast<std::size_t>(start)])
        return false;
    std::vector<int> previous(m_calculations.size(), -2);
    std::vector<int> visited;
    std::vector<int> stack {start};
    previous[static_cast<std::size_t>(start)] = -1;
    visited.push_back(start);
    while (!stack.empty()) {
        const int current = stack.back();
        stack.pop_back();
        for (int next : References(current)) {
            if (next == m_self) {
                path.clear();
                for (int step = current; step >= 0; step = previous[static_cast<std::size_t>(step)])
                    path.push_back(step);
                std::reverse(path.begin(), path.end());
                path.push_back(m_self);
                return true;
            }
            if (previous[static_cast<std::size_t>(next)] != -2 || m_noPathToSelf[static_cast<std::size_t>(next)])
                continue;
            previous[static_cast<std::size_t>(next)] = current;
            visited.push_back(next);
            stack.push_back(next);
        }
    }
    for (int done : visited)
        m_noPathToSelf[static_cast<std::size_t>(done)] = 1;
    return false;
}

MdxCheckResult MdxFormulaChecker::Check(QStringView formula, int self)
{
    ZEL_LOGIC_CHECK(SourcePath, self >= -1 && self < static_cast<int>(m_calculations.size()));
    m_self = self;
    std::fill(m_noPathToSelf.begin(), m_noPathToSelf.end(), 0);

    Resolver resolver(*this, Resolver::Mode::Check);
    MdxParser parser(formula, resolver);
    MdxExpression result;
    MdxSyntaxError error;
    MdxCheckResult answer;
    if (!parser.Parse(result, error)) {
        answer.valid = false;
        answer.line = error.line;
        answer.column = error.column;
        answer.message = error.message;
        return answer;
    }
    if (!MdxParser::Fits(result.kind, MdxRole::Value)) {
        const MdxToken& first = parser.TokenAt(result.firstToken);
        answer.valid = false;
        answer.line = first.line;
        answer.column = first.column;
        answer.message
            = QStringLiteral("the formula gives %1, but a calculation must give a value: a number, a string, "
                             "a member or a tuple")
                  .arg(MdxParser::KindText(result.kind));
    }
    return answer;
}

} // namespace Zel::Sim
