#include "user.h"

#include "archive.h"
#include "body_io.h"
#include "fileio.h"
#include "text.h"

#include <fcntl.h>
#include <unistd.h>

namespace dravo {

using namespace literals;

namespace {

// Both files are kept in place: they are opened for reading and writing, never created. Only
// then is the new content written beside the file and renamed over it.
bool CanRewriteInPlace(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace

std::string_view UserFileMissingMessage() {
    return "Не найден файл реквизитов пользователя"_w;
}

std::string_view ListsFileMissingMessage() {
    return "Не удалось открыть файл со списками данных"_w;
}

bool LoadUserRequisites(const std::string &path, CUser &user, std::string &error) {
    std::string bytes, reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        error = UserFileMissingMessage();
        return false;
    }
    CUser read;
    ArchiveReader in(bytes);
    for (std::string &text : read.m_arTexts)
        in.Text(text);
    if (in.Failed()) {
        error = kUnexpectedFileFormat;
        return false;
    }
    user = std::move(read);
    return true;
}

std::string StoreUserRequisites(const CUser &user) {
    ArchiveWriter out;
    for (const std::string &text : user.m_arTexts)
        out.Text(text);
    return out.Take();
}

bool SaveUserRequisites(const std::string &path, const CUser &user, std::string &error) {
    if (!CanRewriteInPlace(path)) {
        error = UserFileMissingMessage();
        return false;
    }
    return WriteFileAtomically(path, StoreUserRequisites(user), error);
}

CBody NewListsBody() {
    CBody lists;
    lists.m_arArticles.clear();
    return lists;
}

bool LoadLists(const std::string &path, CBody &lists, std::string &error) {
    std::string bytes, reason;
    if (!ReadWholeFile(path, bytes, reason)) {
        error = ListsFileMissingMessage();
        return false;
    }
    return LoadBody(bytes, lists, error);
}

bool SaveLists(const std::string &path, CBody &lists, std::string &error) {
    if (!CanRewriteInPlace(path)) {
        error = ListsFileMissingMessage();
        return false;
    }
    return SaveBodyFile(path, lists, error);
}

} // namespace dravo
