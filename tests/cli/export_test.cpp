// dravo-cli export and batch as a user runs them, and the RTF read back by LibreOffice Writer.
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/user.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace dravo;
namespace fs = std::filesystem;

namespace {

const std::string kCli = std::string(DRAVO_BINARY_DIR) + "/src/cli/dravo-cli";
const std::string kSample =
    std::string(DRAVO_BINARY_DIR) + "/resources/Templates/Договор купли-продажи.adf";

std::string Quote(const std::string &s) {
    std::string out = "'";
    for (const char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Slurp(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The words of a text, in order: runs of letters and digits (the text is UTF-8).
std::vector<std::string> Words(const std::string &utf8) {
    const std::string text = FromUtf8(utf8);
    std::vector<std::string> words;
    std::string word;
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (cp1251::IsLetter(b) || (b >= '0' && b <= '9')) {
            word += ch;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

// The text of a page: the style sheet, the tags and the entities gone.
std::string PageText(std::string page) {
    const std::size_t style = page.find("<STYLE>");
    const std::size_t styleEnd = page.find("</STYLE>");
    if (style != std::string::npos && styleEnd != std::string::npos)
        page.erase(style, styleEnd - style);
    std::string out;
    for (std::size_t i = 0; i < page.size();) {
        if (page[i] == '<') {
            const std::size_t end = page.find('>', i);
            out += ' ';
            i = end == std::string::npos ? page.size() : end + 1;
        } else if (page[i] == '&') {
            const std::size_t end = page.find(';', i);
            const std::string entity = page.substr(i, end - i + 1);
            out += entity == "&amp;" ? "&" : entity == "&lt;" ? "<" : entity == "&gt;" ? ">" : " ";
            i = end + 1;
        } else {
            out += page[i++];
        }
    }
    return out;
}

// The page shows each party's name and name line in one cell; the word processor's table has a
// row of names and a row of name lines. The page's words in the table's reading order.
std::string InTableOrder(std::string page) {
    const std::string open = "<DIV CLASS=\"captab\">";
    const std::size_t a = page.find(open);
    const std::size_t aEnd = page.find("</DIV>", a);
    const std::size_t b = page.find(open, aEnd);
    const std::size_t bEnd = page.find("</DIV>", b);
    if (a == std::string::npos || b == std::string::npos)
        return page;
    const auto split = [&](std::size_t from, std::size_t to) {
        const std::string cell = page.substr(from + open.size(), to - from - open.size());
        const std::size_t br = cell.find("<br>");
        return br == std::string::npos ? std::pair{std::string(), cell}
                                       : std::pair{cell.substr(0, br), cell.substr(br + 4)};
    };
    const auto [n1, l1] = split(a, aEnd);
    const auto [n2, l2] = split(b, bEnd);
    return page.substr(0, a) + n1 + " " + n2 + " " + l1 + " " + l2 + page.substr(bEnd);
}

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kCli) || !fs::exists(kSample))
            GTEST_SKIP() << "dravo-cli or the sample template is not built";
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_dir = fs::temp_directory_path() / ("dravo-export-" + std::to_string(stamp));
        fs::create_directories(m_dir / "root" / "Data");
    }
    void TearDown() override {
        if (!m_dir.empty())
            fs::remove_all(m_dir);
    }

    // Runs dravo-cli; the exit status, standard error kept.
    int Cli(const std::string &args) {
        const std::string command = Quote(kCli) + " " + args + " >" + Quote(m_dir / "out.txt") +
                                    " 2>" + Quote(m_dir / "err.txt");
        const int status = std::system(command.c_str());
        m_err = Slurp(m_dir / "err.txt");
        return WEXITSTATUS(status);
    }
    std::string Root() { return " --root " + Quote(m_dir / "root"); }

    // A root with the user's requisites, a counterparty whose name holds the characters RTF
    // escapes, a citizen as third party and a subject set of two items.
    void MakeRoot() {
        ASSERT_EQ(Cli("init-data " + Quote(m_dir / "root" / "Data")), 0) << m_err;
        ASSERT_EQ(Cli("db init" + Root()), 0) << m_err;
        ASSERT_EQ(Cli("bank add 'NameB=ПАО Сбербанк' BIK=044525225 KS=30101" + Root()), 0) << m_err;
        ASSERT_EQ(Cli("party add --org 'Name=Ромашка {1} \\ ' Form=ООО 'City=101000 Москва' "
                      "'Address=ул. Ленина, 1' Family=Иванов 'IO=Иван Иванович' "
                      "'Dolgn=генеральный директор' INN=7701234567 RS=40702810 BankID=1" +
                      Root()),
                  0)
            << m_err;
        ASSERT_EQ(Cli("party add --citizen Name=Петрова 'Form=Мария Ивановна' "
                      "'City=190000 Санкт-Петербург' 'Address=Невский пр., 10'" +
                      Root()),
                  0)
            << m_err;
        ASSERT_EQ(Cli("subject set Станки --row 1 'Name=Станок токарный' Kolvo=2 Edizm=шт. "
                      "Price=100000 Summ=200000" +
                      Root()),
                  0)
            << m_err;
        ASSERT_EQ(Cli("subject set Станки --row 2 Name=Фреза Kolvo=5 Edizm=шт. Price=1000.5 "
                      "Summ=5002.5" +
                      Root()),
                  0)
            << m_err;
        CUser user;
        user.Text(CUser::UserName) = FromUtf8("ЗАО \"Василек\"");
        user.Text(CUser::SignatureLine) = FromUtf8("____________/П.П. Сидоров");
        user.Text(CUser::AddressAndTaxId) = FromUtf8("Москва, ул. Тверская, 3, ИНН 7700000001");
        user.Text(CUser::Settlement) = FromUtf8("г. Тверь");
        std::string error;
        ASSERT_TRUE(SaveUserRequisites((m_dir / "root" / "Data" / "usr.dat").string(), user, error))
            << error;
    }

    // The sample with a third party and the subject shown as a table.
    std::string MakeTemplate() {
        CBody body;
        std::string error;
        EXPECT_TRUE(LoadBodyFile(kSample, body, error)) << error;
        body.Paragraph(ParArticleHead).m_nCheck = 1;
        body.Paragraph(ParArticleHead).m_strName = FromUtf8("Гарант");
        body.Paragraph(ParReqText).m_strName = FromUtf8("Станки");
        body.Paragraph(ParReqText).m_nType = 1;
        const std::string path = (m_dir / "contract.adf").string();
        EXPECT_TRUE(SaveBodyFile(path, body, error)) << error;
        return path;
    }

    // LibreOffice Writer without a window, with a profile of its own and a time limit.
    bool Convert(const fs::path &file, const std::string &format) {
        const std::string command = "timeout 120 soffice -env:UserInstallation=file://" +
                                    (m_dir / "lo").string() + " --headless --convert-to " + format +
                                    " --outdir " + Quote(m_dir) + " " + Quote(file) +
                                    " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0;
    }

    fs::path m_dir;
    std::string m_err;
};

TEST_F(ExportTest, WordProcessorReadsTheWordsOfThePageInOrder) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: scripts/install-deps.sh";
    MakeRoot();
    const std::string adf = MakeTemplate();
    const std::string common = " --counterparty 1 --third 2 --number 7 --date 2026-12-07 "
                               "--set 'гарантийный срок=12 месяцев &#10003; {x} \\ &lt;b&gt;'" +
                               Root();
    ASSERT_EQ(Cli("export " + Quote(adf) + " --rtf " + Quote(m_dir / "c.rtf") + common), 0)
        << m_err;
    ASSERT_EQ(Cli("render " + Quote(adf) + " --highlight off --utf8 -o " + Quote(m_dir / "c.html") +
                  common),
              0)
        << m_err;

    ASSERT_TRUE(Convert(m_dir / "c.rtf", "txt:Text"));
    const std::string text = Slurp(m_dir / "c.txt");
    const std::vector<std::string> page = Words(PageText(InTableOrder(Slurp(m_dir / "c.html"))));
    const std::vector<std::string> words = Words(text);
    ASSERT_GT(page.size(), 600u);
    EXPECT_EQ(words, page);
    for (const char *shown : {"ДОГОВОР №7", "Ромашка {1} \\", "12 месяцев ✓ x \\ <b>", "Гарант",
                              "Станок токарный", "Ед.изм.", "100000.00", "г. Тверь"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown;

    // The same file as PDF: the whole contract on its pages.
    ASSERT_TRUE(Convert(m_dir / "c.rtf", "pdf"));
    ASSERT_TRUE(fs::exists(m_dir / "c.pdf"));
    if (std::system("command -v pdftotext >/dev/null 2>&1") == 0) {
        ASSERT_EQ(std::system(("pdftotext -layout " + Quote(m_dir / "c.pdf") + " " +
                               Quote(m_dir / "pdf.txt"))
                                  .c_str()),
                  0);
        const std::string pdf = Slurp(m_dir / "pdf.txt");
        EXPECT_GE(std::count(pdf.begin(), pdf.end(), '\f'), 2); // more than one page
        for (const char *shown : {"ДОГОВОР №7", "Станок токарный", "ЗАКЛЮЧИТЕЛЬНЫЕ ПОЛОЖЕНИЯ",
                                  "Мария Ивановна Петрова"})
            EXPECT_NE(pdf.find(shown), std::string::npos) << shown;
    }
}

TEST_F(ExportTest, BadRequestsLeaveNoFile) {
    const fs::path out = m_dir / "x.rtf";
    const struct {
        std::string args;
        const char *message;
    } cases[] = {
        {"export " + Quote(kSample), "usage: dravo-cli export"},
        {"export " + Quote(m_dir / "none.adf") + " --rtf " + Quote(out), "none.adf"},
        {"export " + Quote(kSample) + " --rtf " + Quote(out) + " --set nosuch=1",
         "no variable-data item has the command word 'nosuch'"},
        {"export " + Quote(kSample) + " --rtf " + Quote(out) + " --set =1", "WORD=VALUE"},
        {"export " + Quote(kSample) + " --rtf " + Quote(out) + " --set 'срок поставки=✓'",
         "«✓» (U+2713)"},
        {"export " + Quote(kSample) + " --rtf " + Quote(out) + " --date 2026-02-30", "--date"},
        {"export " + Quote(kSample) + " --rtf " + Quote(out) + " --counterparty 5",
         "no counterparty directory"},
        {"export " + Quote(kSample) + " --rtf " + Quote(m_dir / "no" / "dir" / "x.rtf"), "x.rtf"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Cli(c.args), 1) << c.args;
        EXPECT_NE(m_err.find(c.message), std::string::npos) << c.args << "\n" << m_err;
        EXPECT_FALSE(fs::exists(out)) << c.args;
    }
    // An existing file is replaced whole.
    std::ofstream(out) << "old";
    ASSERT_EQ(Cli("export " + Quote(kSample) + " --rtf " + Quote(out)), 0) << m_err;
    EXPECT_EQ(Slurp(out).rfind("{\\rtf1\\ansi\\ansicpg1251", 0), 0u);
    EXPECT_EQ(Slurp(out).back(), '\n');
}

TEST_F(ExportTest, BatchOfThreeRowsAndABrokenFourth) {
    MakeRoot();
    const std::string adf = MakeTemplate();
    std::ofstream(m_dir / "rows.csv")
        << "гарантийный срок;номер;дата;контрагент;файл;примечание\n"
           "12 месяцев;1;01.12.2026;1;Первый;x\n"
           "\"24 месяца; \"\"не менее\"\"\";2;02.12.2026;Петрова;Второй;\n"
           "36 месяцев;3;2026-12-03;;;\n"
           "48 месяцев;4;31.02.2026;;Четвертый;\n"
           "60 месяцев;5;;Нет такого;;\n";
    const fs::path out = m_dir / "out";
    EXPECT_EQ(Cli("batch " + Quote(adf) + " " + Quote(m_dir / "rows.csv") + " --out " + Quote(out) +
                  " --format rtf" + Root()),
              1);
    EXPECT_NE(m_err.find("the column 'примечание' names no variable"), std::string::npos) << m_err;
    EXPECT_NE(m_err.find("line 5: the date '31.02.2026'"), std::string::npos) << m_err;
    EXPECT_NE(m_err.find("line 6: no counterparty named 'Нет такого'"), std::string::npos) << m_err;
    EXPECT_EQ(Slurp(m_dir / "out.txt"), "3 of 5 documents written to " + out.string() + "\n");
    std::vector<std::string> files;
    for (const auto &entry : fs::directory_iterator(out))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"3.rtf", "Второй.rtf", "Первый.rtf"}));

