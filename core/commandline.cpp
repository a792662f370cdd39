// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "catalogue.h"
#include "plaintext.h"
#include "sheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>

namespace {

// Messages may hold what a catalogue says: no control character of it reaches a terminal.
void tell(const QString& message)
{
    const QByteArray bytes = PlainText::escaped(message).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

int fail(const QString& message)
{
    tell(QStringLiteral("vantor: %1; try 'vantor --help'\n").arg(message));
    return 2;
}

// Standard output, written straight through, so that a failed write is seen
// where it happens. A closed pipe ends the program quietly.
class Output : public QFile {
public:
    Output() { open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered); }
    int failed() const
    {
        if (errno != EPIPE)
            tell(QStringLiteral("vantor: write error: %1\n").arg(errorString()));
        return 2;
    }
};

// The window's application object takes these toolkit options itself; the
// ones in `valued` are followed by a value.
bool toolkitOption(const QString& argument, bool& valued)
{
    static const QStringList flags { "reverse", "widgetcount", "nograb", "dograb", "sync" };
    static const QStringList withValue { "platform", "platformpluginpath", "platformtheme",
        "plugin", "qwindowgeometry", "qwindowtitle", "qwindowicon", "style", "stylesheet",
        "session", "display", "geometry", "name", "title" };
    if (!argument.startsWith(QLatin1Char('-')))
        return false;
    const QString name
        = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1).section('=', 0, 0);
    valued = withValue.contains(name) && !argument.contains(QLatin1Char('='));
    return flags.contains(name) || withValue.contains(name);
}

// Every problem as FILE:LINE: message, then a summary when asked for or when
// the catalogue cannot be used; returns the exit status.
int report(const Catalogue& catalogue, bool summary)
{
    for (const CatalogueProblem& problem : catalogue.unusable)
        tell(problem.located() + QLatin1Char('\n'));
    for (const CatalogueProblem& problem : catalogue.problems)
        tell(problem.located() + QLatin1Char('\n'));
    if (!catalogue.complete()) {
        tell(QStringLiteral("vantor: the catalogue in %1 cannot be used\n")
                 .arg(QDir::toNativeSeparators(catalogue.folder)));
        return 2;
    }
    const int count = catalogue.problems.size();
    if (summary && count == 0)
        tell(QStringLiteral("vantor: no problems\n"));
    else if (summary)
        tell(QStringLiteral("vantor: %1 problem%2\n").arg(count).arg(count == 1 ? "" : "s"));
    return count == 0 ? 0 : 1;
}

// A name given that the catalogue does not know, told with those it does.
QString unknown(const QStringList& given, QStringList names, const QString& what)
{
    names.removeDuplicates();
    for (const QString& name : given) {
        if (!names.contains(name))
            return QStringLiteral("no %1 \"%2\" in the catalogue; it has: %3")
                .arg(what, name, names.join(QStringLiteral(", ")));
    }
    return QString();
}

}

