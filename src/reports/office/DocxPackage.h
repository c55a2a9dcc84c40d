#pragma once

#include "reports/office/DocxModel.h"

#include <QString>

namespace kvam::docx {

// Writes the whole .docx package of model to file (a new file in a staging
// folder; the caller publishes it).
bool writeDocxPackage(const Model &model, const QString &file, QString *error);

} // namespace kvam::docx
