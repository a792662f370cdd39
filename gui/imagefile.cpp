// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
            const QFileInfo info(place + name);
            QFile file(info.filePath());
            QPixmap image;
            if (!info.isFile() || info.size() > maxBytes || !file.open(QIODevice::ReadOnly)
                || !image.loadFromData(file.read(maxBytes)))
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
