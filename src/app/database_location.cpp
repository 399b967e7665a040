#include "app/database_location.h"

#include "app/roots.h"
#include "app/settings.h"

#include "refdata/schema.h"

namespace dravo::DatabaseLocation {

QString Server() {
    return Settings::ReadPathSetting(setting::kDatabaseServer).trimmed();
}

QString Reference() {
    const QString server = Server();
    return server.isEmpty() ? refdata::FctPath(Roots::TemplatesRoot()) : server;
}

QString AfterNetworkChange() {
    const QString server = Server();
    return server.isEmpty() ? refdata::TablesPath(Roots::DatabaseRoot()) : server;
}

QString Journals() {
    const QString server = Server();
    if (server.isEmpty())
        return refdata::RegPath(Roots::TemplatesRoot());
    // A setting that is no address names no journals: the operations then fail with a reason.
    const QString journals = refdata::ServerJournalsLocation(server);
    return journals.isEmpty() ? server : journals;
}

} // namespace dravo::DatabaseLocation
