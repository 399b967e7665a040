// The library's journal tables in "reg.db" of a templates root, for the library logic.
#pragma once

#include "library/store.h"

#include <QString>

namespace dravo::refdata {

class LibraryJournalTables : public library::JournalTables {
  public:
    // regPath is the journals database (RegPath of the templates root, or the server's
    // journals: ServerJournalsLocation).
    explicit LibraryJournalTables(QString regPath) : m_regPath(std::move(regPath)) {}
    bool Exists(const std::string &name) override;
    bool Copy(const std::string &from, const std::string &to, std::string &error) override;
    bool Rename(const std::string &from, const std::string &to, std::string &error) override;
    bool Drop(const std::string &name, std::string &error) override;

  private:
    QString m_regPath;
};

} // namespace dravo::refdata
