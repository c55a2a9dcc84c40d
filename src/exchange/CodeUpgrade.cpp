#include "exchange/CodeUpgrade.h"

#include "app/untGlobal.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "exchange/TUpgradeCodeThread.h"
#include "platform/Ui.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace kvam {

namespace {

const QString upgradeConnection = QStringLiteral("code-upgrade-main");
const QString packageConnection = QStringLiteral("code-upgrade-package");

struct CodeRow {
    QString code;        // null when the package row has no code
    QVariantList values; // z_mc, z_pym, z_sjbm, z_dj, z_sfky
};

QString describeCode(const QString &code) { return code.isNull() ? QStringLiteral("(空)") : code; }

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// Every row of the package's table, in the package's order.
bool readPackageRows(QSqlDatabase &package, const QString &table, QList<CodeRow> &rows, QString *error)
{
    QSqlQuery source(package);
    source.setForwardOnly(true);
    if (!source.exec(QStringLiteral("select ") + schema::codeColumns().join(QLatin1Char(',')) +
                     QStringLiteral(" from ") + table))
        return fail(error, QStringLiteral("%1: %2").arg(table, source.lastError().text()));
    while (source.next()) {
        CodeRow row;
        // Codes are text on both sides, so both passes compare the same thing.
        if (!source.value(0).isNull())
            row.code = source.value(0).toString();
        for (int i = 1; i < 6; ++i)
            row.values << source.value(i);
        rows << row;
    }
    if (source.lastError().isValid())
        return fail(error, QStringLiteral("%1: %2").arg(table, source.lastError().text()));
    return true;
}

} // namespace

QString CodePackageCopyFile() { return AppDir + QStringLiteral("/temp/code.mdb"); }

bool CopyCodeTable(QSqlDatabase &package, QSqlDatabase &target, const QString &table, QString *error)
{
    QList<CodeRow> rows;
    if (!readPackageRows(package, table, rows, error))
        return false;
    QSet<QString> packageCodes;
    for (const CodeRow &row : rows) {
        if (!row.code.isNull())
            packageCodes.insert(row.code);
    }

    // Removal pass: every code the package lacks goes, in use or not.
    QStringList removed;
    {
        QSqlQuery existing(target);
        existing.setForwardOnly(true);
        if (!existing.exec(QStringLiteral("select z_bm from %1 order by z_bm").arg(table)))
            return fail(error, QStringLiteral("%1: %2").arg(table, existing.lastError().text()));
        while (existing.next()) {
            const QString code = existing.value(0).toString();
            if (!packageCodes.contains(code))
                removed << code;
        }
    }
    QSqlQuery remove(target);
    if (!remove.prepare(QStringLiteral("delete from %1 where z_bm = :p_bm").arg(table)))
        return fail(error, QStringLiteral("%1: %2").arg(table, remove.lastError().text()));
    for (const QString &code : removed) {
        remove.bindValue(QStringLiteral(":p_bm"), code);
        if (!remove.exec())
            return fail(error, QStringLiteral("%1 编码 %2: %3").arg(table, code, remove.lastError().text()));
    }

    // Upsert pass, in the package's order: an exact match is updated, any
    // other code inserted. A later row of the same code wins.
    QSqlQuery update(target);
    QSqlQuery insert(target);
    if (!update.prepare(QStringLiteral("update %1 set z_mc = :p_mc, z_pym = :p_pym, z_sjbm = :p_sjbm, "
                                       "z_dj = :p_dj, z_sfky = :p_sfky where z_bm = :p_bm")
                            .arg(table)))
        return fail(error, QStringLiteral("%1: %2").arg(table, update.lastError().text()));
    if (!insert.prepare(QStringLiteral("insert into %1 (z_bm, z_mc, z_pym, z_sjbm, z_dj, z_sfky) "
                                       "values (:p_bm, :p_mc, :p_pym, :p_sjbm, :p_dj, :p_sfky)")
                            .arg(table)))
        return fail(error, QStringLiteral("%1: %2").arg(table, insert.lastError().text()));
    static const QString names[] = {QStringLiteral(":p_mc"), QStringLiteral(":p_pym"), QStringLiteral(":p_sjbm"),
                                    QStringLiteral(":p_dj"), QStringLiteral(":p_sfky")};
    for (const CodeRow &row : rows) {
        const QVariant code = row.code.isNull() ? QVariant() : QVariant(row.code);
        for (QSqlQuery *q : {&update, &insert}) {
            q->bindValue(QStringLiteral(":p_bm"), code);
            for (int i = 0; i < 5; ++i)
                q->bindValue(names[i], row.values.at(i));
        }
        bool stored = update.exec();
        QString why = update.lastError().text();
        if (stored && update.numRowsAffected() == 0) {
            stored = insert.exec();
            why = insert.lastError().text();
        }
        if (!stored)
            return fail(error, QStringLiteral("%1 编码 %2: %3").arg(table, describeCode(row.code), why));
    }
    return true;
}

CodeUpgradeResult UpgradeCodeTables(const QString &packageFile)
{
    CodeUpgradeResult result;
    auto refuse = [&](const QString &message, const QString &error) {
        result.message = message;
        result.error = error;
        return result;
    };

    // A stale copy from an earlier upgrade must never stand in for this package.
    const QString copy = CodePackageCopyFile();
    const bool isTheCopy =
        QFileInfo(packageFile).canonicalFilePath() == QFileInfo(copy).canonicalFilePath() && QFileInfo::exists(copy);
    if (!isTheCopy && !(QFile::remove(copy) || !QFileInfo::exists(copy)))
        return refuse(QStringLiteral("导入代码信息时出错"), QStringLiteral("无法替换 %1").arg(copy));
    if (!isTheCopy && !QFile::copy(packageFile, copy))
        return refuse(QStringLiteral("导入代码信息时出错"), QStringLiteral("无法复制代码包 %1").arg(packageFile));

    QString error;
    {
        QSqlDatabase target = openSqlite(upgradeConnection, DataSourceOf(ConnectionString), {}, &error);
        if (!target.isOpen())
            return refuse(QStringLiteral("导入代码信息时出错"), error);
        OpenOptions readOnly;
        readOnly.readOnly = true;
        readOnly.untrusted = true;
        QSqlDatabase package = openSqlite(packageConnection, copy, readOnly, &error);
        if (!package.isOpen()) {
            error = QStringLiteral("代码包 %1 不是可读的数据库: %2").arg(packageFile, error);
        } else if (!target.transaction()) {
            error = target.lastError().text();
        } else {
            bool copied = true;
            for (const QString &table : schema::codeTables()) {
                if (!(copied = CopyCodeTable(package, target, table, &error)))
                    break;
            }
            if (copied && target.commit())
                result.upgraded = true;
            else if (copied)
                error = target.lastError().text();
            if (!result.upgraded)
                target.rollback();
        }
    }
    closeSqlite(packageConnection);
    closeSqlite(upgradeConnection);
    if (!result.upgraded)
        return refuse(QStringLiteral("更新失败"), error);
    return result;
}

bool UpgradeCodes(const QString &packageFile)
{
    CodeUpgradeResult result;
    taskRunner().run([&](TaskReporter &reporter) { return new TUpgradeCodeThread(packageFile, result, reporter); });
    if (result.upgraded)
        return true;
    LogError(result.message, result.error);
    showMessage(QStringLiteral("代码未作任何更改。\n") + result.error, QStringLiteral("提示"), MsgIcon::Information);
    return false;
}

} // namespace kvam
