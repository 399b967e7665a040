// A templates root in a temporary folder with its databases created, for the database tests.
#pragma once

#include "core/text.h"
#include "refdata/connection.h"
#include "refdata/schema.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace dravo::refdata::testing {

using namespace dravo::literals;

// windows-1251 text of a UTF-8 literal, for values built at run time.
inline std::string W(std::string_view utf8) {
    return FromUtf8(utf8);
}

class RootTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_root = m_dir.path();
    }

    // Creates the reference database of the root and opens db on it.
    void OpenReference(SqlConnection &db) {
        QString error;
        ASSERT_EQ(InitDatabase(FctPath(m_root), DatabaseKind::Reference, &error),
                  InitOutcome::Created)
            << error.toStdString();
        ASSERT_TRUE(db.Open(FctPath(m_root), SqlConnection::OpenMode::ExistingOnly, &error))
            << error.toStdString();
    }

    void WriteFile(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace dravo::refdata::testing
