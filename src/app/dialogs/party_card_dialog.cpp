#include "app/dialogs/party_card_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/directory_list.h"
#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravo {

namespace {

std::string Column(const refdata::FormField &field) {
    return std::string(field.column);
}

// The row of a field: its edit and, for a checked field, the warning under it.
QWidget *FieldRow(QWidget *parent, FormEdits &form, const refdata::FormField &field,
                  const std::string &text, bool checked) {
    QLineEdit *edit = AddFieldEdit(parent, form, field, text, checked);
    if (!checked)
        return edit;
    auto *box = new QWidget(parent);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit);
    layout->addWidget(form.warnings[Column(field)]);
    return box;
}

void ShowWarning(QLabel *label, const std::string &warning) {
    label->setText(Shown(warning));
    label->setVisible(!warning.empty());
}

} // namespace

QLineEdit *AddFieldEdit(QWidget *parent, FormEdits &form, const refdata::FormField &field,
                        const std::string &text, bool checked) {
    auto *edit = new QLineEdit(Shown(text), parent);
    edit->setObjectName(QString::fromLatin1(field.column.data(), qsizetype(field.column.size())));
    edit->setMaxLength(field.maxLength);
    edit->setMinimumWidth(320);
    form.edits[Column(field)] = edit;
    if (checked) {
        auto *warning = new QLabel(parent);
        warning->setObjectName(QStringLiteral("warn_") + edit->objectName());
        warning->setStyleSheet(QStringLiteral("color: #a00000;"));
        warning->setWordWrap(true);
        warning->setVisible(false);
        form.warnings[Column(field)] = warning;
    }
    return edit;
}

// PartyCardDialog ------------------------------------------------------------------------------

PartyCardDialog::PartyCardDialog(refdata::PartyCard &card, refdata::Directory &directory,
                                 QWidget *parent)
    : QDialog(parent), m_card(card), m_directory(directory) {
    const bool citizen = card.Citizen();
    setWindowTitle(citizen ? QStringLiteral("   Данные гражданина")
                           : QStringLiteral("   Реквизиты контрагента"));
    auto *layout = new QVBoxLayout(this);
    QFormLayout *form = nullptr;
    std::string_view group = "-";
    for (const refdata::FormField &field : card.Fields()) {
        if (!form || field.group != group) {
            group = field.group;
            form = new QFormLayout;
            if (group.empty()) {
                layout->addLayout(form);
            } else {
                auto *box = new QGroupBox(Shown(group), this);
                box->setLayout(form);
                layout->addWidget(box);
            }
        }
        // The taxpayer number and the settlement account are checked (a citizen's number
        // stands in RS).
        const bool checked = field.column == "RS" || (!citizen && field.column == "INN");
        form->addRow(Shown(field.caption),
                     FieldRow(this, m_form, field, card.Text(field.column), checked));
        if (citizen && field.column == "Address") {
            m_entrepreneur = new QCheckBox(QStringLiteral("Предприниматель"), this);
            m_entrepreneur->setObjectName(QStringLiteral("entrepreneur"));
            m_entrepreneur->setChecked(card.Entrepreneur());
            form->addRow(QString(), m_entrepreneur);
        }
        if (!citizen && field.column == "RS") {
            auto *row = new QHBoxLayout;
            m_bank = new QLineEdit(Shown(card.BankName()), this);
            m_bank->setObjectName(QStringLiteral("bank"));
            m_bank->setReadOnly(true);
            auto *choose = new QPushButton(QStringLiteral("..."), this);
            choose->setObjectName(QStringLiteral("chooseBank"));
            choose->setFixedWidth(32);
            row->addWidget(m_bank);
            row->addWidget(choose);
            form->addRow(QStringLiteral("Банк"), row);
            connect(choose, &QPushButton::clicked, this, &PartyCardDialog::ChooseBank);
        }
    }
    for (auto &[column, edit] : m_form.edits)
        connect(edit, &QLineEdit::textChanged, this, [this, column = column](const QString &text) {
            m_card.SetText(column, Typed(text));
            ShowWarnings();
        });
    ShowWarnings();
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

void PartyCardDialog::ShowWarnings() {
    for (auto &[column, label] : m_form.warnings)
        ShowWarning(label, m_card.Warning(column));
}

void PartyCardDialog::ChooseBank() {
    const auto bank = RunBankChoice(this, m_directory, m_card.BankId());
    if (!bank)
        return;
    std::string message;
    if (!m_card.SetBank(*bank, &message))
        MessageBox::Warning(this, Shown(message));
    m_bank->setText(Shown(m_card.BankName()));
    ShowWarnings();
}

void PartyCardDialog::accept() {
    for (auto &[column, edit] : m_form.edits)
        m_card.SetText(column, Typed(edit->text()));
    if (m_entrepreneur)
        m_card.SetEntrepreneur(m_entrepreneur->isChecked());
    std::string message;
    if (!m_card.Save(&message)) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    QDialog::accept();
}

// BankChoiceDialog -----------------------------------------------------------------------------

BankChoiceDialog::BankChoiceDialog(refdata::BankChoice &choice, refdata::Directory &directory,
                                   QWidget *parent)
    : QDialog(parent), m_choice(choice), m_directory(directory) {
    setWindowTitle(QStringLiteral("   Выбор банка"));
    m_list = new DirectoryList(choice, this);
    m_noBank = new QCheckBox(QStringLiteral("Не выводить сведения о банке"), this);
    m_noBank->setObjectName(QStringLiteral("noBank"));
    m_noBank->setChecked(choice.NoBank());
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
    QPushButton *add = button(QStringLiteral("Добавить"), "add");
    m_delete = button(QStringLiteral("Удалить"), "delete");
    m_edit = button(QStringLiteral("Изменить"), "edit");
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addWidget(m_list);
    left->addWidget(m_noBank);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(520, 380);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, &BankChoiceDialog::Add);
    connect(m_delete, &QPushButton::clicked, this, &BankChoiceDialog::Delete);
    connect(m_edit, &QPushButton::clicked, this, &BankChoiceDialog::Edit);
    connect(m_list, &DirectoryList::activated, this, &QDialog::accept);
    connect(m_list, &DirectoryList::selectionChanged, this, [this] {
        if (m_choice.NoBank() && m_choice.SelectedRow() >= 0)
            m_noBank->setChecked(false); // picking a bank takes the tick away
        ShowState();
    });
    connect(m_noBank, &QCheckBox::toggled, this, [this](bool on) {
        m_choice.SetNoBank(on);
        ShowState();
    });
    ShowState();
}

