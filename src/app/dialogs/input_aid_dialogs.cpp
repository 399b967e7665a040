#include "app/dialogs/input_aid_dialogs.h"

#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"
#include "refdata/qt_text.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

// "Ввод даты" ---------------------------------------------------------------------------------

DateInputDialog::DateInputDialog(const std::string &itemText, int form, QWidget *parent)
    : QDialog(parent), m_input(itemText, form) {
    setWindowTitle(QStringLiteral("Ввод даты"));
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("calendar"));
    m_calendar->setGridVisible(true);
    m_calendar->setLocale(QLocale(QLocale::Russian, QLocale::Russia));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setMinimumDate(QDate(1900, 1, 1));
    m_calendar->setMaximumDate(QDate(9999, 12, 31));
    if (const auto fields = CalendarFromDate(m_input.date()))
        m_calendar->setSelectedDate(QDate(fields->year, fields->month, fields->day));
    connect(m_calendar, &QCalendarWidget::selectionChanged, this, [this] {
        const QDate d = m_calendar->selectedDate();
        m_input.SetDate(DateFromCalendar(d.year(), d.month(), d.day()));
    });

    auto *shortForm = new QRadioButton(QStringLiteral("Короткая"), this);
    shortForm->setObjectName(QStringLiteral("short"));
    auto *longForm = new QRadioButton(QStringLiteral("Длинная"), this);
    longForm->setObjectName(QStringLiteral("long"));
    (m_input.form() == DateFormShort ? shortForm : longForm)->setChecked(true);
    connect(shortForm, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_input.SetForm(DateFormShort);
    });
    connect(longForm, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_input.SetForm(DateFormLong);
    });

    auto *forms = new QHBoxLayout;
    forms->addWidget(shortForm);
    forms->addWidget(longForm);
    forms->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    layout->addLayout(forms);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

// "Список" ------------------------------------------------------------------------------------

ValueListDialog::ValueListDialog(CBody &lists, const std::string &value, const std::string &word,
                                 QWidget *parent)
    : QDialog(parent), m_chooser(lists, value, word) {
    setWindowTitle(QStringLiteral("Список"));
    m_lines = new QListWidget(this);
    m_lines->setObjectName(QStringLiteral("lines"));
    m_lines->setMinimumSize(360, 200);
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("info"));
    m_info->setWordWrap(true);
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setMinimumHeight(48);
    m_info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont infoFont;
    infoFont.setFamilies({QStringLiteral("Times New Roman Cyr"), QStringLiteral("Times New Roman"),
                          QStringLiteral("Liberation Serif")});
    infoFont.setPixelSize(16);
    m_info->setFont(infoFont);

    QDialogButtonBox *okCancel = AddOkCancel(*this, QStringLiteral("OK"));
    okCancel->setOrientation(Qt::Vertical);
    m_delete = new QPushButton(QStringLiteral("Удалить"), this);
    m_delete->setObjectName(QStringLiteral("delete"));
    auto *destroy = new QPushButton(QStringLiteral("Очистить"), this);
    destroy->setObjectName(QStringLiteral("destroy"));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okCancel);
    buttons->addSpacing(12);
    buttons->addWidget(m_delete);
    buttons->addWidget(destroy);
    buttons->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(m_lines);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_info);

    connect(m_lines, &QListWidget::currentRowChanged, this, [this](int row) {
        m_chooser.Select(row);
        ShowSelection();
    });
    connect(m_lines, &QListWidget::itemDoubleClicked, this, &ValueListDialog::accept);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        if (m_chooser.Delete(
                [this](std::string_view q) { return MessageBox::AskYesNo(this, ToQt(q)); }))
            Refill();
    });
    connect(destroy, &QPushButton::clicked, this, [this] {
        if (m_chooser.Destroy(
                [this](std::string_view q) { return MessageBox::AskYesNo(this, ToQt(q)); }))
            accept();
    });
    Refill();
}

void ValueListDialog::Refill() {
    const QSignalBlocker block(m_lines);
    m_lines->clear();
    for (const std::string &line : m_chooser.Lines())
        m_lines->addItem(ToQt(line));
    m_lines->setCurrentRow(m_chooser.Selection());
    ShowSelection();
}

void ValueListDialog::ShowSelection() {
    m_info->setText(ToQt(m_chooser.InfoText()));
    m_delete->setEnabled(m_chooser.CanDelete());
}

void ValueListDialog::accept() {
    m_choice = m_chooser.Accept();
    if (!m_choice.destroyed && !m_choice.chosen)
        reject(); // OK with nothing selected acts as "Отмена"
    else
        QDialog::accept();
}

// "Ввод числа" --------------------------------------------------------------------------------

NumberInputDialog::NumberInputDialog(const std::string &value, QWidget *parent)
    : QDialog(parent), m_keypad(value) {
    setWindowTitle(QStringLiteral("Ввод числа"));
    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("display"));
    m_display->setReadOnly(true);
    m_display->setAlignment(Qt::AlignRight);
    m_display->installEventFilter(this);
    QFont displayFont = m_display->font();
    displayFont.setPixelSize(16);
    m_display->setFont(displayFont);
    m_digits = new QLabel(this);
    m_digits->setObjectName(QStringLiteral("digits"));

    // The digit and operator buttons in "Tahoma", 14 pixels, bold.
    QFont keyFont;
    keyFont.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")});
    keyFont.setPixelSize(14);
    keyFont.setWeight(QFont::ExtraBold);
    static const char *const kRows[5][5] = {
        {"C", "CE", "BS", "(", ")"},   {"7", "8", "9", "/", nullptr}, {"4", "5", "6", "*", nullptr},
        {"1", "2", "3", "-", nullptr}, {"0", "000", ",", "+", "="},
    };
    auto *keys = new QGridLayout;
    keys->setSpacing(4);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            if (!kRows[r][c])
                continue;
            const QString caption = QString::fromLatin1(kRows[r][c]);
            auto *key = new QPushButton(caption, this);
            key->setObjectName(QStringLiteral("key ") + caption);
            key->setFocusPolicy(Qt::NoFocus);
            key->setAutoDefault(false);
            key->setFixedSize(48, 36);
            if (r > 0)
                key->setFont(keyFont);
            connect(key, &QPushButton::clicked, this, [this, caption] { Press(caption); });
            keys->addWidget(key, r, c);
        }

    QDialogButtonBox *buttons = AddOkCancel(*this, QStringLiteral("OK"));
    m_ok = buttons->findChild<QPushButton *>(QStringLiteral("ok"));
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(QStringLiteral("Количество цифр в числе:"), this));
    count->addWidget(m_digits);
    count->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_display);
    layout->addLayout(count);
    layout->addLayout(keys);
    layout->addWidget(buttons);
    Show();
}

void NumberInputDialog::Press(const QString &button) {
    m_keypad.Press(button.toStdString());
    Show();
}

void NumberInputDialog::Show() {
    m_display->setText(ToQt(m_keypad.text()));
    m_digits->setText(QString::number(m_keypad.DigitCount()));
}

bool NumberInputDialog::eventFilter(QObject *watched, QEvent *event) {
    // The text changes only through the keypad: the field hands its focus to "OK".
    if (watched == m_display && event->type() == QEvent::FocusIn && m_ok) {
        m_ok->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void NumberInputDialog::accept() {
    m_result = m_keypad.Accept();
    QDialog::accept();
}

} // namespace dravo
