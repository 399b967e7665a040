#include "cli/contract_data.h"

#include "core/body_io.h"
#include "core/text.h"

#include <iostream>

namespace dravo::cli {

bool LoadTemplate(const std::string &path, CBody &body, std::string &message) {
    std::string error;
    if (LoadBodyFile(path, body, error))
        return true;
    // The file system's reason names the file in the command line's own (UTF-8) bytes; a format
    // message is windows-1251 text.
    message = error.rfind(path, 0) == 0 ? error : path + ": " + ToUtf8(error);
    return false;
}

std::string TemplateTitle(const std::string &path) {
    std::string title = path;
    if (const std::size_t slash = title.find_last_of("/\\"); slash != std::string::npos)
        title.erase(0, slash + 1);
    return FromUtf8(title);
}

RootData::RootData(const std::string &root)
    : m_database([](const std::string &message) {
          std::cerr << "dravo-cli: " << ToUtf8(message) << '\n';
      }) {
    if (root.empty())
        return;
    const std::string path = root + "/Data/" + std::string(kUserFileName);
    std::string error;
    m_hasUser = LoadUserRequisites(path, m_user, error);
    if (!m_hasUser) // the program says so and goes on without the requisites
        std::cerr << "dravo-cli: " << path << ": " << ToUtf8(error) << '\n';
    m_open = m_database.Open(QString::fromStdString(root));
}

void RootData::Attach(textgen::PageInputs &inputs) {
    inputs.user = m_hasUser ? &m_user : nullptr;
    inputs.parties = m_open ? &m_database : nullptr;
    inputs.subjects = m_open ? &m_database : nullptr;
}

std::optional<int> RootData::FindCounterparty(const std::string &idOrName, std::string &message) {
    if (!m_open) {
        message = "no counterparty directory (give --root with a database)";
        return std::nullopt;
    }
    if (const auto id = WholeNumber(idOrName)) {
        if (m_database.Parties().ReadParty(*id))
            return *id;
        message = "no counterparty with the id " + idOrName;
        return std::nullopt;
    }
    std::vector<refdata::PartyListEntry> list;
    refdata::DbError error;
    if (!m_database.Parties().ListParties(list, &error)) {
        message = "the counterparty directory cannot be read";
        return std::nullopt;
    }
    const std::string name = FromUtf8(idOrName);
    std::optional<int> found;
    for (const refdata::PartyListEntry &entry : list)
        if (entry.name == name || refdata::PartyListText(entry.name, entry.form) == name) {
            if (found && *found != entry.id) {
                message = "more than one counterparty is named '" + idOrName + "'; give its id";
                return std::nullopt;
            }
            found = entry.id;
        }
    if (!found)
        message = "no counterparty named '" + idOrName + "'";
    return found;
}

std::string PageForReading(const std::string &page) {
    std::string out = ToUtf8(page);
    const std::size_t head = out.find("<HEAD>");
    if (head != std::string::npos)
        out.insert(head + 6,
                   "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">");
    return out;
}

} // namespace dravo::cli