void BankChoiceDialog::ShowState() {
    m_list->ShowSelection(m_choice.HasSelection());
    m_delete->setEnabled(m_choice.HasSelection());
    m_edit->setEnabled(m_choice.HasSelection());
}

void BankChoiceDialog::Add() {
    std::string message;
    const auto id = m_choice.Add(&message);
    if (!id) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    m_noBank->setChecked(false);
    if (!RunBankCard(this, m_directory, *id))
        m_choice.CancelAdded(*id);
    m_choice.Refill();
    ShowState();
}

void BankChoiceDialog::Edit() {
    if (!m_choice.HasSelection())
        return;
    RunBankCard(this, m_directory, m_choice.Selected());
    m_choice.Refill();
    ShowState();
}

void BankChoiceDialog::Delete() {
    if (!m_choice.HasSelection() ||
        !MessageBox::AskYesNo(this, Shown(refdata::BankChoice::DeleteQuestion())))
        return;
    std::string message;
    if (!m_choice.DeleteSelected(&message))
        MessageBox::Warning(this, Shown(message));
    ShowState();
}

// BankCardDialog -------------------------------------------------------------------------------

BankCardDialog::BankCardDialog(refdata::BankCard &card, QWidget *parent)
    : QDialog(parent), m_card(card) {
    setWindowTitle(QStringLiteral("   Реквизиты банка"));
    auto *form = new QFormLayout;
    for (const refdata::FormField &field : refdata::BankFields()) {
        const bool checked = field.column == "KS" || field.column == "BIK";
        form->addRow(Shown(field.caption),
                     FieldRow(this, m_form, field, card.Text(field.column), checked));
    }
    for (auto &[column, edit] : m_form.edits)
        connect(edit, &QLineEdit::textChanged, this, [this, column = column](const QString &text) {
            m_card.SetText(column, Typed(text));
            for (auto &[checked, label] : m_form.warnings)
                ShowWarning(label, m_card.Warning(checked));
        });
    for (auto &[checked, label] : m_form.warnings)
        ShowWarning(label, m_card.Warning(checked));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

void BankCardDialog::accept() {
    for (auto &[column, edit] : m_form.edits)
        m_card.SetText(column, Typed(edit->text()));
    std::string message;
    if (!m_card.Save(&message)) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    QDialog::accept();
}

// Runners --------------------------------------------------------------------------------------

bool RunPartyCard(QWidget *parent, refdata::Directory &directory, int id) {
    refdata::PartyCard card(directory, id);
    if (!LoadOrSay(parent, card))
        return false;
    PartyCardDialog dialog(card, directory, parent);
    return DialogSeam::Exec(dialog) == QDialog::Accepted;
}

std::optional<int> RunBankChoice(QWidget *parent, refdata::Directory &directory, int bankId) {
    refdata::BankChoice choice(directory, bankId);
    if (!LoadOrSay(parent, choice))
        return std::nullopt;
    BankChoiceDialog dialog(choice, directory, parent);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return choice.Result();
}

bool RunBankCard(QWidget *parent, refdata::Directory &directory, int id) {
    refdata::BankCard card(directory, id);
    if (!LoadOrSay(parent, card))
        return false;
    BankCardDialog dialog(card, parent);
    return DialogSeam::Exec(dialog) == QDialog::Accepted;
}

} // namespace dravo
