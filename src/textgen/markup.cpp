#include "textgen/markup.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace dravo::textgen {

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Blanks as the browser's tokenizer sees them between attributes.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool EqualsLower(std::string_view s, std::string_view lower) {
    if (s.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (LowerAscii(s[i]) != lower[i])
            return false;
    return true;
}

bool OneOf(std::string_view name, std::initializer_list<std::string_view> list) {
    return std::any_of(list.begin(), list.end(),
                       [&](std::string_view e) { return EqualsLower(name, e); });
}

// Elements users type for formatting. Everything else (SCRIPT, STYLE, IFRAME, FRAME, OBJECT,
// EMBED, APPLET, META, LINK, BASE, FORM, INPUT, BUTTON, SVG, MATH ...) is dropped.
bool AllowedElement(std::string_view name) {
    return OneOf(name, {"a",     "abbr",    "acronym", "address", "b",     "big", "blockquote",
                        "br",    "caption", "center",  "cite",    "code",  "col", "colgroup",
                        "dd",    "del",     "dfn",     "dir",     "div",   "dl",  "dt",
                        "em",    "font",    "h1",      "h2",      "h3",    "h4",  "h5",
                        "h6",    "hr",      "i",       "img",     "ins",   "kbd", "li",
                        "nobr",  "ol",      "p",       "pre",     "q",     "s",   "samp",
                        "small", "span",    "strike",  "strong",  "sub",   "sup", "table",
                        "tbody", "td",      "tfoot",   "th",      "thead", "tr",  "tt",
                        "u",     "ul",      "var",     "wbr"});
}

// Elements whose content is code, not text: dropped up to their end tag.
bool CodeElement(std::string_view name) {
    return OneOf(name, {"script", "style"});
}

// Attributes of layout and text. Event handlers (on...), and every attribute not listed, are
// dropped; addresses and style rules are checked on their own.
bool AllowedAttribute(std::string_view name) {
    return OneOf(name,
                 {"align",   "valign",  "width",   "height",      "color",       "face",
                  "size",    "bgcolor", "border",  "bordercolor", "cellpadding", "cellspacing",
                  "colspan", "rowspan", "class",   "title",       "dir",         "lang",
                  "nowrap",  "type",    "start",   "compact",     "noshade",     "clear",
                  "span",    "alt",     "hspace",  "vspace",      "summary",     "frame",
                  "rules",   "char",    "charoff", "axis",        "headers",     "scope",
                  "datetime"});
}

// An address is kept when it names no scheme (a relative one) or one of the schemes that only
// show or fetch something. Blanks and control characters are ignored as the browser ignores them
// ("java\tscript:"), and an "&" before the scheme could hide one ("javascript&colon;").
bool SafeAddress(std::string_view value) {
    std::string v;
    for (const char c : value)
        if (static_cast<unsigned char>(c) > 0x20)
            v += LowerAscii(c);
    const std::size_t end = v.find_first_of(":/?#");
    if (v.find('&') < end)
        return false;
    if (end == std::string::npos || v[end] != ':')
        return true;
    const std::string_view scheme(v.data(), end);
    return scheme == "http" || scheme == "https" || scheme == "ftp" || scheme == "mailto" ||
           scheme == "file";
}

// A style rule that only sets how text looks: nothing that runs (expression, behavior, binding),
// loads (url, import) or is spelled in escapes or references that could hide those.
bool SafeStyle(std::string_view value) {
    std::string v;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value.compare(i, 2, "/*") == 0) {
            const std::size_t close = value.find("*/", i + 2);
            if (close == std::string_view::npos)
                return false; // a comment left open: read no further, keep nothing of it
            i = close + 1;
            continue;
        }
        if (value.compare(i, 6, "&quot;") == 0) {
            v += '"';
            i += 5;
            continue;
        }
        if (static_cast<unsigned char>(value[i]) > 0x20) // blanks and control characters
            v += LowerAscii(value[i]);
    }
    if (v.find_first_of("\\&") != std::string::npos)
        return false;
    for (const std::string_view bad : {"expression", "javascript", "vbscript", "url(", "behavior",
                                       "binding", "import", "image("})
        if (v.find(bad) != std::string::npos)
            return false;
    return true;
}

