#include "exchange/PackageArchive.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <filesystem>
#include <memory>
#include <system_error>
#include <unistd.h>
#include <zip.h>

namespace kvam {

namespace {

struct ArchiveCloser {
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
struct EntryCloser {
    void operator()(zip_file_t *entry) const { zip_fclose(entry); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

void setText(QString *out, const QString &text)
{
    if (out)
        *out = text;
}

// Replaces to with from in one step, so to is never missing or half written.
bool replaceFile(const QString &from, const QString &to, QString *error)
{
    std::error_code code;
    std::filesystem::rename(QFile::encodeName(from).toStdString(), QFile::encodeName(to).toStdString(), code);
    if (code) {
        setText(error, QString::fromLocal8Bit(code.message().c_str()));
        return false;
    }
    return true;
}

bool syncFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && ::fsync(file.handle()) == 0;
}

// A temporary name beside file, hidden from the user's file lists.
QString partFileOf(const QString &file)
{
    const QFileInfo info(file);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part");
}

QString baseNameOf(const char *entryName)
{
    QString name = QString::fromLatin1(entryName);
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return name.mid(cut + 1);
}

bool startsLikeZip(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(2) == "PK";
}

} // namespace

bool writePackage(const QString &packageFile, const QString &databaseFile, QString *error)
{
    const QString part = partFileOf(packageFile);
    QFile::remove(part);
    int code = 0;
    Archive archive(zip_open(QFile::encodeName(part).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive) {
        setText(error, zipErrorText(code));
        return false;
    }
    zip_source_t *source = zip_source_file(archive.get(), QFile::encodeName(databaseFile).constData(), 0, 0);
    if (!source) {
        setText(error, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return false;
    }
    const zip_int64_t index = zip_file_add(archive.get(), PackageEntryName, source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source);
        setText(error, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return false;
    }
    if (zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9) != 0) {
        setText(error, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return false;
    }
    // zip_close reads the database and writes the archive; on failure the
    // archive stays ours to discard.
    if (zip_close(archive.get()) != 0) {
        setText(error, QString::fromLocal8Bit(zip_strerror(archive.get())));
        QFile::remove(part);
        return false;
    }
    archive.release();
    if (!syncFile(part) || !replaceFile(part, packageFile, error)) {
        if (error && error->isEmpty())
            *error = QStringLiteral("cannot write %1").arg(part);
        QFile::remove(part);
        return false;
    }
    return true;
}

qint64 unpackLimit(qint64 packageSize)
{
    constexpr qint64 cap = qint64(4) << 30;
    constexpr qint64 floor = qint64(16) << 20;
    return std::min(cap, std::max(floor, packageSize * 200));
}

UnpackFailure extractPackageDatabase(const QString &packageFile, const QString &targetFile, QString *detail)
{
    setText(detail, QString());
    const QFileInfo package(packageFile);
    if (!package.isFile() || !startsLikeZip(packageFile)) {
        setText(detail, QStringLiteral("%1 is no ZIP archive").arg(packageFile));
        return UnpackFailure::NotZip;
    }

    int code = 0;
    Archive archive(zip_open(QFile::encodeName(packageFile).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    if (!archive) {
        setText(detail, zipErrorText(code));
        return UnpackFailure::Damaged;
    }

    zip_int64_t found = -1;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (!name || baseNameOf(name).compare(QLatin1String(PackageEntryName), Qt::CaseInsensitive) != 0)
            continue;
        if (found >= 0)
            return UnpackFailure::Ambiguous;
        found = i;
    }
    if (found < 0)
        return UnpackFailure::NoDatabase;
    const auto index = static_cast<zip_uint64_t>(found);

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        setText(detail, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return UnpackFailure::Damaged;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        return UnpackFailure::Encrypted;
    const qint64 limit = unpackLimit(package.size());
    if (stat.size > static_cast<zip_uint64_t>(limit)) {
        setText(detail, QStringLiteral("entry of %1 bytes, limit %2").arg(stat.size).arg(limit));
        return UnpackFailure::TooLarge;
    }
    const qint64 declared = static_cast<qint64>(stat.size);
    const QStorageInfo disk(QFileInfo(targetFile).absolutePath());
    if (disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < declared) {
        setText(detail, QStringLiteral("entry of %1 bytes, %2 free").arg(declared).arg(disk.bytesAvailable()));
        return UnpackFailure::NoSpace;
    }

    Entry entry(zip_fopen_index(archive.get(), index, 0));
    if (!entry) {
        const int why = zip_error_code_zip(zip_get_error(archive.get()));
        setText(detail, QString::fromLocal8Bit(zip_strerror(archive.get())));
        return why == ZIP_ER_NOPASSWD || why == ZIP_ER_WRONGPASSWD || why == ZIP_ER_ENCRNOTSUPP
                   ? UnpackFailure::Encrypted
                   : UnpackFailure::Damaged;
    }

    const QString part = partFileOf(targetFile);
    QFile::remove(part);
    QFile out(part);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        setText(detail, out.errorString());
        return UnpackFailure::WriteFailed;
    }
    auto refuse = [&](UnpackFailure failure, const QString &why) {
        out.close();
        QFile::remove(part);
        setText(detail, why);
        return failure;
    };

    // The header may lie: the data itself is counted and cut off.
    QByteArray buffer(1 << 18, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(entry.get(), buffer.data(), static_cast<zip_uint64_t>(buffer.size()));
        if (n < 0)
            return refuse(UnpackFailure::Damaged, QString::fromLocal8Bit(zip_file_strerror(entry.get())));
        if (n == 0)
            break;
        total += n;
        if (total > limit)
            return refuse(UnpackFailure::TooLarge, QStringLiteral("entry grows past %1 bytes").arg(limit));
        if (total > declared)
            return refuse(UnpackFailure::Damaged,
                          QStringLiteral("entry longer than its declared %1 bytes").arg(declared));
        if (out.write(buffer.constData(), n) != n)
            return refuse(UnpackFailure::WriteFailed, out.errorString());
    }
    if (total != declared)
        return refuse(UnpackFailure::Damaged,
                      QStringLiteral("entry of %1 bytes, %2 declared").arg(total).arg(declared));
    const int closed = zip_fclose(entry.release());
    if (closed != 0)
        return refuse(UnpackFailure::Damaged, zipErrorText(closed));
    if (!out.flush())
        return refuse(UnpackFailure::WriteFailed, out.errorString());
    out.close();

    QString error;
    if (!replaceFile(part, targetFile, &error)) {
        QFile::remove(part);
        setText(detail, error);
        return UnpackFailure::WriteFailed;
    }
    return UnpackFailure::None;
}

QString unpackFailureText(UnpackFailure failure)
{
    switch (failure) {
    case UnpackFailure::None:
        return {};
    case UnpackFailure::NotZip:
        return QStringLiteral("不是有效的数据包(ZIP)文件");
    case UnpackFailure::Damaged:
        return QStringLiteral("不完整或已损坏，无法解压缩");
    case UnpackFailure::NoDatabase:
        return QStringLiteral("中没有数据文件kvam.mdb");
    case UnpackFailure::Ambiguous:
        return QStringLiteral("中有多个数据文件kvam.mdb");
    case UnpackFailure::Encrypted:
        return QStringLiteral("已加密，无法解压缩");
    case UnpackFailure::TooLarge:
        return QStringLiteral("中的数据文件解压后超过大小上限");
    case UnpackFailure::NoSpace:
        return QStringLiteral("解压缩所需的磁盘空间不足");
    case UnpackFailure::WriteFailed:
        return QStringLiteral("无法解压缩到temp目录");
    }
    return {};
}

} // namespace kvam
