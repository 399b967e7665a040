// dravo-cli commands of the contract journal: registering a template as the window's registration
// card does, and listing the journal's rows by period and filter values.
#include "command.h"
#include "database_options.h"

#include "core/body_io.h"
#include "core/text.h"
#include "core/user.h"
#include "refdata/document_database.h"
#include "refdata/journal.h"
#include "refdata/registration.h"
#include "refdata/schema.h"

#include <QDir>

#include <filesystem>
#include <iostream>
#include <optional>

namespace dravo::cli {

namespace {

using namespace dravo::refdata;

const std::vector<std::string_view> kValueOptions = {"--root",    "--server",      "--from",
                                                     "--to",      "--name",        "--counterparty",
                                                     "--subject", "--responsible", "--marks"};

constexpr std::string_view kRegisterUsage =
    "register FILE.adf [--root DIR | --server URL] [COLUMN=VALUE...]";
constexpr std::string_view kListUsage =
    "list [--root DIR | --server URL] [--from DATE] [--to DATE] [--name TEXT] "
    "[--counterparty TEXT] [--subject TEXT] [--responsible TEXT] [--marks TEXT] [--csv]";
// Defined before the registration below, which keeps a view of it.
const std::string kUsage = std::string(kRegisterUsage) + " | " + std::string(kListUsage);

// The journal's database: the server of --server, or the root's file, created or completed
// first (a server's tables are made by "db init --server" only).
std::optional<QString> Prepare(const Args &args) {
    if (const std::string *server = Option(args, "--server"))
        return QString::fromStdString(*server);
    const QString path = FctPath(Root(args));
    QString reason;
    if (InitDatabase(path, DatabaseKind::Reference, &reason) == InitOutcome::Failed) {
        Fail(Utf8(reason));
        return std::nullopt;
    }
    return path;
}

int RegisterCommand(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    if (positional.size() < 2)
        return Fail("usage: journal " + std::string(kRegisterUsage));
    CBody body;
    std::string error;
    if (!LoadBodyFile(positional[1], body, error))
        return Fail(positional[1] + ": " + error);
    const QString root = Root(args);
    const auto location = Prepare(args);
    if (!location)
        return 1;
    DocumentDatabase db([](const std::string &message) { Fail(ToUtf8(message)); });
    if (!db.OpenAt(*location))
        return 1;
    db.SetPartyId(textgen::PartySide::Counterparty, body.RecordNumber(0));
    db.SetPartyId(textgen::PartySide::ThirdParty, body.RecordNumber(1));
    CUser user;
    const bool haveUser = LoadUserRequisites(
        QDir(DataFolder(root)).filePath(QStringLiteral("usr.dat")).toStdString(), user, error);

    RegistrationSource source;
    source.body = &body;
    source.kind = body.Paragraph(ParTitle).m_nType <= 4 ? body.Paragraph(ParTitle).m_nType : 1;
    source.db = &db;
    source.user = haveUser ? &user : nullptr;
    source.numberText = std::to_string(db.NextNumber());
    source.date = Today();
    source.title = FromUtf8(std::filesystem::path(positional[1]).filename().string());
    RegistrationDraft draft = DraftRegistration(source);
    if (!draft.problem.empty())
        std::cerr << "dravo-cli: " << ToUtf8(draft.problem) << '\n';
    if (const std::string problem = textgen::CardProblem(draft.card); !problem.empty())
        return Fail(ToUtf8(problem));

    JournalRow row = textgen::RowFromCard(draft.card);
    // Without a number of its own the row takes the journal's next one as it is stored, so
    // that programs registering at the same moment never take the same number.
    auto numbering = JournalStore::Numbering::Next;
    for (std::size_t i = 2; i < positional.size(); ++i) {
        const std::string &item = positional[i];
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0)
            return Fail("expected COLUMN=VALUE, got '" + item + "'");
        std::string reason;
        if (!JournalStore::SetColumn(row, item.substr(0, eq), FromUtf8(item.substr(eq + 1)),
                                     &reason))
            return Fail(ToUtf8(reason));
        if (item.compare(0, eq, "NumberS") == 0)
            numbering = JournalStore::Numbering::AsGiven;
    }
    DbError failure;
    JournalStore store(db.Connection());
    const auto id = store.Register(row, draft.content, &failure, numbering);
    if (!id)
        return Fail(Utf8(failure.text));
    std::cout << *id << '\n';
    return 0;
}

std::string CsvField(const std::string &utf8) {
    if (utf8.find_first_of(",\"\n\r") == std::string::npos)
        return utf8;
    std::string out = "\"";
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

int ListCommand(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    if (positional.size() != 1)
        return Fail("usage: journal " + std::string(kListUsage));
    JournalFilter filter;
    filter.from = DateFromCalendar(100, 1, 1);
    filter.to = DateFromCalendar(9999, 12, 31);
    for (const auto &[option, target] :
         {std::pair{"--from", &filter.from}, std::pair{"--to", &filter.to}}) {
        if (const std::string *text = Option(args, option)) {
            const auto date = IsoDate(*text);
            if (!date)
                return Fail(std::string(option) + ": expected a date YYYY-MM-DD, got '" + *text +
                            "'");
            *target = *date;
        }
    }
    for (const auto &[option, target] :
         {std::pair{"--name", &filter.name}, std::pair{"--counterparty", &filter.kontragent},
          std::pair{"--subject", &filter.predmet}, std::pair{"--responsible", &filter.otv},
          std::pair{"--marks", &filter.nf}})
        if (const std::string *text = Option(args, option))
            *target = FromUtf8(*text);

    const auto location = Prepare(args);
    if (!location)
        return 1;
    SqlConnection db;
    QString reason;
    if (!db.Open(*location, SqlConnection::OpenMode::ExistingOnly, &reason))
        return Fail(Utf8(reason));
    std::vector<JournalRow> rows;
    DbError failure;
    if (!JournalStore(db).List(filter, rows, &failure))
        return Fail(Utf8(failure.text));
    const bool csv = Flag(args, "--csv");
    if (csv) {
        const auto &names = JournalStore::ColumnNames();
        for (std::size_t i = 0; i < names.size(); ++i)
            std::cout << (i ? "," : "") << names[i];
        std::cout << '\n';
    }
    for (const JournalRow &row : rows) {
        const std::vector<std::string> texts = JournalStore::ColumnTexts(row);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const std::string text = ToUtf8(textgen::ShownText(texts[i]));
            if (csv)
                std::cout << (i ? "," : "") << CsvField(text);
            else
                std::cout << (i ? "\t" : "") << text;
        }
        std::cout << '\n';
    }
    return 0;
}

int RunJournal(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    const std::string verb = positional.empty() ? "" : positional[0];
    if (verb == "register")
        return RegisterCommand(args);
    if (verb == "list")
        return ListCommand(args);
    return Fail("usage: journal " + kUsage);
}

const bool registered = dravo::cli::Register({"journal", kUsage, &RunJournal});

} // namespace

} // namespace dravo::cli
