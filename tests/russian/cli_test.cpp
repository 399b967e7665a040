// The console commands of the Russian services, run as a user runs them: UTF-8 in and out,
// key=value lines, exit status 1 with a message for bad input. Skipped when dravo-cli is not built.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace {

const std::string kCli = std::string(DRAVO_BINARY_DIR) + "/src/cli/dravo-cli";

struct CliRun {
    std::string out;
    int status = -1;
};

CliRun Cli(const std::string &arguments) {
    CliRun run;
    FILE *pipe = popen((kCli + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class CliTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!std::filesystem::exists(kCli))
            GTEST_SKIP() << "dravo-cli is not built";
    }
};

TEST_F(CliTest, PrintsWhatTheServicesGive) {
    struct Row {
        const char *arguments;
        const char *output;
    };
    const Row rows[] = {
        {"words 1500.00", "одна тысяча пятьсот\n"},
        {"words 2004 --mode genitive", "две тысячи   четвертого\n"},
        {"words 06 --mode neuter", "шестое\n"},
        {"words 0", "\n"},
        {"date 2004-12-06", "DateShortText=\"06\" декабря 2004 г.\n"
                            "DateWordsText=шестое декабря две тысячи   четвертого&nbsp;года\n"},
        {"date 2004-12-06 --hidden",
         "DateShortText=\"____\" __________  2004 г.\nDateWordsText=\n"},
        {"period 2004-01-01 2004-03-31", "за январь - март 2004 г.\n"},
        {"decline 'Достоевский' --gender 1 --case 5", "Достоевским\n"},
        {"decline 'Толстая' --gender 2 --case 4", "Толстую\n"},
        {"calc '10/3'", "3,333333\n"},
        {"calc '1,5*2'", "3\n"},
        {"keypad 0 5 000 , 2 5 + 1 =", "5001,25\n"},
        {"keypad --text '12 500 руб.'", "12500.\n"},
        {"subject 'станок'",
         "gender=1\nplural=0\nlastLetter=к\nname=станок\ngenitive=станка\ndative=станку\n"
         "accusative=станок\ninstrumental=станком\nprepositional=станке\n"
         "capitalized=Станок\n"},
    };
    for (const Row &r : rows) {
        const CliRun run = Cli(r.arguments);
        EXPECT_EQ(run.status, 0) << r.arguments;
        EXPECT_EQ(run.out, r.output) << r.arguments;
    }
}

TEST_F(CliTest, PersonPrintsEveryField) {
    const CliRun run = Cli("person 'Петрова' 'Мария Ивановна' 'Генеральный директор'");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "surname=Петрова\n"
                       "namePatronymic=Мария Ивановна\n"
                       "post=Генеральный директор\n"
                       "male=0\n"
                       "initials=М.И.\n"
                       "initialsSurname=М.И.&nbsp;Петрова\n"
                       "surnameGenitive=Петровой\n"
                       "surnameDative=Петровой\n"
                       "surnameAccusative=Петрову\n"
                       "namePatronymicGenitive=Марии Ивановны\n"
                       "namePatronymicDative=Марии Ивановне\n"
                       "namePatronymicAccusative=Марию Ивановну\n"
                       "postGenitive=Генерального директора\n"
                       "postDative=Генеральному директору\n"
                       "fullNameGenitive=Петровой Марии Ивановны\n");
}

TEST_F(CliTest, BadInputFailsWithStatusOne) {
    for (const char *arguments :
         {"words", "words 12 --mode ordinal", "date 2004-02-30", "date 06.12.2004",
          "period 2004-01-01", "decline 'Иванов' --gender 3 --case 2",
          "decline 'Иванов' --gender 1 --case 7", "keypad 1 X", "calc"}) {
        const CliRun run = Cli(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_TRUE(run.out.empty()) << arguments;
    }
}

} // namespace
