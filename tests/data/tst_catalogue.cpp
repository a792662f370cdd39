// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "cataloguefixture.h"

#include <QDir>
#include <QtTest>

#include <cstring>

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cabinets_data();
    void cabinets();
    void amplifiers_data();
    void amplifiers();
    void modelNames_data();
    void modelNames();
    void missingFiles_data();
    void missingFiles();
    void junk_data();
    void junk();
    void numbers_data();
    void numbers();
};

using Ints = QVector<int>;
using Reals = QVector<double>;

static const QByteArray ampHeader = "name,impedance,mode,voltage,level,gain\n";

void TestCatalogue::cabinets_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Ints>("powers");
    QTest::addColumn<Ints>("impedances");

    QTest::newRow("header looks like data")
        << QByteArray("Cab A,200,8\nCab B,400,4\n") << QStringList { "Cab B" } << Ints { 400 }
        << Ints { 4 };
    QTest::newRow("crlf line ends")
        << QByteArray("h\r\nCab A,200,8\r\nCab B,400,16\r\n") << QStringList { "Cab A", "Cab B" }
        << Ints { 200, 400 } << Ints { 8, 16 };
    QTest::newRow("last line without line end")
        << QByteArray("h\nCab A,200,8") << QStringList { "Cab A" } << Ints { 200 } << Ints { 8 };
    QTest::newRow("empty lines kept")
        << QByteArray("h\n\nCab A,200,8\n\n") << QStringList { "", "Cab A", "" }
        << Ints { 0, 200, 0 } << Ints { 0, 8, 0 };
    QTest::newRow("line of blanks is a name")
        << QByteArray("h\n   \n") << QStringList { "   " } << Ints { 0 } << Ints { 0 };
    QTest::newRow("blanks around numbers stay in names only")
        << QByteArray("h\n Cab A , 200 ,\t8 \n") << QStringList { " Cab A " } << Ints { 200 }
        << Ints { 8 };
    QTest::newRow("comma inside a name shifts the fields")
        << QByteArray("h\nCab, big,200,8\n") << QStringList { "Cab" } << Ints { 0 } << Ints { 200 };
    QTest::newRow("fraction in integer fields")
        << QByteArray("h\nCab A,200.5,8.5\n") << QStringList { "Cab A" } << Ints { 0 }
        << Ints { 0 };
    QTest::newRow("signs and out of range")
        << QByteArray("h\nCab A,-200,+8\nCab B,2147483648,1e1\n")
        << QStringList { "Cab A", "Cab B" } << Ints { -200, 0 } << Ints { 8, 0 };
    QTest::newRow("two fields give impedance 0")
        << QByteArray("h\nCab A,200\n") << QStringList { "Cab A" } << Ints { 200 } << Ints { 0 };
    QTest::newRow("extra fields ignored") << QByteArray("h\nCab A,200,8,x,9\n")
                                          << QStringList { "Cab A" } << Ints { 200 } << Ints { 8 };
    QTest::newRow("header only") << QByteArray("h\n") << QStringList {} << Ints {} << Ints {};
    QTest::newRow("empty file") << QByteArray("") << QStringList {} << Ints {} << Ints {};
    // The suites run in a UTF-8 locale (C.UTF-8), so its encoding is UTF-8.
    QTest::newRow("locale encoding without byte-order mark")
        << QByteArray("h\nS\xC3\xA4ule \xCE\xA9,300,8\n")
        << QStringList { QString::fromUtf8("S\xC3\xA4ule \xCE\xA9") } << Ints { 300 } << Ints { 8 };
    QTest::newRow("utf-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBFh\nS\xC3\xA4ule,300,8\n")
        << QStringList { QString::fromUtf8("S\xC3\xA4ule") } << Ints { 300 } << Ints { 8 };
    const QString utf16Text = QString::fromUtf8("h\nS\xC3\xA4ule \xCE\xA9,300,16\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    QTest::newRow("utf-16 byte-order mark")
        << utf16 << QStringList { QString::fromUtf8("S\xC3\xA4ule \xCE\xA9") } << Ints { 300 }
        << Ints { 16 };
}

