#include "fileio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravo {

namespace {
std::string Reason(const std::string &path) {
    return path + ": " + std::strerror(errno);
}
} // namespace

bool ReadWholeFile(const std::string &path, std::string &bytes, std::string &error) {
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = Reason(path);
        return false;
    }
    std::string out;
    char buffer[65536];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        out.append(buffer, n);
    const bool failed = std::ferror(f) != 0;
    if (failed)
        error = Reason(path);
    std::fclose(f);
    if (failed)
        return false;
    bytes = std::move(out);
    return true;
}

bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string &error) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = Reason(path);
        return false;
    }
    auto fail = [&] {
        error = Reason(path);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    // mkstemp creates the file readable by its owner only: keep the mode of the file being
    // replaced, or give a new file the usual one.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) {
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (w < 0) {
            if (errno == EINTR)
                continue;
            return fail();
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fsync(fd) != 0)
        return fail();
    if (::close(fd) != 0) {
        error = Reason(path);
        ::unlink(temp.c_str());
        return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        error = Reason(path);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace dravo
