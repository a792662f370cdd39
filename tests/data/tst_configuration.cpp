// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration.h"

#include <QtTest>

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void calculate_data();
    void calculate();
    void units_data();
    void units();
};

// One selection, from the catalogue rows to the texts the window shows:
// the six labels' values, the threshold, the alert, the row or the refusal.
void TestConfiguration::calculate_data()
{
    QTest::addColumn<QString>("selection"); // "cabinet row, count, model, mode: what shows"
    QTest::newRow("8 ohm row, voltage to six digits")
        << "0 1 Amp ST: 8 Ω|200 W|8 Ω|200 W|123.457 V|32 dB|2.3 dBu|row 0";
    QTest::newRow("4 ohm row from 5.3 ohm, capped")
        << "1 3 Amp ST: 16 Ω|300 W|5.3 Ω|900 W|40 V|32 dB|2.3 dBu|at max|row 1";
    QTest::newRow("exactly 4 ohm, level at the maximum")
        << "0 2 Amp ST: 8 Ω|200 W|4 Ω|400 W|40 V|32 dB|2.3 dBu|row 1";
    QTest::newRow("a switchless model's mode plays no part")
        << "0 1 Plain BTL: 8 Ω|200 W|8 Ω|200 W|36 V|26 dB|7.3 dBu|at max|row 3 -";
    QTest::newRow("bridge") << "0 1 Amp BTL: 8 Ω|200 W|8 Ω|200 W|80 V|32 dB|2.3 dBu|row 2";
    QTest::newRow("the first matching row, below the floor")
        << "0 1 Twice ST: 8 Ω|200 W|8 Ω|200 W|50 V|46 dB|-|row 5";
    QTest::newRow("exactly at the floor")
        << "1 1 Twice ST: 16 Ω|300 W|16 Ω|300 W|50 V|46 dB|-10 dBu|at max|row 5";
    QTest::newRow("no power") << "2 1 Amp ST: 8 Ω|0 W|8 Ω|0 W|123.457 V|32 dB|-|row 0";
    QTest::newRow("negative power: no level")
        << "3 2 Amp ST: 8 Ω|-100 W|4 Ω|-200 W|40 V|32 dB|-|row 1";
    QTest::newRow("no row: unsupported") << "0 2 Amp BTL: 8 Ω|200 W|4 Ω|400 W|-|-|-|unsupported";
    QTest::newRow("name differs in case") << "0 1 amp ST: 8 Ω|200 W|8 Ω|200 W|-|-|-|unsupported";
    QTest::newRow("below 4 ohm, sought at 4 ohm")
        << "0 3 Amp ST: 8 Ω|200 W|2.7 Ω|600 W|40 V|32 dB|-|low impedance";
    QTest::newRow("no such cabinet") << "4 1 Amp ST: -|-|-|-|-|-|-|no cabinet";
}

void TestConfiguration::calculate()
{
    QFETCH(QString, selection);

    const QVector<CabinetRecord> cabinets { { 200, 8, "A" }, { 300, 16, "B" }, { 0, 8, "C" },
        { -100, 8, "D" } };
    const QVector<AmplifierRecord> amplifiers { { "Amp", 8, "ST", 123.456789, 44, 32 },
        { "Amp", 4, "ST", 40, 34.2597, 32 }, { "Amp", 8, "BTL", 80, 40.3, 32 },
        { "Plain", 8, "NO", 36, 33.3, 26 }, { "Plain", 8, "ST", 99, 99, 99 },
        { "Twice", 8, "ST", 50, 36, 46 }, { "Twice", 8, "ST", 60, 37.8, 20 } };
    const QStringList in = selection.section(": ", 0, 0).split(' ');
    const Configuration c = Configuration::calculate(
        cabinets, amplifiers, in[0].toInt(), in[1].toInt(), in[2], in[3]);
    QStringList texts;
    for (const QString& label : c.labelTexts())
        texts << label.section(": ", 1);
    texts << c.thresholdText();
    if (c.at_max)
        texts << "at max";
    const QStringList refusals { "row", "no cabinet", "unsupported", "low impedance" };
    texts << (c.refusal == Configuration::Accepted ? QString("row %1").arg(c.row)
                                                   : refusals.at(c.refusal))
            + (c.modeSwitch ? "" : " -");
    QCOMPARE(texts.join('|'), selection.section(": ", 1));
    QCOMPARE(c.warningText().isEmpty(),
        c.refusal == Configuration::Accepted || c.refusal == Configuration::NoCabinet);
}

// 0 dBu is -2.218 dBV and 0.7746 V; the output held adds the gain.
void TestConfiguration::units_data()
{
    QTest::addColumn<double>("threshold");
    QTest::addColumn<QString>("shown"); // dBV, volts at the input, volts held

    QTest::newRow("0 dBu") << 0.0 << "-2.22 0.775 30.8";
    QTest::newRow("2.26 dBu") << 2.2597 << "0.0412 1.00 40.0";
    QTest::newRow("-10 dBu") << -10.0 << "-12.2 0.245 9.75";
    QTest::newRow("below the floor") << -10.5 << "- - 9.21";
    QTest::newRow("rounded up to a power of ten") << 2.2182 << "-0.000287 1.00 39.8";
    QTest::newRow("three digits before the point") << 12.0 << "9.78 3.08 123";
    QTest::newRow("no level") << -qInf() << "- - 0.00";
}

void TestConfiguration::units()
{
    QFETCH(double, threshold);
    QFETCH(QString, shown);

    Configuration c;
    c.threshold = threshold;
    c.amp_gain = 32;
    QCOMPARE(QStringList({ c.thresholdDbvText(), c.thresholdVoltsText(), c.heldVoltageText() })
                 .join(' '),
        shown);
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
