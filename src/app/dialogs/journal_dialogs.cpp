#include "app/dialogs/journal_dialogs.h"

#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"
#include "refdata/journal.h"
#include "refdata/qt_text.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravo {

using namespace dravo::literals;
using refdata::FromQt;
using refdata::ToQt;

namespace {

QDate Shown(const Date &date) {
    const QDate d = refdata::ToQDate(date);
    return d.isValid() ? d : QDate::currentDate();
}

QDateEdit *DatePicker(const Date &date, const QString &name, QWidget *parent) {
    auto *edit = new QDateEdit(Shown(date), parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return edit;
}

constexpr std::array<std::string_view, kJournalColumnCount> kDefaultCaptions = {
    "Название документа"_w, "Контрагент"_w,     "Предмет договора"_w,   "Цена договора"_w,
    "Срок для контроля"_w,  "Форма расчетов"_w, "Деб. задолженность"_w, "Кред. задолженность"_w,
    "Ответственный"_w,      "Отметки"_w};

} // namespace

std::array<std::string, kJournalColumnCount>
CardCaptions(const textgen::JournalSettings &settings) {
    std::array<std::string, kJournalColumnCount> out;
    for (std::size_t i = 0; i < kJournalColumnCount; ++i)
        out[i] = settings.columns[i].caption.empty() ? std::string(kDefaultCaptions[i])
                                                     : settings.columns[i].caption;
    return out;
}

RegistrationCardDialog::RegistrationCardDialog(
    const textgen::CardFields &f, bool existing,
    const std::array<std::string, kJournalColumnCount> &captions, QWidget *parent)
    : QDialog(parent) {
    setWindowTitle(existing ? QStringLiteral("   Карточка документа")
                            : QStringLiteral("   Регистрация документа"));
    auto *grid = new QGridLayout;
    int row = 0;
    const auto addEdit = [&](const QString &label, const std::string &value, const char *name,
                             bool right = false) {
        auto *edit = new QLineEdit(ToQt(value), this);
        edit->setObjectName(QLatin1String(name));
        if (right)
            edit->setAlignment(Qt::AlignRight);
        auto *caption = new QLabel(label, this);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0);
        grid->addWidget(edit, row++, 1);
    };
    const auto addDate = [&](const QString &label, QDateEdit *edit) {
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(edit, row++, 1, Qt::AlignLeft);
    };
    const auto caption = [&](std::size_t i) { return ToQt(captions[i]); };
    addEdit(QStringLiteral("Номер"), f.number, "NumberS");
    m_date = DatePicker(f.date, QStringLiteral("Date"), this);
    addDate(QStringLiteral("Дата"), m_date);
    addEdit(caption(ColName), f.name, "Name");
    addEdit(caption(ColKontragent), f.kontragent, "Kontragent");
    addEdit(QStringLiteral("Статус контрагента"), f.status, "Status");
    addEdit(caption(ColPredmet), f.predmet, "Predmet");
    addEdit(caption(ColPrice), f.price, "Price", true);
    m_dateControl = DatePicker(f.dateControl, QStringLiteral("Date_contr"), this);
    addDate(caption(ColDateContr), m_dateControl);
    addEdit(caption(ColFormRasch), f.formRasch, "Form_rasch");
    addEdit(caption(ColDeb), f.deb, "Deb", true);
    addEdit(caption(ColCred), f.cred, "Cred", true);
    addEdit(caption(ColOtv), f.otv, "Otv");
    addEdit(caption(ColNF), f.nf, "NF");
    grid->setColumnMinimumWidth(1, 380);

