// dravo-cli's database commands, run as the user runs them.
#include "fixture.h"

#include <QFileInfo>

namespace dravo::refdata::testing {
namespace {

class CliTest : public RootTest {
  protected:
    void SetUp() override {
        RootTest::SetUp();
        if (!QFileInfo(CliPath()).isExecutable())
            GTEST_SKIP() << "dravo-cli is not built";
    }

    // Runs the command with --root; gives the exit status, standard output in out.
    int Run(QStringList args, QString &out) {
        args << "--root" << m_root;
        return RunCli(args, out, m_err);
    }

    QString m_err;
};

TEST_F(CliTest, PartyAddPrintsTheIdAndShowReadsItBack) {
    QString out;
    ASSERT_EQ(Run({"db", "init"}, out), 0) << m_err.toStdString();
    ASSERT_EQ(Run({"bank", "add", "NameB=ПАО \"Банк\"", "BIK=044"}, out), 0);
    const QString bank = out.trimmed().split('\n').last();
    ASSERT_EQ(
        Run({"party", "add", "--org", "Name=Ромашка 100% 'О'", "Form=ООО", "BankID=" + bank}, out),
        0)
        << m_err.toStdString();
    const QString id = out.trimmed().split('\n').last();
    EXPECT_GT(id.toInt(), 0);
    ASSERT_EQ(Run({"party", "show", id}, out), 0);
    EXPECT_TRUE(out.contains("Name=Ромашка 100% 'О'\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("NameB=ПАО \"Банк\"\n")) << out.toStdString();
    EXPECT_TRUE(out.contains("PersonFlag=false\n"));
    ASSERT_EQ(Run({"party", "list"}, out), 0);
    EXPECT_EQ(out, id + "\tРомашка 100% 'О', ООО\n");
}

TEST_F(CliTest, RefusedNameGivesTheFormMessage) {
    QString out;
    ASSERT_EQ(Run({"db", "init"}, out), 0) << m_err.toStdString();
    EXPECT_EQ(Run({"party", "add", "--citizen", "Name="}, out), 1);
    EXPECT_TRUE(m_err.contains("Укажите фамилию гражданина")) << m_err.toStdString();
    EXPECT_EQ(Run({"bank", "add", "NameB="}, out), 1);
    EXPECT_TRUE(m_err.contains("Укажите наименование банка")) << m_err.toStdString();
    EXPECT_EQ(Run({"party", "add", "Name=x"}, out), 1); // neither --org nor --citizen
}

TEST_F(CliTest, SubjectSetRow) {
    QString out;
    ASSERT_EQ(Run({"db", "init"}, out), 0) << m_err.toStdString();
    ASSERT_EQ(
        Run({"subject", "set", "Станки", "--row", "2", "Name=Станок", "Kolvo=2", "Price=10.25"},
            out),
        0)
        << m_err.toStdString();
    EXPECT_EQ(Run({"subject", "set", "Станки", "--row", "8", "Name=x"}, out), 1);
    SqlConnection db;
    ASSERT_TRUE(db.Open(FctPath(m_root), SqlConnection::OpenMode::ExistingOnly));
    EXPECT_EQ(db.Value("SELECT Summ FROM merch WHERE Name = ?", {QString("Станок")})->toDouble(),
              20.5);
}

} // namespace
} // namespace dravo::refdata::testing

namespace dravo::refdata::testing {
namespace {

class CliChecksTest : public RootTest {
  protected:
    int Run(QStringList args, QString &out) {
        args << "--root" << m_root;
        return RunCli(args, out, m_err);
    }
    QString m_err;
};

TEST_F(CliChecksTest, PartyAndBankReportCheckWarningsWithoutRefusing) {
    if (!QFileInfo(CliPath()).isExecutable())
        GTEST_SKIP() << "dravo-cli is not built";
    QString out;
    ASSERT_EQ(Run({"db", "init"}, out), 0) << m_err.toStdString();
    ASSERT_EQ(Run({"bank", "add", "NameB=Банк", "BIK=044525225", "KS=30101810500000000225"}, out),
              0);
    EXPECT_TRUE(m_err.contains("KS: Корр. счет не соответствует БИК банка")) << m_err.toStdString();
    const QString bank = out.trimmed();
    ASSERT_EQ(Run({"party", "add", "--org", "Name=Альфа", "INN=7707083894",
                   "RS=40702810200000012345", "BankID=" + bank},
                  out),
              0);
    EXPECT_TRUE(m_err.contains("INN: Неверное контрольное число ИНН")) << m_err.toStdString();
    EXPECT_FALSE(m_err.contains("RS:")) << m_err.toStdString();
    const QString id = out.trimmed();
    ASSERT_EQ(Run({"party", "edit", id, "INN=7707083893"}, out), 0);
    EXPECT_TRUE(m_err.isEmpty()) << m_err.toStdString();
    ASSERT_EQ(Run({"bank", "edit", bank, "KS=30101810400000000225"}, out), 0);
    EXPECT_TRUE(m_err.isEmpty()) << m_err.toStdString();
}

TEST_F(CliChecksTest, SubjectCatalogue) {
    if (!QFileInfo(CliPath()).isExecutable())
        GTEST_SKIP() << "dravo-cli is not built";
    QString out;
    ASSERT_EQ(Run({"db", "init"}, out), 0) << m_err.toStdString();
    ASSERT_EQ(Run({"subject", "catalogue", "add", "Name=Стол", "Edizm=шт.", "Price2=1500,50"}, out),
              0)
        << m_err.toStdString();
    const QString id = out.trimmed();
    ASSERT_EQ(Run({"subject", "catalogue", "edit", id, "Currency=у.е."}, out), 0);
    ASSERT_EQ(Run({"subject", "catalogue", "list"}, out), 0);
    EXPECT_EQ(out, id + "\tСтол\tшт.\t1500.50\tу.е.\t\t\n");
    EXPECT_EQ(Run({"subject", "catalogue", "edit", id, "Name= "}, out), 1);
    EXPECT_TRUE(m_err.contains("Укажите название имущества")) << m_err.toStdString();
    EXPECT_EQ(Run({"subject", "catalogue", "edit", id, "Price2=дорого"}, out), 1);
    ASSERT_EQ(Run({"subject", "catalogue", "delete", id}, out), 0);
    ASSERT_EQ(Run({"subject", "catalogue", "list"}, out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run({"subject", "catalogue", "delete", id}, out), 1);
}

} // namespace
} // namespace dravo::refdata::testing