void TestCatalogue::cabinets()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(Ints, powers);
    QFETCH(Ints, impedances);

    CatalogueFixture fixture(file, ampHeader);
    const Catalogue catalogue = Catalogue::load();
    QVERIFY(catalogue.complete());
    QCOMPARE(catalogue.cabinets.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        QCOMPARE(catalogue.cabinets[i].name, names[i]);
        QCOMPARE(catalogue.cabinets[i].program_power, powers[i]);
        QCOMPARE(catalogue.cabinets[i].impedance, impedances[i]);
    }
}

void TestCatalogue::amplifiers_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<Ints>("impedances");
    QTest::addColumn<QStringList>("modes");
    QTest::addColumn<Reals>("voltages");
    QTest::addColumn<Reals>("levels");
    QTest::addColumn<Ints>("gains");

    QTest::newRow("all fields") << (ampHeader + "Amp A,8,ST,42.9,34.87,32\r\nAmp B,4,NO,28,31.2,26")
                                << QStringList { "Amp A", "Amp B" } << Ints { 8, 4 }
                                << QStringList { "ST", "NO" } << Reals { 42.9, 28 }
                                << Reals { 34.87, 31.2 } << Ints { 32, 26 };
    QTest::newRow("header looks like data")
        << QByteArray("Amp A,8,ST,42.9,34.87,32\n") << QStringList {} << Ints {} << QStringList {}
        << Reals {} << Reals {} << Ints {};
    QTest::newRow("mode case and blanks kept")
        << (ampHeader + "Amp A,8,st,1,2,3\nAmp A,8, BTL,1,2,3\n")
        << QStringList { "Amp A", "Amp A" } << Ints { 8, 8 } << QStringList { "st", " BTL" }
        << Reals { 1, 1 } << Reals { 2, 2 } << Ints { 3, 3 };
    QTest::newRow("real numbers read leniently")
        << (ampHeader + "Amp A, 8 ,ST, 4.29e1 ,-3.5,+32\n") << QStringList { "Amp A" } << Ints { 8 }
        << QStringList { "ST" } << Reals { 42.9 } << Reals { -3.5 } << Ints { 32 };
    QTest::newRow("decimal comma shifts the fields")
        << (ampHeader + "Amp A,8,ST,42,9,34.8,32\n") << QStringList { "Amp A" } << Ints { 8 }
        << QStringList { "ST" } << Reals { 42 } << Reals { 9 } << Ints { 0 };
    QTest::newRow("five fields give gain 0")
        << (ampHeader + "Amp A,8,ST,42.9,34.8\n") << QStringList { "Amp A" } << Ints { 8 }
        << QStringList { "ST" } << Reals { 42.9 } << Reals { 34.8 } << Ints { 0 };
    QTest::newRow("empty fields") << (ampHeader + "Amp A,,ST,,34.8,\n,8,,42.9,,32\n")
                                  << QStringList { "Amp A", "" } << Ints { 0, 8 }
                                  << QStringList { "ST", "" } << Reals { 0, 42.9 }
                                  << Reals { 34.8, 0 } << Ints { 0, 32 };
    QTest::newRow("model and mode repeated over lines")
        << (ampHeader + "Amp A,8,ST,1,2,3\nAmp A,4,ST,4,5,6\nAmp B,4,ST,7,8,9\n")
        << QStringList { "Amp A", "Amp A", "Amp B" } << Ints { 8, 4, 4 }
        << QStringList { "ST", "ST", "ST" } << Reals { 1, 4, 7 } << Reals { 2, 5, 8 }
        << Ints { 3, 6, 9 };
    QTest::newRow("not numbers give 0")
        << (ampHeader + "Amp A,eight,ST,lots,high,32.5\n") << QStringList { "Amp A" } << Ints { 0 }
        << QStringList { "ST" } << Reals { 0 } << Reals { 0 } << Ints { 0 };
}

