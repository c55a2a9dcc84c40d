#include "app/untGlobal.h"
#include "cli/CliCommand.h"
#include "cli/TsvOutput.h"
#include "data/Database.h"
#include "data/DisplayNameLoad.h"
#include "data/GrxxStatement.h"
#include "data/Hashes.h"
#include "platform/SqlDialect.h"

#include <cstdio>
#include <sqlite3.h>

namespace kvam::cli {

namespace {

const QString connectionName = QStringLiteral("cli-query");
const QString failureText = QStringLiteral("打开个人基本情况信息时出错，请重新启动程序！");

// A field as TSV: NULL empty, tab and line breaks as \t, \n, \r.
void appendTsvField(QByteArray &buffer, const char *text, int size)
{
    for (int i = 0; i < size; ++i) {
        switch (text[i]) {
        case '\t': buffer += "\\t"; break;
        case '\n': buffer += "\\n"; break;
        case '\r': buffer += "\\r"; break;
        default: buffer += text[i];
        }
    }
}

void writeOut(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int runQuery(const QString &conditionFile, bool captions)
{
    QString error;
    QString text;
    if (!GrxxQueryText(conditionFile, text, &error)) {
        LogError(failureText, error);
        return Failed;
    }
    QSqlDatabase db = openSqlite(connectionName, DataSourceOf(ConnectionString), {.readOnly = true}, &error);
    if (!db.isOpen()) {
        LogError(QStringLiteral("链接数据库失败"), error);
        return Failed;
    }
    THash names;
    if (captions && !LoadDisplayNames(db, names, &error)) {
        LogError(QStringLiteral("无法打开数据表字段名称表"), error);
        return Failed;
    }
    // Straight from SQLite's own UTF-8 text: a million rows of 45 columns
    // should cost the statement, not conversions.
    sqlite3 *handle = sqliteHandle(db);
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = jetToSqlite(text).toUtf8();
    if (sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr) != SQLITE_OK) {
        LogError(failureText, QString::fromUtf8(sqlite3_errmsg(handle)));
        return Failed;
    }
    const int columns = sqlite3_column_count(stmt);
    QStringList header;
    for (int i = 0; i < columns; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(stmt, i));
        const QString caption = i == 0 ? QStringLiteral("标志") : names.Get(QStringLiteral("grjbxx00") + name);
        header << (captions && !caption.isEmpty() ? caption : name);
    }
    out(tsvLine(header));
    QByteArray buffer;
    buffer.reserve(1 << 17);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns; ++i) {
            if (i)
                buffer += '\t';
            appendTsvField(buffer, reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)),
                           sqlite3_column_bytes(stmt, i));
        }
        buffer += '\n';
        if (buffer.size() > 1 << 16) {
            writeOut(buffer);
            buffer.clear();
        }
    }
    writeOut(buffer);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        LogError(failureText, QString::fromUtf8(sqlite3_errmsg(handle)));
        return Failed;
    }
    return Done;
}

int query(Arguments &args)
{
    const bool captions = args.flag(QStringLiteral("--captions"));
    const QString conditionFile = args.option(QStringLiteral("--condition-file")).value_or(QueryConFile);
    if (!args.rest().isEmpty()) {
        err(QStringLiteral("usage: kvam-cli [--dir DIR] query [--condition-file F] [--captions]\n"));
        return WrongUsage;
    }
    const int result = runQuery(conditionFile, captions);
    closeSqlite(connectionName);
    return result;
}

const Command command("query", "query [--condition-file F] [--captions]", query);

} // namespace

} // namespace kvam::cli
