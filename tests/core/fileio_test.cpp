#include "core/fileio.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace dravo;
namespace fs = std::filesystem;

namespace {
fs::path TempDir(const char *name) {
    fs::path dir = fs::temp_directory_path() / ("dravo-test-" + std::string(name));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}
} // namespace

TEST(FileIo, AtomicWriteReplacesAndLeavesNoTemporaryFile) {
    const fs::path dir = TempDir("atomic");
    const std::string path = (dir / "a.adf").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old", error)) << error;
    ASSERT_TRUE(WriteFileAtomically(path, std::string(100000, 'x'), error)) << error;
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(bytes, std::string(100000, 'x'));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST(FileIo, FailedWriteKeepsTheOldFileAndSaysWhy) {
    const fs::path dir = TempDir("readonly");
    const std::string path = (dir / "a.adf").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old", error));
    // A folder in the way of the rename: the write must fail and leave nothing behind.
    const std::string blocked = (dir / "sub").string();
    fs::create_directories(dir / "sub" / "x");
    EXPECT_FALSE(WriteFileAtomically(blocked, "new", error));
    EXPECT_NE(error.find("sub"), std::string::npos);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(bytes, "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

TEST(FileIo, MissingFileGivesTheSystemReason) {
    std::string bytes, error;
    EXPECT_FALSE(ReadWholeFile("/nonexistent/dravo/file.adf", bytes, error));
    EXPECT_NE(error.find("No such file"), std::string::npos);
}

// What the one save routine does with each kind of file a path can name.
namespace {

std::size_t Entries(const fs::path &dir) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

std::string Content(const fs::path &path) {
    std::string bytes, error;
    EXPECT_TRUE(ReadWholeFile(path.string(), bytes, error)) << error;
    return bytes;
}

} // namespace

TEST(FileIo, SymbolicLinkIsWrittenAtItsTarget) {
    const fs::path dir = TempDir("symlink");
    fs::create_directories(dir / "shared");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((dir / "shared" / "t.adf").string(), "old", error));
    fs::create_symlink("shared/t.adf", dir / "relative.adf");
    fs::create_symlink(dir / "relative.adf", dir / "chain.adf");
    fs::create_symlink("shared/new.adf", dir / "dangling.adf");
    for (const char *link : {"relative.adf", "chain.adf", "dangling.adf"}) {
        SCOPED_TRACE(link);
        ASSERT_TRUE(WriteFileAtomically((dir / link).string(), link, error)) << error;
        EXPECT_TRUE(fs::is_symlink(dir / link));
        EXPECT_EQ(Content(dir / link), link);
    }
    EXPECT_EQ(Content(dir / "shared" / "t.adf"), "chain.adf");
    EXPECT_EQ(Content(dir / "shared" / "new.adf"), "dangling.adf");
    EXPECT_EQ(Entries(dir), 4u);
    EXPECT_EQ(Entries(dir / "shared"), 2u);
}

TEST(FileIo, HardLinksStayOneFile) {
    const fs::path dir = TempDir("hardlink");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((dir / "a.dat").string(), std::string(5000, 'o'), error));
    fs::create_hard_link(dir / "a.dat", dir / "b.dat");
    for (const std::string &bytes : {std::string("short"), std::string(9000, 'n')}) {
        ASSERT_TRUE(WriteFileAtomically((dir / "b.dat").string(), bytes, error)) << error;
        EXPECT_EQ(Content(dir / "a.dat"), bytes);
        EXPECT_EQ(fs::hard_link_count(dir / "a.dat"), 2u);
        EXPECT_EQ(Entries(dir), 2u); // the backup copy is gone
    }
}

TEST(FileIo, FifoIsWrittenDirectlyAndNeverRead) {
    const fs::path dir = TempDir("fifo");
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        got.assign(std::istreambuf_iterator<char>(in), {});
    });
    std::string error;
    EXPECT_TRUE(WriteFileAtomically(fifo.string(), "page", error)) << error;
    reader.join();
    EXPECT_EQ(got, "page");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Entries(dir), 1u);

    // Nobody writes into it: reading must fail at once instead of waiting.
    std::string bytes;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ReadWholeFile(fifo.string(), bytes, error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(FileIo, ReadingRefusesDevicesAndFilesAboveTheLimit) {
    const fs::path dir = TempDir("limits");
    std::string bytes, error;
    EXPECT_FALSE(ReadWholeFile("/dev/zero", bytes, error));
    EXPECT_NE(error.find("/dev/zero: not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(ReadWholeFile(dir.string(), bytes, error));

    // A sparse file above 256 MB is refused without being read.
    const fs::path huge = dir / "huge.adf";
    std::ofstream(huge).put('x');
    fs::resize_file(huge, kMaxFileBytes + 1);
    EXPECT_FALSE(ReadWholeFile(huge.string(), bytes, error));
    EXPECT_NE(error.find("larger than 256 MB"), std::string::npos) << error;
    fs::resize_file(huge, 0);

    struct Case {
        std::size_t size;
        bool fits;
    };
    for (const Case c : {Case{0, true}, Case{10, true}, Case{11, false}}) {
        ASSERT_TRUE(WriteFileAtomically(huge.string(), std::string(c.size, 'z'), error));
        EXPECT_EQ(ReadWholeFile(huge.string(), bytes, error, 10), c.fits) << c.size;
        if (c.fits) {
            EXPECT_EQ(bytes.size(), c.size);
        }
    }
}

TEST(FileIo, LongNameIsSaved) {
    const fs::path dir = TempDir("longname");
    // 250 bytes, Cyrillic letters (two bytes each) included.
    const std::string name = std::string(238, 'a') + "\xd0\x94\xd0\x94\xd0\x94.adf12";
    ASSERT_EQ(name.size(), 250u);
    std::string error;
    for (const char *bytes : {"first", "second"})
        ASSERT_TRUE(WriteFileAtomically((dir / name).string(), bytes, error)) << error;
    EXPECT_EQ(Content(dir / name), "second");
    EXPECT_EQ(Entries(dir), 1u);
}

TEST(FileIo, ModeOwnerAndGroupAreKept) {
    const fs::path dir = TempDir("owner");
    const fs::path path = dir / "usr.dat";
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path.string(), "old", error));
    ::chmod(path.c_str(), 0640);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    ASSERT_TRUE(WriteFileAtomically(path.string(), "new", error)) << error;
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(Content(path), "new");
    EXPECT_EQ(Entries(dir), 1u);
}

TEST(FileIo, KilledSaveLeavesNothingAfterTheNextSave) {
    const fs::path dir = TempDir("killed");
    const std::string path = (dir / "buff.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old", error));
    // A save that a crash interrupted: a named temporary file and a backup that no process holds.
    const std::string prefix = TemporaryFilePrefix(path);
    EXPECT_EQ(prefix.rfind(dir.string() + "/.~buff.dat~", 0), 0u) << prefix;
    std::ofstream(prefix + "Ab3dE9") << "half";
    std::ofstream(prefix + "Zz9yX8.orig") << "old";
    // Another target's leftovers are not this save's business.
    const std::string other = TemporaryFilePrefix((dir / "usr.dat").string()) + "Ab3dE9";
    std::ofstream(other) << "other";
    // And a save killed while it writes leaves nothing that the next save does not remove.
    const pid_t child = ::fork();
    if (child == 0) {
        std::string e;
        WriteFileAtomically(path, std::string(std::size_t(200) << 20, 'k'), e);
        ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new", error)) << error;
    EXPECT_EQ(Content(path), "new");
    std::vector<std::string> left;
    for (const auto &entry : fs::directory_iterator(dir))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{fs::path(other).filename().string(), "buff.dat"}));
}

