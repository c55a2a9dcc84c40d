#pragma once

#include "platform/DocumentOpener.h"

namespace kvam {

// Opens a document with the desktop's default application, without waiting.
class DesktopDocumentOpener : public DocumentOpener {
public:
    bool open(const QString &path) override;
};

} // namespace kvam
