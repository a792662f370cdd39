// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "sheet.h"
#include "windowdriver.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const QByteArray delia = "h\nDelia 8,200,8\n";
const QByteArray ampX = "h\nAmp X,8,NO,42.9,34.9,32\nAmp X,4,NO,40,34.3,32\n";
const QString inDoubt = QStringLiteral("This catalogue line cannot be used");
}

// A catalogue mistake never reaches a threshold without a word: the reader
// names it at its line, and the window and the sheet refuse a selection that
// would use it with the same reason, or show what the line says.
class TestMistakes : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        Appearance::apply();
    }
    void cleanup() { QCOMPARE(ModalWatcher::visibleWindows(), QStringList()); }
    void mistake_data();
    void mistake();
    void folderCannotBlock();
    void unusableFolderKeepsCatalogue();
};

// Each mistake's own text is the catalogue suite's; here, what a selection
// that meets it gives.
void TestMistakes::mistake_data()
{
    QTest::addColumn<QByteArray>("cabinets"); // the files
    QTest::addColumn<QByteArray>("amplifiers");
    QTest::addColumn<int>("count"); // of the first cabinet, on the first model
    QTest::addColumn<QString>("mode"); // picked; "-" for a model without the switch
    QTest::addColumn<QString>("reason"); // the sheet's; empty: a threshold to set
    QTest::addColumn<QString>("window"); // its box, else its threshold

    const auto row
        = [](const char* tag, const QByteArray& cabinets, const QByteArray& amplifiers, int count,
              const QString& mode, const QString& reason, const QString& window) {
              QTest::newRow(tag) << cabinets << amplifiers << count << mode << reason << window;
          };
    row("clean", delia, ampX, 1, "-", "", "2.3 dBu");
    row("a cabinet twice", "h\nDelia 8,200,8\nDelia 8,300,8\n", ampX, 1, "-", "data_spk.txt:2",
        inDoubt);
    row("the line meant cannot be read", delia,
        "h\nQuill,8,ST,42.9,34.9,32\nQuill,8,st,80,40.3,32\n", 1, "BTL", "data_amplis.txt:3",
        inDoubt);
    row("a decimal comma", delia, "h\nAmp X,8,NO,42.9,34.9,3,2\n", 1, "-", "data_amplis.txt:2",
        inDoubt);
    row("below 4 ohm on an amplifier with 8 ohm lines only", delia, "h\nAmp X,8,NO,42.9,34.9,32\n",
        3, "-", "below 4 \u03A9", "Equivalent impedance is below 4\u03A9!");
    row("no line for the load", delia, "h\nQuill,8,ST,42.9,34.9,32\n", 2, "ST",
        "no data at 4 \u03A9 ST", "This amplifier configuration is not supported");
    row("a switchless model with a cabinet in doubt", "h\nDelia 8,0,8\n", ampX, 2, "-",
        "data_spk.txt:2", inDoubt);
    row("below -10 dBu", "h\nTiny,1,8\n", ampX, 1, "-", "below -10 dBu", "-");
    row("CR line ends alone", "h\rDelia 8,200,8\r", ampX, 1, "-", "", "2.3 dBu");
    row("an invisible character, usable", "h\nDelia\xe2\x80\x8b 8,200,8\n", ampX, 1, "-", "",
        "2.3 dBu");
}

