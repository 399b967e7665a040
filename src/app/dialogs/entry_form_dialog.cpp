#include "app/dialogs/entry_form_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/input_aid_dialogs.h"
#include "app/dialogs/variable_list_dialog.h"
#include "refdata/qt_text.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace dravo {

using refdata::FromQt;
using refdata::ToQt;

namespace {

QRect ToQRect(const vardata::Rect &r) {
    return QRect(r.x, r.y, r.width, r.height);
}

QFont VerdanaFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    return font;
}

// The dialog font, "Verdana" 8 points, decides between the two scales.
bool MeasureLargeFonts() {
    QFont font = VerdanaFont();
    font.setPointSize(8);
    return vardata::LargeFonts(QFontMetrics(font).height());
}

QFrame *Box(QWidget *parent, const vardata::Rect &r, QFrame::Shape shape, QFrame::Shadow shadow) {
    auto *frame = new QFrame(parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(shadow);
    frame->setGeometry(ToQRect(r));
    return frame;
}

} // namespace

EntryFormDialog::EntryFormDialog(CBody &body, CBody &lists, int &rememberedRow, QWidget *parent)
    : QDialog(parent), m_body(body), m_lists(lists),
      m_form(body, rememberedRow, MeasureLargeFonts()) {
    setWindowTitle(ToQt(vardata::kFormCaption));
    const vardata::FormGeometry &g = m_form.Geometry();
    QFont controlFont = VerdanaFont();
    controlFont.setPixelSize(g.fontHeight);
    controlFont.setWeight(QFont::Normal);

    // Every control stands where the geometry puts it, on a canvas of the client's size. A form
    // taller than the screen scrolls instead of running off it.
    auto *canvas = new QWidget;
    canvas->setFixedSize(g.clientWidth, g.clientHeight);
    canvas->setFont(controlFont);
    Box(canvas, g.frame, QFrame::Panel, QFrame::Sunken);

    const auto addButton = [&](const QString &caption, const char *name, const vardata::Rect &r) {
        auto *button = new QPushButton(caption, canvas);
        button->setObjectName(QLatin1String(name));
        button->setGeometry(ToQRect(r));
        return button;
    };
    QPushButton *ok = addButton(QStringLiteral("OK"), "ok", g.ok);
    ok->setDefault(true);
    QPushButton *cancel = addButton(QStringLiteral("Отмена"), "cancel", g.cancel);
    QPushButton *define = addButton(QStringLiteral("Определить"), "define", g.define);
    QPushButton *clear = addButton(QStringLiteral("Очистить"), "clear", g.clear);
    connect(ok, &QPushButton::clicked, this, &EntryFormDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &EntryFormDialog::reject);
    connect(define, &QPushButton::clicked, this, &EntryFormDialog::Define);
    connect(clear, &QPushButton::clicked, this, &EntryFormDialog::Clear);

    m_fields.assign(m_form.Rows().size(), nullptr);
    for (std::size_t k = 0; k < m_form.Rows().size(); ++k) {
        const vardata::FormRow &row = m_form.Rows()[k];
        const vardata::RowGeometry place = m_form.RowPlace(k);
        if (row.kind == vardata::RowKind::Separator) {
            Box(canvas, place.line, QFrame::HLine, QFrame::Sunken);
            continue;
        }
        Box(canvas, place.border, QFrame::Box, QFrame::Plain);
        Box(canvas, place.sunken, QFrame::Panel, QFrame::Sunken);
        auto *label = new QLabel(ToQt(row.hint), canvas);
        label->setObjectName(QStringLiteral("label%1").arg(k));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // The label box is shorter than the field; the text keeps the field's middle line.
        QRect labelRect = ToQRect(place.label);
        labelRect.setHeight(place.field.height);
        label->setGeometry(labelRect);
        auto *field = new QLineEdit(ToQt(row.value), canvas);
        field->setObjectName(QStringLiteral("field%1").arg(k));
        field->setFrame(false);
        field->setGeometry(ToQRect(place.field));
        field->setCursorPosition(0);
        field->installEventFilter(this);
        m_fields[k] = field;
        if (row.kind == vardata::RowKind::WithAid) {
            auto *aid = new QPushButton(QStringLiteral("..."), canvas);
            aid->setObjectName(QStringLiteral("aid%1").arg(k));
            aid->setAutoDefault(false);
            aid->setGeometry(ToQRect(place.button));
            connect(aid, &QPushButton::clicked, this, [this, k] { PressAid(k); });
        }
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().height() - 80 : g.clientHeight;
    if (g.clientHeight <= room) {
        layout->addWidget(canvas);
        setFixedSize(g.clientWidth, g.clientHeight);
    } else {
        auto *scroll = new QScrollArea(this);
        scroll->setObjectName(QStringLiteral("scroll"));
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(canvas);
        layout->addWidget(scroll);
        setFixedSize(g.clientWidth + scroll->verticalScrollBar()->sizeHint().width(), room);
    }
}

void EntryFormDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // Centred on the middle of the parent's right and bottom coordinates.
    if (QWidget *owner = parentWidget()) {
        const QRect r = owner->window()->geometry();
        move(r.left() + r.width() / 2 - width() / 2, r.top() + r.height() / 2 - height() / 2);
    }
    FocusField(m_form.FocusRow());
}

