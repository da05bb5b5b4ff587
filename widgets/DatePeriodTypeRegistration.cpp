// The date step periods are the library's to name, unlike the host's data types: registered when
// the library loads, for every combo box over DatePeriodType.

#include "host/doc/DatePeriodType.h"
#include "host/ui/EnumConverterRegistry.h"

namespace {
struct DatePeriodTypeRegistrar
{
    DatePeriodTypeRegistrar()
    {
        EnumConverterRegistry::GetInstance().RegisterEnum(EnumConverterRegistry::KeyOf<DatePeriodType>(),
            {
                {DPT_YEARS, L"years", 305422095},
                {DPT_QUARTERS, L"quarters", 1720145982},
                {DPT_MONTHS, L"months", 667013195},
                {DPT_WEEKS, L"weeks", 1856676899},
                {DPT_DAYS, L"days", 897778286},
                {DPT_HOURS, L"hours", 540135195},
                {DPT_MINUTES, L"minutes", 555270195},
                {DPT_SECONDS, L"seconds", 942233885},
            },
            DPT_DAYS);
    }
};
const DatePeriodTypeRegistrar registrar;
} // namespace