void TestMistakes::mistake()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);
    QFETCH(int, count);
    QFETCH(QString, mode);
    QFETCH(QString, reason);
    QFETCH(QString, window);
    CatalogueFixture fixture(cabinets, amplifiers);
    const Catalogue catalogue = Catalogue::load();

    // The sheet: one row per count for a model without the switch.
    QStringList reasons;
    Sheet::Filter filter;
    filter.cabinets = QStringList { catalogue.cabinets.first().name };
    Sheet::forEach(catalogue, filter, [&](const Configuration& c) {
        if (c.cabinet == 0 && c.count == count && (!c.modeSwitch || c.mode == mode))
            reasons << c.reason() + (c.accepted() ? c.thresholdText() : QString());
        return true;
    });
    QCOMPARE(reasons, QStringList { reason.isEmpty() ? window : reason });

    // The window, picked as a user picks: the box, or what it shows.
    WindowDriver driver;
    driver.watcher.seen.clear();
    if (mode != "-")
        QVERIFY(driver.act(mode == "BTL" ? "mode=1" : "mode=0"));
    QVERIFY(driver.act(count > 1 ? QString("count=%1").arg(count) : QString("cabinet=0")));
    QCOMPARE(driver.find("comboBox_mode")->isEnabled(), mode != "-");
    QLineEdit* threshold = driver.find<QLineEdit>("lineaResultado");
    if (driver.watcher.seen.isEmpty()) {
        QCOMPARE(threshold->text(), window);
        QCOMPARE(threshold->toolTip().contains("below the -10 dBu"), reason == "below -10 dBu");
        QVERIFY(threshold->accessibleDescription().startsWith(threshold->toolTip()));
    } else {
        QCOMPARE(driver.watcher.seen.size(), 1);
        QCOMPARE(driver.watcher.seen.first().text, window);
        if (reason.contains(".txt:")) // the line, as the sheet names it
            QVERIFY(driver.watcher.seen.first().informativeText.contains(
                ", line " + reason.section(':', 1)));
    }
}

// Nothing in a folder can make the window wait: a FIFO where an image is
// looked for is passed over, at start-up and in the About box.
void TestMistakes::folderCannotBlock()
{
#ifdef Q_OS_UNIX
    CatalogueFixture fixture(delia, ampX);
    for (const char* image : { "banner3.png", "Orlena-Audio-logo-60px.png" })
        QCOMPARE(mkfifo(QFile::encodeName(fixture.path(image)).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    WindowDriver driver;
    QVERIFY(!driver.find<QLabel>("label")->pixmap(Qt::ReturnByValue).isNull());
    driver.watcher.onModal = [](QWidget* about) {
        QVERIFY(!about->findChild<QLabel*>("label")->pixmap(Qt::ReturnByValue).isNull());
    };
    driver.find<QAction>("actionAbout")->trigger();
    QCOMPARE(driver.watcher.seen.size(), 1);
    QVERIFY(timer.elapsed() < 10000);
#else
    QSKIP("FIFOs are a Unix thing");
#endif
}

// Open Folder on a folder without a catalogue, or Reload of a file half
// written, keeps the selection shown and the folder remembered, and names
// every file it lacks.
void TestMistakes::unusableFolderKeepsCatalogue()
{
    CatalogueFixture fixture(delia, ampX);
    const QString mine = fixture.folder("mine", "h\nMine,400,8\nOther,200,8\n", ampX);
    QDir(fixture.path(".")).mkdir("empty");
    WindowDriver driver;
    QVERIFY(driver.act("open=" + mine) && driver.act("cabinet=Other"));
    const QString shown = driver.display();
    QVERIFY(driver.act("open=" + fixture.path("empty")));
    QCOMPARE(driver.watcher.seen.size(), 1);
    QCOMPARE(driver.watcher.seen.first().text, "Vantor cannot use this catalogue");
    const QString told = driver.watcher.seen.first().informativeText;
    QVERIFY(
        told.contains("data_spk.txt: not found") && told.contains("data_amplis.txt: not found"));
    QCOMPARE(driver.display(), shown);
    QCOMPARE(driver.window.windowTitle(), "mine \u2014 Vantor");
    QCOMPARE(QSettings("vantor", "vantor").value("catalogue/folder").toString(), mine);
    QFile::remove(mine + "/data_amplis.txt"); // as a spreadsheet does while it saves
    QVERIFY(driver.act("reload"));
    QCOMPARE(driver.watcher.seen.size(), 2);
    QCOMPARE(driver.display(), shown);
}

QTEST_MAIN(TestMistakes)
#include "tst_mistakes.moc"
