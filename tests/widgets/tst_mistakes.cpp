// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "sheet.h"
#include "windowdriver.h"

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const QByteArray delia = "h\nDelia 8,200,8\n";
const QByteArray ampX = "h\nAmp X,8,NO,42.9,34.9,32\nAmp X,4,NO,40,34.3,32\n";
}

// A catalogue mistake never reaches a threshold without a word: the window
// and the sheet refuse a selection that would use it with the same reason.
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
    void unusableFolderNamed();
};

// Every selection of the sheet, made in the window by a user's picks, shows
// there as the sheet has it, or is refused with the same words.
void TestMistakes::mistake_data()
{
    QTest::addColumn<QByteArray>("cabinets"); // the files
    QTest::addColumn<QByteArray>("amplifiers");
    QTest::addColumn<QStringList>("kinds"); // the sheet's reasons met, and "at max", sorted
    const auto row
        = [](const char* tag, const QByteArray& cabinets, const QByteArray& amplifiers,
              const QStringList& kinds) { QTest::newRow(tag) << cabinets << amplifiers << kinds; };
    row("a clean catalogue", "h\nSixteen 300,300,16\nWedge 12\",200,8\nFour 500,500,4\n",
        "h\nSwitch,8,ST,42.9,34.9,32\nSwitch,4,ST,40,34.3,32\nSwitch,8,BTL,80,40.3,32\n"
        "Plain,8,NO,36,33.3,26\nPlain,4,NO,33,32.6,26\nLoud,8,NO,42.9,34.9,46\n"
        "Loud,4,NO,40,34.3,46\n",
        { "at max", "below -10 dBu", "below 4 \u03a9", "no data at 4 \u03a9 BTL" });
    row("a cabinet twice", "h\nDelia 8,200,8\nDelia 8,300,8\n", ampX, { "data_spk.txt:3" });
    row("the line meant cannot be read", delia,
        "h\nQuill,8,ST,42.9,34.9,32\nQuill,8,st,80,40.3,32\n",
        { "below 4 \u03a9", "data_amplis.txt:3" });
    row("a decimal comma", delia, "h\nAmp X,8,NO,42.9,34.9,3,2\n",
        { "below 4 \u03a9", "data_amplis.txt:2", "no data at 4 \u03a9" });
    row("the limiter set's columns: a peak below the program power, a high-pass of 0",
        "name,power,impedance,peak_w,hpf_hz\nLow,200,8,100,40\nNo hpf,200,8,800,0\nFine,200,8,,90\n",
        ampX, { "below 4 \u03a9", "data_spk.txt:2", "data_spk.txt:3" });
}

void TestMistakes::mistake()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);
    CatalogueFixture fixture(cabinets, amplifiers);
    QVector<Configuration> sheet;
    Sheet::forEach(Catalogue::load(), {}, [&](const Configuration& c) { return sheet << c, true; });
    WindowDriver driver;
    QLineEdit* threshold = driver.threshold();
    QStringList met;
    for (const Configuration& c : sheet) {
        // The picks from the first selection; at least one.
        driver.clickReset();
        QVector<Step> steps;
        if (driver.find("comboBox_cabinets")->currentIndex() != c.cabinet || c.count == 1)
            steps << pickCabinet(c.cabinet);
        if (c.count != 1)
            steps << setCount(c.count);
        if (driver.find("comboBox_amplis")->currentText() != c.amplifier)
            steps << pickAmplifier(c.amplifier);
        if (c.mode == Mode::Bridge)
            steps << pickMode(1);
        // Some order of picks reaches the selection with no refusal on the way.
        QVector<int> order { 0, 1, 2, 3 };
        order.resize(steps.size());
        bool reached = false;
        do {
            driver.clickReset();
            driver.watcher.seen.clear();
            reached = true;
            for (int i = 0; reached && i < order.size(); ++i)
                reached = steps[order[i]](driver)
                    && (i == order.size() - 1 || driver.watcher.seen.isEmpty());
        } while (!reached && std::next_permutation(order.begin(), order.end()));
        // Else refused, as is every selection one pick away: no user sees its box.
        QVERIFY2(reached || !c.warningText().isEmpty(), qPrintable(c.cabinetName + c.amplifier));
        if (!reached)
            continue;
        if (!c.reason().isEmpty() || c.at_max)
            met << (c.at_max ? "at max" : c.reason());
        QCOMPARE(driver.watcher.seen.size(), c.warningText().isEmpty() ? 0 : 1);
        if (!c.warningText().isEmpty()) {
            QCOMPARE(driver.watcher.seen.first().text, c.warningText());
            QCOMPARE(driver.watcher.seen.first().informativeText, c.warningDetails());
            continue;
        }
        QCOMPARE(driver.labels(), c.labelTexts());
        QCOMPARE(threshold->text(), c.thresholdText());
        QVERIFY(driver.find<QLineEdit>("lineaPeak")->text().startsWith(c.peakThresholdText()));
        QCOMPARE(threshold->toolTip(), c.thresholdDetails());
        if (c.reason() == "below -10 dBu") // the window says why it shows "-"
            QVERIFY(threshold->toolTip().contains("below the -10 dBu"));
        QCOMPARE(driver.find<QLabel>("label_alert_max")->isHidden(), !c.at_max);
        QCOMPARE(driver.find("comboBox_mode")->isEnabled(), c.mode.hasSwitch());
    }
    met.removeDuplicates();
    met.sort();
    QTEST(met, "kinds");
}

// A FIFO where an image is looked for is passed over: nothing makes the window wait.
void TestMistakes::folderCannotBlock()
{
#ifdef Q_OS_UNIX
    CatalogueFixture fixture(delia, ampX);
    QCOMPARE(mkfifo(QFile::encodeName(fixture.path("banner3.png")).constData(), 0600), 0);
    QElapsedTimer timer;
    timer.start();
    WindowDriver driver;
    QVERIFY(!driver.find<QLabel>("label")->pixmap(Qt::ReturnByValue).isNull()); // the program's
    QVERIFY(timer.elapsed() < 10000);
#else
    QSKIP("FIFOs are a Unix thing");
#endif
}

// Open Folder on a folder without a catalogue names every file it lacks.
void TestMistakes::unusableFolderNamed()
{
    CatalogueFixture fixture(delia, ampX);
    QDir().mkdir("empty");
    WindowDriver driver;
    QVERIFY(driver.openFolder("empty"));
    const QString told = driver.watcher.seen.value(0).informativeText;
    QVERIFY2(
        told.contains("data_spk.txt: not found\ndata_amplis.txt: not found"), qPrintable(told));
}

QTEST_MAIN(TestMistakes)
#include "tst_mistakes.moc"
