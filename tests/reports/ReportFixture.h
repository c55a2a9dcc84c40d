#pragma once

// Applicants for the report tests, and the test doubles a report runs
// against: the scripted Ui, the document opener and the progress display.

#include "app/Progress.h"
#include "data/DisplayNameLoad.h"
#include "data/Hashes.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QVariant>

namespace kvam::test {

// A whole applicant whose coded columns all hold codes of the sample tables;
// values overrides any column.
inline bool addApplicant(TestAppDir &dir, const QString &zjhm, const QString &xm,
                         const QHash<QString, QVariant> &values = {})
{
    QHash<QString, QVariant> row = {
        {"z_xm", xm},
        {"z_zjhm", zjhm},
        {"z_xb", 1},
        {"z_mz", 1},
        {"z_zzmm", 1},
        {"z_zjlx", 1},
        {"z_csrq", "1970-01-02"},
        {"z_first_xl", 11},
        {"z_first_xw", 2},
        {"z_first_bysj", "1992-07-01"},
        {"z_first_byyx", "北岭大学"},
        {"z_first_sxzy", "0201"},
        {"z_first_zshm", "10001"},
        {"z_last_xl", 14},
        {"z_last_xw", 3},
        {"z_last_bysj", "1995-07-01"},
        {"z_last_byyx", "河西师范学院"},
        {"z_last_sxzy", "02"},
        {"z_last_zshm", "20002"},
        {"z_gzdw", "1101100200000000"},
        {"z_cjgzsj", "1992-08-01"},
        {"z_yijzgbm", "1101000000000000"},
        {"z_erjzgbm", "1101100200000000"},
        {"z_sanjzgbm", QVariant()},
        {"z_sijzgbm", QVariant()},
        {"z_dwxz", 2},
        {"z_cszy", "0101"},
        {"z_dh1", "0571-88000001"},
        {"z_dh2", QVariant()},
        {"z_dh3", QVariant()},
        {"z_dh4", QVariant()},
        {"z_bz", "备注"},
        {"z_sbxl", "01"},
        {"z_sbzg", "0102"},
        {"z_sbdj", 2},
        {"z_sbzy", "0101"},
        {"z_jsfs", 1},
        {"z_jsjcj", 1},
        {"z_wycj", 1},
        {"z_xrjszg", "0103"},
        {"z_xrjszgsj", "1998-12-31"},
        {"z_shbz", 1},
        {"z_psbz", 1},
        {"z_zkbz", 1},
    };
    for (auto it = values.begin(); it != values.end(); ++it)
        row.insert(it.key(), it.value());
    QStringList names, marks;
    for (auto it = row.begin(); it != row.end(); ++it) {
        names << it.key();
        marks << u':' + it.key();
    }
    QSqlQuery insert(dir.db());
    insert.prepare(QStringLiteral("insert into grjbxx00 (%1) values (%2)").arg(names.join(','), marks.join(',')));
    for (auto it = row.begin(); it != row.end(); ++it)
        insert.bindValue(u':' + it.key(), it.value());
    if (!insert.exec()) {
        qWarning("addApplicant: %s", qPrintable(insert.lastError().text()));
        return false;
    }
    return true;
}

// Loads the display names of the sample database into DisplayNames, less
// those of the columns named.
inline bool loadDisplayNames(TestAppDir &dir, const QStringList &missing = {})
{
    for (const QString &column : missing)
        dir.exec(QStringLiteral("delete from TABLEFIELD_NAME where z_fieldname = '%1'").arg(column));
    DisplayNames = THash();
    return LoadDisplayNames(dir.db(), DisplayNames);
}

// Records progress for the lifetime of the object.
class TestProgress : public RecordingProgressDisplay {
public:
    TestProgress() : m_previous(setProgressDisplay(this)) {}
    ~TestProgress() override { setProgressDisplay(m_previous); }

private:
    ProgressDisplay *m_previous;
};

} // namespace kvam::test
