// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    Ui::MainWindow form;
    form.setupUi(&window);
    window.show();
    return application.exec();
}
