#include "app/dialogs/clause_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/fragmentmenu.h"
#include "app/holderdoc.h"
#include "app/messagebox.h"
#include "refdata/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

namespace {

std::uint16_t ToIndex(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 65535));
}

} // namespace

ClauseDialog::ClauseDialog(CBody &body, const std::string &documentTitle, int article, int clause,
                           int level, ClauseEditor::SaveTemplate save, QWidget *parent)
    : QDialog(parent),
      m_editor(body, documentTitle, ToIndex(article), ToIndex(clause), ToIndex(level)),
      m_save(std::move(save)) {
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("text"));
    m_text->setMinimumSize(460, 180);
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("kind"));
    for (std::string_view kind : NumberingKindNames())
        m_kind->addItem(ToQt(kind));
    m_clauseCheck = new QCheckBox(QStringLiteral("Включить в документ"), this);
    m_clauseCheck->setObjectName(QStringLiteral("clauseCheck"));
    m_summary = new QCheckBox(QStringLiteral("Пункты статьи в документе"), this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setTristate(true);
    m_mark = new QCheckBox(QStringLiteral("Установить разделитель в меню"), this);
    m_mark->setObjectName(QStringLiteral("mark"));

    auto *nameLabel = new QLabel(QStringLiteral("Описание"), this);
    nameLabel->setBuddy(m_name);
    auto *textLabel = new QLabel(QStringLiteral("Текст"), this);
    textLabel->setBuddy(m_text);

    auto *fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_name, 0, 1, 1, 2);
    fields->addWidget(textLabel, 1, 0);
    fields->addWidget(m_clauseCheck, 1, 2, Qt::AlignRight);
    fields->addWidget(m_summary, 1, 1, Qt::AlignRight);
    fields->addWidget(m_text, 2, 0, 1, 3);
    fields->addWidget(m_kind, 3, 0, 1, 3);
    fields->addWidget(m_mark, 4, 0, 1, 3);
    fields->setColumnStretch(1, 1);

    auto button = [this](const QString &caption, const QString &name) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton *ok = button(QStringLiteral("ОК"), QStringLiteral("ok"));
    ok->setDefault(true);
    QPushButton *cancel = button(QStringLiteral("Отмена"), QStringLiteral("cancel"));
    QPushButton *add = button(QStringLiteral("Добавить"), QStringLiteral("add"));
    m_delete = button(QStringLiteral("Удалить"), QStringLiteral("delete"));
    QPushButton *next = button(QStringLiteral("Следующий"), QStringLiteral("next"));
    QPushButton *previous = button(QStringLiteral("Предыдущий"), QStringLiteral("previous"));
    m_levelButton = button(QString(), QStringLiteral("level"));

    auto *side = new QVBoxLayout;
    for (QPushButton *b : {ok, cancel, add, m_delete, previous, next, m_levelButton})
        side->addWidget(b);
    side->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(side);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(next, &QPushButton::clicked, this, [this] {
        if (!FieldsFitCodePage(*this, {m_name, m_text}))
            return;
        m_editor.Next(Controls());
        ShowItem();
    });
    connect(previous, &QPushButton::clicked, this, [this] {
        if (!FieldsFitCodePage(*this, {m_name, m_text}))
            return;
        m_editor.Previous(Controls());
        ShowItem();
    });
    connect(m_levelButton, &QPushButton::clicked, this, [this] {
        if (!FieldsFitCodePage(*this, {m_name, m_text}))
            return;
        m_editor.SwitchLevel(Controls());
        ShowItem();
    });
    connect(add, &QPushButton::clicked, this, [this] {
        if (!FieldsFitCodePage(*this, {m_name, m_text}))
            return;
        if (!m_editor.Add(Controls()))
            MessageBox::Warning(this, QStringLiteral("В списке нет места для нового элемента"));
        ShowItem();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        const bool deleted = m_editor.Delete([this](std::string_view question) {
            return MessageBox::AskYesNo(this, ToQt(question));
        });
        if (deleted)
            ShowItem();
    });
    connect(m_summary, &QCheckBox::clicked, this, [this] {
        m_editor.ClickSummary();
        ShowSummary();
    });

    ShowItem();
}

void ClauseDialog::ShowSummary() {
    const QSignalBlocker block(m_summary);
    switch (m_editor.Summary()) {
    case ClauseSummary::Ticked:
        m_summary->setCheckState(Qt::Checked);
        break;
    case ClauseSummary::Indeterminate:
        m_summary->setCheckState(Qt::PartiallyChecked);
        break;
    case ClauseSummary::Cleared:
        m_summary->setCheckState(Qt::Unchecked);
        break;
    }
}

void ClauseDialog::ShowItem() {
    setWindowTitle(ToQt(m_editor.WindowTitle()));
    m_levelButton->setText(ToQt(m_editor.LevelButtonCaption()));
    m_clauseCheck->setVisible(m_editor.ClauseCheckVisible());
    m_summary->setVisible(m_editor.SummaryVisible());
    const ClauseFields fields = m_editor.Fields();
    m_name->setText(ToQt(fields.name));
    m_text->setPlainText(ToQt(fields.text));
    m_kind->setCurrentIndex(fields.kind);
    m_clauseCheck->setChecked(fields.check);
    m_mark->setChecked(fields.mark);
    ShowSummary();
    // An article without clauses has nothing to edit at the clause level until one is added.
    const bool editable = m_editor.HasItem();
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_name, m_text, m_kind, m_clauseCheck, m_mark, m_delete})
        w->setEnabled(editable);
}

ClauseFields ClauseDialog::Controls() const {
    ClauseFields fields;
    fields.kind = m_kind->currentIndex();
    fields.check = m_clauseCheck->isChecked();
    fields.mark = m_mark->isChecked();
    fields.name = FromQt(m_name->text());
    fields.text = FromQt(m_text->toPlainText());
    return fields;
}

void ClauseDialog::accept() {
    if (!FieldsFitCodePage(*this, {m_name, m_text}))
        return;
    std::string error;
    if (!m_editor.Accept(Controls(), m_save, error) && !error.empty())
        MessageBox::Warning(this, ToQt(error));
    QDialog::accept();
}

bool RunClauseDialog(QWidget *parent, CHolderDoc &doc, int article, int clause, int level,
                     bool *bodyChanged) {
    // A template never saved has no file yet: its changes stay in memory, marked modified, until
    // the user saves it under a name.
    auto save = [&doc](std::string &error) {
        SyncArticleChecks(doc.Body()); // so that the file agrees with what the page will show
        if (doc.Path().isEmpty())
            return true;
        QString why;
        if (doc.Save(doc.Path(), &why))
            return true;
        error = FromQt(why);
        return false;
    };
    // Cancel keeps what earlier presses did to the body: the caller must know, so that the page
    // and the modified mark follow the body.
    const CBody before = doc.Body();
    ClauseDialog dialog(doc.Body(), FromQt(doc.Title()), article, clause, level, save, parent);
    const bool accepted = DialogSeam::Exec(dialog) == QDialog::Accepted;
    if (bodyChanged)
        *bodyChanged = !(doc.Body() == before);
    return accepted;
}

} // namespace dravo
