#include "MdxFunctionTable.h"

#include "Exceptions.h"
#include "MdxTokenizer.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr const char* SourcePath = "host/doc/MdxFunctionTable";

using Style = MdxCallStyle;
using R = MdxResult;

constexpr std::uint16_t Num = MdxRole::Number;
constexpr std::uint16_t Str = MdxRole::String;
constexpr std::uint16_t Log = MdxRole::Logical;
constexpr std::uint16_t Val = MdxRole::Value;
constexpr std::uint16_t Mem = MdxRole::Member;
constexpr std::uint16_t Tup = MdxRole::Tuple;
constexpr std::uint16_t Set = MdxRole::Set;
constexpr std::uint16_t Lev = MdxRole::Level;
constexpr std::uint16_t Hie = MdxRole::Hierarchy;
constexpr std::uint16_t Flg = MdxRole::Flag;
constexpr std::uint16_t Any = MdxRole::Any;
constexpr std::uint8_t More = MdxFunction::Unbounded;

constexpr std::uint64_t Flags(std::initializer_list<MdxKeyword> keywords)
{
    std::uint64_t bits = 0;
    for (MdxKeyword k : keywords)
        bits |= std::uint64_t(1) << static_cast<int>(k);
    return bits;
}

constexpr MdxFunction Fn(const char* name, std::uint8_t min, std::uint8_t max, std::uint16_t a0, std::uint16_t a1,
    std::uint16_t a2, MdxResult result, std::uint64_t flags = 0)
{
    return MdxFunction {name, Style::Function, 0, min, max, {a0, a1, a2, a2}, result, flags};
}

constexpr MdxFunction Prop(const char* name, std::uint16_t receiver, MdxResult result)
{
    return MdxFunction {name, Style::Property, receiver, 0, 0, {0, 0, 0, 0}, result, 0};
}

constexpr MdxFunction Meth(
    const char* name, std::uint16_t receiver, std::uint8_t min, std::uint8_t max, std::uint16_t a0, MdxResult result)
{
    return MdxFunction {name, Style::Method, receiver, min, max, {a0, a0, a0, a0}, result, 0};
}

using K = MdxKeyword;
constexpr std::uint64_t DescendantsFlags = Flags({K::Self, K::After, K::Before, K::BeforeAndAfter, K::SelfAndAfter,
    K::SelfAndBefore, K::SelfBeforeAfter, K::Leaves});

