// "dravo-cli journal register" and "journal list", run as a script runs them.
#include "fixture.h"

#include <QFileInfo>

namespace dravo::refdata::testing {
namespace {

class JournalCliTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        if (!QFileInfo(CliPath()).isExecutable())
            GTEST_SKIP() << "dravo-cli is not built";
        m_template = m_root + "/contract.adf";
        QString out;
        ASSERT_EQ(Run({"new", m_template}, out, false), 0) << m_err.toStdString();
    }

    int Run(QStringList args, QString &out, bool withRoot = true) {
        if (withRoot)
            args << "--root" << m_root;
        return RunCli(args, out, m_err);
    }

    QString Register(const QStringList &columns) {
        QString out;
        EXPECT_EQ(Run(QStringList{"journal", "register", m_template} + columns, out), 0)
            << m_err.toStdString();
        return out.trimmed().split('\n').last();
    }

    QString m_err, m_template;
};

TEST_F(JournalCliTest, RegisterThenListInJournalOrder) {
    const QString first = Register({"Date=2026-03-02", "Kontragent=ООО 'Ромашка'", "Price=1 500"});
    const QString second = Register({"Date=2026-03-01", "NumberS=7б", "Kontragent=ИП Петров"});
    EXPECT_GT(second.toInt(), first.toInt());
    QString out;
    ASSERT_EQ(Run({"journal", "list", "--csv"}, out), 0) << m_err.toStdString();
    const QStringList lines = out.trimmed().split('\n');
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_EQ(lines[0], "BookID,Number,NumberS,Date,Name,Kontragent,Status,Predmet,Price,"
                        "Date_contr,Form_rasch,Deb,Cred,Otv,NF");
    // The earlier date first; the prefilled number of a fresh journal is 1, the title the name.
    EXPECT_TRUE(lines[1].startsWith(second + ",7,7б,2026-03-01,ДОГОВОР,ИП Петров,"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(first + ",1,1,2026-03-02,ДОГОВОР,ООО 'Ромашка',"))
        << lines[2].toStdString();
    EXPECT_TRUE(lines[2].contains(",1500,2026-12-31,")) << lines[2].toStdString();

    ASSERT_EQ(Run({"journal", "list", "--counterparty", "ООО 'Ромашка'"}, out), 0);
    EXPECT_TRUE(out.startsWith(first + "\t")) << out.toStdString();
    EXPECT_EQ(out.count('\n'), 1);
    ASSERT_EQ(Run({"journal", "list", "--from", "2026-03-02", "--to", "2026-03-01"}, out), 0);
    EXPECT_EQ(out, "");
}

TEST_F(JournalCliTest, BadInputIsRefusedWithAReason) {
    struct Case {
        QStringList args;
        const char *reason;
    } cases[] = {
        {{"journal", "register", "/nonexistent.adf"}, "nonexistent"},
        {{"journal", "register", "", "Price=много"}, "Price"},
        {{"journal", "register", "", "Date=2026-02-30"}, "Date"},
        {{"journal", "register", "", "Body=x"}, "no such journal column"},
        {{"journal", "list", "--from", "01.02.2026"}, "--from"},
    };
    for (Case &c : cases) {
        if (c.args.size() > 2 && c.args[2].isEmpty())
            c.args[2] = m_template;
        QString out;
        EXPECT_EQ(Run(c.args, out), 1) << c.reason;
        EXPECT_TRUE(m_err.contains(c.reason)) << m_err.toStdString();
    }
    QString out;
    ASSERT_EQ(Run({"journal", "list"}, out), 0);
    EXPECT_EQ(out, ""); // nothing was registered by the refused commands
}

} // namespace
} // namespace dravo::refdata::testing
