#include "textgen/substitute.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "core/text.h"
#include "russian/numbers.h"
#include "russian/strings.h"
#include "textgen/html.h"
#include "textgen/markup.h"
#include "textgen/rtf.h"
#include "textgen/subject.h"

namespace dravo::textgen {

using namespace dravo::literals;
using russian_detail::EndsWith;
using russian_detail::StartsWith;

std::string CommandWord(std::string_view command) {
    std::string word;
    word.reserve(command.size());
    for (const char ch : command)
        if (ch != '{' && ch != '}')
            word += ch;
    return std::string(russian_detail::Trim(word));
}

// ---------------------------------------------------------------------------------------------
// Subject agreement and the subject's name forms

namespace {

struct AgreeRule {
    std::string_view match;    // the whole word, or its ending
    bool ending;               // false: whole-word rule
    std::string_view plural;   // empty: unchanged
    std::string_view feminine; // empty: unchanged
    std::string_view neuter;   // empty: unchanged
};

// The "ан" rule appends its forms; every other ending rule replaces the ending.
const AgreeRule kAgreeRules[] = {
    {"должен"_w, false, "должны"_w, "должна"_w, "должно"_w},
    {"будет"_w, false, "будут"_w, {}, {}},
    {"этот"_w, false, "эти"_w, "эту"_w, {}},
    {"этого"_w, false, "этих"_w, "этой"_w, {}},
    {"его"_w, false, "их"_w, "её"_w, {}},
    {"всего"_w, false, "всех"_w, "всю"_w, {}},
    {"ан"_w, true, "ы"_w, "а"_w, "о"_w},
    {"щий"_w, true, "щие"_w, "щую"_w, "щее"_w},
    {"ный"_w, true, "ные"_w, "ную"_w, "ное"_w},
    {"мый"_w, true, "мые"_w, "мую"_w, "мое"_w},
    {"мым"_w, true, "мыми"_w, "мой"_w, {}},
    {"ого"_w, true, "ых"_w, "ой"_w, {}},
    {"ому"_w, true, "ым"_w, "ой"_w, {}},
    {"ным"_w, true, "ными"_w, "ной"_w, {}},
    {"ном"_w, true, "ных"_w, "ной"_w, {}},
};

} // namespace

std::string AgreeWithSubject(const DocumentContext &ctx, std::string_view word) {
    const SubjectNameForms &forms = ctx.subject.forms;
    for (const AgreeRule &rule : kAgreeRules) {
        if (rule.ending ? !EndsWith(word, rule.match) : word != rule.match)
            continue;
        std::string_view form;
        if (forms.plural == 1)
            form = rule.plural;
        else if (forms.gender == 2)
            form = rule.feminine;
        else if (forms.gender == 0)
            form = rule.neuter;
        if (form.empty())
            return std::string(word);
        if (!rule.ending)
            return std::string(form);
        std::string out(word);
        if (rule.match == "ан"_w)
            out += form;
        else
            ReplaceAllIn(out, rule.match, form);
        return out;
    }
    return std::string(word);
}

std::string SubjectNameForm(const DocumentContext &ctx, std::string_view word) {
    static constexpr std::string_view kPayment = " расчета"_w;
    const bool payment = EndsWith(word, kPayment);
    const SubjectNameForms &f = payment ? ctx.payment.forms : ctx.subject.forms;
    const std::string_view stem = payment ? word.substr(0, word.size() - kPayment.size()) : word;
    if (stem == "предмет!"_w)
        return f.name;
    if (stem == "предмета"_w)
        return f.genitive;
    if (stem == "предмету"_w)
        return f.dative;
    if (stem == "предмет"_w)
        return f.accusative;
    if (stem == "предметом"_w)
        return f.instrumental;
    if (stem == "предмете"_w)
        return f.prepositional;
    return std::string(word);
}

// ---------------------------------------------------------------------------------------------
// Party commands

std::string EvaluatePartyCommand(const DocumentContext &ctx, std::string_view word) {
    CaseSelector selector = SelectNominative;
    const std::string_view six = word.substr(0, std::min<std::size_t>(6, word.size()));
    const std::string_view eight = word.substr(0, std::min<std::size_t>(8, word.size()));
    if (six == "первый"_w || six == "второй"_w)
        selector = SelectNominative;
    else if (six == "первог"_w || six == "второг"_w)
        selector =
            (eight == "первого!"_w || eight == "второго!"_w) ? SelectAccusative : SelectGenitive;
    else if (six == "первом"_w || six == "втором"_w)
        selector = SelectDative;

    const PartyState &party =
        ctx.Party(StartsWith(word, "перв"_w) ? PartySide::Counterparty : PartySide::ThirdParty);
    const std::size_t colon = word.find(':');
    const std::string field(
        russian_detail::Trim(colon == std::string_view::npos ? word : word.substr(colon + 1)));

    static const std::string_view kRequisites[] = {
        "название"_w, "оргформа"_w,    "адрес"_w,   "паспорт"_w,        "ИНН"_w,
        "ОКПО"_w,     "ОКОНХ"_w,       "р/с"_w,     "название банка"_w, "к/с"_w,
        "БИК"_w,      "адрес банка"_w, "телефон"_w, "дополнительно"_w,  "место работы"_w};
    for (const std::string_view requisite : kRequisites)
        if (field == requisite)
            return party.data.Field(requisite);

    const PersonForms &person = party.person;
    if (field == "фамилия"_w)
        return SurnameByCase(person, selector);
    if (field == "имя"_w)
        return NamePatronymicByCase(person, selector);
    if (field == "инициалы"_w)
        return std::string(person.initials());
    if (field == "проживающий"_w)
        return Participle(selector, person.male, ParticipleVerb::Residing);
    if (field == "действующий"_w)
        return Participle(selector, person.male, ParticipleVerb::Acting);
    if (field == "должность"_w)
        return PostByCase(person, selector);
    if (field == "Должность"_w) {
        std::string post = PostByCase(person, selector);
        if (!post.empty())
            post[0] = static_cast<char>(cp1251::Upper(static_cast<unsigned char>(post[0])));
        return post;
    }
    if (field == "он"_w || field == "его"_w || field == "ему"_w || EndsWith(field, "ил"_w) ||
        EndsWith(field, "ал"_w))
        return AgreeWord(field, person.male);
    return {};
}

// ---------------------------------------------------------------------------------------------
// One command word

namespace {

// The subject table for the page, or for the export its RTF form as a piece with the text's own
// paragraph style taken up again after it.
std::string SubjectTableOf(DocumentContext &ctx, SubjectList list) {
    if (!ctx.rtf)
        return SubjectTable(ctx, list);
    const int k = ctx.paragraph >= 0 && ctx.paragraph < static_cast<int>(kParagraphCount)
                      ? ctx.paragraph
                      : static_cast<int>(ParClauseText);
    std::string piece = SubjectTableRtf(ctx, list);
    piece += "}\\pard\\plain";
    piece += RtfStylePrefix(ctx.body(), k);
    piece += "\\lang1049 {";
    ctx.rtfPieces.push_back(std::move(piece));
    return RtfPieceMarker(ctx.rtfPieces.size() - 1);
}

} // namespace

std::string Evaluate(DocumentContext &ctx, std::string_view word) {
    CBody &body = ctx.body();
    if (word == "/") {
        const int k = ctx.paragraph >= 0 && ctx.paragraph < static_cast<int>(kParagraphCount)
                          ? ctx.paragraph
                          : static_cast<int>(ParClauseText);
        if (ctx.rtf)
            return "<br>"; // the export writes the paragraph's own indent after the break
        return "<br>" + IndentHtml(body.Paragraph(static_cast<std::uint16_t>(k)).m_dFirstIndent);
    }
    if (word == "место составления"_w) // the template's or the user's text: filtered for the page
        return ctx.htmlText ? FilterMarkup(body.Paragraph(ParDateLine).m_strText)
                            : body.Paragraph(ParDateLine).m_strText;
    if (word == "дата составления"_w)
        return ctx.dateShortText;
    if (word == "дата составления прописью"_w)
        return ctx.dateWordsText;

    bool data = false; // colour kind: variables, lists, sums and words are "plain", the rest data
    // Whether the value is text of the template (a variable's value, the subject's name), which
    // is filtered for the page, rather than the program's markup or escaped directory text.
    bool typed = false;
    std::string value;
    if (const auto k = ctx.FindVariable(word)) {
        value = body.Variable(static_cast<std::uint16_t>(*k)).m_strText;
        typed = true;
    } else {
        value = AgreeWithSubject(ctx, word);
        data = true;
    }

    const CPun &settings = body.Paragraph(ParReqText);
    if (StartsWith(word, "предмет"_w)) {
        value = SubjectNameForm(ctx, word);
        data = typed = true;
    } else if (word == "Предмет!"_w) {
        value = ctx.subject.forms.capitalized;
        data = typed = true;
    } else if (word == "Предмет! расчета"_w) {
        value = ctx.payment.forms.capitalized;
        data = typed = true;
    } else if (word == "список предмета"_w) {
        value = settings.m_nType != 0 ? SubjectTableOf(ctx, SubjectList::Subject)
                                      : SubjectSentence(ctx, SubjectList::Subject);
        data = typed = false;
    } else if (word == "список предмета расчета"_w) {
        value = settings.m_nCheck != 0 ? SubjectTableOf(ctx, SubjectList::Payment)
                                       : SubjectSentence(ctx, SubjectList::Payment);
        data = typed = false;
    } else if (word == "сумма предмета"_w) {
        value = SubjectTotal(ctx, SubjectList::Subject);
        data = typed = false;
    } else if (word == "сумма предмета расчета"_w) {
        value = SubjectTotal(ctx, SubjectList::Payment);
        data = typed = false;
    } else if (EndsWith(word, "прописью"_w)) {
        const std::string_view inner =
            russian_detail::TrimRight(word.substr(0, word.size() >= 9 ? word.size() - 9 : 0));
        // "x прописью прописью ..." nests one evaluation per word; words of words are empty
        // anyway, so a deep nest stops early instead of exhausting the stack.
        static thread_local int depth = 0;
        std::string number;
        if (depth < 8) {
            const bool highlight = ctx.highlight;
            ctx.highlight = false;
            ++depth;
            number = Evaluate(ctx, inner);
            --depth;
            ctx.highlight = highlight;
        }
        value = NumberInWords(number, Cardinal);
        data = typed = false;
    } else if (StartsWith(word, "перв"_w) || StartsWith(word, "втор"_w)) {
        value = EvaluatePartyCommand(ctx, word);
        typed = false;
    }

    if (value == "<не определено>"_w)
        value.clear();
    else if (typed && ctx.htmlText && MayHoldMarkup(value))
        value = FilterMarkup(value);
    if (!ctx.highlight)
        return value;
    std::string out = data ? "<SPAN STYLE=\"color:darkblue;\">" : "<SPAN STYLE=\"color:blue;\">";
    out += value;
    out += "</SPAN>";
    return out;
}

// The value of a whole command ("{...}"). While a page is built the values stand still (only "/"
// depends on the block), so each command is evaluated once per page, not once per text.
std::string EvaluateCommand(DocumentContext &ctx, std::string_view command) {
    if (!ctx.PageValuesCached())
        return Evaluate(ctx, CommandWord(command));
    if (const std::string *known = ctx.CachedValue(command))
        return *known;
    const std::string word = CommandWord(command);
    std::string value = Evaluate(ctx, word);
    if (word != "/")
        ctx.CacheValue(command, value);
    return value;
}

// ---------------------------------------------------------------------------------------------
// The substitution pass
//
// The rule reads: find the first command, replace every occurrence of it in the text, and read on
// from where it stood. Done literally that rescans the whole text for every command, so here the
// text is read once, left to right, and each replacement is applied when reading reaches its
// occurrence. Final text goes to `out`; what is still to be read is a stack of segments: the rest
// of the text at the bottom, the values inserted at the reading position above it.
//
// To give exactly the rule's result, every remembered command keeps the step at which the rule
// would have replaced it everywhere; every segment keeps the step from which its text exists (the
// text itself 0, a value inserted by step s from s + 1), and every join between two segments the
// step at which it was made. An occurrence takes the remembered value only when it existed, whole,
// at that step; otherwise reading meets it as a command once more: a new step with the value
// already known. Each command is evaluated once per text either way.
//
// Each segment also knows the chain of commands whose values it came from. An occurrence lying
// wholly inside the values of its own command would be replaced for ever: it is marked instead.

namespace {

struct ViewHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class Substitution {
  public:
    Substitution(DocumentContext &ctx, std::string_view text, std::string &out)
        : ctx_(ctx), input_(text), budget_(std::max(kExpansionLimit, text.size() * 16)), out_(out) {
    }

