// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "configuration.h"
#include "windowdriver.h"

namespace {
// 240 W on 8 ohms, rated 960 W peak, high-pass at 40 Hz: 87.6 V peak, within
// Roomy's 100 V maximum but beyond Tight's 50 V.
const QByteArray cabinets = "name,power,impedance,peak_w,hpf_hz\nGiven,240,8,960,40\n"
                            "Given no high-pass,240,8,960,\nAssumed,240,8,,125\n";
const QByteArray amplifiers = "h\nRoomy,8,NO,100,42.2,32\nTight,8,NO,50,36.2,32\n";
}

class TestLimiterSet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void shown_data();
    void shown();
    void example();
};

// A pick shows the peak threshold (with "assumed" where the catalogue gives no
// peak rating), its alert and the times as the selection's configuration
// gives them; a screen reader hears them, and the status bar gives the peak's
// figures while the field has the focus.
void TestLimiterSet::shown_data()
{
    QTest::addColumn<QString>("cabinet");
    QTest::addColumn<QString>("amplifier");
    QTest::addColumn<bool>("assumed");
    QTest::addColumn<bool>("atMax");
    QTest::addColumn<bool>("times");
    const auto row = [](const char* tag, const char* cabinet, const char* amplifier, bool assumed,
                         bool atMax, bool times) {
        QTest::newRow(tag) << QString(cabinet) << QString(amplifier) << assumed << atMax << times;
    };
    row("given peak", "Given", "Roomy", false, false, true);
    row("given peak at the maximum", "Given", "Tight", false, true, true);
    row("no high-pass", "Given no high-pass", "Roomy", false, false, false);
    row("assumed peak", "Assumed", "Roomy", true, false, true);
}

void TestLimiterSet::shown()
{
    QFETCH(QString, cabinet);
    QFETCH(QString, amplifier);
    QFETCH(bool, assumed);
    QFETCH(bool, atMax);
    QFETCH(bool, times);
    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    QApplication::setActiveWindow(driver.window.get());
    QVERIFY(driver.pickAmplifier(amplifier) && driver.pickCabinet(cabinet));
    const Configuration c = Configuration::calculate(Catalogue::load(),
        driver.find("comboBox_cabinets")->currentIndex(), 1, amplifier, Mode::Stereo);
    QVERIFY(c.accepted());
    QCOMPARE(c.peak_assumed, assumed);
    QCOMPARE(c.peak_at_max, atMax);
    QCOMPARE(c.noTimesReason().isEmpty(), times);
    auto* peak = driver.find<QLineEdit>("lineaPeak");
    QCOMPARE(peak->text(), c.peakThresholdText() + (assumed ? " (assumed)" : ""));
    QCOMPARE(driver.find<QLabel>("label_times")->text(),
        times ? c.attackText() + " / " + c.releaseText() : "- (" + c.noTimesReason() + ")");
    QAccessibleInterface* alert
        = QAccessible::queryAccessibleInterface(driver.find<QLabel>("label_alert_peak"));
    QCOMPARE(alert->role(), QAccessible::AlertMessage);
    QCOMPARE(!alert->state().invisible, atMax);
    const QString figures = c.peakVoltsText() + " at the output"
        + (atMax ? ", amplifier maximum; " : "; ") + c.peakBasis();
    QAccessibleInterface* field = QAccessible::queryAccessibleInterface(peak);
    QCOMPARE(field->text(QAccessible::Name), "Peak threshold");
    QVERIFY(field->text(QAccessible::Description).startsWith(figures + "; "));
    const QString heard = QAccessible::queryAccessibleInterface(driver.find("comboBox_cabinets"))
                              ->text(QAccessible::Description);
    QVERIFY(heard.contains("; peak " + peak->text() + ";"));
    QCOMPARE(heard.contains("attack " + c.attackText() + ", release " + c.releaseText()), times);
    QCOMPARE(heard.contains(alert->text(QAccessible::Name)), atMax);
    peak->setFocus();
    QCOMPARE(driver.window->statusBar()->currentMessage(), figures);
}

// The example catalogue, at first start, has cabinets with a peak rating and
// cabinets without.
void TestLimiterSet::example()
{
    WindowDriver driver(VANTOR_RESOURCES);
    QSet<bool> assumed;
    for (int cabinet = 0; cabinet < driver.find("comboBox_cabinets")->count(); ++cabinet) {
        QVERIFY(driver.pickCabinet(cabinet));
        assumed << driver.find<QLineEdit>("lineaPeak")->text().endsWith(" (assumed)");
    }
    QCOMPARE(assumed, QSet<bool>({ false, true }));
}

QTEST_MAIN(TestLimiterSet)
#include "tst_limiterset.moc"
