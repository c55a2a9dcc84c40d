#include "app/untGlobal.h"

#include "app/ProgramDate.h"
#include "platform/GbkText.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kvam {

QString AppDir;
QString ConnectionString;
QString QueryConFile;
bool ExportAll = false;
QDate DefaultDate;
std::atomic<int> ContinueFlag{0};
bool ImportUpdateStatus = false;
bool ImportRejected = false;
QStringList ImportLogLines;
TQueryField QueryFields[16];
int QueryFieldCount = 0;
QString SelectedName;
QString SelectedCode;
QString PickedZYJSZG[10];
QString PickedCSZY[10];

QString AppDirOf(const QString &programFile)
{
    for (qsizetype i = programFile.size() - 2; i >= 0; --i) {
        const QChar c = programFile.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            return programFile.left(i);
    }
    return {};
}

QString DataSourceOf(const QString &connectionString)
{
    const QString key = QStringLiteral("Data Source=");
    for (const QString &part : connectionString.split(QLatin1Char(';'))) {
        if (part.trimmed().startsWith(key, Qt::CaseInsensitive))
            return part.trimmed().mid(key.size());
    }
    return {};
}

QString ConnectionStringFor(const QString &databaseFile, bool shareDenyNone)
{
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + databaseFile
         + (shareDenyNone ? QStringLiteral(";Mode=Share Deny None") : QString())
         + QStringLiteral(";Persist Security Info=False");
}

void InitGlobals() { InitGlobals(QCoreApplication::applicationFilePath()); }

void InitGlobals(const QString &programFile)
{
    // This platform has no per-user short date setting: every date is
    // formatted and parsed with "yyyy-MM-dd" directly (ProgramDate).
    AppDir = AppDirOf(programFile);
    ConnectionString = ConnectionStringFor(AppDir + QStringLiteral("/data/kvam.mdb"));
    QueryConFile = AppDir + QStringLiteral("/querycon.sql");
    ExportAll = true;
    DefaultDate = parseProgramDate(QStringLiteral("2000-01-01"));
}

bool CreateWorkingDirectories()
{
    QDir dir(AppDir);
    return dir.mkpath(QStringLiteral("temp")) && dir.mkpath(QStringLiteral("log"));
}

void LogError(const QString &message, const QString &errorText)
{
    const QString entry = message + QLatin1Char('\r') + QStringLiteral("错误发生在：") + errorText
                        + QStringLiteral("\r\n");
    appendGbkText(AppDir + QStringLiteral("/error.log"), entry);
    showMessage(message, QStringLiteral("错误"), MsgIcon::Error);
}

QString WriteImportLog(const QString &packageName, const QStringList &lines, QString *error)
{
    // Only the file name: a package name never places the log elsewhere.
    QString name = QFileInfo(packageName).fileName();
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    const QString stem = AppDir + QStringLiteral("/log/") + formatProgramDate(QDate::currentDate())
                       + QStringLiteral("文件[") + name + QStringLiteral("]的导入日志");
    QString path = stem + QStringLiteral(".log");
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = stem + QStringLiteral("(%1).log").arg(n);
    if (!writeGbkLines(path, lines, error))
        return {};
    return path;
}

namespace {

// A whole number as the date parts read it: digits only after an optional
// sign, else 0; kept as an unsigned 16-bit value.
quint16 datePart(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? static_cast<quint16>(value) : 0;
}

} // namespace

bool IsInvalidDate(const QString &text, QDate &date)
{
    if (text.isEmpty()) {
        date = QDate::currentDate();
        return false;
    }
    quint16 year = 0, month = 0, day = 0;
    const bool dash = text.contains(QLatin1Char('-'));
    const bool slash = text.contains(QLatin1Char('/'));
    if (dash != slash) {
        const QChar sep = dash ? QLatin1Char('-') : QLatin1Char('/');
        const qsizetype first = text.indexOf(sep);
        const qsizetype second = text.indexOf(sep, first + 1);
        year = datePart(text.left(first));
        if (second < 0) {
            month = datePart(text.mid(first + 1));
        } else {
            month = datePart(text.mid(first + 1, second - first - 1));
            day = datePart(text.mid(second + 1));
        }
    } else {
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        const bool plain = ok && QString::number(number) == text;
        if (plain && text.size() == 6) {
            year = datePart(text.mid(0, 2));
            month = datePart(text.mid(2, 2));
            day = datePart(text.mid(4, 2));
        } else if (plain && text.size() == 8) {
            year = datePart(text.mid(0, 4));
            month = datePart(text.mid(4, 2));
            day = datePart(text.mid(6, 2));
        }
    }
    const QString candidates[] = {
        QStringLiteral("%1-%2-%3").arg(year).arg(month).arg(day),
        QStringLiteral("%1/%2/%3").arg(year).arg(month).arg(day),
        QStringLiteral("%1/%2/%3").arg(month).arg(day).arg(year),
        QStringLiteral("%1-%2-%3").arg(month).arg(day).arg(year),
    };
    for (const QString &candidate : candidates) {
        const QDate parsed = parseProgramDate(candidate);
        if (parsed.isValid()) {
            date = parsed;
            return false;
        }
    }
    return true;
}

bool ResetQueryCondition()
{
    return writeGbkLines(QueryConFile, {QStringLiteral("1=0")});
}

QList<int> AutoFitWidths(const QStringList &titles, const QStringList &firstRow)
{
    QList<int> widths;
    for (qsizetype i = 0; i < titles.size(); ++i) {
        int w = gbkLength(titles.at(i));
        if (i < firstRow.size())
            w = std::max(w, gbkLength(firstRow.at(i).trimmed()));
        widths << w * 10;
    }
    return widths;
}

} // namespace kvam
