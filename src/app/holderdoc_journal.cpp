// The journal kinds of a document: the contract-journal page and a registered document.
#include "app/holderdoc.h"

#include "core/text.h"
#include "refdata/document_database.h"
#include "refdata/journal.h"
#include "textgen/journal.h"

namespace dravo {

namespace {

QString Shown(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

} // namespace

void CHolderDoc::MakeJournalPage(const QString &styleFile, QString *message) {
    m_body = CBody();
    m_body.m_arArticles.clear();
    m_nKind = 2;
    m_bJournalPage = true;
    m_strPath.clear();
    m_strTitle = QStringLiteral("Журнал документов");
    m_bModified = false;
    m_journalStyles = StyleFile();
    std::string error;
    if (!LoadStyleFile(styleFile.toStdString(), m_journalStyles, error,
                       JournalFileMissingMessage())) {
        if (message)
            *message = Shown(error);
        m_journalStyles = ShippedStyleFile();
    }
    CopyJournalFormats(m_journalStyles.records[kJournalRecord], m_body);
}

bool CHolderDoc::StoreJournalFormats(const QString &styleFile, QString *error) {
    if (!m_bJournalPage)
        return true;
    // The settings may have been changed meanwhile by the journal parameters: read the file
    // afresh and give back only the formats.
    StyleFile file;
    std::string why;
    if (!LoadStyleFile(styleFile.toStdString(), file, why, JournalFileMissingMessage()))
        file = m_journalStyles;
    CopyJournalFormats(m_body, file.records[kJournalRecord]);
    if (StoreStyleFile(styleFile.toStdString(), file, why))
        return true;
    if (error)
        *error = Shown(why);
    return false;
}

std::string CHolderDoc::BuildJournalPage(bool clickable) {
    const textgen::JournalSettings settings =
        textgen::ReadJournalSettings(m_journalStyles.records[kJournalRecord]);
    std::vector<textgen::JournalRow> rows;
    if (m_database && m_database->IsOpen())
        refdata::JournalStore(m_database->Connection())
            .List(textgen::FilterOf(settings), rows, nullptr);
    return textgen::BuildJournalPage(m_body, settings, rows, clickable);
}

bool CHolderDoc::OpenRegistered(int bookId, QString *error) {
    if (!m_database || !m_database->IsOpen()) {
        if (error)
            *error = Shown(refdata::NoDatabaseFileMessage());
        return false;
    }
    std::string name;
    refdata::DbError failure;
    const auto content =
        refdata::JournalStore(m_database->Connection()).ReadContent(bookId, &name, &failure);
    if (!content) {
        if (error)
            *error =
                failure ? failure.text : QStringLiteral("Запись журнала %1 не найдена").arg(bookId);
        return false;
    }
    m_body = CBody();
    m_nKind = 0;
    m_bJournalPage = false;
    m_nRegisteredId = bookId;
    m_registeredPage = content->body;
    m_strPath.clear();
    m_strTitle = QStringLiteral("Журнал: ") + Shown(textgen::ShownText(name));
    m_bModified = false;
    return true;
}

} // namespace dravo
