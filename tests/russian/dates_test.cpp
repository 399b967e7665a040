#include "helpers.h"
#include "russian/dates.h"

#include <gtest/gtest.h>

namespace dravo {
namespace {

using test::U;
using test::W;

Date D(int y, int m, int d) {
    const Date date = DateFromCalendar(y, m, d);
    EXPECT_TRUE(date.valid) << y << "-" << m << "-" << d;
    return date;
}

TEST(DateValue, CountsDaysFromTheThirtiethOfDecember1899) {
    struct Row {
        int y, m, d;
        double days;
    };
    const Row rows[] = {{1899, 12, 30, 0},    {1899, 12, 31, 1},    {1900, 1, 1, 2},
                        {1900, 3, 1, 61},     {1899, 12, 29, -1},   {2004, 12, 6, 38327},
                        {2000, 2, 29, 36585}, {100, 1, 1, -657434}, {9999, 12, 31, 2958465},
                        {1970, 1, 1, 25569}};
    for (const Row &r : rows) {
        const Date date = DateFromCalendar(r.y, r.m, r.d);
        EXPECT_TRUE(date.valid);
        EXPECT_EQ(date.days, r.days) << r.y << "-" << r.m << "-" << r.d;
        const auto back = CalendarFromDate(date);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, (CalendarDate{r.y, r.m, r.d}));
    }
}

TEST(DateValue, RoundTripsEveryDayOfFourCenturies) {
    for (double day = -2000; day < 150000; ++day) {
        const auto cal = CalendarFromDate(Date{day, true});
        ASSERT_TRUE(cal.has_value());
        ASSERT_EQ(DateFromCalendar(*cal).days, day);
    }
}

TEST(DateValue, RefusesImpossibleCalendarFields) {
    struct Row {
        int y, m, d;
    };
    const Row bad[] = {{1900, 2, 29}, {2003, 2, 29}, {2004, 2, 30}, {2004, 4, 31}, {2004, 13, 1},
                       {2004, 0, 1},  {2004, 1, 0},  {99, 1, 1},    {10000, 1, 1}, {2004, 1, 32}};
    for (const Row &r : bad)
        EXPECT_FALSE(DateFromCalendar(r.y, r.m, r.d).valid) << r.y << "-" << r.m << "-" << r.d;
    EXPECT_TRUE(DateFromCalendar(2004, 2, 29).valid);
    EXPECT_TRUE(DateFromCalendar(2000, 2, 29).valid);
    EXPECT_FALSE(CalendarFromDate(Date{}).has_value());
    EXPECT_FALSE(CalendarFromDate(Date{3e6, true}).has_value());
    EXPECT_FALSE(CalendarFromDate(Date{-1e6, true}).has_value());
}

TEST(DateFormat, WritesTheFourConversions) {
    const Date date = D(2004, 12, 6);
    EXPECT_EQ(FormatDate(date, "%d.%m.%Y"), "06.12.2004");
    EXPECT_EQ(FormatDate(date, "%y"), "04");
    EXPECT_EQ(FormatDate(D(2010, 1, 9), "%d/%m/%y"), "09/01/10");
    EXPECT_EQ(FormatDate(date, "100%%"), "100%");
    EXPECT_EQ(FormatDate(date, "%q"), "%q");
    EXPECT_EQ(FormatDate(date, "%"), "%");
    EXPECT_EQ(FormatDate(date, ""), "");
    EXPECT_EQ(U(FormatDate(date, W(" %Y г."))), " 2004 г.");
}

TEST(DateFormat, InvalidDateGivesInvalidDateTime) {
    EXPECT_EQ(FormatDate(Date{}, "%d.%m.%Y"), "Invalid DateTime");
    EXPECT_EQ(FormatDate(DateFromCalendar(2004, 2, 30), "%Y"), "Invalid DateTime");
    EXPECT_EQ(DateShortText(Date{}), "Invalid DateTime");
    EXPECT_EQ(DateWordsText(Date{}), "Invalid DateTime");
}

TEST(DocumentDate, ShortAndWordsTexts) {
    const Date date = D(2004, 12, 6);
    EXPECT_EQ(U(DateShortText(date)), "\"06\" декабря 2004 г.");
    EXPECT_EQ(U(test::Collapse(DateWordsText(date))),
              "шестое декабря две тысячи четвертого&nbsp;года");
    EXPECT_EQ(U(DateWordsText(date)), "шестое декабря две тысячи   четвертого&nbsp;года");
    EXPECT_EQ(U(DateShortText(date, false)), "\"____\" __________  2004 г.");
}

TEST(DocumentDate, DaysOneToNineHaveALeadingZeroAndOrdinalWords) {
    const char *words[] = {"первое", "второе",  "третье",  "четвертое", "пятое",
                           "шестое", "седьмое", "восьмое", "девятое"};
    for (int day = 1; day <= 9; ++day) {
        const Date date = D(2005, 3, day);
        EXPECT_EQ(U(DateShortText(date)), "\"0" + std::to_string(day) + "\" марта 2005 г.");
        EXPECT_EQ(U(test::Collapse(DateWordsText(date))),
                  std::string(words[day - 1]) + " марта две тысячи пятого&nbsp;года");
    }
}

TEST(DocumentDate, EveryMonthHasItsGenitiveName) {
    const char *months[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                            "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    for (int m = 1; m <= 12; ++m)
        EXPECT_EQ(U(DateShortText(D(2010, m, 15))),
                  "\"15\" " + std::string(months[m - 1]) + " 2010 г.");
}

TEST(DocumentDate, HiddenDateKeepsThePreviousWordsText) {
    DocumentDateTexts texts;
    texts.Update(D(2004, 12, 6), true);
    const std::string words = texts.wordsText;
    texts.Update(D(2011, 5, 1), false);
    EXPECT_EQ(U(texts.shortText), "\"____\" __________  2011 г.");
    EXPECT_EQ(texts.wordsText, words);
    texts.Update(D(2011, 5, 1), true);
    EXPECT_EQ(U(texts.shortText), "\"01\" мая 2011 г.");
    EXPECT_EQ(U(test::Collapse(texts.wordsText)), "первое мая две тысячи одиннадцатого&nbsp;года");
}

struct PeriodCase {
    int fy, fm, fd, ty, tm, td;
    const char *expected;
};

class PeriodTable : public ::testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodTable, Wording) {
    const PeriodCase &c = GetParam();
    EXPECT_EQ(U(PeriodText(D(c.fy, c.fm, c.fd), D(c.ty, c.tm, c.td))), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Periods, PeriodTable,
    ::testing::Values(
        PeriodCase{2004, 1, 1, 2004, 1, 31, "за январь 2004 г."},
        PeriodCase{2003, 2, 1, 2003, 2, 28, "за февраль 2003 г."},
        // A leap February has 29 days: the 28th does not end it.
        PeriodCase{2004, 2, 1, 2004, 2, 29, "за февраль 2004 г."},
        PeriodCase{2004, 2, 1, 2004, 2, 28, "c  01 февраля 2004 г. по  28 февраля 2004 г."},
        PeriodCase{2024, 1, 1, 2024, 2, 29, "за январь - февраль 2024 г."},
        PeriodCase{2024, 1, 1, 2024, 2, 28, "c  01 января 2024 г. по  28 февраля 2024 г."},
        PeriodCase{2100, 2, 1, 2100, 2, 28, "за февраль 2100 г."},
        PeriodCase{2004, 1, 1, 2004, 12, 31, "за  2004 г."},
        PeriodCase{2004, 1, 1, 2004, 3, 31, "за январь - март 2004 г."},
        PeriodCase{2004, 4, 1, 2004, 6, 30, "за апрель - июнь 2004 г."},
        PeriodCase{2004, 3, 1, 2004, 3, 15, "c  01 марта 2004 г. по  15 марта 2004 г."},
        PeriodCase{2004, 3, 2, 2004, 3, 31, "c  02 марта 2004 г. по  31 марта 2004 г."},
        PeriodCase{2003, 12, 1, 2004, 1, 31, "c  01 декабря 2003 г. по  31 января 2004 г."},
        PeriodCase{2004, 6, 1, 2004, 3, 31, "c  01 июня 2004 г. по  31 марта 2004 г."},
        PeriodCase{2004, 12, 1, 2004, 12, 31, "за декабрь 2004 г."},
        PeriodCase{2004, 1, 1, 2004, 11, 30, "за январь - ноябрь 2004 г."},
        PeriodCase{2004, 1, 1, 2004, 11, 29, "c  01 января 2004 г. по  29 ноября 2004 г."}));

TEST(Period, StartsWithTheLatinLetterC) {
    const std::string text = PeriodText(D(2004, 3, 1), D(2004, 3, 15));
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text[0], 'c');
    // An invalid end of the period is written as such, never read out of the month table.
    EXPECT_EQ(U(PeriodText(Date{}, D(2004, 3, 15))),
              "c Invalid DateTimeInvalid DateTime по  15 марта 2004 г.");
}

struct ParseCase {
    const char *text;
    int y, m, d; // y == 0: not a date
};

class DateItemParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DateItemParse, ReadsTheItemText) {
    const ParseCase &c = GetParam();
    const auto date = ParseDateItemText(W(c.text));
    if (c.y == 0) {
        EXPECT_FALSE(date.has_value()) << c.text;
        return;
    }
    ASSERT_TRUE(date.has_value()) << c.text;
    EXPECT_EQ(*CalendarFromDate(*date), (CalendarDate{c.y, c.m, c.d})) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DateItemParse,
    ::testing::Values(
        ParseCase{"06 февраля 2004", 2004, 2, 6}, ParseCase{"06.12.2004", 2004, 12, 6},
        ParseCase{"6.1.2010", 2010, 1, 6}, ParseCase{"06 декабря 2004", 2004, 12, 6},
        ParseCase{"06 декабря 2004 г.", 2004, 12, 6}, ParseCase{"6 декабря 2004 года", 2004, 12, 6},
        ParseCase{"6 декабрь 2004", 2004, 12, 6}, ParseCase{"01 Мая 2011г.", 2011, 5, 1},
        ParseCase{"31 ДЕКАБРЯ 2020", 2020, 12, 31}, ParseCase{"2004-12-06", 2004, 12, 6},
        ParseCase{"06/12/2004", 2004, 12, 6}, ParseCase{"  06.12.2004  ", 2004, 12, 6},
        ParseCase{"\"06\" декабря 2004 г.", 2004, 12, 6},
        ParseCase{"«06» февраля 2004 г.", 2004, 2, 6}, ParseCase{"06.12.04", 2004, 12, 6},
        ParseCase{"06.12.95", 1995, 12, 6}, ParseCase{"29.02.2004", 2004, 2, 29},
        // not dates, or before 1900: the dialog opens on today
        ParseCase{"", 0, 0, 0}, ParseCase{"   ", 0, 0, 0}, ParseCase{"вчера", 0, 0, 0},
        ParseCase{"31.02.2004", 0, 0, 0}, ParseCase{"06.13.2004", 0, 0, 0},
        ParseCase{"06.12.1899", 0, 0, 0}, ParseCase{"1899-12-31", 0, 0, 0},
        ParseCase{"06 брюмера 2004", 0, 0, 0}, ParseCase{"06.12", 0, 0, 0},
        ParseCase{"06.12.2004 12:30", 0, 0, 0}, ParseCase{"99999999.12.2004", 0, 0, 0},
        ParseCase{"06 декабря 2004 abc", 0, 0, 0}));

