// SPDX-License-Identifier: GPL-3.0-or-later
// The least any program showing Vantor's window does: the generated form, in
// Vantor's style, fonts and icon, on a bare QMainWindow, with no catalogue.
#include "appearance.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    Appearance::prepare();
    QApplication application(argc, argv);
    Appearance::apply();
    QMainWindow window;
    Ui::MainWindow form;
    form.setupUi(&window);
    window.show();
    return application.exec();
}
