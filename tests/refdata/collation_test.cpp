#include "fixture.h"

#include "refdata/collation.h"
#include "refdata/directory.h"

#include <QStringList>

namespace dravo::refdata::testing {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct CompareCase {
    const char *a;
    const char *b;
    int expected;
};

TEST(RussianCompare, OrdersAsARussianReaderExpects) {
    const CompareCase cases[] = {
        {"абрикос", "Банан", -1}, // case does not put capitals first
        {"Ёлка", "елка", 1},      // ё after е ...
        {"ёлка", "жук", -1},      // ... and before ж
        {"Ежевика", "ёж", -1},    // the first letter decides: е before ё
        {"ОМЕГА", "омега", 0},    // differ only in case
        {"Zeta", "альфа", -1},    // Latin before Cyrillic
        {"apple", "Banana", -1},  // Latin without regard to case
        {"Яблоко", "я", 1},       // a prefix comes first
        {"", "а", -1},
        {"Ромашка 2", "Ромашка 10", 1}, // text order, not numeric
        {"щука", "Эхо", -1},
        {"ЪЫЬ", "ъыь", 0},
    };
    for (const CompareCase &c : cases)
        EXPECT_EQ(Sign(RussianCompare(c.a, c.b)), c.expected) << c.a << " vs " << c.b;
}

TEST(RussianCompare, IsAntisymmetricOnMalformedText) {
    const std::string bad = "\xD0"; // a cut UTF-8 sequence
    EXPECT_EQ(Sign(RussianCompare(bad, "a")), -Sign(RussianCompare("a", bad)));
}

class CollationTest : public RootTest {};

TEST_F(CollationTest, DirectoryListsInRussianOrder) {
    SqlConnection db;
    OpenReference(db);
    Directory directory(db);
    const char *names[] = {"Жуков", "ёжиков", "Егоров", "абрикос", "ЯКОРЬ", "Борис", "ель"};
    for (const char *name : names)
        ASSERT_TRUE(directory.AddParty(PartyKind::Organisation, {{"Name", W(name)}}));
    std::vector<PartyListEntry> list;
    ASSERT_TRUE(directory.ListParties(list));
    QStringList got;
    for (const PartyListEntry &e : list)
        got << QString::fromStdString(ToUtf8(e.name));
    // The server's collation (the Unicode one for Russian) takes "ё" for "е" but for accents,
    // as dictionaries do; the program's own puts it after "е".
    EXPECT_EQ(got.join(' ').toStdString(), db.OnServer()
                                               ? "абрикос Борис Егоров ёжиков ель Жуков ЯКОРЬ"
                                               : "абрикос Борис Егоров ель ёжиков Жуков ЯКОРЬ");
}

} // namespace
} // namespace dravo::refdata::testing
