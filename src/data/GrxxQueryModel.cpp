#include "data/GrxxQueryModel.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace kvam {

GrxxQueryModel::GrxxQueryModel(QObject *parent) : QAbstractTableModel(parent) {}

bool GrxxQueryModel::open(const QSqlDatabase &db, const QString &statement, QString *error)
{
    beginResetModel();
    const auto done = [this](bool ok) {
        endResetModel();
        return ok;
    };
    m_open = false;
    m_columns.clear();
    m_captions.clear();
    m_hidden.clear();
    m_keyBytes.clear();
    m_keyStarts.clear();
    forgetPages();
    m_db = db;
    m_statement = statement;

    QSqlQuery probe(db);
    if (!probe.exec(QStringLiteral("SELECT * FROM (\n%1\n) LIMIT 0").arg(statement))) {
        if (error)
            *error = probe.lastError().text();
        return done(false);
    }
    const QSqlRecord record = probe.record();
    for (int i = 0; i < record.count(); ++i)
        m_columns << record.fieldName(i);
    m_keyColumn = static_cast<int>(m_columns.indexOf(QStringLiteral("z_zjhm")));
    if (m_keyColumn < 0) {
        if (error)
            *error = QStringLiteral("the result has no column z_zjhm");
        return done(false);
    }
    m_captions = QStringList(m_columns.size(), QString());
    m_hidden = QList<bool>(m_columns.size(), false);

    // Only the key column is computed here: SQLite leaves the name
    // look-ups of the other columns out of this scan.
    QSqlQuery keys(db);
    keys.setForwardOnly(true);
    if (!keys.exec(QStringLiteral("SELECT z_zjhm FROM (\n%1\n)").arg(statement))) {
        if (error)
            *error = keys.lastError().text();
        return done(false);
    }
    while (keys.next()) {
        m_keyStarts << static_cast<qint32>(m_keyBytes.size());
        m_keyBytes += keys.value(0).toString().toUtf8();
    }
    if (keys.lastError().isValid()) {
        if (error)
            *error = keys.lastError().text();
        m_keyBytes.clear();
        m_keyStarts.clear();
        return done(false);
    }
    m_keyStarts << static_cast<qint32>(m_keyBytes.size());
    m_open = true;
    return done(true);
}

void GrxxQueryModel::close()
{
    beginResetModel();
    m_open = false;
    m_columns.clear();
    m_captions.clear();
    m_hidden.clear();
    m_keyBytes.clear();
    m_keyStarts.clear();
    forgetPages();
    m_db = QSqlDatabase();
    endResetModel();
}

int GrxxQueryModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || m_keyStarts.isEmpty())
        return 0;
    return static_cast<int>(m_keyStarts.size() - 1);
}

int GrxxQueryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QString GrxxQueryModel::zjhm(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    const qint32 start = m_keyStarts.at(row);
    return QString::fromUtf8(m_keyBytes.constData() + start, m_keyStarts.at(row + 1) - start);
}

void GrxxQueryModel::forgetPages() const
{
    m_pages.clear();
    m_pageOrder.clear();
}

const GrxxQueryModel::Page *GrxxQueryModel::page(int number) const
{
    if (const auto it = m_pages.constFind(number); it != m_pages.constEnd()) {
        m_pageOrder.removeOne(number);
        m_pageOrder << number;
        return &it.value();
    }
    const int first = number * PageSize;
    const int last = std::min(rowCount(), first + PageSize);
    if (first >= last || !m_db.isOpen())
        return nullptr;

    QStringList marks;
    for (int row = first; row < last; ++row)
        marks << QStringLiteral("?");
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT * FROM (\n%1\n) WHERE z_zjhm IN (%2)")
                           .arg(m_statement, marks.join(QLatin1Char(',')))))
        return nullptr;
    QHash<QString, int> position;
    for (int row = first; row < last; ++row) {
        const QString key = zjhm(row);
        query.addBindValue(key);
        position.insert(key, row - first);
    }
    if (!query.exec())
        return nullptr;
    Page rows(last - first);
    const int columns = static_cast<int>(m_columns.size());
    while (query.next()) {
        const auto at = position.constFind(query.value(m_keyColumn).toString());
        if (at == position.constEnd())
            continue;
        QVariantList values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c)
            values << query.value(c);
        rows[at.value()] = values;
    }
    if (m_pageOrder.size() >= PagesKept)
        m_pages.remove(m_pageOrder.takeFirst());
    m_pageOrder << number;
    return &m_pages.insert(number, rows).value();
}

