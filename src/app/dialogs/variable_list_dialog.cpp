#include "app/dialogs/variable_list_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"
#include "refdata/qt_text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

VariableItemDialog::VariableItemDialog(const vardata::ItemFields &fields, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Описание изменяемых данных"));
    m_word = new QLineEdit(ToQt(fields.word), this);
    m_word->setObjectName(QStringLiteral("word"));
    m_word->setMinimumWidth(320);
    m_hint = new QLineEdit(ToQt(fields.hint), this);
    m_hint->setObjectName(QStringLiteral("hint"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Команда подстановки"), m_word);
    form->addRow(QStringLiteral("Подсказка"), m_hint);

    static const char *const kCaptions[vardata::kVariableKindCount] = {
        "Обычный ввод данных", "Календарь", "Список ", "Калькулятор"};
    auto *kinds = new QGroupBox(this);
    auto *kindLayout = new QVBoxLayout(kinds);
    for (int k = 0; k < vardata::kVariableKindCount; ++k) {
        m_kinds[k] = new QRadioButton(QString::fromUtf8(kCaptions[k]), kinds);
        m_kinds[k]->setObjectName(QStringLiteral("kind%1").arg(k));
        kindLayout->addWidget(m_kinds[k]);
    }
    m_kinds[fields.kind >= 0 && fields.kind < vardata::kVariableKindCount ? fields.kind : 0]
        ->setChecked(true);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(kinds);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

vardata::ItemFields VariableItemDialog::Fields() const {
    vardata::ItemFields fields{FromQt(m_word->text()), FromQt(m_hint->text()), 0};
    for (int k = 0; k < vardata::kVariableKindCount; ++k)
        if (m_kinds[k]->isChecked())
            fields.kind = k;
    return fields;
}

VariableListDialog::VariableListDialog(CBody &body, QWidget *parent)
    : QDialog(parent), m_list(body) {
    setWindowTitle(QStringLiteral("Команды подстановки данных"));
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_lines->setMinimumSize(260, 220);
    auto *add = new QPushButton(QStringLiteral("Добавить"), this);
    add->setObjectName(QStringLiteral("add"));
    m_delete = new QPushButton(QStringLiteral("Удалить"), this);
    m_delete->setObjectName(QStringLiteral("delete"));
    m_change = new QPushButton(QStringLiteral("Изменить"), this);
    m_change->setObjectName(QStringLiteral("change"));
    QDialogButtonBox *okCancel = AddOkCancel(*this, QStringLiteral("OK"));
    okCancel->setOrientation(Qt::Vertical);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okCancel);
    buttons->addSpacing(12);
    buttons->addWidget(add);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_change);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_lines);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &VariableListDialog::Add);
    connect(m_delete, &QPushButton::clicked, this, &VariableListDialog::Delete);
    connect(m_change, &QPushButton::clicked, this, &VariableListDialog::Change);
    connect(m_lines, &QListWidget::itemDoubleClicked, this, &VariableListDialog::Change);
    connect(m_lines, &QListWidget::currentRowChanged, this,
            [this](int row) { m_list.Select(row); });
    Refill();
}

void VariableListDialog::Refill() {
    const QSignalBlocker block(m_lines);
    m_lines->clear();
    for (const std::string &line : m_list.Lines())
        m_lines->addItem(ToQt(line));
    m_lines->setCurrentRow(m_list.Selection());
    m_delete->setEnabled(m_list.CanEdit());
    m_change->setEnabled(m_list.CanEdit());
}

std::optional<vardata::ItemFields> VariableListDialog::EditItem(const vardata::ItemFields &initial,
                                                                bool) {
    VariableItemDialog dialog(initial, this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Fields();
}

void VariableListDialog::Add() {
    const auto outcome = m_list.Add(
        [this](const vardata::ItemFields &f, bool isNew) { return EditItem(f, isNew); },
        [this](std::string_view message) { MessageBox::Information(this, ToQt(message)); });
    if (outcome == vardata::VariableList::Outcome::Done)
        Refill();
}

void VariableListDialog::Change() {
    if (m_list.Change([this](const vardata::ItemFields &f, bool isNew) {
            return EditItem(f, isNew);
        }) == vardata::VariableList::Outcome::Done)
        Refill();
}

void VariableListDialog::Delete() {
    if (m_list.Delete([this](std::string_view question) {
            return MessageBox::AskYesNo(this, ToQt(question));
        }) == vardata::VariableList::Outcome::Done)
        Refill();
}

bool RunVariableListDialog(QWidget *parent, CBody &body, bool &modified) {
    VariableListDialog dialog(body, parent);
    const bool ok = DialogSeam::Exec(dialog) == QDialog::Accepted;
    modified = dialog.Modified();
    return ok;
}

} // namespace dravo
