// dravo-cli on a database server: "db init --server", "db copy" of a computer's files onto a
// server (whole, refused onto rows, nothing written when the server dies midway), and the
// directory and journal commands with --server.
#include "fixture.h"

#include "refdata/directory.h"
#include "refdata/journal.h"
#include "refdata/journal_tables.h"
#include "refdata/subject.h"

#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <unistd.h>

namespace dravo::refdata::testing {
namespace {

class ServerCliTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        if (!OnServer())
            GTEST_SKIP() << "no database server in this run";
        m_cli = CliPath();
        if (!QFileInfo(m_cli).isExecutable())
            GTEST_SKIP() << "dravo-cli is not built";
        m_server = ReferenceLocation();
        ASSERT_FALSE(m_server.isEmpty());
    }

    int Run(const QStringList &args, QString &out) { return RunCli(args, out, m_err, 60000); }

    // A computer's databases with a row in every table and a library journal.
    void FillComputer() {
        QString out;
        ASSERT_EQ(Run({"db", "init", "--root", m_root}, out), 0) << m_err.toStdString();
        SqlConnection db;
        ASSERT_TRUE(db.Open(FctPath(m_root), SqlConnection::OpenMode::ExistingOnly));
        Directory directory(db);
        const int bank = *directory.AddBank({{"NameB", W("ПАО \"Банк\" д'Обер")}});
        ASSERT_TRUE(directory.AddParty(
            PartyKind::Organisation,
            {{"Name", W("Ромашка")}, {"Form", W("ООО")}, {"BankID", std::to_string(bank)}}));
        ASSERT_TRUE(directory.AddParty(PartyKind::Citizen, {{"Name", W("Иванов")}}));
        SubjectStore subjects(db);
        ASSERT_TRUE(
            subjects.SaveSet(W("Мебель"), {{W("Стол"), 2, W("шт."), 1500.5, 3001, "", ""}}));
        ASSERT_TRUE(subjects.AddItem({{"Name", W("Стул")}, {"Price2", "300"}}));
        JournalStore journal(db);
        JournalRow row;
        row.date = DateFromCalendar(2026, 2, 3);
        row.kontragent = W("ООО Ромашка");
        ASSERT_TRUE(journal.Register(row, {W("<p>договор</p>"), "adf", ""}, nullptr,
                                     JournalStore::Numbering::Next));
        ASSERT_TRUE(CreateJournalTable(RegPath(m_root), W("Договоры аренды")));
        SqlConnection reg;
        ASSERT_TRUE(reg.Open(RegPath(m_root), SqlConnection::OpenMode::ExistingOnly));
        ASSERT_TRUE(reg.Exec(
            QStringLiteral("INSERT INTO \"Договоры аренды\" (Number, NumberS, Date, f1) VALUES "
                           "(7, '7', '2026-01-05', 'д''Артаньян')")));
    }

    QString m_cli, m_err, m_server;
};

