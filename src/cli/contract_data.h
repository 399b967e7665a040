// What the document commands share: the template read from its file and the data of a root
// folder (the user's requisites and the reference database) attached to the page inputs.
#pragma once

#include "cli/command.h"
#include "core/body.h"
#include "core/user.h"
#include "refdata/document_database.h"
#include "textgen/page.h"

#include <memory>
#include <optional>
#include <string>

namespace dravo::cli {

// Reads a template; on failure gives the message (UTF-8) naming the file.
bool LoadTemplate(const std::string &path, CBody &body, std::string &message);

// The window title of a template file: its name without the folder (windows-1251).
std::string TemplateTitle(const std::string &path);

// The data of a root folder. Without a root: no requisites, no database (blank party forms).
class RootData {
  public:
    explicit RootData(const std::string &root);
    // The requisites and the database into the inputs.
    void Attach(textgen::PageInputs &inputs);
    // The database, when the root has one that opened.
    refdata::DocumentDatabase *Database() { return m_open ? &m_database : nullptr; }
    // A counterparty named by its directory id or by its exact name (UTF-8); the id, or nothing
    // with the reason in message.
    std::optional<int> FindCounterparty(const std::string &idOrName, std::string &message);

  private:
    CUser m_user;
    bool m_hasUser = false;
    bool m_open = false;
    refdata::DocumentDatabase m_database;
};

// The page as a browser reads a UTF-8 file: converted, with the encoding declared.
std::string PageForReading(const std::string &page);

} // namespace dravo::cli
