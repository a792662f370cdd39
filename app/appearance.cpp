// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "formstyle.h"

#include <QApplication>
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

void Appearance::sharpen(QLabel* label, const QString& fileName)
{
    if (qApp->devicePixelRatio() < 2)
        return;
    const QFileInfo file(fileName);
    QPixmap sharp(
        file.path() + '/' + file.completeBaseName() + QStringLiteral("@2x.") + file.suffix());
    if (sharp.isNull())
        return;
    sharp.setDevicePixelRatio(2);
    label->setPixmap(sharp);
}