TEST_F(ServerCliTest, InitMakesTheTablesOnceAndThenKeepsThem) {
    QString out;
    ASSERT_EQ(Run({"db", "init", "--server", m_server}, out), 0) << m_err.toStdString();
    EXPECT_TRUE(out.startsWith("created the reference tables on ")) << out.toStdString();
    EXPECT_TRUE(out.contains("created the journal tables on ")) << out.toStdString();
    ASSERT_EQ(Run({"db", "init", "--server", m_server}, out), 0) << m_err.toStdString();
    EXPECT_TRUE(out.startsWith("kept the reference tables")) << out.toStdString();
    // One shipped set, not two.
    SqlConnection db;
    ASSERT_TRUE(db.Open(m_server, SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(db.Value("SELECT count(*) FROM merch").value_or(-1).toInt(), int(kSubjectRows));
}

TEST_F(ServerCliTest, CommandsWithoutTablesOrServerSayWhy) {
    const struct {
        QStringList args;
        const char *said;
    } cases[] = {
        {{"party", "list", "--server", m_server}, "db init --server URL"},
        {{"journal", "list", "--server", "postgresql://dravo@127.0.0.1:1/dravo"},
         "server postgresql://dravo@127.0.0.1:1/dravo"},
        {{"db", "copy", "--root", m_root, "--server", "postgresql://u:pw@h/d"}, "no password"},
        {{"db", "copy", "--root", m_root}, "usage: db copy"},
    };
    for (const auto &c : cases) {
        QString out;
        EXPECT_EQ(Run(c.args, out), 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(m_err.contains(c.said)) << m_err.toStdString();
    }
}

TEST_F(ServerCliTest, CopyMovesEverythingOnceAndNeverDoublesIt) {
    FillComputer();
    QString out, local, remote;
    ASSERT_EQ(Run({"db", "copy", "--root", m_root, "--server", m_server}, out), 0)
        << m_err.toStdString();
    EXPECT_TRUE(out.contains("copied FACTORY: 2 rows")) << out.toStdString();
    EXPECT_TRUE(out.contains("copied the journal table \"Договоры аренды\": 1 rows"))
        << out.toStdString();
    for (const QStringList &command :
         {QStringList{"party", "list"}, QStringList{"bank", "list"},
          QStringList{"subject", "catalogue", "list"}, QStringList{"subject", "list"},
          QStringList{"subject", "show", "Мебель"}, QStringList{"journal", "list", "--csv"}}) {
        ASSERT_EQ(Run(command + QStringList{"--root", m_root}, local), 0) << m_err.toStdString();
        ASSERT_EQ(Run(command + QStringList{"--server", m_server}, remote), 0)
            << m_err.toStdString();
        EXPECT_EQ(remote, local) << command.join(' ').toStdString();
    }
    // The keys go on above the copied ones.
    ASSERT_EQ(Run({"party", "add", "--org", "Name=Бета", "--server", m_server}, out), 0)
        << m_err.toStdString();
    EXPECT_EQ(out.trimmed(), "3");
    SqlConnection journals;
    ASSERT_TRUE(
        journals.Open(ServerJournalsLocation(m_server), SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(journals.Value("SELECT f1 FROM \"Договоры аренды\"").value_or(QVariant()).toString(),
              "д'Артаньян");

    // A second copy would double every row: refused, naming the table; nothing changes.
    EXPECT_EQ(Run({"db", "copy", "--root", m_root, "--server", m_server}, out), 1);
    EXPECT_TRUE(m_err.contains("already holds rows in BANK")) << m_err.toStdString();
    ASSERT_EQ(Run({"party", "list", "--server", m_server}, out), 0);
    EXPECT_EQ(out.count('\n'), 3);
}

// The server dies while a large copy is under way: after its restart nothing of the copy is
// there. The server is one of the test's own, so the other tests' server goes on.
TEST_F(ServerCliTest, ServerKilledMidCopyKeepsNothing) {
    QString out;
    ASSERT_EQ(Run({"db", "init", "--root", m_root}, out), 0) << m_err.toStdString();
    {
        SqlConnection db;
        ASSERT_TRUE(db.Open(FctPath(m_root), SqlConnection::OpenMode::ExistingOnly));
        ASSERT_TRUE(db.Begin());
        for (int i = 0; i < 40000; ++i)
            ASSERT_TRUE(db.Exec("INSERT INTO FACTORY (Name, Form, City) VALUES (?, ?, ?)",
                                {QString("Организация %1").arg(i), "ООО", "г. Тверь"}));
        ASSERT_TRUE(db.Commit());
    }
    const QString script = QString(DRAVO_SOURCE_DIR) + "/scripts/pg-test-server.sh";
    const QString dir = QString("/tmp/dravo-kill-test-%1").arg(getpid());
    const int port = ServerAddress::Parse(TestServer())->port + 1;
    QProcess start;
    start.start(script, {"start", dir, QString::number(port)});
    ASSERT_TRUE(start.waitForFinished(60000));
    ASSERT_EQ(start.exitCode(), 0) << start.readAllStandardError().toStdString();
    const QString server = QString::fromUtf8(start.readAllStandardOutput()).trimmed();
    struct Stop {
        QString script, dir;
        ~Stop() { QProcess::execute(script, {"stop", dir}); }
    } stop{script, dir};

    ASSERT_EQ(Run({"db", "init", "--server", server}, out), 0) << m_err.toStdString();
    QProcess copy;
    copy.start(m_cli, {"db", "copy", "--root", m_root, "--server", server});
    ASSERT_TRUE(copy.waitForStarted());
    // Wait until the copy is writing rows, then kill the server.
    SqlConnection watch;
    ASSERT_TRUE(watch.Open(server, SqlConnection::OpenMode::ExistingOnly));
    bool writing = false;
    for (int i = 0; i < 200 && !writing && copy.state() == QProcess::Running; ++i) {
        // (the driver runs its prepared statements as EXECUTE; the counterparties are the
        // first rows the copy writes)
        writing = watch
                      .Value("SELECT count(*) FROM pg_stat_activity WHERE application_name = "
                             "'dravo' AND query LIKE 'EXECUTE%' AND backend_xid IS NOT NULL "
                             "AND pid <> pg_backend_pid()")
                      .value_or(0)
                      .toInt() > 0;
        if (!writing)
            QThread::msleep(20);
    }
    ASSERT_TRUE(writing) << "the copy never reached the counterparties";
    QThread::msleep(300);
    watch.Close();
    ASSERT_EQ(QProcess::execute(script, {"kill", dir}), 0);
    ASSERT_TRUE(copy.waitForFinished(30000));
    EXPECT_NE(copy.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(copy.readAllStandardError()).contains(server.section('/', 0, 2)));
    ASSERT_EQ(QProcess::execute(script, {"restart", dir}), 0);

    SqlConnection db;
    ASSERT_TRUE(db.Open(server, SqlConnection::OpenMode::ExistingOnly));
    const auto count = [&](const char *table) {
        DbError error;
        const auto rows =
            db.Value(QStringLiteral("SELECT count(*) FROM %1").arg(table), {}, &error);
        EXPECT_TRUE(rows) << table << ": " << error.text.toStdString();
        return rows.value_or(-1).toInt();
    };
    EXPECT_EQ(count("FACTORY"), 0);
    EXPECT_EQ(count("BANK"), 0);
    EXPECT_EQ(count("merch"), int(kSubjectRows));
    // And the copy, run again, is whole.
    ASSERT_EQ(Run({"db", "copy", "--root", m_root, "--server", server}, out), 0)
        << m_err.toStdString();
    EXPECT_EQ(count("FACTORY"), 40000);
}

} // namespace
} // namespace dravo::refdata::testing
