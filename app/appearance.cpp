// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "formstyle.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>

namespace {
const int lineHeight = 13; // pixels: the tightest rows of the forms
const int smallestPixelSize = 8;
const char* const forms[] = { "MainWindow", "Dialog", "Dialog2" };
}

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
    // Only the fixed forms: menus, message boxes and tooltips lay themselves
    // out and keep the desktop's font.
    const QFont font = formFont(QApplication::font());
    for (const char* form : forms)
        QApplication::setFont(font, form);
    QApplication::setWindowIcon(icon());
}

QFont Appearance::formFont(const QFont& desktop)
{
    QFont font = desktop;
    int pixels = QFontInfo(desktop).pixelSize();
    for (; pixels > smallestPixelSize; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= lineHeight)
            break;
    }
    font.setPixelSize(pixels);
    return font;
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
