#include "fileio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravo {

namespace {

std::string Reason(const std::string &path, int error = errno) {
    return path + ": " + std::strerror(error);
}

// Closes a descriptor on every way out.
struct Fd {
    int fd = -1;
    Fd() = default;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() { Reset(); }
    void Reset(int f = -1) {
        if (fd >= 0)
            ::close(fd);
        fd = f;
    }
    explicit operator bool() const { return fd >= 0; }
};

// All of bytes written at their place from at on, or, with at < 0, at the file's position.
bool WriteAll(int fd, std::string_view bytes, off_t at) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t w = at < 0 ? ::write(fd, bytes.data() + done, bytes.size() - done)
                                 : ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                            at + static_cast<off_t>(done));
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(w);
    }
    return true;
}

bool WriteStream(int fd, std::string_view bytes) {
    return WriteAll(fd, bytes, -1);
}

// Every piece written at its place from at on; written tells how many bytes went.
bool WriteAll(int fd, const BytePieces &pieces, off_t at, std::size_t &written) {
    written = 0;
    return pieces([&](std::string_view piece) {
        if (!WriteAll(fd, piece, at + static_cast<off_t>(written)))
            return false;
        written += piece.size();
        return true;
    });
}

bool WriteStream(int fd, const BytePieces &pieces) {
    return pieces([fd](std::string_view piece) { return WriteStream(fd, piece); });
}

// Writes a new file from its start and sends each large piece on its way to the disk as soon as
// it is written, so that the closing fsync waits for the last piece rather than the whole file.
bool WriteAndFlush(int fd, const BytePieces &pieces) {
    constexpr std::size_t kWorthFlushing = std::size_t(256) << 10;
    off_t at = 0;
    return pieces([&](std::string_view piece) {
        if (!WriteStream(fd, piece))
            return false;
        if (piece.size() >= kWorthFlushing)
            (void)::sync_file_range(fd, at, static_cast<off_t>(piece.size()),
                                    SYNC_FILE_RANGE_WRITE);
        at += static_cast<off_t>(piece.size());
        return true;
    });
}

std::string FolderOf(const std::string &path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string &path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links leads to (path itself when it is none). A link to nothing
// gives the path where its target would be.
bool FollowLinks(const std::string &path, std::string &target) {
    target = path;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0)
            return errno == ENOENT;
        if (!S_ISLNK(st.st_mode))
            return true;
        if (hops == 40) {
            errno = ELOOP;
            return false;
        }
        std::string link(4096, '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n < 0)
            return false;
        link.resize(static_cast<std::size_t>(n));
        target = (!link.empty() && link[0] == '/') ? link : FolderOf(target) + "/" + link;
    }
}

// Temporary and backup files of a target are named ".~" + the start of its name + "~" + a hash
// of the whole name + "." + six random characters, so that a name of any length fits and the
// leftovers of one target are told from those of another.
std::string Prefix(const std::string &target) {
    const std::string name = NameOf(target);
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    std::size_t keep = std::min<std::size_t>(name.size(), 180);
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep; // never cut a UTF-8 character in two
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08x", hash);
    return FolderOf(target) + "/.~" + name.substr(0, keep) + "~" + hex + ".";
}

constexpr std::string_view kBackupEnd = ".orig";

