#include "host/ui/UnificationConstants.h"

const UnificationConstants& UnificationConstants::Get()
{
    static const UnificationConstants constants;
    return constants;
}
