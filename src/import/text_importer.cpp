#include "import/text_importer.h"

#include "core/body_io.h"
#include "core/defaults.h"
#include "core/fileio.h"
#include "core/text.h"
#include "library/library.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <utility>

namespace dravo::import {

namespace {

// A UTF-8 or UTF-16 file of a 64 KB contract takes at most this many bytes (three per character
// and a byte-order mark); anything longer is too large whatever its encoding.
constexpr std::size_t kMaxFileBytes = 3 * kMaxTextBytes + 3;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsSpaceLike(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool IsLetter(char c) {
    return cp1251::IsLetter(static_cast<unsigned char>(c));
}

std::string_view TrimLeading(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view TrimTrailing(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsSpaceLike(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::size_t LeadingSpaces(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    return i;
}

char At(std::string_view s, std::size_t i) {
    return i < s.size() ? s[i] : '\0';
}

// Drops everything up to and including the last c among the first n characters, then the blanks
// that follow. False (and nothing changes) when there is no c there.
bool CutAfterLast(std::string &line, char c, std::size_t n) {
    const std::string_view head = std::string_view(line).substr(0, n);
    const std::size_t at = head.rfind(c);
    if (at == std::string_view::npos)
        return false;
    line = std::string(TrimLeading(std::string_view(line).substr(at + 1)));
    return true;
}

// A list marker at the start of a line: hyphen, asterisk, and the question mark that stands for
// a bullet lost on the way through another code page; also the real bullet and dashes.
bool IsListMarker(char c) {
    const auto b = static_cast<unsigned char>(c);
    return c == '-' || c == '?' || c == '*' || b == 0x95 /* • */ || b == 0x96 /* – */ ||
           b == 0x97 /* — */;
}

struct Choice {
    std::string_view test;
    std::string_view value;
};

const std::array<Choice, 3> kTitles = {{
    {"КОНТРАКТ"_w, "КОНТРАКТ"_w},
    {"СОГЛАШЕНИЕ"_w, "СОГЛАШЕНИЕ"_w},
    {""_w, "ДОГОВОР"_w},
}};

const std::array<Choice, 7> kKinds = {{
    {"АРЕНДЫ"_w, "аренды"_w},
    {"ПОДРЯДА"_w, "подряда"_w},
    {"КУПЛИ-ПРОДАЖИ"_w, "купли-продажи"_w},
    {"ПОСТАВКИ"_w, "поставки"_w},
    {"МЕНЫ"_w, "мены"_w},
    {"ОКАЗАНИЕ УСЛУГ"_w, "на оказание услуг"_w},
    {"КОМИССИИ"_w, "комисии"_w},
}};

// "КРЕДИТОР" names the user's party "Кредитор" (not the pledgor's name).
const std::array<Choice, 13> kUserParties = {{
    {"ПРОДАВЕЦ"_w, "Продавец"_w},
    {"ПОСТАВЩИК"_w, "Поставщик"_w},
    {"АРЕНДОДАТЕЛЬ"_w, "Арендодатель"_w},
    {"НАЙМОДАТЕЛЬ"_w, "Наймодатель"_w},
    {"РАБОТОДАТЕЛЬ"_w, "Работодатель"_w},
    {"ПОДРЯДЧИК"_w, "Подрядчик"_w},
    {"ХРАНИТЕЛЬ"_w, "Хранитель"_w},
    {"КОМИТЕНТ"_w, "Комитент"_w},
    {"ИЗДАТЕЛЬСТВО"_w, "Издательство"_w},
    {"ЗАЛОГОДАТЕЛЬ"_w, "Залогодатель"_w},
    {"КРЕДИТОР"_w, "Кредитор"_w},
    {"ССУДОДАТЕЛЬ"_w, "Ссудодатель"_w},
    {"ИСПОЛНИТЕЛЬ"_w, "Исполнитель"_w},
}};

const std::array<Choice, 12> kCounterparties = {{
    {"ПОКУПАТЕЛЬ"_w, "Покупатель"_w},
    {"ЗАКАЗЧИК"_w, "Заказчик"_w},
    {"АРЕНДАТОР"_w, "Арендатор"_w},
    {"НАНИМАТЕЛЬ"_w, "Наниматель"_w},
    {"РАБОТНИК"_w, "Работник"_w},
    {"АГЕНТ"_w, "Агент"_w},
    {"ПОКЛАЖЕДАТЕЛЬ"_w, "Поклажедатель"_w},
    {"АВТОР"_w, "Автор"_w},
    {"КОМИССИОНЕР"_w, "Комиссионер"_w},
    {"ЗАЛОГОДЕРЖАТЕЛЬ"_w, "Залогодержатель"_w},
    {"ПОРУЧИТЕЛЬ"_w, "Поручитель"_w},
    {"ССУДОЗАЕМЩИК"_w, "Ссудозаемщик"_w},
}};

// The first choice whose test the text contains (an empty test always matches), or nullptr.
template <std::size_t N>
const Choice *FirstContained(std::string_view text, const std::array<Choice, N> &choices) {
    for (const Choice &c : choices)
        if (text.find(c.test) != std::string_view::npos)
            return &c;
    return nullptr;
}

// The words that end the preamble, and those that head the requisites, in the order tried.
const std::array<std::string_view, 5> kPreambleEnds = {
    "нижеследующем"_w, "НИЖЕСЛЕДУЮЩЕМ"_w, " о следующем:"_w, " о следующем."_w, "нижеследущем:"_w};
constexpr std::size_t kPreambleSkip = 14;

const std::array<std::string_view, 6> kRequisiteHeads = {
    "реквизиты сторон"_w, "СТОРОН:"_w,         "сторон:"_w,
    "РЕКВИЗИТЫ СТОРОН"_w, " ПОДПИСИ СТОРОН"_w, "реквизиты Сторон"_w};

// Valid UTF-8 with at least one character outside ASCII.
bool LooksLikeUtf8(std::string_view bytes) {
    bool wide = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t from = i;
        const char32_t cp = cp1251::DecodeUtf8(bytes, i);
        if (cp == 0xFFFD && !(i - from == 3 && bytes.substr(from, 3) == "\xEF\xBF\xBD"))
            return false;
        wide = wide || cp >= 0x80;
    }
    return wide;
}

std::u16string Utf16Units(std::string_view bytes, bool littleEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(littleEndian ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
    }
    return units;
}

} // namespace

std::string_view TooLargeMessage() {
    return "Объем документа превышает 64 КБ"_w;
}
std::string_view ReadErrorMessage() {
    return "Ошибка чтения файла"_w;
}
// The same texts as the library's: an import reports through either.
std::string_view NotRecognisedMessage() {
    return library::ImportFailedMessage();
}
std::string_view FileErrorMessage() {
    return library::FileErrorMessage();
}

namespace {

// Converts text line by line with convert (an exact converter of one line), so that a character
// windows-1251 lacks is refused with its line: a line ends at "\r\n", "\n" or a lone "\r", as
// SetText counts them. Neither byte nor unit occurs inside another character.
template <typename Char, typename Convert>
bool ConvertLines(std::basic_string_view<Char> in, std::string &text, std::string *refusal,
                  Convert convert) {
    std::string out, line;
    out.reserve(in.size());
    std::size_t number = 1;
    for (std::size_t from = 0; from < in.size(); ++number) {
        std::size_t to = from;
        while (to < in.size() && in[to] != Char('\n') && in[to] != Char('\r'))
            ++to;
        if (to < in.size())
            to += in[to] == Char('\r') && to + 1 < in.size() && in[to + 1] == Char('\n') ? 2 : 1;
        char32_t refused = 0;
        if (!convert(in.substr(from, to - from), line, refused)) {
            if (refusal)
                *refusal = RefusedLineMessage(number, refused);
            return false;
        }
        out += line;
        from = to;
    }
    text = std::move(out);
    return true;
}

} // namespace

std::string RefusedLineMessage(std::size_t line, char32_t refused) {
    return std::string("Строка "_w) + std::to_string(line) + ": " +
           FromUtf8(RefusedCharacterMessage(refused, false));
}

bool DecodeTextFile(std::string_view bytes, std::string &text, std::string *refusal) {
    if (refusal)
        refusal->clear();
    const auto fromUtf8 = [](std::string_view line, std::string &out, char32_t &refused) {
        return FromUtf8Exact(line, out, refused);
    };
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        if (!ConvertLines(bytes.substr(3), text, refusal, fromUtf8))
            return false;
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        const std::u16string units = Utf16Units(bytes.substr(2), bytes[0] == '\xFF');
        if (units.find(u'\0') != std::u16string::npos)
            return false;
        return ConvertLines(std::u16string_view(units), text, refusal,
                            [](std::u16string_view line, std::string &out, char32_t &refused) {
                                return FromUtf16Exact(line, out, refused);
                            });
    } else if (bytes.find('\0') != std::string_view::npos) {
        return false;
    } else if (LooksLikeUtf8(bytes)) {
        if (!ConvertLines(bytes, text, refusal, fromUtf8))
            return false;
    } else {
        text.assign(bytes);
    }
    return text.find('\0') == std::string::npos;
}

// Reading a number --------------------------------------------------------------------------

int ReadNumber(std::string_view line) {
    const std::string_view prefix = line.substr(0, 7);
    auto c = [&](std::size_t i) { return At(line, i); };
    auto lastDot = [&] {
        const std::size_t at = prefix.rfind('.');
        return at == std::string_view::npos ? -1 : static_cast<int>(at);
    };
    auto firstSpace = [&] {
        const std::size_t at = prefix.find(' ');
        return at == std::string_view::npos ? -1 : static_cast<int>(at);
    };
    if (IsLetter(c(0)))
        return -1;
    if (c(1) == '.' && c(3) == '.')
        return lastDot();
    if (c(1) == '.' && c(3) == ' ')
        return firstSpace();
    if (c(2) == '.' && c(4) == ' ')
        return firstSpace();
    if ((c(1) == '.' && c(4) == '.') || (c(2) == '.' && (c(4) == '.' || c(5) == '.')))
        return lastDot();
    if ((c(1) == '.' && c(2) == ' ') || (c(2) == '.' && c(3) == ' '))
        return line.size() >= 50 ? lastDot() : -2;
    return -1;
}

// Classifying a line -------------------------------------------------------------------------

ClassifiedLine ClassifyLine(std::string_view raw, std::size_t baseIndent) {
    const std::size_t lead = LeadingSpaces(raw);
    const std::size_t indent = lead > baseIndent ? lead - baseIndent : 0;
    // Ten spaces past the text's own indent: a centred heading.
    const bool tenSpaces = indent >= 10;
    const std::string_view body = TrimLeading(raw);
    bool paragraphStart = indent >= 3 && !body.empty() && IsLetter(body[0]);

    std::string line(raw);
    const bool dot = !line.empty() && line.back() == '.';
    while (!line.empty() && line.back() == '.')
        line.pop_back();
    line = std::string(TrimLeading(line));
    const bool parenthesis = line.starts_with('(') || line.ends_with(')');

    bool anyLetter = false, allCapitals = true;
    for (char ch : line) {
        if (!IsLetter(ch))
            continue;
        anyLetter = true;
        const auto b = static_cast<unsigned char>(ch);
        allCapitals = allCapitals && cp1251::Upper(b) == b;
    }
    const bool capitals =
        line.find('_') == std::string::npos && anyLetter && allCapitals && line.size() > 6;

    bool roman = false, numbered = false, list = false;
    const std::string prefix = line.substr(0, 7);
    const bool hasDigit = prefix.find_first_of("123456789") != std::string::npos;
    if (prefix.find_first_of("IVX") != std::string::npos) {
        roman = true;
        CutAfterLast(line, '.', 7);
    } else if (hasDigit && prefix.find_first_of(". )") != std::string::npos) {
        const int at = ReadNumber(line);
        if (at == -2) {
            roman = true;
            CutAfterLast(line, '.', 7);
        } else if (at >= 0) {
            numbered = true;
            line = std::string(TrimLeading(std::string_view(line).substr(std::size_t(at) + 1)));
        }
        if (prefix.find(')') != std::string::npos) {
            list = true;
            CutAfterLast(line, ')', 7);
        }
    } else if (!line.empty() && IsListMarker(line[0])) {
        list = true;
        line = std::string(TrimLeading(std::string_view(line).substr(1)));
    } else if (prefix.size() > 2 && prefix[1] == ')') {
        list = true;
        line = std::string(TrimLeading(std::string_view(line).substr(2)));
    } else if (prefix.size() > 2) {
        paragraphStart = true;
    }
    if (dot)
        line += '.';

    ClassifiedLine out;
    if (roman || capitals || (tenSpaces && !parenthesis && !numbered)) {
        out.lineClass = kHeading;
        CutAfterLast(line, '.', 3);
    } else if (list) {
        out.lineClass = kListItem;
    } else if (paragraphStart) {
        out.lineClass = kParagraphClause;
    } else if (numbered) {
        out.lineClass = kNumberedClause;
    }
    out.text = std::move(line);
    return out;
}

std::string LineLabel(std::string_view line) {
    std::string s(line);
    for (std::size_t at; (at = s.find("  ")) != std::string::npos;)
        s.erase(at, 1);
    if (s.size() > 50)
        s = s.substr(0, 38) + "...";
    s = std::string(TrimLeading(ToLower(s)));
    if (!s.empty())
        s[0] = static_cast<char>(cp1251::Upper(static_cast<unsigned char>(s[0])));
    return s;
}

// The importer -------------------------------------------------------------------------------

TextContractImporter::TextContractImporter(std::string name, std::string_view place)
    : m_name(std::move(name)) {
    FillNewTemplate(m_body, place);
}

bool TextContractImporter::Read(const std::string &path) {
    m_text.clear();
    std::error_code ec;
    const std::filesystem::path file(reinterpret_cast<const char8_t *>(path.c_str()));
    const auto size = std::filesystem::file_size(file, ec);
    if (!ec && size > kMaxFileBytes) {
        m_messages.emplace_back(TooLargeMessage());
        return false;
    }
    std::string bytes, error;
    if (ec || !ReadWholeFile(path, bytes, error)) {
        m_messages.emplace_back(ReadErrorMessage());
        return false;
    }
    if (bytes.size() > kMaxFileBytes) { // grew since it was measured
        m_messages.emplace_back(TooLargeMessage());
        return false;
    }
    std::string text, refusal;
    if (!DecodeTextFile(bytes, text, &refusal)) {
        m_refused = !refusal.empty();
        if (m_refused) // never replaced by "?": the user is told what and where
            m_messages.push_back(std::move(refusal));
        return false; // not text: nothing to recognise
    }
    return SetText(std::move(text));
}

bool TextContractImporter::SetText(std::string text) {
    m_text.clear();
    if (text.size() > kMaxTextBytes) {
        m_messages.emplace_back(TooLargeMessage());
        return false;
    }
    // A lone carriage return ends a line as well.
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\r' && At(text, i + 1) != '\n')
            text[i] = '\n';
    m_text = std::move(text);
    return true;
}

void TextContractImporter::RecognisePreamble(std::string_view preamble) {
    const std::string upper = ToUpper(preamble);
    m_body.Paragraph(ParTitle).m_strText = std::string(FirstContained(upper, kTitles)->value);
    const Choice *kind = FirstContained(upper, kKinds);
    m_body.Paragraph(ParSubtitle).m_strText = kind ? std::string(kind->value) : std::string();
    if (const Choice *user = FirstContained(upper, kUserParties))
        m_body.Paragraph(ParClauseText).m_strName = std::string(user->value);
    if (const Choice *other = FirstContained(upper, kCounterparties))
        m_body.Paragraph(ParClauseText).m_strText = std::string(other->value);
}

void TextContractImporter::Build(const ClassifiedLine &line) {
    CPar *article = &m_body.m_arArticles.back();
    if (line.lineClass == kHeading) {
        if (m_headingRun) {
            article->m_head.m_strText += ' ';
            article->m_head.m_strText += line.text;
            return;
        }
        // The first heading takes the opening article when no line went there before it.
        if (m_firstHeadingTaken || m_clauseCount > 0 || m_body.m_arArticles.size() > 1) {
            m_body.m_arArticles.emplace_back();
            article = &m_body.m_arArticles.back();
            article->m_arItems.emplace_back();
        } else {
            article->m_arItems.assign(1, CPun{});
        }
        m_firstHeadingTaken = true;
        CPun &head = article->m_head;
        head.m_strText = line.text;
        head.m_nCheck = 1;
        head.m_nType = 1;
        head.m_strName = LineLabel(line.text);
        head.m_nMark = m_body.m_arArticles.size() > 1 ? 1 : 0;
        m_clauseCount = 0;
        m_headingRun = true;
        return;
    }
    m_headingRun = false;
    if (line.lineClass == kContinuation && m_clauseCount > 0) {
        CPun &last = article->m_arItems.back();
        last.m_strText += ' ';
        last.m_strText += line.text;
        return;
    }
    // A clause; a continuation with no clause before it in its article starts one.
    if (article->m_arItems.size() >= 0xFFFF)
        return; // the file cannot count more; a 64 KB text never gets here
    if (m_clauseCount > 0 || article->m_arItems.empty())
        article->m_arItems.emplace_back();
    CPun &clause = article->m_arItems.back();
    clause = CPun{};
    clause.m_strText = line.text;
    clause.m_nCheck = 1;
    clause.m_nType = line.lineClass == kNumberedClause ? 3 : line.lineClass == kListItem ? 4 : 0;
    clause.m_strName = LineLabel(line.text);
    clause.m_nMark = m_clauseCount > 0 ? 1 : 0;
    ++m_clauseCount;
}

bool TextContractImporter::Parse() {
    std::string_view text = m_text;
    std::size_t end = std::string_view::npos;
    for (std::string_view w : kPreambleEnds)
        if ((end = text.find(w)) != std::string_view::npos)
            break;
    if (end == std::string_view::npos)
        return false;
    RecognisePreamble(text.substr(0, end));
    text =
        end + kPreambleSkip < text.size() ? text.substr(end + kPreambleSkip) : std::string_view();

    // The requisites heading is the last line taken: the text ends with the line that holds it.
    for (std::string_view w : kRequisiteHeads) {
        const std::size_t at = text.find(w);
        if (at == std::string_view::npos)
            continue;
        const std::size_t lineEnd = text.find('\n', at);
        if (lineEnd != std::string_view::npos)
            text = text.substr(0, lineEnd);
        break;
    }

    std::vector<std::string_view> lines;
    std::size_t baseIndent = 80;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t to = text.find('\n', from);
        if (to == std::string_view::npos)
            to = text.size();
        const std::string_view line = TrimTrailing(text.substr(from, to - from));
        if (!line.empty()) {
            lines.push_back(line);
            baseIndent = std::min(baseIndent, LeadingSpaces(line));
        }
        from = to + 1;
    }

    m_firstHeadingTaken = false;
    m_clauseCount = 0;
    m_headingRun = false;
    if (!m_body.m_arArticles.empty() &&
        m_body.m_arArticles.front().m_head.m_strName == "Новый шаблон договора"_w) {
        m_body.m_arArticles.front().m_head.m_strName = std::string("Начальный раздел"_w);
        m_body.m_arArticles.front().m_head.m_strText.clear();
    }
    if (m_body.m_arArticles.empty())
        m_body.m_arArticles.emplace_back();
    for (std::string_view line : lines)
        Build(ClassifyLine(line, baseIndent));
    m_headingRun = false;
    return true;
}

bool TextContractImporter::Store(const std::string &path) {
    std::string error;
    if (!SaveBodyFile(path, m_body, error)) {
        m_messages.emplace_back(FileErrorMessage());
        return false;
    }
    return true;
}

ImportOutcome ImportTextFile(const std::string &source, const std::string &target,
                             const std::string &name, std::string_view place) {
    ImportOutcome out;
    TextContractImporter importer(name, place);
    importer.Read(source);
    out.recognised = importer.Parse();
    if (out.recognised)
        out.done = importer.Store(target);
    out.refused = importer.Refused();
    out.messages = importer.Messages();
    return out;
}

} // namespace dravo::import
