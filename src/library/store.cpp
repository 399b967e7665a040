#include "store.h"

#include "core/fileio.h"
#include "core/text.h"

#include <filesystem>
#include <system_error>

namespace dravo::library {

namespace fs = std::filesystem;

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

fs::path Utf8Path(const std::string &utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool Report(const std::error_code &ec, const std::string &path, std::string &error) {
    error = FromUtf8(path + ": " + ec.message()); // errors are program text, like names
    return false;
}
} // namespace

std::string TrimmedName(const std::string &name) {
    std::size_t b = 0, e = name.size();
    while (b < e && IsBlank(name[b]))
        ++b;
    while (e > b && IsBlank(name[e - 1]))
        --e;
    return name.substr(b, e - b);
}

FolderStore::FolderStore(std::string root, JournalTables *tables)
    : m_root(std::move(root)), m_tables(tables) {}

std::string FolderStore::ElementPath(FileFolder folder, const std::string &name) const {
    return m_root + (folder == FileFolder::Templates ? "/Templates/" : "/Registers/") +
           ToUtf8(TrimmedName(name)) + ".adf";
}

std::string FolderStore::LibraryPath() const {
    return m_root + "/Data/ltr.dat";
}

bool FolderStore::FileExists(FileFolder folder, const std::string &name) const {
    std::error_code ec;
    return fs::is_regular_file(Utf8Path(ElementPath(folder, name)), ec);
}

bool FolderStore::CopyFile(FileFolder folder, const std::string &from, const std::string &to,
                           std::string &error) {
    const std::string target = ElementPath(folder, to);
    std::error_code ec;
    fs::copy_file(Utf8Path(ElementPath(folder, from)), Utf8Path(target),
                  fs::copy_options::skip_existing, ec);
    return ec ? Report(ec, target, error) : true;
}

bool FolderStore::RenameFile(FileFolder folder, const std::string &from, const std::string &to,
                             std::string &error) {
    const std::string target = ElementPath(folder, to);
    std::error_code ec;
    // rename() would replace an existing file: the caller has checked, but look again.
    if (fs::exists(Utf8Path(target), ec))
        return Report(std::make_error_code(std::errc::file_exists), target, error);
    fs::rename(Utf8Path(ElementPath(folder, from)), Utf8Path(target), ec);
    return ec ? Report(ec, target, error) : true;
}

bool FolderStore::RemoveFile(FileFolder folder, const std::string &name, std::string &error) {
    const std::string path = ElementPath(folder, name);
    std::error_code ec;
    fs::remove(Utf8Path(path), ec);
    return ec ? Report(ec, path, error) : true;
}

bool FolderStore::ReadLibraryFile(std::string &bytes, std::string &error) const {
    return ReadWholeFile(LibraryPath(), bytes, error);
}

bool FolderStore::LibraryFileExists() const {
    std::error_code ec;
    return fs::is_regular_file(Utf8Path(LibraryPath()), ec);
}

bool FolderStore::WriteLibraryFile(const std::string &bytes, std::string &error) {
    if (WriteFileAtomically(LibraryPath(), bytes, error))
        return true;
    error = FromUtf8(error);
    return false;
}

bool FolderStore::KeepDamagedLibraryFile(const std::string &bytes, std::string &error) {
    std::string aside;
    if (KeepDamagedCopy(LibraryPath(), bytes, aside, error))
        return true;
    error = FromUtf8(error);
    return false;
}

} // namespace dravo::library