struct Attribute {
    std::string_view name;
    std::string_view value;
    bool hasValue = false;
    bool doubleQuoted = false;
};

// One tag from "<" to its ">", read as the browser reads it.
struct Tag {
    bool closing = false;
    std::string_view name;
    std::size_t end = 0; // just past ">"
};

class Filter {
  public:
    Filter(std::string_view text, std::string &out) : s_(text), out_(out) {}

    void Run() {
        std::size_t i = 0;
        while (i < s_.size()) {
            const std::size_t stop = NextSpecial(i);
            out_.append(s_.substr(i, stop - i));
            if (stop >= s_.size())
                break;
            i = s_[stop] == '\0' ? stop + 1 : Markup(stop);
        }
    }

  private:
    std::size_t NextSpecial(std::size_t from) const {
        for (std::size_t i = from; i < s_.size(); ++i)
            if (s_[i] == '<' || s_[i] == '\0')
                return i;
        return s_.size();
    }

    // Handles the markup that starts with "<" at i; returns where reading goes on.
    std::size_t Markup(std::size_t i) {
        const std::size_t next = i + 1;
        if (next < s_.size() && (s_[next] == '!' || s_[next] == '?'))
            return Declaration(i);
        const bool closing = next < s_.size() && s_[next] == '/';
        const std::size_t nameAt = closing ? next + 1 : next;
        if (nameAt >= s_.size() || !IsAsciiLetter(s_[nameAt])) {
            out_ += "&lt;"; // not a tag: the character itself
            return next;
        }
        std::size_t p = nameAt;
        while (p < s_.size() && !IsSpace(s_[p]) && s_[p] != '/' && s_[p] != '>')
            ++p;
        Tag tag;
        tag.closing = closing;
        tag.name = s_.substr(nameAt, p - nameAt);
        attributes_.clear();
        if (!ReadAttributes(p, tag)) {
            out_ += "&lt;"; // a tag that never ends is text
            return next;
        }
        if (CodeElement(tag.name))
            return tag.closing ? tag.end : SkipCode(tag);
        if (AllowedElement(tag.name))
            Write(i, tag);
        return tag.end;
    }

    // Comments, declarations and processing instructions: dropped. A comment that never ends
    // takes the rest of the text with it, as in the browser.
    std::size_t Declaration(std::size_t i) {
        if (s_.compare(i, 4, "<!--") == 0) {
            const std::size_t close = s_.find("-->", i + 4);
            return close == std::string_view::npos ? s_.size() : close + 3;
        }
        const std::size_t close = s_.find('>', i);
        if (close == std::string_view::npos) {
            out_ += "&lt;";
            return i + 1;
        }
        return close + 1;
    }

    // The content of a code element up to its end tag; the rest of the text without one.
    std::size_t SkipCode(const Tag &tag) const {
        for (std::size_t p = s_.find("</", tag.end); p != std::string_view::npos;
             p = s_.find("</", p + 2)) {
            const std::size_t after = p + 2 + tag.name.size();
            if (after <= s_.size() &&
                EqualsLower(s_.substr(p + 2, tag.name.size()), ToLowerName(tag.name)) &&
                (after == s_.size() || IsSpace(s_[after]) || s_[after] == '/' ||
                 s_[after] == '>')) {
                const std::size_t close = s_.find('>', after);
                return close == std::string_view::npos ? s_.size() : close + 1;
            }
        }
        return s_.size();
    }

    static std::string ToLowerName(std::string_view name) {
        std::string lower(name);
        for (char &c : lower)
            c = LowerAscii(c);
        return lower;
    }