// Sorted by name, ASCII case folded; entries of one name (a function and a property) side by side.
constexpr MdxFunction Functions[] = {
    Fn("Abs", 1, 1, Num, 0, 0, R::Number),
    Fn("Aggregate", 1, 2, Set, Num, 0, R::Number),
    Prop("AllMembers", Hie | Lev, R::Set),
    Fn("Ancestor", 2, 2, Mem, Lev | Num, 0, R::Member),
    Fn("Ancestors", 2, 2, Mem, Lev | Num, 0, R::Set),
    Fn("Avg", 1, 2, Set, Num, 0, R::Number),
    Fn("BottomCount", 2, 3, Set, Num, Num, R::Set),
    Fn("BottomPercent", 3, 3, Set, Num, Num, R::Set),
    Fn("BottomSum", 3, 3, Set, Num, Num, R::Set),
    Prop("Caption", Mem | Lev | Hie, R::String),
    Prop("Children", Mem, R::Set),
    Fn("ClosingPeriod", 0, 2, Lev, Mem, 0, R::Member),
    Fn("CoalesceEmpty", 2, More, Val, Val, Val, R::FromArguments),
    Fn("Count", 1, 2, Set, Flg, 0, R::Number, Flags({K::ExcludeEmpty, K::IncludeEmpty})),
    Prop("Count", Set | Tup, R::Number),
    Fn("Cousin", 2, 2, Mem, Mem, 0, R::Member),
    Fn("CrossJoin", 2, More, Set, Set, Set, R::Set),
    Prop("Current", Set, R::Tuple),
    Prop("CurrentMember", Hie, R::Member),
    Prop("CurrentOrdinal", Set, R::Number),
    Prop("DefaultMember", Hie, R::Member),
    Fn("Descendants", 1, 3, Mem | Set, Lev | Num, Flg, R::Set, DescendantsFlags),
    Prop("Dimension", Mem | Lev | Hie, R::Hierarchy),
    Fn("Distinct", 1, 1, Set, 0, 0, R::Set),
    Fn("DistinctCount", 1, 1, Set, 0, 0, R::Number),
    Fn("Except", 2, 3, Set, Set, Flg, R::Set, Flags({K::All})),
    Fn("Exists", 1, 3, Set, Set, Str, R::Set),
    Fn("Filter", 2, 2, Set, Log, 0, R::Set),
    Prop("FirstChild", Mem, R::Member),
    Prop("FirstSibling", Mem, R::Member),
    Fn("Format", 1, 2, Val, Str, 0, R::String),
    Fn("Generate", 2, 3, Set, Set, Flg, R::Set, Flags({K::All})),
    Fn("Head", 1, 2, Set, Num, 0, R::Set),
    Fn("Hierarchize", 1, 2, Set, Flg, 0, R::Set, Flags({K::Post})),
    Prop("Hierarchy", Mem | Lev, R::Hierarchy),
    Fn("IIf", 3, 3, Log, Any, Any, R::FromArguments),
    Fn("Int", 1, 1, Num, 0, 0, R::Number),
    Fn("Intersect", 2, 3, Set, Set, Flg, R::Set, Flags({K::All})),
    Fn("IsAncestor", 2, 2, Mem, Mem, 0, R::Logical),
    Fn("IsEmpty", 1, 1, Val, 0, 0, R::Logical),
    Fn("IsGeneration", 2, 2, Mem, Num, 0, R::Logical),
    Fn("IsLeaf", 1, 1, Mem, 0, 0, R::Logical),
    Fn("IsSibling", 2, 2, Mem, Mem, 0, R::Logical),
    Meth("Item", Set | Tup, 1, 1, Num | Str, R::ElementOfReceiver),
    Meth("Lag", Mem, 1, 1, Num, R::Member),
    Prop("LastChild", Mem, R::Member),
    Fn("LastPeriods", 1, 2, Num, Mem, 0, R::Set),
    Prop("LastSibling", Mem, R::Member),
    Fn("LCase", 1, 1, Str, 0, 0, R::String),
    Meth("Lead", Mem, 1, 1, Num, R::Member),
    Fn("Left", 2, 2, Str, Num, 0, R::String),
    Fn("Len", 1, 1, Str, 0, 0, R::Number),
    Prop("Level", Mem, R::Level),
    Meth("Levels", Hie, 1, 1, Num | Str, R::Level),
    Fn("Max", 1, 2, Set, Num, 0, R::Number),
    Fn("Median", 1, 2, Set, Num, 0, R::Number),
    Prop("Members", Hie | Lev, R::Set),
    Fn("MemberToStr", 1, 1, Mem, 0, 0, R::String),
    Prop("MemberValue", Mem, R::Scalar),
    Fn("Min", 1, 2, Set, Num, 0, R::Number),
    Fn("MTD", 0, 1, Mem, 0, 0, R::Set),
    Prop("Name", Mem | Lev | Hie, R::String),
    Prop("NextMember", Mem, R::Member),
    Fn("NonEmpty", 1, 2, Set, Set, 0, R::Set),
    Fn("Now", 0, 0, 0, 0, 0, R::Scalar),
    Fn("OpeningPeriod", 0, 2, Lev, Mem, 0, R::Member),
    Fn("Order", 2, 3, Set, Val, Flg, R::Set, Flags({K::Asc, K::Desc, K::BAsc, K::BDesc})),
    Prop("Ordinal", Lev, R::Number),
    Fn("ParallelPeriod", 0, 3, Lev, Num, Mem, R::Member),
    Prop("Parent", Mem, R::Member),
    Fn("PeriodsToDate", 0, 2, Lev, Mem, 0, R::Set),
    Prop("PrevMember", Mem, R::Member),
    Meth("Properties", Mem, 1, 1, Str, R::Scalar),
    Fn("QTD", 0, 1, Mem, 0, 0, R::Set),
    Fn("Rank", 2, 3, Tup, Set, Num, R::Number),
    Fn("Right", 2, 2, Str, Num, 0, R::String),
    Fn("Round", 1, 2, Num, Num, 0, R::Number),
    Fn("SetToStr", 1, 1, Set, 0, 0, R::String),
    Prop("Siblings", Mem, R::Set),
    Fn("Stdev", 1, 2, Set, Num, 0, R::Number),
    Fn("StrToMember", 1, 1, Str, 0, 0, R::Member),
    Fn("StrToSet", 1, 1, Str, 0, 0, R::Set),
    Fn("StrToTuple", 1, 1, Str, 0, 0, R::Tuple),
    Fn("StrToValue", 1, 1, Str, 0, 0, R::Scalar),
    Fn("Subset", 2, 3, Set, Num, Num, R::Set),
    Fn("Sum", 1, 2, Set, Num, 0, R::Number),
    Fn("Tail", 1, 2, Set, Num, 0, R::Set),
    Fn("TopCount", 2, 3, Set, Num, Num, R::Set),
    Fn("TopPercent", 3, 3, Set, Num, Num, R::Set),
    Fn("TopSum", 3, 3, Set, Num, Num, R::Set),
    Fn("TupleToStr", 1, 1, Tup, 0, 0, R::String),
    Fn("UCase", 1, 1, Str, 0, 0, R::String),
    Fn("Union", 2, More, Set, Set, Set, R::Set),
    Prop("UniqueName", Mem | Lev | Hie, R::String),
    Prop("Value", Mem | Tup, R::Scalar),
    Fn("Var", 1, 2, Set, Num, 0, R::Number),
    Fn("WTD", 0, 1, Mem, 0, 0, R::Set),
    Fn("YTD", 0, 1, Mem, 0, 0, R::Set),
};

} // namespace

int MdxFunctionTable::Count()
{
    return static_cast<int>(std::size(Functions));
}

const MdxFunction& MdxFunctionTable::At(int index)
{
    ZEL_LOGIC_CHECK(SourcePath, index >= 0 && index < Count());
    return Functions[index];
}

int MdxFunctionTable::FindName(QStringView name)
{
    const auto* it = std::lower_bound(std::begin(Functions), std::end(Functions), name,
        [](const MdxFunction& entry, QStringView word) { return MdxTokenizer::CompareName(entry.name, word) < 0; });
    if (it == std::end(Functions) || MdxTokenizer::CompareName(it->name, name) != 0)
        return -1;
    return static_cast<int>(it - std::begin(Functions));
}

// The first entry of this name that `accept` takes; -1 when none.
template <typename Accept>
static int FindEntry(QStringView name, Accept accept)
{
    for (int i = MdxFunctionTable::FindName(name);
         i >= 0 && i < MdxFunctionTable::Count() && MdxTokenizer::CompareName(Functions[i].name, name) == 0; ++i) {
        if (accept(Functions[i]))
            return i;
    }
    return -1;
}

int MdxFunctionTable::Find(QStringView name, MdxCallStyle style)
{
    return FindEntry(name, [style](const MdxFunction& entry) { return entry.style == style; });
}

int MdxFunctionTable::FindMember(QStringView name)
{
    return FindEntry(name, [](const MdxFunction& entry) { return entry.style != MdxCallStyle::Function; });
}
