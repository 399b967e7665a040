#include "app/dialogs/network_dialogs.h"

#include "app/dialogs/dialog_seam.h"
#include "app/dialogs/ok_cancel.h"
#include "app/messagebox.h"
#include "app/printing.h"
#include "app/settings.h"
#include "app/sharing.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace dravo {

// Dialog 305 -----------------------------------------------------------------------------------

ComputersDialog::ComputersDialog(const QStringList &computers, const QString &currentComputer,
                                 bool currentLocal, QWidget *parent)
    : QDialog(parent), m_choice(computers, currentComputer, currentLocal) {
    setWindowTitle(QStringLiteral("Компьютеры в локальной сети c Dravo Document"));

    // The explanation lies behind the list and shows when the list is hidden.
    m_stack = new QStackedWidget(this);
    m_list = new QListWidget(m_stack);
    m_list->setObjectName(QStringLiteral("computers"));
    m_list->addItems(computers);
    auto *explanation = new QLabel(NoComputersText(), m_stack);
    explanation->setObjectName(QStringLiteral("explanation"));
    explanation->setTextFormat(Qt::PlainText);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stack->addWidget(m_list);
    m_stack->addWidget(explanation);
    m_stack->setMinimumHeight(explanation->sizeHint().height());

    m_useLocal = new QCheckBox(QStringLiteral("Использовать данные этого компьютера"), this);
    m_useLocal->setObjectName(QStringLiteral("useLocal"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_useLocal);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_bShowing || row < 0)
            return;
        m_choice.Select(row);
        Show();
    });
    connect(m_list, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        m_choice.Select(m_list->row(item));
        Show();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        m_choice.Select(m_list->row(item));
        Show();
        accept();
    });
    connect(m_useLocal, &QCheckBox::toggled, this, [this](bool on) {
        if (m_bShowing)
            return;
        m_choice.SetUseLocal(on);
        Show();
    });
    Show();
}

void ComputersDialog::Show() {
    m_bShowing = true;
    m_stack->setCurrentIndex(m_choice.ListShown() ? 0 : 1);
    m_useLocal->setChecked(m_choice.UseLocal());
    m_list->setCurrentRow(m_choice.Selected(), QItemSelectionModel::ClearAndSelect);
    if (m_choice.Selected() < 0)
        m_list->clearSelection();
    m_bShowing = false;
}

// The database server ----------------------------------------------------------------------------

DatabaseServerDialog::DatabaseServerDialog(const QString &url, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Сервер баз данных"));
    const DatabaseServerFields fields = ParseDatabaseServer(url);
    const auto field = [this](const char *name, const QString &text) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        return edit;
    };
    m_host = field("host", fields.host);
    m_port = field("port", fields.port);
    m_database = field("database", fields.database);
    m_user = field("user", fields.user);
    m_host->setMinimumWidth(240);
    m_user->setPlaceholderText(QStringLiteral("имя пользователя системы"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Сервер:"), m_host);
    form->addRow(QStringLiteral("Порт:"), m_port);
    form->addRow(QStringLiteral("База данных:"), m_database);
    form->addRow(QStringLiteral("Пользователь:"), m_user);
    auto *password = new QLabel(QStringLiteral("Пароль берётся из файла ~/.pgpass или переменной "
                                               "окружения PGPASSWORD."),
                                this);
    password->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(password);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));
}

void DatabaseServerDialog::accept() {
    DatabaseServerFields fields;
    fields.host = m_host->text();
    fields.port = m_port->text();
    fields.database = m_database->text();
    fields.user = m_user->text();
    QString error;
    ServerField wrong = ServerField::None;
    const QString url = BuildDatabaseServer(fields, &error, &wrong);
    if (url.isEmpty()) {
        MessageBox::Warning(this, error);
        // The field the message is about takes the focus.
        (wrong == ServerField::Host   ? m_host
         : wrong == ServerField::Port ? m_port
                                      : m_database)
            ->setFocus();
        return;
    }
    m_url = url;
    QDialog::accept();
}

// Dialog 306 -----------------------------------------------------------------------------------

NetworkDialog::NetworkDialog(int openDocumentWindows, QWidget *parent)
    : QDialog(parent), m_nOpenWindows(openDocumentWindows) {
    setWindowTitle(QStringLiteral("Сетевая работа"));
    {
        // Whether there is a network at all decides what the edits show; a root that is on a
        // network computer now (the roots were just checked) shows it is there.
        BusyCursor busy;
        using namespace setting;
        const auto networkRoot = [](const char *isLocal) {
            return Settings::ReadPathSetting(isLocal) != QLatin1String("yes");
        };
        bool available = networkRoot(kIsLocalTemplates) || networkRoot(kIsLocalDatabase);
        if (!available) {
            const auto network = MakeNetwork();
            available = NetworkAvailable(*network);
        }
        m_state = NetworkWorkState::Load(available);
    }

    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        e->setMinimumWidth(260);
        return e;
    };
    const auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_database = edit("database");
    m_templates = edit("templates");
    QPushButton *chooseDatabase = button("chooseDatabase", QStringLiteral("..."));
    QPushButton *chooseTemplates = button("chooseTemplates", QStringLiteral("..."));
    QPushButton *server = button("server", QStringLiteral("Сервер баз данных..."));
    for (QPushButton *b : {chooseDatabase, chooseTemplates})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 24);

    auto *group = new QGroupBox(QStringLiteral("Использование данных локальной сети"), this);
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("База данных субъектов"), group), 0, 0, 1, 2);
    grid->addWidget(m_database, 1, 0);
    grid->addWidget(chooseDatabase, 1, 1);
    auto *serverRow = new QHBoxLayout;
    serverRow->addStretch(1);
    serverRow->addWidget(server);
    grid->addLayout(serverRow, 2, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Библиотеки шаблонов"), group), 3, 0, 1, 2);
    grid->addWidget(m_templates, 4, 0);
    grid->addWidget(chooseTemplates, 4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(AddOkCancel(*this, QStringLiteral("OK")));

    connect(chooseDatabase, &QPushButton::clicked, this, [this] { Choose(true); });
    connect(chooseTemplates, &QPushButton::clicked, this, [this] { Choose(false); });
    connect(server, &QPushButton::clicked, this, &NetworkDialog::ChooseServer);
    Show();
}

void NetworkDialog::Show() {
    m_database->setText(m_state.DatabaseText());
    m_templates->setText(m_state.TemplatesText());
    m_database->setCursorPosition(0);
    m_templates->setCursorPosition(0);
}

void NetworkDialog::Choose(bool database) {
    SharingComputers found;
    {
        BusyCursor busy;
        const auto network = MakeNetwork();
        found = CollectSharingComputers(*network);
    }
    const NetworkLocation &current = database ? m_state.Database() : m_state.Templates();
    ComputersDialog dialog(found.computers, current.computer, current.local, this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    if (database)
        m_state.SetDatabase(dialog.Result());
    else
        m_state.SetTemplates(dialog.Result());
    Show();
}

void NetworkDialog::ChooseServer() {
    DatabaseServerDialog dialog(m_state.DatabaseServer(), this);
    if (DialogSeam::Exec(dialog) != QDialog::Accepted)
        return;
    m_state.SetDatabaseServer(dialog.Url());
    Show();
}

void NetworkDialog::accept() {
    if (m_state.AsksBeforeClosing(m_nOpenWindows)) {
        // Cancel keeps this dialog open with its choices.
        if (!MessageBox::AskOkCancel(this, CloseDocumentsQuestion()))
            return;
        m_bCloseDocuments = true;
    }
    QDialog::accept();
}

} // namespace dravo
