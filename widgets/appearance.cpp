// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "formstyle.h"
#include "imagefile.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>

void Appearance::prepare()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // 1.5 at 144 dpi, as Qt 6 does, not rounded up to 2: a window twice its
    // size leaves no room on a laptop's screen.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
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

void Appearance::builtInImages() { ImageFile::builtIn(); }

void Appearance::picture(QLabel* label, const QString& fileName, const QString& folder, qreal zoom)
{
    const qreal ratio = qApp->devicePixelRatio();
    const QPixmap image = ImageFile::load(fileName, folder, ratio * zoom, ratio);
    if (!image.isNull())
        label->setPixmap(image);
}
