// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "commandline.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    CommandLine commandLine(CommandLine::arguments(argc, argv));
    if (!commandLine.window()) {
        QCoreApplication application(argc, argv);
        return commandLine.run();
    }
    Appearance::prepare();
    QApplication application(argc, argv);
#ifdef VANTOR_APP_ID
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTOR_APP_ID));
#endif
    Appearance::apply();
    MainWindow window(commandLine.folder());
    window.show();
    return application.exec();
}
