// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QDir>
#include <QtTest>

namespace {
const QByteArray cabinets = "name,power,impedance\n"
                            "Eight 200,200,8\n"
                            "Sixteen 300,300,16\n"
                            "Eight 300,300,8\n";
const QByteArray amplifiers = "name,impedance,mode,voltage,level,gain\n"
                              "Switch,8,ST,42.94,34.9,32\n"
                              "Switch,4,ST,40,34.3,32\n"
                              "Switch,8,BTL,123.45678,41.8,32\n"
                              "NoSwitch,8,NO,36,33.5,32\n"
                              "NoSwitch,4,NO,33,32.6,32\n"
                              "FourOnly,4,ST,40,34.3,26\n"
                              "Switch,16,ST,99,99,99\n";
const QString low = QStringLiteral("Equivalent impedance is below 4\u03A9!");
const QString unsupported = QStringLiteral("This amplifier configuration is not supported");
const QString unusable = QStringLiteral("Vantor cannot use its catalogue");

// The inputs as "count cabinet amplifier mode" ("!" after a disabled one),
// then the six labels' values ("-" where unknown, empty for the form's text),
// the threshold and the alert.
QString shown(const QString& inputs, const QStringList& values)
{
    QStringList lines;
    const QStringList in = inputs.split(' ');
    const QStringList names { "count", "comboBox_cabinets", "comboBox_amplis", "comboBox_mode" };
    for (int i = 0; i < 4; ++i)
        lines << names[i] + "=" + QString(in[i]).remove('!')
                + (in[i].endsWith('!') ? " disabled" : " enabled");
    const QStringList captions { "Speaker impedance: %1 \u03A9", "Speaker program power: %1 W",
        "Equivalent impedance: %1 \u03A9", "Equivalent program power: %1 W",
        "Max program voltage: %1 V", "Amplifier gain: %1 dB" };
    for (int i = 0; i < 6; ++i) {
        const QString caption = captions[i].section(':', 0, 0) + ':';
        if (values[i].isEmpty()) // the form's own text; the fourth ends in a blank
            lines << caption + (i == 3 ? " " : "");
        else
            lines << (values[i] == "-" ? caption + " -" : captions[i].arg(values[i]));
    }
    return (lines << values[6] << "alert " + values[7]).join('\n');
}
}

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }
    void startUp_data();
    void startUp();
    void selections_data();
    void selections();
    void manyProblems();
};

// Start-up resets to the first selection and shows it as a pick would, and
// tells in one box (on the window) what is wrong with the catalogue.
void TestMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("cabinetFile");
    QTest::addColumn<QByteArray>("amplifierFile");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("told");

    const QByteArray pro = "h\nPro,8,NO,120,43.8,26\nPro,4,NO,110,43,26\n";
    const QStringList none { "", "", "", "", "", "", "", "hidden" };
    QTest::newRow("first rows are not the old defaults")
        << QByteArray("h\nBig,1000,8\n") << pro
        << shown("1 0 0 0!", { "8", "1000", "8", "1000", "120", "26", "15 dBu", "hidden" })
        << QString() << QStringList();
    QTest::newRow("first selection refused: dashes, no box")
        << QByteArray("h\nEight,200,8\n") << QByteArray("h\nFourOnly,4,ST,40,34.3,26\n")
        << shown("1 0 0 0", { "8", "200", "8", "200", "-", "-", "-", "hidden" }) << QString()
        << QStringList();
    QTest::newRow("header-only files")
        << QByteArray("h\n") << QByteArray("h")
        << shown("1 -1 -1 0", { "-", "-", "-", "-", "-", "-", "-", "hidden" })
        << "Vantor found problems in its catalogue"
        << QStringList { "data_spk.txt, line 1: no cabinet lines after the header",
               "data_amplis.txt, line 1: no amplifier lines after the header" };
    QTest::newRow("cabinet file missing") << QByteArray() << pro << shown("1 -1 -1! 0!", none)
                                          << unusable << QStringList { "data_spk.txt: not found" };
    QTest::newRow("amplifier file missing, cabinet line odd")
        << QByteArray("h\n Big,1000,8\n") << QByteArray() << shown("1 0 -1! 0!", none) << unusable
        << QStringList { "data_amplis.txt: not found",
               "data_spk.txt, line 2: name \" Big\" has blanks around it, which are kept" };
}

