#pragma once

#include <QString>

namespace kvam {

// The check character of an 18-character identity number (GB 11643) from its
// first 17 digits: one of 0-9 or X.
QChar idCheckCharacter(const QString &first17);
bool hasValidIdCheck(const QString &number);

} // namespace kvam
