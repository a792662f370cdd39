// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QDir>
#include <QtTest>

namespace {
const QString ohm = QStringLiteral("\u03A9");

// The inputs' entries ("!" when disabled), then the six labels, the
// threshold and the alert.
QString shown(const QString& inputs, const QStringList& results)
{
    QStringList lines;
    const QStringList in = inputs.split(' ');
    const QStringList names { "count", "comboBox_cabinets", "comboBox_amplis", "comboBox_mode" };
    for (int i = 0; i < 4; ++i)
        lines << names[i] + "=" + QString(in[i]).remove('!')
                + (in[i].endsWith('!') ? " disabled" : " enabled");
    return (lines + results).join('\n');
}

QStringList labels(const QStringList& values)
{
    const QStringList captions { "Speaker impedance: %1 " + ohm, "Speaker program power: %1 W",
        "Equivalent impedance: %1 " + ohm, "Equivalent program power: %1 W",
        "Max program voltage: %1 V", "Amplifier gain: %1 dB" };
    QStringList texts;
    for (int i = 0; i < captions.size(); ++i)
        texts << (values[i] == "-" ? QString(captions[i]).section(':', 0, 0) + ": -"
                                   : captions[i].arg(values[i]));
    return texts;
}
}

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }
    void startUp_data();
    void startUp();
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

    const QByteArray amps = "h\nPro,8,NO,120,43.8,26\nPro,4,NO,110,43,26\n";
    QFile example(VANTOR_RESOURCES "/data_amplis.txt");
    QVERIFY(example.open(QIODevice::ReadOnly));
    const QByteArray exampleAmps = example.readAll();
    QTest::newRow("first rows are not the old defaults")
        << QByteArray("h\nBig,1000,8\n") << amps
        << shown("1 0 0 0!",
               labels({ "8", "1000", "8", "1000", "120", "26" })
                   + QStringList { "15 dBu", "alert hidden" })
        << QString() << QStringList();
    QTest::newRow("small cabinet first") << QByteArray("h\nSmall,50,8\nBig,1000,8\n") << exampleAmps
                                         << shown("1 0 0 0",
                                                labels({ "8", "50", "8", "50", "42.9", "32" })
                                                    + QStringList { "-3.8 dBu", "alert hidden" })
                                         << QString() << QStringList();
    QTest::newRow("first selection refused shows dashes, no box")
        << QByteArray("h\nEight,200,8\n") << QByteArray("h\nFourOnly,4,ST,40,34.3,26\n")
        << shown("1 0 0 0",
               labels({ "8", "200", "8", "200", "-", "-" }) + QStringList { "-", "alert hidden" })
        << QString() << QStringList();
    QTest::newRow("header-only files")
        << QByteArray("h\n") << QByteArray("h")
        << shown("1 -1 -1 0",
               labels({ "-", "-", "-", "-", "-", "-" }) + QStringList { "-", "alert hidden" })
        << "Vantor found problems in its catalogue"
        << QStringList { "data_spk.txt, line 1: no cabinet lines after the header",
               "data_amplis.txt, line 1: no amplifier lines after the header" };
    QTest::newRow("cabinet file missing")
        << QByteArray() << amps
        << shown("1 -1 -1! 0!",
               { "Speaker impedance:", "Speaker program power:", "Equivalent impedance:",
                   "Equivalent program power: ", "Max program voltage:", "Amplifier gain:", "",
                   "alert hidden" })
        << "Vantor cannot use its catalogue" << QStringList { "data_spk.txt: not found" };
    QTest::newRow("amplifier file missing, cabinet line odd")
        << QByteArray("h\n Big,1000,8\n") << QByteArray()
        << shown("1 0 -1! 0!",
               { "Speaker impedance:", "Speaker program power:", "Equivalent impedance:",
                   "Equivalent program power: ", "Max program voltage:", "Amplifier gain:", "",
                   "alert hidden" })
        << "Vantor cannot use its catalogue"
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
    if (box == "Vantor cannot use its catalogue")
        QVERIFY(seen.informativeText.contains(
            QDir::toNativeSeparators(QDir(fixture.path(".")).absolutePath())));
}

void TestMainWindow::manyProblems()
{
    CatalogueFixture fixture(
        "h\n" + QByteArray("Cab,x,8\n").repeated(25), "h\nPro,8,NO,120,43.8,26\n");
    WindowDriver driver;
    QCOMPARE(driver.watcher.seen.size(), 1);
    const QStringList lines = driver.watcher.seen.first().informativeText.split('\n');
    QCOMPARE(lines.size(), 21);
    QCOMPARE(lines.at(19),
        QStringLiteral("data_spk.txt, line 21: power \"x\" is not a number: read as 0"));
    QCOMPARE(lines.at(20), QStringLiteral("... and 5 more: vantor --check lists them all."));
    // The window works as usual afterwards.
    QVERIFY(driver.act("count=2"));
    QCOMPARE(driver.text("lineaResultado"), QStringLiteral("-"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
