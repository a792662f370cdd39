// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet.h"

#include <QtTest>

Q_DECLARE_METATYPE(Sheet::Format)

class TestSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void write_data();
    void write();
    void exactColumns_data();
    void exactColumns();
    void displayWidth_data();
    void displayWidth();
};

// Two of each cabinet named (a name twice gives its rows once) and of "Six"
// (refused), and in the table one capped and one with a peak and a high-pass;
// names aligned by a terminal's columns, a formula defused, controls refused.
void TestSheet::write_data()
{
    QTest::addColumn<Sheet::Format>("format");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QByteArray>("sheet");
    const QString controls = "A\x1b]0;T\x07\u009d\u202e ";
    const QByteArray table
        = "Cabinet                   Count  Amplifier  Mode  RMS dBu  Peak dBu  Attack  Release\n"
          "音箱 8                    2      Gamma      -     2.3      2.3 ~     -       -\n"
          "Cafe\u0301 8                    2      Gamma      -     2.3      2.3 ~     -       -\n"
          "Tab\\there                 2      Gamma      -     2.3      2.3 ~     -       -\n"
          "A very long … model name  2      Gamma      -     2.3      2.3 ~     -       -\n"
          "A\\x1b]0;T\\x07\\x9d\\u202e   2      Gamma      -     refused: c:6\n"
          "Six                       2      Gamma      -     refused: below 4 Ω\n"
          "Loud                      2      Gamma      -     7.9 *    7.9 *~    -       -\n"
          "Rated                     2      Gamma      -     2.3      5.3       8 ms    128 ms\n"
          "\n*  at the amplifier's maximum output\n~  peak rating assumed: 2 × program power\n"
          "Peak dBu: input level of a sine whose peak reaches the cabinets' peak voltage\n"
          "Attack and release from the cabinet's high-pass; \"-\" where none is given\n";
    QTest::newRow("table") << Sheet::Table
                           << QStringList { "音箱 8", "Cafe\u0301 8", "Tab\there",
                                  "A very long cabinet model name", controls, "音箱 8" }
                           << table;
    const QByteArray accepted = ",2,4,400,Gamma,-,76.2,32,2.3 dBu,no,0.0 dBV,1.00 V,40.0 V,,4,400,"
                                "76.2,32,2.2596873227228116,0.041199826559248365,"
                                "1.004754572603832,40,\r\n";
    QTest::newRow("csv") << Sheet::Csv << QStringList { "Wedge 12\"", "=SUM(1)", controls }
                         << "cabinet,count,impedance,power,amplifier,mode,voltage,gain,threshold,"
                            "at_max,threshold_dbv,threshold_v,output_v,refused,impedance_ohm,"
                            "power_w,voltage_v,gain_db,threshold_dbu,threshold_dbv_exact,"
                            "threshold_v_exact,output_v_exact,reason\r\n\"Wedge 12\"\"\""
            + accepted + "'=SUM(1)" + accepted + "A\\x1b]0;T\\x07\\x9d\\u202e ,2,,,Gamma,-,,,,,,,,"
            + "This catalogue line cannot be used,,,,,,,,,c:4\r\n"
            + "Six,2,,,Gamma,-,,,,,,,,Equivalent impedance is below 4Ω!,,,,,,,,,below 4 Ω\r\n";
}

void TestSheet::write()
{
    QFETCH(Sheet::Format, format);
    QFETCH(QStringList, names);
    QFETCH(QByteArray, sheet);
    Catalogue catalogue;
    catalogue.readAmplifiers("h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n", "a");
    const bool table = format == Sheet::Table;
    QString cabinets = table ? "h,p,z,peak_w,hpf_hz\n" : "h\n";
    for (const QString& name : names)
        cabinets += name + ",200,8\n";
    cabinets += table ? "Six,200,6\nLoud,1000,8\nRated,200,8,800,100\n" : "Six,200,6\n";
    catalogue.readCabinets(cabinets.toUtf8(), "c");
    Sheet::Filter filter;
    filter.counts = { 2 };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(Sheet::write(buffer, catalogue, format, filter));
    QStringList lines = QString::fromUtf8(buffer.data()).split('\n');
    for (QString& line : lines) // the CSV's columns of before: the limiter set's nine follow
        line = table || line.isEmpty() ? line : line.section(',', 0, -10) + '\r';
    QCOMPARE(lines, QString::fromUtf8(sheet).split('\n'));
}

// The CSV's exact columns hold the calculation's numbers in full, never in
// exponent form.
void TestSheet::exactColumns_data()
{
    QTest::addColumn<QByteArray>("amplifier");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("text");
    QTest::newRow("a voltage to eight decimals")
        << QByteArray("X,8,NO,42.91234567,34.65,32") << "voltage_v"
        << "42.91234567";
    QTest::newRow("a threshold a hair below 0 dBu")
        << QByteArray("X,8,NO,30.84,31.99992,32") << "threshold_dbu"
        << "-0.0000800000000005241";
}

void TestSheet::exactColumns()
{
    QFETCH(QByteArray, amplifier);
    QFETCH(QString, column);
    Catalogue catalogue;
    catalogue.readCabinets("h\nA,200,8\n", "c");
    catalogue.readAmplifiers("h\n" + amplifier + "\n", "a");
    Sheet::Filter filter;
    filter.counts = { 1 };
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(Sheet::write(buffer, catalogue, Sheet::Csv, filter));
    const QList<QByteArray> lines = buffer.data().split('\n');
    const int at = static_cast<int>(lines.at(0).split(',').indexOf(column.toUtf8()));
    QTEST(QString::fromUtf8(lines.at(1).split(',').value(at)), "text");
}

// A terminal's columns above U+FFFF and for a format character (the table's
// rows hold a wide character and a combining accent).
void TestSheet::displayWidth_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::newRow("above U+FFFF, narrow and wide") << "\U0001d400\U00020000" << 3;
    QTest::newRow("format character") << "a\u200db" << 2;
}

void TestSheet::displayWidth()
{
    QFETCH(QString, text);
    QTEST(Sheet::displayWidth(text), "width");
}

QTEST_GUILESS_MAIN(TestSheet)
#include "tst_sheet.moc"
