// The date step periods are the library's to name, unlike the host's data types: registered when
// the library loads, for every combo box over DatePeriodType.

#include "host/doc/DatePeriodType.h"
#include "host/doc/StringIds.h"
#include "host/ui/EnumConverterRegistry.h"

namespace {
struct DatePeriodTypeRegistrar
{
    DatePeriodTypeRegistrar()
    {
        EnumConverterRegistry::GetInstance().RegisterEnum(EnumConverterRegistry::KeyOf<DatePeriodType>(),
            {
                {DPT_YEARS, L"years", Zel::Strings::PeriodYears},
                {DPT_QUARTERS, L"quarters", Zel::Strings::PeriodQuarters},
                {DPT_MONTHS, L"months", Zel::Strings::PeriodMonths},
                {DPT_WEEKS, L"weeks", Zel::Strings::PeriodWeeks},
                {DPT_DAYS, L"days", Zel::Strings::PeriodDays},
                {DPT_HOURS, L"hours", Zel::Strings::PeriodHours},
                {DPT_MINUTES, L"minutes", Zel::Strings::PeriodMinutes},
                {DPT_SECONDS, L"seconds", Zel::Strings::PeriodSeconds},
            },
            DPT_DAYS);
    }
};
const DatePeriodTypeRegistrar registrar;
} // namespace
