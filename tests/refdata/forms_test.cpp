// The logic of the directory, bank, subject and catalogue dialogs, driven as the dialogs drive it.
#include "fixture.h"

#include "refdata/directory_forms.h"
#include "refdata/subject_form.h"

#include <clocale>

namespace dravo::refdata::testing {
namespace {

QString Q(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

class FormsTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        OpenReference(m_db);
    }
    int Org(std::string_view name, std::string_view form) {
        return *m_directory.AddParty(PartyKind::Organisation,
                                     {{"Name", W(name)}, {"Form", W(form)}});
    }
    int Citizen(std::string_view surname, std::string_view given) {
        return *m_directory.AddParty(PartyKind::Citizen,
                                     {{"Name", W(surname)}, {"Form", W(given)}});
    }
    std::vector<QString> Shown(const DirectoryListModel &model) {
        std::vector<QString> out;
        for (int i = 0; i < model.ShownCount(); ++i)
            out.push_back(model.TextAt(i));
        return out;
    }

    SqlConnection m_db;
    Directory m_directory{m_db};
    SubjectStore m_subjects{m_db};
};

TEST_F(FormsTest, ChoiceListEntries) {
    const int org = Org("Ромашка...", "ООО");
    const int citizen = Citizen("Иванов", "Иван Петрович");
    const int dotted = Org("Ёлка и К.", "АО");
    PartyChoice choice(m_directory, {citizen, -1}, false, {W("Покупатель"), ""});
    ASSERT_TRUE(choice.Load());
    EXPECT_EQ(
        Shown(choice.Model()),
        (std::vector<QString>{Q("Ёлка и К, АО"), Q("Иванов, Иван Петрович"), Q("Ромашка, ООО")}));
    EXPECT_EQ(choice.Selected(), citizen);
    EXPECT_EQ(choice.SelectedRow(), 1);
    EXPECT_EQ(ToUtf8(choice.Title()), "   Покупатель");
    EXPECT_FALSE(choice.NextShown());
    (void)org;
    (void)dotted;
}

TEST_F(FormsTest, SearchNarrowsByAnyCaseAndYo) {
    Org("Ёлка", "АО");
    Org("Елочка", "ООО");
    Org("Ромашка", "ЗАО");
    Citizen("Семёнов", "Пётр");
    PartyChoice choice(m_directory, {-1, -1}, false, {"", ""});
    ASSERT_TRUE(choice.Load());
    struct Case {
        const char *typed;
        int shown;
    } cases[] = {{"", 4},        {"ёл", 2}, {"ЕЛ", 2},      {"ОЧКА", 1},
                 {"семенов", 1}, {"ао", 2}, {"ром зао", 1}, {"ром ооо", 0}};
    for (const Case &c : cases) {
        choice.Model().SetSearch(Q(c.typed));
        EXPECT_EQ(choice.Model().ShownCount(), c.shown) << c.typed;
    }
    // The selection is an id: it survives a search that hides it.
    choice.Model().SetSearch({});
    choice.Select(choice.Model().IdAt(3));
    choice.Model().SetSearch(Q("ёлка"));
    EXPECT_EQ(choice.SelectedRow(), -1);
    choice.Model().SetSearch({});
    EXPECT_EQ(choice.SelectedRow(), 3);
}

TEST_F(FormsTest, NextSwitchesBetweenTheTwoPartiesAndDashesBlankOne) {
    const int a = Org("Альфа", "ООО");
    const int b = Citizen("Борисов", "Борис");
    PartyChoice choice(m_directory, {a, -1}, true, {W("Продавец"), ""});
    ASSERT_TRUE(choice.Load());
    EXPECT_TRUE(choice.NextShown());
    EXPECT_EQ(ToUtf8(choice.NextCaption()), "Следующий");
    choice.Next();
    EXPECT_EQ(choice.Side(), PartySide::ThirdParty);
    EXPECT_EQ(ToUtf8(choice.Title()), "   <название стороны не определено>");
    EXPECT_EQ(ToUtf8(choice.NextCaption()), "Предыдущий");
    EXPECT_EQ(choice.Selected(), -1);
    choice.Select(b);
    EXPECT_TRUE(choice.SelectedIsCitizen());
    choice.Next();
    EXPECT_EQ(choice.Selected(), a);
    EXPECT_EQ(choice.Result(), (std::array<int, 2>{a, b}));
    // "Прочерки " on the counterparty gives it the blank form (-1); the third party stays.
    choice.SetDashes(true);
    EXPECT_EQ(choice.Result(), (std::array<int, 2>{-1, b}));
    choice.Next();
    EXPECT_FALSE(choice.Dashes());
}

TEST_F(FormsTest, AddedRowGoesAgainOnCancelAndDeleteRefills) {
    const int a = Org("Альфа", "ООО");
    PartyChoice choice(m_directory, {a, -1}, false, {"", ""});
    ASSERT_TRUE(choice.Load());
    const auto added = choice.Add(PartyKind::Citizen);
    ASSERT_TRUE(added);
    EXPECT_EQ(choice.Selected(), *added);
    ASSERT_TRUE(m_directory.ReadParty(*added));
    EXPECT_TRUE(m_directory.ReadParty(*added)->person);
    choice.CancelAdded(*added);
    EXPECT_FALSE(m_directory.ReadParty(*added));
    choice.Select(a);
    ASSERT_TRUE(choice.DeleteSelected());
    EXPECT_EQ(choice.Model().TotalCount(), 0);
    EXPECT_EQ(choice.Result()[0], -1);
}

TEST_F(FormsTest, PartyOfAnotherWindowDeletedIsNotSelected) {
    const int a = Org("Альфа", "ООО");
    PartyChoice choice(m_directory, {a, -1}, false, {"", ""});
    ASSERT_TRUE(m_directory.DeleteParty(a));
    ASSERT_TRUE(choice.Load());
    EXPECT_EQ(choice.Selected(), -1);
    EXPECT_EQ(choice.Result()[0], -1);
}

TEST_F(FormsTest, OrganisationCardWritesItsFieldsAndBankAtOnce) {
    const int bank = *m_directory.AddBank({{"NameB", W("ПАО Банк")}, {"BIK", "044525225"}});
    const int id = Org("Альфа", "ООО");
    PartyCard card(m_directory, id);
    ASSERT_TRUE(card.Load());
    EXPECT_FALSE(card.Citizen());
    EXPECT_EQ(card.BankId(), -1);
    ASSERT_TRUE(card.SetBank(bank));
    EXPECT_EQ(ToUtf8(card.BankName()), "ПАО Банк");
    EXPECT_EQ(m_directory.ReadParty(id)->bankId, bank); // written before OK
    card.SetText("INN", "77070838931234");              // cut to the field's 10
    EXPECT_EQ(card.Text("INN"), "7707083893");
    EXPECT_EQ(card.Warning("INN"), "");
    card.SetText("RS", "40702810200000012354");
    EXPECT_EQ(ToUtf8(card.Warning("RS")), "Расчетный счет не соответствует БИК банка");
    card.SetText("Family", W("Петров"));
    ASSERT_TRUE(card.Save());
    const auto row = m_directory.ReadParty(id);
    EXPECT_EQ(row->Text(kFamily), W("Петров"));
    EXPECT_EQ(row->Text(kRS), "40702810200000012354"); // a warning never refuses
}

TEST_F(FormsTest, CardRefusalsAndFailuresGiveTheirMessages) {
    const int org = Org("Альфа", "ООО");
    const int person = Citizen("Борисов", "Борис");
    struct Case {
        const char *name;
        int id;
        const char *newName;
        bool deleteFirst;
        const char *message;
    } cases[] = {
        {"organisation of blanks", org, "   ", false, "Укажите наименование контрагента"},
        {"citizen of no name", person, "", false, "Укажите фамилию гражданина"},
        {"deleted in another window", org, "Бета", true,
         "Запись удалена из базы данных (возможно, в другом окне)"},
    };
    for (const Case &c : cases) {
        PartyCard card(m_directory, c.id);
        ASSERT_TRUE(card.Load()) << c.name;
        card.SetText("Name", W(c.newName));
        if (c.deleteFirst) {
            ASSERT_TRUE(m_directory.DeleteParty(c.id));
        }
        std::string message;
        EXPECT_FALSE(card.Save(&message)) << c.name;
        EXPECT_EQ(ToUtf8(message), c.message) << c.name;
    }
}

// Another program holds the file: the form says so, keeps what was typed, and OK later stores it.
TEST_F(FormsTest, LockedDatabaseIsSaidAndNothingIsLost) {
    const int id = Org("Альфа", "ООО");
    PartyCard card(m_directory, id);
    ASSERT_TRUE(card.Load());
    card.SetText("Name", W("Бета"));
    SqlConnection other;
    ASSERT_TRUE(other.Open(ReferenceLocation(), SqlConnection::OpenMode::ExistingOnly));
    if (OnServer()) { // the server waits for a lock as long as lock_timeout says
        ASSERT_TRUE(m_db.Exec("SET lock_timeout TO '300ms'"));
        ASSERT_TRUE(other.Begin());
        ASSERT_TRUE(other.Exec("LOCK TABLE FACTORY IN ACCESS EXCLUSIVE MODE"));
    } else {
        ASSERT_TRUE(other.Exec("BEGIN EXCLUSIVE"));
    }
    std::string message;
    EXPECT_FALSE(card.Save(&message));
    EXPECT_EQ(ToUtf8(message),
              "База данных занята другой программой: изменения не записаны, повторите позже");
    other.Rollback();
    EXPECT_EQ(card.Text("Name"), W("Бета"));
    ASSERT_TRUE(card.Save(&message)) << ToUtf8(message);
    EXPECT_EQ(m_directory.ReadParty(id)->Text(kName), W("Бета"));
}

TEST_F(FormsTest, CitizenCardStoresItsFlags) {
    const int id = Citizen("Борисов", "Борис");
    PartyCard card(m_directory, id);
    ASSERT_TRUE(card.Load());
    EXPECT_TRUE(card.Citizen());
    card.SetEntrepreneur(true);
    card.SetText("RS", "500100732259");
    EXPECT_EQ(card.Warning("RS"), "");
    card.SetText("RS", "500100732250");
    EXPECT_EQ(ToUtf8(card.Warning("RS")), "Неверное контрольное число ИНН");
    ASSERT_TRUE(card.Save());
    const auto row = m_directory.ReadParty(id);
    EXPECT_TRUE(row->person);
    EXPECT_TRUE(row->entrepreneur);
}

TEST_F(FormsTest, BankChoice) {
    BankChoice empty(m_directory, 5);
    ASSERT_TRUE(empty.Load());
    EXPECT_FALSE(empty.HasSelection()); // an empty list: nothing to edit or delete
    const int b = *m_directory.AddBank({{"NameB", W("Банк Б")}});
    const int a = *m_directory.AddBank({{"NameB", W("Банк А")}});
    BankChoice choice(m_directory, 999); // not there: the first row
    ASSERT_TRUE(choice.Load());
    EXPECT_EQ(choice.Selected(), a);
    EXPECT_EQ(choice.Result(), a);
    choice.SetNoBank(true);
    EXPECT_FALSE(choice.HasSelection());
    EXPECT_EQ(choice.Result(), -1);
    choice.SetNoBank(false);
    ASSERT_TRUE(choice.DeleteSelected());
    EXPECT_EQ(choice.Selected(), b);
    const auto added = choice.Add();
    ASSERT_TRUE(added);
    BankCard card(m_directory, *added);
    ASSERT_TRUE(card.Load());
    std::string message;
    EXPECT_FALSE(card.Save(&message)); // NameB was never given: stays unset, then "" refused
    card.SetText("NameB", "");
    EXPECT_FALSE(card.Save(&message));
    EXPECT_EQ(ToUtf8(message), "Укажите наименование банка");
    card.SetText("BIK", "04452522");
    EXPECT_EQ(ToUtf8(card.Warning("BIK")), "БИК должен состоять из 9 цифр");
    choice.CancelAdded(*added);
    EXPECT_FALSE(m_directory.ReadBank(*added));
}

// The subject form -----------------------------------------------------------------------------

class SubjectFormTest : public FormsTest {
  protected:
    CBody m_body;
};

TEST_F(SubjectFormTest, LimitsAsTheUserTypes) {
    SubjectForm form(m_subjects, m_body, false);
    ASSERT_TRUE(form.Open());
    EXPECT_EQ(form.SetName(), NoSetName());
    struct Case {
        const char *name;
        const char *quantity; // typed first
        const char *price;    // then
        const char *message;  // of the last edit, UTF-8
        const char *shownQuantity;
        const char *shownPrice;
        const char *amount;
    } cases[] = {
        {"plain", "3", "1500", "", "3", "1500", "4500.00"},
        {"decimal comma", "2", "1500,50", "", "2", "1500,50", "3001.00"},
        {"quantity over", "1000000000", "", "Количество не должно превышать 999999999", "0", "",
         "0.00"},
        {"quantity at limit", "999999999", "1", "", "999999999", "1", "999999999.00"},
        {"price over", "1", "1000000000", "Цена не должна превышать 999999999.99", "1", "0.00",
         "0.00"},
        {"product over", "999999999", "1001", "Сумма не должна превышать 999999999999.00",
         "999999999", "0.00", "0.00"},
        {"letters in the price", "5", "12р", "Цена указывается числом, например 1500,50", "5",
         "0.00", "0.00"},
        {"letters in the quantity", "x", "", "Количество указывается целым числом", "0", "",
         "0.00"},
        {"not a number", "2", "nan", "Цена указывается числом, например 1500,50", "2", "0.00",
         "0.00"},
        {"infinite price", "2", "inf", "Цена указывается числом, например 1500,50", "2", "0.00",
         "0.00"},
        {"exponent", "2", "1e3", "Цена указывается числом, например 1500,50", "2", "0.00", "0.00"},
        {"two separators", "2", "1,500.50", "Цена указывается числом, например 1500,50", "2",
         "0.00", "0.00"},
        {"thousands blank", "2", "1 500.5", "", "2", "1 500.5", "3001.00"},
        {"comma typed first", "2", ",", "", "2", ",", "0.00"},
    };
    for (const Case &c : cases) {
        form.Clear();
        std::string message = form.EditQuantity(0, c.quantity);
        if (*c.price)
            message = form.EditPrice(0, c.price);
        EXPECT_EQ(ToUtf8(message), c.message) << c.name;
        EXPECT_EQ(form.Row(0).quantity, c.shownQuantity) << c.name;
        if (*c.price) {
            EXPECT_EQ(form.Row(0).price, c.shownPrice) << c.name;
        }
        EXPECT_EQ(form.Row(0).amount, c.amount) << c.name;
    }
    // The quantity edited last is the one reset when the product is over.
    form.Clear();
    form.EditPrice(1, "999999999");
    EXPECT_EQ(ToUtf8(form.EditQuantity(1, "1001")), "Сумма не должна превышать 999999999999.00");
    EXPECT_EQ(form.Row(1).quantity, "0");
    EXPECT_EQ(form.Row(1).price, "999999999");
}

TEST_F(SubjectFormTest, TotalAndOkRefusedAboveTheLimit) {
    SubjectForm form(m_subjects, m_body, false);
    ASSERT_TRUE(form.Open());
    form.EditQuantity(0, "2");
    form.EditPrice(0, "10.25");
    form.EditAmount(1, "100");
    EXPECT_EQ(form.Total(), "120.50");
    form.EditAmount(1, "999999999999");
    std::string message;
    EXPECT_FALSE(form.Accept(&message));
    EXPECT_EQ(ToUtf8(message), "Общая сумма не должна превышать 999999999999.99");
    form.Clear();
    EXPECT_EQ(form.Total(), "0.00");
    EXPECT_EQ(form.Row(3).quantity, "0");
    EXPECT_TRUE(form.Accept());
}

// The window toolkit runs the program under the user's locale; a Russian one writes a decimal
// comma, but the form shows amounts with a point.
TEST_F(SubjectFormTest, AmountsKeepThePointUnderACommaLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char *comma = nullptr;
    for (const char *name : {"ru_RU.UTF-8", "ru_RU.utf8", "ru_RU.CP1251", "de_DE.UTF-8"})
        if (std::setlocale(LC_NUMERIC, name) && *std::localeconv()->decimal_point == ',') {
            comma = name;
            break;
        }
    if (!comma) {
        std::setlocale(LC_NUMERIC, saved.c_str());
        GTEST_SKIP() << "no locale with a decimal comma on this machine";
    }
    SubjectForm form(m_subjects, m_body, false);
    ASSERT_TRUE(form.Open());
    form.EditQuantity(0, "3");
    form.EditPrice(0, "10,5");
    const std::string amount = form.Row(0).amount;
    const std::string total = form.Total();
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(amount, "31.50") << comma;
    EXPECT_EQ(total, "31.50") << comma;
    EXPECT_EQ(Money(0), "0.00");
}

TEST_F(SubjectFormTest, SetsAreCreatedChosenAndDeletedByName) {
    SubjectForm form(m_subjects, m_body, false);
    ASSERT_TRUE(form.Open());
    form.SetName(0, W("Стол"));
    form.EditQuantity(0, "2");
    form.EditPrice(0, "100");
    // A new name keeps the rows shown and saves them under it.
    ASSERT_TRUE(form.EnterSetName(W("Мебель")));
    EXPECT_EQ(form.SetName(), W("Мебель"));
    EXPECT_EQ(form.SetNames().size(), 2u);
    ASSERT_TRUE(form.Accept());
    EXPECT_EQ(m_body.Paragraph(ParReqText).m_strName, W("Мебель"));
    EXPECT_EQ(m_subjects.ReadSet(W("Мебель"))->rows[0].summ, 200.0);
    EXPECT_EQ(m_subjects.ReadSet(NoSetName())->rows[0].name, ""); // "no set" stays blank
    // Choosing "<не определено>" shows its rows; choosing back shows the set's.
    SubjectForm again(m_subjects, m_body, false);
    ASSERT_TRUE(again.Open());
    EXPECT_EQ(again.Row(0).name, W("Стол"));
    ASSERT_TRUE(again.ChooseSet(NoSetName()));
    ASSERT_TRUE(again.ChooseSet(W("мебель"))); // any letter case
    EXPECT_EQ(again.Row(0).amount, "200.00");
    // Clearing the name deletes the set shown...
    ASSERT_TRUE(again.EnterSetName(""));
    EXPECT_EQ(again.SetName(), NoSetName());
    EXPECT_FALSE(m_subjects.ReadSet(W("Мебель")));
    // ...but never "<не определено>".
    ASSERT_TRUE(again.EnterSetName("  "));
    EXPECT_TRUE(m_subjects.ReadSet(NoSetName()));
    EXPECT_EQ(again.SetNames(), std::vector<std::string>{NoSetName()});
}

TEST_F(SubjectFormTest, SettlementSwitchesListTitleAndTableFlag) {
    ASSERT_TRUE(m_subjects.SaveSet(W("Оплата"), {{W("Вексель"), 1, W("шт."), 5000, 5000, "", ""}}));
    m_body.Paragraph(ParReqText).m_strText = W("Оплата");
    m_body.Paragraph(ParReqText).m_nCheck = 1;
    SubjectForm form(m_subjects, m_body, false);
    ASSERT_TRUE(form.Open());
    EXPECT_EQ(ToUtf8(form.Title()), "   Предмет договора");
    EXPECT_FALSE(form.AsTable());
    ASSERT_TRUE(form.SwitchList(true));
    EXPECT_EQ(ToUtf8(form.Title()), "   Имущество для передачи в счет взаиморасчетов");
    EXPECT_EQ(m_body.Paragraph(ParReqText).m_nMark, 1);
    EXPECT_TRUE(form.AsTable());
    EXPECT_EQ(form.SetName(), W("Оплата"));
    EXPECT_EQ(form.Row(0).name, W("Вексель"));
    form.SetAsTable(false);
    EXPECT_EQ(m_body.Paragraph(ParReqText).m_nCheck, 0);
    // "Отмена" puts the template's settings back.
    form.Cancel();
    EXPECT_EQ(m_body.Paragraph(ParReqText).m_nCheck, 1);
    EXPECT_EQ(m_body.Paragraph(ParReqText).m_nMark, 0);
}

TEST_F(SubjectFormTest, CatalogueItemsFillARow) {
    Catalogue catalogue(m_subjects);
    ASSERT_TRUE(catalogue.Load());
    std::string message;
    EXPECT_FALSE(catalogue.Chosen(&message));
    EXPECT_EQ(ToUtf8(message), "Не указано имущество");
    const auto id = catalogue.Add();
    ASSERT_TRUE(id);
    ItemCard card(m_subjects, *id);
    ASSERT_TRUE(card.Load());
    EXPECT_EQ(card.Text("Price2"), "0.00");
    EXPECT_FALSE(card.Save(&message)); // an unset name becomes "" and is refused
    EXPECT_EQ(ToUtf8(message), "Укажите название имущества");
    card.SetText("Name", W("Кресло"));
    card.SetText("Edizm", W("шт."));
    card.SetText("Price2", "1 500,50");
    card.SetText("Currency", W("у.е."));
    ASSERT_TRUE(card.Save(&message)) << ToUtf8(message);
    ASSERT_TRUE(catalogue.Refill());
    const auto item = catalogue.Chosen();
    ASSERT_TRUE(item);
    EXPECT_EQ(item->price, 1500.5);
    CBody body;
    SubjectForm form(m_subjects, body, false);
    ASSERT_TRUE(form.Open());
    form.EditQuantity(2, "3");
    form.PickItem(2, *item);
    EXPECT_EQ(form.Row(2).price, "1500.50");
    EXPECT_EQ(form.Row(2).amount, "4501.50");
    ASSERT_TRUE(form.Accept());
    EXPECT_EQ(m_subjects.ReadSet(NoSetName())->rows[2].currency, W("у.е."));
    ASSERT_TRUE(catalogue.DeleteSelected());
    EXPECT_EQ(catalogue.Model().TotalCount(), 0);
}

} // namespace
} // namespace dravo::refdata::testing
