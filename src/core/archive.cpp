#include "archive.h"

#include "text.h"

#include <bit>
#include <cstring>

namespace dravo {

void ArchiveWriter::Raw(std::uint64_t value, int size) {
    char bytes[8];
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    m_bytes.append(bytes, static_cast<std::size_t>(size));
}

void ArchiveWriter::U16(std::uint16_t value) {
    Raw(value, 2);
}

void ArchiveWriter::U32(std::uint32_t value) {
    Raw(value, 4);
}

void ArchiveWriter::F64(double value) {
    Raw(std::bit_cast<std::uint64_t>(value), 8);
}

std::uint64_t ArchiveWriter::TextSize(std::uint64_t n) {
    const std::uint64_t prefix = n < 0xFF ? 1 : n < 0xFFFE ? 3 : n < 0xFFFFFFFF ? 7 : 15;
    return prefix + n;
}

void ArchiveWriter::Text(std::string_view text) {
    Length(text.size());
    m_bytes.append(text);
}

void ArchiveWriter::Length(std::uint64_t n) {
    if (n < 0xFF) {
        Raw(n, 1);
    } else {
        Raw(0xFF, 1);
        if (n < 0xFFFE) {
            Raw(n, 2);
        } else {
            Raw(0xFFFF, 2);
            if (n < 0xFFFFFFFF) {
                Raw(n, 4);
            } else {
                Raw(0xFFFFFFFF, 4);
                Raw(n, 8);
            }
        }
    }
}

bool ArchiveReader::Fail() {
    m_failed = true;
    return false;
}

bool ArchiveReader::Raw(std::uint64_t &value, int size) {
    if (m_failed || Remaining() < static_cast<std::size_t>(size))
        return Fail();
    value = 0;
    for (int i = 0; i < size; ++i)
        value |= std::uint64_t(static_cast<unsigned char>(m_bytes[m_pos + i])) << (8 * i);
    m_pos += static_cast<std::size_t>(size);
    return true;
}

bool ArchiveReader::U16(std::uint16_t &value) {
    std::uint64_t v = 0;
    if (!Raw(v, 2))
        return false;
    value = static_cast<std::uint16_t>(v);
    return true;
}

bool ArchiveReader::U32(std::uint32_t &value) {
    std::uint64_t v = 0;
    if (!Raw(v, 4))
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

bool ArchiveReader::I32(std::int32_t &value) {
    std::uint32_t v = 0;
    if (!U32(v))
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

bool ArchiveReader::F64(double &value) {
    std::uint64_t v = 0;
    if (!Raw(v, 8))
        return false;
    value = std::bit_cast<double>(v);
    return true;
}

bool ArchiveReader::Text(std::string &text) {
    bool wide = false;
    std::uint64_t length = 0;
    if (!Raw(length, 1))
        return false;
    if (length == 0xFF) {
        if (!Raw(length, 2))
            return false;
        if (length == 0xFFFE) {
            // The wide marker: the length follows again from its one-byte form.
            wide = true;
            if (!Raw(length, 1))
                return false;
            if (length == 0xFF && !Raw(length, 2))
                return false;
        }
        if (length == 0xFFFF) {
            if (!Raw(length, 4))
                return false;
            if (length == 0xFFFFFFFF) {
                if (!Raw(length, 8))
                    return false;
            }
        }
    }
    // No text is longer than this, whichever form holds its length.
    if (length > 0x7FFFFFFF)
        return Fail();
    // Checked before anything is allocated: a length cannot promise more than the input holds.
    const std::uint64_t size = wide ? length * 2 : length;
    if (size > Remaining())
        return Fail();
    const std::string_view raw = m_bytes.substr(m_pos, static_cast<std::size_t>(size));
    m_pos += static_cast<std::size_t>(size);
    if (wide) {
        std::u16string units(static_cast<std::size_t>(length), u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(raw[2 * i]) |
                                             (static_cast<unsigned char>(raw[2 * i + 1]) << 8));
        const std::size_t end = units.find(u'\0');
        text = FromUtf16(std::u16string_view(units).substr(0, end));
    } else {
        text.assign(raw.substr(0, raw.find('\0')));
    }
    return true;
}

} // namespace dravo
