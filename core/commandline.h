// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mode.h"
#include "sheet.h"

#include <QCommandLineParser>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class Catalogue;
class QIODevice;

// Vantor's command line: `vantor [FOLDER]` opens the window on the catalogue in
// FOLDER; --check and --sheet work without a window or a display. The whole
// command line is read before any application object exists, so that a wrong
// one never needs a display. Data goes to standard output, messages to
// standard error; the exit status is 0 when all is well, 1 when the catalogue
// has problems, 2 when it cannot be used, the command line is wrong or the
// output cannot be written.
class CommandLine {
public:
    // The arguments as the program got them, its name first.
    explicit CommandLine(const QStringList& arguments);
    static QStringList arguments(int argc, char** argv);

    // A valid command line that asks for nothing but the window.
    bool window() const;
    // A valid command line for a PDF sheet, which needs a QGuiApplication
    // (the offscreen platform does: no display).
    bool pdf() const;
    // The folder named, or empty for the working directory.
    QString folder() const;
    // Writes the sheet of the catalogue, as the filter takes it, as PDF;
    // false when the device cannot be written.
    using PdfWriter = std::function<bool(QIODevice&, const Catalogue&, const Sheet::Filter&)>;
    // The paper a PDF sheet is laid out for: "A4", "Letter" or "A5" (empty:
    // A4, or Letter where the locale measures in inches), upright or turned.
    struct Paper {
        QString size;
        bool landscape = false;
    };
    Paper paper() const;
    // Everything but the window, under a QCoreApplication (a QGuiApplication
    // for a PDF, drawn by `pdf`): data to `out`, messages to `err`; returns
    // the exit status.
    int run(QIODevice& out, QIODevice& err, const PdfWriter& pdf = {});
    // The same on standard output and standard error.
    int run(const PdfWriter& pdf = {});

private:
    QStringList declareOptions();
    static QStringList ownArguments(const QStringList& arguments);
    QString wrong() const;
    QString wrongValue() const;
    void readModes(const QStringList& own, const QStringList& valued);
    Sheet::Filter filter(const Catalogue& catalogue) const;
    int sheet(
        QIODevice& out, QIODevice& err, const Catalogue& catalogue, const PdfWriter& pdf) const;

    QCommandLineParser parser;
    QString error; // what is wrong with the command line
    QHash<QString, QVector<Mode>> modes; // by --mode, for the models named
    QVector<Mode> everyModel; // by --mode, for every model
};
