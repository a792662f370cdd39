// SPDX-License-Identifier: GPL-3.0-or-later
#include "configuration.h"

#include <QtTest>

class TestConfiguration : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void calculate_data();
    void calculate();
};

// One selection, from the catalogue rows to what the window shows: the six
// labels' values, the threshold and its alert, and why it is refused.
void TestConfiguration::calculate_data()
{
    QTest::addColumn<int>("cabinet"); // row
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("amplifier");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<bool>("atMax");
    QTest::addColumn<QString>("reason");

    const auto row
        = [](const char* tag, int cabinet, int count, const char* amplifier, const char* mode,
              const QStringList& labels, const char* threshold, bool atMax, const char* reason) {
              QTest::newRow(tag) << cabinet << count << QString(amplifier) << QString(mode)
                                 << labels << QString(threshold) << atMax << QString(reason);
          };
    // One 8-ohm cabinet of 200 W, or two; no numbers known.
    const QStringList one { "8 Ω", "200 W", "8 Ω", "200 W" },
        two { "8 Ω", "200 W", "4 Ω", "400 W" }, none { "-", "-" };
    row("8 ohm row, voltage to six digits", 0, 1, "Amp", "ST",
        one + QStringList { "123.457 V", "32 dB" }, "2.3 dBu", false, "");
    row("4 ohm row from 5.3 ohm, capped", 1, 3, "Amp", "ST",
        { "16 Ω", "300 W", "5.3 Ω", "900 W", "40 V", "32 dB" }, "2.3 dBu", true, "");
    row("exactly 4 ohm, level at the maximum", 0, 2, "Amp", "ST",
        two + QStringList { "40 V", "32 dB" }, "2.3 dBu", false, "");
    row("a switchless model's mode plays no part", 0, 1, "Plain", "BTL",
        one + QStringList { "36 V", "26 dB" }, "7.3 dBu", true, "");
    row("bridge", 0, 1, "Amp", "BTL", one + QStringList { "80 V", "32 dB" }, "2.3 dBu", false, "");
    row("exactly at the floor", 1, 1, "Loud", "ST",
        { "16 Ω", "300 W", "16 Ω", "300 W", "50 V", "46 dB" }, "-10 dBu", true, "");
    row("below the floor: no threshold, said why", 0, 1, "Loud", "ST",
        one + QStringList { "50 V", "46 dB" }, "-", false, "below -10 dBu");
    row("a cabinet line in doubt: nothing known", 2, 1, "Amp", "ST", none + none + none, "-", false,
        "c:4");
    row("a matched line in doubt", 0, 1, "Odd", "ST", one + none, "-", false, "a:10");
    row("no line: a line of the model not read is named", 0, 1, "Odd", "BTL", one + none, "-",
        false, "a:11");
    row("no line at 4 ohm", 0, 2, "Amp", "BTL", two + none, "-", false, "no data at 4 Ω BTL");
    row("no line, switchless: no mode named", 0, 2, "Loud", "ST", two + none, "-", false,
        "no data at 4 Ω");
    row("a name differing in case is no model", 0, 1, "amp", "ST", one + none, "-", false,
        "no data at 8 Ω ST");
    row("below 4 ohm before any lookup", 0, 3, "Odd", "ST",
        { "8 Ω", "200 W", "2.7 Ω", "600 W", "-", "-" }, "-", false, "below 4 Ω");
    row("no such cabinet", 3, 1, "Amp", "ST", none + none + none, "-", false, "");
}

void TestConfiguration::calculate()
{
    QFETCH(int, cabinet);
    QFETCH(int, count);
    QFETCH(QString, amplifier);
    QFETCH(QString, mode);
    QFETCH(QString, reason);
    Catalogue catalogue;
    catalogue.readCabinets("h\nA,200,8\nB,300,16\nC,0,8\n", "c");
    catalogue.readAmplifiers("h\nAmp,8,ST,123.456789,44,32\nAmp,4,ST,40,34.2597,32\n"
                             "Amp,8,BTL,80,40.3,32\nPlain,8,NO,36,33.3,26\nPlain,4,NO,33,32.6,26\n"
                             "Loud,8,NO,50,36,46\nLoud,8,NO,50,36,46\nLoud,16,NO,1,1,1\n"
                             "Odd,8,ST,99,99,20\nOdd,x,BTL,80,40.3,32\n",
        "a");
    const Configuration c
        = Configuration::calculate(catalogue, cabinet, count, amplifier, *Mode::parse(mode));
    QStringList values;
    for (const QString& label : c.labelTexts())
        values << label.section(": ", 1);
    QTEST(values, "labels");
    QTEST(c.thresholdText(), "threshold");
    QTEST(c.at_max, "atMax");
    QCOMPARE(c.reason(), reason);
    QCOMPARE(c.accepted(), reason.isEmpty() && cabinet < 3);
    QCOMPARE(c.mode.hasSwitch(), amplifier == "Amp" || amplifier == "Odd" || amplifier == "amp");
}

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
