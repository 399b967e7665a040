#include "app/dialogs/party_choice_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/directory_list.h"
#include "app/dialogs/party_card_dialog.h"
#include "app/holderdoc.h"
#include "app/messagebox.h"
#include "core/text.h"
#include "refdata/document_database.h"
#include "textgen/party.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravo {

using namespace dravo::literals;

namespace {

QString NoDatabase() {
    return QStringLiteral("База данных контрагентов не открыта");
}

// The display name of the party in the role ("Контрагент", "Третья сторона").
std::string RoleName(const CBody &body, std::string_view roleWord) {
    const int position = textgen::PartyPosition(body, roleWord);
    return position == 0 ? std::string() : textgen::PartyName(body, position);
}

} // namespace

PartyChoiceDialog::PartyChoiceDialog(refdata::PartyChoice &choice, refdata::Directory &directory,
                                     QWidget *parent)
    : QDialog(parent), m_choice(choice), m_directory(directory) {
    m_list = new DirectoryList(choice, this);
    m_dashes = new QCheckBox(QStringLiteral("Прочерки "), this);
    m_dashes->setObjectName(QStringLiteral("dashes"));
    auto *buttons = new QVBoxLayout;
    auto button = [&](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton *ok = button(QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton *cancel = button(QStringLiteral("Отмена"), "cancel");
    buttons->addSpacing(12);
    QPushButton *add = button(QStringLiteral("Добавить"), "add");
    QPushButton *remove = button(QStringLiteral("Удалить"), "delete");
    QPushButton *edit = button(QStringLiteral("Изменить"), "edit");
    buttons->addSpacing(12);
    m_next = button(QString(), "next");
    m_next->setVisible(choice.NextShown());
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(m_list);
    left->addWidget(m_dashes);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(640, 460);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &PartyChoiceDialog::Add);
    connect(remove, &QPushButton::clicked, this, &PartyChoiceDialog::Delete);
    connect(edit, &QPushButton::clicked, this, &PartyChoiceDialog::Edit);
    connect(m_next, &QPushButton::clicked, this, [this] {
        m_choice.Next();
        ShowSide();
    });
    connect(m_dashes, &QCheckBox::toggled, this, [this](bool on) { m_choice.SetDashes(on); });
    connect(m_list, &DirectoryList::activated, this, &QDialog::accept);
    ShowSide();
    m_list->SearchBox()->setFocus();
}

void PartyChoiceDialog::ShowSide() {
    setWindowTitle(Shown(m_choice.Title()));
    m_next->setText(Shown(m_choice.NextCaption()));
    const QSignalBlocker blocker(m_dashes);
    m_dashes->setChecked(m_choice.Dashes());
    m_list->ShowSelection();
}

void PartyChoiceDialog::Add() {
    const auto kind = AskPartyKind(this);
    if (!kind)
        return;
    std::string message;
    const auto id = m_choice.Add(*kind, &message);
    if (!id) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    if (!RunPartyCard(this, m_directory, *id))
        m_choice.CancelAdded(*id);
    else
        m_dashes->setChecked(false);
    m_choice.Refill();
    m_list->ShowSelection();
}

void PartyChoiceDialog::Edit() {
    if (m_choice.SelectedRow() < 0)
        return;
    RunPartyCard(this, m_directory, m_choice.Selected());
    m_choice.Refill();
    m_list->ShowSelection();
}

void PartyChoiceDialog::Delete() {
    if (m_choice.SelectedRow() < 0 ||
        !MessageBox::AskYesNo(this, Shown(refdata::PartyChoice::DeleteQuestion())))
        return;
    std::string message;
    if (!m_choice.DeleteSelected(&message))
        MessageBox::Warning(this, Shown(message));
    m_list->ShowSelection();
}

std::optional<refdata::PartyKind> AskPartyKind(QWidget *parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("   Выбор типа контрагента"));
    auto *text =
        new QLabel(QStringLiteral("Создать запись для организации\n или для гражданина?"), &dialog);
    auto *buttons = new QHBoxLayout;
    auto button = [&](const QString &caption, const char *name, int result) {
        auto *b = new QPushButton(caption, &dialog);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        QObject::connect(b, &QPushButton::clicked, &dialog,
                         [&dialog, result] { dialog.done(result); });
        return b;
    };
    button(QStringLiteral("Организация"), "organisation", 1)->setDefault(true);
    button(QStringLiteral("Гражданин"), "citizen", 2);
    button(QStringLiteral("Отмена"), "cancel", QDialog::Rejected);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addLayout(buttons);
    switch (DialogSeam::Exec(dialog)) {
    case 1:
        return refdata::PartyKind::Organisation;
    case 2:
        return refdata::PartyKind::Citizen;
    default:
        return std::nullopt;
    }
}

bool RunPartyChoice(QWidget *parent, CHolderDoc &doc) {
    refdata::DocumentDatabase *db = doc.Database();
    if (!db) {
        MessageBox::Warning(parent, NoDatabase());
        return false;
    }
    const CBody &body = doc.Body();
    refdata::PartyChoice choice(
        db->Parties(), {doc.CounterpartyId(), doc.ThirdPartyId()}, textgen::ThirdPartyPresent(body),
        {RoleName(body, "Контрагент"_w), RoleName(body, "Третья сторона"_w)});
    if (!LoadOrSay(parent, choice))
        return false;
    PartyChoiceDialog dialog(choice, db->Parties(), parent);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return false;
    const auto ids = choice.Result();
    doc.SetCounterpartyId(ids[0]);
    doc.SetThirdPartyId(ids[1]);
    return true;
}

bool RunSelectedPartyCard(QWidget *parent, CHolderDoc &doc, textgen::PartySide side, bool *found) {
    *found = false;
    refdata::DocumentDatabase *db = doc.Database();
    const int id =
        side == textgen::PartySide::Counterparty ? doc.CounterpartyId() : doc.ThirdPartyId();
    if (!db || id == -1 || !db->Parties().ReadParty(id))
        return false;
    *found = true;
    return RunPartyCard(parent, db->Parties(), id);
}

} // namespace dravo
