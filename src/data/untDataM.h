#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace kvam {

class GrxxQueryModel;

// The data module: the one connection of the program, the field display
// names, the code-table cache and the main record query the grid shows.
class TDataM : public QObject {
    Q_OBJECT
public:
    explicit TDataM(QObject *parent = nullptr);
    ~TDataM() override;

    // Connects, loads the display names, loads the code cache behind the
    // wait window. A failure is reported and asks the program to end; the
    // later steps still run and report their own failures.
    void DataModuleCreate();
    bool terminationRequested() const { return m_terminate; }

    // Rebuilds and opens the main record query with the condition file.
    bool OpenGrxxTable();
    // Closes the record query and the connection, so the database file is free.
    void CloseAllDataSet();
    // Opens the connection again (the first time, at creation).
    bool reconnect(QString *error = nullptr);
    bool connected() const;

    // Fills the fourteen code arrays on the calling thread's own connection.
    void InitAllCode();

    QSqlDatabase ADOConnection() const;
    // A query on the main connection for short reads and writes.
    QSqlQuery qryOperator() const;
    GrxxQueryModel *qryGrxx() const { return m_qryGrxx; }
    bool isGrxxOpen() const;
    // The main record query's text as it was built, in the Jet dialect.
    QStringList grxxLines() const { return m_grxxLines; }

private:
    void qryGrxxAfterOpen();

    GrxxQueryModel *m_qryGrxx;
    QStringList m_grxxLines;
    std::atomic<bool> m_terminate{false};
};

// The program's one data module.
extern TDataM *DataM;

} // namespace kvam
