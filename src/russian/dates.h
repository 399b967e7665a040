// Dates: the day-count date value, calendar conversion, formatting, the document's date texts,
// the period wording and the logic of the "Ввод даты" calendar dialog. Text is windows-1251.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace dravo {

// Days counted from 30 December 1899 (day 0); the fraction is the time of day (always 0 here).
// A date that was never set or could not be converted is invalid.
struct Date {
    double days = 0;
    bool valid = false;

    friend bool operator==(const Date &, const Date &) = default;
};

struct CalendarDate {
    int year = 0;  // 100..9999
    int month = 0; // 1..12
    int day = 0;   // 1..31

    friend bool operator==(const CalendarDate &, const CalendarDate &) = default;
};

// Genitive ("января") and nominative ("январь") month names, index 1..12 (index 0 is empty).
extern const std::array<std::string_view, 13> kGenitiveMonths;
extern const std::array<std::string_view, 13> kNominativeMonths;

// Calendar fields to a date; an impossible day, month or a year outside 100..9999 gives an
// invalid date.
Date DateFromCalendar(int year, int month, int day);
Date DateFromCalendar(const CalendarDate &fields);
// The calendar fields of a valid date in 100..9999; nothing for an invalid one.
std::optional<CalendarDate> CalendarFromDate(const Date &date);
// The date of today on this computer.
Date Today();

// strftime-like formatting with "%d" (day, two digits), "%m" (month, two digits), "%Y"
// (four-digit year), "%y" (two-digit year) and "%%"; other characters are copied.
// An invalid date gives "Invalid DateTime".
std::string FormatDate(const Date &date, std::string_view format);

// The value of "дата составления": "\"06\" декабря 2004 г."; when the date is not shown the
// day and month are blanks to fill by hand and only the year is printed.
std::string DateShortText(const Date &date, bool shown = true);
// The value of "дата составления прописью": "шестое декабря две тысячи четвертого&nbsp;года".
std::string DateWordsText(const Date &date);

// The two date strings of the document whose page was built last. A hidden date keeps the
// previous words text, as the page commands expect.
struct DocumentDateTexts {
    std::string shortText; // DateShortText
    std::string wordsText; // DateWordsText

    void Update(const Date &date, bool shown);
};

// "c 01 января 2004 г. по 15 марта 2004 г.", shortened to "за январь 2004 г.", "за 2004 г." or
// "за январь - март 2004 г." for whole months of one year (a leap February ends on the 29th).
std::string PeriodText(const Date &from, const Date &to);

// Forms of the "Ввод даты" dialog.
enum DateForm : int {
    DateFormShort = 0, // "06.12.2004"
    DateFormLong = 1,  // "06 декабря 2004"
};

// Reads an item text as the dialog does on opening: "г." and "года" are removed, "евраля"
// reads as "евраль"; then day.month.year, day month-name year (nominative or genitive) and
// ISO year-month-day are accepted. Nothing when the text is not a date or its year is below 1900.
std::optional<Date> ParseDateItemText(std::string_view text);
// The item text of a date in a form (0 short, 1 long); any other form counts as long.
std::string FormatDateItem(const Date &date, int form);

// The "Ввод даты" dialog without its widget: opens on the item's date (today when the text is
// unreadable), lets the calendar and radio buttons change date and form, and gives the text on OK.
class DateInput {
  public:
    DateInput(std::string_view itemText, int form, const Date &today = Today());

    const Date &date() const { return date_; }
    int form() const { return form_; }
    void SetDate(const Date &date);
    void SetForm(int form) { form_ = form; }
    // The new item text ("OK").
    std::string Accept() const;

  private:
    Date date_;
    int form_ = DateFormShort;
};

} // namespace dravo
