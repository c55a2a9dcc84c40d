#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>

namespace kvam {

// The result of the main record query for the grid. Opening it reads only
// the identity numbers of the result (z_zjhm, the table's key), so the count
// is the result's true count at once and any row can be reached directly;
// the rows themselves are fetched a page at a time by their numbers and only
// a bounded number of pages is kept.
class GrxxQueryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GrxxQueryModel(QObject *parent = nullptr);

    // Runs statement (SQLite dialect) on db. Its columns must include z_zjhm.
    bool open(const QSqlDatabase &db, const QString &statement, QString *error = nullptr);
    void close();
    bool isOpen() const { return m_open; }
    QString statement() const { return m_statement; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The column as the database reports its name.
    QString columnName(int column) const { return m_columns.value(column); }
    int columnIndex(const QString &name) const { return static_cast<int>(m_columns.indexOf(name)); }
    // The caption shown; a column without one is titled with its name.
    void setCaption(int column, const QString &caption);
    QString caption(int column) const { return m_captions.value(column); }
    void setColumnHidden(int column, bool hidden);
    bool isColumnHidden(int column) const { return m_hidden.value(column); }

    // The raw value of a column of a row, as the database holds it.
    QVariant value(int row, int column) const;
    QString zjhm(int row) const;

    // Writes the three review flags of a row to the grjbxx00 row of its
    // identity number (an empty text stores NULL) and shows the new values.
    bool setFlags(int row, const QVariant &shbz, const QVariant &psbz, const QVariant &zkbz, QString *error = nullptr);
    // Deletes the rows from grjbxx00 in one transaction; nothing is deleted
    // when any deletion fails.
    bool deleteRows(const QList<int> &rows, QString *error = nullptr);

private:
    using Page = QList<QVariantList>;
    static constexpr int PageSize = 256;
    static constexpr int PagesKept = 64;

    const Page *page(int number) const;
    void forgetPages() const;

    QSqlDatabase m_db;
    QString m_statement;
    bool m_open = false;
    QStringList m_columns;
    QStringList m_captions;
    QList<bool> m_hidden;
    int m_keyColumn = -1;
    // The identity numbers of the result in its order, as UTF-8 one after
    // the other: a million numbers cost about 22 MB.
    QByteArray m_keyBytes;
    QList<qint32> m_keyStarts;

    mutable QHash<int, Page> m_pages;
    mutable QList<int> m_pageOrder; // least recently used first
};

} // namespace kvam
