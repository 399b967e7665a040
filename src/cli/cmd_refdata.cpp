// dravo-cli commands of the reference databases: creating them, and the counterparty, bank and
// subject-set rows that the window program edits in its directory dialogs.
#include "cmd_russian.h"
#include "command.h"
#include "database_options.h"

#include "core/text.h"
#include "refdata/connection.h"
#include "refdata/directory.h"
#include "refdata/directory_forms.h"
#include "refdata/schema.h"
#include "refdata/server_copy.h"
#include "refdata/subject.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <iostream>

namespace dravo::cli {

namespace {

using namespace dravo::refdata;
using namespace dravo::literals;

const std::vector<std::string_view> kValueOptions = {"--root", "--database-root", "--row",
                                                     "--server"};

using cli::Utf8; // beside the one for the engine's text below
std::string Utf8(std::string_view cp1251) {
    return ToUtf8(cp1251);
}

int FailWith(const DbError &error) {
    return Fail(Utf8(error.text));
}

// A refused name gets the message that the directory forms give for it.
int FailWith(const DbError &error, std::string_view refusedMessage) {
    if (error.kind == DbError::Kind::Refused)
        return Fail(Utf8(refusedMessage) + " (" + Utf8(error.text) + ")");
    return FailWith(error);
}

// COLUMN=VALUE arguments (UTF-8) as engine text.
bool ParseColumns(const std::vector<std::string> &items, ColumnValues &out) {
    for (const std::string &item : items) {
        const std::size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0) {
            Fail("expected COLUMN=VALUE, got '" + item + "'");
            return false;
        }
        std::string column, value;
        if (!EngineText(item.substr(0, eq), column, item) ||
            !EngineText(item.substr(eq + 1), value, item))
            return false;
        out.emplace_back(std::move(column), std::move(value));
    }
    return true;
}

// Opens the reference database: the server of --server, or the templates root's file. Only
// `db init` creates one: a mistyped folder must not look like an empty directory.
bool OpenReference(const Args &args, SqlConnection &db) {
    if (const std::string *server = Option(args, "--server")) {
        QString reason;
        if (!db.Open(QString::fromStdString(*server), SqlConnection::OpenMode::ExistingOnly,
                     &reason)) {
            Fail(Utf8(reason));
            return false;
        }
        QString missing;
        if (!HasTables(db, DatabaseKind::Reference, &missing)) {
            Fail(*server + ": no tables " + Utf8(missing) +
                 " (\"dravo-cli db init --server URL\" creates them)");
            return false;
        }
        return true;
    }
    const QString path = FctPath(Root(args));
    if (!QFileInfo::exists(path)) {
        Fail(Utf8(path) + ": no reference database (\"dravo-cli db init --root DIR\" creates one)");
        return false;
    }
    QString reason;
    if (InitDatabase(path, DatabaseKind::Reference, &reason) == InitOutcome::Failed ||
        !db.Open(path, SqlConnection::OpenMode::ExistingOnly, &reason)) {
        Fail(Utf8(reason));
        return false;
    }
    return true;
}

int DbInit(const Args &args) {
    QStringList done;
    QStringList failures;
    if (const std::string *server = Option(args, "--server")) {
        failures = EnsureServerDatabases(QString::fromStdString(*server), &done);
    } else {
        const QString root = Root(args);
        const QString databaseRoot =
            Option(args, "--database-root") ? Root(args, "--database-root") : root;
        failures = EnsureDatabases(root, databaseRoot, &done);
    }
    for (const QString &line : done)
        std::cout << Utf8(line) << '\n';
    int status = 0;
    for (const QString &failure : failures)
        status = Fail(Utf8(failure));
    return status;
}

// The root's databases onto the server, in one transaction; refused onto tables that hold rows.
int DbCopy(const Args &args) {
    const std::string *server = Option(args, "--server");
    if (!server)
        return Fail("usage: db copy [--root DIR] --server URL");
    const QString root = Root(args);
    QStringList done;
    QString reason;
    if (!CopyToServer(FctPath(root), RegPath(root), QString::fromStdString(*server), &done,
                      &reason))
        return Fail(Utf8(reason));
    for (const QString &line : done)
        std::cout << Utf8(line) << '\n';
    return 0;
}

const char kDbUsage[] = "usage: db init [--root DIR] [--database-root DIR] | init --server URL "
                        "| copy [--root DIR] --server URL";

int RunDb(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    if (positional.size() == 1 && positional[0] == "init")
        return DbInit(args);
    if (positional.size() == 1 && positional[0] == "copy")
        return DbCopy(args);
    return Fail(kDbUsage);
}

void PrintColumn(std::string_view column, const std::string &value) {
    std::cout << column << '=' << Utf8(value) << '\n';
}

// The check warnings of a row on standard error; they never change the exit status.
void Warn(const std::vector<std::pair<std::string, std::string>> &warnings) {
    for (const auto &[column, warning] : warnings)
        std::cerr << "warning: " << column << ": " << Utf8(warning) << '\n';
}

void WarnParty(Directory &directory, int id) {
    if (const auto record = directory.ReadParty(id))
        Warn(PartyWarnings(*record));
}

void WarnBank(Directory &directory, int id) {
    if (const auto record = directory.ReadBank(id))
        Warn(BankWarnings(*record));
}

int PartyShow(const Args &args, Directory &directory, int id) {
    (void)args;
    DbError error;
    const auto record = directory.ReadParty(id, &error);
    if (!record)
        return error ? FailWith(error) : Fail("no counterparty " + std::to_string(id));
    PrintColumn("FactorysID", std::to_string(record->id));
    for (std::size_t i = 0; i < kPartyTextColumns.size(); ++i)
        PrintColumn(kPartyTextColumns[i], record->texts[i]);
    for (std::string_view column : {"BankID", "PersonFlag", "TypePersonFlag"})
        PrintColumn(column, *record->Column(column));
    for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
        PrintColumn(kBankTextColumns[i], record->BankText(BankText(i)));
    return 0;
}

int RunParty(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    const std::string verb = positional.empty() ? "" : positional[0];
    SqlConnection db;
    if (verb == "add") {
        if (Flag(args, "--org") == Flag(args, "--citizen"))
            return Fail("party add: say --org or --citizen");
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 1, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        Directory directory(db);
        const bool citizen = Flag(args, "--citizen");
        const auto id = directory.AddParty(citizen ? PartyKind::Citizen : PartyKind::Organisation,
                                           values, &error);
        if (!id)
            return FailWith(error, citizen ? "Укажите фамилию гражданина"_w
                                           : "Укажите наименование контрагента"_w);
        std::cout << *id << '\n';
        WarnParty(directory, *id);
        return 0;
    }
    if (verb == "list" && positional.size() == 1) {
        if (!OpenReference(args, db))
            return 1;
        std::vector<PartyListEntry> entries;
        DbError error;
        if (!Directory(db).ListParties(entries, &error))
            return FailWith(error);
        for (const PartyListEntry &e : entries)
            std::cout << e.id << '\t' << Utf8(PartyListText(e.name, e.form)) << '\n';
        return 0;
    }
    const std::optional<int> parsed =
        positional.size() >= 2 ? WholeNumber(positional[1]) : std::nullopt;
    const bool hasId = parsed.has_value();
    const int id = parsed.value_or(-1);
    if (verb == "show" && hasId && positional.size() == 2) {
        if (!OpenReference(args, db))
            return 1;
        Directory directory(db);
        const int status = PartyShow(args, directory, id);
        if (status == 0)
            WarnParty(directory, id);
        return status;
    }
    if (verb == "edit" && hasId) {
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 2, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        Directory directory(db);
        if (!directory.UpdateParty(id, values, &error))
            return FailWith(error, "Укажите наименование контрагента"_w);
        WarnParty(directory, id);
        return 0;
    }
    if (verb == "delete" && hasId && positional.size() == 2) {
        if (!OpenReference(args, db))
            return 1;
        DbError error;
        return Directory(db).DeleteParty(id, &error) ? 0 : FailWith(error);
    }
    return Fail("usage: party add --org|--citizen COLUMN=VALUE... | list | show ID | "
                "edit ID COLUMN=VALUE... | delete ID  [--root DIR | --server URL]");
}

int RunBank(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    const std::string verb = positional.empty() ? "" : positional[0];
    SqlConnection db;
    if (verb == "add") {
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 1, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        Directory directory(db);
        const auto id = directory.AddBank(values, &error);
        if (!id)
            return FailWith(error, "Укажите наименование банка"_w);
        std::cout << *id << '\n';
        WarnBank(directory, *id);
        return 0;
    }
    const std::optional<int> parsed =
        positional.size() >= 2 ? WholeNumber(positional[1]) : std::nullopt;
    const int id = parsed.value_or(-1);
    if (verb == "edit" && parsed) {
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 2, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        Directory directory(db);
        if (!directory.UpdateBank(id, values, &error))
            return FailWith(error, "Укажите наименование банка"_w);
        WarnBank(directory, id);
        return 0;
    }
    if (verb == "delete" && parsed && positional.size() == 2) {
        if (!OpenReference(args, db))
            return 1;
        DbError error;
        return Directory(db).DeleteBank(id, &error) ? 0 : FailWith(error);
    }
    if (verb == "list" && positional.size() == 1) {
        if (!OpenReference(args, db))
            return 1;
        std::vector<BankRecord> banks;
        DbError error;
        if (!Directory(db).ListBanks(banks, &error))
            return FailWith(error);
        for (const BankRecord &bank : banks)
            std::cout << bank.id << '\t' << Utf8(bank.texts[kNameB]) << '\n';
        return 0;
    }
    return Fail("usage: bank add COLUMN=VALUE... | list | edit ID COLUMN=VALUE... | delete ID  "
                "[--root DIR]");
}

// subject catalogue add|list|edit|delete: the property catalogue (LISTM).
int RunCatalogue(const Args &args, const std::vector<std::string> &positional) {
    const std::string verb = positional.size() >= 2 ? positional[1] : "";
    const std::optional<int> parsed =
        positional.size() >= 3 ? WholeNumber(positional[2]) : std::nullopt;
    const int id = parsed.value_or(-1);
    const std::string_view refused = "Укажите название имущества"_w;
    SqlConnection db;
    if (verb == "add") {
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 2, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        const auto added = SubjectStore(db).AddItem(values, &error);
        if (!added)
            return FailWith(error, refused);
        std::cout << *added << '\n';
        return 0;
    }
    if (verb == "list" && positional.size() == 2) {
        if (!OpenReference(args, db))
            return 1;
        std::vector<CatalogueItem> items;
        DbError error;
        if (!SubjectStore(db).ListItems(items, &error))
            return FailWith(error);
        for (const CatalogueItem &item : items) {
            char price[48];
            std::snprintf(price, sizeof price, "%.2f", item.price);
            std::cout << item.id << '\t' << Utf8(item.name) << '\t' << Utf8(item.unit) << '\t'
                      << price << '\t' << Utf8(item.currency) << '\t' << Utf8(item.vat) << '\t'
                      << Utf8(item.extra) << '\n';
        }
        return 0;
    }
    if (verb == "edit" && parsed) {
        ColumnValues values;
        if (!ParseColumns({positional.begin() + 3, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        return SubjectStore(db).UpdateItem(id, values, &error) ? 0 : FailWith(error, refused);
    }
    if (verb == "delete" && parsed && positional.size() == 3) {
        if (!OpenReference(args, db))
            return 1;
        DbError error;
        return SubjectStore(db).DeleteItem(id, &error) ? 0 : FailWith(error);
    }
    return Fail("usage: subject catalogue add COLUMN=VALUE... | list | edit ID COLUMN=VALUE... | "
                "delete ID  [--root DIR]   (columns Name, Edizm, Price2, Currency, Definds, Dop)");
}

int RunSubject(const Args &args) {
    const auto positional = Positional(args, kValueOptions);
    const std::string verb = positional.empty() ? "" : positional[0];
    if (verb == "catalogue")
        return RunCatalogue(args, positional);
    SqlConnection db;
    if (verb == "set" && positional.size() >= 2) {
        const std::string *rowText = Option(args, "--row");
        const std::optional<int> row = rowText ? WholeNumber(*rowText) : std::nullopt;
        if (!row || *row < 1 || *row > int(kSubjectRows))
            return Fail("subject set: --row takes 1 to 7");
        ColumnValues values;
        std::string name;
        if (!EngineText(positional[1], name, "subject set") ||
            !ParseColumns({positional.begin() + 2, positional.end()}, values) ||
            !OpenReference(args, db))
            return 1;
        DbError error;
        return SubjectStore(db).SetRow(name, std::size_t(*row - 1), values, &error)
                   ? 0
                   : FailWith(error);
    }
    if (verb == "show" && positional.size() == 2) {
        std::string name;
        if (!EngineText(positional[1], name, "subject show") || !OpenReference(args, db))
            return 1;
        DbError error;
        const auto set = SubjectStore(db).ReadSet(name, &error);
        if (!set)
            return error ? FailWith(error) : Fail("no subject set '" + positional[1] + "'");
        for (const SubjectRow &r : set->rows) {
            char numbers[96];
            std::snprintf(numbers, sizeof numbers, "%lld\t%.2f\t%.2f",
                          static_cast<long long>(r.kolvo), r.price, r.summ);
            std::cout << Utf8(r.name) << '\t' << numbers << '\t' << Utf8(r.edizm) << '\t'
                      << Utf8(r.currency) << '\t' << Utf8(r.definds) << '\n';
        }
        return 0;
    }
    if (verb == "list" && positional.size() == 1) {
        if (!OpenReference(args, db))
            return 1;
        std::vector<std::string> names;
        DbError error;
        if (!SubjectStore(db).SetNames(names, &error))
            return FailWith(error);
        for (const std::string &name : names)
            std::cout << Utf8(name) << '\n';
        return 0;
    }
    if (positional.size() == 1 && verb != "set" && verb != "show" && verb != "list")
        return RunSubjectForms(args); // the case forms of a subject's name
    return Fail("usage: subject set NAME --row N COLUMN=VALUE... | show NAME | list | "
                "catalogue add|list|edit|delete ... | NAME  [--root DIR | --server URL]");
}

const bool registeredDb =
    Register({"db",
              "init [--root DIR] [--database-root DIR] | init --server URL | copy [--root DIR] "
              "--server URL  (creates the databases; copies a computer's onto a server)",
              &RunDb});
const bool registeredParty =
    Register({"party",
              "add --org|--citizen COLUMN=VALUE... | list | show ID | edit ID COLUMN=VALUE... | "
              "delete ID  [--root DIR | --server URL]",
              &RunParty});
const bool registeredBank = Register({"bank",
                                      "add COLUMN=VALUE... | list | edit ID COLUMN=VALUE... | "
                                      "delete ID  [--root DIR | --server URL]",
                                      &RunBank});
const bool registeredSubject = Register(
    {"subject",
     "set NAME --row N COLUMN=VALUE... | show NAME | list | catalogue add COLUMN=VALUE... | "
     "catalogue list | catalogue edit ID COLUMN=VALUE... | catalogue delete ID  [--root DIR] | "
     "NAME (case forms)",
     &RunSubject});

} // namespace

} // namespace dravo::cli
