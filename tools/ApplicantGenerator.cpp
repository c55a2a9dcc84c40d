#include "ApplicantGenerator.h"

#include "IdNumber.h"
#include "SampleCsv.h"
#include "data/Schema.h"
#include "data/UnitCodes.h"

#include <QBuffer>
#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QSet>

#include <sqlite3.h>
#include <unordered_set>

namespace kvam {

namespace {

struct CodeRow {
    QString bm;
    QString sjbm;
    int dj = 0;
};

class Random {
public:
    explicit Random(std::uint64_t &state) : m_state(state) {}
    // splitmix64: fast, and the same on every platform.
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T &pick(const QList<T> &list) { return list.at(below(static_cast<int>(list.size()))); }
    QString digits(int count)
    {
        QString s;
        s.reserve(count);
        for (int i = 0; i < count; ++i)
            s += QLatin1Char(static_cast<char>('0' + below(10)));
        return s;
    }

private:
    std::uint64_t &m_state;
};

QList<CodeRow> readCodes(sqlite3 *db, const char *table)
{
    QList<CodeRow> rows;
    sqlite3_stmt *stmt = nullptr;
    const QByteArray sql = QByteArray("SELECT trim(z_bm), trim(coalesce(z_sjbm,'')), coalesce(z_dj,0) FROM ")
                         + table + " ORDER BY z_bm";
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        rows.append({QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0))),
                     QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))),
                     sqlite3_column_int(stmt, 2)});
    }
    sqlite3_finalize(stmt);
    return rows;
}

// Rows that nothing else names as parent.
QList<CodeRow> leavesOf(const QList<CodeRow> &rows)
{
    QSet<QString> parents;
    for (const CodeRow &r : rows)
        parents.insert(r.sjbm);
    QList<CodeRow> leaves;
    for (const CodeRow &r : rows) {
        if (!parents.contains(r.bm))
            leaves << r;
    }
    return leaves;
}

QList<QByteArray> makePhotos()
{
    QList<QByteArray> photos;
    const QColor colours[] = {QColor(70, 110, 160), QColor(150, 90, 60), QColor(80, 140, 90), QColor(120, 120, 130)};
    for (const QColor &background : colours) {
        QImage image(90, 120, QImage::Format_RGB32);
        image.fill(background);
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(235, 200, 170));
        painter.drawEllipse(25, 20, 40, 48);
        painter.setBrush(QColor(40, 40, 50));
        painter.drawRect(15, 78, 60, 42);
        painter.end();
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (image.save(&buffer, "JPG", 80))
            photos << bytes;
    }
    return photos;
}

const char *const schools[] = {"北岭大学", "河西师范学院", "青川理工大学", "云江医学院", "东湖财经学院",
                               "Norvale省农业大学", "北岭职业技术学院", "河西大学"};
const char *const areas[] = {"530102", "530103", "530111", "530121", "530302", "530402",
                             "530502", "530602", "532301", "532501", "532601", "533102"};

} // namespace

ApplicantGenerator::ApplicantGenerator(std::uint64_t seed) : m_state(seed) {}

