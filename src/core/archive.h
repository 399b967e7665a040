// The archive encoding shared by every data file of the program: little-endian integers, 8-byte
// doubles and length-prefixed texts, read and written in sequence with no framing of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dravo {

// The report for a malformed or truncated archive, whatever the file.
inline constexpr std::string_view kUnexpectedFileFormat = "Unexpected file format.";

// Appends values to a byte string in the archive encoding.
class ArchiveWriter {
  public:
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void F64(double value);
    // An 8-bit text with the shortest length prefix: one byte below 255; 0xFF and a u16 below
    // 0xFFFE; 0xFF, 0xFFFF and a u32 below 0xFFFFFFFF; otherwise 0xFF, 0xFFFF, 0xFFFFFFFF and a
    // 64-bit length.
    void Text(std::string_view text);
    // The length prefix alone, as Text() writes it.
    void Length(std::uint64_t length);

    // The bytes that Text() writes for a text of this length, prefix included.
    static std::uint64_t TextSize(std::uint64_t length);

    const std::string &Bytes() const { return m_bytes; }
    std::string Take() { return std::move(m_bytes); }
    void Reserve(std::size_t n) { m_bytes.reserve(n); }

  private:
    void Raw(std::uint64_t value, int size);
    std::string m_bytes;
};

// Reads values from bytes in the archive encoding. Nothing is ever read past the end and no
// length taken from the input is trusted beyond what is left of it. The first failure sticks:
// every later read fails too, so a caller may check once at the end of a record.
class ArchiveReader {
  public:
    // The bytes are not copied: they must outlive the reader.
    explicit ArchiveReader(std::string_view bytes) : m_bytes(bytes) {}

    bool U16(std::uint16_t &value);
    bool U32(std::uint32_t &value);
    bool I32(std::int32_t &value);
    bool F64(double &value);
    // A text in any form the encoding allows, 8-bit or wide (UTF-16LE, converted to
    // windows-1251). The text ends at its first zero character, if any.
    bool Text(std::string &text);

    // Marks the input as malformed (for a record reader that finds an impossible value).
    bool Fail();
    bool Failed() const { return m_failed; }
    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_bytes.size() - m_pos; }
    bool AtEnd() const { return m_pos == m_bytes.size(); }

  private:
    bool Raw(std::uint64_t &value, int size);
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

} // namespace dravo
