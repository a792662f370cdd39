// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"

#include <QProcess>
#include <QtTest>

// The built program, run as a user runs it: no display, no window.
class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void run_data();
    void run();
};

void TestCommandLine::run_data()
{
    QTest::addColumn<QByteArray>("cabinets");
    QTest::addColumn<QByteArray>("amplifiers");
    QTest::addColumn<QString>("arguments"); // $DIR is the catalogue's folder
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a run of whole lines standard output must hold
    QTest::addColumn<int>("lines"); // how many it has, when not 0
    QTest::addColumn<QString>("err"); // standard error, whole

    const QByteArray cab = "h\nCab,200,8\nBig,1000,8\n";
    const QByteArray amp = "h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n";
    const QString usage = "; try 'vantor --help'\n";
    const QString unusable = "vantor: the catalogue in $DIR cannot be used\n";
    QTest::newRow("check, clean") << cab << amp << "--check $DIR" << 0 << QString() << 0
                                  << "vantor: no problems\n";
    QTest::newRow("check, decimal comma")
        << cab << QByteArray("h\nGamma 3000,8,NO,80,40,3,32\n") << "--check $DIR" << 1 << QString()
        << 0
        << "$DIR/data_amplis.txt:2: 7 fields where 6 are expected (a decimal comma?)\n"
           "vantor: 1 problem\n";
    QTest::newRow("check, missing file") << cab << QByteArray() << "--check $DIR" << 2 << QString()
                                         << 0 << "$DIR/data_amplis.txt: not found\n" + unusable;
    QTest::newRow("check, working directory")
        << QByteArray("h\nCab,x,8\n") << amp << "--check" << 1 << QString() << 0
        << "data_spk.txt:2: power \"x\" is not a number: read as 0\nvantor: 1 problem\n";
    QTest::newRow("sheet, problems first")
        << QByteArray("h\nCab ,200,8\n") << amp << "--sheet $DIR" << 0
        << "Cab      2      Gamma      -     2.3 dBu    0.0412     no" << 5
        << "$DIR/data_spk.txt:2: name \"Cab \" has blanks around it, which are kept\n";
    QTest::newRow("sheet, csv, filtered, shortest numbers")
        << cab << amp << "--sheet --format csv --cabinet Big --amplifier Gamma $DIR" << 0
        << "cabinet,count,impedance,power,amplifier,mode,voltage,gain,threshold,at_max,"
           "threshold_dbv,threshold_v,output_v,refused,impedance_ohm,power_w,voltage_v,gain_db,"
           "threshold_dbu,threshold_dbv_exact,threshold_v_exact,output_v_exact,reason\n"
           "Big,1,8,1000,Gamma,-,80,32,8.3 dBu,yes,6.08,2.01,80.2,,8,1000,80,32,8.299999999999997,"
           "6.081512503836434,2.0140749371242093,80.18176745012316,"
        << 5 << QString();
    QTest::newRow("sheet, accepted only")
        << cab << amp << "--sheet --accepted --cabinet Big $DIR" << 0
        << "Big      2      Gamma      -     7.9 dBu    "
           "5.68       yes"
        << 3 << QString();
    QTest::newRow("sheet, csv, a line in doubt")
        << cab << QByteArray("h\nGamma,8,NO,51,36,4,29\n") << "--sheet --format csv $DIR" << 0
        << "Cab,1,,,Gamma,-,,,,,,,,This catalogue line cannot be used,,,,,,,,,data_amplis.txt:2"
        << 15 << "$DIR/data_amplis.txt:2: 7 fields where 6 are expected (a decimal comma?)\n";
    QTest::newRow("sheet, csv, formulas defused")
        << QByteArray("h\n=HYPERLINK(\"x\"),200,8\n-1+1,100,8\n") << amp
        << "--sheet --format csv --accepted $DIR" << 0
        << "\"'=HYPERLINK(\"\"x\"\")\",2,4,400,Gamma,-,76.2,32,2.3 dBu,no,0.0412,1.00,40.0,,4,"
           "400,76.2,32,2.2596873227228116,0.041199826559248365,1.004754572603832,40,\n"
           "'-1+1,1,8,100,Gamma,-,80,32,-0.75 dBu,no,-2.97,0.710,28.3,,8,100,80,32,"
           "-0.750612633917001,-2.969100130080564,0.7104687717163609,28.284271247461902,"
        << 5
        << "$DIR/data_spk.txt:2: name \"=HYPERLINK(\"x\")\" starts like a spreadsheet formula: CSV "
           "gives it a leading '\n$DIR/data_spk.txt:3: name \"-1+1\" starts like a spreadsheet "
           "formula: CSV gives it a leading '\n";
    // A terminal's controls in a name are written as text, in every output.
    const QByteArray live = "h\nA\x1b]0;T\x07\xc2\x9d\xe2\x80\xae ,200,8\n";
    const QString told = "$DIR/data_spk.txt:2: control character U+001B in the line\n"
                         "$DIR/data_spk.txt:2: name \"A\\x1b]0;T\\x07\\x9d\\u202e \" has blanks "
                         "around it, which are kept\n";
    QTest::newRow("controls, check")
        << live << amp << "--check $DIR" << 1 << QString() << 0 << told + "vantor: 2 problems\n";
    QTest::newRow("controls, table")
        << live << amp << "--sheet $DIR" << 0
        << "A\\x1b]0;T\\x07\\x9d\\u202e   1      Gamma      ST                                  "
           "data_spk.txt:2"
        << 9 << told;
    QTest::newRow("controls, csv")
        << live << amp << "--sheet --format csv $DIR" << 0
        << "A\\x1b]0;T\\x07\\x9d\\u202e ,4,,,Gamma,BTL,,,,,,,,This catalogue line cannot be used,"
           ",,,,,,,,data_spk.txt:2"
        << 9 << told;
    QTest::newRow("controls, unknown name")
        << live << amp << "--sheet --cabinet Nope $DIR" << 2 << QString() << 0
        << told
            + "vantor: no cabinet \"Nope\" in the catalogue; it has: A\\x1b]0;T\\x07\\x9d\\u202e "
            + usage;
    QTest::newRow("sheet, unknown amplifier")
        << cab << amp << "--sheet --cabinet Big --amplifier Nope $DIR" << 2 << QString() << 0
        << "vantor: no amplifier \"Nope\" in the catalogue; it has: Gamma" + usage;
    QTest::newRow("sheet, unusable") << QByteArray() << amp << "--sheet $DIR" << 2 << QString() << 0
                                     << "$DIR/data_spk.txt: not found\n" + unusable;
    QTest::newRow("sheet to a full disk") << cab << amp << "--sheet $DIR" << 2 << QString() << 0
                                          << "vantor: write error: No space left on device\n";
    QTest::newRow("the example fits 100 columns")
        << cab << amp << "--sheet " VANTOR_RESOURCES << 0 << QString() << 361 << QString();
    // Usage errors: one line, and no display needed.
    QTest::newRow("unknown option") << cab << amp << "--bogus" << 2 << QString() << 0
                                    << "vantor: unknown option 'bogus'" + usage;
    QTest::newRow("two folders") << cab << amp << "$DIR $DIR" << 2 << QString() << 0
                                 << "vantor: one folder at most" + usage;
    QTest::newRow("no such folder") << cab << amp << "$DIR/none" << 2 << QString() << 0
                                    << "vantor: $DIR/none: no such folder" + usage;
    QTest::newRow("a value missing") << cab << amp << "--sheet --format" << 2 << QString() << 0
                                     << "vantor: missing value after '--format'" + usage;
    QTest::newRow("a sheet option with --check")
        << cab << amp << "--check --cabinet Big" << 2 << QString() << 0
        << "vantor: --format, --cabinet, --amplifier and --accepted go with --sheet" + usage;
    QTest::newRow("both modes") << cab << amp << "--check --sheet" << 2 << QString() << 0
                                << "vantor: give --check or --sheet, not both" + usage;
    QTest::newRow("unknown format") << cab << amp << "--sheet --format xls" << 2 << QString() << 0
                                    << "vantor: --format is table or csv, not \"xls\"" + usage;
    QTest::newRow("version") << cab << amp << "--version" << 0 << "vantor " VANTOR_VERSION << 1
                             << QString();
    QTest::newRow("help")
        << cab << amp << "--help-all" << 0
        << "  --check               Print every catalogue problem as FILE:LINE: message and" << 0
        << QString();
}

