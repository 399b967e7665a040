#include "core/archive.h"
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/text.h"
#include "core/user.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace dravo;
using namespace dravo::literals;
namespace fs = std::filesystem;

namespace {

fs::path TempDir(const char *name) {
    fs::path dir = fs::temp_directory_path() / ("dravo-user-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

CUser SampleUser() {
    CUser user;
    user.Text(CUser::UserName) = "ООО \"Ромашка\""_w;
    user.Text(CUser::ReferredAs) = "Поставщик"_w;
    user.Text(CUser::Settlement) = "г. Тверь"_w;
    user.Text(CUser::LastDocument) = "/home/u/Договор.adf"_w;
    user.Text(5) = std::string(300, 'p');
    return user;
}

std::string UserBytes(const CUser &user) {
    ArchiveWriter out;
    for (const std::string &text : user.m_arTexts)
        out.Text(text);
    return out.Take();
}

TEST(UserFile, MissingFileIsReportedAndNeverCreated) {
    const fs::path dir = TempDir("missing");
    const std::string path = (dir / "usr.dat").string();
    CUser user = SampleUser();
    std::string error;
    EXPECT_FALSE(LoadUserRequisites(path, user, error));
    EXPECT_EQ(error, "Не найден файл реквизитов пользователя"_w);
    EXPECT_EQ(user, SampleUser());
    error.clear();
    EXPECT_FALSE(SaveUserRequisites(path, user, error));
    EXPECT_EQ(error, "Не найден файл реквизитов пользователя"_w);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST(UserFile, StoredOverALongerFileReadsBackExactly) {
    const fs::path dir = TempDir("longer");
    const std::string path = (dir / "usr.dat").string();
    CUser longer;
    for (std::string &text : longer.m_arTexts)
        text = std::string(1000, 'L');
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, UserBytes(longer) + "tail", error));

    const CUser user = SampleUser();
    ASSERT_TRUE(SaveUserRequisites(path, user, error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(bytes, UserBytes(user));
    CUser loaded;
    ASSERT_TRUE(LoadUserRequisites(path, loaded, error)) << error;
    EXPECT_EQ(loaded, user);
}

TEST(UserFile, BytesAfterTheTextsAreIgnored) {
    // A file that an earlier version rewrote in place over a longer one.
    const fs::path dir = TempDir("tail");
    const std::string path = (dir / "usr.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, UserBytes(SampleUser()) + "\x05stale", error));
    CUser loaded;
    ASSERT_TRUE(LoadUserRequisites(path, loaded, error));
    EXPECT_EQ(loaded, SampleUser());
}

TEST(UserFile, MalformedFileChangesNothing) {
    const fs::path dir = TempDir("malformed");
    const std::string path = (dir / "usr.dat").string();
    const std::string bytes = UserBytes(SampleUser());
    for (std::size_t n : {std::size_t(0), std::size_t(1), bytes.size() / 2, bytes.size() - 1}) {
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, bytes.substr(0, n), error));
        CUser user;
        user.Text(0) = "kept";
        EXPECT_FALSE(LoadUserRequisites(path, user, error)) << n;
        EXPECT_EQ(error, path + ": " + std::string(kUnexpectedFileFormat)) << n;
        EXPECT_EQ(user.Text(0), "kept") << n;
    }
}

TEST(ListsFile, MissingFileIsReportedAndNeverCreated) {
    const fs::path dir = TempDir("lists-missing");
    const std::string path = (dir / "buff.dat").string();
    CBody lists = NewListsBody();
    EXPECT_EQ(lists.ArticleCount(), 0u);
    std::string error;
    EXPECT_FALSE(LoadLists(path, lists, error));
    EXPECT_EQ(error, "Не удалось открыть файл со списками данных"_w);
    EXPECT_EQ(lists, NewListsBody());
    EXPECT_FALSE(SaveLists(path, lists, error));
    EXPECT_FALSE(fs::exists(path));
}

TEST(ListsFile, RoundTripAndMalformedFile) {
    const fs::path dir = TempDir("lists");
    const std::string path = (dir / "buff.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "", error));
    CBody lists = NewListsBody();
    CPar list;
    list.m_head.m_strName = "город"_w;
    CPun value;
    value.m_strText = "Москва"_w;
    list.m_arItems.push_back(value);
    lists.m_arArticles.push_back(list);
    ASSERT_TRUE(SaveLists(path, lists, error)) << error;

    CBody loaded = NewListsBody();
    ASSERT_TRUE(LoadLists(path, loaded, error)) << error;
    EXPECT_EQ(loaded, lists);

    ASSERT_TRUE(WriteFileAtomically(path,
                                    "\x06"
                                    "ADF2.2",
                                    error));
    CBody kept = lists;
    EXPECT_FALSE(LoadLists(path, kept, error));
    EXPECT_EQ(error, path + ": " + std::string(kUnexpectedFileFormat));
    EXPECT_EQ(kept, lists);
}

} // namespace

// A damaged data file (one byte cut off, as a crash or a full disk leaves it) is set aside with
// its bytes intact, the program goes on with an empty one, and nothing is ever stored over it.
TEST(DataFiles, DamagedFileIsSetAsideAndNeverStoredOver) {
    CBody lists = NewListsBody();
    CPar list;
    list.m_head.m_strName = "город"_w;
    lists.m_arArticles.push_back(list);
    StoreBody(lists); // the store rebuilds the derived sections once
    const std::string listBytes = StoreBody(lists);
    const std::string userBytes = UserBytes(SampleUser());

    struct Case {
        const char *name;
        std::string good;
        std::function<bool(const std::string &, std::string &)> load, loadKeeping, save;
    };
    CBody loadedLists;
    CUser loadedUser;
    const Case cases[] = {
        {"buff.dat", listBytes,
         [&](const std::string &p, std::string &e) { return LoadLists(p, loadedLists, e); },
         [&](const std::string &p, std::string &e) {
             return LoadListsKeepingDamaged(p, loadedLists, e);
         },
         [&](const std::string &p, std::string &e) { return SaveLists(p, lists, e); }},
        {"usr.dat", userBytes,
         [&](const std::string &p, std::string &e) { return LoadUserRequisites(p, loadedUser, e); },
         [&](const std::string &p, std::string &e) {
             return LoadUserRequisitesKeepingDamaged(p, loadedUser, e);
         },
         [&](const std::string &p, std::string &e) {
             return SaveUserRequisites(p, SampleUser(), e);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dir = TempDir((std::string("damaged-") + c.name).c_str());
        const std::string path = (dir / c.name).string();
        const std::string damaged = c.good.substr(0, c.good.size() - 1);
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(path, damaged, error));

        // The plain load names the file; a store over the damaged file is refused.
        EXPECT_FALSE(c.load(path, error));
        EXPECT_EQ(error.rfind(path + ": Unexpected file format.", 0), 0u) << error;
        EXPECT_FALSE(c.save(path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        std::string bytes;
        ASSERT_TRUE(ReadWholeFile(path, bytes, error));
        EXPECT_TRUE(bytes == damaged);

        // The program's load keeps the damaged bytes aside and puts an empty file in place.
        EXPECT_FALSE(c.loadKeeping(path, error));
        std::vector<fs::path> aside;
        for (const auto &entry : fs::directory_iterator(dir))
            if (entry.path().filename() != c.name)
                aside.push_back(entry.path());
        ASSERT_EQ(aside.size(), 1u);
        const std::string asideName = aside[0].filename().string();
        EXPECT_EQ(asideName.rfind(std::string(c.name) + ".damaged-20", 0), 0u) << asideName;
        EXPECT_EQ(asideName.size(), std::string(c.name).size() + 24) << asideName;
        ASSERT_TRUE(ReadWholeFile(aside[0].string(), bytes, error));
        EXPECT_TRUE(bytes == damaged);
        EXPECT_NE(error.find(path), std::string::npos);
        EXPECT_NE(ToUtf8(error).find("Поврежденный файл сохранен как " + aside[0].string()),
                  std::string::npos)
            << ToUtf8(error);

        // The fresh file loads and takes the next store.
        EXPECT_TRUE(c.load(path, error)) << error;
        EXPECT_TRUE(c.save(path, error)) << error;
        ASSERT_TRUE(ReadWholeFile(path, bytes, error));
        EXPECT_TRUE(bytes == c.good);

        // A second damaged load gets a name of its own.
        ASSERT_TRUE(WriteFileAtomically(path, damaged, error));
        EXPECT_FALSE(c.loadKeeping(path, error));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
    }
}
