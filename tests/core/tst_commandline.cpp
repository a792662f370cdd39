// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"

#include <QtTest>

namespace {
const QByteArray cab = "h\nCab,200,8\nBig,1000,8\n";
const QByteArray amp = "h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n";

// The program run with the arguments on a catalogue ($DIR is its folder) ends
// with the status and writes `err` to standard error, whole; its standard
// output, or the file `written` in $DIR and nothing on standard output, holds
// `out`, a run of whole lines, and has `lines` lines when not 0. Nothing else
// is written in $DIR.
struct Run {
    QString arguments;
    int status;
    QString err, out;
    int lines;
    QByteArray cabinets, amplifiers;
    QString written;
};

void row(const char* tag, const QString& arguments, int status, const QString& err,
    const QString& out = {}, int lines = 0, const QByteArray& cabinets = cab,
    const QByteArray& amplifiers = amp, const QString& written = {})
{
    QTest::newRow(tag) << Run { arguments, status, err, out, lines, cabinets, amplifiers, written };
}
}
Q_DECLARE_METATYPE(Run)

// The built program, run as a user runs it: no display, no window.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestCommandLine::run_data()
{
    QTest::addColumn<Run>("run");
    const QString usage = "; try 'vantor --help'\n";
    const QString unusable = "vantor: the catalogue in $DIR cannot be used\n";
    row("check, the toolkit's options left to it", "-platform offscreen -reverse --check $DIR", 0,
        "vantor: no problems\n");
    row("check, missing file", "--check $DIR", 2, "$DIR/data_amplis.txt: not found\n" + unusable,
        {}, 0, cab, QByteArray());
    row("check, working directory", "--check", 1,
        "data_spk.txt:2: power \"x\" is not a number: read as 0\nvantor: 1 problem\n", {}, 0,
        "h\nCab,x,8\n");
    row("sheet, csv, filtered, shortest numbers",
        "--sheet --format csv --cabinet Big --amplifier Gamma $DIR", 0, {},
        "cabinet,count,impedance,power,amplifier,mode,voltage,gain,threshold,at_max,"
        "threshold_dbv,threshold_v,output_v,refused,impedance_ohm,power_w,voltage_v,gain_db,"
        "threshold_dbu,threshold_dbv_exact,threshold_v_exact,output_v_exact,reason\n"
        "Big,1,8,1000,Gamma,-,80,32,8.3 dBu,yes,6.1 dBV,2.01 V,80.2 "
        "V,,8,1000,80,32,8.299999999999997,"
        "6.081512503836434,2.0140749371242093,80.18176745012316,",
        5);
    row("sheet, accepted only", "--sheet --accepted --cabinet Big $DIR", 0, {},
        "Big      2      Gamma      -     7.9 dBu    5.7 dBV    yes", 3);
    row("sheet, csv, formulas defused", "--sheet --format csv --accepted $DIR", 0,
        "$DIR/data_spk.txt:2: name \"=HYPERLINK(\"x\")\" starts like a spreadsheet formula: CSV "
        "gives it a leading '\n$DIR/data_spk.txt:3: name \"-1+1\" starts like a spreadsheet "
        "formula: CSV gives it a leading '\n",
        "\"'=HYPERLINK(\"\"x\"\")\",2,4,400,Gamma,-,76.2,32,2.3 dBu,no,0.0 dBV,1.00 V,40.0 V,,4,"
        "400,76.2,32,2.2596873227228116,0.041199826559248365,1.004754572603832,40,\n"
        "'-1+1,1,8,100,Gamma,-,80,32,-0.75 dBu,no,-3.0 dBV,0.710 V,28.3 V,,8,100,80,32,"
        "-0.750612633917001,-2.969100130080564,0.7104687717163609,28.284271247461902,",
        5, "h\n=HYPERLINK(\"x\"),200,8\n-1+1,100,8\n");
    // A terminal's controls in a name are written as text, in every output.
    const QByteArray live = "h\nA\x1b]0;T\x07\xc2\x9d\xe2\x80\xae ,200,8\n";
    const QString told = "$DIR/data_spk.txt:2: control character U+001B in the line\n"
                         "$DIR/data_spk.txt:2: name \"A\\x1b]0;T\\x07\\x9d\\u202e \" has blanks "
                         "around it, which are kept\n";
    row("controls, check", "--check $DIR", 1, told + "vantor: 2 problems\n", {}, 0, live);
    row("controls, table", "--sheet $DIR", 0, told,
        "A\\x1b]0;T\\x07\\x9d\\u202e   1      Gamma      -     refused: data_spk.txt:2", 5, live);
    row("controls, csv", "--sheet --format csv $DIR", 0, told,
        "A\\x1b]0;T\\x07\\x9d\\u202e ,4,,,Gamma,-,,,,,,,,This catalogue line cannot be used,"
        ",,,,,,,,data_spk.txt:2",
        5, live);
    row("controls, unknown name", "--sheet --cabinet Nope $DIR", 2,
        told + "vantor: no cabinet \"Nope\" in the catalogue; it has: A\\x1b]0;T\\x07\\x9d\\u202e "
            + usage,
        {}, 0, live);
    row("sheet, unknown amplifier", "--sheet --cabinet Big --amplifier Nope $DIR", 2,
        "vantor: no amplifier \"Nope\" in the catalogue; it has: Gamma" + usage);
    row("sheet, unusable", "--sheet $DIR", 2, "$DIR/data_spk.txt: not found\n" + unusable, {}, 0,
        QByteArray());
    row("sheet to a full disk", "--sheet $DIR", 2,
        "vantor: write error: No space left on device\n");
    row("the example fits 80 columns", "--sheet " VANTOR_RESOURCES, 0, {}, {}, 361);
    // Aligned by the columns a terminal gives: two for a wide character, none
    // for a combining accent; a tab escaped, a long name elided.
    row("sheet, names of any width", "--sheet --count 2 $DIR", 0, {},
        "Cabinet                   Count  Amplifier  Mode  Threshold  dBV        At max\n"
        "\u97f3\u7bb1 8                    2      Gamma      -     2.3 dBu    0.0 dBV    no\n"
        "Cafe\u0301 8                    2      Gamma      -     2.3 dBu    0.0 dBV    no\n"
        "Tab\\there                 2      Gamma      -     2.3 dBu    0.0 dBV    no\n"
        "A very long \u2026 model name  2      Gamma      -     0 dBu      -2.2 dBV   no",
        5,
        "h\n\xe9\x9f\xb3\xe7\xae\xb1 8,200,8\nCafe\xcc\x81 8,200,8\nTab\there,200,8\n"
        "A very long cabinet model name,95,10\n"),
        // Usage errors: one line, and no display needed.
        row("unknown option", "--bogus", 2, "vantor: unknown option 'bogus'" + usage);
    row("two folders", "$DIR $DIR", 2, "vantor: one folder at most" + usage);
    row("no such folder", "$DIR/none", 2, "vantor: $DIR/none: no such folder" + usage);
    row("a value missing", "--sheet --format", 2, "vantor: missing value after '--format'" + usage);
    row("a sheet option with --check", "--check --cabinet Big", 2,
        "vantor: --format, --cabinet, --count, --amplifier, --accepted and --output go with "
        "--sheet"
            + usage);
    row("both modes", "--check --sheet", 2, "vantor: give --check or --sheet, not both" + usage);
    row("unknown format", "--sheet --format xls", 2,
        "vantor: --format is table, csv or pdf, not \"xls\"" + usage);
    row("pdf to standard output", "--sheet --format pdf", 2,
        "vantor: --format pdf needs --output FILE" + usage);
    row("count out of range", "--sheet --count 5", 2,
        "vantor: --count is 1, 2, 3 or 4, not \"5\"" + usage);
    // --output writes the file whole or not at all, whatever the format. (A
    // PDF's text is read back by the window's suite, against the window's own.)
    row("csv to a file",
        "--sheet --format csv --count 2 --cabinet Big --output $DIR/sheet.csv $DIR", 0, {},
        "Big,2,4,2000,Gamma,-,76.2,32,7.9 dBu,yes,5.7 dBV,1.92 V,76.6 V,,4,2000,76.2,32,"
        "7.899999999999999,5.681512503836435,1.9234266326452099,76.57299344896255,",
        2, cab, amp, "sheet.csv");
    row("output into a folder that does not exist", "--sheet --output $DIR/none/sheet.txt $DIR", 2,
        "vantor: cannot write $DIR/none/sheet.txt: No such file or directory\n");
    row("pdf into a file that is no folder",
        "--sheet --format pdf --output $DIR/data_spk.txt/rig.pdf $DIR", 2,
        "vantor: cannot write $DIR/data_spk.txt/rig.pdf: Not a directory\n");
    row("version", "--version", 0, {}, "vantor " VANTOR_VERSION, 1);
    row("help", "--help-all", 0, {},
        "  --check                   Print every catalogue problem as FILE:LINE: message");
}

