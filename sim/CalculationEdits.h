#pragma once

#include "sim/ICubeExtension.h"
#include "sim/ZelSimExport.h"

#include "host/doc/CalculatedMemberPresModels.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <QtCore/QString>

#include <map>
#include <optional>
#include <vector>

namespace Zel::Sim {

class OrdersCube;

// A calculated measure or member as the simulated host keeps it.
struct ZELSIM_EXPORT SimCalculation
{
    TString name;
    TString formula;
    bool enabled = true;
    int solveOrder = 0;
    bool scopeIsolation = false;
    bool isMeasure = true;
    DataType measureType = DT_REAL;
    // A member's hierarchy as the cube spells it ("Geography"), the unique name of its parent (empty
    // at the top) and its level in the hierarchy's list of levels.
    TString hierarchy;
    TString parent;
    int level = 0;

    // "[Measures].[Profit Ratio]", "[Geography].[Coastal]", "[Geography].[East].[Coastal]".
    QString UniqueName() const;
};

// The calculations of the cube "Orders Cube" in the simulated host: the ones applied to the cube,
// which the cube shows through its extension (enabled ones only), and the editing contexts open
// over them. An edit starts as a copy of the applied calculations and changes one command at a
// time; only Apply makes its calculations the cube's, and Close forgets it either way.
//
// The host's rules: a name is refused when it is empty, holds a character that cannot stand between
// brackets (']' and control characters such as line breaks), or is taken: a measure's by a measure
// of the cube or another calculated measure, a member's by a member of the cube or another
// calculated member under the same parent. A member's parent must be a stored member above the
// hierarchy's last level. A formula is checked by MdxFormulaChecker against the stored cube and the
// edit's enabled calculations. A command that cannot apply at all raises through Refuse.
//
// The cube must outlive this; it is not told of this extension here (the area does that).
class CalculationEdits final : public ICubeExtension
{
public:
    struct Edit
    {
        unsigned int id = 0;
        std::vector<SimCalculation> calculations;
        bool scopeIsolation = false;
    };

    struct Opened
    {
        unsigned int id = 0;
        RefCntPtr<CalculatedMembersForEditingPresModel const> model;
        RefCntPtr<SimpleCommandsPresModel const> cleanup;
    };

    static constexpr int kLowestSolveOrder = -1'000;
    static constexpr int kHighestSolveOrder = 1'000;

    explicit CalculationEdits(OrdersCube& cube);
    ~CalculationEdits() override;
    CalculationEdits(const CalculationEdits&) = delete;
    CalculationEdits& operator=(const CalculationEdits&) = delete;

    // `dataSource` must be empty or the cube's name. `scopeIsolation` is the host's flag of the
    // client: whether the cube's server places calculations before its own. A field that names a
    // hierarchy makes it the one the next new member goes into; any other field is the measure to
    // show first.
    Opened Open(const TString& dataSource, bool scopeIsolation, const std::optional<FieldName>& field);
    // Ends an edit; an id that names none is ignored.
    void Close(unsigned int editId);
    // The open edit with this id, or null.
    Edit* Find(unsigned int editId);
    const Edit* Find(unsigned int editId) const;
    std::size_t Count() const;

    TString NewMeasureName(const Edit& edit) const;
    TString NewMemberName(const Edit& edit, const FieldName& hierarchy) const;
    // Why the name cannot be taken, or empty when it can.
    QString MeasureNameProblem(const Edit& edit, const TString& name) const;
    QString MemberNameProblem(const Edit& edit, const FieldName& hierarchy, const TString& parent, const TString& name);

    RefCntPtr<CalculatedMemberPresModel const> Create(
        Edit& edit, const RefCntPtr<CalculatedMemberPresModel const>& record);
    // Replaces the calculation the previous identity names; without one, the record's own.
    RefCntPtr<CalculatedMemberPresModel const> Update(Edit& edit, const std::optional<FieldName>& measure,
        const std::optional<DataValue>& member, const RefCntPtr<CalculatedMemberPresModel const>& record);
    void Delete(Edit& edit, const std::optional<FieldName>& measure, const std::optional<DataValue>& member);
    void Move(Edit& edit, const std::optional<unsigned int>& up, const std::optional<unsigned int>& down);
    void Apply(const Edit& edit);
    // Why the formula cannot stand as the identified calculation's ("line 2, column 14: ..."), or
    // empty when it can.
    QString CheckFormula(const Edit& edit, const std::optional<FieldName>& measure,
        const std::optional<DataValue>& member, int solveOrder, const TString& formula);

    const std::vector<SimCalculation>& Applied() const noexcept { return m_applied; }

    std::vector<Member> ExtraMembers(const TString& hierarchy) const override;
    std::vector<TString> ExtraMeasures() const override;

private:
    RefCntPtr<CalculatedMemberPresModel const> Record(const SimCalculation& calculation) const;
    SimCalculation FromRecord(const RefCntPtr<CalculatedMemberPresModel const>& record);
    // The index of the calculation the identity names; -1 for none.
    int FindCalculation(
        const Edit& edit, const std::optional<FieldName>& measure, const std::optional<DataValue>& member) const;
    int Hierarchy(const FieldName& name) const;

    OrdersCube& m_cube;
    std::vector<SimCalculation> m_applied;
    std::map<unsigned int, Edit> m_edits;
    unsigned int m_nextId = 7'001;
};

} // namespace Zel::Sim
