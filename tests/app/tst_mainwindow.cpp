// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "dialog2.h"
#include "sheet.h"
#include "windowdriver.h"

#include <QAccessible>
#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <algorithm>
#include <optional>

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
const QString found = QStringLiteral("Vantor found problems in its catalogue");
const QString first = "1 0 0 0|8|200|8|200|42.94|32|2.3 dBu|hidden";
}

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        Appearance::apply(); // as the program starts: style, icon, the name on the boxes
        // A small font stands in for a screen larger than the offscreen 800 x 600.
        QFont font = QApplication::font();
        font.setPointSize(7);
        QApplication::setFont(font);
    }
    void cleanup() { QCOMPARE(ModalWatcher::visibleWindows(), QStringList()); }
    void startUp_data();
    void startUp();
    void selections_data();
    void selections();
    void sheetAgrees();
    void catalogueMenu_data();
    void catalogueMenu();
    void pictures_data();
    void pictures();
    void keys_data();
    void keys();
    void readingOrder();
};

// Start-up resets to the first selection and shows it as a pick would, and
// tells in one box, over the window and within the screen, what is wrong with
// the catalogue: every problem in its details. Without a usable catalogue
// nothing can be picked.
void TestMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("cabinetFile");
    QTest::addColumn<QByteArray>("amplifierFile");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("box"); // its text, then a run of lines it tells

    // "VACIO" is a model like any other.
    const QByteArray pro = "h\nVACIO,8,NO,120,43.8,26\nVACIO,4,NO,110,43,26\n";
    const QString none = "||||||||hidden";
    const QString problems = found + '\n';
    QTest::newRow("first rows are not the old defaults")
        << QByteArray("h\nBig,1000,8\n") << pro << "1 0 0 0!|8|1000|8|1000|120|26|15.2 dBu|hidden"
        << QString();
    QTest::newRow("first selection refused: dashes, no box")
        << QByteArray("h\nEight,200,8\n") << QByteArray("h\nFourOnly,4,ST,40,34.3,26\n")
        << "1 0 0 0|8|200|8|200|-|-|-|hidden" << QString();
    QTest::newRow("header-only files")
        << QByteArray("h\n") << QByteArray("h") << "1! -1! -1! 0!|-|-|-|-|-|-|-|hidden"
        << problems
            + "data_spk.txt, line 1: no cabinet lines after the header\n"
              "data_amplis.txt, line 1: no amplifier lines after the header";
    QTest::newRow("cabinet file missing")
        << QByteArray() << pro << "1! -1! -1! 0!" + none << unusable + "\ndata_spk.txt: not found";
    QTest::newRow("amplifier file missing, cabinet line odd")
        << QByteArray("h\n Big,1000,8\n") << QByteArray() << "1! 0! -1! 0!" + none
        << unusable + "\ndata_spk.txt, line 2: name \" Big\" has blanks around it, which are kept";
    QTest::newRow("25 problems, 20 listed")
        << "h\n" + QByteArray("Cab,x,8\n").repeated(25) << pro << "1 0 0 0|-|-|-|-|-|-|-|hidden"
        << problems
            + "data_spk.txt, line 21: power \"x\" is not a number: read as 0\n"
              "... and 5 more in the details.";
    const QByteArray link
        = " <a href='x'>Click</a>" + QByteArray(" and a long model name").repeated(10);
    QTest::newRow("25 long lines, fewer listed, markup shown as written")
        << "h\n" + (link + ",200,8\n").repeated(25) << pro
        << "1 0 0 0!|8|200|8|200|120|26|8.3 dBu|hidden"
        << problems + "data_spk.txt, line 2: name \"" + link
            + "\" has blanks around it, which are kept";
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
    QVERIFY(qAbs(seen.frame.center().x() - seen.over.center().x()) <= 1);
    QVERIFY(seen.screen.contains(seen.expanded));
    const Catalogue catalogue = Catalogue::load();
    QStringList every;
    for (const CatalogueProblem& problem : catalogue.unusable + catalogue.problems)
        every << problem.listed();
    QCOMPARE(seen.detailedText, every.join('\n'));
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
        QVERIFY(box.title == "Vantor" && !box.hasParent && box.applicationModal && box.plainText);
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

