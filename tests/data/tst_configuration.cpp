// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration.h"

#include <QtTest>

#include <cmath>

namespace {
const double dbu = 0.7745966692414834;
double level(double power, double impedance)
{
    return 20.0 * std::log10(std::sqrt(power * impedance) / dbu);
}
}

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void threshold_data();
    void threshold();
    void calculate_data();
    void calculate();
    void units_data();
    void units();
};

// min(L, maximum level) - gain, the alert only when L is above the maximum.
void TestConfiguration::threshold_data()
{
    QTest::addColumn<double>("power");
    QTest::addColumn<double>("impedance");
    QTest::addColumn<double>("maxLevel");
    QTest::addColumn<int>("gain");
    QTest::addColumn<double>("expected");
    QTest::addColumn<bool>("atMax");

    QTest::newRow("one 8 ohm 200 W cabinet")
        << 200.0 << 8.0 << 34.87 << 32 << level(200, 8) - 32 << false;
    QTest::newRow("two 8 ohm 300 W cabinets capped") << 600.0 << 4.0 << 33.5 << 32 << 1.5 << true;
    QTest::newRow("level equal to the maximum")
        << 200.0 << 8.0 << level(200, 8) << 32 << level(200, 8) - 32 << false;
    QTest::newRow("three 16 ohm cabinets")
        << 900.0 << 16.0 / 3 << 50.0 << 26 << level(900, 16.0 / 3) - 26 << false;
    QTest::newRow("zero power") << 0.0 << 8.0 << 34.87 << 32 << -qInf() << false;
}

void TestConfiguration::threshold()
{
    QFETCH(double, power);
    QFETCH(double, impedance);
    QFETCH(double, maxLevel);
    QFETCH(int, gain);
    QFETCH(double, expected);
    QFETCH(bool, atMax);

    bool at_max = !atMax;
    QCOMPARE(
        AmplifierRecord("A", 8, "ST", 42.9, maxLevel, gain).threshold(power, impedance, at_max),
        expected);
    QCOMPARE(at_max, atMax);
}

// One selection, from the catalogue rows to the texts the window shows.
void TestConfiguration::calculate_data()
{
    QTest::addColumn<int>("cabinet");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("amplifier");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("shown"); // the six labels, the threshold, the row

    QTest::newRow("8 ohm row, voltage to six digits")
        << 0 << 1 << "Amp"
        << "ST"
        << "8 Ω|200 W|8 Ω|200 W|123.457 V|32 dB|2.3 dBu|row 0";
    QTest::newRow("4 ohm row from 5.3 ohm") << 1 << 3 << "Amp"
                                            << "ST"
                                            << "16 Ω|300 W|5.3 Ω|900 W|40 V|32 dB|2.3 dBu|row 1";
    QTest::newRow("exactly 4 ohm") << 0 << 2 << "Amp"
                                   << "ST"
                                   << "8 Ω|200 W|4 Ω|400 W|40 V|32 dB|2.3 dBu|row 1";
    QTest::newRow("mode of a switchless model plays no part")
        << 0 << 1 << "Plain"
        << "BTL"
        << "8 Ω|200 W|8 Ω|200 W|36 V|26 dB|7.3 dBu|row 3 no switch";
    QTest::newRow("bridge") << 0 << 1 << "Amp"
                            << "BTL"
                            << "8 Ω|200 W|8 Ω|200 W|80 V|32 dB|2.3 dBu|row 2";
    QTest::newRow("first matching row") << 0 << 1 << "Twice"
                                        << "ST"
                                        << "8 Ω|200 W|8 Ω|200 W|50 V|30 dB|4.3 dBu|row 5";
    QTest::newRow("no row: unsupported") << 0 << 2 << "Amp"
                                         << "BTL"
                                         << "8 Ω|200 W|4 Ω|400 W|-|-|-|unsupported";
    QTest::newRow("name differs in case") << 0 << 1 << "amp"
                                          << "ST"
                                          << "8 Ω|200 W|8 Ω|200 W|-|-|-|unsupported";
    QTest::newRow("below 4 ohm, sought at 4 ohm")
        << 0 << 3 << "Amp"
        << "ST"
        << "8 Ω|200 W|2.7 Ω|600 W|40 V|32 dB|-|low impedance";
    QTest::newRow("no such cabinet") << 3 << 1 << "Amp"
                                     << "ST"
                                     << "-|-|-|-|-|-|-|no cabinet";
}

void TestConfiguration::calculate()
{
    QFETCH(int, cabinet);
    QFETCH(int, count);
    QFETCH(QString, amplifier);
    QFETCH(QString, mode);
    QFETCH(QString, shown);

    const QVector<CabinetRecord> cabinets { { 200, 8, "Eight" }, { 300, 16, "Sixteen" },
        { 100, 4, "Four" } };
    const QVector<AmplifierRecord> amplifiers { { "Amp", 8, "ST", 123.456789, 44, 32 },
        { "Amp", 4, "ST", 40, 34.3, 32 }, { "Amp", 8, "BTL", 80, 40.3, 32 },
        { "Plain", 8, "NO", 36, 33.3, 26 }, { "Plain", 8, "ST", 99, 99, 99 },
        { "Twice", 8, "ST", 50, 36.2, 30 }, { "Twice", 8, "ST", 60, 37.8, 20 } };
    const Configuration c
        = Configuration::calculate(cabinets, amplifiers, cabinet, count, amplifier, mode);
    QStringList texts;
    for (const QString& label : c.labelTexts())
        texts << label.section(": ", 1);
    texts << c.thresholdText();
    const QStringList refusals { "row", "no cabinet", "unsupported", "low impedance" };
    texts << (c.refusal == Configuration::Accepted ? QString("row %1").arg(c.row)
                                                   : refusals.at(c.refusal))
            + (c.modeSwitch ? "" : " no switch");
    QCOMPARE(texts.join('|'), shown);
    QCOMPARE(c.warningText().isEmpty(),
        c.refusal == Configuration::Accepted || c.refusal == Configuration::NoCabinet);
}

// 0 dBu is -2.218 dBV and 0.7746 V; the output held adds the gain.
void TestConfiguration::units_data()
{
    QTest::addColumn<double>("threshold");
    QTest::addColumn<QString>("dbv");
    QTest::addColumn<QString>("volts");
    QTest::addColumn<QString>("held");

    QTest::newRow("0 dBu") << 0.0 << "-2.22"
                           << "0.775"
                           << "30.8";
    QTest::newRow("2.26 dBu") << 2.2597 << "0.0412"
                              << "1.00"
                              << "40.0";
    QTest::newRow("-10 dBu") << -10.0 << "-12.2"
                             << "0.245"
                             << "9.75";
    QTest::newRow("below the floor") << -10.5 << "-"
                                     << "-"
                                     << "9.21";
}

void TestConfiguration::units()
{
    QFETCH(double, threshold);
    QFETCH(QString, dbv);
    QFETCH(QString, volts);
    QFETCH(QString, held);

    Configuration c;
    c.threshold = threshold;
    c.amp_gain = 32;
    QCOMPARE(c.thresholdDbvText(), dbv);
    QCOMPARE(c.thresholdVoltsText(), volts);
    QCOMPARE(c.heldVoltageText(), held);
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
