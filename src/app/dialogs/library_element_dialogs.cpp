#include "app/dialogs/library_element_dialogs.h"

#include "app/dialogs/ok_cancel.h"
#include "app/filedlglibrary.h"
#include "app/messagebox.h"
#include "app/roots.h"
#include "core/text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dravo {

QString LibraryText(std::string_view cp1251) {
    return QString::fromStdString(ToUtf8(cp1251));
}

std::string LibraryText(const QString &text) {
    return FromUtf8(text.toStdString());
}

CLibraryElementDialog::CLibraryElementDialog(Mode mode, QWidget *parent) : QDialog(parent) {
    setWindowTitle(mode == NewElement ? QStringLiteral("Новый элемент библиотеки")
                                      : QStringLiteral("Изменение названия и описания"));
    auto *grid = new QGridLayout;
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("name"));
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("description"));
    m_name->setMinimumWidth(320);
    grid->addWidget(new QLabel(QStringLiteral("Название:"), this), 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Описание:"), this), 1, 0);
    grid->addWidget(m_description, 1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    if (mode == NewElement) {
        auto *browse = new QPushButton(QStringLiteral("..."), this);
        browse->setObjectName(QStringLiteral("browse"));
        browse->setFixedWidth(32);
        browse->setAutoDefault(false);
        grid->addWidget(browse, 0, 2);
        connect(browse, &QPushButton::clicked, this, &CLibraryElementDialog::Browse);
        m_template = new QRadioButton(QStringLiteral("Шаблон"), this);
        m_template->setObjectName(QStringLiteral("template"));
        m_template->setChecked(true);
        m_folder = new QRadioButton(QStringLiteral("Папка"), this);
        m_folder->setObjectName(QStringLiteral("folder"));
        m_inside = new QCheckBox(QStringLiteral("Создать внутри текущей папки"), this);
        m_inside->setObjectName(QStringLiteral("inside"));
        m_inside->setChecked(true);
        auto *kinds = new QHBoxLayout;
        kinds->addWidget(m_template);
        kinds->addWidget(m_folder);
        kinds->addStretch();
        layout->addLayout(kinds);
        layout->addWidget(m_inside);
    }
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
}

void CLibraryElementDialog::SetValues(const QString &name, const QString &description) {
    m_name->setText(name);
    m_description->setText(description);
}

QString CLibraryElementDialog::Name() const {
    return m_name->text();
}
QString CLibraryElementDialog::Description() const {
    return m_description->text();
}
bool CLibraryElementDialog::Folder() const {
    return m_folder && m_folder->isChecked();
}
bool CLibraryElementDialog::Inside() const {
    return !m_inside || m_inside->isChecked();
}

void CLibraryElementDialog::accept() {
    if (apply) {
        const library::Outcome outcome = apply();
        if (!outcome.message.empty())
            MessageBox::Information(this, LibraryText(outcome.message));
        if (outcome.nameRefused) {
            m_name->setFocus();
            return;
        }
    }
    QDialog::accept();
}

void CLibraryElementDialog::Browse() {
    QString title, path;
    if (FileDialogLibrary::GetFilename(
            this, 0, Roots::TemplatesRoot() + QStringLiteral("/Templates"), &title, &path))
        m_name->setText(title);
}

CLibraryDeleteDialog::CLibraryDeleteDialog(const QString &question, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("ДРАВО Договор"));
    auto *text = new QLabel(question, this);
    text->setObjectName(QStringLiteral("question"));
    auto *row = new QHBoxLayout;
    const auto button = [&](const QString &caption, const char *name, int result) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        row->addWidget(b);
        return b;
    };
    button(QStringLiteral("Исключить"), "exclude", Exclude)->setDefault(true);
    button(QStringLiteral("Удалить"), "delete", Delete);
    button(QStringLiteral("Отмена"), "cancel", Cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
}

} // namespace dravo
