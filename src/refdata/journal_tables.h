// The library's journal tables in "reg.db" (one table per journal, named by the library, the
// name possibly with blanks and Cyrillic letters), and the next number of the contract journal.
// Each table operation opens a connection of its own and closes it at the end; a missing
// "reg.db" is created first.
#pragma once

#include "connection.h"

#include <QString>

#include <string>
#include <string_view>

namespace dravo::refdata {

// The 33 columns of a journal table, in order: BookID, Number, NumberS, Date, Body, f1..f28.
QStringList JournalColumns();

// The statement that creates a journal table (quotedName as the dialect quotes it, possibly
// with its schema before it).
QString JournalTableStatement(const Dialect &dialect, const QString &quotedName);

// Names are windows-1251 text, as the library holds them.
bool CreateJournalTable(const QString &regPath, std::string_view name, DbError *error = nullptr);
bool DeleteJournalTable(const QString &regPath, std::string_view name, DbError *error = nullptr);
bool RenameJournalTable(const QString &regPath, std::string_view oldName, std::string_view newName,
                        DbError *error = nullptr);
// Creates newName with the 33 columns and copies every row of source into it, values by
// column; all or nothing.
bool CopyJournalTable(const QString &regPath, std::string_view source, std::string_view newName,
                      DbError *error = nullptr);
bool JournalTableExists(const QString &regPath, std::string_view name);

// The largest journal number (book.Number) plus one; 1 for an empty journal or a connection
// that is not open.
int NextJournalNumber(SqlConnection &connection);

} // namespace dravo::refdata
