// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include "catalogue.h"
#include "cataloguelocation.h"
#include "plaintext.h"
#include "savefile.h"
#include "sheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace {

// Messages may hold what a catalogue says: no control character of it reaches a terminal.
void tell(QIODevice& err, const QString& message)
{
    err.write(PlainText::escaped(message).toUtf8());
}

int fail(QIODevice& err, const QString& message)
{
    tell(err, QStringLiteral("vantor: %1; try 'vantor --help'\n").arg(message));
    return 2;
}

// The data could not be written: why, unless the reader of a pipe has gone,
// which ends the program quietly. Each write of data clears errno first, so
// that what the failed write left there is what is read here.
int writeFailed(const QIODevice& out, QIODevice& err)
{
    if (errno != EPIPE)
        tell(err, QStringLiteral("vantor: write error: %1\n").arg(out.errorString()));
    return 2;
}

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
int report(QIODevice& err, const Catalogue& catalogue, bool summary)
{
    for (const CatalogueProblem& problem : catalogue.unusable)
        tell(err, problem.located() + QLatin1Char('\n'));
    for (const CatalogueProblem& problem : catalogue.problems)
        tell(err, problem.located() + QLatin1Char('\n'));
    if (!catalogue.complete()) {
        tell(err,
            QStringLiteral("vantor: the catalogue in %1 cannot be used\n")
                .arg(QDir::toNativeSeparators(catalogue.folder)));
        return 2;
    }
    const int count = catalogue.problems.size();
    if (summary && count == 0)
        tell(err, QStringLiteral("vantor: no problems\n"));
    else if (summary)
        tell(err, QStringLiteral("vantor: %1 problem%2\n").arg(count).arg(count == 1 ? "" : "s"));
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

// The options, in the order --help lists them; returns the names of those
// that take a value.
QStringList CommandLine::declareOptions()
{
    parser.setApplicationDescription(QStringLiteral(
        "Works out the limiter threshold of a power amplifier driving loudspeaker\n"
        "cabinets, from the catalogue files data_spk.txt and data_amplis.txt in FOLDER\n"
        "(by default the working directory)."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FOLDER"),
        QStringLiteral("The folder holding the catalogue and images."), QStringLiteral("[FOLDER]"));
    const QList<QCommandLineOption> options {
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
        { QStringLiteral("mode"),
            QStringLiteral("Only this mode, ST or BTL, for the --amplifier models given since the "
                           "previous --mode, or for every model when there are none (repeatable: "
                           "the modes of a model add up)."),
            QStringLiteral("ST|BTL") },
        { QStringLiteral("accepted"),
            QStringLiteral("Leave refused selections out of the sheet.") },
        { QStringLiteral("paper"),
            QStringLiteral("The PDF's paper: A4, Letter or A5 (default: A4, or Letter where the "
                           "locale measures in inches)."),
            QStringLiteral("A4|Letter|A5") },
        { QStringLiteral("landscape"), QStringLiteral("The PDF's pages turned on their side.") },
        { QStringLiteral("output"),
            QStringLiteral("Write the sheet to FILE, replacing it only once written whole."),
            QStringLiteral("FILE") },
    };
    parser.addOptions(options);
    QStringList valued;
    for (const QCommandLineOption& option : options)
        if (!option.valueName().isEmpty())
            valued << option.names();
    return valued;
}

// The arguments without the toolkit's options, which the window's
// application object takes itself; the program's name first.
QStringList CommandLine::ownArguments(const QStringList& arguments)
{
    QStringList own;
    for (int i = 0; i < arguments.size(); ++i) {
        bool valued = false;
        if (i > 0 && toolkitOption(arguments.at(i), valued))
            i += valued ? 1 : 0;
        else
            own << arguments.at(i);
    }
    return own;
}

CommandLine::CommandLine(const QStringList& arguments)
{
    const QStringList valued = declareOptions();
    const QStringList own = ownArguments(arguments);
    parser.parse(own);
    error = wrong();
    if (error.isEmpty())
        readModes(own, valued);
}

// What is wrong with the command line parsed, the first thing found; empty
// when nothing is, or when it asks for help or the version.
QString CommandLine::wrong() const
{
    const auto isSet = [&](const char* name) { return parser.isSet(QLatin1String(name)); };
    const QString format = parser.value(QStringLiteral("format"));
    if (!parser.errorText().isEmpty()) {
        QString error = parser.errorText();
        error[0] = error.at(0).toLower();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        return error;
    }
    if (isSet("help") || isSet("help-all") || isSet("version"))
        return QString();
    if (isSet("check") && isSet("sheet"))
        return QStringLiteral("give --check or --sheet, not both");
    if (!isSet("sheet")
        && (isSet("format") || isSet("cabinet") || isSet("count") || isSet("amplifier")
            || isSet("mode") || isSet("accepted") || isSet("output")))
        return QStringLiteral("--format, --cabinet, --count, --amplifier, --mode, --accepted and "
                              "--output go with --sheet");
    if (!QStringList { "table", "csv", "pdf" }.contains(format))
        return QStringLiteral("--format is table, csv or pdf, not \"%1\"").arg(format);
    if (format == QLatin1String("pdf") && !isSet("output"))
        return QStringLiteral("--format pdf needs --output FILE");
    if (format != QLatin1String("pdf") && (isSet("paper") || isSet("landscape")))
        return QStringLiteral("--paper and --landscape go with --format pdf");
    if (isSet("paper") && paper().size.isEmpty())
        return QStringLiteral("--paper is A4, Letter or A5, not \"")
            + parser.value(QStringLiteral("paper")) + QLatin1Char('"');
    if (const QString value = wrongValue(); !value.isEmpty())
        return value;
    if (parser.positionalArguments().size() > 1)
        return QStringLiteral("one folder at most");
    if (!folder().isEmpty() && !QFileInfo(folder()).isDir())
        return QStringLiteral("%1: no such folder").arg(folder());
    return QString();
}

// What is wrong with a count named, each 1 to 4, or a mode, each ST or BTL;
// empty when nothing is.
QString CommandLine::wrongValue() const
{
    for (const QString& given : parser.values(QStringLiteral("count"))) {
        bool number = false;
        const int count = given.toInt(&number);
        if (!number || count < 1 || count > 4)
            return QStringLiteral("--count is 1, 2, 3 or 4, not \"%1\"").arg(given);
    }
    for (const QString& given : parser.values(QStringLiteral("mode"))) {
        const std::optional<Mode> mode = Mode::parse(given);
        if (!mode || !mode->hasSwitch())
            return QStringLiteral("--mode is ST or BTL, not \"%1\"").arg(given);
    }
    return QString();
}

// The models each --mode takes: those of the --amplifier options since the
// previous --mode (a --mode right after another takes the same ones), or
// every model when there are none. QCommandLineParser keeps no order between
// options, so the arguments are read again here as it reads them: a value
// after "=" or as the next argument, no option after "--".
void CommandLine::readModes(const QStringList& own, const QStringList& valued)
{
    const auto add = [](QVector<Mode>& modes, Mode mode) {
        if (!modes.contains(mode))
            modes << mode;
    };
    QStringList models; // of the --amplifier options since the previous --mode
    bool modeLast = false; // whether a --mode follows them
    for (int i = 1; i < own.size() && own.at(i) != QLatin1String("--"); ++i) {
        const QString& argument = own.at(i);
        const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
        if (!argument.startsWith(QLatin1String("--")) || !valued.contains(name))
            continue;
        const int equals = argument.indexOf(QLatin1Char('='));
        const QString value = equals < 0 ? own.value(++i) : argument.mid(equals + 1);
        if (name == QLatin1String("amplifier")) {
            if (modeLast)
                models.clear();
            models << value;
            modeLast = false;
        } else if (name == QLatin1String("mode")) {
            const Mode mode = *Mode::parse(value);
            for (const QString& model : models)
                add(modes[model], mode);
            if (models.isEmpty())
                add(everyModel, mode);
            modeLast = true;
        }
    }
}

CommandLine::Paper CommandLine::paper() const
{
    Paper paper;
    for (const char* size : { "A4", "Letter", "A5" })
        if (parser.value(QStringLiteral("paper")).compare(QLatin1String(size), Qt::CaseInsensitive)
            == 0)
            paper.size = QLatin1String(size);
    paper.landscape = parser.isSet(QStringLiteral("landscape"));
    return paper;
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

int CommandLine::run(QIODevice& out, QIODevice& err, const PdfWriter& pdf)
{
    if (!error.isEmpty())
        return fail(err, error);
    const auto print = [&](const QString& text) {
        const QByteArray bytes = text.toUtf8();
        errno = 0;
        return out.write(bytes) == bytes.size() ? 0 : writeFailed(out, err);
    };
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return print(parser.helpText());
    if (parser.isSet(QStringLiteral("version")))
        return print(QStringLiteral("vantor %1\n").arg(QCoreApplication::applicationVersion()));

    const bool check = parser.isSet(QStringLiteral("check"));
    const Catalogue catalogue = Catalogue::load(folder());
    const int status = report(err, catalogue, check);
    if (check || status == 2)
        return status;
    return sheet(out, err, catalogue, pdf);
}

// Standard output and standard error, each written straight through, so that
// a failed write is seen where it happens.
int CommandLine::run(const PdfWriter& pdf)
{
    QFile out, err;
    out.open(fileno(stdout), QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(fileno(stderr), QIODevice::WriteOnly | QIODevice::Unbuffered);
    return run(out, err, pdf);
}

// The sheet's filter, as the options give it.
Sheet::Filter CommandLine::filter(const Catalogue& catalogue) const
{
    Sheet::Filter filter;
    filter.cabinets = parser.values(QStringLiteral("cabinet"));
    filter.amplifiers = parser.values(QStringLiteral("amplifier"));
    for (const QString& count : parser.values(QStringLiteral("count")))
        filter.counts.append(count.toInt());
    filter.acceptedOnly = parser.isSet(QStringLiteral("accepted"));
    // A model takes the modes given for it and those given for every model.
    for (const Catalogue::Model& model : catalogue.models) {
        QVector<Mode> taken = modes.value(model.name);
        for (const Mode mode : everyModel)
            if (!taken.contains(mode))
                taken << mode;
        if (!taken.isEmpty())
            filter.modes.insert(model.name, taken);
    }
    return filter;
}

// The sheet of the catalogue to `out`, or to the file --output names; returns
// the exit status.
int CommandLine::sheet(
    QIODevice& out, QIODevice& err, const Catalogue& catalogue, const PdfWriter& pdf) const
{
    const Sheet::Filter filter = this->filter(catalogue);
    QStringList cabinetNames;
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        cabinetNames.append(cabinet.name());
    QString wrong = unknown(filter.cabinets, cabinetNames, QStringLiteral("cabinet"));
    if (wrong.isEmpty())
        wrong = unknown(filter.amplifiers, catalogue.amplifierModels, QStringLiteral("amplifier"));
    if (!wrong.isEmpty())
        return fail(err, wrong);
    const QString format = parser.value(QStringLiteral("format"));
    const Sheet::Format text = format == QLatin1String("csv") ? Sheet::Csv : Sheet::Table;
    const QString path = parser.value(QStringLiteral("output"));
    if (!parser.isSet(QStringLiteral("output")) || path == QLatin1String("-")) {
        // Standard output, as for other tools.
        errno = 0;
        const bool written = format == QLatin1String("pdf") ? pdf && pdf(out, catalogue, filter)
                                                            : Sheet::write(out, catalogue, text, filter);
        return written ? 0 : writeFailed(out, err);
    }
    if (CatalogueLocation::isCatalogueFile(catalogue.folder, path)) {
        tell(err,
            QStringLiteral("vantor: ") + QDir::toNativeSeparators(path) + QStringLiteral(" is ")
                + CatalogueLocation::catalogueFileRefused + QLatin1Char('\n'));
        return 2;
    }
    const auto [saved, why] = SaveFile::write(path, [&](QIODevice& file) {
        return format == QLatin1String("pdf") ? pdf && pdf(file, catalogue, filter)
                                              : Sheet::write(file, catalogue, text, filter);
    });
    if (saved)
        return 0;
    tell(err,
        QStringLiteral("vantor: cannot write ") + QDir::toNativeSeparators(path)
            + QStringLiteral(": ") + why + QLatin1Char('\n'));
    return 2;
}
