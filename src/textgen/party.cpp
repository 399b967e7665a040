#include "textgen/party.h"

#include "core/text.h"
#include "russian/strings.h"
#include "textgen/context.h"
#include "textgen/html.h"
#include "textgen/markup.h"

namespace dravo::textgen {

using namespace dravo::literals;
using russian_detail::Contains;
using russian_detail::EndsWith;
using russian_detail::TrimLeft;
using russian_detail::TrimRight;

namespace {

std::string Underscores(std::size_t n) {
    return std::string(n, '_');
}

constexpr std::string_view kBlankName = "_________________________"; // 25

std::string WithoutTrailingPoints(std::string_view s) {
    while (!s.empty() && s.back() == '.')
        s.remove_suffix(1);
    return std::string(s);
}

// The text of s from the first occurrence of from to its end; empty when from is absent.
std::string_view FromWord(std::string_view s, std::string_view from) {
    const std::size_t at = s.find(from);
    return at == std::string_view::npos ? std::string_view{} : s.substr(at);
}

} // namespace

std::string PartyData::Field(std::string_view word) const {
    const auto it = fields.find(word);
    return it == fields.end() ? std::string() : it->second;
}

PartyData FillPartyData(const std::optional<PartyRow> &row, PartySide side) {
    PartyData d;
    auto set = [&d](std::string_view word, std::string value) {
        d.fields.insert_or_assign(std::string(word), std::move(value));
    };
    if (!row) {
        const bool counterparty = side == PartySide::Counterparty;
        d.surname = Underscores(counterparty ? 20 : 21);
        set("название"_w, counterparty ? Underscores(21) : std::string());
        set("адрес"_w, Underscores(22));
        set("паспорт"_w,
            std::string(counterparty
                            ? "серии ____ №______, выдан ____________________"_w
                            : "паспорт серии ______ №________, выдан ____________________"_w));
        set("р/с"_w, Underscores(18));
        set("название банка"_w, Underscores(19));
        set("ИНН"_w, Underscores(9));
        return d;
    }
    const PartyRow &r = *row;
    set("адрес"_w, r.Get("City") + " " + r.Get("Address"));
    set("телефон"_w, r.Get("Tel"));
    set("дополнительно"_w, r.Get("Otgr"));
    d.post = r.Get("Dolgn");
    if (r.Flag("PersonFlag")) {
        d.surname = r.Get("Name");
        d.givenNames = r.Get("Form");
        std::string passport;
        if (!r.Get("INN").empty())
            passport = std::string("серии "_w) + r.Get("INN") + std::string(" №"_w);
        const std::string number = r.Get("OKPO");
        passport += number.empty() ? Underscores(10) : number;
        if (!r.Get("Family").empty())
            passport += std::string(", выдан "_w) + r.Get("Family");
        set("паспорт"_w, passport);
        set("место работы"_w, r.Get("IO"));
    } else {
        d.surname = r.Get("Family");
        d.givenNames = r.Get("IO");
        set("оргформа"_w, r.Get("Form"));
        set("название"_w, r.Get("Name"));
        set("р/с"_w, r.Get("RS"));
        set("название банка"_w, r.Get("NameB"));
        set("к/с"_w, r.Get("KS"));
        set("БИК"_w, r.Get("BIK"));
        set("адрес банка"_w, r.Get("AddressB"));
        set("ИНН"_w, r.Get("INN"));
        set("ОКПО"_w, r.Get("OKPO"));
        set("ОКОНХ"_w, r.Get("OKONH"));
    }
    return d;
}

PartyState MakePartyState(const std::optional<PartyRow> &row, PartySide side, bool html) {
    PartyState s;
    if (row && html) {
        PartyRow escaped;
        for (const auto &[column, value] : row->columns)
            escaped.columns.emplace(column, EscapeHtml(value));
        s.row = std::move(escaped);
    } else {
        s.row = row;
    }
    s.data = FillPartyData(s.row, side);
    s.person = BuildPersonForms(s.data.surname, s.data.givenNames, s.data.post);
    return s;
}

int RoleAt(const CBody &body, int position) {
    const CPun &p = body.Paragraph(ParClauseText);
    const int roles[3] = {p.m_nType, p.m_nCheck, p.m_nMark};
    // A damaged file may hold anything here; only a permutation of 1, 2, 3 is taken as an order.
    const bool permutation = roles[0] >= 1 && roles[0] <= 3 && roles[1] >= 1 && roles[1] <= 3 &&
                             roles[2] >= 1 && roles[2] <= 3 && roles[0] != roles[1] &&
                             roles[0] != roles[2] && roles[1] != roles[2];
    if (position < 1 || position > 3)
        return 0;
    return permutation ? roles[position - 1] : position;
}

int PartyPosition(const CBody &body, std::string_view roleWord) {
    const int role = roleWord == "Пользователь"_w ? kRoleUser
                     : roleWord == "Контрагент"_w ? kRoleCounterparty
                                                  : kRoleThirdParty;
    const int position = RoleAt(body, 1) == role ? 1 : RoleAt(body, 2) == role ? 2 : 3;
    return position == 3 && !ThirdPartyPresent(body) ? 0 : position;
}

std::string PartyName(const CBody &body, int position) {
    switch (position) {
    case 1:
        return std::string(TrimLeft(body.Paragraph(ParClauseText).m_strName));
    case 2:
        return std::string(TrimLeft(body.Paragraph(ParClauseText).m_strText));
    case 3:
        return std::string(TrimLeft(body.Paragraph(ParArticleHead).m_strName));
    default:
        return {};
    }
}

bool ThirdPartyPresent(const CBody &body) {
    return body.Paragraph(ParArticleHead).m_nCheck != 0;
}

std::string ClosingPhrase(std::string_view title) {
    const std::string lower(TrimRight(ToLower(title)));
    std::string out(EndsWith(lower, "ние"_w) ? "заключили настоящее "_w : "заключили настоящий "_w);
    out += lower;
    out += " о нижеследующем:"_w;
    return out;
}

namespace {

// A party name typed into the template, filtered for the page.
std::string PageText(const DocumentContext &ctx, std::string text) {
    return ctx.htmlText ? FilterMarkup(text) : text;
}

std::string UserPreamble(const DocumentContext &ctx, const std::string &name) {
    std::string out(ctx.UserText(0));
    if (!name.empty()) {
        out += ", ";
        out += ctx.UserText(2);
        out += " \"";
        out += name;
        out += "\"";
    }
    const std::string_view agent = TrimLeft(ctx.UserText(3));
    if (!agent.empty()) {
        out += ", ";
        out += agent;
    }
    return out;
}

std::string OrganisationPreamble(const PartyState &party, const std::string &name) {
    std::string out;
    const std::string form = party.Column("Form");
    if (!form.empty())
        out += form + " ";
    out += party.Column("Name");
    if (!name.empty())
        out += std::string(", именуемое в дальнейшем \""_w) + name + "\"";
    const PersonForms &person = party.person;
    const std::string_view postGenitive = russian_detail::Trim(person.postGenitive());
    const std::string_view nameGenitive = russian_detail::Trim(person.fullNameGenitive());
    if (!postGenitive.empty() || !nameGenitive.empty()) {
        if (!name.empty())
            out += ",";
        out += " в лице "_w;
        out += postGenitive;
        if (!nameGenitive.empty()) {
            out += " ";
            out += nameGenitive;
            const std::string post = party.Column("Dolgn");
            if (!Contains(post, "действует на основании"_w)) {
                out += person.male ? ", действующего на основании Устава"_w
                                   : ", действующей на основании Устава"_w;
            } else {
                out += person.male ? ", действующего "_w : ", действующей "_w;
                out += FromWord(post, "на основании"_w);
            }
        }
    }
    return out;
}

std::string CitizenPreamble(const PartyState &party, const std::string &name) {
    const bool entrepreneur = party.row->Flag("TypePersonFlag");
    const bool male = party.person.male;
    std::string out;
    if (entrepreneur)
        out += "Предприниматель "_w;
    out += WithoutTrailingPoints(party.Column("Name"));
    out += " ";
    out += party.Column("Form");
    if (!name.empty()) {
        out += ", именуем"_w;
        out += male ? "ый"_w : "ая"_w;
        out += " в дальнейшем \""_w;
        out += name;
        out += "\"";
    }
    const std::string extra = party.Column("Otgr");
    if (Contains(extra, "действу"_w)) {
        out += male ? ", действующий "_w : ", действующая "_w;
        const std::string_view basis = FromWord(extra, "на основании"_w);
        out += basis.empty() ? "от своего имени"_w : basis;
    } else {
        out += male ? ", действующий"_w : ", действующая"_w;
        if (entrepreneur) {
            out +=
                " на основании Свидетельства о регистрации в качестве индивидульного предпринимателя"_w;
            const std::string number = party.Column("IO");
            if (!number.empty())
                out += " " + number;
            const std::string issuer = party.Column("Dolgn");
            if (!issuer.empty())
                out += std::string(", выданного "_w) + issuer;
        } else {
            out += " от своего имени"_w;
        }
    }
    return out;
}

const PartyState &PartyOfRole(const DocumentContext &ctx, int role) {
    return ctx.Party(role == kRoleCounterparty ? PartySide::Counterparty : PartySide::ThirdParty);
}

} // namespace

std::string PartyPreamble(const DocumentContext &ctx, int position) {
    const int role = RoleAt(ctx.body(), position);
    const std::string name = PageText(ctx, PartyName(ctx.body(), position));
    if (role == kRoleUser)
        return UserPreamble(ctx, name);
    const PartyState &party = PartyOfRole(ctx, role);
    if (party.Column("Name").empty()) {
        std::string out(kBlankName);
        if (!name.empty())
            out += std::string(", именуемое в дальнейшем \""_w) + name + "\"";
        out += ", в лице _________________________, действующего на основании Устава"_w;
        return out;
    }
    return party.row->Flag("PersonFlag") ? CitizenPreamble(party, name)
                                         : OrganisationPreamble(party, name);
}

std::string ContractHeader(DocumentContext &ctx, HeaderMode mode) {
    CBody &body = ctx.body();
    const std::string closing = ClosingPhrase(body.Paragraph(ParTitle).m_strText);
    body.Paragraph(ParArticleHead).m_strText = closing;
    const bool paragraphs = mode == HeaderMode::RtfParagraphs;
    std::string out = PartyPreamble(ctx, 1);
    out += paragraphs ? ", с одной стороны, и\\par"_w : ", с одной стороны, и "_w;
    out += PartyPreamble(ctx, 2);
    out += paragraphs ? ", с другой стороны,\\par"_w : ", с другой стороны, "_w;
    if (ThirdPartyPresent(body)) {
        out += PartyPreamble(ctx, 3);
        out += paragraphs ? ", с третьей стороны,\\par"_w : ", с третьей стороны, "_w;
    }
    out += closing;
    if (paragraphs)
        out += "\\par \\pard";
    return out;
}

namespace {

std::string CounterpartyRequisites(const PartyState &party) {
    const auto has = [&](std::string_view c) { return !party.Column(c).empty(); };
    const auto col = [&](std::string_view c) { return party.Column(c); };
    std::string out(TrimRight(col("City") + " " + col("Address")));
    if (party.row->Flag("PersonFlag")) {
        if (party.row->Flag("TypePersonFlag") && has("RS"))
            out += std::string(", ИНН:"_w) + col("RS");
        if (has("INN")) {
            out +=
                std::string(" паспорт серии "_w) + col("INN") + std::string(" №"_w) + col("OKPO");
            if (has("Family"))
                out += std::string(", выдан "_w) + col("Family");
        }
        if (has("Otgr"))
            out += ", " + col("Otgr");
    } else {
        if (has("INN"))
            out += std::string(" ИНН:&nbsp;"_w) + col("INN");
        if (has("RS"))
            out += std::string(" р/с&nbsp;№"_w) + col("RS");
        if (has("NameB")) {
            if (!has("RS"))
                out += " р/с"_w;
            out += std::string(" в&nbsp;банке:&nbsp;"_w) + col("NameB");
            if (has("KS"))
                out += std::string(" кор/с&nbsp;№"_w) + col("KS");
            if (has("BIK"))
                out += std::string(" БИК:&nbsp;"_w) + col("BIK");
        }
        if (has("OKPO"))
            out += std::string(" ОКПО:&nbsp;"_w) + col("OKPO");
        if (has("OKONH"))
            out += std::string(" ОКВЭД:&nbsp;"_w) + col("OKONH");
        if (has("Otgr"))
            out += ", " + col("Otgr");
    }
    if (has("Tel"))
        out += ", " + col("Tel");
    return out;
}

} // namespace

std::string PartyLine(const DocumentContext &ctx, int position, int kind) {
    const int role = RoleAt(ctx.body(), position);
    if (kind == 0)
        return PageText(ctx, PartyName(ctx.body(), position));
    if (role == kRoleUser) {
        switch (kind) {
        case 1:
            return std::string(ctx.UserText(0));
        case 2:
            return std::string(ctx.UserText(4)) + " " + std::string(ctx.UserText(5)) + " " +
                   std::string(ctx.UserText(7));
        case 3:
            return std::string(ctx.UserText(1));
        default:
            return {};
        }
    }
    const PartyState &party = PartyOfRole(ctx, role);
    switch (kind) {
    case 1: {
        std::string line(TrimLeft(party.Column("Form") + " " + party.Column("Name")));
        return line.empty() ? std::string(kBlankName) : line;
    }
    case 2:
        if (party.Column("Name").empty())
            return std::string(
                "________________________________ ИНН:&nbsp;___________________________ "
                "р/с&nbsp;№___________________________ в&nbsp;банке:&nbsp;_______________________ "
                "к/с&nbsp;№___________________________ БИК:&nbsp;___________ ОКПО&nbsp;__________ "
                "ОКВЭД&nbsp;_______&nbsp;тел.&nbsp;_____________ "_w);
        return CounterpartyRequisites(party);
    case 3:
        return std::string("____________/").append(party.person.initialsSurname());
    default:
        return {};
    }
}

} // namespace dravo::textgen
