// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "modalwatcher.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {
const QByteArray cabinets = "name,power,impedance\n"
                            "Eight 200,200,8\n"
                            "Sixteen 300,300,16\n"
                            "Eight 300,300,8\n"
                            "Four 500,500,4\n"
                            "Zero,0,8\n"
                            "Negative,-100,8\n";
const QByteArray amplifiers = "name,impedance,mode,voltage,level,gain\n"
                              "Switch,8,ST,42.94,34.9,32\n"
                              "Switch,4,ST,40,34.3,32\n"
                              "Switch,8,BTL,123.45678,44.0,32\n"
                              "Switch,4,BTL,75,39.7,32\n"
                              "NoSwitch,8,NO,36,33.5,32\n"
                              "NoSwitch,4,NO,33,33.5,32\n"
                              "StOnly,8,ST,45,35.3,30\n"
                              "StOnly,4,ST,42,34.7,30\n"
                              "HighGain,8,ST,42.9,100,46\n"
                              "FourOnly,4,ST,40,100,26\n"
                              "Floor,8,ST,42.9,22,32\n"
                              "JustBelow,8,ST,42.9,21.99,32\n"
                              "Switch,16,ST,99,99,99\n";
const QString lowImpedance = QString::fromUtf8("Equivalent impedance is below 4\u03A9!");
const QString unsupported = QStringLiteral("This amplifier configuration is not supported");

// The display after a selection: the inputs as "count cabinet amplifier mode",
// with a "-" when the mode selector is greyed out, and the results in label order.
QString expected(const QString& inputs, const QStringList& results)
{
    const QStringList in = inputs.split(' ');
    const bool modeEnabled = !in[3].endsWith('-');
    QStringList shown {
        "count=" + in[0] + " enabled",
        "comboBox_cabinets=" + in[1] + " enabled",
        "comboBox_amplis=" + in[2] + " enabled",
        "comboBox_mode=" + QString(in[3]).remove('-') + (modeEnabled ? " enabled" : " disabled"),
        QString::fromUtf8("Speaker impedance: %1 \u03A9").arg(results[0]),
        QString("Speaker program power: %1 W").arg(results[1]),
        QString::fromUtf8("Equivalent impedance: %1 \u03A9").arg(results[2]),
        QString("Equivalent program power: %1 W").arg(results[3]),
        QString("Max program voltage: %1 V").arg(results[4]),
        QString("Amplifier gain: %1 dB").arg(results[5]),
        results[6],
        "alert " + results[7],
    };
    return shown.join('\n');
}
}

class TestCalculation : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }
    void selections_data();
    void selections();
    void refusalBox();
    void repeatedModelRun();
};