void TestMainWindow::startUp()
{
    QFETCH(QByteArray, cabinetFile);
    QFETCH(QByteArray, amplifierFile);
    QFETCH(QString, display);
    QFETCH(QString, box);
    QFETCH(QStringList, told);

    CatalogueFixture fixture(cabinetFile, amplifierFile);
    WindowDriver driver;
    QCOMPARE(driver.display(), display);
    QCOMPARE(driver.boxTexts(), box.isEmpty() ? QStringList() : QStringList { box });
    if (box.isEmpty())
        return;
    const ModalWatcher::Seen& seen = driver.watcher.seen.first();
    QVERIFY(seen.hasParent);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    for (const QString& line : told)
        QVERIFY2(seen.informativeText.contains(line), qPrintable(seen.informativeText));
    if (box == unusable)
        QVERIFY(seen.informativeText.contains(
            QDir::toNativeSeparators(QDir(fixture.path(".")).absolutePath())));
}

// What the user does ("cabinet=NAME", "amp=NAME", "mode=INDEX", "count=N",
// "reset"), the display it ends in and the warnings on the way. A refusal
// shows one box and then the first selection.
void TestMainWindow::selections_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("warnings");

    const QString first
        = shown("1 0 0 0", { "8", "200", "8", "200", "42.94", "32", "2.3 dBu", "hidden" });
    QTest::newRow("count changes only the load")
        << QStringList { "cabinet=Sixteen 300", "count=3" }
        << shown("3 1 0 0", { "16", "300", "5.3", "900", "40", "32", "2.3 dBu", "shown" })
        << QStringList();
    QTest::newRow("switchless model greys the mode, capped")
        << QStringList { "cabinet=Eight 300", "amp=NoSwitch", "count=2" }
        << shown("2 2 1 0!", { "8", "300", "4", "600", "33", "32", "0.6 dBu", "shown" })
        << QStringList();
    QTest::newRow("bridge, then stereo again")
        << QStringList { "mode=1", "mode=0" } << first << QStringList();
    QTest::newRow("the last mode comes back with a switched model")
        << QStringList { "mode=1", "amp=NoSwitch", "amp=Switch" }
        << shown("1 0 0 1", { "8", "200", "8", "200", "123.457", "32", "2.3 dBu", "hidden" })
        << QStringList();
    QTest::newRow("below 4 ohm") << QStringList { "cabinet=Eight 300", "count=2", "count=3" }
                                 << first << QStringList { low };
    QTest::newRow("no row, one box at count 3") << QStringList { "cabinet=Sixteen 300", "count=3",
        "amp=FourOnly", "mode=1" } << first << QStringList { unsupported };
    QTest::newRow("reset from count 3 opens no box") << QStringList { "cabinet=Sixteen 300",
        "count=3", "amp=FourOnly", "reset" } << first << QStringList();
    QTest::newRow("a pick after the reset uses the cabinet shown")
        << QStringList { "cabinet=Sixteen 300", "reset", "amp=NoSwitch" }
        << shown("1 0 1 0!", { "8", "200", "8", "200", "36", "32", "1.5 dBu", "shown" })
        << QStringList();
    QTest::newRow("a model listed twice is one model")
        << QStringList { "cabinet=Sixteen 300", "amp=3" }
        << shown("1 1 3 0", { "16", "300", "16", "300", "42.94", "32", "2.9 dBu", "shown" })
        << QStringList();
}

void TestMainWindow::selections()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, display);
    QFETCH(QStringList, warnings);

    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    driver.watcher.seen.clear(); // the catalogue's own problems
    for (const QString& action : actions)
        QVERIFY2(driver.act(action), qPrintable(action));
    QCOMPARE(driver.display(), display);
    QCOMPARE(driver.boxTexts(), warnings);
    for (const ModalWatcher::Seen& box : driver.watcher.seen) {
        QVERIFY(box.title.isEmpty() && !box.hasParent && box.applicationModal);
        QCOMPARE(box.informativeText,
            box.text == low ? "In order to protect the amplifier, we don't recommend this "
                              "configuration"
                            : "Please, check the selection");
    }
}

void TestMainWindow::manyProblems()
{
    CatalogueFixture fixture(
        "h\n" + QByteArray("Cab,x,8\n").repeated(25), "h\nPro,8,NO,120,43.8,26\n");
    WindowDriver driver;
    QCOMPARE(driver.watcher.seen.size(), 1);
    const QStringList lines = driver.watcher.seen.first().informativeText.split('\n');
    QCOMPARE(lines.size(), 21);
    QCOMPARE(lines.at(19), "data_spk.txt, line 21: power \"x\" is not a number: read as 0");
    QCOMPARE(lines.at(20), "... and 5 more: vantor --check lists them all.");
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
