#include "russian/dates.h"

#include "core/text.h"
#include "russian/numbers.h"
#include "russian/strings.h"

#include <cmath>
#include <ctime>
#include <vector>

namespace dravo {

using namespace literals;
using namespace russian_detail;

const std::array<std::string_view, 13> kGenitiveMonths = {
    "",       "января"_w,  "февраля"_w,  "марта"_w,   "апреля"_w, "мая"_w,    "июня"_w,
    "июля"_w, "августа"_w, "сентября"_w, "октября"_w, "ноября"_w, "декабря"_w};

const std::array<std::string_view, 13> kNominativeMonths = {
    "",       "январь"_w, "февраль"_w,  "март"_w,    "апрель"_w, "май"_w,    "июнь"_w,
    "июль"_w, "август"_w, "сентябрь"_w, "октябрь"_w, "ноябрь"_w, "декабрь"_w};

namespace {

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : kDays[m];
}

// Days from 1 January 1970 of a proleptic Gregorian date, and back.
long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarDate CivilFromDays(long z) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int y = static_cast<int>(yoe + era * 400 + (m <= 2));
    return {y, m, d};
}

const long kEpoch = DaysFromCivil(1899, 12, 30);
constexpr double kMinDays = -657434; // 1 January 100
constexpr double kMaxDays = 2958465; // 31 December 9999

std::string TwoDigits(int v) {
    std::string s(2, '0');
    s[0] = static_cast<char>('0' + (v / 10) % 10);
    s[1] = static_cast<char>('0' + v % 10);
    return s;
}

} // namespace

Date DateFromCalendar(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return {};
    return {static_cast<double>(DaysFromCivil(year, month, day) - kEpoch), true};
}

Date DateFromCalendar(const CalendarDate &f) {
    return DateFromCalendar(f.year, f.month, f.day);
}

std::optional<CalendarDate> CalendarFromDate(const Date &date) {
    if (!date.valid || !std::isfinite(date.days) || date.days < kMinDays ||
        date.days >= kMaxDays + 1)
        return std::nullopt;
    // The integer part is the day (the fraction, a time of day, counts away from day 0).
    return CivilFromDays(static_cast<long>(std::trunc(date.days)) + kEpoch);
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateFromCalendar(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string FormatDate(const Date &date, std::string_view format) {
    const auto cal = CalendarFromDate(date);
    if (!cal)
        return "Invalid DateTime";
    std::string out;
    out.reserve(format.size() + 8);
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        switch (format[++i]) {
        case 'd':
            out += TwoDigits(cal->day);
            break;
        case 'm':
            out += TwoDigits(cal->month);
            break;
        case 'Y':
            out += std::to_string(cal->year);
            break;
        case 'y':
            out += TwoDigits(cal->year % 100);
            break;
        case '%':
            out += '%';
            break;
        default: // unknown conversions are kept as written
            out += '%';
            out += format[i];
            break;
        }
    }
    return out;
}

std::string DateShortText(const Date &date, bool shown) {
    const auto cal = CalendarFromDate(date);
    if (!cal)
        return "Invalid DateTime";
    if (!shown)
        return std::string("\"____\" __________ ") + FormatDate(date, " %Y г."_w);
    return FormatDate(date, "\"%d\" ") + std::string(kGenitiveMonths[cal->month]) +
           FormatDate(date, " %Y г."_w);
}

std::string DateWordsText(const Date &date) {
    const auto cal = CalendarFromDate(date);
    if (!cal)
        return "Invalid DateTime";
    return NumberInWords(FormatDate(date, "%d"), OrdinalNeuter) + " " +
           std::string(kGenitiveMonths[cal->month]) + " " +
           NumberInWords(FormatDate(date, "%Y"), OrdinalGenitive) + std::string("&nbsp;года"_w);
}

void DocumentDateTexts::Update(const Date &date, bool shown) {
    shortText = DateShortText(date, shown);
    if (shown)
        wordsText = DateWordsText(date);
}

std::string PeriodText(const Date &from, const Date &to) {
    const auto f = CalendarFromDate(from);
    const auto t = CalendarFromDate(to);
    if (f && t && f->year == t->year && f->day == 1) {
        // Only a period that reaches the true end of its month is a whole month: 1 to 28
        // February of a leap year leaves the 29th out.
        const bool toMonthEnd = t->day == DaysInMonth(t->year, t->month);
        if (f->month == t->month && toMonthEnd)
            return std::string("за "_w) + std::string(kNominativeMonths[f->month]) +
                   FormatDate(from, " %Y г."_w);
        if (f->month == 1 && t->month == 12 && t->day == 31)
            return std::string("за "_w) + FormatDate(from, " %Y г."_w);
        if (f->month < t->month && toMonthEnd)
            return std::string("за "_w) + std::string(kNominativeMonths[f->month]) + " - " +
                   std::string(kNominativeMonths[t->month]) + FormatDate(from, " %Y г."_w);
    }
    // The opening "c" is the Latin letter, as the journal page has always printed it.
    std::string out = "c ";
    out += FormatDate(from, " %d ");
    if (f)
        out += kGenitiveMonths[f->month];
    out += FormatDate(from, " %Y г."_w);
    out += " по "_w;
    out += FormatDate(to, " %d ");
    if (t)
        out += kGenitiveMonths[t->month];
    out += FormatDate(to, " %Y г."_w);
    return out;
}

namespace {

// Month number of a nominative or genitive name (any letter case), 0 when it is none.
int MonthByName(std::string_view word) {
    const std::string lower = ToLower(word);
    for (int m = 1; m <= 12; ++m)
        if (lower == kGenitiveMonths[m] || lower == kNominativeMonths[m])
            return m;
    return 0;
}

struct Token {
    std::string text;
    bool number = false;
};

// Splits a date text into numbers and words; blanks, ".", "/", "-", "," and quotation marks
// separate them.
std::vector<Token> Tokenize(std::string_view s) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c >= '0' && c <= '9') {
            std::size_t j = i;
            while (j < s.size() && s[j] >= '0' && s[j] <= '9')
                ++j;
            out.push_back({std::string(s.substr(i, j - i)), true});
            i = j;
        } else if (cp1251::IsLetter(c)) {
            std::size_t j = i;
            while (j < s.size() && cp1251::IsLetter(static_cast<unsigned char>(s[j])))
                ++j;
            out.push_back({std::string(s.substr(i, j - i)), false});
            i = j;
        } else if (IsBlank(s[i]) ||
                   std::string_view(".,/-\"").find(s[i]) != std::string_view::npos || c == 0xAB ||
                   c == 0xBB || c == 0x93 || c == 0x94) {
            ++i;
        } else {
            return {}; // a character no date has
        }
    }
    return out;
}

