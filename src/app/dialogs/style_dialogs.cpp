#include "app/dialogs/style_dialogs.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"
#include "app/shell.h"
#include "refdata/qt_text.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

const QStringList &InstalledFonts() {
    if (!Shell().fontFaceList.isEmpty())
        return Shell().fontFaceList;
    static const QStringList fonts = QFontDatabase::families();
    return fonts;
}

namespace {

QComboBox *FontList(const std::string &font, const QString &name, QWidget *parent) {
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->addItems(InstalledFonts());
    combo->setCurrentText(ToQt(font));
    return combo;
}

QSpinBox *Spin(int value, int lo, int hi, const QString &name, QWidget *parent) {
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(lo, hi);
    spin->setValue(value);
    return spin;
}

const char *const kContractRows[] = {
    "Заголовок документа", "Подзаголовок документа", "Строка даты",     "Заголовки статей",
    "Текст пунктов",       "Заголовки реквизитов",   "Текст реквизитов"};
const char *const kJournalRows[] = {
    "Заголовок журнала", "Подзаголовок документа", "Строка даты", nullptr, "Текст таблицы", nullptr,
    "Строка количества"};

QString RowCaption(std::uint16_t k, bool journal) {
    return QString::fromUtf8(journal ? kJournalRows[k] : kContractRows[k]);
}

} // namespace

StyleDialog::StyleDialog(const FormattingStyle &style, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("   Стиль форматирования"));
    auto *name = new QLineEdit(ToQt(style.name), this);
    name->setObjectName(QStringLiteral("name"));
    auto *group = new QGroupBox(QStringLiteral("Основные параметры"), this);
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("Шрифт"), group), 0, 0);
    grid->addWidget(FontList(style.font, QStringLiteral("font"), group), 0, 1);
    grid->addWidget(Spin(style.size, 1, 200, QStringLiteral("size"), group), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ширина"), group), 1, 0);
    grid->addWidget(Spin(int(style.width), 0, 5000, QStringLiteral("width"), group), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("пт"), group), 1, 2);
    auto *layout = new QVBoxLayout(this);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Название стиля"), this));
    nameRow->addWidget(name);
    layout->addLayout(nameRow);
    layout->addWidget(group);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
}

FormattingStyle StyleDialog::Style() const {
    FormattingStyle s;
    s.name = FromQt(findChild<QLineEdit *>(QStringLiteral("name"))->text());
    s.font = FromQt(findChild<QComboBox *>(QStringLiteral("font"))->currentText());
    s.size = std::uint16_t(findChild<QSpinBox *>(QStringLiteral("size"))->value());
    s.width = findChild<QSpinBox *>(QStringLiteral("width"))->value();
    return s;
}

void StyleDialog::accept() {
    if (FieldsFitCodePage(*this, {findChild<QLineEdit *>(QStringLiteral("name")),
                                  findChild<QComboBox *>(QStringLiteral("font"))->lineEdit()}))
        QDialog::accept();
}

