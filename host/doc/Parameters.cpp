#include "Parameters.h"

namespace {
// Not a ValParameter of any type, so every typed read of a missing id fails its check.
class MissingParameter final : public IParameter
{
};

// Made when the library loads, so it is never counted as a record some caller leaked.
const MissingParameter s_missing;
} // namespace

IParameterVisitor::~IParameterVisitor() = default;
IParameters::~IParameters() = default;

void BaseParameters::Accept(IParameterVisitor& visitor) const
{
    for (int id : GetParameterIds())
        visitor.Visit(id, GetParameter(id));
}

const IParameter& BaseParameters::Missing()
{
    return s_missing;
}

void Parameters::SetParameter(int id, RefCntPtr<IParameter> value)
{
    if (!value)
        m_values.erase(id);
    else
        m_values[id] = std::move(value);
}

IParameter& Parameters::GetParameter(int id)
{
    auto it = m_values.find(id);
    return it != m_values.end() ? *it->second : const_cast<IParameter&>(Missing());
}

const IParameter& Parameters::GetParameter(int id) const
{
    auto it = m_values.find(id);
    return it != m_values.end() ? *it->second : Missing();
}

bool Parameters::HasParameter(int id) const
{
    return m_values.count(id) != 0;
}

void Parameters::RemoveParameter(int id)
{
    m_values.erase(id);
}

std::vector<int> Parameters::GetParameterIds() const
{
    std::vector<int> ids;
    ids.reserve(m_values.size());
    for (const auto& entry : m_values)
        ids.push_back(entry.first);
    return ids;
}

TString ContextParametersImpl::GetContext(ContextKind kind) const
{
    auto it = m_context.find(kind);
    return it != m_context.end() ? it->second : TString();
}

void ContextParametersImpl::SetContext(ContextKind kind, const TString& value)
{
    m_context[kind] = value;
}
