#include "data/untDataM.h"

#include "app/BackgroundTask.h"
#include "app/untGlobal.h"
#include "data/CodeCacheLoad.h"
#include "data/Database.h"
#include "data/DisplayNameLoad.h"
#include "data/GrxxQueryModel.h"
#include "data/GrxxStatement.h"
#include "data/Hashes.h"
#include "data/TInitAllCodeThread.h"
#include "platform/SqlDialect.h"

#include <QThread>

namespace kvam {

TDataM *DataM = nullptr;

namespace {

const QString MainConnection = QStringLiteral("kvam-main");

} // namespace

TDataM::TDataM(QObject *parent) : QObject(parent), m_qryGrxx(new GrxxQueryModel(this))
{
    setObjectName(QStringLiteral("DataM"));
    m_qryGrxx->setObjectName(QStringLiteral("qryGrxx"));
}

TDataM::~TDataM()
{
    m_qryGrxx->close();
    closeSqlite(MainConnection);
}

void TDataM::DataModuleCreate()
{
    closeSqlite(MainConnection);
    QString error;
    if (!reconnect(&error)) {
        LogError(QStringLiteral("链接数据库失败"), error);
        m_terminate = true;
    }

    DisplayNames = THash();
    error.clear();
    if (!connected() || !LoadDisplayNames(ADOConnection(), DisplayNames, &error)) {
        LogError(QStringLiteral("无法打开数据表字段名称表"),
                 error.isEmpty() ? QStringLiteral("no connection") : error);
        m_terminate = true;
    }

    taskRunner().run([this](TaskReporter &reporter) { return new TInitAllCodeThread(*this, reporter); });
}

void TDataM::InitAllCode()
{
    // Qt SQL connections belong to the thread that opened them.
    const QString name = QStringLiteral("kvam-code-%1").arg(reinterpret_cast<quintptr>(QThread::currentThreadId()));
    QString error;
    bool ok;
    {
        QSqlDatabase db = openSqlite(name, DataSourceOf(ConnectionString), {.readOnly = true}, &error);
        ok = db.isOpen() && LoadCodeCache(db, &error);
    }
    closeSqlite(name);
    if (!ok) {
        LogError(QStringLiteral("初始化代码信息时出错，请重新启动程序"), error);
        m_terminate = true;
    }
}

bool TDataM::reconnect(QString *error)
{
    if (connected())
        return true;
    return openSqlite(MainConnection, DataSourceOf(ConnectionString), {}, error).isOpen();
}

bool TDataM::connected() const
{
    return QSqlDatabase::contains(MainConnection) && QSqlDatabase::database(MainConnection, false).isOpen();
}

QSqlDatabase TDataM::ADOConnection() const { return QSqlDatabase::database(MainConnection, false); }

QSqlQuery TDataM::qryOperator() const { return QSqlQuery(ADOConnection()); }

bool TDataM::isGrxxOpen() const { return m_qryGrxx->isOpen(); }

bool TDataM::OpenGrxxTable()
{
    m_qryGrxx->close();
    QString text;
    QString error;
    const bool built = GrxxQueryText(QueryConFile, text, &error);
    m_grxxLines = built ? text.split(QLatin1Char('\n')) : QStringList();
    if (!built || !connected() || !m_qryGrxx->open(ADOConnection(), jetToSqlite(text), &error)) {
        LogError(QStringLiteral("打开个人基本情况信息时出错，请重新启动程序！"),
                 error.isEmpty() ? QStringLiteral("no connection") : error);
        return false;
    }
    qryGrxxAfterOpen();
    for (int c = 0; c < m_qryGrxx->columnCount(); ++c) {
        m_qryGrxx->setCaption(c, DisplayNames.Get(QStringLiteral("grjbxx00") + m_qryGrxx->columnName(c)));
        m_qryGrxx->setColumnHidden(c, GrxxHiddenColumns().contains(m_qryGrxx->columnName(c)));
    }
    m_qryGrxx->setCaption(0, QStringLiteral("标志"));
    return true;
}

void TDataM::qryGrxxAfterOpen() { ExportAll = false; }

void TDataM::CloseAllDataSet()
{
    m_qryGrxx->close();
    closeSqlite(MainConnection);
}

} // namespace kvam