    const std::string first = ToUtf8(Slurp(out / "Первый.rtf"));
    EXPECT_NE(first.find("ДОГОВОР{\\b0  №1}"), std::string::npos);
    EXPECT_NE(first.find("\"01\" декабря 2026 г."), std::string::npos);
    EXPECT_NE(first.find("Ромашка \\{1\\} \\\\"), std::string::npos);
    EXPECT_NE(first.find("12 месяцев"), std::string::npos);
    const std::string second = ToUtf8(Slurp(out / "Второй.rtf"));
    EXPECT_NE(second.find("24 месяца; \"не менее\""), std::string::npos);
    EXPECT_NE(second.find("Петрова"), std::string::npos);
    EXPECT_EQ(second.find("Ромашка"), std::string::npos);
    const std::string third = ToUtf8(Slurp(out / "3.rtf"));
    EXPECT_NE(third.find("36 месяцев"), std::string::npos);
    EXPECT_NE(third.find("_________________________, действующего"), std::string::npos);

    // The same table as pages; the good rows alone succeed.
    std::ofstream(m_dir / "good.csv") << "гарантийный срок,файл\n12 месяцев ✓,a\n";
    ASSERT_EQ(Cli("batch " + Quote(adf) + " " + Quote(m_dir / "good.csv") + " --out " +
                  Quote(m_dir / "pages")),
              0)
        << m_err;
    const std::string page = Slurp(m_dir / "pages" / "a.html");
    EXPECT_NE(page.find("charset=utf-8"), std::string::npos);
    EXPECT_NE(page.find("12 месяцев &#10003;"), std::string::npos);

    for (const std::string &bad :
         {"batch " + Quote(adf) + " " + Quote(m_dir / "none.csv") + " --out " + Quote(out),
          "batch " + Quote(adf) + " " + Quote(m_dir / "good.csv") + " --out " + Quote(out) +
              " --format doc",
          "batch " + Quote(adf) + " " + Quote(m_dir / "good.csv")})
        EXPECT_EQ(Cli(bad), 1) << bad;
}

} // namespace
