// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"
#include "units.h"

#include <QtTest>

class TestLimiterRules : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void peak_data();
    void peak();
    void times_data();
    void times();
};

using Row = QHash<QString, QString>;

// The CSV's row, by column, for one cabinet line on an amplifier with the
// same maximum and gain at 8 and 4 ohms.
static Row csv(const QByteArray& cabinet, int count, const QByteArray& maximum)
{
    Catalogue catalogue;
    catalogue.readCabinets("name,power,impedance,peak_w,hpf_hz\n" + cabinet + "\n", "c");
    catalogue.readAmplifiers("h\nX,8,NO," + maximum + ",32\nX,4,NO," + maximum + ",32\n", "a");
    Sheet::Filter filter;
    filter.counts = { count };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Sheet::write(buffer, catalogue, Sheet::Csv, filter);
    const QList<QByteArray> lines = buffer.data().split('\n');
    const QList<QByteArray> fields = lines.value(1).trimmed().split(',');
    Row row;
    for (const QByteArray& column : lines.value(0).trimmed().split(','))
        row.insert(column, fields.value(row.size()));
    return row;
}

// To the two decimals the numbers below are given to; "-" for none, or an empty column.
static QString twoDecimals(double value) { return Units::number(value, 16, 2, true); }
static QString exact(const Row& row, const char* column)
{
    return row.value(column).isEmpty() ? "-" : twoDecimals(row.value(column).toDouble());
}

// The peak threshold beside the RMS threshold (gain 32 dB). Capped, it is the
// amplifier's maximum level, as the RMS threshold is: 36.2 dBu is 50.01 V,
// 70.73 V peak.
void TestLimiterRules::peak_data()
{
    QTest::addColumn<QByteArray>("cabinet"); // name,power,impedance,peak_w,hpf_hz
    QTest::addColumn<int>("count");
    QTest::addColumn<QByteArray>("maximum"); // of the amplifier: V,dBu
    QTest::addColumn<double>("rms"); // dBu
    QTest::addColumn<bool>("atMax");
    QTest::addColumn<double>("peak"); // dBu
    QTest::addColumn<bool>("peakAtMax");
    QTest::addColumn<double>("peakVolts"); // at the output
    QTest::addColumn<bool>("assumed");
    const auto row
        = [](const char* tag, const QByteArray& cabinet, int count, const QByteArray& maximum,
              double rms, bool atMax, double peak, bool peakAtMax, double peakVolts, bool assumed) {
              QTest::newRow(tag) << cabinet << count << maximum << rms << atMax << peak << peakAtMax
                                 << peakVolts << assumed;
          };
    const QByteArray rated = "X,240,8,960,40", big = "100,42.2", small = "50,36.2";
    row("a peak rating", rated, 1, big, 3.05, false, 6.06, false, 87.64, false);
    row("two in parallel: the same", rated, 2, big, 3.05, false, 6.06, false, 87.64, false);
    row("peak capped, RMS not", rated, 1, small, 3.05, false, 4.20, true, 70.73, false);
    row("three fields: assumed, the RMS threshold", "X,1000,8", 1, big, 9.25, false, 9.25, false,
        126.49, true);
    row("assumed and capped: both at the maximum", "X,1000,8,,", 1, small, 4.20, true, 4.20, true,
        70.73, true);
    row("refused (3 ohm): nothing", rated, 3, big, qQNaN(), false, qQNaN(), false, qQNaN(), false);
}

void TestLimiterRules::peak()
{
    QFETCH(QByteArray, cabinet);
    QFETCH(int, count);
    QFETCH(QByteArray, maximum);
    QFETCH(double, rms);
    QFETCH(double, peak);
    QFETCH(double, peakVolts);
    QFETCH(bool, assumed);
    const Row row = csv(cabinet, count, maximum);
    QCOMPARE(exact(row, "threshold_dbu"), twoDecimals(rms));
    QTEST(row.value("at_max") == "yes", "atMax");
    QCOMPARE(exact(row, "peak_dbu"), twoDecimals(peak));
    QTEST(row.value("peak_at_max") == "yes", "peakAtMax");
    QCOMPARE(exact(row, "peak_vpk"), twoDecimals(peakVolts));
    QCOMPARE(row.value("peak_assumed") == "yes", assumed);
    if (assumed) // the RMS threshold to the last digit
        QCOMPARE(row.value("peak_dbu"), row.value("threshold_dbu"));
}

// Attack and release from the high-pass: a frequency on a band's edge belongs
// to the band above; none without it.
void TestLimiterRules::times_data()
{
    QTest::addColumn<QByteArray>("highPass");
    QTest::addColumn<double>("attack"); // ms
    QTest::addColumn<double>("release"); // ms
    QTest::newRow("below 31 Hz") << QByteArray("30.9") << 45.0 << 720.0;
    QTest::newRow("31 Hz") << QByteArray("31") << 16.0 << 256.0;
    QTest::newRow("40 Hz") << QByteArray("40") << 16.0 << 256.0;
    QTest::newRow("1999 Hz") << QByteArray("1999") << 0.5 << 8.0;
    QTest::newRow("2000 Hz") << QByteArray("2000") << 0.3 << 4.8;
    QTest::newRow("none given") << QByteArray(" ") << qQNaN() << qQNaN();
}

void TestLimiterRules::times()
{
    QFETCH(QByteArray, highPass);
    QFETCH(double, attack);
    QFETCH(double, release);
    const Row row = csv("X,240,8,960," + highPass, 1, "100,42.2");
    QCOMPARE(exact(row, "attack_ms"), twoDecimals(attack));
    QCOMPARE(exact(row, "release_ms"), twoDecimals(release));
}

QTEST_GUILESS_MAIN(TestLimiterRules)
#include "tst_limiterrules.moc"
