#include "app/dialogs/setup_data_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/holderdoc.h"
#include "refdata/qt_text.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

namespace {

QDate ToQDate(const Date &date) {
    if (const auto fields = CalendarFromDate(date))
        return QDate(fields->year, fields->month, fields->day);
    return QDate::currentDate();
}

Date FromQDate(const QDate &date) {
    return DateFromCalendar(date.year(), date.month(), date.day());
}

// An up-down button that is not tied to an edit: either arrow swaps the two rows beside it.
QWidget *SwapSpin(const QString &name, QWidget *parent, const std::function<void()> &onClick) {
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (Qt::ArrowType arrow : {Qt::UpArrow, Qt::DownArrow}) {
        auto *button = new QToolButton(box);
        button->setArrowType(arrow);
        button->setAutoRaise(false);
        button->setFixedSize(18, 14);
        button->setToolTip(QStringLiteral("Поменять стороны местами"));
        QObject::connect(button, &QToolButton::clicked, box, onClick);
        layout->addWidget(button);
    }
    return box;
}

// Static text shown in place of a hidden control.
QLabel *Placeholder(std::string_view cp1251Text, const QString &name, QWidget *parent) {
    auto *label = new QLabel(ToQt(cp1251Text), parent);
    label->setObjectName(name);
    return label;
}

} // namespace

