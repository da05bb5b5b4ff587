#include "Parameter.h"

IParameter::~IParameter() = default;

void IParameter::GetPresentationModel(RefCntPtr<PresentationModel const>& out) const
{
    out.reset();
}

bool IParameter::IsNull() const
{
    return false;
}

bool IParameter::IsTransient() const
{
    return false;
}
