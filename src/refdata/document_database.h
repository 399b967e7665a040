// The database connection of one open document: opened on "fct.db" when the document is
// created, reopened on "tables.db" when the user moves to network locations, closed with the
// document. It keeps the document's party selection and serves the page its party rows and
// subject sets.
#pragma once

#include "connection.h"
#include "directory.h"
#include "subject.h"
#include "textgen/datasource.h"
#include "textgen/party.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace dravo::refdata {

using textgen::PartySide;

// The messages a document gives when its database cannot be used (windows-1251).
std::string NoEngineMessage();
std::string NoWorkspaceMessage(); // "Не удалось открыть рабочую область"
std::string NoDatabaseFileMessage(); // "Не удалось открыть файл баз данных"
// A database server that is down, unknown, refuses the user or the password, or holds no
// tables of the program: the message names the server and gives the reason.
std::string NoServerMessage(const QString &address, const QString &reason);

class DocumentDatabase : public textgen::PartySource, public textgen::SubjectSource {
  public:
    // Receives the messages for the user (windows-1251); the document goes on either way.
    using MessageSink = std::function<void(const std::string &message)>;

    explicit DocumentDatabase(MessageSink sink = {});
    ~DocumentDatabase() override;
    DocumentDatabase(const DocumentDatabase &) = delete;
    DocumentDatabase &operator=(const DocumentDatabase &) = delete;

    // At the creation of a document: opens templatesRoot's "fct.db", computes the next journal
    // number and clears the party selection. A missing, unreadable or incomplete file gives
    // the message and leaves the document without data. Never creates a file.
    bool Open(const QString &templatesRoot);
    // Closes the connection and opens it again on databaseRoot's "tables.db"; the selection is
    // kept.
    bool Reopen(const QString &databaseRoot);
    // The same two on any database location: a file path or a server address (the office's
    // database server, where every computer's documents share one directory and journal).
    bool OpenAt(const QString &location);
    bool ReopenAt(const QString &location);
    void Close();
    bool IsOpen() const { return m_connection.IsOpen(); }
    SqlConnection &Connection() { return m_connection; }
    Directory &Parties() { return m_directory; }
    SubjectStore &Subjects() { return m_subjects; }

    // The default number of a new document: the journal's largest number plus one.
    int NextNumber() const { return m_nextNumber; }
    void RecomputeNextNumber();

    // The party selection (-1: none). Setting an id forgets the bank id until the next
    // location.
    int PartyId(PartySide side) const { return m_selection[Index(side)].id; }
    int PartyBankId(PartySide side) const { return m_selection[Index(side)].bankId; }
    void SetPartyId(PartySide side, int id);

    // Reads the selected row by its key and keeps it as the side's located row, taking the
    // row's bank id. A row that no longer exists turns the id into -1. With no database the
    // id is kept (nothing is known about the row) and false returned.
    bool LocateParty(PartySide side);
    // A column of the side's located row as text (windows-1251); empty when the id is -1 or
    // the row has no such column.
    std::string PartyColumn(PartySide side, std::string_view column) const;
    // Locates both parties afresh and fills their party data records; a side that is not
    // selected (or whose row is gone) gets the blank form.
    std::array<textgen::PartyData, 2> FillPartyData();

    // textgen::PartySource: the row of the side, located afresh.
    std::optional<textgen::PartyRow> SelectedParty(PartySide side) override;
    // textgen::SubjectSource: the stored set of that name.
    std::optional<textgen::SubjectSet> FindSet(std::string_view category) override;

  private:
    struct Selection {
        int id = -1;
        int bankId = -1;
        std::optional<PartyRecord> row; // the located row
    };
    static std::size_t Index(PartySide side) { return side == PartySide::Counterparty ? 0 : 1; }
    bool OpenPath(const QString &path);
    void Say(const std::string &message) const;

    MessageSink m_sink;
    SqlConnection m_connection;
    Directory m_directory{m_connection};
    SubjectStore m_subjects{m_connection};
    int m_nextNumber = 1;
    std::array<Selection, 2> m_selection;
};

// The directory row as the page reads it: columns by name.
textgen::PartyRow ToPartyRow(const PartyRecord &record);

} // namespace dravo::refdata
