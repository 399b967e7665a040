// The check warnings of the tax and bank numbers, one table of real-shaped numbers.
#include "fixture.h"

#include "refdata/checks.h"

namespace dravo::refdata::testing {
namespace {

constexpr const char *kBik = "044525225";  // a Moscow bank
constexpr const char *kBik2 = "042809679"; // a Tver bank
constexpr const char *kBik3 = "044030653"; // a St Petersburg bank

TEST(Checks, TableOfNumbers) {
    enum What { InnOrg, InnPerson, Bik, Ks, Rs };
    struct Case {
        const char *name;
        What what;
        const char *number;
        const char *bik;
        const char *warning; // UTF-8; "" when the number passes
    } cases[] = {
        {"empty is not checked", InnOrg, "", "", ""},
        {"organisation", InnOrg, "7707083893", "", ""},
        {"organisation, blanks around", InnOrg, " 7707083893 ", "", ""},
        {"organisation, wrong check digit", InnOrg, "7707083894", "",
         "Неверное контрольное число ИНН"},
        {"organisation, 9 digits", InnOrg, "770708389", "",
         "ИНН организации должен состоять из 10 цифр"},
        {"organisation, a letter", InnOrg, "77070838O3", "",
         "ИНН организации должен состоять из 10 цифр"},
        {"organisation given a citizen's", InnOrg, "500100732259", "",
         "ИНН организации должен состоять из 10 цифр"},
        {"citizen", InnPerson, "500100732259", "", ""},
        {"citizen, eleventh digit wrong", InnPerson, "500100732269", "",
         "Неверное контрольное число ИНН"},
        {"citizen, twelfth digit wrong", InnPerson, "500100732258", "",
         "Неверное контрольное число ИНН"},
        {"citizen given an organisation's", InnPerson, "7707083893", "",
         "ИНН гражданина должен состоять из 12 цифр"},
        {"bik", Bik, kBik, "", ""},
        {"bik, 8 digits", Bik, "04452522", "", "БИК должен состоять из 9 цифр"},
        {"corr. account", Ks, "30101810400000000225", kBik, ""},
        {"corr. account of another bank", Ks, "30101810400000000225", kBik3,
         "Корр. счет не соответствует БИК банка"},
        {"corr. account, one digit changed", Ks, "30101810500000000225", kBik,
         "Корр. счет не соответствует БИК банка"},
        {"corr. account, 19 digits", Ks, "3010181040000000022", kBik,
         "Корр. счет должен состоять из 20 цифр"},
        {"corr. account without a sound bik", Ks, "30101810400000000225", "0445", ""},
        {"tver corr. account", Ks, "30101810700000000679", kBik2, ""},
        {"settlement account", Rs, "40702810200000012345", kBik, ""},
        {"settlement account, digits swapped", Rs, "40702810200000012354", kBik,
         "Расчетный счет не соответствует БИК банка"},
        {"settlement account of another bank", Rs, "40702810200000012345", kBik3,
         "Расчетный счет не соответствует БИК банка"},
        {"tver settlement account", Rs, "40702810263000000001", kBik2, ""},
        {"citizen's account", Rs, "40817810500000001234", kBik2, ""},
        {"settlement account, letters", Rs, "4070281020000001234X", kBik,
         "Расчетный счет должен состоять из 20 цифр"},
        {"settlement account, no bank", Rs, "40702810200000012345", "", ""},
    };
    for (const Case &c : cases) {
        std::string warning;
        switch (c.what) {
        case InnOrg:
            warning = InnWarning(c.number, TaxpayerKind::Organisation);
            break;
        case InnPerson:
            warning = InnWarning(c.number, TaxpayerKind::Person);
            break;
        case Bik:
            warning = BikWarning(c.number);
            break;
        case Ks:
            warning = CorrAccountWarning(c.number, c.bik);
            break;
        case Rs:
            warning = SettlementAccountWarning(c.number, c.bik);
            break;
        }
        EXPECT_EQ(ToUtf8(warning), c.warning) << c.name;
    }
}

// Every single-digit change of a sound account is caught by the key.
TEST(Checks, AnyOneDigitChangeOfAnAccountIsCaught) {
    const std::string sound = std::string("225") + "40702810200000012345";
    ASSERT_TRUE(AccountKeyOk(sound));
    for (std::size_t i = 3; i < sound.size(); ++i)
        for (char d = '0'; d <= '9'; ++d) {
            if (d == sound[i])
                continue;
            std::string changed = sound;
            changed[i] = d;
            EXPECT_FALSE(AccountKeyOk(changed)) << changed;
        }
}

} // namespace
} // namespace dravo::refdata::testing
