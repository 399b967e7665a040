#include "helpers.h"
#include "russian/subject_name.h"

#include <gtest/gtest.h>

#include <array>

namespace dravo {
namespace {

using test::U;
using test::W;

struct SubjectCase {
    const char *name;
    int gender;
    int plural;
    // genitive, dative, accusative, instrumental, prepositional
    std::array<const char *, 5> forms;
};

class SubjectNameTable : public ::testing::TestWithParam<SubjectCase> {};

TEST_P(SubjectNameTable, Forms) {
    const SubjectCase &c = GetParam();
    SubjectNameForms f;
    f.SetSubjectName(W(c.name));
    EXPECT_EQ(U(f.name), c.name);
    EXPECT_EQ(f.gender, c.gender) << c.name;
    EXPECT_EQ(f.plural, c.plural) << c.name;
    EXPECT_EQ(U(f.genitive), c.forms[0]) << c.name;
    EXPECT_EQ(U(f.dative), c.forms[1]) << c.name;
    EXPECT_EQ(U(f.accusative), c.forms[2]) << c.name;
    EXPECT_EQ(U(f.instrumental), c.forms[3]) << c.name;
    EXPECT_EQ(U(f.prepositional), c.forms[4]) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SubjectNameTable,
    ::testing::Values(
        SubjectCase{"компьютер",
                    1,
                    0,
                    {"компьютера", "компьютеру", "компьютер", "компьютером", "компьютере"}},
        SubjectCase{"блок", 1, 0, {"блока", "блоку", "блок", "блоком", "блоке"}},
        SubjectCase{"автобус", 1, 0, {"автобуса", "автобусу", "автобус", "автобусом", "автобусе"}},
        SubjectCase{"пакет", 1, 0, {"пакета", "пакету", "пакет", "пакетом", "пакете"}},
        SubjectCase{"стол", 1, 0, {"стола", "столу", "стол", "столом", "столе"}},
        SubjectCase{"материалы",
                    1,
                    1,
                    {"материалов", "материалам", "материалы", "материалами", "материалах"}},
        SubjectCase{
            "продукция", 2, 0, {"продукции", "продукции", "продукцию", "продукцией", "продукции"}},
        SubjectCase{"здания", 0, 1, {"зданий", "зданиям", "здания", "зданиями", "зданиях"}},
        SubjectCase{"изделия", 0, 1, {"изделий", "изделиям", "изделия", "изделиями", "изделиях"}},
        SubjectCase{
            "оборудование",
            0,
            0,
            {"оборудования", "оборудованию", "оборудование", "оборудованием", "оборудовании"}},
        SubjectCase{"автомобиль",
                    1,
                    0,
                    {"автомобиля", "автомобилю", "автомобиль", "автомобилем", "автомобиле"}},
        SubjectCase{"автомобили",
                    1,
                    1,
                    {"автомобилей", "автомобилям", "автомобили", "автомобилями", "автомобилях"}},
        SubjectCase{
            "запчасти", 2, 1, {"запчастей", "запчастям", "запчасти", "запчастями", "запчастях"}},
        SubjectCase{"техника", 2, 0, {"техники", "технике", "технику", "техникой", "технике"}},
        SubjectCase{
            "имущество", 0, 0, {"имущества", "имуществу", "имущество", "имуществом", "имуществе"}},
        // last letters of the three-letter rows without their ending, and the rest
        SubjectCase{"машина", 0, 0, {"машина", "машина", "машина", "машина", "машина"}},
        SubjectCase{"вагон", 0, 0, {"вагон", "вагон", "вагон", "вагон", "вагон"}},
        SubjectCase{"мебель", 0, 0, {"мебель", "мебель", "мебель", "мебель", "мебель"}},
        SubjectCase{"услуги", 0, 0, {"услуги", "услуги", "услуги", "услуги", "услуги"}},
        SubjectCase{"партия", 0, 0, {"партия", "партия", "партия", "партия", "партия"}},
        SubjectCase{"изделие", 0, 0, {"изделие", "изделие", "изделие", "изделие", "изделие"}},
        SubjectCase{"СТАНОК", 0, 0, {"СТАНОК", "СТАНОК", "СТАНОК", "СТАНОК", "СТАНОК"}}));

// The vowel that drops in the other cases: станок -> станка, while блок, урок, срок keep theirs.
INSTANTIATE_TEST_SUITE_P(
    FleetingVowels, SubjectNameTable,
    ::testing::Values(
        SubjectCase{"станок", 1, 0, {"станка", "станку", "станок", "станком", "станке"}},
        SubjectCase{"Станок", 1, 0, {"Станка", "Станку", "Станок", "Станком", "Станке"}},
        SubjectCase{"участок", 1, 0, {"участка", "участку", "участок", "участком", "участке"}},
        SubjectCase{"земельный участок",
                    1,
                    0,
                    {"земельного участка", "земельному участку", "земельный участок",
                     "земельным участком", "земельном участке"}},
        SubjectCase{"урок", 1, 0, {"урока", "уроку", "урок", "уроком", "уроке"}},
        SubjectCase{"срок", 1, 0, {"срока", "сроку", "срок", "сроком", "сроке"}},
        SubjectCase{"поток", 1, 0, {"потока", "потоку", "поток", "потоком", "потоке"}},
        SubjectCase{"ковер", 1, 0, {"ковра", "ковру", "ковер", "ковром", "ковре"}},
        SubjectCase{"узел", 1, 0, {"узла", "узлу", "узел", "узлом", "узле"}},
        SubjectCase{"котёл", 1, 0, {"котла", "котлу", "котёл", "котлом", "котле"}},
        SubjectCase{"задаток", 1, 0, {"задатка", "задатку", "задаток", "задатком", "задатке"}},
        SubjectCase{"мини-станок",
                    1,
                    0,
                    {"мини-станка", "мини-станку", "мини-станок", "мини-станком", "мини-станке"}},
        SubjectCase{"подстанок",
                    1,
                    0,
                    {"подстанока", "подстаноку", "подстанок", "подстаноком", "подстаноке"}}));

INSTANTIATE_TEST_SUITE_P(
    Adjectives, SubjectNameTable,
    ::testing::Values(
        SubjectCase{"запасные части",
                    2,
                    1,
                    {"запасных частей", "запасным частям", "запасные части", "запасными частями",
                     "запасных частях"}},
        SubjectCase{"строительные материалы",
                    1,
                    1,
                    {"строительных материалов", "строительным материалам", "строительные материалы",
                     "строительными материалами", "строительных материалах"}},
        SubjectCase{"токарный станок",
                    1,
                    0,
                    {"токарного станка", "токарному станку", "токарный станок", "токарным станком",
                     "токарном станке"}},
        SubjectCase{"электронная техника",
                    2,
                    0,
                    {"электронной техники", "электронной технике", "электронную технику",
                     "электронной техникой", "электронной технике"}},
        SubjectCase{"легковое транспортное средство",
                    0,
                    0,
                    {"легкового транспортного средства", "легковому транспортному средству",
                     "легковое транспортное средство", "легковым транспортным средством",
                     "легковом транспортном средстве"}},
        SubjectCase{"морское судно",
                    0,
                    0,
                    {"морского судна", "морскому судну", "морское судно", "морским судном",
                     "морском судне"}},
        SubjectCase{"жилое помещение",
                    0,
                    0,
                    {"жилого помещения", "жилому помещению", "жилое помещение", "жилым помещением",
                     "жилом помещении"}},
        SubjectCase{"грузовой автомобиль",
                    1,
                    0,
                    {"грузовой автомобиля", "грузовой автомобилю", "грузовой автомобиль",
                     "грузовой автомобилем", "грузовой автомобиле"}},
        SubjectCase{"Новое оборудование",
                    0,
                    0,
                    {"Нового оборудования", "Новому оборудованию", "Новое оборудование",
                     "Новым оборудованием", "Новом оборудовании"}}));

TEST(SubjectName, EmptyNameIsUndefinedInEveryForm) {
    for (const char *empty : {"", "   ", "\t"}) {
        SubjectNameForms f;
        f.SetSubjectName(empty);
        const std::string undefined = W("<не определено>");
        for (const std::string *form : {&f.name, &f.genitive, &f.dative, &f.accusative,
                                        &f.instrumental, &f.prepositional, &f.capitalized})
            EXPECT_EQ(*form, undefined);
        EXPECT_EQ(f.lastLetter, '>');
    }
}

TEST(SubjectName, TrimsCapitalizesAndKeepsTheLastLetter) {
    SubjectNameForms f;
    f.SetSubjectName(W("  автомобиль "));
    EXPECT_EQ(U(f.name), "автомобиль");
    EXPECT_EQ(U(f.capitalized), "Автомобиль");
    EXPECT_EQ(U(std::string(1, f.lastLetter)), "ь");
    f.SetSubjectName(W("ёлка"));
    EXPECT_EQ(U(f.capitalized), "Ёлка");
    // set again: nothing of the earlier name remains
    f.SetSubjectName(W("запчасти"));
    EXPECT_EQ(U(f.genitive), "запчастей");
    EXPECT_EQ(f.gender, 2);
    f.SetSubjectName(W("имущество"));
    EXPECT_EQ(f.gender, 0);
    EXPECT_EQ(f.plural, 0);
}

} // namespace
} // namespace dravo
