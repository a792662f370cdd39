// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "catalogue.h"
#include "sheet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace {

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

void fail(const QString& message)
{
    print(stderr, QStringLiteral("vantor: %1\nTry 'vantor --help'.\n").arg(message));
}

// Every problem as FILE:LINE: message, then a summary when asked for or when
// the catalogue cannot be used; returns the exit status.
int tell(const Catalogue& catalogue, bool summary)
{
    for (const CatalogueProblem& problem : catalogue.unusable)
        print(stderr, problem.located() + QLatin1Char('\n'));
    for (const CatalogueProblem& problem : catalogue.problems)
        print(stderr, problem.located() + QLatin1Char('\n'));
    if (!catalogue.complete()) {
        print(stderr,
            QStringLiteral("vantor: the catalogue in %1 cannot be used\n")
                .arg(QDir::toNativeSeparators(catalogue.folder)));
        return 2;
    }
    const int count = catalogue.problems.size();
    if (summary && count == 0)
        print(stderr, QStringLiteral("vantor: no problems\n"));
    else if (summary)
        print(
            stderr, QStringLiteral("vantor: %1 problem%2\n").arg(count).arg(count == 1 ? "" : "s"));
    return count == 0 ? 0 : 1;
}

// Names given that the catalogue does not know, told with those it does.
bool known(const QStringList& given, const QStringList& names, const QString& what)
{
    for (const QString& name : given) {
        if (!names.contains(name)) {
            QStringList unique = names;
            unique.removeDuplicates();
            fail(QStringLiteral("no %1 \"%2\" in the catalogue; it has: %3")
                     .arg(what, name, unique.join(QStringLiteral(", "))));
            return false;
        }
    }
    return true;
}

}

bool CommandLine::withoutWindow(int argc, char** argv)
{
    static const char* const options[] = { "--check", "--sheet", "--format", "--cabinet",
        "--amplifier", "--help", "--help-all", "-h", "-?", "--version", "-v" };
    for (int i = 1; i < argc; ++i) {
        for (const char* option : options) {
            const size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0
                && (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

void CommandLine::describe(QCommandLineParser& parser, bool window)
{
    parser.setApplicationDescription(QStringLiteral(
        "Works out the limiter threshold of a power amplifier driving loudspeaker cabinets, "
        "from the catalogue files data_spk.txt and data_amplis.txt in FOLDER (by default the "
        "working directory)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
        QStringLiteral("The folder holding the catalogue and images."), QStringLiteral("[FOLDER]"));
    if (window)
        return;
    parser.addOptions({
        { QStringLiteral("check"),
            QStringLiteral("Print every catalogue problem as FILE:LINE: message and exit: 0 when "
                           "there is none, 1 when there are some, 2 when a file cannot be used.") },
        { QStringLiteral("sheet"),
            QStringLiteral("Print the threshold of every selection the window can be set to.") },
        { QStringLiteral("format"), QStringLiteral("The sheet as a table (default) or csv."),
            QStringLiteral("table|csv"), QStringLiteral("table") },
        { QStringLiteral("cabinet"), QStringLiteral("Only this cabinet model (repeatable)."),
            QStringLiteral("NAME") },
        { QStringLiteral("amplifier"), QStringLiteral("Only this amplifier model (repeatable)."),
            QStringLiteral("NAME") },
    });
}

bool CommandLine::parse(QCommandLineParser& parser, const QStringList& arguments, int& status)
{
    status = 2;
    if (!parser.parse(arguments)) {
        fail(parser.errorText());
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        print(stdout, parser.helpText());
        status = 0;
        return false;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("vantor %1\n").arg(QCoreApplication::applicationVersion()));
        status = 0;
        return false;
    }
    if (parser.positionalArguments().size() > 1) {
        fail(QStringLiteral("one folder at most"));
        return false;
    }
    return true;
}

int CommandLine::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser, false);
    int status = 0;
    if (!parse(parser, arguments, status))
        return status;
    const bool check = parser.isSet(QStringLiteral("check"));
    const bool sheet = parser.isSet(QStringLiteral("sheet"));
    const QString format = parser.value(QStringLiteral("format"));
    if (check == sheet) {
        fail(QStringLiteral("give --check or --sheet"));
        return 2;
    }
    if (check
        && (parser.isSet(QStringLiteral("format")) || parser.isSet(QStringLiteral("cabinet"))
            || parser.isSet(QStringLiteral("amplifier")))) {
        fail(QStringLiteral("--format, --cabinet and --amplifier go with --sheet"));
        return 2;
    }
    if (format != QLatin1String("table") && format != QLatin1String("csv")) {
        fail(QStringLiteral("--format is table or csv, not \"%1\"").arg(format));
        return 2;
    }

    const Catalogue catalogue = Catalogue::load(parser.positionalArguments().value(0));
    status = tell(catalogue, check);
    if (check || status == 2)
        return status;

    const QStringList cabinets = parser.values(QStringLiteral("cabinet"));
    const QStringList amplifiers = parser.values(QStringLiteral("amplifier"));
    QStringList cabinetNames;
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        cabinetNames.append(cabinet.name);
    if (!known(cabinets, cabinetNames, QStringLiteral("cabinet"))
        || !known(amplifiers, catalogue.amplifierModels, QStringLiteral("amplifier")))
        return 2;
    const QVector<Configuration> rows = Sheet::selections(catalogue, cabinets, amplifiers);
    print(stdout, format == QLatin1String("csv") ? Sheet::csv(rows) : Sheet::table(rows));
    return 0;
}

bool CommandLine::enterFolder(const QStringList& arguments, int& status, QString& folder)
{
    QCommandLineParser parser;
    describe(parser, true);
    if (!parse(parser, arguments, status))
        return false;
    folder = parser.positionalArguments().value(0);
    if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        fail(QStringLiteral("%1: no such folder").arg(folder));
        status = 2;
        return false;
    }
    return true;
}