    void Run();

  private:
    struct Entry {
        std::string value;
        // The steps at which the rule met this command and replaced every occurrence of it then
        // present, ascending (a command can be met again in text made later).
        std::vector<std::size_t> steps;
    };
    struct Segment {
        std::string_view text;
        std::size_t pos;
        int chain;             // index into chains_, -1 for the text itself
        std::size_t born;      // the step from which this text exists
        std::size_t joinBelow; // the step at which its end was joined to the segment below
    };
    // The part of a command that one segment supplies.
    struct Piece {
        std::string_view text; // in the segment's own storage, which outlives the pass
        std::size_t offset;
        int chain;
        std::size_t born;
        std::size_t joinBefore; // the join with the piece before it (none for the first)
    };
    struct ChainNode {
        int parent;
        const std::string *command;
        int depth;
    };
    using Memo = std::unordered_map<std::string, Entry, ViewHash, std::equal_to<>>;

    bool TakeCommand();
    bool InChain(int chain, const std::string *command) const;
    int CommonChain(int a, int b) const;
    void FlushRest();

    DocumentContext &ctx_;
    std::string_view input_;
    std::size_t budget_;
    std::string &out_;
    std::size_t steps_ = 0;
    std::vector<Segment> stack_;
    std::vector<Piece> pieces_;
    std::vector<ChainNode> chains_;
    Memo memo_;
    std::vector<std::size_t> lengths_; // of the remembered commands, ascending
};

void Substitution::Run() {
    stack_.push_back({input_, 0, -1, 0, 0});
    while (!stack_.empty()) {
        Segment &top = stack_.back();
        if (top.pos >= top.text.size()) {
            stack_.pop_back();
            continue;
        }
        const std::size_t brace = top.text.find('{', top.pos);
        if (brace == std::string_view::npos) {
            out_.append(top.text.substr(top.pos));
            stack_.pop_back();
            continue;
        }
        out_.append(top.text.substr(top.pos, brace - top.pos));
        top.pos = brace;
        if (!TakeCommand()) {
            // An opening brace without a closing one: the text stays as it is from there on.
            FlushRest();
            break;
        }
    }
}

void Substitution::FlushRest() {
    while (!stack_.empty()) {
        const Segment &s = stack_.back();
        if (s.pos < s.text.size())
            out_.append(s.text.substr(s.pos));
        stack_.pop_back();
    }
}

// The longest chain that both chains start with.
int Substitution::CommonChain(int a, int b) const {
    const auto depth = [this](int c) {
        return c < 0 ? 0 : chains_[static_cast<std::size_t>(c)].depth;
    };
    const auto up = [this](int c) { return chains_[static_cast<std::size_t>(c)].parent; };
    while (depth(a) > depth(b))
        a = up(a);
    while (depth(b) > depth(a))
        b = up(b);
    while (a != b) {
        a = up(a);
        b = up(b);
    }
    return a;
}

bool Substitution::InChain(int chain, const std::string *command) const {
    for (int c = chain; c >= 0; c = chains_[static_cast<std::size_t>(c)].parent)
        if (chains_[static_cast<std::size_t>(c)].command == command)
            return true;
    return false;
}

// Reads the command that starts at the top segment's position (an opening brace) up to the first
// closing brace, possibly across segments, and replaces it. False when no closing brace follows.
bool Substitution::TakeCommand() {
    // Find the closing brace.
    std::size_t level = stack_.size() - 1;
    std::size_t close = stack_[level].text.find('}', stack_[level].pos);
    while (close == std::string_view::npos) {
        if (level == 0)
            return false;
        --level;
        close = stack_[level].text.find('}', stack_[level].pos);
    }

    // The command text and the pieces that the segments supply.
    std::string_view command;
    std::string joined;
    pieces_.clear();
    if (level == stack_.size() - 1) {
        const Segment &s = stack_[level];
        command = s.text.substr(s.pos, close - s.pos + 1);
        pieces_.push_back({command, 0, s.chain, s.born, 0});
    } else {
        for (std::size_t k = stack_.size(); k-- > level;) {
            const Segment &s = stack_[k];
            const std::string_view part =
                k == level ? s.text.substr(s.pos, close - s.pos + 1) : s.text.substr(s.pos);
            pieces_.push_back({part, joined.size(), s.chain, s.born,
                               k + 1 < stack_.size() ? stack_[k + 1].joinBelow : 0});
            joined.append(part);
        }
        command = joined;
    }
    const std::size_t length = command.size();
    const auto pieceEnd = [&](std::size_t i) {
        return i + 1 < pieces_.size() ? pieces_[i + 1].offset : length;
    };
    // The step from which command[from, end) exists whole.
    const auto formed = [&](std::size_t from) {
        std::size_t step = 0;
        for (std::size_t i = 0; i < pieces_.size(); ++i) {
            const Piece &p = pieces_[i];
            if (pieceEnd(i) <= from)
                continue;
            step = std::max(step, p.born);
            if (p.offset > from)
                step = std::max(step, p.joinBefore);
        }
        return step;
    };

    // Of the remembered commands that end here ("{a}", or "{}" ending "{a{}") and were met again
    // after this occurrence took shape, the rule replaced the one met first.
    Memo::iterator match = memo_.end();
    std::size_t offset = 0;
    std::size_t step = 0;
    const auto consider = [&](std::size_t at) {
        const auto it = memo_.find(command.substr(at));
        if (it == memo_.end())
            return;
        const std::vector<std::size_t> &steps = it->second.steps;
        const auto s = std::lower_bound(steps.begin(), steps.end(), formed(at));
        if (s != steps.end() && (match == memo_.end() || *s < step)) {
            match = it;
            offset = at;
            step = *s;
        }
    };
    if (command.find('{', 1) == std::string_view::npos) {
        consider(0);
    } else {
        for (const std::size_t n : lengths_) {
            if (n > length)
                break;
            if (command[length - n] == '{')
                consider(length - n);
        }
    }
    if (match == memo_.end()) {
        // Reading meets this command: a step of its own.
        match = memo_.find(command);
        if (match == memo_.end()) {
            std::string value =
                command == "{}" ? std::string("&nbsp;") : EvaluateCommand(ctx_, command);
            match = memo_.emplace(std::string(command), Entry{std::move(value), {}}).first;
            const auto at = std::lower_bound(lengths_.begin(), lengths_.end(), length);
            if (at == lengths_.end() || *at != length)
                lengths_.insert(at, length);
        }
        step = steps_++;
        match->second.steps.push_back(step);
        offset = 0;
    }
    const std::string *key = &match->first;
    const std::size_t born = step + 1; // the value's text exists from the step after

    // The value comes from the commands whose values hold the whole occurrence; an occurrence
    // wholly inside the values of its own command is a loop.
    int matchChain = -2;
    for (std::size_t i = 0; i < pieces_.size(); ++i)
        if (pieceEnd(i) > offset)
            matchChain =
                matchChain == -2 ? pieces_[i].chain : CommonChain(matchChain, pieces_[i].chain);
    const bool marked = InChain(matchChain, key) || match->second.value.size() > budget_;

    // The text before the occurrence is read again, piece by piece, each keeping its own steps.
    const std::size_t prefixPieces = [&] {
        std::size_t n = 0;
        while (n < pieces_.size() && pieces_[n].offset < offset)
            ++n;
        return n;
    }();
    // Replacing the occurrence joins the text on either side of it to the value (or, for an empty
    // value, to each other). A join exists from the step after the replacement, and not before
    // the two texts it joins were next to the occurrence.
    std::size_t leftJoin = born;
    if (prefixPieces > 0) {
        const Piece &p = pieces_[prefixPieces - 1];
        const bool atPieceStart =
            prefixPieces < pieces_.size() && pieces_[prefixPieces].offset == offset;
        leftJoin = std::max(born, atPieceStart ? pieces_[prefixPieces].joinBefore : p.born);
    }
    const Segment &after = stack_[level];
    const std::size_t rightJoin =
        std::max(born, close + 1 < after.text.size() ? after.born : after.joinBelow);

    // Consume the command from the segments.
    while (stack_.size() - 1 > level)
        stack_.pop_back();
    stack_.back().pos = close + 1;

    if (marked) {
        out_ += command.substr(0, offset);
        out_ += kLoopMarkOpen;
        out_ += *key;
        out_ += kLoopMarkClose;
        return true;
    }
    const std::string &value = match->second.value;
    budget_ -= value.size();
    if (offset == 0 && value.find('{') == std::string::npos) {
        out_ += value; // nothing in it to read again
        return true;
    }
    if (!value.empty()) {
        chains_.push_back(
            {matchChain, key,
             matchChain < 0 ? 1 : chains_[static_cast<std::size_t>(matchChain)].depth + 1});
        stack_.push_back({value, 0, static_cast<int>(chains_.size() - 1), born, rightJoin});
    }
    for (std::size_t i = prefixPieces; i-- > 0;) {
        const Piece &p = pieces_[i];
        const std::string_view text = p.text.substr(0, std::min(p.text.size(), offset - p.offset));
        const std::size_t join = i + 1 < prefixPieces ? pieces_[i + 1].joinBefore
                                 : value.empty()      ? std::max(leftJoin, rightJoin)
                                                      : leftJoin;
        stack_.push_back({text, 0, p.chain, p.born, join});
    }
    return true;
}

} // namespace

void SubstituteInto(DocumentContext &ctx, std::string_view text, std::string &out) {
    if (text.find('{') == std::string_view::npos) {
        out += text;
        return;
    }
    Substitution(ctx, text, out).Run();
}

std::string Substitute(DocumentContext &ctx, std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    SubstituteInto(ctx, text, out);
    return out;
}

} // namespace dravo::textgen
