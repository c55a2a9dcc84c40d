#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

namespace kvam::test {

// A program directory in a temporary folder, with data/kvam.mdb built from the
// sample data and the given number of synthetic applicants, temp/ and log/,
// and the globals pointing at it. Removed when the object goes.
class TestAppDir {
public:
    explicit TestAppDir(int applicants = 0, quint64 seed = 1);
    ~TestAppDir();

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const;
    QString databaseFile() const { return file(QStringLiteral("data/kvam.mdb")); }
    // A program file in the directory, for code that derives its paths from one.
    QString programFile() const { return file(QStringLiteral("kvam")); }

    // A connection of the test's own to data/kvam.mdb, for setting up and
    // checking rows.
    QSqlDatabase db();
    // Runs one statement on db(); fails the test when it fails.
    void exec(const QString &sql);
    // The first column of the first row of a query, or an invalid QVariant.
    QVariant scalar(const QString &sql);

    // Writes querycon.sql with the given lines (GBK, CRLF).
    void writeCondition(const QStringList &lines);

private:
    QTemporaryDir m_dir;
    QString m_connection;
    bool m_valid = false;
};

} // namespace kvam::test