bool ApplicantGenerator::insert(sqlite3 *db, int count, QString *error)
{
    if (count <= 0)
        return true;
    Random rnd(m_state);

    const QList<CodeRow> mz = readCodes(db, "T_DM_GRJBXX00_MZ");
    const QList<CodeRow> zzmm = readCodes(db, "T_DM_GRJBXX00_ZZMM");
    const QList<CodeRow> xl = readCodes(db, "T_DM_GRJBXX00_XL");
    const QList<CodeRow> xw = readCodes(db, "T_DM_GRJBXX00_XW");
    const QList<CodeRow> sxzy = leavesOf(readCodes(db, "T_DM_GRJBXX00_SXZY"));
    const QList<CodeRow> cszy = leavesOf(readCodes(db, "T_DM_GRJBXX00_CSZY"));
    const QList<CodeRow> dwxz = readCodes(db, "T_DM_GRJBXX00_DWXZ");
    const QList<CodeRow> sbjb = readCodes(db, "T_DM_GRJBXX00_SBJB");
    const QList<CodeRow> jsfs = readCodes(db, "T_DM_GRJBXX00_JSFS");
    const QList<CodeRow> zccj = readCodes(db, "T_DM_GRJBXX00_ZCCJ");
    QList<CodeRow> qualifications;
    for (const CodeRow &r : readCodes(db, "T_DM_GRJBXX00_ZYJSZG")) {
        if (r.dj == 2 && !r.sjbm.isEmpty())
            qualifications << r;
    }
    // Units whose code places them at the level they claim (so the derived
    // supervising units are real rows), and that may still be chosen.
    QList<CodeRow> units;
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, "SELECT trim(z_bm), z_dj FROM T_DM_GRJBXX00_GZDW "
                               "WHERE z_dj BETWEEN 1 AND 4 AND z_sfky = 1 ORDER BY z_bm", -1, &stmt, nullptr);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            const QString code = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
            const int p = static_cast<int>(code.indexOf(QStringLiteral("0000"))) + 1;
            const int level = p == 5 ? 1 : p == 9 ? 2 : p == 13 ? 3 : 4;
            if (code.size() == 16 && level == sqlite3_column_int(stmt, 1))
                units.append({code, {}, level});
        }
        sqlite3_finalize(stmt);
    }
    QStringList surnames, givens;
    for (const QStringList &row : sampleCsv(QStringLiteral("names.csv")).rows) {
        if (row.size() < 2)
            continue;
        (row.at(0) == QLatin1String("surname") ? surnames : givens) << row.at(1);
    }
    for (const QList<CodeRow> *list : std::initializer_list<const QList<CodeRow> *>{&mz, &zzmm, &xl, &xw, &sxzy, &cszy, &dwxz, &sbjb, &jsfs, &zccj,
                                       &qualifications, &units}) {
        if (list->isEmpty()) {
            *error = QStringLiteral("a code table the applicants need is empty");
            return false;
        }
    }
    if (surnames.isEmpty() || givens.isEmpty()) {
        *error = QStringLiteral("the sample names are missing");
        return false;
    }
    const QList<QByteArray> photos = makePhotos();

    const QStringList &columns = schema::applicantColumns();
    QByteArray sql = "INSERT INTO grjbxx00 (" + columns.join(QLatin1Char(',')).toLatin1() + ") VALUES (";
    for (qsizetype i = 0; i < columns.size(); ++i)
        sql += i ? ",?" : "?";
    sql += ")";
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    // Values are bound in column order; each bind checks that it names the
    // column it fills, so a change of the schema cannot shift them silently.
    int position = 0;
    bool misordered = false;
    auto col = [&](const char *name) {
        ++position;
        if (columns.at(position - 1) != QLatin1String(name))
            misordered = true;
        return position;
    };
    auto bindText = [&](const char *name, const QString &value) {
        const QByteArray bytes = value.toUtf8();
        sqlite3_bind_text(stmt, col(name), bytes.constData(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    };
    auto bindInt = [&](const char *name, int value) { sqlite3_bind_int(stmt, col(name), value); };
    auto bindCode = [&](const char *name, const QString &code) { bindInt(name, code.toInt()); };
    auto bindFlag = [&](const char *name, int passPercent, int unsetPercent) {
        const int roll = rnd.below(100);
        if (roll < unsetPercent)
            sqlite3_bind_null(stmt, col(name));
        else
            bindInt(name, roll < unsetPercent + passPercent ? 1 : 0);
    };
    auto bindPhoto = [&](const char *name) {
        if (!photos.isEmpty() && rnd.chance(5)) {
            const QByteArray &photo = rnd.pick(photos);
            sqlite3_bind_blob(stmt, col(name), photo.constData(), static_cast<int>(photo.size()), SQLITE_STATIC);
        } else {
            sqlite3_bind_zeroblob(stmt, col(name), 0);
        }
    };
    const QString dateFormat = QStringLiteral("yyyy-MM-dd");
    const QDate firstBirth(1960, 1, 1);
    const int birthSpan = static_cast<int>(firstBirth.daysTo(QDate(1998, 12, 31)));
    std::unordered_set<std::uint64_t> used;
    used.reserve(static_cast<size_t>(count) * 2);

    for (int n = 0; n < count; ++n) {
        const int sex = rnd.chance(50) ? 1 : 2;
        QDate birth;
        QString first17;
        for (;;) {
            birth = firstBirth.addDays(rnd.below(birthSpan + 1));
            int sequence = rnd.below(500) * 2 + (sex == 1 ? 1 : 0);
            first17 = QLatin1String(areas[rnd.below(std::size(areas))]) + birth.toString(QStringLiteral("yyyyMMdd"))
                    + QStringLiteral("%1").arg(sequence, 3, 10, QLatin1Char('0'));
            if (used.insert(first17.toULongLong()).second)
                break;
        }
        const QString idNumber = first17 + idCheckCharacter(first17);

        sqlite3_reset(stmt);
        position = 0;
        bindText("z_xm", rnd.pick(surnames) + rnd.pick(givens));
        bindInt("z_xb", sex);
        bindCode("z_mz", rnd.chance(88) ? mz.first().bm : rnd.pick(mz).bm);
        bindCode("z_zzmm", rnd.pick(zzmm).bm);
        bindInt("z_zjlx", 1);
        bindText("z_zjhm", idNumber);
        bindText("z_csrq", birth.toString(dateFormat));
        bindPhoto("z_grzp");
        bindPhoto("z_zjzp");

        const int firstLevel = rnd.below(static_cast<int>(xl.size()));
        const QDate firstGraduation(birth.year() + 21 + rnd.below(3), 7, 1);
        bindCode("z_first_xl", xl.at(firstLevel).bm);
        bindCode("z_first_xw", rnd.pick(xw).bm);
        bindText("z_first_bysj", firstGraduation.toString(dateFormat));
        bindText("z_first_byyx", QString::fromUtf8(schools[rnd.below(std::size(schools))]));
        bindText("z_first_sxzy", rnd.pick(sxzy).bm);
        bindText("z_first_zshm", QStringLiteral("1") + rnd.digits(17));
        const bool sameEducation = rnd.chance(60);
        const int lastLevel = sameEducation ? firstLevel : rnd.below(firstLevel + 1);
        const QDate lastGraduation = sameEducation ? firstGraduation : firstGraduation.addYears(2 + rnd.below(3));
        bindCode("z_last_xl", xl.at(lastLevel).bm);
        bindCode("z_last_xw", rnd.pick(xw).bm);
        bindText("z_last_bysj", lastGraduation.toString(dateFormat));
        bindText("z_last_byyx", QString::fromUtf8(schools[rnd.below(std::size(schools))]));
        bindText("z_last_sxzy", rnd.pick(sxzy).bm);
        bindText("z_last_zshm", QStringLiteral("1") + rnd.digits(17));

        const QString unit = rnd.pick(units).bm;
        const SupervisingUnits parents = deriveSupervisingUnits(unit);
        const QDate startedWork = firstGraduation.addMonths(1 + rnd.below(3));
        bindText("z_gzdw", unit);
        bindText("z_cjgzsj", startedWork.toString(dateFormat));
        bindText("z_yijzgbm", parents.yijzgbm);
        bindText("z_erjzgbm", parents.erjzgbm);
        bindText("z_sanjzgbm", parents.sanjzgbm);
        bindText("z_sijzgbm", parents.sijzgbm);
        bindCode("z_dwxz", rnd.pick(dwxz).bm);
        bindText("z_cszy", rnd.pick(cszy).bm);
        bindText("z_dh1", QStringLiteral("0871") + rnd.digits(7));
        bindText("z_dh2", QStringLiteral("13") + rnd.digits(9));
        bindText("z_dh3", rnd.chance(10) ? QStringLiteral("0871") + rnd.digits(7) : QString(""));
        bindText("z_dh4", rnd.chance(10) ? QStringLiteral("15") + rnd.digits(9) : QString(""));
        bindText("z_bz", rnd.chance(8) ? QStringLiteral("材料齐全。\r\n另附论文%1篇。").arg(1 + rnd.below(4)) : QString(""));

        const CodeRow &applied = rnd.pick(qualifications);
        bindText("z_sbxl", applied.sjbm);
        bindText("z_sbzg", applied.bm);
        bindCode("z_sbdj", rnd.pick(sbjb).bm);
        bindText("z_sbzy", rnd.pick(cszy).bm);
        bindCode("z_jsfs", rnd.chance(80) ? jsfs.first().bm : rnd.pick(jsfs).bm);
        bindCode("z_jsjcj", rnd.chance(80) ? zccj.first().bm : rnd.pick(zccj).bm);
        bindCode("z_wycj", rnd.chance(80) ? zccj.first().bm : rnd.pick(zccj).bm);
        QList<CodeRow> sameSeries;
        for (const CodeRow &q : qualifications) {
            if (q.sjbm == applied.sjbm)
                sameSeries << q;
        }
        bindText("z_xrjszg", rnd.pick(sameSeries).bm);
        const int yearsSince = std::max(1, 2024 - startedWork.year());
        bindText("z_xrjszgsj", QDate(startedWork.year() + 1 + rnd.below(yearsSince), 1 + rnd.below(12), 1).toString(dateFormat));
        bindFlag("z_shbz", 88, 3);
        bindFlag("z_psbz", 80, 4);
        bindFlag("z_zkbz", 93, 2);

        if (misordered) {
            *error = QStringLiteral("applicant columns bound out of order");
            sqlite3_finalize(stmt);
            return false;
        }
        if (sqlite3_step(stmt) != SQLITE_DONE) {
            *error = QString::fromUtf8(sqlite3_errmsg(db));
            sqlite3_finalize(stmt);
            return false;
        }
    }
    sqlite3_finalize(stmt);
    return true;
}

} // namespace kvam
