// The user's data files read as the program reads them: arbitrary bytes as "usr.dat" and as
// "buff.dat" on disk. A file must never crash the reader; one that loads must store and load
// back to the same record; one that does not load must never be stored over.
#include "core/body_io.h"
#include "core/fileio.h"
#include "core/user.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace dravo;

namespace {

const std::string &Folder() {
    static const std::string folder = [] {
        // In memory where the system has it: every run writes and syncs two files.
        char name[] = "/dev/shm/dravo-fuzz-data-XXXXXX";
        if (::access("/dev/shm", W_OK) != 0)
            std::snprintf(name, sizeof name, "%s", "/tmp/dravo-fuzz-data-XXXXXX");
        const char *made = ::mkdtemp(name);
        if (!made)
            std::abort();
        return std::string(made);
    }();
    return folder;
}

void Put(const std::string &path, const std::string &bytes) {
    std::string error;
    if (!WriteFileAtomically(path, bytes, error))
        std::abort();
}

std::string Get(const std::string &path) {
    std::string bytes, error;
    if (!ReadWholeFile(path, bytes, error))
        std::abort();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    std::string error;

    const std::string userFile = Folder() + "/usr.dat";
    Put(userFile, bytes);
    CUser user;
    if (LoadUserRequisites(userFile, user, error)) {
        if (!SaveUserRequisites(userFile, user, error))
            __builtin_trap();
        CUser again;
        if (!LoadUserRequisites(userFile, again, error) || !(again == user))
            __builtin_trap();
    } else if (!bytes.empty()) {
        if (SaveUserRequisites(userFile, CUser{}, error) || Get(userFile) != bytes)
            __builtin_trap(); // a damaged file was stored over
    }

    const std::string listsFile = Folder() + "/buff.dat";
    Put(listsFile, bytes);
    CBody lists = NewListsBody();
    if (LoadLists(listsFile, lists, error)) {
        if (!BodyFitsArchive(lists, error))
            return 0;
        if (!SaveLists(listsFile, lists, error))
            __builtin_trap();
        const std::string stored = Get(listsFile);
        CBody again = NewListsBody();
        if (!LoadLists(listsFile, again, error) || StoreBody(again) != stored)
            __builtin_trap();
    } else if (!bytes.empty()) {
        CBody fresh = NewListsBody();
        if (SaveLists(listsFile, fresh, error) || Get(listsFile) != bytes)
            __builtin_trap();
    }
    return 0;
}
