#pragma once

#include "PresentationModel.h"

#include <type_traits>
#include <utility>

// The abstract value of one command parameter, always held through RefCntPtr<IParameter>.
class ZELHOST_DOC_EXPORT IParameter : public RefCntObject
{
public:
    ~IParameter() override;
    // The record held by a value that holds one; empty for every other value.
    virtual void GetPresentationModel(RefCntPtr<PresentationModel const>& out) const;
    // True only for a record-holding value that holds no record.
    virtual bool IsNull() const;
    // Whether the host may drop the value from a cached set; no value of the dialogs is.
    virtual bool IsTransient() const;
};

namespace ParameterDetail {
template <typename T>
struct IsPresModelRef : std::false_type
{
};
template <typename X>
struct IsPresModelRef<RefCntPtr<X const>> : std::is_base_of<PresentationModel, X>
{
};
} // namespace ParameterDetail

// The one concrete parameter value. Results are recognised by exact dynamic type, so
// ValParameter<int> never passes for ValParameter<unsigned int>.
template <typename T>
class ZELHOST_DOC_TEMPLATE ValParameter final : public IParameter
{
public:
    using value_type = T;
    static constexpr bool holdsPresentationModel = ParameterDetail::IsPresModelRef<T>::value;

    explicit ValParameter(T value)
        : m_value(std::move(value))
    {
    }
    ~ValParameter() override
    {
        if constexpr (holdsPresentationModel)
            m_value.reset();
    }

    static RefCntPtr<IParameter> Make(T value)
    {
        return RefCntPtr<IParameter>(new ValParameter(std::move(value)), AdoptRef);
    }

    const T& GetValue() const noexcept { return m_value; }

    void GetPresentationModel(RefCntPtr<PresentationModel const>& out) const override
    {
        if constexpr (holdsPresentationModel)
            out = m_value;
        else
            IParameter::GetPresentationModel(out);
    }
    bool IsNull() const override
    {
        if constexpr (holdsPresentationModel)
            return !m_value;
        else
            return IParameter::IsNull();
    }

private:
    T m_value;
};

// The value held by `p` when it is exactly a ValParameter<T>, else null.
template <typename T>
const ValParameter<T>* AsValParameter(const IParameter& p) noexcept
{
    return dynamic_cast<const ValParameter<T>*>(&p);
}
