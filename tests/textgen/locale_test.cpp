// The window toolkit puts the program under the user's locale, and a Russian desktop writes
// decimals with a comma. The texts of the contract and the arithmetic of number entry keep the
// point, whatever the locale says.
#include <gtest/gtest.h>

#include <clocale>

#include "fixture.h"
#include "russian/evaluator.h"
#include "textgen/subject.h"

namespace dravo::textgen {
namespace {

using testing::FakeSubjects;
using testing::Item;
using testing::U;
using testing::W;

// Numbers under a locale with a decimal comma for the life of the object, when one is installed.
class CommaLocale {
  public:
    CommaLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {
        for (const char *name : {"ru_RU.UTF-8", "ru_RU.utf8", "ru_RU.CP1251", "de_DE.UTF-8"})
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                std::string(std::localeconv()->decimal_point) == ",") {
                active_ = true;
                return;
            }
        std::setlocale(LC_NUMERIC, saved_.c_str());
    }
    ~CommaLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
    CommaLocale(const CommaLocale &) = delete;
    CommaLocale &operator=(const CommaLocale &) = delete;
    bool active() const { return active_; }

  private:
    std::string saved_;
    bool active_ = false;
};

TEST(CommaLocaleTest, SubjectAmountsKeepTheirPoint) {
    CBody body = testing::StyledBody();
    body.Paragraph(ParReqText).m_strName = W("станки");
    FakeSubjects subjects;
    subjects.Add("станки", {Item("Станок токарный", 2, "шт.", 750, 1500),
                            Item("Фреза", 0, "", 0, 0, "USD", "без НДС")});
    DocumentContext ctx(body);
    ctx.LoadSubjects(&subjects);

    CommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const std::string sentence = U(SubjectSentence(ctx, SubjectList::Subject));
    const std::string table = U(SubjectTable(ctx, SubjectList::Subject));
    EXPECT_NE(sentence.find("по цене 750.00 руб.,"), std::string::npos) << sentence;
    EXPECT_NE(sentence.find("Фреза в количестве ______  по цене ______ USD"), std::string::npos)
        << sentence;
    EXPECT_NE(table.find(">1500.00</TD>"), std::string::npos) << table;
    EXPECT_EQ(SubjectTotal(ctx, SubjectList::Subject), "1500.00");
}

TEST(CommaLocaleTest, NumberEntryArithmetic) {
    CommaLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    const struct {
        const char *expression;
        const char *result;
    } cases[] = {
        {"1,5*2", "3"}, {"10/3", "3,333333"}, {"10/1", "10"}, {"2,25+0,25", "2,5"}, {"0,5", "0,5"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CalculateText(c.expression), c.result) << c.expression;
}

} // namespace
} // namespace dravo::textgen
