// The logic of network work, without widgets: where the database and the templates environment
// are taken from (dialog "Сетевая работа"), the choice of a computer from the list of those that
// share the program (dialog "Компьютеры в локальной сети c Dravo Document"), and the office
// database server given by host, port, database and user.
#pragma once

#include <QString>
#include <QStringList>

namespace dravo {

// This computer, or a network computer by name.
struct NetworkLocation {
    bool local = true;
    QString computer;
    bool operator==(const NetworkLocation &) const = default;
};

// "на этом компьютере", or "на " + the computer's name.
QString LocationText(const NetworkLocation &location);

// The question asked before the documents of another templates environment are closed.
QString CloseDocumentsQuestion();

// The state of dialog "Сетевая работа" while it is open.
class NetworkWorkState {
  public:
    // Reads the settings. While the network is unavailable both locations show as local; a
    // missing local path gets its default written.
    static NetworkWorkState Load(bool networkAvailable);

    const NetworkLocation &Database() const { return m_database; }
    const NetworkLocation &Templates() const { return m_templates; }
    // The office database server ("postgresql://user@host:port/database"), or empty.
    const QString &DatabaseServer() const { return m_databaseServer; }
    bool TemplatesLocalAtOpening() const { return m_bTemplatesLocalAtOpening; }

    // A location chosen for the database gives up the server.
    void SetDatabase(const NetworkLocation &location);
    void SetDatabaseServer(const QString &url);
    void SetTemplates(const NetworkLocation &location);

    // What the two read-only edits show.
    QString DatabaseText() const;
    QString TemplatesText() const;

    // True when OK has to ask CloseDocumentsQuestion first: document windows are open and the
    // templates environment moved between this computer and the network.
    bool AsksBeforeClosing(int openDocumentWindows) const;

    // Writes the choices into the settings.
    void Store() const;

  private:
    NetworkLocation m_database;
    NetworkLocation m_templates;
    QString m_databaseServer;
    bool m_bTemplatesLocalAtOpening = true;
};

// The state of dialog "Компьютеры в локальной сети c Dravo Document": the list of computers and
// the check box "Использовать данные этого компьютера".
class ComputerChoice {
  public:
    ComputerChoice(const QStringList &computers, const QString &currentComputer, bool currentLocal);

    const QStringList &Computers() const { return m_computers; }
    // An empty list is hidden, and the explanation behind it shows.
    bool ListShown() const { return !m_computers.isEmpty(); }
    bool UseLocal() const { return m_bUseLocal; }
    // The selected row, -1 for none.
    int Selected() const { return m_nSelected; }
    // The first row that names the current computer, -1 when it is not listed.
    int Remembered() const { return m_nRemembered; }

    // Selecting a row turns the check box off and makes that computer the choice.
    void Select(int row);
    // Turning the check box on clears the selection; turning it off again selects the
    // remembered row. With an empty list the box stays on.
    void SetUseLocal(bool on);

    // What OK gives: this computer when the list is empty, the box is on or no computer is
    // selected; else the selected computer.
    NetworkLocation Result() const;

  private:
    QStringList m_computers;
    bool m_bUseLocal = true;
    int m_nSelected = -1;
    int m_nRemembered = -1;
};

// The explanation shown where the list would be, line by line.
QString NoComputersText();

// The fields of the database server dialog.
struct DatabaseServerFields {
    QString host;
    QString port = QStringLiteral("5432");
    QString database;
    QString user;
};

// The fields of a server address ("postgresql://user@host:port/database"); the defaults for an
// empty or unreadable one.
DatabaseServerFields ParseDatabaseServer(const QString &url);
enum class ServerField { None, Host, Port, Database };
// The address of the fields, or empty with the message in error and the field it is about in
// wrong (an empty host or database, a port that is no number from 1 to 65535, a host name that
// cannot be one).
QString BuildDatabaseServer(const DatabaseServerFields &fields, QString *error,
                            ServerField *wrong = nullptr);
// "на сервере host:port/database".
QString DatabaseServerText(const QString &url);

} // namespace dravo
