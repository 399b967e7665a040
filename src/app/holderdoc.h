// One open document: a template body with its kind, number and date, party selection, the user's
// requisites (its own copy) and, when the database is there, its connection. No widgets: the
// view asks it for page text, the commands change it and mark it modified.
#pragma once

#include "core/body.h"
#include "core/styles.h"
#include "core/user.h"
#include "russian/dates.h"
#include "textgen/datasource.h"
#include "textgen/page.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace dravo {

namespace refdata {
class DocumentDatabase;
}

class CHolderDoc {
  public:
    CHolderDoc();
    ~CHolderDoc();
    CHolderDoc(const CHolderDoc &) = delete;
    CHolderDoc &operator=(const CHolderDoc &) = delete;

    // Loads the user's requisites from the data folder; on failure error holds the message to
    // show and the requisites stay empty.
    bool LoadUser(const QString &userFile, QString *error);

    // A new template with the default content; the place is the user's settlement.
    void NewTemplate(const QString &title);
    // Reads a template file; on failure nothing changes and error holds the reason.
    bool Open(const QString &path, QString *error);
    // Writes the document to path through the safe save; on failure the file on disk and the
    // document stay as they were. On success the document takes path and title.
    bool Save(const QString &path, QString *error);
    // The document's file was given a new name behind it: take its path and title.
    void Relocate(const QString &path);
    // Empty when "Save as" applies to this document, else the message that refuses it.
    QString SaveAsRefusal() const;

    // The page text (windows-1251 bytes) built anew from the document.
    std::string BuildPage(bool highlight);
    // The document as RTF for the word processor (windows-1251 bytes).
    std::string BuildRtf();

    // The contract-journal page (kind 2, titled "Журнал документов"): takes its paragraph formats
    // and settings from the styles file. A file that cannot be read leaves the defaults and
    // gives message "Файл журнала не найден".
    void MakeJournalPage(const QString &styleFile, QString *message);
    // Gives the journal page's formats back to record 2 of the styles file (as the page closes).
    bool StoreJournalFormats(const QString &styleFile, QString *error);
    // The styles file as the journal page loaded it (its settings in record 2).
    StyleFile &JournalStyles() { return m_journalStyles; }
    // The journal page without clickable regions (printing, the system browser).
    std::string BuildJournalPage(bool clickable);

    // A registered document (kind 0, read only): the page text and name of a journal row, the
    // window titled "Журнал: " + name. False with the reason when the row cannot be read.
    bool OpenRegistered(int bookId, QString *error);
    int RegisteredId() const { return m_nRegisteredId; }

    CBody &Body() { return m_body; }
    const CBody &Body() const { return m_body; }

    int Kind() const { return m_nKind; }
    void SetKind(int kind) { m_nKind = kind; }
    bool ReadOnly() const { return m_nKind == 0; }
    bool IsJournalPage() const { return m_bJournalPage; }
    void SetJournalPage(bool on) { m_bJournalPage = on; }

    bool Modified() const { return m_bModified; }
    void SetModified(bool on = true) { m_bModified = on; }

    // The file the document was read from or saved to; empty for a new one.
    const QString &Path() const { return m_strPath; }
    // The window title: a file's name, or "Договор N" for a new template.
    const QString &Title() const { return m_strTitle; }
    void SetTitle(const QString &title) { m_strTitle = title; }

    // Number and date of the document (the set-up data).
    std::string m_strNumberText;
    int m_nNumber = 0;
    Date m_date;
    bool m_bDateShown = true;
    DocumentDateTexts m_dateTexts;

    // Party selection: directory ids of the counterparty and the third party, -1 = none. Kept
    // by the database connection while there is one.
    int CounterpartyId() const;
    int ThirdPartyId() const;
    void SetCounterpartyId(int id);
    void SetThirdPartyId(int id);

    // The document's own copy of the user's requisites.
    CUser m_user;

    // Opens the document's connection to the counterparty database of the templates root. The
    // messages (windows-1251 texts turned into UTF-16) go to sink; the document works on without
    // a database.
    bool OpenDatabase(const QString &templatesRoot, const std::function<void(QString)> &sink);
    // The same on any database location: a file or the office's database server.
    bool OpenDatabaseAt(const QString &location, const std::function<void(QString)> &sink);
    // After the network locations or the database server changed: the connection is closed and
    // opened again on location (the database root's "tables.db", or the server), keeping the
    // party selection. A document that had no connection gets one.
    bool ReopenDatabase(const QString &location, const std::function<void(QString)> &sink);
    // The connection, or nothing when the database could not be opened.
    refdata::DocumentDatabase *Database() const;

    // Closing a template records its path as the last closed document in the user's file. The
    // rest of the file is kept as it stands: requisites confirmed meanwhile in another document
    // are not overwritten by this document's older copy.
    bool RecordClosedPath(const QString &userFile, QString *error);

  private:
    // What the page and the RTF are built from: this document as it stands.
    textgen::PageInputs PageInputsFor(bool highlight);

    CBody m_body;
    int m_nKind = 1;
    bool m_bJournalPage = false;
    bool m_bModified = false;
    QString m_strPath;
    QString m_strTitle;
    int m_nCounterparty = -1;
    int m_nThirdParty = -1;
    std::unique_ptr<refdata::DocumentDatabase> m_database;
    StyleFile m_journalStyles;
    int m_nRegisteredId = -1;
    std::string m_registeredPage;
};

// The template kind a body carries (paragraph 0's m_nType), clamped to a known kind.
int StoredKind(const CBody &body);

} // namespace dravo
