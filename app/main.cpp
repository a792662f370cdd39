// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "mainwindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Appearance::prepare();
    QApplication application(argc, argv);
#ifdef VANTOR_APP_ID
    // Lets the desktop match the windows to the installed launcher and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VANTOR_APP_ID));
#endif
    Appearance::apply();
    MainWindow window;
    window.show();
    return application.exec();
}