// The Catalogue menu reads a folder as start-up reads the working directory
// (display, title, box) and exports the sheet `vantor --sheet --format csv`
// prints; a sheet that cannot be written leaves no file. A start without a
// folder named opens the folder last opened while it holds both files.
// "edit" changes the folder "mine"; "restart" starts the window again,
// "restart=FOLDER" on that folder.
void TestMainWindow::catalogueMenu_data()
{
    QTest::addColumn<QByteArray>("working"); // the working directory's cabinets; null: none
    QTest::addColumn<QByteArray>("mine");
    QTest::addColumn<QString>("actions"); // $DIR is the working directory, $MINE "mine"
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("boxes"); // after the first start

    const QByteArray mine = "h\nMine,400,8\n";
    const QString shown = "1 0 0 0|8|400|8|400|42.94|32|2.9 dBu|shown";
    const QString mineTitle = "mine \u2014 Vantor";
    const QString twice = found + '\n' + found;
    const QString failed = "Vantor could not export the limiter sheet";
    QTest::newRow("open a usable folder from an unusable one")
        << QByteArray() << mine << "open=$MINE" << shown << mineTitle << found;
    QTest::newRow("open an unusable folder")
        << cabinets << QByteArray() << "cabinet=Eight 300, open=$MINE"
        << "1! -1! -1! 0!||||||||hidden" << mineTitle << unusable;
    QTest::newRow("open cancelled") << cabinets << mine << "cabinet=Eight 300, open="
                                    << "1 2 0 0|8|300|8|300|42.94|32|2.9 dBu|shown"
                                    << "Vantor" << QString();
    QTest::newRow("reload reads the edited file")
        << cabinets << mine << "restart=$MINE, edit, reload"
        << "1 0 0 0|8|100|8|100|42.94|32|-0.75 dBu|hidden" << mineTitle << twice;
    QTest::newRow("the next start opens it")
        << cabinets << mine << "open=$MINE, restart" << shown << mineTitle << twice;
    QTest::newRow("nor while it lacks a file") << cabinets << QByteArray() << "open=$MINE, restart"
                                               << first << "Vantor" << unusable + '\n' + found;
    QTest::newRow("a folder named wins")
        << cabinets << mine << "open=$DIR, restart=$MINE" << shown << mineTitle << twice;
    QTest::newRow("export over an earlier sheet")
        << cabinets << mine << "export=$DIR/sheet.csv" << first << "Vantor" << QString();
    QTest::newRow("export into a file")
        << cabinets << mine << "export=$DIR/sheet.csv/new.csv" << first << "Vantor" << failed;
}

void TestMainWindow::catalogueMenu()
{
    QFETCH(QByteArray, working);
    QFETCH(QByteArray, mine);
    QFETCH(QString, actions);
    QFETCH(QString, display);
    QFETCH(QString, title);
    QFETCH(QString, boxes);

    CatalogueFixture fixture(working, amplifiers);
    const QString folder = fixture.folder("mine", mine, amplifiers);
    fixture.write("sheet.csv", "earlier");
    const QStringList files = QDir(fixture.path(".")).entryList(QDir::Files);
    std::optional<WindowDriver> driver(std::in_place);
    driver->watcher.seen.clear();
    QStringList seen;
    for (QString action : actions.split(", ")) {
        action.replace("$DIR", QDir::cleanPath(fixture.path("."))).replace("$MINE", folder);
        if (action == "edit")
            QFile::remove(folder + "/data_spk.txt"),
                fixture.write("mine/data_spk.txt", "h\n Edited,100,8\n");
        else if (action.startsWith("restart"))
            seen << driver->boxTexts(), driver.emplace(action.section('=', 1), true);
        else
            QVERIFY2(driver->act(action), qPrintable(action));
    }
    QCOMPARE(driver->display(), display);
    QCOMPARE(driver->window.windowTitle(), title);
    QCOMPARE((seen + driver->boxTexts()).join('\n'), boxes);
    QCOMPARE(driver->find<QAction>("actionExport")->isEnabled(), !display.endsWith("|||hidden"));
    QCOMPARE(QDir(fixture.path(".")).entryList(QDir::Files), files);
    QFile sheet(fixture.path("sheet.csv"));
    QVERIFY(sheet.open(QIODevice::ReadOnly));
    const QByteArray written = sheet.readAll();
    QCOMPARE(written != "earlier", actions == "export=$DIR/sheet.csv");
    if (written != "earlier") {
        QProcess program;
        program.start(VANTOR_PROGRAM, { "--sheet", "--format", "csv", fixture.path(".") });
        QVERIFY(program.waitForFinished() && program.exitCode() == 0);
        QCOMPARE(written, program.readAllStandardOutput());
    }
}

