// The reading of date items on arbitrary text: it must never crash, and a date it reads, written
// back in either form of the "Ввод даты" dialog, reads as the same date. Calendar fields taken
// from the input must convert both ways and give their texts.
#include "russian/dates.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace dravo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    if (const std::optional<Date> date = ParseDateItemText(text)) {
        if (!date->valid)
            __builtin_trap();
        for (const int form : {DateFormShort, DateFormLong}) {
            const std::optional<Date> again = ParseDateItemText(FormatDateItem(*date, form));
            if (!again || !(*again == *date))
                __builtin_trap();
        }
        DateWordsText(*date);
        DateShortText(*date, true);
    }
    const Date today = DateFromCalendar(2004, 12, 6);
    DateInput input(text, size > 0 ? data[0] % 3 : 0, today);
    if (!input.date().valid)
        __builtin_trap();
    input.Accept();

    // Calendar fields from the first bytes: a valid date converts back to the same fields.
    if (size >= 8) {
        std::int16_t year;
        std::memcpy(&year, data + 4, sizeof year);
        const Date d = DateFromCalendar(year, data[6] % 14, data[7] % 33);
        if (d.valid) {
            const std::optional<CalendarDate> fields = CalendarFromDate(d);
            if (!fields || fields->year != year || fields->month != data[6] % 14 ||
                fields->day != data[7] % 33)
                __builtin_trap();
            DateWordsText(d);
            PeriodText(today, d);
            PeriodText(d, today);
            FormatDate(d, text.substr(8, 64));
        }
    }
    return 0;
}