void TestCommandLine::run()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(int, lines);
    QFETCH(QString, err);

    CatalogueFixture fixture(cabinets, amplifiers);
    const QString dir = QDir::currentPath();
    const QString tag = QTest::currentDataTag();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name);
    program.setProcessEnvironment(environment);
    if (tag.contains("full disk"))
        program.setStandardOutputFile("/dev/full");
    program.start(VANTOR_PROGRAM, arguments.split(' ').replaceInStrings("$DIR", dir));
    QVERIFY(program.waitForFinished(20000));
    const QByteArray stdOut = program.readAllStandardOutput();
    const QByteArray stdErr = program.readAllStandardError();
    QCOMPARE(QString::fromUtf8(stdErr), err.replace("$DIR", dir));
    QCOMPARE(program.exitCode(), status);
    for (const char* live : { "\x1b", "\x07", "\xc2\x9d", "\xe2\x80\xae" })
        QVERIFY(!stdOut.contains(live) && !stdErr.contains(live));
    const QStringList outLines
        = QString::fromUtf8(stdOut).remove('\r').split('\n', Qt::SkipEmptyParts);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty() || lines
                           : ('\n' + outLines.join('\n') + '\n').contains('\n' + out + '\n'),
        stdOut.constData());
    if (lines)
        QCOMPARE(outLines.size(), lines);
    const int columns = tag == "help" ? 80 : tag.contains("csv") ? INT_MAX : 100;
    for (const QString& line : outLines)
        QVERIFY2(line.size() <= columns, qPrintable(line));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
