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
// the six labels' values, the threshold, the alert, the row or the refusal
// (for a line in doubt, where it is and its problem).
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
    QTest::newRow("no power, a line in doubt")
        << "2 1 Amp ST: -|-|-|-|-|-|-|c:4 c, line 4: power 0 W is not above 0";
    QTest::newRow("a matched line in doubt, before the load")
        << "0 3 Odd ST: 8 Ω|200 W|2.7 Ω|600 W|-|-|-|a:9 a, line 9: maximum output level 99 dBu is "
           "56.87 dB away from the 42.13 dBu of 99 V";
    QTest::newRow("no row: unsupported")
        << "0 2 Amp BTL: 8 Ω|200 W|4 Ω|400 W|-|-|-|no data at 4 Ω BTL";
    QTest::newRow("name differs in case")
        << "0 1 amp ST: 8 Ω|200 W|8 Ω|200 W|-|-|-|no data at 8 Ω ST";
    QTest::newRow("below 4 ohm, sought at 4 ohm")
        << "0 3 Amp ST: 8 Ω|200 W|2.7 Ω|600 W|40 V|32 dB|-|below 4 Ω";
    QTest::newRow("no such cabinet") << "3 1 Amp ST: -|-|-|-|-|-|-|no cabinet";
}

void TestConfiguration::calculate()
{
    QFETCH(QString, selection);
    Catalogue catalogue;
    catalogue.readCabinets("h\nA,200,8\nB,300,16\nC,0,8\n", "c");
    catalogue.readAmplifiers("h\nAmp,8,ST,123.456789,44,32\nAmp,4,ST,40,34.2597,32\n"
                             "Amp,8,BTL,80,40.3,32\nPlain,8,NO,36,33.3,26\nPlain,8,ST,99,99,99\n"
                             "Twice,8,ST,50,36,46\nTwice,8,ST,60,37.8,20\nOdd,4,ST,99,99,99\n",
        "a");
    const QStringList in = selection.section(": ", 0, 0).split(' ');
    const Configuration c
        = Configuration::calculate(catalogue, in[0].toInt(), in[1].toInt(), in[2], in[3]);
    QStringList texts;
    for (const QString& label : c.labelTexts())
        texts << label.section(": ", 1);
    texts << c.thresholdText();
    if (c.at_max)
        texts << "at max";
    const QString doubt
        = c.refusal == Configuration::LineInDoubt ? ' ' + c.doubt.listed() : QString();
    texts << (c.refusal == Configuration::Accepted           ? QString("row %1").arg(c.row)
                     : c.refusal == Configuration::NoCabinet ? "no cabinet"
                                                             : c.reason() + doubt)
            + (c.modeSwitch ? "" : " -");
    QCOMPARE(texts.join('|'), selection.section(": ", 1));
}

// The threshold is never shown more than 0.05 dB away from the level worked
// out; 0 dBu is -2.218 dBV and 0.7746 V, and the output held adds the gain.
void TestConfiguration::units_data()
{
    QTest::addColumn<double>("threshold");
    QTest::addColumn<QString>("shown"); // threshold, dBV, volts at the input, volts held

    QTest::newRow("0 dBu") << 0.0 << "0 dBu|-2.22|0.775|30.8";
    QTest::newRow("2.26 dBu") << 2.2597 << "2.3 dBu|0.0412|1.00|40.0";
    QTest::newRow("-0.74 dBu") << -0.74 << "-0.74 dBu|-2.96|0.711|28.3";
    QTest::newRow("-10 dBu") << -10.0 << "-10 dBu|-12.2|0.245|9.75";
    QTest::newRow("below the floor") << -10.5 << "-|-|-|9.21";
    QTest::newRow("9.96 dBu") << 9.96 << "10 dBu|7.74|2.44|97.1";
    QTest::newRow("10.04 dBu") << 10.04 << "10.0 dBu|7.82|2.46|98.0";
    QTest::newRow("16.70 dBu, one decimal") << 16.70 << "16.7 dBu|14.5|5.30|211";
    QTest::newRow("rounded up to a power of ten") << 2.2182 << "2.2 dBu|-0.000287|1.00|39.8";
    QTest::newRow("no level") << -qInf() << "-|-|-|0.00";
}

void TestConfiguration::units()
{
    QFETCH(double, threshold);
    QFETCH(QString, shown);
    Configuration c;
    c.threshold = threshold;
    c.amp_gain = 32;
    QCOMPARE(QStringList({ c.thresholdText(), c.thresholdDbvText(), c.thresholdVoltsText(),
                             c.heldVoltageText() })
                 .join('|'),
        shown);
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
