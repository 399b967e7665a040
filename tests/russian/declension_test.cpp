#include "helpers.h"
#include "russian/declension.h"

#include <gtest/gtest.h>

#include <array>

namespace dravo {
namespace {

using test::U;
using test::W;

// A word in cases 2..6: genitive, dative, accusative, instrumental, prepositional.
struct WordCase {
    const char *word;
    int gender;
    std::array<const char *, 5> forms;
};

class DeclineWordTable : public ::testing::TestWithParam<WordCase> {};

TEST_P(DeclineWordTable, EveryCase) {
    const WordCase &c = GetParam();
    const std::string word = W(c.word);
    EXPECT_EQ(DeclineWord(word, c.gender, CaseNom), word);
    for (int k = CaseGen; k <= CasePrep; ++k)
        EXPECT_EQ(U(DeclineWord(word, c.gender, k)), c.forms[k - CaseGen])
            << c.word << " gender " << c.gender << " case " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Masculine, DeclineWordTable,
    ::testing::Values(
        WordCase{"Иванов", 1, {"Иванова", "Иванову", "Иванова", "Ивановым", "Иванове"}}, // 1
        WordCase{"Королёв", 1, {"Королёва", "Королёву", "Королёва", "Королёвым", "Королёве"}},
        WordCase{"Пушкин", 1, {"Пушкина", "Пушкину", "Пушкина", "Пушкиным", "Пушкине"}},
        WordCase{"Шмидт", 1, {"Шмидта", "Шмидту", "Шмидта", "Шмидтом", "Шмидте"}},  // 2
        WordCase{"Гоголь", 1, {"Гоголя", "Гоголю", "Гоголя", "Гоголем", "Гоголе"}}, // 3
        WordCase{"Гайдай", 1, {"Гайдая", "Гайдаю", "Гайдая", "Гайдаем", "Гайдае"}}, // 3
        WordCase{
            "Достоевский",
            1,
            {"Достоевского", "Достоевскому", "Достоевского", "Достоевским", "Достоевском"}}, // 4
        WordCase{"Блюм", 1, {"Блюма", "Блюму", "Блюма", "Блюмом", "Блюме"}},                 // 5
        WordCase{"Бабич", 1, {"Бабича", "Бабичу", "Бабича", "Бабичем", "Бабиче"}},           // 6
        WordCase{"Боец", 1, {"Бойца", "Бойцу", "Бойца", "Бойцем", "Бойце"}},                 // 7
        WordCase{"Скворец", 1, {"Скворца", "Скворцу", "Скворца", "Скворцом", "Скворце"}},    // 8
        WordCase{"Толстой", 1, {"Толстого", "Толстому", "Толстого", "Толстым", "Толстом"}},  // 9
        WordCase{"Белый", 1, {"Белого", "Белому", "Белого", "Белым", "Белом"}},              // 9
        WordCase{"Горячий", 1, {"Горячего", "Горячему", "Горячего", "Горячим", "Горячем"}},  // 10
        WordCase{"Кулеба", 1, {"Кулебы", "Кулебе", "Кулебу", "Кулебой", "Кулебе"}},          // 11
        WordCase{"Головня", 1, {"Головни", "Головне", "Головню", "Головней", "Головне"}},    // 12
        WordCase{"Сорока", 1, {"Сороки", "Сороке", "Сороку", "Сорокой", "Сороке"}},          // 13
        WordCase{"Глуша", 1, {"Глуши", "Глуше", "Глушу", "Глушей", "Глуше"}},                // 14
        // class 0: no ending
        WordCase{"Черных", 1, {"Черных", "Черных", "Черных", "Черных", "Черных"}},
        WordCase{"Седых", 1, {"Седых", "Седых", "Седых", "Седых", "Седых"}},
        WordCase{"Гарсия", 1, {"Гарсия", "Гарсия", "Гарсия", "Гарсия", "Гарсия"}},
        WordCase{"Шоу", 1, {"Шоу", "Шоу", "Шоу", "Шоу", "Шоу"}},
        WordCase{"Дюмоно", 1, {"Дюмоно", "Дюмоно", "Дюмоно", "Дюмоно", "Дюмоно"}},
        // no class at all: returned unchanged
        WordCase{"Smith", 1, {"Smith", "Smith", "Smith", "Smith", "Smith"}},
        WordCase{"Ивановъ", 1, {"Ивановъ", "Ивановъ", "Ивановъ", "Ивановъ", "Ивановъ"}}));

INSTANTIATE_TEST_SUITE_P(
    Feminine, DeclineWordTable,
    ::testing::Values(
        WordCase{"Иванова", 2, {"Ивановой", "Ивановой", "Иванову", "Ивановой", "Ивановой"}}, // 16
        WordCase{"Пушкина", 2, {"Пушкиной", "Пушкиной", "Пушкину", "Пушкиной", "Пушкиной"}},
        WordCase{"Королёва", 2, {"Королёвой", "Королёвой", "Королёву", "Королёвой", "Королёвой"}},
        WordCase{"Толстая", 2, {"Толстой", "Толстой", "Толстую", "Толстой", "Толстой"}}, // 15
        WordCase{"Мария", 2, {"Марии", "Марии", "Марию", "Марией", "Марии"}},       // 12, "ия"
        WordCase{"Зозуля", 2, {"Зозули", "Зозуле", "Зозулю", "Зозулей", "Зозуле"}}, // 12
        WordCase{"Головня", 2, {"Головни", "Головне", "Головню", "Головней", "Головне"}}, // 12
        WordCase{"Кулеба", 2, {"Кулебы", "Кулебе", "Кулебу", "Кулебой", "Кулебе"}},       // 11
        WordCase{"Сорока", 2, {"Сороки", "Сороке", "Сороку", "Сорокой", "Сороке"}},       // 13
        WordCase{"Глуша", 2, {"Глуши", "Глуше", "Глушу", "Глушей", "Глуше"}},             // 14
        // a feminine surname in a consonant stays in every case
        WordCase{"Шмидт", 2, {"Шмидт", "Шмидт", "Шмидт", "Шмидт", "Шмидт"}},
        WordCase{"Гоголь", 2, {"Гоголь", "Гоголь", "Гоголь", "Гоголь", "Гоголь"}},
        WordCase{"Черных", 0, {"Черных", "Черных", "Черных", "Черных", "Черных"}}));

TEST(DeclineWord, UnfilledBlankAndOddCasesStay) {
    EXPECT_EQ(DeclineWord("_____", kMasculine, CaseGen), "_____");
    EXPECT_EQ(U(DeclineWord(W("Иванов_____"), kMasculine, CaseGen)), "Иванов_____");
    EXPECT_EQ(U(DeclineWord(W("Иванов"), kMasculine, 0)), "Иванов");
    EXPECT_EQ(U(DeclineWord(W("Иванов"), kMasculine, 7)), "Иванов");
    EXPECT_EQ(DeclineWord("", kMasculine, CaseGen), "");
    // any gender other than 1 is feminine
    EXPECT_EQ(U(DeclineWord(W("Иванова"), 5, CaseGen)), "Ивановой");
}

TEST(DeclineSurnameText, HyphensInitialsAndTheSwitch) {
    struct Row {
        const char *text;
        int gender;
        int wordCase;
        const char *expected;
    };
    const Row rows[] = {
        {"Петров-Водкин", 1, CaseGen, "Петрова-Водкина"},
        {"Петрова-Водкина", 2, CaseDat, "Петровой-Водкиной"},
        {"  Иванов  ", 1, CaseGen, "Иванова"},
        {"Иванов", 1, CaseIns, "Ивановым"},
        {"И.И.", 1, CaseGen, "И.И"},
        {"Иванов И.И..", 1, CaseGen, "Иванов И.И"},
        {"Шмидт", 2, CaseGen, "Шмидт"},
        {"Римский-Корсаков", 1, CaseGen, "Римского-Корсакова"},
        {"-", 1, CaseGen, "-"},
        {"", 1, CaseGen, ""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(U(DeclineSurnameText(W(r.text), r.gender, r.wordCase)), r.expected) << r.text;
    EXPECT_EQ(U(DeclineSurnameText(W(" Иванов "), 1, CaseGen, false)), " Иванов ");
}

struct PersonCase {
    const char *surname;
    const char *namePatronymic;
    bool male;
    std::array<const char *, 3> surnameForms; // genitive, dative, accusative
    std::array<const char *, 3> nameForms;
};

class PersonTable : public ::testing::TestWithParam<PersonCase> {};

TEST_P(PersonTable, SurnameAndNameForms) {
    const PersonCase &c = GetParam();
    const PersonForms f = BuildPersonForms(W(c.surname), W(c.namePatronymic), "");
    EXPECT_EQ(f.male, c.male) << c.namePatronymic;
    EXPECT_EQ(U(f.surnameGenitive()), c.surnameForms[0]) << c.surname;
    EXPECT_EQ(U(f.surnameDative()), c.surnameForms[1]) << c.surname;
    EXPECT_EQ(U(f.surnameAccusative()), c.surnameForms[2]) << c.surname;
    if (c.nameForms[0] == nullptr) // a surname row
        return;
    EXPECT_EQ(U(f.namePatronymicGenitive()), c.nameForms[0]) << c.namePatronymic;
    EXPECT_EQ(U(f.namePatronymicDative()), c.nameForms[1]) << c.namePatronymic;
    EXPECT_EQ(U(f.namePatronymicAccusative()), c.nameForms[2]) << c.namePatronymic;
}

INSTANTIATE_TEST_SUITE_P(
    SurnameRules, PersonTable,
    ::testing::Values(
        PersonCase{"Иванов",
                   "Иван Иванович",
                   true,
                   {"Иванова", "Иванову", "Иванова"},
                   {"Ивана Ивановича", "Ивану Ивановичу", "Ивана Ивановича"}},
        PersonCase{"Петрова",
                   "Мария Ивановна",
                   false,
                   {"Петровой", "Петровой", "Петрову"},
                   {"Марии Ивановны", "Марии Ивановне", "Марию Ивановну"}},
        PersonCase{"Пушкин", "Иван Иванович", true, {"Пушкина", "Пушкину", "Пушкина"}, {}},
        PersonCase{"Лисицын", "Иван Иванович", true, {"Лисицына", "Лисицыну", "Лисицына"}, {}},
        PersonCase{"Андреев", "Иван Иванович", true, {"Андреева", "Андрееву", "Андреева"}, {}},
        PersonCase{"Королёв", "Иван Иванович", true, {"Королёва", "Королёву", "Королёва"}, {}},
        PersonCase{"Достоевский",
                   "Федор Михайлович",
                   true,
                   {"Достоевского", "Достоевскому", "Достоевского"},
                   {}},
        PersonCase{"Белый", "Андрей Иванович", true, {"Белого", "Белому", "Белого"}, {}},
        PersonCase{"Кулий", "Иван Иванович", true, {"Кулия", "Кулию", "Кулия"}, {}},
        PersonCase{"Могучий", "Иван Иванович", true, {"Могучего", "Могучему", "Могучего"}, {}},
        PersonCase{
            "Говорящий", "Иван Иванович", true, {"Говорящего", "Говорящему", "Говорящего"}, {}},
        PersonCase{"Пушкина", "Анна Ивановна", false, {"Пушкиной", "Пушкиной", "Пушкину"}, {}},
        PersonCase{"Лисицына", "Анна Ивановна", false, {"Лисицыной", "Лисицыной", "Лисицыну"}, {}},
        PersonCase{"Андреева", "Анна Ивановна", false, {"Андреевой", "Андреевой", "Андрееву"}, {}},
        PersonCase{"Королёва", "Анна Ивановна", false, {"Королёвой", "Королёвой", "Королёву"}, {}},
        PersonCase{"Толстая", "Анна Ивановна", false, {"Толстой", "Толстой", "Толстую"}, {}},
        PersonCase{"Могучая", "Анна Ивановна", false, {"Могучей", "Могучей", "Могучую"}, {}},
        PersonCase{
            "Говорящая", "Анна Ивановна", false, {"Говорящей", "Говорящей", "Говорящую"}, {}},
        PersonCase{"Рева", "Анна Ивановна", false, {"Рева", "Рева", "Реву"}, {}},
        PersonCase{"Шмидт", "Иван Иванович", true, {"Шмидта", "Шмидту", "Шмидта"}, {}},
        PersonCase{"Толстой", "Лев Николаевич", true, {"Толстого", "Толстому", "Толстого"}, {}},
        PersonCase{"Гоголь", "Николай Васильевич", true, {"Гоголя", "Гоголю", "Гоголя"}, {}},
        PersonCase{
            "Ковальчук", "Иван Иванович", true, {"Ковальчука", "Ковальчуку", "Ковальчука"}, {}},
        PersonCase{"Глинка", "Анна Ивановна", false, {"Глинки", "Глинке", "Глинку"}, {}},
        PersonCase{"Гарсия", "Анна Ивановна", false, {"Гарсии", "Гарсии", "Гарсию"}, {}},
        PersonCase{"Петров-Водкин",
                   "Кузьма Сергеевич",
                   true,
                   {"Петрова-Водкина", "Петрову-Водкину", "Петрова-Водкина"},
                   {}},
        PersonCase{"Сергеева-Толстая",
                   "Анна Ивановна",
                   false,
                   {"Сергеевой-Толстой", "Сергеевой-Толстой", "Сергееву-Толстую"},
                   {}},
        PersonCase{"Гюго", "Иван Иванович", true, {"Гюго", "Гюго", "Гюго"}, {}},
        PersonCase{"И.", "Иван Иванович", true, {"И.", "И.", "И."}, {}},
        PersonCase{"Рева", "Иван Иванович", true, {"Рева", "Рева", "Рева"}, {}},
        PersonCase{"Шмидт", "Анна Ивановна", false, {"Шмидт", "Шмидт", "Шмидт"}, {}},
        PersonCase{"Черных", "Анна Ивановна", false, {"Черных", "Черных", "Черных"}, {}},
        PersonCase{"Иванова", "Иван Иванович", true, {"Иванова", "Иванова", "Иванова"}, {}},
        PersonCase{"_____", "Иван Иванович", true, {"_____", "_____", "_____"}, {}}),
    [](const auto &info) { return "row" + std::to_string(info.index); });

struct NameCase {
    const char *namePatronymic;
    std::array<const char *, 3> forms;
};

class NamePatronymicTable : public ::testing::TestWithParam<NameCase> {};

TEST_P(NamePatronymicTable, Forms) {
    const NameCase &c = GetParam();
    const PersonForms f = BuildPersonForms(W("Иванов"), W(c.namePatronymic), "");
    EXPECT_EQ(U(f.namePatronymicGenitive()), c.forms[0]) << c.namePatronymic;
    EXPECT_EQ(U(f.namePatronymicDative()), c.forms[1]) << c.namePatronymic;
    EXPECT_EQ(U(f.namePatronymicAccusative()), c.forms[2]) << c.namePatronymic;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamePatronymicTable,
    ::testing::Values(
        NameCase{"Игорь Петрович", {"Игоря Петровича", "Игорю Петровичу", "Игоря Петровича"}},
        NameCase{"Максим Петрович",
                 {"Максима Петровича", "Максиму Петровичу", "Максима Петровича"}},
        NameCase{"Давид Петрович", {"Давида Петровича", "Давиду Петровичу", "Давида Петровича"}},
        NameCase{"Марат Петрович", {"Марата Петровича", "Марату Петровичу", "Марата Петровича"}},
        NameCase{"Вадим Петрович", {"Вадима Петровича", "Вадиму Петровичу", "Вадима Петровича"}},
        NameCase{"Ростислав Петрович",
                 {"Ростислава Петровича", "Ростиславу Петровичу", "Ростислава Петровича"}},
        NameCase{"Олег Петрович", {"Олега Петровича", "Олегу Петровичу", "Олега Петровича"}},
        NameCase{"Денис Петрович", {"Дениса Петровича", "Денису Петровичу", "Дениса Петровича"}},
        NameCase{"Виктор Петрович",
                 {"Виктора Петровича", "Виктору Петровичу", "Виктора Петровича"}},
        NameCase{"Пётр Петрович", {"Петра Петровича", "Петру Петровичу", "Петра Петровича"}},
        NameCase{"Павел Петрович", {"Павла Петровича", "Павлу Петровичу", "Павла Петровича"}},
        NameCase{"Сергей Петрович", {"Сергея Петровича", "Сергею Петровичу", "Сергея Петровича"}},
        NameCase{"Никита Ильич", {"Никиты Ильича", "Никите Ильичу", "Никиту Ильича"}},
        NameCase{"Илья Петрович", {"Ильи Петровича", "Илье Петровичу", "Илью Петровича"}},
        NameCase{"Лука Ильич", {"Луки Ильича", "Луке Ильичу", "Луку Ильича"}},
        NameCase{"Фома Ильич", {"Фомы Ильича", "Фоме Ильичу", "Фому Ильича"}},
        NameCase{"НИКИТА Ильич", {"НИКИТЫ Ильича", "НИКИТЕ Ильичу", "НИКИТУ Ильича"}},
        // men's names in a vowel and "а"/"я" are foreign and stay as typed
        NameCase{"Франсуа Петрович",
                 {"Франсуа Петровича", "Франсуа Петровичу", "Франсуа Петровича"}},
        NameCase{"Гия Петрович", {"Гия Петровича", "Гия Петровичу", "Гия Петровича"}},
        NameCase{"Ия Петровна", {"Ии Петровны", "Ии Петровне", "Ию Петровну"}},
        NameCase{"ия Петровна", {"ии Петровны", "ии Петровне", "ию Петровну"}},
        NameCase{"ИЯ Петровна", {"ИИ Петровны", "ИИ Петровне", "ИЮ Петровну"}},
        NameCase{"ОЛЬГА Петровна", {"ОЛЬГИ Петровны", "ОЛЬГЕ Петровне", "ОЛЬГУ Петровну"}},
        NameCase{"Глеб Петрович", {"Глеба Петровича", "Глебу Петровичу", "Глеба Петровича"}},
        NameCase{"Лев Петрович", {"Льва Петровича", "Льву Петровичу", "Льва Петровича"}},
        NameCase{"Анна Ивановна", {"Анны Ивановны", "Анне Ивановне", "Анну Ивановну"}},
        NameCase{"Ольга Петровна", {"Ольги Петровны", "Ольге Петровне", "Ольгу Петровну"}},
        NameCase{"Наталья Петровна", {"Натальи Петровны", "Наталье Петровне", "Наталью Петровну"}},
        NameCase{"Наташа Петровна", {"Наташи Петровны", "Наташе Петровне", "Наташу Петровну"}},
        NameCase{"Любовь Петровна", {"Любови Петровны", "Любови Петровне", "Любовь Петровну"}},
        NameCase{"Анна Ильинична", {"Анны Ильиничны", "Анне Ильиничне", "Анну Ильиничну"}},
        NameCase{"И.И.", {"И.И.", "И.И.", "И.И."}},
        NameCase{"Иванович", {"Ивановича", "Ивановичу", "Ивановича"}},
        NameCase{"Джон", {"Джон", "Джон", "Джон"}}, // a patronymic alone
        NameCase{"Джон Смит", {"Джона Смит", "Джону Смит", "Джона Смит"}},
        NameCase{"", {"", "", ""}}));

TEST(PersonForms, InitialsAndTheSignatureName) {
    struct Row {
        const char *surname, *namePatronymic, *initials, *initialsSurname;
    };
    const Row rows[] = {
        {"Иванов", "Иван Иванович", "И.И.", "И.И.&nbsp;Иванов"},
        {"Иванов", "  Иван   Иванович ", "И.И.", "И.И.&nbsp;Иванов"},
        {"Иванов", "И.И.", "И.И.", "И.И. Иванов"},
        {"Иванов", "", "", "Иванов"},
        {"Иванов", "Иван", "И.И.", "И.И.&nbsp;Иванов"},
        {"Иванов И.", "", "", "Иванов И"},
    };
    for (const Row &r : rows) {
        const PersonForms f = BuildPersonForms(W(r.surname), W(r.namePatronymic), "");
        EXPECT_EQ(U(f.initials()), r.initials) << r.namePatronymic;
        EXPECT_EQ(U(f.initialsSurname()), r.initialsSurname) << r.namePatronymic;
    }
}

TEST(PersonForms, FullNameGenitiveUsesTheTableDecliner) {
    EXPECT_EQ(U(BuildPersonForms(W("Иванов"), W("Иван Иванович"), "").fullNameGenitive()),
              "Иванова Ивана Ивановича");
    EXPECT_EQ(U(BuildPersonForms(W("Петров-Водкин"), W("Кузьма Сергеевич"), "").fullNameGenitive()),
              "Петрова-Водкина Кузьмы Сергеевича");
    // a man's surname in a consonant declines in both
    const PersonForms s = BuildPersonForms(W("Шмидт"), W("Иван Иванович"), "");
    EXPECT_EQ(U(s.fullNameGenitive()), "Шмидта Ивана Ивановича");
    EXPECT_EQ(U(s.surnameGenitive()), "Шмидта");
    EXPECT_EQ(U(BuildPersonForms(W("Шмидт"), W("Анна Ивановна"), "").fullNameGenitive()),
              "Шмидт Анны Ивановны");
    EXPECT_EQ(U(BuildPersonForms(W("_____"), W("Иван Иванович"), "").fullNameGenitive()),
              "_____ Ивана Ивановича");
}

struct PostCase {
    const char *post;
    const char *kept;
    const char *genitive;
    const char *dative;
};

class PostTable : public ::testing::TestWithParam<PostCase> {};

TEST_P(PostTable, Forms) {
    const PostCase &c = GetParam();
    const PersonForms f = BuildPersonForms(W("Иванов"), W("Иван Иванович"), W(c.post));
    EXPECT_EQ(U(f.post()), c.kept) << c.post;
    EXPECT_EQ(U(f.postGenitive()), c.genitive) << c.post;
    EXPECT_EQ(U(f.postDative()), c.dative) << c.post;
}

INSTANTIATE_TEST_SUITE_P(
    Posts, PostTable,
    ::testing::Values(
        PostCase{"Генеральный директор", "Генеральный директор", "Генерального директора",
                 "Генеральному директору"},
        PostCase{"Директор", "Директор", "Директора", "Директору"},
        PostCase{"Главный бухгалтер", "Главный бухгалтер", "Главного бухгалтера",
                 "Главному бухгалтеру"},
        PostCase{"Президент", "Президент", "Президента", "Президенту"},
        PostCase{"Управляющий", "Управляющий", "Управляющего", "Управляющему"},
        PostCase{"Ведущий специалист", "Ведущий специалист", "Ведущего специалиста",
                 "Ведущему специалисту"},
        PostCase{"Временно исполняющий обязанности директора",
                 "Временно исполняющий обязанности директора",
                 "Временно исполняющего обязанности директора",
                 "Временно исполняющему обязанности директора"},
        PostCase{"Рабочий", "Рабочий", "Рабочего", "Рабочему"},
        PostCase{"Главный врач", "Главный врач", "Главного врача", "Главному врачу"},
        PostCase{"Технолог", "Технолог", "Технолога", "Технологу"},
        PostCase{"Врач", "Врач", "Врача", "Врачу"},
        PostCase{"Председатель правления", "Председатель правления", "Председателя правления",
                 "Председателю правления"},
        PostCase{"Индивидуальный предприниматель", "Индивидуальный предприниматель",
                 "Индивидуального предпринимателя", "Индивидуальному предпринимателю"},
        PostCase{"Глава", "Глава", "Главы", "Главе"},
        PostCase{"Глава администрации", "Глава администрации", "Главы администрации",
                 "Главе администрации"},
        PostCase{"Заведующий складом", "Заведующий складом", "Заведующего складом",
                 "Заведующему складом"},
        PostCase{"заведующий складом", "заведующий складом", "заведующего складом",
                 "заведующему складом"},
        PostCase{"Коммерческий директор", "Коммерческий директор", "Коммерческого директора",
                 "Коммерческому директору"},
        PostCase{"Старший менеджер", "Старший менеджер", "Старшего менеджера",
                 "Старшему менеджеру"},
        PostCase{"Исполнительный директор по развитию", "Исполнительный директор по развитию",
                 "Исполнительного директора по развитию", "Исполнительному директору по развитию"},
        PostCase{"Главный специалист юридического отдела", "Главный специалист юридического отдела",
                 "Главного специалиста юридического отдела",
                 "Главному специалисту юридического отдела"},
        PostCase{"Старший  менеджер по продажам", "Старший  менеджер по продажам",
                 "Старшего  менеджера по продажам", "Старшему  менеджеру по продажам"},
        PostCase{"ДИРЕКТОР", "ДИРЕКТОР", "ДИРЕКТОРА", "ДИРЕКТОРУ"},
        PostCase{"ПРЕДСЕДАТЕЛЬ", "ПРЕДСЕДАТЕЛЬ", "ПРЕДСЕДАТЕЛЯ", "ПРЕДСЕДАТЕЛЮ"},
        PostCase{"ГЕНЕРАЛЬНЫЙ ДИРЕКТОР", "ГЕНЕРАЛЬНЫЙ ДИРЕКТОР", "ГЕНЕРАЛЬНОГО ДИРЕКТОРА",
                 "ГЕНЕРАЛЬНОМУ ДИРЕКТОРУ"},
        PostCase{"ИСПОЛНИТЕЛЬНЫЙ ДИРЕКТОР ПО РАЗВИТИЮ", "ИСПОЛНИТЕЛЬНЫЙ ДИРЕКТОР ПО РАЗВИТИЮ",
                 "ИСПОЛНИТЕЛЬНОГО ДИРЕКТОРА ПО РАЗВИТИЮ", "ИСПОЛНИТЕЛЬНОМУ ДИРЕКТОРУ ПО РАЗВИТИЮ"},
        PostCase{"Директор, действует на основании Устава", "Директор", "Директора", "Директору"},
        PostCase{"действует на основании Устава", "", "", ""},
        PostCase{"Директор, по доверенности", "Директор, по доверенности",
                 "Директор, по доверенности", "Директор, по доверенности"},
        // Every adjective ending changes, wherever it stands.
        PostCase{"Старший научный сотрудник", "Старший научный сотрудник",
                 "Старшего научного сотрудника", "Старшему научному сотруднику"},
        PostCase{"заведующий хозяйством, действует на основании приказа", "заведующий хозяйством",
                 "заведующего хозяйством", "заведующему хозяйством"},
        PostCase{"Начальник цеха", "Начальник цеха", "Начальника цеха", "Начальнику цеха"},
        PostCase{"", "", "", ""}));

TEST(PersonForms, ReadersByCaseSelector) {
    const PersonForms man = BuildPersonForms(W("Иванов"), W("Иван Иванович"), W("Глава"));
    const PersonForms woman = BuildPersonForms(W("Петрова"), W("Мария Ивановна"), W("Глава"));
    const PersonForms director =
        BuildPersonForms(W("Петрова"), W("Мария Ивановна"), W("Генеральный директор"));
    struct Row {
        const PersonForms *forms;
        CaseSelector selector;
        const char *surname, *name, *post;
    };
    const Row rows[] = {
        {&man, 0, "Иванов", "Иван Иванович", "Глава"},
        {&man, 1, "Иванова", "Ивана Ивановича", "Главы"},
        {&man, 2, "Иванову", "Ивану Ивановичу", "Главе"},
        {&man, 3, "Иванова", "Ивана Ивановича", "Главы"},
        {&man, 9, "Иванов", "Иван Иванович", "Глава"},
        {&woman, 0, "Петрова", "Мария Ивановна", "Глава"},
        {&woman, 1, "Петровой", "Марии Ивановны", "Главы"},
        {&woman, 2, "Петровой", "Марии Ивановне", "Главе"},
        {&woman, 3, "Петрову", "Марию Ивановну", "Главу"},
        {&director, 3, "Петрову", "Марию Ивановну", "Генерального директора"},
        {&director, -1, "Петрова", "Мария Ивановна", "Генеральный директор"},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(U(SurnameByCase(*r.forms, r.selector)), r.surname) << r.selector;
        EXPECT_EQ(U(NamePatronymicByCase(*r.forms, r.selector)), r.name) << r.selector;
        EXPECT_EQ(U(PostByCase(*r.forms, r.selector)), r.post) << r.selector;
    }
}

TEST(Participle, AgreesWithCaseAndGender) {
    struct Row {
        CaseSelector selector;
        bool male;
        const char *acting, *residing;
    };
    const Row rows[] = {
        {1, true, "действующего", "проживающего"}, {1, false, "действующей", "проживающей"},
        {2, true, "действующему", "проживающему"}, {2, false, "действующей", "проживающей"},
        {0, true, "действующий", "проживающий"},   {0, false, "действующая", "проживающая"},
        {3, true, "действующий", "проживающий"},   {3, false, "действующая", "проживающая"},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(U(Participle(r.selector, r.male)), r.acting);
        EXPECT_EQ(U(Participle(r.selector, r.male, ParticipleVerb::Residing)), r.residing);
    }
}

TEST(AgreeWord, FeminineVerbsAndPronouns) {
    struct Row {
        const char *word, *feminine;
    };
    const Row rows[] = {
        {"подписал", "подписала"},
        {"заключил", "заключила"},
        {"он", "она"},
        {"его", "ее"},
        {"ему", "ей"},
        {"Он", "Она"},
        {"ПОДПИСАЛ", "ПОДПИСАЛА"},
        {"обязуется", "обязуется"},
        {"оно", "оно"},
        {"", ""},
        {"signed", "signed"},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(U(AgreeWord(W(r.word), false)), r.feminine) << r.word;
        EXPECT_EQ(U(AgreeWord(W(r.word), true)), r.word) << r.word;
    }
}

} // namespace
} // namespace dravo