StyleListDialog::StyleListDialog(CBody &record, const CBody &document, std::function<void()> store,
                                 QWidget *parent)
    : QDialog(parent), m_editor(record, document), m_store(std::move(store)) {
    setWindowTitle(QStringLiteral("   Стили форматирования"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("styles"));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_editor.Select(row < 0 ? std::nullopt : std::optional<std::size_t>(row));
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    auto *buttons = new QVBoxLayout;
    const auto button = [&](const QString &text, const char *name,
                            void (StyleListDialog::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        connect(b, &QPushButton::clicked, this, slot);
        buttons->addWidget(b);
    };
    button(QStringLiteral("Добавить"), "add", &StyleListDialog::Add);
    button(QStringLiteral("Удалить"), "delete", &StyleListDialog::Delete);
    button(QStringLiteral("Изменить"), "change", &StyleListDialog::Change);
    buttons->addStretch();
    auto *row = new QHBoxLayout;
    row->addWidget(m_list);
    row->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
    Refill();
}

void StyleListDialog::Refill() {
    const auto selection = m_editor.Selection();
    const QSignalBlocker block(m_list);
    m_list->clear();
    for (const std::string &name : m_editor.Names())
        m_list->addItem(ToQt(name));
    m_list->setCurrentRow(selection ? int(*selection) : -1);
}

void StyleListDialog::Add() {
    const std::size_t at = m_editor.BeginAdd();
    StyleDialog dialog(m_editor.StyleAt(at), this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted) {
        m_editor.CancelAdd(at);
        return;
    }
    m_editor.CommitAdd(at, dialog.Style());
    Refill();
    m_store();
}

void StyleListDialog::Change() {
    const auto chosen = m_editor.Chosen();
    if (!chosen)
        return;
    StyleDialog dialog(*chosen, this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    m_editor.Change(dialog.Style());
    Refill();
    m_store();
}

void StyleListDialog::Delete() {
    if (!m_editor.Selection() || !MessageBox::AskYesNo(this, ToQt(DeleteStyleQuestion())))
        return;
    m_editor.Delete();
    Refill();
    m_store();
}

void StyleListDialog::accept() {
    m_chosen = m_editor.Chosen();
    QDialog::accept();
}

FontDialog::FontDialog(CBody &body, bool journal, QWidget *parent)
    : QDialog(parent), m_body(body), m_journal(journal) {
    setWindowTitle(journal ? QStringLiteral("   Шрифты журнала") : QStringLiteral("Шрифт"));
    auto *grid = new QGridLayout;
    int row = 0;
    for (std::uint16_t k : FormatDialogParagraphs(journal)) {
        const FontRow values = ReadFontRow(body.Paragraph(k));
        grid->addWidget(new QLabel(RowCaption(k, journal), this), row, 0);
        grid->addWidget(FontList(values.font, QStringLiteral("font%1").arg(k), this), row, 1);
        grid->addWidget(Spin(values.size, 1, 200, QStringLiteral("size%1").arg(k), this), row, 2);
        auto *style = new QComboBox(this);
        style->setObjectName(QStringLiteral("style%1").arg(k));
        style->addItems({QStringLiteral("Обычный"), QStringLiteral("Курсив"),
                         QStringLiteral("Полужирный"), QStringLiteral("Полужирный курсив")});
        style->setCurrentIndex(values.style);
        grid->addWidget(style, row++, 3);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
}

void FontDialog::accept() {
    for (std::uint16_t k : FormatDialogParagraphs(m_journal)) {
        FontRow row;
        row.font = FromQt(findChild<QComboBox *>(QStringLiteral("font%1").arg(k))->currentText());
        row.size = findChild<QSpinBox *>(QStringLiteral("size%1").arg(k))->value();
        row.style = findChild<QComboBox *>(QStringLiteral("style%1").arg(k))->currentIndex();
        WriteFontRow(row, m_body.Paragraph(k));
    }
    QDialog::accept();
}

ParagraphDialog::ParagraphDialog(CBody &body, bool journal, QWidget *parent)
    : QDialog(parent), m_body(body), m_journal(journal) {
    setWindowTitle(journal ? QStringLiteral("   Абзац") : QStringLiteral("Абзац"));
    auto *grid = new QGridLayout;
    const QStringList heads = {QString(),
                               QStringLiteral("Выравнивание"),
                               QStringLiteral("Отступ\nсверху"),
                               QStringLiteral("Отступ\nслева"),
                               QStringLiteral("Ширина"),
                               QStringLiteral("Отступ первой\nстроки")};
    for (int c = 0; c < heads.size() - (journal ? 1 : 0); ++c)
        grid->addWidget(new QLabel(heads[c], this), 0, c);
    int row = 1;
    for (std::uint16_t k : FormatDialogParagraphs(journal)) {
        const ParagraphRow values = ReadParagraphRow(body.Paragraph(k));
        grid->addWidget(new QLabel(RowCaption(k, journal), this), row, 0);
        auto *align = new QComboBox(this);
        align->setObjectName(QStringLiteral("align%1").arg(k));
        align->addItems({QStringLiteral("По левому краю"), QStringLiteral("По центру"),
                         QStringLiteral("По правому краю"), QStringLiteral("По ширине")});
        align->setCurrentIndex(std::clamp(values.align, 0, 3));
        grid->addWidget(align, row, 1);
        grid->addWidget(Spin(values.topMargin, 0, 65535, QStringLiteral("top%1").arg(k), this), row,
                        2);
        grid->addWidget(Spin(values.leftMargin, 0, 65535, QStringLiteral("left%1").arg(k), this),
                        row, 3);
        grid->addWidget(Spin(values.width, 0, 100000, QStringLiteral("width%1").arg(k), this), row,
                        4);
        if (!journal)
            grid->addWidget(
                Spin(values.firstIndent, -1000, 1000, QStringLiteral("indent%1").arg(k), this), row,
                5);
        ++row;
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
}

void ParagraphDialog::accept() {
    for (std::uint16_t k : FormatDialogParagraphs(m_journal)) {
        const auto value = [&](const char *name) {
            return findChild<QSpinBox *>(QString::fromLatin1(name) + QString::number(k))->value();
        };
        ParagraphRow row;
        row.align = findChild<QComboBox *>(QStringLiteral("align%1").arg(k))->currentIndex();
        row.topMargin = value("top");
        row.leftMargin = value("left");
        row.width = value("width");
        row.firstIndent = m_journal ? 0 : value("indent");
        WriteParagraphRow(row, m_body.Paragraph(k), !m_journal);
    }
    QDialog::accept();
}

} // namespace dravo
