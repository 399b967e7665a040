#include "core/tips.h"

#include "core/text.h"

#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace dravo {

namespace {
// Blank lines and comments. A carriage return stands for the line feed of a file written with
// Windows line ends.
bool IsSkipped(char first) {
    return first == '\t' || first == '\n' || first == '\r' || first == ' ' || first == ';';
}
} // namespace

CTipReader::~CTipReader() {
    if (m_file)
        std::fclose(m_file);
}

std::string CTipReader::MissingFileMessage() {
    return std::string("Не найден файл с советами в каталоге программы"_w);
}

std::string CTipReader::ReadErrorMessage() {
    return std::string("Ошибка чтения файла с советами"_w);
}

std::string CTipReader::FileTimeText(const std::string &path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    char buf[64] = {};
    const std::time_t t = st.st_mtime;
    if (!::ctime_r(&t, buf))
        return {};
    std::string text(buf);
    while (!text.empty() && std::strchr(" \t\r\n", text.back()))
        text.pop_back();
    return text;
}

std::string CTipReader::Open(const std::string &path, TipSettings &settings) {
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return MissingFileMessage();
    const std::string stamp = FileTimeText(path);
    if (stamp != settings.timeStamp) {
        settings.timeStamp = stamp;
        settings.filePos = 0;
    }
    // An offset past the end (the file shrank under the same time stamp) or a negative one is a
    // seek failure: said once, and the next tip is then the first.
    struct stat st {};
    const bool inside = ::fstat(fileno(m_file), &st) == 0 && settings.filePos >= 0 &&
                        settings.filePos <= static_cast<long long>(st.st_size);
    if (!inside || std::fseek(m_file, static_cast<long>(settings.filePos), SEEK_SET) != 0) {
        std::rewind(m_file);
        return ReadErrorMessage();
    }
    return Next();
}

std::string CTipReader::Next() {
    if (!m_file)
        return MissingFileMessage();
    char buf[kMaxTip + 1];
    int ends = 0; // the end of the file reached twice means a whole pass found nothing
    for (;;) {
        if (!std::fgets(buf, sizeof buf, m_file)) {
            if (++ends == 2 || std::fseek(m_file, 0, SEEK_SET) != 0)
                return ReadErrorMessage();
            std::clearerr(m_file);
            continue;
        }
        if (IsSkipped(buf[0]))
            continue;
        std::string tip(buf);
        while (!tip.empty() && (tip.back() == '\n' || tip.back() == '\r'))
            tip.pop_back();
        return tip;
    }
}

void CTipReader::Close(TipSettings &settings) {
    if (!m_file)
        return;
    const long pos = std::ftell(m_file);
    if (pos >= 0)
        settings.filePos = pos;
    std::fclose(m_file);
    m_file = nullptr;
}

} // namespace dravo
