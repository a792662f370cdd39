// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagefile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// The image in the file, or none when it is no regular file, too large in
// bytes or in the pixels its header states, or no image at all.
QPixmap read(const QString& path)
{
    const QFileInfo info(path);
    QFile file(info.filePath());
    if (!info.isFile() || info.size() > ImageFile::maxBytes || !file.open(QIODevice::ReadOnly))
        return QPixmap();
    QBuffer bytes;
    bytes.setData(file.read(ImageFile::maxBytes));
    bytes.open(QIODevice::ReadOnly);
    QImageReader reader(&bytes);
    const QSize stated = reader.size();
    if (!stated.isValid() || stated.width() > ImageFile::maxSide
        || stated.height() > ImageFile::maxSide)
        return QPixmap();
    return QPixmap::fromImage(reader.read());
}
}

void ImageFile::builtIn() { Q_INIT_RESOURCE(images); }

QPixmap ImageFile::load(const QString& fileName, const QString& folder, qreal scale, qreal ratio)
{
    builtIn();
    const QFileInfo file(fileName);
    const QString twin = file.completeBaseName() + QStringLiteral("@2x.") + file.suffix();
    QStringList names { fileName };
    if (scale > 1)
        names.prepend(twin);
    QStringList places { QString(), QStringLiteral(":/images/") };
    if (!folder.isEmpty())
        places.prepend(QDir(folder).path() + QLatin1Char('/'));
    for (const QString& place : places) {
        for (const QString& name : names) {
            QPixmap image = read(place + name);
            if (image.isNull())
                continue;
            image.setDevicePixelRatio(name == twin ? 2 : 1);
            if (!qFuzzyCompare(scale, image.devicePixelRatio())) {
                image = image.scaled((QSizeF(image.size()) * scale / image.devicePixelRatio()).toSize(),
                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                image.setDevicePixelRatio(ratio);
            }
            return image;
        }
    }
    return QPixmap();
}
