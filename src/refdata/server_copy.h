// Moving an office to its database server: the counterparties, banks, subject sets, catalogue
// and journal of a computer's "fct.db", and the library's journal tables of its "reg.db",
// copied onto the server in one transaction, so that a copy cut short (the server stopped, the
// network lost) leaves nothing on the server. Rows keep their keys: templates and documents
// name their counterparties by key.
//
// A copy never doubles rows: a server whose tables already hold rows (other than the shipped
// "no set" subject set), or that has a journal table of the same name, is refused, naming the
// table, and nothing is written.
#pragma once

#include <QString>
#include <QStringList>

namespace dravo::refdata {

// Copies fctPath (and regPath, when that file exists) onto the server (an address); the
// server's tables are created first when missing. done gets one line per table copied, with
// its row count. On failure returns false with the reason.
bool CopyToServer(const QString &fctPath, const QString &regPath, const QString &server,
                  QStringList *done, QString *error);

} // namespace dravo::refdata