// A small number of at most 4 digits, or -1.
int SmallNumber(const Token &t) {
    if (!t.number || t.text.size() > 4)
        return -1;
    return std::stoi(t.text);
}

// Two-digit years read as 1930..2029, as the platform's date parser does.
int FullYear(const Token &t) {
    const int y = SmallNumber(t);
    if (y < 0)
        return -1;
    if (t.text.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

} // namespace

std::optional<Date> ParseDateItemText(std::string_view text) {
    std::string s(text);
    ReplaceAll(s, "г."_w, "");
    ReplaceAll(s, "года"_w, "");
    ReplaceAll(s, "евраля"_w, "евраль"_w);

    const std::vector<Token> tokens = Tokenize(s);
    if (tokens.size() != 3)
        return std::nullopt;
    int year = -1, month = -1, day = -1;
    if (tokens[0].number && tokens[1].number && tokens[2].number) {
        if (tokens[0].text.size() == 4) { // ISO: year-month-day
            year = SmallNumber(tokens[0]);
            month = SmallNumber(tokens[1]);
            day = SmallNumber(tokens[2]);
        } else { // day.month.year
            day = SmallNumber(tokens[0]);
            month = SmallNumber(tokens[1]);
            year = FullYear(tokens[2]);
        }
    } else if (tokens[0].number && !tokens[1].number && tokens[2].number) {
        day = SmallNumber(tokens[0]);
        month = MonthByName(tokens[1].text);
        year = FullYear(tokens[2]);
    } else {
        return std::nullopt;
    }
    if (year < 1900)
        return std::nullopt;
    const Date date = DateFromCalendar(year, month, day);
    if (!date.valid)
        return std::nullopt;
    return date;
}

std::string FormatDateItem(const Date &date, int form) {
    if (form == DateFormShort)
        return FormatDate(date, "%d.%m.%Y");
    const auto cal = CalendarFromDate(date);
    if (!cal)
        return FormatDate(date, "");
    return FormatDate(date, "%d " + std::string(kGenitiveMonths[cal->month]) + " %Y");
}

DateInput::DateInput(std::string_view itemText, int form, const Date &today)
    : date_(ParseDateItemText(itemText).value_or(today)), form_(form) {}

void DateInput::SetDate(const Date &date) {
    if (CalendarFromDate(date))
        date_ = date;
}

std::string DateInput::Accept() const {
    return FormatDateItem(date_, form_);
}

} // namespace dravo