// Each row is what the user does, the display it ends in and the warnings on
// the way; after a refusal the window shows the first selection again.
void TestCalculation::selections_data()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("warnings");

    const QString first
        = expected("1 0 0 0", { "8", "200", "8", "200", "42.94", "32", "2.3 dBu", "hidden" });
    QTest::newRow("start-up shows the first selection") << QStringList() << first << QStringList();
    QTest::newRow("16 ohm cabinet alone uses the 8 ohm row")
        << QStringList { "cabinet=Sixteen 300" }
        << expected("1 1 0 0", { "16", "300", "16", "300", "42.94", "32", "2.9 dBu", "shown" })
        << QStringList();
    QTest::newRow("three 16 ohm cabinets use the 4 ohm row")
        << QStringList { "cabinet=Sixteen 300", "count=3" }
        << expected("3 1 0 0", { "16", "300", "5.3", "900", "40", "32", "2.3 dBu", "shown" })
        << QStringList();
    QTest::newRow("count alone keeps the speaker values")
        << QStringList { "cabinet=Sixteen 300", "count=2" }
        << expected("2 1 0 0", { "16", "300", "8", "600", "42.94", "32", "2.9 dBu", "shown" })
        << QStringList();
    QTest::newRow("two 8 ohm cabinets accepted at 4 ohm, capped")
        << QStringList { "cabinet=Eight 300", "amp=NoSwitch", "count=2" }
        << expected("2 2 1 0-", { "8", "300", "4", "600", "33", "32", "1.5 dBu", "shown" })
        << QStringList();
    QTest::newRow("three 8 ohm cabinets after two refused") << QStringList { "cabinet=Eight 300",
        "count=2", "count=3" } << first << QStringList { lowImpedance };
    QTest::newRow("three 8 ohm cabinets from one refused")
        << QStringList { "cabinet=Eight 300", "count=3" } << first << QStringList { lowImpedance };
    QTest::newRow("two 4 ohm cabinets refused")
        << QStringList { "cabinet=Four 500", "count=2" } << first << QStringList { lowImpedance };
    QTest::newRow("bridge mode rounds the voltage")
        << QStringList { "mode=1" }
        << expected("1 0 0 1", { "8", "200", "8", "200", "123.457", "32", "2.3 dBu", "hidden" })
        << QStringList();
    QTest::newRow("stereo again after bridge")
        << QStringList { "mode=1", "mode=0" } << first << QStringList();
    QTest::newRow("switchless model greys the mode")
        << QStringList { "mode=1", "amp=NoSwitch" }
        << expected("1 0 1 1-", { "8", "200", "8", "200", "36", "32", "1.5 dBu", "shown" })
        << QStringList();
    QTest::newRow("last mode comes back with a switched model")
        << QStringList { "mode=1", "amp=NoSwitch", "amp=Switch" }
        << expected("1 0 0 1", { "8", "200", "8", "200", "123.457", "32", "2.3 dBu", "hidden" })
        << QStringList();
    QTest::newRow("model rated only in stereo refuses bridge")
        << QStringList { "mode=1", "amp=StOnly" } << first << QStringList { unsupported };
    QTest::newRow("one box for one refusal at count 2") << QStringList { "cabinet=Sixteen 300",
        "amp=StOnly", "count=2", "mode=1" } << first << QStringList { unsupported };
    QTest::newRow("model without a row at the rated impedance")
        << QStringList { "amp=FourOnly" } << first << QStringList { unsupported };
    QTest::newRow("reset from count 3 opens no box") << QStringList { "cabinet=Sixteen 300",
        "count=3", "amp=FourOnly", "reset" } << first << QStringList();
    QTest::newRow("a pick after the reset uses the cabinet shown")
        << QStringList { "cabinet=Sixteen 300", "reset", "amp=NoSwitch" }
        << expected("1 0 1 0-", { "8", "200", "8", "200", "36", "32", "1.5 dBu", "shown" })
        << QStringList();
    QTest::newRow("threshold below the floor")
        << QStringList { "amp=HighGain" }
        << expected("1 0 3 0", { "8", "200", "8", "200", "42.9", "46", "-", "hidden" })
        << QStringList();
    QTest::newRow("threshold exactly at the floor")
        << QStringList { "amp=Floor" }
        << expected("1 0 5 0", { "8", "200", "8", "200", "42.9", "32", "-10 dBu", "shown" })
        << QStringList();
    QTest::newRow("capped threshold just below the floor")
        << QStringList { "amp=JustBelow" }
        << expected("1 0 6 0", { "8", "200", "8", "200", "42.9", "32", "-", "shown" })
        << QStringList();
    QTest::newRow("zero power hides the alert")
        << QStringList { "cabinet=Sixteen 300", "cabinet=Zero" }
        << expected("1 4 0 0", { "8", "0", "8", "0", "42.94", "32", "-", "hidden" })
        << QStringList();
    QTest::newRow("negative power shows no number")
        << QStringList { "cabinet=Sixteen 300", "cabinet=Negative", "count=2" }
        << expected("2 5 0 0", { "8", "-100", "4", "-200", "40", "32", "-", "hidden" })
        << QStringList();
}

void TestCalculation::selections()
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
}

void TestCalculation::refusalBox()
{
    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    driver.watcher.seen.clear();
    QVERIFY(driver.act("cabinet=Eight 300"));
    driver.setCount(3);
    QVERIFY(driver.act("amp=FourOnly"));
    QCOMPARE(driver.watcher.seen.size(), 2);
    const ModalWatcher::Seen& low = driver.watcher.seen.at(0);
    QCOMPARE(low.text, lowImpedance);
    QCOMPARE(low.informativeText,
        QStringLiteral("In order to protect the amplifier, we don't recommend this configuration"));
    const ModalWatcher::Seen& box = driver.watcher.seen.at(1);
    QCOMPARE(box.text, unsupported);
    QCOMPARE(box.informativeText, QStringLiteral("Please, check the selection"));
    QCOMPARE(box.icon, QMessageBox::Warning);
    QVERIFY(box.title.isEmpty() && !box.hasParent && box.applicationModal);
}

// A model listed twice (its lines in two runs) is the same model either way.
void TestCalculation::repeatedModelRun()
{
    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    QComboBox* models = driver.combo("comboBox_amplis");
    QCOMPARE(models->count(), 8);
    QCOMPARE(models->itemText(7), QStringLiteral("Switch"));
    QVERIFY(driver.pick("comboBox_cabinets", "Sixteen 300"));
    const QString first = driver.display();
    QVERIFY(driver.pick("comboBox_amplis", 7));
    QCOMPARE(driver.display(), QString(first).replace("comboBox_amplis=0", "comboBox_amplis=7"));
}

QTEST_MAIN(TestCalculation)
#include "tst_calculation.moc"