    // Reads the attributes from p up to ">"; false when the tag does not end.
    bool ReadAttributes(std::size_t p, Tag &tag) {
        for (;;) {
            while (p < s_.size() && (IsSpace(s_[p]) || s_[p] == '/'))
                ++p;
            if (p >= s_.size())
                return false;
            if (s_[p] == '>') {
                tag.end = p + 1;
                return true;
            }
            Attribute a;
            const std::size_t nameAt = p++; // a first "=" belongs to the name
            while (p < s_.size() && !IsSpace(s_[p]) && s_[p] != '/' && s_[p] != '>' && s_[p] != '=')
                ++p;
            a.name = s_.substr(nameAt, p - nameAt);
            std::size_t q = p;
            while (q < s_.size() && IsSpace(s_[q]))
                ++q;
            if (q < s_.size() && s_[q] == '=') {
                ++q;
                while (q < s_.size() && IsSpace(s_[q]))
                    ++q;
                if (q >= s_.size())
                    return false;
                a.hasValue = true;
                if (s_[q] == '"' || s_[q] == '\'') {
                    const std::size_t close = s_.find(s_[q], q + 1);
                    if (close == std::string_view::npos)
                        return false;
                    a.doubleQuoted = s_[q] == '"';
                    a.value = s_.substr(q + 1, close - q - 1);
                    p = close + 1;
                } else {
                    std::size_t e = q;
                    while (e < s_.size() && !IsSpace(s_[e]) && s_[e] != '>')
                        ++e;
                    a.value = s_.substr(q, e - q);
                    p = e;
                }
            }
            attributes_.push_back(a);
        }
    }

    bool Keep(std::string_view element, const Attribute &a) const {
        if (EqualsLower(a.name, "style"))
            return SafeStyle(a.value);
        if (EqualsLower(a.name, "href"))
            return EqualsLower(element, "a") && SafeAddress(a.value);
        if (EqualsLower(a.name, "src"))
            return EqualsLower(element, "img") && SafeAddress(a.value);
        return AllowedAttribute(a.name);
    }

    // Whether a kept value can stand in the page as typed: inside double quotes, holding nothing
    // that a substitution command or the markup around it could use.
    static bool PlainValue(const Attribute &a) {
        return !a.hasValue ||
               (a.doubleQuoted &&
                a.value.find_first_of(std::string_view("<>{}\0", 5)) == std::string_view::npos);
    }

    void Write(std::size_t from, const Tag &tag) {
        if (tag.closing) {
            out_ += "</";
            out_ += tag.name;
            out_ += '>';
            return;
        }
        bool asTyped = true;
        for (const Attribute &a : attributes_)
            asTyped = asTyped && Keep(tag.name, a) && PlainValue(a);
        if (asTyped) {
            out_.append(s_.substr(from, tag.end - from));
            return;
        }
        out_ += '<';
        out_ += tag.name;
        for (const Attribute &a : attributes_) {
            if (!Keep(tag.name, a))
                continue;
            out_ += ' ';
            out_ += a.name;
            if (!a.hasValue)
                continue;
            out_ += "=\"";
            for (const char c : a.value) {
                switch (c) {
                case '"':
                    out_ += "&quot;";
                    break;
                case '<':
                    out_ += "&lt;";
                    break;
                case '>':
                    out_ += "&gt;";
                    break;
                case '{':
                    out_ += "&#123;";
                    break;
                case '}':
                    out_ += "&#125;";
                    break;
                case '\0':
                    break;
                default:
                    out_ += c;
                }
            }
            out_ += '"';
        }
        out_ += '>';
    }

    std::string_view s_;
    std::string &out_;
    std::vector<Attribute> attributes_;
};

} // namespace

bool MayHoldMarkup(std::string_view text) {
    return !text.empty() && (std::memchr(text.data(), '<', text.size()) != nullptr ||
                             std::memchr(text.data(), '\0', text.size()) != nullptr);
}

void FilterMarkupInto(std::string_view text, std::string &out) {
    if (!MayHoldMarkup(text)) {
        out += text;
        return;
    }
    Filter(text, out).Run();
}

std::string FilterMarkup(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    FilterMarkupInto(text, out);
    return out;
}

std::string CssFontName(std::string_view name) {
    std::string out;
    out.reserve(name.size());
    for (const char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || IsAsciiLetter(c) || (c >= '0' && c <= '9') || c == ' ' || c == '-' ||
            c == '_' || c == ',' || c == '.')
            out += c;
    }
    return out;
}

} // namespace dravo::textgen
