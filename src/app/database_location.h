// Where the window program's databases are: on the office's database server when the settings
// name one (setting::kDatabaseServer), else the files under the two roots.
#pragma once

#include <QString>

namespace dravo::DatabaseLocation {

// The server's address from the settings, trimmed; empty when the databases are files.
QString Server();
// The counterparties, banks, subject sets, catalogue and journal of a new document: the server,
// or the templates root's "fct.db".
QString Reference();
// The same after the network locations changed: the server, or the database root's
// "tables.db".
QString AfterNetworkChange();
// The library's journal tables: the server's, or the templates root's "reg.db".
QString Journals();

} // namespace dravo::DatabaseLocation