QVariant GrxxQueryModel::value(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    const Page *rows = page(row / PageSize);
    if (!rows)
        return {};
    // A row deleted by someone else since the result was read stays empty.
    return rows->at(row % PageSize).value(column);
}

QVariant GrxxQueryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant v = value(index.row(), index.column());
    return v.isNull() ? QVariant() : v;
}

QVariant GrxxQueryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const QString caption = m_captions.value(section);
    return caption.isEmpty() ? m_columns.value(section) : caption;
}

void GrxxQueryModel::setCaption(int column, const QString &caption)
{
    if (column < 0 || column >= m_captions.size())
        return;
    m_captions[column] = caption;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

void GrxxQueryModel::setColumnHidden(int column, bool hidden)
{
    if (column >= 0 && column < m_hidden.size())
        m_hidden[column] = hidden;
}

bool GrxxQueryModel::setFlags(int row, const QVariant &shbz, const QVariant &psbz, const QVariant &zkbz,
                              QString *error)
{
    if (!m_open || row < 0 || row >= rowCount()) {
        if (error)
            *error = QStringLiteral("no record");
        return false;
    }
    auto flag = [](const QVariant &v) {
        return v.isNull() || v.toString().isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : v;
    };
    QSqlQuery update(m_db);
    update.prepare(QStringLiteral("UPDATE grjbxx00 SET z_shbz = ?, z_psbz = ?, z_zkbz = ? WHERE z_zjhm = ?"));
    update.addBindValue(flag(shbz));
    update.addBindValue(flag(psbz));
    update.addBindValue(flag(zkbz));
    update.addBindValue(zjhm(row));
    if (!update.exec()) {
        if (error)
            *error = update.lastError().text();
        return false;
    }
    const int number = row / PageSize;
    m_pages.remove(number);
    m_pageOrder.removeOne(number);
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    return true;
}

bool GrxxQueryModel::deleteRows(const QList<int> &rows, QString *error)
{
    if (!m_open) {
        if (error)
            *error = QStringLiteral("no records");
        return false;
    }
    QList<int> sorted;
    for (int row : rows) {
        if (row >= 0 && row < rowCount())
            sorted << row;
    }
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    auto fail = [&](const QSqlQuery &q) {
        if (error)
            *error = q.lastError().text();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    QSqlQuery begin(m_db);
    if (!begin.exec(QStringLiteral("BEGIN")))
        return fail(begin);
    QSqlQuery remove(m_db);
    remove.prepare(QStringLiteral("DELETE FROM grjbxx00 WHERE z_zjhm = ?"));
    for (int row : sorted) {
        remove.bindValue(0, zjhm(row));
        if (!remove.exec())
            return fail(remove);
    }
    QSqlQuery commit(m_db);
    if (!commit.exec(QStringLiteral("COMMIT")))
        return fail(commit);

    // Drop the deleted numbers from the result, keeping the order of the rest.
    beginResetModel();
    QByteArray bytes;
    QList<qint32> starts;
    bytes.reserve(m_keyBytes.size());
    qsizetype next = 0;
    for (int row = 0; row < rowCount(); ++row) {
        if (next < sorted.size() && sorted.at(next) == row) {
            ++next;
            continue;
        }
        starts << static_cast<qint32>(bytes.size());
        bytes.append(m_keyBytes.constData() + m_keyStarts.at(row), m_keyStarts.at(row + 1) - m_keyStarts.at(row));
    }
    starts << static_cast<qint32>(bytes.size());
    m_keyBytes = bytes;
    m_keyStarts = starts;
    forgetPages();
    endResetModel();
    return true;
}

} // namespace kvam
