#pragma once

#include "reports/office/DocxModel.h"

#include <QByteArray>

class QIODevice;

// The WordprocessingML parts of a document that depend on its content.
namespace kvam::docx {

// word/document.xml, streamed to device. False when the device fails.
bool writeDocumentPart(const Model &model, QIODevice *device);
QByteArray footerPart(const Model &model);
QByteArray settingsPart(const Model &model);
QByteArray corePropertiesPart();

} // namespace kvam::docx
