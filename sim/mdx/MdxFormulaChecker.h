#pragma once

#include "sim/ZelSimExport.h"
#include "sim/mdx/IMdxCube.h"

#include <QtCore/QHash>
#include <QtCore/QString>
#include <QtCore/QStringView>

#include <deque>
#include <optional>
#include <vector>

namespace Zel::Sim {

// A calculated member or measure of the edit, as the checker sees it.
struct MdxCalculation
{
    QString name; // without brackets
    QString hierarchy; // empty for a calculated measure
    // Unique name of the parent member ("[Geography].[East]"); empty at the top of the hierarchy.
    QString parent;
    QString formula;
};

struct ZELSIM_EXPORT MdxCheckResult
{
    bool valid = true;
    int line = 0;
    int column = 0;
    QString message;

    // "line 2, column 14: message", or empty when the formula is valid.
    QString Text() const;
};

// Checks the formula of a calculated member or measure the way the host would before accepting
// it: its syntax, every name against the cube and the other calculations of the edit, every
// function, property and method call against MdxFunctionTable, that it gives a value (not a set, a
// level or a hierarchy), and that it does not come back to its own calculation, directly or through
// other calculations. The answer names the first error with its line and column.
//
// The cube is only borrowed; the calculations are copied. The formulas of the other calculations
// are parsed the first time a cycle search needs them, once for the life of the checker.
class ZELSIM_EXPORT MdxFormulaChecker
{
public:
    MdxFormulaChecker(const IMdxCube& cube, std::vector<MdxCalculation> calculations,
        QString measuresName = QStringLiteral("Measures"));
    ~MdxFormulaChecker();
    MdxFormulaChecker(const MdxFormulaChecker&) = delete;
    MdxFormulaChecker& operator=(const MdxFormulaChecker&) = delete;

    // `self` is the index of the calculation whose formula this is, or -1 for one not among the
    // calculations; any other value raises the logic exception.
    MdxCheckResult Check(QStringView formula, int self = -1);

private:
    class Resolver;
    friend class Resolver;

    struct Place
    {
        int hierarchy = -1;
        int level = -1;
        qint64 parent = 0;
        QString parentPath;
    };

    int FindHierarchy(QStringView name);
    void PlaceCalculations();
    int FindCalculation(const QString& key) const;
    const std::vector<int>& References(int calculation);
    bool FindPathToSelf(int start, std::vector<int>& path);
    QString CalculationPath(int calculation) const;

    const IMdxCube& m_cube;
    std::vector<MdxCalculation> m_calculations;
    QString m_measuresName;
    // Index 0 stands for the measures. A deque, because a lookup may add a hierarchy while an
    // outer lookup still holds one: a cycle search parses other formulas in the middle of a name.
    std::deque<MdxHierarchy> m_hierarchies;
    QHash<QString, int> m_hierarchyByName; // folded name -> index, -1 for a name the cube lacks
    std::vector<Place> m_places;
    QHash<QString, int> m_calculationByKey;
    std::vector<std::optional<std::vector<int>>> m_references;
    // During one Check: the calculation checked, and calculations known not to lead back to it.
    int m_self = -1;
    std::vector<char> m_noPathToSelf;
};

} // namespace Zel::Sim
