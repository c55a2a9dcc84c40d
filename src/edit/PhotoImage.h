#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace kvam {

// A stored photo counts only when it is longer than 100 bytes and reads as
// a JPEG image; anything else is no photo.
bool isStoredPhoto(const QByteArray &blob);

// The pixel size of an image held as bytes; empty when it cannot be read.
QSize photoSize(const QByteArray &bytes);

// The JPEG bytes of a picture file: a JPEG file as it is, another readable
// image converted to JPEG. Empty, with *error, when the file is no picture.
QByteArray readPhotoFile(const QString &path, QString *error = nullptr);

} // namespace kvam