void EntryFormDialog::FocusField(int row) {
    if (row >= 0 && std::size_t(row) < m_fields.size() && m_fields[std::size_t(row)])
        m_fields[std::size_t(row)]->setFocus();
}

bool EntryFormDialog::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn)
        for (std::size_t k = 0; k < m_fields.size(); ++k)
            if (m_fields[k] == watched)
                m_form.FieldFocused(int(k));
    return QDialog::eventFilter(watched, event);
}

std::vector<std::string> EntryFormDialog::FieldTexts() const {
    std::vector<std::string> texts(m_fields.size());
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        if (m_fields[k])
            texts[k] = FromQt(m_fields[k]->text());
    return texts;
}

void EntryFormDialog::accept() {
    m_form.Accept(FieldTexts());
    QDialog::accept();
}

void EntryFormDialog::Clear() {
    const std::vector<std::string> empty = m_form.Clear();
    for (std::size_t k = 0; k < m_fields.size(); ++k)
        if (m_fields[k])
            m_fields[k]->setText(ToQt(empty[k]));
    FocusField(m_form.FocusRow());
}

void EntryFormDialog::Define() {
    m_form.StoreFields(FieldTexts());
    bool modified = false;
    const bool ok = RunVariableListDialog(this, m_body, modified);
    m_listChanged = m_listChanged || modified;
    // The rows must match the items again once the list changed, even when the list dialog
    // was left with "Отмена".
    if (ok || modified)
        done(Reopen);
}

void EntryFormDialog::PressAid(std::size_t row) {
    vardata::InputAids aids;
    aids.date = [this](const std::string &value,
                       int form) -> std::optional<std::pair<std::string, int>> {
        DateInputDialog dialog(value, form, this);
        if (DialogSeam::Exec(dialog) != QDialog::Accepted)
            return std::nullopt;
        return std::make_pair(dialog.Text(), dialog.Form());
    };
    aids.list = [this](const std::string &value, const std::string &word) {
        ValueListDialog dialog(m_lists, value, word, this);
        DialogSeam::Exec(dialog);
        return dialog.Choice();
    };
    aids.number = [this](const std::string &value) -> std::optional<std::string> {
        NumberInputDialog dialog(value, this);
        if (DialogSeam::Exec(dialog) != QDialog::Accepted)
            return std::nullopt;
        return dialog.Text();
    };
    std::string shown;
    const std::string text = m_fields[row] ? FromQt(m_fields[row]->text()) : std::string();
    const auto outcome = m_form.PressAid(row, text, aids, shown);
    if (outcome == vardata::EntryForm::AidOutcome::Reopen) {
        done(Reopen);
        return;
    }
    if (m_fields[row]) {
        m_fields[row]->setText(ToQt(shown));
        m_fields[row]->setCursorPosition(0);
    }
    FocusField(int(row));
}

bool RunVariableDataForm(QWidget *parent, CBody &body, CBody &lists) {
    int rememberedRow = 0;
    bool changed = false;
    for (;;) {
        EntryFormDialog form(body, lists, rememberedRow, parent);
        const int result = DialogSeam::Exec(form);
        changed = changed || form.Changed() || result == QDialog::Accepted;
        if (result != EntryFormDialog::Reopen)
            return changed;
    }
}

} // namespace dravo
