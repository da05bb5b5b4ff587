#pragma once

// Values of every type the commands carry, made from fuzzer bytes: numbers and enums of any bit
// pattern, short strings, records that are null or default, lists holding nulls. A record type
// with something worth filling (a list of clean-up commands) is filled by its own overload.

#include "host/commands/CommandDeclaration.h"
#include "host/doc/DataValue.h"
#include "host/doc/FieldName.h"
#include "host/doc/FormattedText.h"
#include "host/doc/SimpleCommandsPresModel.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QtCore/QDateTime>

#include <string>
#include <type_traits>
#include <vector>

namespace ZelFuzz {

// Bounds that keep one input cheap; a fuzzer finds nothing more in a list of a thousand nulls
// than in one of eight.
inline constexpr std::size_t kMaxListLength = 8;
inline constexpr std::size_t kMaxTextLength = 24;

template <typename T>
struct HostileValue;

template <typename T>
T MakeHostile(FuzzedDataProvider& in)
{
    return HostileValue<T>::Make(in);
}

inline TString MakeHostileText(FuzzedDataProvider& in)
{
    return TString(QString::fromUtf8(in.ConsumeRandomLengthString(kMaxTextLength).c_str()));
}

template <typename T>
struct HostileValue
{
    static T Make(FuzzedDataProvider& in)
    {
        if constexpr (std::is_same_v<T, bool>)
            return in.ConsumeBool();
        else if constexpr (std::is_integral_v<T>)
            return in.ConsumeIntegral<T>();
        else if constexpr (std::is_enum_v<T>)
            // Every enum the commands carry has a fixed underlying type, so any bit pattern is a value.
            return static_cast<T>(in.ConsumeIntegral<std::underlying_type_t<T>>());
        else
            static_assert(sizeof(T) == 0, "no hostile maker for this type");
    }
};

template <>
struct HostileValue<TString>
{
    static TString Make(FuzzedDataProvider& in) { return MakeHostileText(in); }
};

template <>
struct HostileValue<FieldName>
{
    static FieldName Make(FuzzedDataProvider& in)
    {
        TString dataSource = MakeHostileText(in);
        return FieldName(std::move(dataSource), MakeHostileText(in));
    }
};

template <>
struct HostileValue<FormattedText>
{
    static FormattedText Make(FuzzedDataProvider& in)
    {
        return in.ConsumeBool() ? FormattedText::FromPlainText(MakeHostileText(in))
                                : FormattedText::FromMarkup(MakeHostileText(in));
    }
};

template <>
struct HostileValue<DataValue>
{
    static DataValue Make(FuzzedDataProvider& in)
    {
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0:
            return DataValue();
        case 1:
            return DataValue(in.ConsumeIntegral<int>());
        case 2:
            return DataValue(in.ConsumeIntegral<long long>());
        case 3:
            return DataValue(in.ConsumeFloatingPoint<double>());
        case 4:
            return DataValue(in.ConsumeBool());
        case 5:
            return DataValue(QDateTime::fromMSecsSinceEpoch(in.ConsumeIntegral<qint64>()));
        default:
            return DataValue(MakeHostileText(in));
        }
    }
};

template <typename E>
struct HostileValue<std::vector<E>>
{
    static std::vector<E> Make(FuzzedDataProvider& in)
    {
        std::vector<E> values(in.ConsumeIntegralInRange<std::size_t>(0, kMaxListLength));
        for (E& value : values)
            value = MakeHostile<E>(in);
        return values;
    }
};

// A record of the host's: null, or made and filled by FillHostile.
template <typename X>
void FillHostile(X&, FuzzedDataProvider&)
{
}

inline void FillHostile(SimpleCommandPresModel& command, FuzzedDataProvider& in)
{
    command.SetCommandId(in.ConsumeIntegral<int>());
    if (in.ConsumeBool())
        command.SetArguments(RefCntPtr<IParameters const>(ContextParameters::Create()));
}

inline void FillHostile(SimpleCommandsPresModel& commands, FuzzedDataProvider& in)
{
    commands.SetCommands(MakeHostile<std::vector<RefCntPtr<SimpleCommandPresModel const>>>(in));
}

template <typename X>
struct HostileValue<RefCntPtr<X const>>
{
    static RefCntPtr<X const> Make(FuzzedDataProvider& in)
    {
        if (in.ConsumeIntegralInRange(0, 3) == 0)
            return nullptr;
        auto record = MakeRefCnt<X>();
        FillHostile(*record, in);
        return RefCntPtr<X const>(std::move(record));
    }
};

// The value types of a list of commands, arguments and results alike, with repeats: a type that
// many parameters carry is picked more often, as it would be met more often.
template <typename... Ts>
struct TypeList
{
    static constexpr std::size_t size = sizeof...(Ts);
};

namespace Detail {
template <typename... Lists>
struct Concat;
template <>
struct Concat<>
{
    using type = TypeList<>;
};
template <typename... A>
struct Concat<TypeList<A...>>
{
    using type = TypeList<A...>;
};
template <typename... A, typename... B, typename... Rest>
struct Concat<TypeList<A...>, TypeList<B...>, Rest...>
{
    using type = typename Concat<TypeList<A..., B...>, Rest...>::type;
};

template <typename Fields>
struct FieldTypes;
template <template <typename...> class L, typename... F>
struct FieldTypes<L<F...>>
{
    using type = TypeList<typename F::param::type...>;
};
} // namespace Detail

template <typename CommandList>
struct ValueTypesOf;
template <typename... Cmds>
struct ValueTypesOf<Zel::Commands::CommandList<Cmds...>>
{
    using type = typename Detail::Concat<typename Detail::FieldTypes<typename Cmds::arguments>::type...,
        typename Detail::FieldTypes<typename Cmds::results>::type...>::type;
};

// A freshly made ValParameter of the `index`-th type of the list.
template <typename... Ts>
RefCntPtr<IParameter> MakeHostileParameter(TypeList<Ts...>, std::size_t index, FuzzedDataProvider& in)
{
    RefCntPtr<IParameter> made;
    std::size_t i = 0;
    ((i++ == index ? (void)(made = ValParameter<Ts>::Make(MakeHostile<Ts>(in))) : (void)0), ...);
    return made;
}

} // namespace ZelFuzz