std::string RandomPart() {
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    static thread_local std::mt19937 engine{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string out(6, '\0');
    for (char &c : out)
        c = kChars[pick(engine)];
    return out;
}

// Creates a new file name + six random characters + end, open for writing and locked while it
// is being written, so that a later save can tell a live temporary file from a stale one.
int CreateNamed(const std::string &prefix, std::string_view end, std::string &name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + RandomPart() + std::string(end);
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Gives an unnamed temporary file its name, just before the rename.
bool LinkUnnamed(int fd, const std::string &prefix, std::string &name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix + RandomPart();
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// Removes the temporary files and backups of the target that no running save holds.
void RemoveStale(const std::string &prefix) {
    const std::string folder = FolderOf(prefix + "x");
    const std::string start = NameOf(prefix + "x");
    const std::string_view stem(start.data(), start.size() - 1);
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name.substr(0, stem.size()) != stem)
            continue;
        const std::string_view rest = name.substr(stem.size());
        if (rest.size() != 6 &&
            !(rest.size() == 6 + kBackupEnd.size() && rest.substr(6) == kBackupEnd))
            continue;
        const std::string path = folder + "/" + std::string(name);
        Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (fd && ::flock(fd.fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.c_str());
    }
    ::closedir(dir);
}

void SyncFolder(const std::string &folder) {
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir)
        ::fsync(dir.fd);
}

// Devices, FIFOs and the like: the bytes go straight to them.
bool WriteDirectly(const std::string &path, const BytePieces &pieces, std::string &error) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (!fd || !WriteStream(fd.fd, pieces)) {
        error = Reason(path);
        return false;
    }
    const int closed = ::close(fd.fd);
    fd.fd = -1;
    if (closed != 0) {
        error = Reason(path);
        return false;
    }
    return true;
}

// The target keeps its inode: every hard link, the owner and the group stay. A copy of the old
// bytes is on disk before the first byte is overwritten.
bool WriteInPlace(const std::string &path, const std::string &target, const BytePieces &pieces,
                  std::string &error) {
    std::string old;
    if (!ReadWholeFile(target, old, error, ~std::uint64_t(0)))
        return false;
    const std::string prefix = Prefix(target);
    std::string backupName;
    Fd backup(CreateNamed(prefix, kBackupEnd, backupName));
    if (!backup || !WriteAll(backup.fd, old, 0) || ::fsync(backup.fd) != 0) {
        error = Reason(path);
        if (backup)
            ::unlink(backupName.c_str());
        return false;
    }
    Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd) {
        error = Reason(path);
        ::unlink(backupName.c_str());
        return false;
    }
    std::size_t written = 0;
    if (WriteAll(fd.fd, pieces, 0, written) &&
        ::ftruncate(fd.fd, static_cast<off_t>(written)) == 0 && ::fsync(fd.fd) == 0) {
        ::unlink(backupName.c_str());
        RemoveStale(prefix);
        return true;
    }
    const int why = errno;
    error = Reason(path, why);
    // Put the old bytes back; the copy stays only when that fails too.
    if (WriteAll(fd.fd, old, 0) && ::ftruncate(fd.fd, static_cast<off_t>(old.size())) == 0 &&
        ::fsync(fd.fd) == 0)
        ::unlink(backupName.c_str());
    else
        error += "; the previous content is kept in " + backupName;
    return false;
}

} // namespace

bool KeepDamagedCopy(const std::string &path, std::string_view bytes, std::string &aside,
                     std::string &error) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".damaged-" + stamp;
    aside = base;
    struct stat st {};
    for (int n = 2; ::lstat(aside.c_str(), &st) == 0 || errno != ENOENT; ++n) {
        if (n > 100) {
            error = Reason(aside, EEXIST);
            return false;
        }
        aside = base + "-" + std::to_string(n);
    }
    return WriteFileAtomically(aside, bytes, error);
}

std::string TemporaryFilePrefix(const std::string &target) {
    return Prefix(target);
}

bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error,
                   std::uint64_t maxBytes) {
    // O_NONBLOCK: opening a FIFO must not wait for a writer before it can be refused.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd) {
        error = Reason(path);
        return false;
    }
    struct stat st {};
    if (::fstat(fd.fd, &st) != 0) {
        error = Reason(path);
        return false;
    }
    if (S_ISDIR(st.st_mode)) {
        error = Reason(path, EISDIR);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + ": not a regular file (a device, a FIFO or a socket is never read)";
        return false;
    }
    const auto tooLarge = [&] {
        error = path + ": the file is larger than " + std::to_string(maxBytes >> 20) +
                " MB, which no template or data file reaches";
        return false;
    };
    if (static_cast<std::uint64_t>(st.st_size) > maxBytes)
        return tooLarge();
    std::string out;
    out.resize(static_cast<std::size_t>(st.st_size));
    std::size_t have = 0;
    for (;;) {
        if (have == out.size()) {
            // The end of the file as fstat measured it: a small read says whether it grew
            // since, so that the usual file is read into its buffer without growing (and so
            // copying) it.
            char probe[4096];
            const ssize_t n = ::read(fd.fd, probe, sizeof probe);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                error = Reason(path);
                return false;
            }
            if (n == 0)
                break;
            // It grew: read on, still within the limit.
            if (have + static_cast<std::uint64_t>(n) > maxBytes)
                return tooLarge();
            out.append(probe, static_cast<std::size_t>(n));
            have = out.size();
            out.resize(std::min<std::uint64_t>(maxBytes, have + 65536));
            continue;
        }
        const ssize_t n = ::read(fd.fd, out.data() + have, out.size() - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = Reason(path);
            return false;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    out.resize(have);
    bytes = std::move(out);
    return true;
}

bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string &error) {
    return WriteFileAtomically(
        path, [bytes](const std::function<bool(std::string_view)> &put) { return put(bytes); },
        error);
}

bool WriteFileAtomically(const std::string &path, const BytePieces &pieces, std::string &error) {
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        error = Reason(path);
        return false;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        error = Reason(path, EISDIR);
        return false;
    }
    if (exists && !S_ISREG(st.st_mode))
        return WriteDirectly(path, pieces, error);

    std::string target;
    if (!FollowLinks(path, target)) {
        error = Reason(path);
        return false;
    }
    if (exists) {
        // The new file is renamed over the old one, which needs no right to write the old file
        // itself: a file its owner made read-only must still refuse the save.
        Fd probe(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        if (!probe) {
            error = Reason(path);
            return false;
        }
        if (st.st_nlink > 1)
            return WriteInPlace(path, target, pieces, error);
    }

    const std::string folder = FolderOf(target);
    const std::string prefix = Prefix(target);
    std::string tempName;
    Fd fd(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    if (fd) {
        ::flock(fd.fd, LOCK_EX);
    } else {
        fd.Reset(CreateNamed(prefix, {}, tempName));
        if (!fd) {
            error = Reason(path);
            return false;
        }
    }
    auto fail = [&](int why) {
        error = Reason(path, why);
        if (!tempName.empty())
            ::unlink(tempName.c_str());
        return false;
    };
    if (exists) {
        struct stat made {};
        if (::fstat(fd.fd, &made) != 0)
            return fail(errno);
        if ((made.st_uid != st.st_uid || made.st_gid != st.st_gid) &&
            ::fchown(fd.fd, st.st_uid, st.st_gid) != 0) {
            // Only the owner's own program or root can give the file its owner back: rewrite
            // the file where it is instead.
            if (!tempName.empty())
                ::unlink(tempName.c_str());
            fd.Reset();
            return WriteInPlace(path, target, pieces, error);
        }
        // Best effort: a file system without modes (FAT) refuses and keeps its own.
        (void)::fchmod(fd.fd, st.st_mode & 07777);
    } else if (!tempName.empty()) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd.fd, 0666 & ~mask);
    }
    if (!WriteAndFlush(fd.fd, pieces) || ::fsync(fd.fd) != 0)
        return fail(errno);
    if (tempName.empty() && !LinkUnnamed(fd.fd, prefix, tempName)) {
        const int why = errno;
        tempName.clear();
        return fail(why);
    }
    if (std::rename(tempName.c_str(), target.c_str()) != 0)
        return fail(errno);
    tempName.clear();
    if (::close(fd.fd) != 0) {
        fd.fd = -1;
        error = Reason(path);
        return false;
    }
    fd.fd = -1;
    SyncFolder(folder);
    RemoveStale(prefix);
    return true;
}

} // namespace dravo
