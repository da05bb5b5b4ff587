#pragma once

// The unit of a date range's step. Dates step by years to days; date-and-time values may also step by
// hours, minutes or seconds.
enum DatePeriodType : int
{
    DPT_YEARS = 0,
    DPT_QUARTERS = 1,
    DPT_MONTHS = 2,
    DPT_WEEKS = 3,
    DPT_DAYS = 4,
    DPT_HOURS = 5,
    DPT_MINUTES = 6,
    DPT_SECONDS = 7,
};
