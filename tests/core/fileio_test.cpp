#include "core/fileio.h"

#include <filesystem>
#include <gtest/gtest.h>

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
