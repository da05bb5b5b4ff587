#pragma once

#include "RefCnt.h"

// Base of the host's records. A record is mutable while its maker fills it and is then shared
// read-only as RefCntPtr<X const>.
class ZELHOST_DOC_EXPORT PresentationModel : public RefCntObject
{
public:
    PresentationModel() = default;
    PresentationModel(const PresentationModel&) = default;
    ~PresentationModel() override;
};

// Declares one field of a record: the member and its GetName/SetName pair. A record's fields are
// listed once, one line each, in the record's class body.
#define ZEL_PRES_FIELD(Type, Name)                                                                                     \
public:                                                                                                                \
    const Type& Get##Name() const noexcept                                                                             \
    {                                                                                                                  \
        return m_##Name;                                                                                               \
    }                                                                                                                  \
    void Set##Name(Type value)                                                                                         \
    {                                                                                                                  \
        m_##Name = std::move(value);                                                                                   \
    }                                                                                                                  \
                                                                                                                       \
private:                                                                                                               \
    Type m_##Name {};                                                                                                  \
                                                                                                                       \
public:
