#include "app/networkwork.h"

#include "app/settings.h"

#include <QSettings>
#include <QUrl>

namespace dravo {

namespace {

const QString kYes = QStringLiteral("yes");
const QString kNo = QStringLiteral("no");

NetworkLocation ReadLocation(const char *isLocalName, const char *netName, const char *localName,
                             bool networkAvailable) {
    // The local path is read for its default: a missing one is written now.
    Settings::ReadPathSetting(localName);
    NetworkLocation location;
    location.computer = Settings::ReadPathSetting(netName);
    location.local = Settings::ReadPathSetting(isLocalName) == kYes || !networkAvailable;
    return location;
}

void WriteLocation(const NetworkLocation &location, const char *isLocalName, const char *netName) {
    if (location.local) {
        Settings::WritePathSetting(isLocalName, kYes);
    } else {
        Settings::WritePathSetting(isLocalName, kNo);
        Settings::WritePathSetting(netName, location.computer);
    }
}

} // namespace

QString LocationText(const NetworkLocation &location) {
    return location.local ? QStringLiteral("на этом компьютере")
                          : QStringLiteral("на ") + location.computer;
}

QString CloseDocumentsQuestion() {
    return QStringLiteral("Документы, открытые в программе, не относятся к рабочему \n"
                          "окружению шаблонов на выбраном компьютере и будут закрыты.");
}

NetworkWorkState NetworkWorkState::Load(bool networkAvailable) {
    using namespace setting;
    NetworkWorkState s;
    s.m_database =
        ReadLocation(kIsLocalDatabase, kNetPathDatabase, kLocalPathDatabase, networkAvailable);
    s.m_templates =
        ReadLocation(kIsLocalTemplates, kNetPathTemplates, kLocalPathTemplates, networkAvailable);
    s.m_bTemplatesLocalAtOpening = s.m_templates.local;
    s.m_databaseServer =
        QSettings().value(QStringLiteral("Settings/") + kDatabaseServer).toString();
    return s;
}

void NetworkWorkState::SetDatabase(const NetworkLocation &location) {
    m_database = location;
    m_databaseServer.clear();
}

void NetworkWorkState::SetDatabaseServer(const QString &url) {
    m_databaseServer = url;
}

void NetworkWorkState::SetTemplates(const NetworkLocation &location) {
    m_templates = location;
}

QString NetworkWorkState::DatabaseText() const {
    return m_databaseServer.isEmpty() ? LocationText(m_database)
                                      : DatabaseServerText(m_databaseServer);
}

QString NetworkWorkState::TemplatesText() const {
    return LocationText(m_templates);
}

bool NetworkWorkState::AsksBeforeClosing(int openDocumentWindows) const {
    return openDocumentWindows > 0 && m_templates.local != m_bTemplatesLocalAtOpening;
}

void NetworkWorkState::Store() const {
    using namespace setting;
    WriteLocation(m_database, kIsLocalDatabase, kNetPathDatabase);
    WriteLocation(m_templates, kIsLocalTemplates, kNetPathTemplates);
    QSettings settings;
    const QString key = QStringLiteral("Settings/") + kDatabaseServer;
    if (m_databaseServer.isEmpty())
        settings.remove(key);
    else
        settings.setValue(key, m_databaseServer);
}

// The list of computers ----------------------------------------------------------------------

ComputerChoice::ComputerChoice(const QStringList &computers, const QString &currentComputer,
                               bool currentLocal)
    : m_computers(computers) {
    m_nRemembered = int(m_computers.indexOf(currentComputer));
    if (m_computers.isEmpty() || currentLocal || m_nRemembered < 0) {
        m_bUseLocal = true;
    } else {
        m_nSelected = m_nRemembered;
        m_bUseLocal = false;
    }
}

void ComputerChoice::Select(int row) {
    if (row < 0 || row >= m_computers.size())
        return;
    m_nSelected = row;
    m_bUseLocal = false;
}

void ComputerChoice::SetUseLocal(bool on) {
    if (m_computers.isEmpty()) {
        m_bUseLocal = true;
        return;
    }
    m_bUseLocal = on;
    m_nSelected = on ? -1 : m_nRemembered;
}

NetworkLocation ComputerChoice::Result() const {
    if (m_computers.isEmpty() || m_bUseLocal || m_nSelected < 0)
        return {true, {}};
    return {false, m_computers[m_nSelected]};
}

QString NoComputersText() {
    return QStringLiteral("\n"
                          "  Не обраружено компьютеров локальной\n"
                          "  сети, предоставляющих общий доступ к\n"
                          "  файлам программы ДРАВО Договор.\n"
                          "\n"
                          "  Для сетевой работы, обеспечьте общий\n"
                          "  полный доступ к папке \"Dravo\" на\n"
                          "  компьютере, используемом в качестве\n"
                          "  сервера данных.");
}

// The database server -------------------------------------------------------------------------

DatabaseServerFields ParseDatabaseServer(const QString &url) {
    DatabaseServerFields f;
    const QUrl u(url, QUrl::StrictMode);
    if (url.isEmpty() || !u.isValid() ||
        (u.scheme() != QLatin1String("postgresql") && u.scheme() != QLatin1String("postgres")))
        return f;
    f.host = u.host();
    f.port = QString::number(u.port(5432));
    f.database = u.path(QUrl::FullyDecoded);
    if (f.database.startsWith(QLatin1Char('/')))
        f.database.remove(0, 1);
    f.user = u.userName(QUrl::FullyDecoded);
    return f;
}

QString BuildDatabaseServer(const DatabaseServerFields &fields, QString *error,
                            ServerField *wrong) {
    const auto fail = [error, wrong](ServerField field, const QString &message) {
        if (error)
            *error = message;
        if (wrong)
            *wrong = field;
        return QString();
    };
    const QString host = fields.host.trimmed();
    const QString database = fields.database.trimmed();
    const QString user = fields.user.trimmed();
    if (host.isEmpty())
        return fail(ServerField::Host, QStringLiteral("Укажите имя или адрес сервера баз данных."));
    bool ok = false;
    const int port = fields.port.trimmed().toInt(&ok);
    if (!ok || port < 1 || port > 65535)
        return fail(ServerField::Port,
                    QStringLiteral("Порт сервера баз данных должен быть числом от 1 до 65535."));
    if (database.isEmpty())
        return fail(ServerField::Database, QStringLiteral("Укажите имя базы данных на сервере."));
    if (database.contains(QLatin1Char('/')))
        return fail(ServerField::Database,
                    QStringLiteral("Имя базы данных не может содержать знак \"/\"."));
    QUrl u;
    u.setScheme(QStringLiteral("postgresql"));
    u.setHost(host, QUrl::StrictMode);
    if (u.host().isEmpty() || !u.isValid())
        return fail(ServerField::Host,
                    QStringLiteral("Имя сервера баз данных \"%1\" не может быть именем или "
                                   "адресом компьютера.")
                        .arg(host));
    if (!user.isEmpty())
        u.setUserName(user);
    u.setPort(port);
    u.setPath(QLatin1Char('/') + database);
    if (!u.isValid())
        return fail(ServerField::Database,
                    QStringLiteral("Не удалось составить адрес сервера баз данных."));
    if (wrong)
        *wrong = ServerField::None;
    return u.toString(QUrl::FullyEncoded);
}

QString DatabaseServerText(const QString &url) {
    const DatabaseServerFields f = ParseDatabaseServer(url);
    if (f.host.isEmpty())
        return QStringLiteral("на сервере ") + url;
    return QStringLiteral("на сервере %1:%2/%3").arg(f.host, f.port, f.database);
}

} // namespace dravo
