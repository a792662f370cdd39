// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "sheet.h"
#include "windowdriver.h"

#include <QBuffer>
#include <QDir>
#include <QtTest>

#include <algorithm>

namespace {
const QByteArray cabinets = "h\nEight 200,200,8\nSixteen 300,300,16\nEight 300,300,8\n";
const QByteArray amplifiers = "h\nSwitch,8,ST,42.94,34.9,32\nSwitch,4,ST,40,34.3,32\n"
                              "Switch,8,BTL,123.45678,44.1,32\nNoSwitch,8,NO,36,33.5,32\n"
                              "NoSwitch,4,NO,33,32.6,32\nFourOnly,4,ST,40,34.3,26\n"
                              "Switch,16,ST,99,99,99\nComma,8,NO,51,36,4,29\n";
// For the sheet: a model with the switch and one without, a refusal of each
// kind, a threshold below the display floor, one at the amplifier's maximum
// and a name that needs quoting in CSV.
const QByteArray sheetCabinets = "h\nSixteen 300,300,16\nWedge 12\",200,8\nFour 500,500,4\n";
const QByteArray sheetAmplifiers = "h\nSwitch,8,ST,42.9,34.9,32\nSwitch,4,ST,40,34.3,32\n"
                                   "Switch,8,BTL,80,40.3,32\nPlain,8,NO,36,33.3,26\n"
                                   "Plain,4,NO,33,32.6,26\nLoud,8,NO,42.9,34.9,46\n"
                                   "Loud,4,NO,40,34.3,46\n";
const QString unusable = QStringLiteral("Vantor cannot use its catalogue");
}

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QCOMPARE(ModalWatcher::visibleWindows(), QStringList()); }
    void startUp_data();
    void startUp();
    void selections_data();
    void selections();
    void sheetAgrees();
};

// Start-up resets to the first selection and shows it as a pick would, and
// tells in one box (on the window) what is wrong with the catalogue.
void TestMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("cabinetFile");
    QTest::addColumn<QByteArray>("amplifierFile");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("box"); // its text, then a run of lines it tells

    // "VACIO" is a model like any other.
    const QByteArray pro = "h\nVACIO,8,NO,120,43.8,26\nVACIO,4,NO,110,43,26\n";
    const QString none = "||||||||hidden";
    const QString problems = "Vantor found problems in its catalogue\n";
    QTest::newRow("first rows are not the old defaults")
        << QByteArray("h\nBig,1000,8\n") << pro << "1 0 0 0!|8|1000|8|1000|120|26|15.2 dBu|hidden"
        << QString();
    QTest::newRow("first selection refused: dashes, no box")
        << QByteArray("h\nEight,200,8\n") << QByteArray("h\nFourOnly,4,ST,40,34.3,26\n")
        << "1 0 0 0|8|200|8|200|-|-|-|hidden" << QString();
    QTest::newRow("markup in a name is text")
        << QByteArray("h\n<a href='x'>Fix</a> ,200,8\n") << pro
        << "1 0 0 0!|8|200|8|200|120|26|8.3 dBu|hidden"
        << problems + "data_spk.txt, line 2: name \"<a href='x'>Fix</a> \" has blanks around it";
    QTest::newRow("header-only files")
        << QByteArray("h\n") << QByteArray("h") << "1 -1 -1 0|-|-|-|-|-|-|-|hidden"
        << problems
            + "data_spk.txt, line 1: no cabinet lines after the header\n"
              "data_amplis.txt, line 1: no amplifier lines after the header";
    QTest::newRow("cabinet file missing")
        << QByteArray() << pro << "1 -1 -1! 0!" + none << unusable + "\ndata_spk.txt: not found";
    QTest::newRow("amplifier file missing, cabinet line odd")
        << QByteArray("h\n Big,1000,8\n") << QByteArray() << "1 0 -1! 0!" + none
        << unusable + "\ndata_spk.txt, line 2: name \" Big\" has blanks around it, which are kept";
    QTest::newRow("25 problems, 20 listed")
        << "h\n" + QByteArray("Cab,x,8\n").repeated(25) << pro << "1 0 0 0|-|-|-|-|-|-|-|hidden"
        << problems
            + "data_spk.txt, line 21: power \"x\" is not a number: read as 0\n"
              "... and 5 more: vantor --check lists them all.";
}