void TestCommandLine::run()
{
    QFETCH(Run, run);
    CatalogueFixture fixture(run.cabinets, run.amplifiers);
    const QString dir = QDir::currentPath(), tag = QTest::currentDataTag();
    QStringList files = QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name); // no display, nor a platform chosen for the program
    program.setProcessEnvironment(environment);
    if (tag.contains("full disk"))
        program.setStandardOutputFile("/dev/full");
    program.start(VANTOR_PROGRAM, run.arguments.split(' ').replaceInStrings("$DIR", dir));
    QVERIFY(program.waitForFinished(20000));
    QByteArray stdOut = program.readAllStandardOutput();
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), run.err.replace("$DIR", dir));
    QCOMPARE(program.exitCode(), run.status);
    if (!run.written.isEmpty())
        files << run.written, files.sort();
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name), files);
    if (QFile file(run.written); !run.written.isEmpty()) {
        QVERIFY(stdOut.isEmpty() && file.open(QIODevice::ReadOnly));
        stdOut = file.readAll();
    }
    if (tag.contains("csv")) // every line ends in CRLF
        QCOMPARE(stdOut.count("\r\n"), stdOut.count('\n'));
    const QStringList lines
        = QString::fromUtf8(stdOut).remove('\r').split('\n', Qt::SkipEmptyParts);
    QVERIFY2(run.out.isEmpty() ? stdOut.isEmpty() || run.lines
                               : ('\n' + lines.join('\n') + '\n').contains('\n' + run.out + '\n'),
        stdOut.constData());
    if (run.lines)
        QCOMPARE(lines.size(), run.lines);
    const int columns = tag.contains("csv") ? INT_MAX : 80;
    for (const QString& line : lines)
        QVERIFY2(line.size() <= columns, qPrintable(line));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
