// The journal and formatting commands of a view: the journal parameters, the registration card
// for a new or a registered row, the formatting styles, the fonts and the paragraphs.
#include "app/commands.h"
#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/journal_dialogs.h"
#include "app/dialogs/style_dialogs.h"
#include "app/holderdoc.h"
#include "app/holderview.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "app/shell.h"
#include "core/text.h"
#include "refdata/document_database.h"
#include "refdata/journal.h"
#include "refdata/qt_text.h"
#include "refdata/registration.h"

namespace dravo {

using refdata::ToQt;

namespace {

std::string StylePath() {
    return Roots::DataFile(
               QString::fromLatin1(kStyleFileName.data(), qsizetype(kStyleFileName.size())))
        .toStdString();
}

// The styles file, or the shipped defaults with the message when it cannot be read.
StyleFile LoadStyles(QWidget *parent, std::string_view missingMessage, bool quiet = false) {
    StyleFile file;
    std::string error;
    if (!LoadStyleFile(StylePath(), file, error, missingMessage)) {
        if (!quiet)
            MessageBox::Information(parent, ToQt(error));
        file = ShippedStyleFile();
    }
    return file;
}

void StoreStyles(QWidget *parent, StyleFile &file) {
    std::string error;
    if (!StoreStyleFile(StylePath(), file, error))
        MessageBox::Warning(parent, ToQt(error));
}

bool JournalDatabase(QWidget *parent, CHolderDoc &doc) {
    if (doc.Database() && doc.Database()->IsOpen())
        return true;
    MessageBox::Information(parent, ToQt(refdata::NoDatabaseFileMessage()));
    return false;
}

void SayDbError(QWidget *parent, const QString &what, const refdata::DbError &error) {
    MessageBox::Warning(parent, what + QStringLiteral("\n") + error.text);
}

} // namespace

void CHolderView::CmdJournalParameters() {
    StyleFile file = LoadStyles(this, JournalSettingsMissingMessage());
    CBody &record = file.records[kJournalRecord];
    JournalSettingsDialog dialog(textgen::ReadJournalSettings(record), this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    const textgen::JournalSettings settings = dialog.Settings();
    textgen::WriteJournalSettings(settings, record);
    StoreStyles(this, file);
    // Every journal page takes the new settings; its formats stay its own until it closes.
    for (CHolderView *view : AllViews())
        if (view->GetDocument()->IsJournalPage())
            textgen::WriteJournalSettings(
                settings, view->GetDocument()->JournalStyles().records[kJournalRecord]);
    emit journalChanged(false);
}

void CHolderView::CmdRegister() {
    CHolderDoc &doc = *m_document;
    if (doc.Kind() != TemplateDocument || !JournalDatabase(this, doc))
        return;
    refdata::DocumentDatabase &db = *doc.Database();
    refdata::RegistrationSource source;
    source.body = &doc.Body();
    source.kind = doc.Kind();
    source.db = &db;
    source.user = &doc.m_user;
    source.numberText = std::to_string(db.NextNumber());
    source.date = doc.m_date;
    source.dateShown = doc.m_bDateShown;
    source.highlight = Shell().highlightVariable;
    source.title = refdata::FromQt(doc.Title());
    refdata::RegistrationDraft draft = refdata::DraftRegistration(source);
    if (!draft.problem.empty())
        MessageBox::Information(this, ToQt(draft.problem));

    const StyleFile styles = LoadStyles(this, JournalSettingsMissingMessage(), true);
    RegistrationCardDialog card(
        draft.card, false,
        CardCaptions(textgen::ReadJournalSettings(styles.records[kJournalRecord])), this);
    if (DialogSeam::Exec(card) != QDialog::Accepted)
        return;
    refdata::JournalStore store(db.Connection());
    refdata::DbError error;
    if (!refdata::RegisterDocument(store, card.Fields(), draft.content, &error,
                                   source.numberText)) {
        SayDbError(this, QStringLiteral("Документ не зарегистрирован."), error);
        return;
    }
    db.RecomputeNextNumber();
    doc.m_nNumber = db.NextNumber();
    doc.m_strNumberText = std::to_string(doc.m_nNumber);
    DocumentChanged(true);
    emit journalChanged(true);
}

void CHolderView::CmdCard(int bookId) {
    CHolderDoc &doc = *m_document;
    if (!JournalDatabase(this, doc))
        return;
    refdata::JournalStore store(doc.Database()->Connection());
    refdata::DbError error;
    const auto row = store.Read(bookId, &error);
    if (!row) {
        if (error)
            SayDbError(this, QStringLiteral("Запись журнала не прочитана."), error);
        return;
    }
    RegistrationCardDialog card(
        textgen::CardFromRow(*row), true,
        CardCaptions(textgen::ReadJournalSettings(doc.JournalStyles().records[kJournalRecord])),
        this);
    DialogSeam::Exec(card);
    switch (card.Result()) {
    case RegistrationCardDialog::Stored: {
        textgen::JournalRow changed = textgen::RowFromCard(card.Fields());
        if (!store.Update(bookId, changed, &error))
            SayDbError(this, QStringLiteral("Запись журнала не сохранена."), error);
        emit journalChanged(false);
        break;
    }
    case RegistrationCardDialog::OpenText:
        emit registeredDocumentRequested(bookId);
        break;
    case RegistrationCardDialog::DeleteRecord:
        if (!MessageBox::AskYesNo(this, ToQt(textgen::DeleteRecordQuestion())))
            break;
        if (!store.Delete(bookId, &error))
            SayDbError(this, QStringLiteral("Запись журнала не удалена."), error);
        if (doc.Database())
            doc.Database()->RecomputeNextNumber();
        emit journalChanged(false);
        break;
    case RegistrationCardDialog::OpenAsTemplate: {
        std::string name;
        const auto content = store.ReadContent(bookId, &name, &error);
        if (!content || content->templateFile.empty()) {
            MessageBox::Information(
                this, QStringLiteral("Шаблон этого документа не сохранен в журнале."));
            break;
        }
        emit templateRequested(
            QByteArray(content->templateFile.data(), qsizetype(content->templateFile.size())),
            ToQt(textgen::ShownText(name)) + QStringLiteral(" ") +
                ToQt(textgen::ShownText(row->numberText)));
        break;
    }
    case RegistrationCardDialog::Cancelled:
        break;
    }
}

void CHolderView::CmdStyles() {
    CHolderDoc &doc = *m_document;
    const int kind = doc.Kind();
    if (kind != TemplateDocument && kind != JournalDocument)
        return;
    StyleFile file = LoadStyles(this, StyleFileMissingMessage());
    CBody &record = file.Record(std::size_t(kind));
    StyleListDialog dialog(
        record, doc.Body(), [&] { StoreStyles(this, file); }, this);
    const bool ok = DialogSeam::Exec(dialog) == QDialog::Accepted;
    if (doc.IsJournalPage())
        doc.JournalStyles().records[kJournalRecord].m_arArticles = record.m_arArticles;
    if (!ok || !dialog.Chosen())
        return;
    ApplyStyle(*dialog.Chosen(), doc.Body(), record);
    StoreStyles(this, file);
    DocumentChanged(kind == TemplateDocument);
}

void CHolderView::CmdFont() {
    CHolderDoc &doc = *m_document;
    if (doc.Kind() != TemplateDocument && doc.Kind() != JournalDocument)
        return;
    FontDialog dialog(doc.Body(), doc.IsJournalPage(), this);
    if (DialogSeam::Exec(dialog) == QDialog::Accepted)
        DocumentChanged(doc.Kind() == TemplateDocument);
}

void CHolderView::CmdParagraph() {
    CHolderDoc &doc = *m_document;
    if (doc.Kind() != TemplateDocument && doc.Kind() != JournalDocument)
        return;
    ParagraphDialog dialog(doc.Body(), doc.IsJournalPage(), this);
    if (DialogSeam::Exec(dialog) == QDialog::Accepted)
        DocumentChanged(doc.Kind() == TemplateDocument);
}

} // namespace dravo
