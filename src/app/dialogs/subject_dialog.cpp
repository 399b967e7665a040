#include "app/dialogs/subject_dialog.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/directory_list.h"
#include "app/dialogs/ok_cancel.h"
#include "app/dialogs/party_card_dialog.h"
#include "app/holderdoc.h"
#include "app/messagebox.h"
#include "refdata/document_database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dravo {

namespace {

QLineEdit *RowEdit(QWidget *parent, const QString &name, std::size_t row, bool number, int width) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name + QString::number(row));
    if (number)
        edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(width);
    return edit;
}

QPushButton *Button(QWidget *parent, QBoxLayout *layout, const QString &text, const char *name) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    layout->addWidget(b);
    return b;
}

} // namespace

// SubjectDialog --------------------------------------------------------------------------------

SubjectDialog::SubjectDialog(refdata::SubjectForm &form, refdata::SubjectStore &store,
                             QWidget *parent)
    : QDialog(parent), m_form(form), m_store(store) {
    auto *grid = new QGridLayout;
    const QStringList heads = {QStringLiteral("Наименование"), QString(),
                               QStringLiteral("Кол-во"),       QStringLiteral("Ед.изм."),
                               QStringLiteral("Цена"),         QStringLiteral("Сумма")};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(new QLabel(heads[c], this), 0, c, Qt::AlignCenter);
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        RowEdits &r = m_rows[i];
        const int line = int(i) + 1;
        r.name = RowEdit(this, QStringLiteral("name"), i, false, 260);
        auto *pick = new QPushButton(QStringLiteral("..."), this);
        pick->setObjectName(QStringLiteral("pick%1").arg(i));
        pick->setFixedWidth(28);
        r.quantity = RowEdit(this, QStringLiteral("quantity"), i, true, 80);
        r.unit = RowEdit(this, QStringLiteral("unit"), i, false, 60);
        r.price = RowEdit(this, QStringLiteral("price"), i, true, 100);
        r.amount = RowEdit(this, QStringLiteral("amount"), i, true, 120);
        grid->addWidget(r.name, line, 0);
        grid->addWidget(pick, line, 1);
        grid->addWidget(r.quantity, line, 2);
        grid->addWidget(r.unit, line, 3);
        grid->addWidget(r.price, line, 4);
        grid->addWidget(r.amount, line, 5);
        connect(r.name, &QLineEdit::textEdited, this,
                [this, i](const QString &t) { m_form.SetName(i, Typed(t)); });
        connect(r.unit, &QLineEdit::textEdited, this,
                [this, i](const QString &t) { m_form.SetUnit(i, Typed(t)); });
        connect(r.quantity, &QLineEdit::textEdited, this, [this, i](const QString &t) {
            const std::string message = m_form.EditQuantity(i, Typed(t));
            if (!message.empty())
                m_rows[i].quantity->setText(Shown(m_form.Row(i).quantity));
            m_rows[i].amount->setText(Shown(m_form.Row(i).amount));
            ShowTotal();
            Say(message);
        });
        connect(r.price, &QLineEdit::textEdited, this, [this, i](const QString &t) {
            const std::string message = m_form.EditPrice(i, Typed(t));
            if (!message.empty())
                m_rows[i].price->setText(Shown(m_form.Row(i).price));
            m_rows[i].amount->setText(Shown(m_form.Row(i).amount));
            ShowTotal();
            Say(message);
        });
        connect(r.amount, &QLineEdit::textEdited, this, [this, i](const QString &t) {
            m_form.EditAmount(i, Typed(t));
            ShowTotal();
        });
        connect(pick, &QPushButton::clicked, this, [this, i] { Pick(i); });
    }
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("total"));
    m_total->setReadOnly(true);
    m_total->setAlignment(Qt::AlignRight);
    const int last = int(m_rows.size()) + 1;
    grid->addWidget(new QLabel(QStringLiteral("Всего:"), this), last, 4, Qt::AlignRight);
    grid->addWidget(m_total, last, 5);

    m_setName = new QComboBox(this);
    m_setName->setObjectName(QStringLiteral("setName"));
    m_setName->setEditable(true);
    m_setName->setInsertPolicy(QComboBox::NoInsert);
    m_setName->setMinimumWidth(300);
    m_settlement = new QCheckBox(QStringLiteral("для расчетов"), this);
    m_settlement->setObjectName(QStringLiteral("settlement"));
    m_asTable = new QCheckBox(QStringLiteral("  В виде таблицы в тексте"), this);
    m_asTable->setObjectName(QStringLiteral("asTable"));
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Общее наименование"), this));
    nameRow->addWidget(m_setName, 1);
    nameRow->addWidget(m_settlement);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_asTable);
    buttons->addStretch();
    QPushButton *ok = Button(this, buttons, QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton *cancel = Button(this, buttons, QStringLiteral("Отмена"), "cancel");
    QPushButton *clear = Button(this, buttons, QStringLiteral("Очистить"), "clear");

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        m_form.Clear();
        ShowAll();
    });
    connect(m_setName, &QComboBox::activated, this, [this](int index) {
        std::string message;
        if (!m_form.ChooseSet(Typed(m_setName->itemText(index)), &message))
            Say(message);
        ShowNames();
        ShowAll();
    });
    connect(m_setName->lineEdit(), &QLineEdit::editingFinished, this, &SubjectDialog::EnterName);
    connect(m_settlement, &QCheckBox::toggled, this, [this](bool on) {
        std::string message;
        if (!m_form.SwitchList(on, &message))
            Say(message);
        ShowNames();
        ShowAll();
    });
    connect(m_asTable, &QCheckBox::toggled, this, [this](bool on) { m_form.SetAsTable(on); });

    {
        const QSignalBlocker blocker(m_settlement);
        m_settlement->setChecked(m_form.Settlement());
    }
    ShowNames();
    ShowAll();
}

