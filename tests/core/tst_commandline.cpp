// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "commandline.h"

#include <QtTest>

namespace {
const QByteArray cab = "h\nCab,200,8\nBig,1000,8\n";
const QByteArray amp = "h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n";
}
Q_DECLARE_METATYPE(Sheet::Filter)

// The command line run in process on a catalogue in the working directory ($DIR).
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QCoreApplication::setApplicationVersion(VANTOR_VERSION);
    }
    void run_data();
    void run();
    void filter_data();
    void filter();
    void fullDisk();
};

// Each run ends with the status, writes `err` whole to standard error and
// `out`, a part, to standard output or the file --output names (which holds
// "earlier\n" before), nothing when `out` is empty; nothing else in $DIR.
void TestCommandLine::run_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("cabinets");
    const auto row
        = [](const char* tag, const QStringList& arguments, int status, const QString& err,
              const QByteArray& out = {}, const QByteArray& cabinets = cab) {
              QTest::newRow(tag) << arguments << status << err << out << cabinets;
          };
    const QString usage = "; try 'vantor --help'\n";
    // A terminal's controls in a name are written as text in every message.
    const QByteArray live = "h\nA\x1b]0;T\x07\xc2\x9d\xe2\x80\xae ,200,8\n";
    const QString told = "$DIR/data_spk.txt:2: control character U+001B in the line\n"
                         "$DIR/data_spk.txt:2: name \"A\\x1b]0;T\\x07\\x9d\\u202e \" has blanks "
                         "around it, which are kept\n";
    row("check, the toolkit's options left to it",
        { "-platform", "offscreen", "-reverse", "--check", "$DIR" }, 0, "vantor: no problems\n");
    row("check, working directory", { "--check" }, 1,
        "data_spk.txt:2: power \"x\" is not a number: read as 0\nvantor: 1 problem\n", {},
        "h\nCab,x,8\n");
    row("check, controls", { "--check", "$DIR" }, 1, told + "vantor: 2 problems\n", {}, live);
    row("sheet, a table by default, problems told", { "--sheet", "$DIR" }, 0, told,
        "Amplifier  Mode  RMS dBu  Peak dBu  Attack  Release\n", live);
    row("sheet, unknown cabinet", { "--sheet", "--cabinet", "Nope", "$DIR" }, 2,
        told + "vantor: no cabinet \"Nope\" in the catalogue; it has: A\\x1b]0;T\\x07\\x9d\\u202e "
            + usage,
        {}, live);
    row("sheet, unknown amplifier", { "--sheet", "--amplifier", "Nope", "$DIR" }, 2,
        "vantor: no amplifier \"Nope\" in the catalogue; it has: Gamma" + usage);
    row("sheet, unusable", { "--sheet", "$DIR" }, 2,
        "$DIR/data_spk.txt: not found\nvantor: the catalogue in $DIR cannot be used\n", {},
        QByteArray());
    // Usage errors: one line.
    const auto wrong = [&](const char* tag, const QStringList& arguments, const QString& what) {
        row(tag, arguments, 2, "vantor: " + what + usage);
    };
    wrong("unknown option", { "--bogus" }, "unknown option 'bogus'");
    wrong("two folders", { "$DIR", "$DIR" }, "one folder at most");
    wrong("no such folder", { "$DIR/none" }, "$DIR/none: no such folder");
    wrong("a value missing", { "--sheet", "--format" }, "missing value after '--format'");
    wrong("a sheet option with --check", { "--check", "--mode", "ST" },
        "--format, --cabinet, --count, --amplifier, --mode, --accepted and --output go with "
        "--sheet");
    wrong("check and sheet", { "--check", "--sheet" }, "give --check or --sheet, not both");
    wrong("unknown format", { "--sheet", "--format", "xls" },
        "--format is table, csv or pdf, not \"xls\"");
    wrong("pdf to standard output", { "--sheet", "--format", "pdf" },
        "--format pdf needs --output FILE");
    wrong(
        "count out of range", { "--sheet", "--count", "5" }, "--count is 1, 2, 3 or 4, not \"5\"");
    wrong("a mode of no switch", { "--sheet", "--mode", "NO" }, "--mode is ST or BTL, not \"NO\"");
    wrong("paper for a table", { "--sheet", "--landscape" },
        "--paper and --landscape go with --format pdf");
    wrong("unknown paper", { "--sheet", "--format", "pdf", "--output", "-", "--paper", "A3" },
        "--paper is A4, Letter or A5, not \"A3\"");
    // --output writes the file whole or not at all, whatever the format.
    row("csv to a file", { "--sheet", "--format", "csv", "--output", "$DIR/sheet.csv" }, 0, {},
        "cabinet,count,");
    row("output into a folder that does not exist", { "--sheet", "--output", "$DIR/none/s.txt" }, 2,
        "vantor: cannot write $DIR/none/s.txt: No such file or directory\n");
    row("pdf not written whole", { "--sheet", "--format", "pdf", "--output", "$DIR/rig.pdf" }, 2,
        "vantor: cannot write $DIR/rig.pdf: Unknown error\n", "earlier\n");
    row("csv to standard output", { "--sheet", "--format", "csv", "--output", "-" }, 0, {},
        "cabinet,count,");
    row("output onto a catalogue file", { "--sheet", "--output", "$DIR/data_amplis.txt" }, 2,
        "data_amplis.txt:1: no amplifier lines after the header\nvantor: "
        "$DIR/data_amplis.txt is a catalogue file being read: the sheet is not written over it\n",
        "earlier\n");
    row("version", { "--version" }, 0, {}, "vantor " VANTOR_VERSION "\n");
    row("help", { "--help" }, 0, {},
        "  --mode <ST|BTL>           Only this mode, ST or BTL, for the --amplifier\n");
}