void TestCatalogue::amplifiers()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(Ints, impedances);
    QFETCH(QStringList, modes);
    QFETCH(Reals, voltages);
    QFETCH(Reals, levels);
    QFETCH(Ints, gains);

    CatalogueFixture fixture("h\n", file);
    const Catalogue catalogue = Catalogue::load();
    QVERIFY(catalogue.complete());
    QCOMPARE(catalogue.amplifiers.size(), names.size());
    for (int i = 0; i < names.size(); ++i) {
        const AmplifierRecord& row = catalogue.amplifiers[i];
        QCOMPARE(row.name, names[i]);
        QCOMPARE(row.impedance, impedances[i]);
        QCOMPARE(row.mode, modes[i]);
        QCOMPARE(row.max_voltage, voltages[i]);
        QCOMPARE(row.max_level, levels[i]);
        QCOMPARE(row.gain, gains[i]);
    }
}

void TestCatalogue::modelNames_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QStringList>("models");

    QTest::newRow("runs A A B B A")
        << QByteArray("A,8,ST\nA,4,ST\nB,8,NO\nB,4,NO\nA,8,BTL\n") << QStringList { "A", "B", "A" };
    QTest::newRow("first run named VACIO")
        << QByteArray("VACIO,8,ST\nVACIO,4,ST\nB,8,NO\n") << QStringList { "B" };
    QTest::newRow("VACIO later is listed")
        << QByteArray("A,8,ST\nVACIO,8,ST\n") << QStringList { "A", "VACIO" };
    QTest::newRow("consecutive empty lines")
        << QByteArray("\n\nA,8,ST\n\n") << QStringList { "", "A", "" };
    QTest::newRow("names differ by case and blanks")
        << QByteArray("Amp,8,ST\namp,8,ST\namp ,8,ST\n") << QStringList { "Amp", "amp", "amp " };
}

void TestCatalogue::modelNames()
{
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, models);

    CatalogueFixture fixture("h\n", ampHeader + lines);
    const Catalogue catalogue = Catalogue::load();
    QCOMPARE(catalogue.amplifierModels, models);
    QCOMPARE(catalogue.amplifiers.size(), lines.count('\n'));
}

void TestCatalogue::missingFiles_data()
{
    QTest::addColumn<bool>("cabinetFile");
    QTest::addColumn<bool>("cabinetIsDirectory");
    QTest::addColumn<bool>("amplifierFile");
    QTest::addColumn<bool>("cabinetOpened");
    QTest::addColumn<bool>("amplifierOpened");
    QTest::addColumn<int>("cabinets");
    QTest::addColumn<int>("amplifiers");

    QTest::newRow("both present") << true << false << true << true << true << 1 << 1;
    QTest::newRow("cabinet file missing") << false << false << true << false << false << 0 << 0;
    QTest::newRow("cabinet file is a directory")
        << false << true << true << false << false << 0 << 0;
    QTest::newRow("amplifier file missing") << true << false << false << true << false << 1 << 0;
}

void TestCatalogue::missingFiles()
{
    QFETCH(bool, cabinetFile);
    QFETCH(bool, cabinetIsDirectory);
    QFETCH(bool, amplifierFile);
    QFETCH(bool, cabinetOpened);
    QFETCH(bool, amplifierOpened);
    QFETCH(int, cabinets);
    QFETCH(int, amplifiers);

    CatalogueFixture fixture;
    if (cabinetFile)
        fixture.write("data_spk.txt", "h\nCab A,200,8\n");
    if (cabinetIsDirectory)
        QVERIFY(QDir().mkdir("data_spk.txt"));
    if (amplifierFile)
        fixture.write("data_amplis.txt", ampHeader + "Amp A,8,ST,42.9,34.8,32\n");
    const Catalogue catalogue = Catalogue::load();
    QCOMPARE(catalogue.cabinetFileOpened, cabinetOpened);
    QCOMPARE(catalogue.amplifierFileOpened, amplifierOpened);
    QCOMPARE(catalogue.complete(), cabinetOpened && amplifierOpened);
    QCOMPARE(catalogue.cabinets.size(), cabinets);
    QCOMPARE(catalogue.amplifiers.size(), amplifiers);
    QCOMPARE(catalogue.amplifierModels.size(), amplifiers);
}

