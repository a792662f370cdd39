// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    if (CommandLine::withoutWindow(argc, argv)) {
        QCoreApplication application(argc, argv);
        return CommandLine::run(application.arguments());
    }
    Appearance::prepare();
    QApplication application(argc, argv);
#ifdef VANTOR_APP_ID
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTOR_APP_ID));
#endif
    Appearance::apply();
    int status = 0;
    QString folder;
    if (!CommandLine::enterFolder(application.arguments(), status, folder))
        return status;
    MainWindow window(folder);
    window.show();
    return application.exec();
}
