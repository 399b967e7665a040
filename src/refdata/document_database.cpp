#include "document_database.h"

#include "journal_tables.h"
#include "qt_text.h"
#include "schema.h"
#include "server.h"

namespace dravo::refdata {

using namespace dravo::literals;

namespace {
// The product's web site, named in the message about a missing database engine.
constexpr std::string_view kProductSite = "www.dravo.ru";
} // namespace

std::string NoEngineMessage() {
    return std::string("В системе не установлены стандартные конпоненты доступа к базам данным. "
                       "Вы можете загрузить файл установки необходимых компонентов с сайта "_w) +
           std::string(kProductSite);
}

std::string NoWorkspaceMessage() {
    return std::string("Не удалось открыть рабочую область"_w);
}

std::string NoDatabaseFileMessage() {
    return std::string("Не удалось открыть файл баз данных"_w);
}

std::string NoServerMessage(const QString &address, const QString &reason) {
    QString shown = address;
    if (const auto parsed = ServerAddress::Parse(address))
        shown = parsed->Shown();
    // The reason names the server too; the client library breaks its lines with tabs.
    QString why = reason;
    const QString prefix = QStringLiteral("server %1: ").arg(shown);
    if (why.startsWith(prefix))
        why.remove(0, prefix.size());
    why = why.simplified();
    return std::string("Не удалось открыть базу данных на сервере "_w) + FromQt(shown) + ":\n" +
           FromQt(why);
}

DocumentDatabase::DocumentDatabase(MessageSink sink) : m_sink(std::move(sink)) {}

DocumentDatabase::~DocumentDatabase() {
    Close();
}

void DocumentDatabase::Say(const std::string &message) const {
    if (m_sink)
        m_sink(message);
}

bool DocumentDatabase::OpenPath(const QString &path) {
    Close();
    QString reason;
    if (!m_connection.Open(path, SqlConnection::OpenMode::ExistingOnly, &reason)) {
        switch (m_connection.LastOpenFailure()) {
        case SqlConnection::OpenFailure::NoDriver:
            Say(NoEngineMessage());
            break;
        case SqlConnection::OpenFailure::NoConnection:
            Say(NoWorkspaceMessage());
            break;
        case SqlConnection::OpenFailure::NoServer:
            Say(NoServerMessage(path, reason));
            break;
        default:
            Say(NoDatabaseFileMessage());
            break;
        }
        return false;
    }
    // Every query of the document goes through this one connection: a file without the
    // reference tables is as good as none.
    QString missing;
    if (!HasTables(m_connection, DatabaseKind::Reference, &missing)) {
        const bool server = m_connection.OnServer();
        Close();
        Say(server ? NoServerMessage(path, QStringLiteral("no tables %1 (\"dravo-cli db init "
                                                          "--server ADDRESS\" makes them)")
                                               .arg(missing))
                   : NoDatabaseFileMessage());
        return false;
    }
    return true;
}

bool DocumentDatabase::Open(const QString &templatesRoot) {
    return OpenAt(FctPath(templatesRoot));
}

bool DocumentDatabase::Reopen(const QString &databaseRoot) {
    return ReopenAt(TablesPath(databaseRoot));
}

bool DocumentDatabase::OpenAt(const QString &location) {
    const bool opened = OpenPath(location);
    RecomputeNextNumber();
    m_selection = {};
    return opened;
}

bool DocumentDatabase::ReopenAt(const QString &location) {
    const bool opened = OpenPath(location);
    RecomputeNextNumber();
    for (Selection &s : m_selection)
        s.row.reset();
    return opened;
}

void DocumentDatabase::Close() {
    m_connection.Close();
    for (Selection &s : m_selection)
        s.row.reset();
}

void DocumentDatabase::RecomputeNextNumber() {
    m_nextNumber = NextJournalNumber(m_connection);
}

void DocumentDatabase::SetPartyId(PartySide side, int id) {
    Selection &s = m_selection[Index(side)];
    s.id = id < 0 ? -1 : id;
    s.bankId = -1;
    s.row.reset();
}

bool DocumentDatabase::LocateParty(PartySide side) {
    Selection &s = m_selection[Index(side)];
    s.row.reset();
    if (s.id == -1)
        return false;
    DbError error;
    s.row = m_directory.ReadParty(s.id, &error);
    if (s.row) {
        s.bankId = s.row->bankId;
        return true;
    }
    if (!error) { // the row is gone
        s.id = -1;
        s.bankId = -1;
    }
    return false;
}

std::string DocumentDatabase::PartyColumn(PartySide side, std::string_view column) const {
    const Selection &s = m_selection[Index(side)];
    if (s.id == -1 || !s.row)
        return {};
    return s.row->Column(column).value_or(std::string());
}

std::optional<textgen::PartyRow> DocumentDatabase::SelectedParty(PartySide side) {
    if (!LocateParty(side))
        return std::nullopt;
    return ToPartyRow(*m_selection[Index(side)].row);
}

std::array<textgen::PartyData, 2> DocumentDatabase::FillPartyData() {
    return {textgen::FillPartyData(SelectedParty(PartySide::Counterparty), PartySide::Counterparty),
            textgen::FillPartyData(SelectedParty(PartySide::ThirdParty), PartySide::ThirdParty)};
}

std::optional<textgen::SubjectSet> DocumentDatabase::FindSet(std::string_view category) {
    if (!IsOpen())
        return std::nullopt;
    return m_subjects.ReadSet(std::string(category));
}

textgen::PartyRow ToPartyRow(const PartyRecord &record) {
    textgen::PartyRow row;
    static constexpr std::string_view kNamed[] = {"FactorysID", "BankID", "PersonFlag",
                                                  "TypePersonFlag"};
    // The names are distinct and spelt as the table spells them: no search needed.
    for (std::string_view column : kNamed)
        row.columns.emplace(column, *record.Column(column));
    for (std::size_t i = 0; i < kPartyTextColumns.size(); ++i)
        row.columns.emplace(kPartyTextColumns[i], record.texts[i]);
    if (record.bank)
        for (std::size_t i = 0; i < kBankTextColumns.size(); ++i)
            row.columns.emplace(kBankTextColumns[i], record.bank->texts[i]);
    return row;
}

} // namespace dravo::refdata
