// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "commandline.h"
#include "mainwindow.h"
#include "sheetpages.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    CommandLine commandLine(CommandLine::arguments(argc, argv));
    if (commandLine.pdf()) {
        // Pages are drawn with fonts, which takes a platform: one that needs no display.
        // The toolkit's own notes (no runtime folder, say) are not the program's messages.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        });
        QGuiApplication application(argc, argv);
        const CommandLine::Paper paper = commandLine.paper();
        return commandLine.run(
            [&](QIODevice& file, const Catalogue& catalogue, const Sheet::Filter& filter) {
                return SheetPages(catalogue, filter)
                    .writePdf(file, SheetPages::pdfPageLayout(paper.size, paper.landscape));
            });
    }
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