void SubjectDialog::Say(const std::string &message) {
    if (!message.empty())
        MessageBox::Warning(this, Shown(message));
}

void SubjectDialog::ShowRow(std::size_t i) {
    const refdata::SubjectFormRow &row = m_form.Row(i);
    m_rows[i].name->setText(Shown(row.name));
    m_rows[i].quantity->setText(Shown(row.quantity));
    m_rows[i].unit->setText(Shown(row.unit));
    m_rows[i].price->setText(Shown(row.price));
    m_rows[i].amount->setText(Shown(row.amount));
}

void SubjectDialog::ShowTotal() {
    m_total->setText(Shown(m_form.Total()));
}

void SubjectDialog::ShowAll() {
    setWindowTitle(Shown(m_form.Title()));
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        ShowRow(i);
    ShowTotal();
    const QSignalBlocker blocker(m_asTable);
    m_asTable->setChecked(m_form.AsTable());
}

void SubjectDialog::ShowNames() {
    const QSignalBlocker blocker(m_setName);
    m_setName->clear();
    for (const std::string &name : m_form.SetNames())
        m_setName->addItem(Shown(name));
    const int index = m_setName->findText(Shown(m_form.SetName()));
    m_setName->setCurrentIndex(index);
    m_setName->setEditText(Shown(m_form.SetName()));
}

void SubjectDialog::EnterName() {
    const std::string typed = Typed(m_setName->currentText());
    if (typed == m_form.SetName())
        return;
    std::string message;
    if (!m_form.EnterSetName(typed, &message))
        Say(message);
    ShowNames();
    ShowAll();
}

void SubjectDialog::Pick(std::size_t i) {
    const auto item = RunCatalogue(this, m_store);
    if (!item)
        return;
    m_form.PickItem(i, *item);
    ShowRow(i);
    ShowTotal();
    m_rows[i].quantity->setFocus();
    m_rows[i].quantity->selectAll();
}

void SubjectDialog::accept() {
    EnterName(); // a name typed and not yet left
    std::string message;
    if (!m_form.Accept(&message)) {
        Say(message);
        return;
    }
    QDialog::accept();
}

void SubjectDialog::reject() {
    m_form.Cancel();
    QDialog::reject();
}

// CatalogueDialog ------------------------------------------------------------------------------