void TestMainWindow::startUp()
{
    QFETCH(QByteArray, cabinetFile);
    QFETCH(QByteArray, amplifierFile);
    QFETCH(QString, display);
    QFETCH(QString, box);

    CatalogueFixture fixture(cabinetFile, amplifierFile);
    WindowDriver driver;
    QCOMPARE(driver.display(), display);
    QCOMPARE(driver.boxTexts().join('\n'), box.section('\n', 0, 0));
    if (box.isEmpty())
        return;
    const ModalWatcher::Seen& seen = driver.watcher.seen.first();
    QVERIFY(seen.hasParent && seen.plainText);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY2(seen.informativeText.contains(box.section('\n', 1)), qPrintable(seen.informativeText));
    if (box.startsWith(unusable))
        QVERIFY(seen.informativeText.contains(
            QDir::toNativeSeparators(QDir(fixture.path(".")).absolutePath())));
}

// What the user does ("cabinet=NAME", "amp=NAME", "mode=INDEX", "count=N",
// "reset"), the display it ends in and the warnings on the way. A refusal
// shows one box and then the first selection.
void TestMainWindow::selections_data()
{
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("warning"); // text and informative text

    const QString low
        = "Equivalent impedance is below 4\u03A9!\nIn order to protect the amplifier, "
          "we don't recommend this configuration";
    const QString unsupported
        = "This amplifier configuration is not supported\nPlease, check the selection";
    const QString first = "1 0 0 0|8|200|8|200|42.94|32|2.3 dBu|hidden";
    QTest::newRow("count changes only the load")
        << "cabinet=Sixteen 300, count=3"
        << "3 1 0 0|16|300|5.3|900|40|32|2.3 dBu|shown" << QString();
    QTest::newRow("switchless model greys the mode, capped")
        << "cabinet=Eight 300, amp=NoSwitch, count=2"
        << "2 2 1 0!|8|300|4|600|33|32|0.6 dBu|shown" << QString();
    QTest::newRow("bridge, then stereo again; typing leaves the threshold")
        << "mode=1, mode=0, type=9" << first << QString();
    QTest::newRow("a line in doubt")
        << "cabinet=Sixteen 300, amp=Comma" << first
        << "This catalogue line cannot be used\ndata_amplis.txt, line 9: 7 fields where 6 are "
           "expected (a decimal comma?)\n\nCorrect the line in the catalogue file, then read the "
           "catalogue again.";
    QTest::newRow("the last mode comes back with a switched model")
        << "mode=1, amp=NoSwitch, amp=Switch"
        << "1 0 0 1|8|200|8|200|123.457|32|2.3 dBu|hidden" << QString();
    QTest::newRow("below 4 ohm") << "cabinet=Eight 300, count=2, count=3" << first << low;
    QTest::newRow("no row, one box at count 3")
        << "cabinet=Sixteen 300, count=3, amp=FourOnly, mode=1" << first << unsupported;
    QTest::newRow("reset from count 3 opens no box")
        << "cabinet=Sixteen 300, count=3, amp=FourOnly, reset" << first << QString();
    QTest::newRow("a pick after the reset uses the cabinet shown")
        << "cabinet=Sixteen 300, reset, amp=NoSwitch"
        << "1 0 1 0!|8|200|8|200|36|32|1.5 dBu|shown" << QString();
    QTest::newRow("a model listed twice is one model")
        << "cabinet=Sixteen 300, amp=3"
        << "1 1 3 0|16|300|16|300|42.94|32|2.9 dBu|shown" << QString();
}

void TestMainWindow::selections()
{
    QFETCH(QString, actions);
    QFETCH(QString, display);
    QFETCH(QString, warning);

    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    driver.watcher.seen.clear(); // the catalogue's own problems
    for (const QString& action : actions.split(", "))
        QVERIFY2(driver.act(action), qPrintable(action));
    QCOMPARE(driver.display(), display);
    QStringList boxes;
    for (const ModalWatcher::Seen& box : driver.watcher.seen) {
        QVERIFY(box.title.isEmpty() && !box.hasParent && box.applicationModal && box.plainText);
        boxes << box.text + '\n' + box.informativeText;
    }
    QCOMPARE(boxes.join('\n'), warning);
}