TEST(DateInputDialog, OpensOnTheItemDateOrToday) {
    const Date today = D(2020, 7, 15);
    EXPECT_EQ(DateInput(W("06 февраля 2004"), 1, today).date(), D(2004, 2, 6));
    EXPECT_EQ(DateInput(W("нет даты"), 0, today).date(), today);
    EXPECT_EQ(DateInput(W("01.01.1800"), 0, today).date(), today);
    EXPECT_EQ(DateInput("", 0, today).date(), today);
}

TEST(DateInputDialog, FormatsByForm) {
    DateInput dialog(W("06.12.2004"), DateFormShort, D(2020, 7, 15));
    EXPECT_EQ(dialog.Accept(), "06.12.2004");
    dialog.SetForm(DateFormLong);
    EXPECT_EQ(U(dialog.Accept()), "06 декабря 2004");
    dialog.SetDate(D(2005, 2, 1));
    EXPECT_EQ(U(dialog.Accept()), "01 февраля 2005");
    dialog.SetDate(Date{}); // an invalid date is not taken
    EXPECT_EQ(U(dialog.Accept()), "01 февраля 2005");
    dialog.SetForm(DateFormShort);
    EXPECT_EQ(dialog.Accept(), "01.02.2005");
}

TEST(DateInputDialog, LongTextReadsBackAsTheSameDate) {
    for (int m = 1; m <= 12; ++m) {
        const Date date = D(2012, m, 28);
        const std::string text = FormatDateItem(date, DateFormLong);
        EXPECT_EQ(DateInput(text, DateFormLong, D(2000, 1, 1)).date(), date) << U(text);
        EXPECT_EQ(DateInput(DateShortText(date), 0, D(2000, 1, 1)).date(), date);
    }
}

TEST(DateInputDialog, TodayIsAValidDate) {
    const auto cal = CalendarFromDate(Today());
    ASSERT_TRUE(cal.has_value());
    EXPECT_GE(cal->year, 2000);
}

} // namespace
} // namespace dravo