CatalogueDialog::CatalogueDialog(refdata::Catalogue &catalogue, refdata::SubjectStore &store,
                                 QWidget *parent)
    : QDialog(parent), m_catalogue(catalogue), m_store(store) {
    setWindowTitle(QStringLiteral("   Выбор имущества"));
    m_list = new DirectoryList(catalogue, this);
    auto *buttons = new QVBoxLayout;
    QPushButton *ok = Button(this, buttons, QStringLiteral("OK"), "ok");
    ok->setDefault(true);
    QPushButton *cancel = Button(this, buttons, QStringLiteral("Отмена"), "cancel");
    buttons->addSpacing(12);
    QPushButton *add = Button(this, buttons, QStringLiteral("Добавить"), "add");
    QPushButton *remove = Button(this, buttons, QStringLiteral("Удалить"), "delete");
    QPushButton *edit = Button(this, buttons, QStringLiteral("Изменить"), "edit");
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(560, 400);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &DirectoryList::activated, this, &QDialog::accept);
    connect(add, &QPushButton::clicked, this, [this] {
        std::string message;
        const auto id = m_catalogue.Add(&message);
        if (!id) {
            MessageBox::Warning(this, Shown(message));
            return;
        }
        if (!RunItemCard(this, m_store, *id))
            m_catalogue.CancelAdded(*id);
        m_catalogue.Refill();
        m_list->ShowSelection();
    });
    connect(edit, &QPushButton::clicked, this, [this] {
        if (m_catalogue.SelectedRow() < 0)
            return;
        RunItemCard(this, m_store, m_catalogue.Selected());
        m_catalogue.Refill();
        m_list->ShowSelection();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (m_catalogue.SelectedRow() < 0 ||
            !MessageBox::AskYesNo(this, Shown(refdata::Catalogue::DeleteQuestion())))
            return;
        std::string message;
        if (!m_catalogue.DeleteSelected(&message))
            MessageBox::Warning(this, Shown(message));
        m_list->ShowSelection();
    });
    m_list->ShowSelection();
    m_list->SearchBox()->setFocus();
}

void CatalogueDialog::accept() {
    std::string message;
    m_chosen = m_catalogue.Chosen(&message);
    if (!m_chosen) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    QDialog::accept();
}

// ItemDialog -----------------------------------------------------------------------------------

ItemDialog::ItemDialog(refdata::ItemCard &card, QWidget *parent)
    : QDialog(parent), m_card(card), m_form(std::make_unique<FormEdits>()) {
    setWindowTitle(QStringLiteral("   Сведения об имуществе"));
    auto *form = new QFormLayout;
    for (const refdata::FormField &field : refdata::ItemCard::Fields()) {
        QLineEdit *edit = AddFieldEdit(this, *m_form, field, card.Text(field.column), false);
        if (field.column == "Price2")
            edit->setAlignment(Qt::AlignRight);
        form->addRow(Shown(field.caption), edit);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

ItemDialog::~ItemDialog() = default;

void ItemDialog::accept() {
    for (auto &[column, edit] : m_form->edits)
        m_card.SetText(column, Typed(edit->text()));
    std::string message;
    if (!m_card.Save(&message)) {
        MessageBox::Warning(this, Shown(message));
        return;
    }
    QDialog::accept();
}

// Runners --------------------------------------------------------------------------------------

bool RunSubjectDialog(QWidget *parent, CHolderDoc &doc, bool settlement) {
    refdata::DocumentDatabase *db = doc.Database();
    if (!db) {
        MessageBox::Warning(parent, QStringLiteral("База данных не открыта"));
        return false;
    }
    refdata::SubjectForm form(db->Subjects(), doc.Body(), settlement);
    std::string message;
    if (!form.Open(&message)) {
        MessageBox::Warning(parent, Shown(message));
        return false;
    }
    SubjectDialog dialog(form, db->Subjects(), parent);
    return DialogSeam::Exec(dialog) == QDialog::Accepted;
}

std::optional<refdata::CatalogueItem> RunCatalogue(QWidget *parent, refdata::SubjectStore &store) {
    refdata::Catalogue catalogue(store);
    if (!LoadOrSay(parent, catalogue))
        return std::nullopt;
    CatalogueDialog dialog(catalogue, store, parent);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Chosen();
}

bool RunItemCard(QWidget *parent, refdata::SubjectStore &store, int id) {
    refdata::ItemCard card(store, id);
    if (!LoadOrSay(parent, card))
        return false;
    ItemDialog dialog(card, parent);
    return DialogSeam::Exec(dialog) == QDialog::Accepted;
}

} // namespace dravo
