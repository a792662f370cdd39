// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "formstyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

void Appearance::prepare()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

void Appearance::apply()
{
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vantor"));
    QApplication::setStyle(new FormStyle);
    QApplication::setWindowIcon(icon());
}

QIcon Appearance::icon()
{
    Q_INIT_RESOURCE(vantor);
    QIcon bundled;
    for (const int size : { 16, 32, 48, 64, 128, 256 })
        bundled.addFile(QStringLiteral(":/icons/vantor-%1.png").arg(size), QSize(size, size));
    // The installed program names its launcher, and so its icon's name.
    const QString name = QGuiApplication::desktopFileName();
    return name.isEmpty() ? bundled : QIcon::fromTheme(name, bundled);
}

void Appearance::builtInImages() { Q_INIT_RESOURCE(images); }

void Appearance::picture(QLabel* label, const QString& fileName, const QString& folder, qreal zoom)
{
    builtInImages();
    const QFileInfo file(fileName);
    const QString twin = file.completeBaseName() + QStringLiteral("@2x.") + file.suffix();
    QStringList names { fileName };
    const qreal ratio = qApp->devicePixelRatio();
    if (ratio * zoom > 1)
        names.prepend(twin);
    QStringList places { QString(), QStringLiteral(":/images/") };
    if (!folder.isEmpty())
        places.prepend(QDir(folder).path() + QLatin1Char('/'));
    for (const QString& place : places) {
        for (const QString& name : names) {
            const QFileInfo info(place + name);
            QFile file(info.filePath());
            QPixmap image;
            if (!info.isFile() || info.size() > maxImageBytes || !file.open(QIODevice::ReadOnly)
                || !image.loadFromData(file.read(maxImageBytes)))
                continue;
            image.setDevicePixelRatio(name == twin ? 2 : 1);
            if (!qFuzzyCompare(zoom * ratio, image.devicePixelRatio())) {
                image = image.scaled(
                    (QSizeF(image.size()) * zoom * ratio / image.devicePixelRatio()).toSize(),
                    Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                image.setDevicePixelRatio(ratio);
            }
            label->setPixmap(image);
            return;
        }
    }
}
