#include "platform/DocumentOpener.h"

namespace kvam {

bool RecordingDocumentOpener::open(const QString &path)
{
    QMutexLocker lock(&m_mutex);
    m_opened << path;
    return true;
}

QStringList RecordingDocumentOpener::opened() const
{
    QMutexLocker lock(&m_mutex);
    return m_opened;
}

namespace {
RecordingDocumentOpener fallbackOpener;
DocumentOpener *installedOpener = &fallbackOpener;
} // namespace

DocumentOpener &documentOpener() { return *installedOpener; }

DocumentOpener *setDocumentOpener(DocumentOpener *opener)
{
    DocumentOpener *previous = installedOpener;
    installedOpener = opener ? opener : &fallbackOpener;
    return previous;
}

} // namespace kvam
