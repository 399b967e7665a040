// dravo-cli run as a user runs it: what it reads, what it writes and what it says when it cannot.
#include "core/body_io.h"
#include "core/defaults.h"
#include "core/fileio.h"
#include "core/text.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dravo;
using namespace dravo::literals;
namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string out, err;
    long maxRssKb = 0;
    std::chrono::milliseconds took{};
};

fs::path Work(const char *name) {
    const fs::path dir = fs::temp_directory_path() / ("dravo-cli-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Slurp(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs dravo-cli with args; a run that takes longer than 20 s is killed (status -1).
Outcome Cli(const std::vector<std::string> &args) {
    static int runs = 0;
    const fs::path dir = fs::temp_directory_path() / "dravo-cli-runs";
    fs::create_directories(dir);
    const fs::path out = dir / (std::to_string(::getpid()) + "-" + std::to_string(++runs));
    const fs::path err = out.string() + ".err";
    const std::string cli = DRAVO_BINARY_DIR "/src/cli/dravo-cli";
    std::vector<char *> argv{const_cast<char *>(cli.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(o, 1);
        ::dup2(e, 2);
        ::execv(cli.c_str(), argv.data());
        ::_exit(127);
    }
    Outcome result;
    int status = 0;
    rusage usage{};
    for (;;) {
        if (::wait4(child, &status, WNOHANG, &usage) == child)
            break;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
            ::kill(child, SIGKILL);
            ::wait4(child, &status, 0, &usage);
            status = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    result.took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    result.status = (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
    result.maxRssKb = usage.ru_maxrss;
    result.out = Slurp(out);
    result.err = Slurp(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

std::string NewTemplate(const fs::path &dir) {
    const std::string path = (dir / "t.adf").string();
    CBody body;
    FillNewTemplate(body, "г. Тверь"_w);
    std::string error;
    EXPECT_TRUE(SaveBodyFile(path, body, error)) << error;
    return path;
}

TEST(CliFiles, ReadingRefusesWhatIsNoRegularFileAtOnce) {
    const fs::path dir = Work("reading");
    const fs::path fifo = dir / "pipe.adf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path huge = dir / "huge.adf";
    std::ofstream(huge).put('x');
    fs::resize_file(huge, kMaxFileBytes + 1);
    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    const Case cases[] = {
        {{"dump", "/dev/zero"}, "/dev/zero: not a regular file"},
        {{"dump", fifo.string()}, fifo.string() + ": not a regular file"},
        {{"dump", huge.string()}, huge.string() + ": the file is larger than 256 MB"},
        {{"build", "/dev/zero", (dir / "x.adf").string()}, "/dev/zero: not a regular file"},
        {{"render", fifo.string()}, fifo.string() + ": not a regular file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const Outcome r = Cli(c.args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_LT(r.took, std::chrono::seconds(5));
        EXPECT_LT(r.maxRssKb, 100 * 1024);
    }
    EXPECT_FALSE(fs::exists(dir / "x.adf"));
}

TEST(CliFiles, DumpOfALargeTextTakesLittleMoreThanTheFile) {
    const fs::path dir = Work("large");
    CBody body;
    FillNewTemplate(body, "г. Тверь"_w);
    body.m_arArticles.resize(1);
    body.m_arArticles[0].m_arItems.resize(1);
    constexpr std::size_t kText = std::size_t(40) << 20;
    body.m_arArticles[0].m_arItems[0].m_strText = std::string(kText, '\xE4'); // "д"
    const std::string path = (dir / "large.adf").string();
    std::string error;
    ASSERT_TRUE(SaveBodyFile(path, body, error)) << error;
    body = CBody{};
    const Outcome r = Cli({"dump", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.size() > 2 * kText, true); // two UTF-8 bytes a letter
    // The file is read, held as a body and written out piece by piece: about twice its size
    // and the program itself.
    EXPECT_LT(r.maxRssKb, 3 * long(kText >> 10) + 60 * 1024) << r.maxRssKb << " KB";
}

TEST(CliFiles, AFailedWriteNamesThePathOnce) {
    const fs::path dir = Work("failed-write");
    const std::string sample = NewTemplate(dir);
    const std::string missing = (dir / "no-folder" / "page.html").string();
    ASSERT_EQ(Cli({"dump", sample}).status, 0);
    std::ofstream(dir / "t.json") << Cli({"dump", sample}).out;
    const std::vector<std::string> commands[] = {
        {"render", sample, "-o", missing},
        {"new", missing},
        {"build", (dir / "t.json").string(), missing},
    };
    for (const auto &args : commands) {
        SCOPED_TRACE(args[0]);
        const Outcome r = Cli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "dravo-cli: " + missing + ": No such file or directory\n");
    }
    // A full device: written directly, the failure said once, the device left a device.
    const Outcome full = Cli({"render", sample, "-o", "/dev/full"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "dravo-cli: /dev/full: No space left on device\n");
    struct stat st {};
    ASSERT_EQ(::stat("/dev/full", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

TEST(CliFiles, OutputGoesThroughLinksAndToStandardOutput) {
    const fs::path dir = Work("outputs");
    const std::string sample = NewTemplate(dir);
    const Outcome toStdout = Cli({"render", sample, "--utf8", "-o", "/dev/stdout"});
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_NE(toStdout.out.find("<HEAD>"), std::string::npos);
    fs::create_directories(dir / "shared");
    fs::create_symlink("shared/page.html", dir / "page.html");
    ASSERT_EQ(Cli({"render", sample, "--utf8", "-o", (dir / "page.html").string()}).status, 0);
    EXPECT_TRUE(fs::is_symlink(dir / "page.html"));
    EXPECT_EQ(Slurp(dir / "shared" / "page.html"), toStdout.out);
}

TEST(CliDatabase, CommandsOnAFolderWithoutDatabasesCreateNothing) {
    const fs::path dir = Work("no-database");
    const std::vector<std::string> commands[] = {
        {"party", "list"},        {"party", "show", "1"},   {"party", "add", "--org", "Name=x"},
        {"party", "delete", "1"}, {"bank", "list"},         {"bank", "add", "NameB=x"},
        {"subject", "list"},      {"subject", "show", "x"},
    };
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        args.insert(args.end(), {"--root", dir.string()});
        const Outcome r = Cli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(dir.string() + "/Data/fct.db: no reference database"),
                  std::string::npos)
            << r.err;
        EXPECT_TRUE(r.out.empty());
        EXPECT_TRUE(fs::is_empty(dir));
    }
    // db init makes them; then the same command works.
    ASSERT_EQ(Cli({"db", "init", "--root", dir.string()}).status, 0);
    const Outcome listed = Cli({"party", "list", "--root", dir.string()});
    EXPECT_EQ(listed.status, 0) << listed.err;
}

TEST(CliText, TextTheCodePageCannotHoldIsRefusedAndNamed) {
    const fs::path dir = Work("text");
    ASSERT_EQ(Cli({"db", "init", "--root", dir.string()}).status, 0);
    const std::string root[] = {"--root", dir.string()};
    std::string json = Cli({"dump", NewTemplate(dir)}).out;
    const std::size_t place = json.find("г. Тверь");
    ASSERT_NE(place, std::string::npos);
    std::ofstream(dir / "t.json") << json.replace(place, 3, "😀");
    const std::string subjects = Cli({"subject", "list", root[0], root[1]}).out;
    const std::vector<std::string> commands[] = {
        {"party", "add", "--org", "Name=ООО 😀 Смайл", root[0], root[1]},
        {"bank", "add", "NameB=Банк 😀", root[0], root[1]},
        {"subject", "set", "Станки 😀", "--row", "1", "Name=x", root[0], root[1]},
        {"new", (dir / "new.adf").string(), "--place", "г. 😀"},
        {"build", (dir / "t.json").string(), (dir / "built.adf").string()},
    };
    for (const auto &args : commands) {
        SCOPED_TRACE(args[0]);
        const Outcome r = Cli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("«😀» (U+1F600)"), std::string::npos) << r.err;
    }
    // Nothing was stored.
    EXPECT_EQ(Cli({"party", "list", root[0], root[1]}).out, "");
    EXPECT_EQ(Cli({"bank", "list", root[0], root[1]}).out, "");
    EXPECT_EQ(Cli({"subject", "list", root[0], root[1]}).out, subjects);
    EXPECT_FALSE(fs::exists(dir / "new.adf"));
    EXPECT_FALSE(fs::exists(dir / "built.adf"));
    // What the code page holds still goes in.
    EXPECT_EQ(Cli({"party", "add", "--org", "Name=ООО «Смайл» №1", root[0], root[1]}).status, 0);
}

} // namespace