void TestCommandLine::run()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    QFETCH(QByteArray, cabinets);
    CatalogueFixture fixture(cabinets, amp);
    const QString dir = QDir::currentPath();
    arguments.replaceInStrings("$DIR", dir).prepend("vantor");
    const QString output = arguments.value(arguments.indexOf("--output") + 1);
    const bool toFile = arguments.contains("--output") && output != "-";
    if (QFile earlier(output); toFile && earlier.open(QIODevice::WriteOnly))
        earlier.write("earlier\n");
    const QStringList files = QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    // Draws no PDF: writes a part of one and fails.
    const auto pdf = [](QIODevice& file, const Catalogue&, const Sheet::Filter&) {
        return file.write("%PDF-") < 0;
    };
    QBuffer stdOut, stdErr;
    stdOut.open(QIODevice::WriteOnly), stdErr.open(QIODevice::WriteOnly);
    QTEST(CommandLine(arguments).run(stdOut, stdErr, pdf), "status");
    QCOMPARE(QString::fromUtf8(stdErr.data()), err.replace("$DIR", dir));
    QByteArray written = stdOut.data();
    if (QFile file(output); toFile) {
        QCOMPARE(written, QByteArray());
        written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QVERIFY2(out.isEmpty() ? written.isEmpty() : written.contains(out), written.constData());
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), files);
}

// Each choice of the Limiter Sheet dialog has a command line giving the same sheet.
void TestCommandLine::filter_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Sheet::Filter>("dialog");
    const auto row = [](const char* tag, const QStringList& arguments, const QStringList& models,
                         const QHash<QString, QVector<Mode>>& modes) {
        Sheet::Filter dialog;
        dialog.amplifiers = models, dialog.modes = modes;
        QTest::newRow(tag) << arguments << dialog;
    };
    const QVector<Mode> st { Mode::Stereo }, btl { Mode::Bridge };
    row("every mode by default", {}, {}, {});
    row("ST of every model", { "--mode", "ST" }, {}, { { "A", st }, { "B", st } });
    row("a mode for each model",
        { "--amplifier", "A", "--mode", "ST", "--amplifier", "B", "--mode=BTL", "--amplifier=C" },
        { "A", "B", "C" }, { { "A", st }, { "B", btl } });
    row("modes one after another add up", { "--amplifier", "A", "--mode", "BTL", "--mode", "ST" },
        { "A" }, {});
    row("models after the last mode take both",
        { "--amplifier", "B", "--mode", "BTL", "--amplifier", "A", "--amplifier", "C" },
        { "A", "B", "C" }, { { "B", btl } });
    row("a mode for every model and one for a model add up",
        { "--mode", "BTL", "--amplifier", "A", "--mode", "ST", "--amplifier", "B" }, { "A", "B" },
        { { "B", btl } });
    Sheet::Filter some;
    some.amplifiers = QStringList { "A" }, some.modes = { { "A", st } };
    some.cabinets = QStringList { "Big" }, some.counts = { 2, 3 }, some.acceptedOnly = true;
    const QStringList filtered { "--cabinet", "Big", "--count", "2", "--count", "3", "--accepted" };
    QTest::newRow("cabinets, counts, accepted only")
        << filtered + QStringList { "--amplifier", "A", "--mode", "ST" } << some;
}

void TestCommandLine::filter()
{
    QFETCH(QStringList, arguments);
    QFETCH(Sheet::Filter, dialog);
    CatalogueFixture fixture("h\nCab,200,8\nBig,1000,8\n",
        "h\nA,8,ST,80,40.3,32\nA,4,ST,76.2,39.9,32\nA,8,BTL,160,46.3,32\n"
        "B,8,ST,80,40.3,32\nB,8,BTL,160,46.3,32\nC,8,NO,80,40.3,32\n");
    QBuffer sheet, out, err;
    for (QBuffer* buffer : { &sheet, &out, &err })
        buffer->open(QIODevice::WriteOnly);
    QVERIFY(Sheet::write(sheet, Catalogue::load(), Sheet::Csv, dialog));
    arguments = QStringList { "vantor", "--sheet", "--format", "csv" } + arguments;
    QCOMPARE(CommandLine(arguments).run(out, err), 0);
    QCOMPARE(err.data(), QByteArray());
    QCOMPARE(out.data().split('\n'), sheet.data().split('\n'));
}

// The program's standard output is written straight through: a full disk is told.
void TestCommandLine::fullDisk()
{
    CatalogueFixture fixture(cab, amp);
    QProcess program;
    program.setStandardOutputFile("/dev/full");
    program.start(VANTOR_PROGRAM, { "--sheet" });
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.readAllStandardError(),
        QByteArray("vantor: write error: No space left on device\n"));
    QCOMPARE(program.exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