QStringList CommandLine::arguments(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

CommandLine::CommandLine(const QStringList& arguments)
{
    parser.setApplicationDescription(QStringLiteral(
        "Works out the limiter threshold of a power amplifier driving loudspeaker\n"
        "cabinets, from the catalogue files data_spk.txt and data_amplis.txt in FOLDER\n"
        "(by default the working directory)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
        QStringLiteral("The folder holding the catalogue and images."), QStringLiteral("[FOLDER]"));
    parser.addOptions({
        { QStringLiteral("check"),
            QStringLiteral("Print every catalogue problem as FILE:LINE: message and exit: 0 when "
                           "there is none, 1 when there are some, 2 when a file cannot be used.") },
        { QStringLiteral("sheet"),
            QStringLiteral("Print the threshold of every selection the window can be set to.") },
        { QStringLiteral("format"),
            QStringLiteral("The sheet as a table (default), csv or pdf (needs --output): a page "
                           "of the accepted selections by amplifier."),
            QStringLiteral("table|csv|pdf"), QStringLiteral("table") },
        { QStringLiteral("cabinet"), QStringLiteral("Only this cabinet model (repeatable)."),
            QStringLiteral("NAME") },
        { QStringLiteral("count"),
            QStringLiteral("Only this number of cabinets, 1 to 4 (repeatable)."),
            QStringLiteral("N") },
        { QStringLiteral("amplifier"), QStringLiteral("Only this amplifier model (repeatable)."),
            QStringLiteral("NAME") },
        { QStringLiteral("accepted"),
            QStringLiteral("Leave refused selections out of the sheet.") },
        { QStringLiteral("output"),
            QStringLiteral("Write the sheet to FILE, replacing it only once written whole."),
            QStringLiteral("FILE") },
    });

    QStringList own;
    for (int i = 0; i < arguments.size(); ++i) {
        bool valued = false;
        if (i > 0 && toolkitOption(arguments.at(i), valued))
            i += valued ? 1 : 0;
        else
            own << arguments.at(i);
    }
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    const QString folder = parser.parse(own) ? this->folder() : QString();
    const QString format = parser.value(QStringLiteral("format"));
    if (!parser.errorText().isEmpty()) {
        error = parser.errorText();
        error[0] = error.at(0).toLower();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
    } else if (isSet("help") || isSet("help-all") || isSet("version")) {
        return;
    } else if (isSet("check") && isSet("sheet")) {
        error = QStringLiteral("give --check or --sheet, not both");
    } else if (!isSet("sheet")
        && (isSet("format") || isSet("cabinet") || isSet("count") || isSet("amplifier")
            || isSet("accepted") || isSet("output"))) {
        error = QStringLiteral(
            "--format, --cabinet, --count, --amplifier, --accepted and --output go with --sheet");
    } else if (!QStringList { "table", "csv", "pdf" }.contains(format)) {
        error = QStringLiteral("--format is table, csv or pdf, not \"%1\"").arg(format);
    } else if (format == QLatin1String("pdf") && !isSet("output")) {
        error = QStringLiteral("--format pdf needs --output FILE");
    } else if (const QString count = wrongCount(); !count.isEmpty()) {
        error = count;
    } else if (parser.positionalArguments().size() > 1) {
        error = QStringLiteral("one folder at most");
    } else if (!folder.isEmpty() && !QFileInfo(folder).isDir()) {
        error = QStringLiteral("%1: no such folder").arg(folder);
    }
}

// What is wrong with a count named, each 1 to 4; empty when nothing is.
QString CommandLine::wrongCount() const
{
    for (const QString& given : parser.values(QStringLiteral("count"))) {
        bool number = false;
        const int count = given.toInt(&number);
        if (!number || count < 1 || count > 4)
            return QStringLiteral("--count is 1, 2, 3 or 4, not \"%1\"").arg(given);
    }
    return QString();
}

bool CommandLine::pdf() const
{
    return error.isEmpty() && parser.isSet(QStringLiteral("sheet"))
        && parser.value(QStringLiteral("format")) == QLatin1String("pdf");
}

bool CommandLine::window() const
{
    for (const char* option : { "help", "help-all", "version", "check", "sheet" })
        if (parser.isSet(QLatin1String(option)))
            return false;
    return error.isEmpty();
}

QString CommandLine::folder() const { return parser.positionalArguments().value(0); }

int CommandLine::run(const PdfWriter& pdf)
{
    if (!error.isEmpty())
        return fail(error);
    Output out;
    const auto print = [&](const QString& text) {
        const QByteArray bytes = text.toUtf8();
        return out.write(bytes) == bytes.size() ? 0 : out.failed();
    };
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return print(parser.helpText());
    if (parser.isSet(QStringLiteral("version")))
        return print(QStringLiteral("vantor %1\n").arg(QCoreApplication::applicationVersion()));

    const bool check = parser.isSet(QStringLiteral("check"));
    const Catalogue catalogue = Catalogue::load(folder());
    const int status = report(catalogue, check);
    if (check || status == 2)
        return status;

    Sheet::Filter filter;
    filter.cabinets = parser.values(QStringLiteral("cabinet"));
    filter.amplifiers = parser.values(QStringLiteral("amplifier"));
    for (const QString& count : parser.values(QStringLiteral("count")))
        filter.counts.append(count.toInt());
    filter.acceptedOnly = parser.isSet(QStringLiteral("accepted"));
    QStringList cabinetNames;
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        cabinetNames.append(cabinet.name());
    QString wrong = unknown(filter.cabinets, cabinetNames, QStringLiteral("cabinet"));
    if (wrong.isEmpty())
        wrong = unknown(filter.amplifiers, catalogue.amplifierModels, QStringLiteral("amplifier"));
    if (!wrong.isEmpty())
        return fail(wrong);
    const QString format = parser.value(QStringLiteral("format"));
    const Sheet::Format text = format == QLatin1String("csv") ? Sheet::Csv : Sheet::Table;
    if (!parser.isSet(QStringLiteral("output")))
        return Sheet::write(out, catalogue, text, filter) ? 0 : out.failed();
    // A file takes its place only once written whole: a failed run leaves none.
    const QString path = parser.value(QStringLiteral("output"));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)
        && (format == QLatin1String("pdf") ? pdf && pdf(file, catalogue, filter)
                                           : Sheet::write(file, catalogue, text, filter))
        && file.commit())
        return 0;
    tell(QStringLiteral("vantor: cannot write %1: %2\n")
             .arg(QDir::toNativeSeparators(path), file.errorString()));
    return 2;
}
