#include "platform/gui/DesktopDocumentOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace kvam {

bool DesktopDocumentOpener::open(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace kvam
