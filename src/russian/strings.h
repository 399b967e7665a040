// Small text helpers shared by the Russian services (windows-1251, one byte a character).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace dravo::russian_detail {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

inline std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

inline std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Compared from the last letter back: the tails are short and most differ at once, where a call
// to memcmp would cost more than the comparison.
inline bool EndsWith(std::string_view s, std::string_view tail) {
    if (s.size() < tail.size())
        return false;
    const char *end = s.data() + s.size();
    for (std::size_t i = 1; i <= tail.size(); ++i)
        if (end[-static_cast<std::ptrdiff_t>(i)] != tail[tail.size() - i])
            return false;
    return true;
}

inline bool StartsWith(std::string_view s, std::string_view head) {
    return s.size() >= head.size() && s.substr(0, head.size()) == head;
}

// Whether c is one of the letters.
inline bool In(std::string_view letters, char c) {
    return letters.find(c) != std::string_view::npos;
}

// A set of letters made at compile time, for tests in the inner loops of declension.
class LetterSet {
  public:
    constexpr explicit LetterSet(std::string_view letters) {
        for (char c : letters)
            has_[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool Has(char c) const { return has_[static_cast<unsigned char>(c)]; }

  private:
    std::array<bool, 256> has_{};
};

inline bool In(const LetterSet &letters, char c) {
    return letters.Has(c);
}

inline bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

// Replaces every occurrence, left to right, without rescanning replaced text.
inline void ReplaceAll(std::string &s, std::string_view from, std::string_view to) {
    if (from.empty())
        return;
    std::size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
}

// The text without its last n characters (empty when it is shorter).
inline std::string_view Cut(std::string_view s, std::size_t n) {
    return s.substr(0, s.size() > n ? s.size() - n : 0);
}

} // namespace dravo::russian_detail
