// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

#include <QtTest>

class TestUnits : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void texts_data();
    void texts();
};

// Each unit one way, never in exponent form: six significant digits for ohms,
// watts and catalogue volts, two for the threshold (from 10 dBu one decimal,
// never finer than 0.01 dB), one decimal for dBV, three for volts worked out.
void TestUnits::texts_data()
{
    QTest::addColumn<double>("value");
    for (const char* unit : { "ohms", "ohmsTwoDigits", "watts", "dbu", "dbv", "volts", "worked" })
        QTest::addColumn<QString>(unit);
    const auto row = [](const char* tag, double value, const QStringList& texts) {
        QTestData& data = QTest::newRow(tag) << value;
        for (const QString& text : texts)
            data << text;
    };
    row("8/3", 8.0 / 3,
        { "2.66667 Ω", "2.7 Ω", "2.66667 W", "2.7 dBu", "2.7 dBV", "2.66667 V", "2.67 V" });
    row("123.456789", 123.456789,
        { "123.457 Ω", "120 Ω", "123.457 W", "123.5 dBu", "123.5 dBV", "123.457 V", "123 V" });
    row("1234567", 1234567,
        { "1234570 Ω", "1200000 Ω", "1234570 W", "1234567.0 dBu", "1234567.0 dBV", "1234570 V",
            "1230000 V" });
    row("near zero, negative", -7.8e-05,
        { "-0.000078 Ω", "-0.000078 Ω", "-0.000078 W", "0 dBu", "0.0 dBV", "-0.000078 V",
            "-0.0000780 V" });
    row("rounded up a place", 9.96,
        { "9.96 Ω", "10 Ω", "9.96 W", "10 dBu", "10.0 dBV", "9.96 V", "9.96 V" });
    row("0.99996", 0.99996,
        { "0.99996 Ω", "1 Ω", "0.99996 W", "1 dBu", "1.0 dBV", "0.99996 V", "1.00 V" });
    row("-10.04", -10.04,
        { "-10.04 Ω", "-10 Ω", "-10.04 W", "-10 dBu", "-10.0 dBV", "-10.04 V", "-10.0 V" });
    row("-0.74", -0.74,
        { "-0.74 Ω", "-0.74 Ω", "-0.74 W", "-0.74 dBu", "-0.7 dBV", "-0.74 V", "-0.740 V" });
    row("rounded once, not twice", 0.0547,
        { "0.0547 Ω", "0.055 Ω", "0.0547 W", "0.05 dBu", "0.1 dBV", "0.0547 V", "0.0547 V" });
    row("below a hundredth", 0.00496,
        { "0.00496 Ω", "0.005 Ω", "0.00496 W", "0 dBu", "0.0 dBV", "0.00496 V", "0.00496 V" });
    row("not a number", qQNaN(), { "-", "-", "-", "-", "-", "-", "-" });
}

void TestUnits::texts()
{
    QFETCH(double, value);
    QTEST(Units::ohms(value), "ohms");
    QTEST(Units::ohms(value, 2), "ohmsTwoDigits");
    QTEST(Units::watts(value), "watts");
    QTEST(Units::dbu(value), "dbu");
    QTEST(Units::dbv(value), "dbv");
    QTEST(Units::volts(value), "volts");
    QTEST(Units::voltsWorkedOut(value), "worked");
}

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