TEST(FileIo, ReadOnlyFileIsRefused) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write any file";
    const fs::path dir = TempDir("readonly-file");
    const std::string path = (dir / "t.adf").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old", error));
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(WriteFileAtomically(path, "new", error));
    EXPECT_EQ(error, path + ": Permission denied");
    EXPECT_EQ(Content(path), "old");
}

// Bytes made piece by piece reach a new file, a file with another hard link (rewritten in place)
// and a device in order; a maker whose piece cannot be written stops there,
// and the save says so.
TEST(FileIo, PiecesAreWrittenInOrderWhereverTheyGo) {
    const fs::path dir = TempDir("pieces");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically((dir / "linked").string(), std::string(50000, 'o'), error));
    fs::create_hard_link(dir / "linked", dir / "other");
    // A piece large enough to be sent to the disk as soon as it is written.
    const std::vector<std::string> pieces = {"<HTML>", std::string(300000, 'x'), "", "</HTML>"};
    const std::string whole = pieces[0] + pieces[1] + pieces[3];
    int made = 0;
    const BytePieces maker = [&](const std::function<bool(std::string_view)> &put) {
        made = 0;
        for (const std::string &piece : pieces) {
            ++made;
            if (!put(piece))
                return false;
        }
        return true;
    };
    for (const char *name : {"new", "linked"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(WriteFileAtomically((dir / name).string(), maker, error)) << error;
        EXPECT_EQ(Content(dir / name), whole);
    }
    EXPECT_EQ(Content(dir / "other"), whole);
    ASSERT_TRUE(WriteFileAtomically("/dev/null", maker, error)) << error;
    EXPECT_EQ(made, 4);
    EXPECT_FALSE(WriteFileAtomically("/dev/full", maker, error));
    EXPECT_EQ(made, 1) << "the maker goes on after a piece failed";
}

TEST(FileIo, DamagedCopiesAreKeptBesideTheFileAndNeverOverwritten) {
    const fs::path dir = TempDir("damaged");
    const std::string path = (dir / "buff.dat").string();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "current", error));
    // Made within a second or two: later copies take "-2", "-3" rather than an earlier name.
    std::vector<std::pair<std::string, std::string>> kept;
    for (const char *bytes : {"first", "second", "third"}) {
        std::string aside;
        ASSERT_TRUE(KeepDamagedCopy(path, bytes, aside, error)) << error;
        EXPECT_EQ(aside.rfind(path + ".damaged-20", 0), 0u) << aside;
        kept.emplace_back(aside, bytes);
    }
    for (const auto &[name, bytes] : kept)
        EXPECT_EQ(Content(name), bytes) << name;
    EXPECT_EQ(Content(path), "current");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 4);
}