// The banner and the About box's logo come from the folder opened, else the
// working directory, else the program itself.
void TestMainWindow::pictures_data()
{
    QTest::addColumn<QString>("places"); // that hold the images
    QTest::addColumn<QSize>("banner");
    QTest::newRow("the folder's") << "mine ." << QSize(10, 10);
    QTest::newRow("the working directory's") << "." << QSize(20, 20);
    QTest::newRow("built in") << QString() << QSize(301, 71);
}

void TestMainWindow::pictures()
{
    QFETCH(QString, places);
    QFETCH(QSize, banner);

    CatalogueFixture fixture;
    const QString mine = fixture.folder("mine", cabinets, amplifiers);
    for (const QString& place : places.split(' ', Qt::SkipEmptyParts)) {
        const int side = place == "mine" ? 10 : 20;
        for (const char* name : { "banner3.png", "Orlena-Audio-logo-60px.png" })
            QVERIFY(
                QImage(side, side, QImage::Format_RGB32).save(fixture.path(place + '/' + name)));
    }
    WindowDriver driver(mine);
    QCOMPARE(driver.find<QLabel>("label")->sizeHint(), banner);
    QSize logo;
    driver.watcher.onModal
        = [&](QWidget* about) { logo = about->findChild<QLabel*>("label")->sizeHint(); };
    driver.find<QAction>("actionAbout")->trigger();
    QCOMPARE(logo, banner == QSize(301, 71) ? QSize(60, 60) : banner);
}

// Keys on an input: on the amplifier selector a letter picks, a letter with
// Alt never does (it is a menu's); F1 opens the User Guide, and the menus'
// keys work in the text fields too.
void TestMainWindow::keys_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("opened");
    const QString amplifier = "comboBox_amplis";
    QTest::newRow("N") << amplifier << "N"
                       << "1 0 1 0!|8|200|8|200|36|32|1.5 dBu|shown"
                       << "";
    QTest::newRow("Alt+N") << amplifier << "Alt+N" << first << "";
    QTest::newRow("Alt+H") << amplifier << "Alt+H" << first << "menuAcerca";
    QTest::newRow("Alt+C") << amplifier << "Alt+C" << first << "menuCatalogue";
    QTest::newRow("F1") << amplifier << "F1" << first << "Dialog2";
    QTest::newRow("Ctrl+E") << "spin_num_cabinets"
                            << "Ctrl+E" << first << "save dialog";
    QTest::newRow("Ctrl+O") << "lineaResultado"
                            << "Ctrl+O" << first << "folder dialog";
}

void TestMainWindow::keys()
{
    QFETCH(QString, focus);
    QFETCH(QString, keys);
    QFETCH(QString, display);
    QFETCH(QString, opened);

    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    QString asked;
    driver.window.chooseFolder = [&] { return asked = "folder dialog", QString(); };
    driver.window.chooseSheetFile = [&] { return asked = "save dialog", QString(); };
    QApplication::setActiveWindow(&driver.window);
    QWidget* input = driver.find<QWidget>(focus);
    input->setFocus();
    QTest::keySequence(input, QKeySequence(keys));
    QCOMPARE(driver.display(), display);
    QWidget* shown = QApplication::activePopupWidget();
    if (!shown)
        shown = driver.window.findChild<Dialog2*>();
    QCOMPARE(shown ? shown->objectName() : asked, opened);
    if (shown)
        shown->close();
}

// Tab goes through the inputs in reading order and back to the first, and a
// screen reader names each; the threshold's description is its tooltip.
void TestMainWindow::readingOrder()
{
    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    QApplication::setActiveWindow(&driver.window);
    driver.count()->setFocus(Qt::TabFocusReason);
    QStringList order;
    for (int i = 0; i < 7; ++i, QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab))
        order << QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                     ->text(QAccessible::Name);
    QCOMPARE(order.join(", "),
        "Number of cabinets, Cabinet model, Amplifier model, Operation mode, Limiter threshold, "
        "Reset, Number of cabinets");
    QLineEdit* threshold = driver.find<QLineEdit>("lineaResultado");
    QVERIFY(!threshold->toolTip().isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(threshold)->text(QAccessible::Description),
        threshold->toolTip());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
