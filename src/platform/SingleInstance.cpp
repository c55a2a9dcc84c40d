#include "platform/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace kvam {

SingleInstance::SingleInstance(const QString &name, const QString &appDir)
    : m_lock(std::make_unique<QLockFile>(lockPathFor(name, appDir)))
{
    // Never stale by age: only a dead owner frees the name.
    m_lock->setStaleLockTime(0);
}

bool SingleInstance::tryAcquire() { return m_lock->tryLock(0); }

QString SingleInstance::lockPathFor(const QString &name, const QString &appDir)
{
    const QString canonical = QFileInfo(appDir).absoluteFilePath();
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::temp().filePath(name + QLatin1Char('-') + QString::fromLatin1(digest) + QStringLiteral(".lock"));
}

} // namespace kvam