// Every row of the sheet, set in the window by a user's picks, shows there
// exactly as the sheet says, or is refused with the sheet's words.
void TestMainWindow::sheetAgrees()
{
    CatalogueFixture fixture(sheetCabinets, sheetAmplifiers);
    // Lines end in CRLF; the one field that needs quotes, in 16 rows, is unquoted here.
    QBuffer buffer;
    const Catalogue catalogue = Catalogue::load();
    QVERIFY(buffer.open(QIODevice::WriteOnly) && Sheet::write(buffer, catalogue, Sheet::Csv));
    QString csv = QString::fromUtf8(buffer.data());
    QCOMPARE(csv.count("\r\n\"Wedge 12\"\"\","), 16);
    const QStringList lines
        = csv.replace("\"Wedge 12\"\"\"", "Wedge 12\"").split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 3 * 4 * (2 + 1 + 1));
    const QStringList header = lines.first().split(',');

    WindowDriver driver;
    QCOMPARE(driver.watcher.seen.size(), 0);
    QStringList kinds;
    int unreachable = 0;
    for (const QString& line : lines.mid(1)) {
        QHash<QString, QString> row;
        for (int i = 0; i < header.size(); ++i)
            row[header[i]] = line.section(',', i, i);
        const QString mode = row["mode"];
        QStringList actions { "cabinet=" + row["cabinet"], "count=" + row["count"],
            "amp=" + row["amplifier"] };
        if (mode != "-")
            actions << QString("mode=%1").arg(mode == "BTL" ? 1 : 0);
        // Some order of picks reaches the selection with no refusal on the way.
        std::sort(actions.begin(), actions.end());
        bool reached = false;
        do {
            driver.act("reset");
            driver.watcher.seen.clear();
            reached = true;
            for (int i = 0; reached && i < actions.size(); ++i)
                reached = driver.act(actions.at(i))
                    && (i == actions.size() - 1 || driver.watcher.seen.isEmpty());
        } while (!reached && std::next_permutation(actions.begin(), actions.end()));
        const QString why = row["refused"];
        if (!reached) {
            // Refused, and so is every selection one pick away: no user
            // sees this one's own box.
            QVERIFY2(!why.isEmpty(), qPrintable(actions.join(' ')));
            ++unreachable;
            continue;
        }
        QCOMPARE(driver.boxTexts(), why.isEmpty() ? QStringList() : QStringList { why });
        kinds << (why.isEmpty() ? row["at_max"] + row["threshold"] : why);
        if (!why.isEmpty())
            continue;
        const QString display = driver.display();
        QCOMPARE(display.section('|', 0, 0).endsWith('!'), mode == "-");
        QCOMPARE(display.section('|', 3),
            QStringList({ row["impedance"], row["power"], row["voltage"], row["gain"],
                            row["threshold"], row["at_max"] == "yes" ? "shown" : "hidden" })
                .join('|'));
        // The numbers in full read back as the very numbers worked out.
        const Configuration c
            = Configuration::calculate(catalogue, driver.find("comboBox_cabinets")->currentIndex(),
                row["count"].toInt(), row["amplifier"], mode == "-" ? "ST" : mode);
        QCOMPARE(QVector<double>({ row["impedance_ohm"].toDouble(), row["power_w"].toDouble(),
                     row["voltage_v"].toDouble(), row["gain_db"].toDouble(),
                     row["threshold_dbu"].toDouble(), row["threshold_dbv_exact"].toDouble(),
                     row["threshold_v_exact"].toDouble(), row["output_v_exact"].toDouble() }),
            QVector<double>({ c.imp_equiv, c.pow_equiv, c.max_voltage, c.amp_gain, c.threshold,
                c.thresholdDbv(), c.thresholdVolts(), c.heldVoltage() }));
        if (row["threshold"] != "-")
            QCOMPARE(driver.find<QLineEdit>("lineaResultado")->toolTip(),
                QString("%1 dBV, %2 V rms at the amplifier's input; the output is held at %3 V")
                    .arg(row["threshold_dbv"], row["threshold_v"], row["output_v"]));
    }
    QVERIFY(unreachable < 12);
    for (const QString kind : { "This amplifier configuration is not supported",
             "Equivalent impedance is below 4\u03A9!", "no-", "yes" })
        QVERIFY2(('\n' + kinds.join('\n')).contains('\n' + kind), qPrintable(kind));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
