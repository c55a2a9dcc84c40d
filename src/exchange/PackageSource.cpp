#include "exchange/PackageSource.h"

#include "data/Database.h"

#include <QHash>

#include <sqlite3.h>

namespace kvam {

const QStringList &importedColumns()
{
    static const QStringList columns = {
        QStringLiteral("z_xm"),         QStringLiteral("z_xb"),         QStringLiteral("z_mz"),
        QStringLiteral("z_zzmm"),       QStringLiteral("z_zjlx"),       QStringLiteral("z_zjhm"),
        QStringLiteral("z_csrq"),       QStringLiteral("z_grzp"),       QStringLiteral("z_zjzp"),
        QStringLiteral("z_first_xl"),   QStringLiteral("z_first_xw"),   QStringLiteral("z_first_bysj"),
        QStringLiteral("z_first_byyx"), QStringLiteral("z_first_sxzy"), QStringLiteral("z_first_zshm"),
        QStringLiteral("z_last_xl"),    QStringLiteral("z_last_xw"),    QStringLiteral("z_last_bysj"),
        QStringLiteral("z_last_byyx"),  QStringLiteral("z_last_sxzy"),  QStringLiteral("z_last_zshm"),
        QStringLiteral("z_gzdw"),       QStringLiteral("z_cjgzsj"),     QStringLiteral("z_yijzgbm"),
        QStringLiteral("z_erjzgbm"),    QStringLiteral("z_sanjzgbm"),   QStringLiteral("z_sijzgbm"),
        QStringLiteral("z_dwxz"),       QStringLiteral("z_cszy"),       QStringLiteral("z_dh1"),
        QStringLiteral("z_dh2"),        QStringLiteral("z_dh3"),        QStringLiteral("z_dh4"),
        QStringLiteral("z_bz"),         QStringLiteral("z_sbxl"),       QStringLiteral("z_sbzg"),
        QStringLiteral("z_sbdj"),       QStringLiteral("z_sbzy"),       QStringLiteral("z_jsfs"),
        QStringLiteral("z_jsjcj"),      QStringLiteral("z_wycj"),       QStringLiteral("z_xrjszg"),
        QStringLiteral("z_xrjszgsj"),
    };
    return columns;
}

PackageSource::~PackageSource() { close(); }

void PackageSource::close()
{
    m_rows.reset();
    if (!m_connection.isEmpty())
        closeSqlite(m_connection);
    m_connection.clear();
}

PackageSource::Failure PackageSource::open(const QString &file, bool allRecords)
{
    close();
    m_zkbz = -1;
    m_count = 0;
    m_connection = QStringLiteral("kvam-import-package");
    QSqlDatabase db = openSqlite(m_connection, file, {.readOnly = true, .untrusted = true}, &m_error);
    if (!db.isOpen())
        return Failure::NotDatabase;
    sqlite3 *handle = sqliteHandle(db);

    // A view could compute rows without end; only a stored table is read.
    SqliteStatement table(handle, QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'table' "
                                                 "AND lower(name) = 'grjbxx00' AND rootpage > 0"));
    if (table.step() != SQLITE_ROW) {
        m_error = table.error();
        return Failure::NotDatabase;
    }
    if (table.integer(0) == 0)
        return Failure::NoApplicantTable;

    QString sql = QStringLiteral("select * from grjbxx00 ");
    if (!allRecords)
        sql += QStringLiteral("\n where z_shbz = 1");
    SqliteStatement header(handle, QStringLiteral("select * from grjbxx00"));
    if (!header.isValid()) {
        m_error = header.error();
        return Failure::NotDatabase;
    }
    // Column names are found as the database engine finds them, without
    // regard to case; only z_zkbz must be spelled exactly.
    QHash<QString, int> byName;
    for (int i = header.columnCount() - 1; i >= 0; --i) {
        byName.insert(header.columnName(i).toLower(), i);
        if (header.columnName(i) == QLatin1String("z_zkbz"))
            m_zkbz = i;
    }
    m_missing.clear();
    const QStringList &columns = importedColumns();
    for (int i = 0; i < columns.size(); ++i) {
        m_columns[static_cast<size_t>(i)] = byName.value(columns.at(i), -1);
        if (m_columns[static_cast<size_t>(i)] < 0)
            m_missing << columns.at(i);
    }
    m_shbz = byName.value(QStringLiteral("z_shbz"), -1);
    m_psbz = byName.value(QStringLiteral("z_psbz"), -1);
    if (m_shbz < 0)
        m_missing << QStringLiteral("z_shbz");
    if (m_psbz < 0)
        m_missing << QStringLiteral("z_psbz");
    if (!m_missing.isEmpty())
        return Failure::MissingColumns;
    m_zjhm = byName.value(QStringLiteral("z_zjhm"));
    m_xm = byName.value(QStringLiteral("z_xm"));

    SqliteStatement count(handle, QStringLiteral("select count(*) from (%1)").arg(sql));
    if (count.step() != SQLITE_ROW) {
        m_error = count.error();
        return Failure::ReadFailed;
    }
    m_count = count.integer(0);
    m_rows = std::make_unique<SqliteStatement>(handle, sql);
    if (!m_rows->isValid()) {
        m_error = m_rows->error();
        return Failure::ReadFailed;
    }
    m_failed = false;
    return Failure::None;
}

bool PackageSource::next()
{
    const int rc = m_rows->step();
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_failed = true;
        m_error = m_rows->error();
    }
    return false;
}

sqlite3_value *PackageSource::copied(int i) const { return m_rows->value(m_columns[static_cast<size_t>(i)]); }
sqlite3_value *PackageSource::shbz() const { return m_rows->value(m_shbz); }
sqlite3_value *PackageSource::psbz() const { return m_rows->value(m_psbz); }
sqlite3_value *PackageSource::zkbz() const { return m_rows->value(m_zkbz); }

bool PackageSource::numberIsEmpty() const { return m_rows->isNull(m_zjhm) || m_rows->text(m_zjhm).isEmpty(); }

QByteArray PackageSource::number() const { return m_rows->text(m_zjhm); }

QString PackageSource::entry() const
{
    return QString::fromUtf8(m_rows->text(m_zjhm)) + QLatin1Char('-') + QString::fromUtf8(m_rows->text(m_xm));
}

} // namespace kvam