// Whatever the bytes, every line feed after the header makes one row, and a
// long line costs no more than reading it.
void TestCatalogue::junk_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rows");

    const QByteArray random = CatalogueFixture::randomBytes(1 << 20, 12345);
    const int lineFeeds = random.count('\n');
    QTest::newRow("random bytes") << random << (random.endsWith('\n') ? lineFeeds - 1 : lineFeeds);
    QTest::newRow("invalid utf-8") << QByteArray("h\n\xC3\x28,\xFF\xFE\xFD,8\n\xE2\x82\n") << 2;
    QTest::newRow("nul bytes") << QByteArray("h\nA\0B,1\0,8\n", 11) << 1;
    QTest::newRow("megabyte line of commas") << ("h\n" + QByteArray(1 << 20, ',') + "\n") << 1;
    QTest::newRow("megabyte line without commas") << ("h\n" + QByteArray(1 << 20, 'x')) << 1;
    QTest::newRow("many short lines") << ("h\n" + QByteArray(200000, '\n')) << 200000;
}

void TestCatalogue::junk()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rows);

    CatalogueFixture fixture(file, file);
    const Catalogue catalogue = Catalogue::load();
    QVERIFY(catalogue.complete());
    QCOMPARE(catalogue.cabinets.size(), rows);
    QCOMPARE(catalogue.amplifiers.size(), rows);
}

// Every number field reads as QString::toInt or toDouble reads it, to the bit.
void TestCatalogue::numbers_data()
{
    QTest::addColumn<QString>("field");

    for (const char* field : { "0", "7", "007", "32", "123456789", "1234567890", "2147483647",
             "2147483648", "4294967296", "99999999999", "42.9", "0.1", "0.30000000000000004",
             "34.87", "000.5", "12345678901234.5", "123456789012345", "1234567890123456",
             "12345678.12345678", "9007199254740993", "1.7976931348623157", "1.", ".5", "1.2.3",
             "1..2", "-1", "-42.9", "+8", " 8", "8 ", "\t8", "1e3", "1E-3", "0x10", "nan", "inf",
             "8\r", "", " ", "\xD9\xA1\xD9\xA2", "\xEF\xBC\x98", "1_000" })
        QTest::newRow(("\"" + QByteArray(field).toPercentEncoding(" .+-_") + "\"").constData())
            << QString::fromUtf8(field);
}

void TestCatalogue::numbers()
{
    QFETCH(QString, field);

    const auto sameBits = [](double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    CatalogueFixture fixture;
    fixture.write("data_spk.txt", ("h\nCab," + field + "," + field + "\n").toUtf8());
    fixture.write(
        "data_amplis.txt", ampHeader + QStringLiteral("Amp,%1,ST,%1,%1,%1\n").arg(field).toUtf8());
    const Catalogue catalogue = Catalogue::load();
    QCOMPARE(catalogue.cabinets.size(), 1);
    QCOMPARE(catalogue.amplifiers.size(), 1);
    QCOMPARE(catalogue.cabinets[0].program_power, field.toInt());
    QCOMPARE(catalogue.cabinets[0].impedance, field.toInt());
    QCOMPARE(catalogue.amplifiers[0].impedance, field.toInt());
    QCOMPARE(catalogue.amplifiers[0].gain, field.toInt());
    QVERIFY(sameBits(catalogue.amplifiers[0].max_level, field.toDouble()));
    QVERIFY2(sameBits(catalogue.amplifiers[0].max_voltage, field.toDouble()),
        qPrintable(QString::number(catalogue.amplifiers[0].max_voltage, 'g', 17)));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
