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
    const QString usage = "\nTry 'vantor --help'.\n";
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
        << "Cab      2      4              400        Gamma      -     76.2         32         "
           "2.3 dBu    no      0.0412  1.00       40.0"
        << 5 << "$DIR/data_spk.txt:2: name \"Cab \" has blanks around it, which are kept\n";
    QTest::newRow("sheet, csv, filtered")
        << cab << amp << "--sheet --format csv --cabinet Big --amplifier Gamma $DIR" << 0
        << "cabinet,count,impedance,power,amplifier,mode,voltage,gain,threshold,at_max,"
           "threshold_dbv,threshold_v,output_v,refused,impedance_ohm,power_w,voltage_v,gain_db,"
           "threshold_dbu,threshold_dbv_exact,threshold_v_exact,output_v_exact\n"
           "Big,1,8,1000,Gamma,-,80,32,8.3 dBu,yes,6.08,2.01,80.2,,8,1000,80,32,8.2999999999999972,"
           "6.0815125038364339,2.0140749371242093,80.181767450123161"
        << 5 << QString();
    QTest::newRow("sheet, unknown cabinet")
        << cab << amp << "--sheet --cabinet Nope $DIR" << 2 << QString() << 0
        << "vantor: no cabinet \"Nope\" in the catalogue; it has: Cab, Big" + usage;
    QTest::newRow("sheet, unknown amplifier")
        << cab << amp << "--sheet --cabinet Big --amplifier Nope $DIR" << 2 << QString() << 0
        << "vantor: no amplifier \"Nope\" in the catalogue; it has: Gamma" + usage;
    QTest::newRow("sheet, unusable") << QByteArray() << amp << "--sheet $DIR" << 2 << QString() << 0
                                     << "$DIR/data_spk.txt: not found\n" + unusable;
    QTest::newRow("a sheet option with --check")
        << cab << amp << "--check --cabinet Big" << 2 << QString() << 0
        << "vantor: --format, --cabinet and --amplifier go with --sheet" + usage;
    QTest::newRow("both modes") << cab << amp << "--check --sheet" << 2 << QString() << 0
                                << "vantor: give --check or --sheet" + usage;
    QTest::newRow("unknown format") << cab << amp << "--sheet --format xls" << 2 << QString() << 0
                                    << "vantor: --format is table or csv, not \"xls\"" + usage;
    QTest::newRow("a sheet option alone needs no window")
        << cab << amp << "--format csv" << 2 << QString() << 0
        << "vantor: give --check or --sheet" + usage;
    QTest::newRow("window, no such folder") << cab << amp << "$DIR/none" << 2 << QString() << 0
                                            << "vantor: $DIR/none: no such folder" + usage;
    QTest::newRow("version") << cab << amp << "--version" << 0 << "vantor " VANTOR_VERSION << 1
                             << QString();
    QTest::newRow("help")
        << cab << amp << "--help" << 0
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
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(name);
    if (QByteArray(QTest::currentDataTag()).startsWith("window")) {
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", dir); // private, as Qt wants it
    }
    program.setProcessEnvironment(environment);
    program.start(VANTOR_PROGRAM, arguments.split(' ').replaceInStrings("$DIR", dir));
    QVERIFY(program.waitForFinished(20000));
    const QString stdOut = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), err.replace("$DIR", dir));
    QCOMPARE(program.exitCode(), status);
    const QStringList outLines = QString(stdOut).remove('\r').split('\n', Qt::SkipEmptyParts);
    QVERIFY2(out.isEmpty() ? stdOut.isEmpty()
                           : ('\n' + outLines.join('\n') + '\n').contains('\n' + out + '\n'),
        qPrintable(stdOut));
    if (lines)
        QCOMPARE(outLines.size(), lines);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
