// The data module on a large database: opening the main record query with
// " 1=1 " (count and first rows), reading the last row, resident memory; the
// code-cache load with a large work-unit table and a million look-ups.
// Usage: bench-data PROGRAM_DIR [--statement]   (the directory holds
// data/kvam.mdb; --statement prints the main query in SQLite's dialect)
#include "app/untGlobal.h"
#include "data/CodeCache.h"
#include "data/GrxxStatement.h"
#include "platform/SqlDialect.h"
#include "data/GrxxQueryModel.h"
#include "data/untDataM.h"
#include "platform/GbkText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

using namespace kvam;

static double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-data PROGRAM_DIR\n");
        return 2;
    }
    InitGlobals(QString::fromLocal8Bit(argv[1]) + QStringLiteral("/kvam"));
    if (argc > 2 && qstrcmp(argv[2], "--statement") == 0) {
        QString text;
        if (!GrxxQueryText(QueryConFile, text))
            return 1;
        std::printf("%s;\n", jetToSqlite(text).toUtf8().constData());
        return 0;
    }
    TDataM dm;
    DataM = &dm;
    QElapsedTimer clock;
    clock.start();
    dm.DataModuleCreate();
    const double cacheLoad = clock.elapsed() / 1000.0;
    if (dm.terminationRequested())
        return 1;

    clock.restart();
    long found = 0;
    for (int i = 0; i < 1000000; ++i) {
        const TCodeStructure &row = codeGZDW.at(i % codeGZDW.size());
        found += !GetCodeName(row.bm, codeGZDW).isEmpty();
        found += GetCodeByName(row.mc, codeGZDW) != QLatin1String("-1");
    }
    const double lookups = clock.elapsed() / 1000.0;

    writeGbkLines(QueryConFile, {QStringLiteral(" 1=1 ")});
    clock.restart();
    if (!dm.OpenGrxxTable())
        return 1;
    GrxxQueryModel *model = dm.qryGrxx();
    const int rows = model->rowCount();
    for (int r = 0; r < 40 && r < rows; ++r)
        model->value(r, 1);
    const double firstRows = clock.elapsed() / 1000.0;
    clock.restart();
    const QString last = model->value(rows - 1, 1).toString();
    const double lastRow = clock.elapsed() / 1000.0;

    std::printf("work units %lld, cache load %.3f s (target < 0.3 s)\n", static_cast<long long>(codeGZDW.size()),
                cacheLoad);
    std::printf("one million code and name look-ups: %.3f s (%ld found)\n", lookups, found);
    std::printf("records %d: count and first rows %.3f s (target 1.5 s), last row %.3f s (target 0.5 s)\n", rows,
                firstRows, lastRow);
    std::printf("resident memory %.0f MB (target < 400 MB)\n", residentMegabytes());
    return last.isNull() && rows > 0 ? 1 : 0;
}