SetupDataDialog::SetupDataDialog(CBody &body, SetupDocument &document, Date &date, QWidget *parent)
    : QDialog(parent), m_editor(body, document), m_date(date) {
    setWindowTitle(QStringLiteral("   Установочные данные"));
    const SetupFields fields = m_editor.OpeningFields();

    auto *form = new QGridLayout;
    auto addEdit = [&](int row, const QString &caption, const std::string &value,
                       const QString &name) {
        auto *edit = new QLineEdit(ToQt(value), this);
        edit->setObjectName(name);
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        form->addWidget(label, row, 0);
        form->addWidget(edit, row, 1, 1, 4);
        return edit;
    };
    m_title = addEdit(0, QStringLiteral("&Заголовок"), fields.title, QStringLiteral("title"));
    m_subtitle =
        addEdit(1, QStringLiteral("&Подзаголовок"), fields.subtitle, QStringLiteral("subtitle"));

    m_number = new QLineEdit(ToQt(fields.number), this);
    m_number->setObjectName(QStringLiteral("number"));
    auto *numberLabel = new QLabel(QStringLiteral("&Номер"), this);
    numberLabel->setBuddy(m_number);
    form->addWidget(numberLabel, 2, 0);
    form->addWidget(m_number, 2, 1);

    m_dateShown = new QCheckBox(QStringLiteral("&Дата"), this);
    m_dateShown->setObjectName(QStringLiteral("dateShown"));
    m_datePicker = new QDateEdit(ToQDate(date), this);
    m_datePicker->setObjectName(QStringLiteral("date"));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_datePicker->setMinimumDate(QDate(1900, 1, 1));
    m_dateStack = new QStackedWidget(this);
    m_dateStack->addWidget(m_datePicker);
    m_dateStack->addWidget(Placeholder(SetupDataEditor::kNoDate, QStringLiteral("noDate"), this));
    form->addWidget(m_dateShown, 2, 2);
    form->addWidget(m_dateStack, 2, 3, 1, 2);

    auto *parties = new QGroupBox(QStringLiteral("Наименования сторон"), this);
    auto *grid = new QGridLayout(parties);
    for (int row = 0; row < 3; ++row) {
        m_rowLabels[row] = new QLabel(parties);
        m_rowLabels[row]->setObjectName(QStringLiteral("label%1").arg(row + 1));
        m_rowLabels[row]->setMinimumWidth(110);
        m_names[row] = new QLineEdit(ToQt(fields.names[std::size_t(row)]), parties);
        m_names[row]->setObjectName(QStringLiteral("name%1").arg(row + 1));
        m_rowLabels[row]->setBuddy(m_names[row]);
        grid->addWidget(m_rowLabels[row], row, 0);
    }
    grid->addWidget(m_names[0], 0, 1);
    grid->addWidget(m_names[1], 1, 1);
    m_row3Stack = new QStackedWidget(parties);
    m_row3Stack->addWidget(m_names[2]);
    m_row3Stack->addWidget(
        Placeholder(SetupDataEditor::kNotTakingPart, QStringLiteral("notTakingPart"), parties));
    grid->addWidget(m_row3Stack, 2, 1);
    grid->addWidget(SwapSpin(QStringLiteral("spinUpper"), parties,
                             [this] {
                                 m_editor.SwapUpper();
                                 ShowRowLabels();
                             }),
                    0, 2, 2, 1, Qt::AlignCenter);
    grid->addWidget(SwapSpin(QStringLiteral("spinLower"), parties,
                             [this] {
                                 m_editor.SwapLower();
                                 ShowRowLabels();
                             }),
                    1, 3, 2, 1, Qt::AlignCenter);
    m_thirdParty = new QCheckBox(parties);
    m_thirdParty->setObjectName(QStringLiteral("thirdParty"));
    m_thirdParty->setToolTip(QStringLiteral("Третья сторона участвует в договоре"));
    grid->addWidget(m_thirdParty, 2, 2, Qt::AlignCenter);
    grid->setColumnStretch(1, 1);

    m_splitPreamble = new QCheckBox(QStringLiteral("Разбить \"шапку\" на абзацы"), this);
    m_splitPreamble->setObjectName(QStringLiteral("splitPreamble"));
    m_splitPreamble->setChecked(fields.splitPreamble);

    QDialogButtonBox *buttons = AddOkCancel(*this, QStringLiteral("&ОК"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(parties);
    layout->addWidget(m_splitPreamble);
    layout->addWidget(buttons);

    connect(m_dateShown, &QCheckBox::clicked, this, [this] {
        m_editor.ToggleDate();
        ShowDate();
    });
    connect(m_thirdParty, &QCheckBox::clicked, this, [this] {
        m_editor.ToggleThirdParty();
        ShowThirdParty();
    });
    ShowThirdParty();
    ShowDate();
    ShowRowLabels();
    resize(520, sizeHint().height());
}

void SetupDataDialog::ShowDate() {
    m_dateShown->setChecked(m_editor.DateShown());
    m_dateStack->setCurrentIndex(m_editor.DateShown() ? 0 : 1);
}

void SetupDataDialog::ShowThirdParty() {
    m_thirdParty->setChecked(m_editor.ThirdPartyTakesPart());
    m_row3Stack->setCurrentIndex(m_editor.ThirdPartyTakesPart() ? 0 : 1);
}

void SetupDataDialog::ShowRowLabels() {
    for (int row = 0; row < 3; ++row)
        m_rowLabels[row]->setText(ToQt(m_editor.RowLabel(row + 1)));
}

void SetupDataDialog::accept() {
    if (!FieldsFitCodePage(*this,
                           {m_title, m_subtitle, m_number, m_names[0], m_names[1], m_names[2]}))
        return;
    SetupFields fields;
    fields.title = FromQt(m_title->text());
    fields.subtitle = FromQt(m_subtitle->text());
    fields.number = FromQt(m_number->text());
    for (std::size_t row = 0; row < 3; ++row)
        fields.names[row] = FromQt(m_names[row]->text());
    fields.splitPreamble = m_splitPreamble->isChecked();
    m_editor.Accept(fields);
    m_date = FromQDate(m_datePicker->date());
    QDialog::accept();
}

void SetupDataDialog::reject() {
    m_editor.Cancel();
    QDialog::reject();
}

bool RunSetupDataDialog(QWidget *parent, CHolderDoc &doc) {
    SetupDocument values{doc.m_strNumberText, doc.m_nNumber, doc.m_bDateShown};
    SetupDataDialog dialog(doc.Body(), values, doc.m_date, parent);
    const bool ok = DialogSeam::Exec(dialog) == QDialog::Accepted;
    doc.m_strNumberText = values.numberText;
    doc.m_nNumber = values.number;
    doc.m_bDateShown = values.dateShown;
    return ok;
}

} // namespace dravo
