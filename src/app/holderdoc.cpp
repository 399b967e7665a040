#include "app/holderdoc.h"

#include "core/body_io.h"
#include "core/defaults.h"
#include "core/text.h"
#include "refdata/document_database.h"
#include "refdata/schema.h"
#include "textgen/page.h"
#include "textgen/rtf.h"

#include <QFileInfo>

namespace dravo {

namespace {

// A template's window shows its file name without ".adf", whether it was opened or saved.
QString TitleOfPath(const QString &path) {
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QStringLiteral(".adf"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

std::string Local(const QString &path) {
    return path.toStdString();
}

// A reason from the file system names the file in the path's own (UTF-8) bytes; a message of
// the file's format is windows-1251 text.
QString Shown(const std::string &why, const std::string &file) {
    if (!file.empty() && why.rfind(file, 0) == 0)
        return QString::fromStdString(why);
    return QString::fromStdString(ToUtf8(why));
}

} // namespace

int StoredKind(const CBody &body) {
    const int kind = body.Paragraph(ParTitle).m_nType;
    return kind <= 4 ? kind : 1;
}

CHolderDoc::CHolderDoc() {
    m_date = Today();
    m_dateTexts.Update(m_date, m_bDateShown);
}

CHolderDoc::~CHolderDoc() = default;

bool CHolderDoc::LoadUser(const QString &userFile, QString *error) {
    std::string why;
    if (LoadUserRequisitesKeepingDamaged(Local(userFile), m_user, why))
        return true;
    if (error)
        *error = Shown(why, Local(userFile));
    return false;
}

void CHolderDoc::NewTemplate(const QString &title) {
    FillNewTemplate(m_body, m_user.Text(CUser::Settlement));
    m_nKind = StoredKind(m_body);
    m_strPath.clear();
    m_strTitle = title;
    m_bModified = false;
}

bool CHolderDoc::Open(const QString &path, QString *error) {
    CBody body;
    std::string why;
    if (!LoadBodyFile(Local(path), body, why)) {
        if (error)
            *error = Shown(why, Local(path));
        return false;
    }
    m_body = std::move(body);
    m_nKind = StoredKind(m_body);
    if (m_nKind == 3) {
        // A stored file keeps its party selection in the variables heading.
        m_body.Paragraph(ParArticleHead).m_nType = 2;
        m_body.Paragraph(ParArticleHead).m_nCheck = 3;
        SetCounterpartyId(m_body.RecordNumber(0));
        SetThirdPartyId(m_body.RecordNumber(1));
    }
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_strTitle = TitleOfPath(path);
    m_bModified = false;
    return true;
}

bool CHolderDoc::Save(const QString &path, QString *error) {
    // Saving must not change the document when it fails: work on a copy.
    CBody copy = m_body;
    copy.Paragraph(ParTitle).m_nType = static_cast<std::uint16_t>(m_nKind);
    // The third party is kept beside the counterparty, so a stored file reopens with both.
    copy.SetRecordNumbers(CounterpartyId(), ThirdPartyId());
    std::string why;
    if (!SaveBodyFile(Local(path), copy, why)) {
        if (error)
            *error = Shown(why, Local(path));
        return false;
    }
    m_body = std::move(copy);
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_strTitle = TitleOfPath(path);
    m_bModified = false;
    return true;
}

void CHolderDoc::Relocate(const QString &path) {
    m_strPath = QFileInfo(path).absoluteFilePath();
    m_strTitle = TitleOfPath(path);
}

QString CHolderDoc::SaveAsRefusal() const {
    if (m_bJournalPage || m_nKind == 0 || m_nKind == 2)
        return QStringLiteral("Активный документ не является шаблоном");
    return {};
}

bool CHolderDoc::OpenDatabase(const QString &templatesRoot,
                              const std::function<void(QString)> &sink) {
    return OpenDatabaseAt(refdata::FctPath(templatesRoot), sink);
}

bool CHolderDoc::OpenDatabaseAt(const QString &location, const std::function<void(QString)> &sink) {
    auto db = std::make_unique<refdata::DocumentDatabase>([sink](const std::string &message) {
        if (sink)
            sink(Shown(message, {}));
    });
    if (!db->OpenAt(location)) {
        m_database.reset();
        return false;
    }
    db->SetPartyId(textgen::PartySide::Counterparty, m_nCounterparty);
    db->SetPartyId(textgen::PartySide::ThirdParty, m_nThirdParty);
    m_database = std::move(db);
    return true;
}

bool CHolderDoc::ReopenDatabase(const QString &location, const std::function<void(QString)> &sink) {
    if (m_database)
        return m_database->ReopenAt(location); // the selection stays with it
    auto db = std::make_unique<refdata::DocumentDatabase>([sink](const std::string &message) {
        if (sink)
            sink(Shown(message, {}));
    });
    if (!db->ReopenAt(location))
        return false;
    db->SetPartyId(textgen::PartySide::Counterparty, m_nCounterparty);
    db->SetPartyId(textgen::PartySide::ThirdParty, m_nThirdParty);
    m_database = std::move(db);
    return true;
}

refdata::DocumentDatabase *CHolderDoc::Database() const {
    return m_database.get();
}

int CHolderDoc::CounterpartyId() const {
    return m_database ? m_database->PartyId(textgen::PartySide::Counterparty) : m_nCounterparty;
}

int CHolderDoc::ThirdPartyId() const {
    return m_database ? m_database->PartyId(textgen::PartySide::ThirdParty) : m_nThirdParty;
}

void CHolderDoc::SetCounterpartyId(int id) {
    m_nCounterparty = id;
    if (m_database)
        m_database->SetPartyId(textgen::PartySide::Counterparty, id);
}

void CHolderDoc::SetThirdPartyId(int id) {
    m_nThirdParty = id;
    if (m_database)
        m_database->SetPartyId(textgen::PartySide::ThirdParty, id);
}

textgen::PageInputs CHolderDoc::PageInputsFor(bool highlight) {
    textgen::PageInputs in;
    in.body = &m_body;
    in.kind = m_nKind;
    in.number = m_strNumberText;
    in.date = m_date;
    in.dateShown = m_bDateShown;
    in.highlight = highlight;
    in.user = &m_user;
    in.parties = m_database.get();
    in.subjects = m_database.get();
    in.documentTitle = FromUtf8(m_strTitle.toStdString());
    in.showJournal = m_bJournalPage;
    in.showRegistered = m_nKind == 0;
    in.dateTexts = &m_dateTexts;
    return in;
}

std::string CHolderDoc::BuildPage(bool highlight) {
    if (m_bJournalPage)
        return BuildJournalPage(true);
    if (m_nKind == 0 && m_nRegisteredId >= 0)
        return m_registeredPage;
    textgen::PageResult page = textgen::BuildPage(PageInputsFor(highlight));
    return std::move(page.html);
}

std::string CHolderDoc::BuildRtf() {
    return textgen::BuildRtf(PageInputsFor(true)).rtf;
}

bool CHolderDoc::RecordClosedPath(const QString &userFile, QString *error) {
    m_user.Text(CUser::LastDocument) = FromUtf8(m_strPath.toStdString());
    if (m_strPath.isEmpty())
        return true;
    CUser current;
    std::string why;
    if (LoadUserRequisites(Local(userFile), current, why)) {
        current.Text(CUser::LastDocument) = m_user.Text(CUser::LastDocument);
        if (SaveUserRequisites(Local(userFile), current, why))
            return true;
    }
    if (error)
        *error = Shown(why, Local(userFile));
    return false;
}

} // namespace dravo
