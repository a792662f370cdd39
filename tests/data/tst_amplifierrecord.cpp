// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierrecord.h"

#include <QtTest>

#include <cmath>
#include <limits>

class TestAmplifierRecord : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void threshold_data();
    void threshold();
    void unusableLoad_data();
    void unusableLoad();
    void matches_data();
    void matches();
};

void TestAmplifierRecord::threshold_data()
{
    QTest::addColumn<double>("power");
    QTest::addColumn<double>("impedance");
    QTest::addColumn<double>("maxLevel");
    QTest::addColumn<int>("gain");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("atMax");
    QTest::addColumn<QString>("shown");

    // L = 20 log10(sqrt(P R) / sqrt(0.6))
    const double level1600 = 20.0 * std::log10(40.0 / 0.7745966692414834);
    QTest::newRow("one 8 ohm 200 W cabinet")
        << 200.0 << 8.0 << 34.87 << 32 << level1600 - 32 << false << "2.3";
    QTest::newRow("two 8 ohm 300 W cabinets capped")
        << 600.0 << 4.0 << 33.5 << 32 << 1.5 << true << "1.5";
    QTest::newRow("high gain below the floor")
        << 200.0 << 8.0 << 60.0 << 46 << level1600 - 46 << false << "-12";
    QTest::newRow("level equal to the maximum")
        << 200.0 << 8.0 << level1600 << 32 << level1600 - 32 << false << "2.3";
    QTest::newRow("level just above the maximum")
        << 200.0 << 8.0 << 34.2 << 32 << 34.2 - 32 << true << "2.2";
    QTest::newRow("three 16 ohm 300 W cabinets")
        << 900.0 << 16.0 / 3 << 50.0 << 26
        << 20.0 * std::log10(std::sqrt(4800.0) / 0.7745966692414834) - 26 << false << "13";
}

void TestAmplifierRecord::threshold()
{
    QFETCH(double, power);
    QFETCH(double, impedance);
    QFETCH(double, maxLevel);
    QFETCH(int, gain);
    QFETCH(double, expected);
    QFETCH(bool, atMax);
    QFETCH(QString, shown);

    const AmplifierRecord amplifier("Amp", 8, "ST", 42.9, maxLevel, gain);
    bool at_max = !atMax;
    const double t = amplifier.threshold(power, impedance, at_max);
    QCOMPARE(t, expected);
    QCOMPARE(at_max, atMax);
    QCOMPARE(QString::number(t, 'g', 2), shown);
}

void TestAmplifierRecord::unusableLoad_data()
{
    QTest::addColumn<double>("power");
    QTest::addColumn<double>("impedance");
    QTest::addColumn<bool>("notANumber");

    QTest::newRow("zero power") << 0.0 << 8.0 << false;
    QTest::newRow("zero impedance") << 200.0 << 0.0 << false;
    QTest::newRow("negative power") << -200.0 << 8.0 << true;
}

// No level can be had from such a load: the alert never shows for it.
void TestAmplifierRecord::unusableLoad()
{
    QFETCH(double, power);
    QFETCH(double, impedance);
    QFETCH(bool, notANumber);

    const AmplifierRecord amplifier("Amp", 8, "ST", 42.9, 34.87, 32);
    bool at_max = true;
    const double t = amplifier.threshold(power, impedance, at_max);
    QVERIFY(!at_max);
    if (notANumber)
        QVERIFY(std::isnan(t));
    else
        QCOMPARE(t, -std::numeric_limits<double>::infinity());
}

void TestAmplifierRecord::matches_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("impedance");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("expected");

    QTest::newRow("exact") << "Amp A" << 8.0 << "ST" << true;
    QTest::newRow("name case differs") << "amp a" << 8.0 << "ST" << false;
    QTest::newRow("name with trailing blank") << "Amp A " << 8.0 << "ST" << false;
    QTest::newRow("other impedance") << "Amp A" << 4.0 << "ST" << false;
    QTest::newRow("impedance not whole") << "Amp A" << 8.000001 << "ST" << false;
    QTest::newRow("other mode") << "Amp A" << 8.0 << "BTL" << false;
    QTest::newRow("mode case differs") << "Amp A" << 8.0 << "st" << false;
    QTest::newRow("empty name") << "" << 8.0 << "ST" << false;
}

void TestAmplifierRecord::matches()
{
    QFETCH(QString, name);
    QFETCH(double, impedance);
    QFETCH(QString, mode);
    QFETCH(bool, expected);

    const AmplifierRecord amplifier("Amp A", 8, "ST", 42.9, 34.87, 32);
    QCOMPARE(amplifier.matches(name, impedance, mode), expected);
}

QTEST_GUILESS_MAIN(TestAmplifierRecord)
#include "tst_amplifierrecord.moc"
