// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QCommandLineParser;

// Vantor's command line: `vantor [FOLDER]` opens the window on the catalogue in
// FOLDER; --check and --sheet work without a window or a display. Data goes to
// standard output, messages to standard error; the exit status is 0 when all
// is well, 1 when the catalogue has problems, 2 when it cannot be used or the
// command line is wrong.
class CommandLine {
public:
    // Whether the arguments ask for something other than the window, so that
    // no display is needed.
    static bool withoutWindow(int argc, char** argv);
    // Runs that; returns the exit status.
    static int run(const QStringList& arguments);
    // For the window: the folder named, if any, in `folder`. False when the
    // program is to end at once with `status`.
    static bool enterFolder(const QStringList& arguments, int& status, QString& folder);

private:
    static void describe(QCommandLineParser& parser, bool window);
    static bool parse(QCommandLineParser& parser, const QStringList& arguments, int& status);
};
