#include "library_tables.h"

#include "journal_tables.h"
#include "qt_text.h"

#include <QFileInfo>

namespace dravo::refdata {

namespace {
bool Result(bool ok, const DbError &db, std::string &error) {
    if (!ok)
        error = FromQt(db.text);
    return ok;
}
} // namespace

bool LibraryJournalTables::Exists(const std::string &name) {
    // Looking must not create the database.
    return QFileInfo::exists(m_regPath) && JournalTableExists(m_regPath, name);
}

bool LibraryJournalTables::Copy(const std::string &from, const std::string &to,
                                std::string &error) {
    DbError db;
    return Result(CopyJournalTable(m_regPath, from, to, &db), db, error);
}

bool LibraryJournalTables::Rename(const std::string &from, const std::string &to,
                                  std::string &error) {
    DbError db;
    return Result(RenameJournalTable(m_regPath, from, to, &db), db, error);
}

bool LibraryJournalTables::Drop(const std::string &name, std::string &error) {
    DbError db;
    return Result(DeleteJournalTable(m_regPath, name, &db), db, error);
}

} // namespace dravo::refdata