    QDialogButtonBox *buttons = AddOkCancel(*this, QStringLiteral("ОК"));
    if (existing) {
        const auto addButton = [&](const QString &text, const char *name, Outcome outcome) {
            QPushButton *button = buttons->addButton(text, QDialogButtonBox::ActionRole);
            button->setObjectName(QLatin1String(name));
            connect(button, &QPushButton::clicked, this, [this, outcome] {
                m_outcome = outcome;
                done(QDialog::Rejected);
            });
        };
        addButton(QStringLiteral("Текст"), "text", OpenText);
        addButton(QStringLiteral("Удалить"), "delete", DeleteRecord);
        addButton(QStringLiteral("Открыть как шаблон"), "asTemplate", OpenAsTemplate);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

QLineEdit *RegistrationCardDialog::Edit(const char *name) const {
    return findChild<QLineEdit *>(QLatin1String(name));
}

textgen::CardFields RegistrationCardDialog::Fields() const {
    textgen::CardFields f;
    const auto text = [&](const char *name) { return FromQt(Edit(name)->text()); };
    f.number = text("NumberS");
    f.date = refdata::FromQDate(m_date->date());
    f.name = text("Name");
    f.kontragent = text("Kontragent");
    f.status = text("Status");
    f.predmet = text("Predmet");
    f.price = text("Price");
    f.dateControl = refdata::FromQDate(m_dateControl->date());
    f.formRasch = text("Form_rasch");
    f.deb = text("Deb");
    f.cred = text("Cred");
    f.otv = text("Otv");
    f.nf = text("NF");
    return f;
}

void RegistrationCardDialog::accept() {
    // A character the code page lacks would be stored as "?" without a word.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        if (!FieldsFitCodePage(*this, {edit}))
            return;
    const std::string problem = textgen::CardProblem(Fields());
    if (!problem.empty()) {
        MessageBox::Information(this, ToQt(problem));
        return;
    }
    m_outcome = Stored;
    QDialog::accept();
}

JournalSettingsDialog::JournalSettingsDialog(const textgen::JournalSettings &s, QWidget *parent)
    : QDialog(parent), m_settings(s) {
    setWindowTitle(QStringLiteral("   Параметы журнала"));
    auto *head = new QGridLayout;
    const auto line = [&](int row, const QString &label, const std::string &value,
                          const char *name) {
        auto *edit = new QLineEdit(ToQt(value), this);
        edit->setObjectName(QLatin1String(name));
        head->addWidget(new QLabel(label, this), row, 0);
        head->addWidget(edit, row, 1, 1, 3);
        return edit;
    };
    m_title = line(0, QStringLiteral("Заголовок"), s.title, "title");
    m_subtitle = line(1, QStringLiteral("Подзаголовок"), s.subtitle, "subtitle");
    m_from = DatePicker(s.from, QStringLiteral("from"), this);
    m_to = DatePicker(s.to, QStringLiteral("to"), this);
    head->addWidget(new QLabel(QStringLiteral("Период с"), this), 2, 0);
    head->addWidget(m_from, 2, 1);
    head->addWidget(new QLabel(QStringLiteral("по"), this), 2, 2, Qt::AlignRight);
    head->addWidget(m_to, 2, 3);

    auto *filters = new QGroupBox(QStringLiteral("Фильтр"), this);
    auto *filterGrid = new QGridLayout(filters);
    const std::pair<std::size_t, const char *> filterRows[] = {{ColName, "Вид документа"},
                                                               {ColKontragent, "Контрагент"},
                                                               {ColPredmet, "Предмет"},
                                                               {ColOtv, "Ответственный"},
                                                               {ColNF, "Отметки"}};
    int row = 0;
    for (const auto &[column, label] : filterRows) {
        auto *edit = new QLineEdit(ToQt(s.columns[column].filter), filters);
        edit->setObjectName(QStringLiteral("filter%1").arg(column));
        m_filters[column] = edit;
        filterGrid->addWidget(new QLabel(QString::fromUtf8(label), filters), row, 0);
        filterGrid->addWidget(edit, row++, 1);
    }

    auto *columns = new QGroupBox(QStringLiteral("Столбцы"), this);
    auto *columnGrid = new QGridLayout(columns);
    for (std::size_t i = 0; i < kJournalColumnCount; ++i) {
        m_shown[i] = new QCheckBox(columns);
        m_shown[i]->setObjectName(QStringLiteral("shown%1").arg(i));
        m_shown[i]->setChecked(s.columns[i].shown);
        m_captions[i] = new QLineEdit(ToQt(s.columns[i].caption), columns);
        m_captions[i]->setObjectName(QStringLiteral("caption%1").arg(i));
        columnGrid->addWidget(m_shown[i], int(i % 5), int(i / 5) * 2);
        columnGrid->addWidget(m_captions[i], int(i % 5), int(i / 5) * 2 + 1);
    }
    m_count = new QCheckBox(QStringLiteral("Показывать количество документов"), this);
    m_count->setObjectName(QStringLiteral("count"));
    m_count->setChecked(s.showCount);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(filters);
    layout->addWidget(columns);
    layout->addWidget(m_count);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("ОК")));
}

void JournalSettingsDialog::accept() {
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        if (!FieldsFitCodePage(*this, {edit}))
            return;
    QDialog::accept();
}

textgen::JournalSettings JournalSettingsDialog::Settings() const {
    textgen::JournalSettings s = m_settings;
    s.title = FromQt(m_title->text());
    s.subtitle = FromQt(m_subtitle->text());
    s.from = refdata::FromQDate(m_from->date());
    s.to = refdata::FromQDate(m_to->date());
    s.showCount = m_count->isChecked();
    for (std::size_t i = 0; i < kJournalColumnCount; ++i) {
        s.columns[i].caption = FromQt(m_captions[i]->text());
        s.columns[i].shown = m_shown[i]->isChecked();
        if (m_filters[i])
            s.columns[i].filter = FromQt(m_filters[i]->text());
    }
    return s;
}

} // namespace dravo
