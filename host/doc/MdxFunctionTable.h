#pragma once

#include "MdxToken.h"
#include "ZelHostDocExport.h"

#include <QtCore/QLatin1String>
#include <QtCore/QStringView>

#include <cstdint>

// What an MDX expression gives.
enum class MdxKind : std::uint8_t
{
    Number,
    String,
    Logical,
    Null,
    Scalar, // a value whose type is only known when the formula runs
    Member,
    Tuple,
    Set,
    Level,
    Hierarchy,
};

// What an argument or the object before a dot may be, as bits. A kind fits a role by the
// conversions MDX makes on its own (a member where a tuple or a set is needed, a level where a set
// is needed, a hierarchy where a member is needed: its default member, ...).
namespace MdxRole {
enum : std::uint16_t
{
    Number = 1u << 0,
    String = 1u << 1,
    Logical = 1u << 2,
    Value = 1u << 3, // any scalar, including the value of a member or tuple
    Member = 1u << 4,
    Tuple = 1u << 5,
    Set = 1u << 6,
    Level = 1u << 7,
    Hierarchy = 1u << 8,
    Flag = 1u << 9, // one of the entry's flag keywords
    Any = Value | Member | Tuple | Set | Level | Hierarchy,
};
} // namespace MdxRole

enum class MdxCallStyle : std::uint8_t
{
    Function, // Name(arguments)
    Property, // object.Name
    Method, // object.Name(arguments)
};

enum class MdxResult : std::uint8_t
{
    Number,
    String,
    Logical,
    Scalar,
    Member,
    Tuple,
    Set,
    Level,
    Hierarchy,
    FromArguments, // the kind the value arguments agree on (IIF, CoalesceEmpty)
    ElementOfReceiver, // a tuple of a set, a member of a tuple (Item)
};

struct MdxFunction
{
    const char* name;
    MdxCallStyle style;
    // For a property or method, what may stand before the dot.
    std::uint16_t receiver;
    std::uint8_t minArguments;
    std::uint8_t maxArguments; // MdxFunction::Unbounded: any number from the minimum on
    // Roles of the first arguments; the last one given stands for every later argument.
    std::uint16_t arguments[4];
    MdxResult result;
    // The keywords that a Flag argument may be, as bits 1 << MdxKeyword.
    std::uint64_t flags;

    static constexpr std::uint8_t Unbounded = 255;

    QLatin1String Name() const { return QLatin1String(name); }
    std::uint16_t ArgumentRole(int index) const { return arguments[index < 3 ? index : 3]; }
    bool AllowsFlag(MdxKeyword keyword) const { return (flags >> static_cast<int>(keyword)) & 1u; }
};

// The MDX functions, properties and methods that this system knows, each with its argument count
// and the kinds of its arguments and result. The editor colours their names and the formula
// checker calls them by this one table; names compare without regard to case.
class ZELHOST_DOC_EXPORT MdxFunctionTable
{
public:
    static int Count();
    // An index outside the table raises the logic exception.
    static const MdxFunction& At(int index);
    // The first entry with this name, of any style; -1 when there is none.
    static int FindName(QStringView name);
    // The entry with this name called in this style; -1 when there is none.
    static int Find(QStringView name, MdxCallStyle style);
    // The entry with this name that is written after a dot (a property or a method); -1 when none.
    static int FindMember(QStringView name);
};
