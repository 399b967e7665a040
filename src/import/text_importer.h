// Turning a contract kept as plain text into a template: the preamble gives the title, the kind
// and the party names, the text between the preamble and the parties' requisites is split into
// articles and clauses by its numbering, indentation and capitals. Texts are windows-1251.
#pragma once

#include "core/body.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dravo::import {

// The largest text the importer takes, in windows-1251 bytes.
inline constexpr std::size_t kMaxTextBytes = 65535;

std::string_view TooLargeMessage();  // "Объем документа превышает 64 КБ"
std::string_view ReadErrorMessage(); // "Ошибка чтения файла"
std::string_view NotRecognisedMessage(); // "Не распознаны структура или формат текста договора"
std::string_view FileErrorMessage(); // "Ошибка при открытии файла"

// The classes of an imported line.
enum LineClass : int {
    kContinuation = -1, // appended to the previous clause
    kHeading = 1,
    kNumberedClause = 2,
    kParagraphClause = 3,
    kListItem = 4,
};

struct ClassifiedLine {
    int lineClass = kContinuation;
    std::string text; // the line without its number or list marker
};

// Reads the number at the start of line (leading blanks already trimmed): the position after
// which the number ends, -1 when the line does not start with a clause number, -2 when it starts
// with a single number and a dot (a heading unless the line is long).
int ReadNumber(std::string_view line);

// Classifies one right-trimmed, non-empty line; baseIndent is the text's smallest indent.
ClassifiedLine ClassifyLine(std::string_view line, std::size_t baseIndent);

// The label of a line for the fragment menu: single spaces, at most 41 characters, lower case
// with a capital first letter.
std::string LineLabel(std::string_view line);

// The bytes of a text file as windows-1251 text. A file that starts with a byte-order mark
// (UTF-8 or UTF-16) or is valid UTF-8 with letters outside ASCII is converted; anything else is
// taken as windows-1251. False for a file that is not text (it holds NUL bytes), and for one
// that holds a character windows-1251 lacks: such a character is never replaced, refusal (when
// given) receives RefusedLineMessage and text is left as it was.
bool DecodeTextFile(std::string_view bytes, std::string &text, std::string *refusal = nullptr);

// "Строка 3: Символ (U+1F600) нельзя сохранить: ..." (windows-1251); lines count from 1.
std::string RefusedLineMessage(std::size_t line, char32_t refused);

// One import. Read (or SetText) first, then Parse; the body can then be stored.
class TextContractImporter {
  public:
    // place is the user's settlement, put into the new template's date line.
    explicit TextContractImporter(std::string name, std::string_view place = {});

    // Reads the file at path (UTF-8 path). A file that cannot be read, is larger than 64 KB, is
    // not text or holds a character windows-1251 lacks leaves the text empty and adds its
    // message; Parse then fails.
    bool Read(const std::string &path);
    // Takes text already decoded to windows-1251; too long a text is refused as Read does.
    bool SetText(std::string text);

    // Builds the template from the text; false when the text is not a recognised contract.
    bool Parse();
    // Stores the parsed template at path through the safe save; false with FileErrorMessage.
    bool Store(const std::string &path);

    const std::string &Name() const { return m_name; }
    CBody &Body() { return m_body; }
    const CBody &Body() const { return m_body; }
    // The messages of reading and storing, windows-1251, in the order they arose.
    const std::vector<std::string> &Messages() const { return m_messages; }
    // Whether Read refused the text for a character windows-1251 lacks.
    bool Refused() const { return m_refused; }

  private:
    void RecognisePreamble(std::string_view preamble);
    void Build(const ClassifiedLine &line);

    std::string m_name;
    std::string m_text;
    CBody m_body;
    std::vector<std::string> m_messages;
    bool m_refused = false;
    bool m_firstHeadingTaken = false; // the first heading has found its article
    std::size_t m_clauseCount = 0;    // clauses filled in the current article
    bool m_headingRun = false;        // the previous line was a heading
};

// Reads, parses and stores in one go, as the library's import does. messages receives what the
// user is told besides "not recognised" (which the caller shows when this returns false and
// recognised is false).
struct ImportOutcome {
    bool done = false;
    bool recognised = false;
    bool refused = false; // a character windows-1251 lacks: the messages say which and where
    std::vector<std::string> messages;
};
ImportOutcome ImportTextFile(const std::string &source, const std::string &target,
                             const std::string &name, std::string_view place = {});

} // namespace dravo::import
