#include "user.h"

#include "archive.h"
#include "body_io.h"
#include "fileio.h"
#include "text.h"

#include <fcntl.h>
#include <functional>
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

// The message of a malformed file: its name first.
std::string Malformed(const std::string &path) {
    return FromUtf8(path) + ": " + std::string(kUnexpectedFileFormat);
}

bool ReadUser(const std::string &bytes, CUser &user) {
    CUser read;
    ArchiveReader in(bytes);
    for (std::string &text : read.m_arTexts)
        in.Text(text);
    if (in.Failed())
        return false;
    user = std::move(read);
    return true;
}

// False, with the message, when the file holds bytes that do not load: a damaged file is not
// stored over. An empty file is a fresh one.
bool NotDamaged(const std::string &path, const std::function<bool(const std::string &)> &loads,
                std::string &error) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, error))
        return false;
    if (bytes.empty() || loads(bytes))
        return true;
    error = Malformed(path) + " " + std::string("Файл не перезаписан."_w);
    return false;
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
    if (!ReadUser(bytes, user)) {
        error = Malformed(path);
        return false;
    }
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
    CUser any;
    if (!NotDamaged(
            path, [&](const std::string &bytes) { return ReadUser(bytes, any); }, error))
        return false;
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
    if (!LoadBody(bytes, lists, error)) {
        error = Malformed(path);
        return false;
    }
    return true;
}

bool SaveLists(const std::string &path, CBody &lists, std::string &error) {
    if (!CanRewriteInPlace(path)) {
        error = ListsFileMissingMessage();
        return false;
    }
    CBody any;
    std::string why;
    if (!NotDamaged(
            path, [&](const std::string &bytes) { return LoadBody(bytes, any, why); }, error))
        return false;
    return SaveBodyFile(path, lists, error);
}

bool SetDamagedFileAside(const std::string &path, std::string_view freshBytes,
                         std::string &message) {
    std::string damaged;
    if (!ReadWholeFile(path, damaged, message))
        return false;
    std::string aside, error;
    if (!KeepDamagedCopy(path, damaged, aside, error) ||
        !WriteFileAtomically(path, freshBytes, error)) {
        message = Malformed(path) + "\n" + FromUtf8(error);
        return false;
    }
    message = Malformed(path) + "\n" + std::string("Поврежденный файл сохранен как "_w) +
              FromUtf8(aside) + std::string(", на его месте создан пустой файл."_w);
    return true;
}

bool LoadUserRequisitesKeepingDamaged(const std::string &path, CUser &user, std::string &error) {
    if (LoadUserRequisites(path, user, error))
        return true;
    std::string bytes, why;
    CUser any;
    if (ReadWholeFile(path, bytes, why) && !bytes.empty() && !ReadUser(bytes, any))
        SetDamagedFileAside(path, StoreUserRequisites(CUser{}), error);
    return false;
}

bool LoadListsKeepingDamaged(const std::string &path, CBody &lists, std::string &error) {
    if (LoadLists(path, lists, error))
        return true;
    std::string bytes, why;
    CBody any;
    if (ReadWholeFile(path, bytes, why) && !bytes.empty() && !LoadBody(bytes, any, why)) {
        CBody fresh = NewListsBody();
        SetDamagedFileAside(path, StoreBody(fresh), error);
    }
    return false;
}

} // namespace dravo
