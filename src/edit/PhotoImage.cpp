#include "edit/PhotoImage.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace kvam {

bool isStoredPhoto(const QByteArray &blob)
{
    if (blob.size() <= 100)
        return false;
    QImage image;
    return image.loadFromData(blob, "JPEG");
}

QSize photoSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QImage image = reader.read();
    return image.isNull() ? QSize() : image.size();
}

QByteArray readPhotoFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    QImage image;
    if (image.loadFromData(bytes, "JPEG"))
        return bytes;
    if (!image.loadFromData(bytes)) {
        if (error)
            *error = QStringLiteral("no readable image");
        return {};
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return jpeg;
}

} // namespace kvam
