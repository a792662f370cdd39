// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void rows_data();
    void rows();
    void problems_data();
    void problems();
    void exampleIsClean();
    void unusable_data();
    void unusable();
    void encoding_data();
    void encoding();
};

namespace {
const QByteArray ampHeader = "name,impedance,mode,voltage,level,gain\n";

// Each row of both tables as "fields|...", numbers in full.
QStringList dump(const Catalogue& catalogue)
{
    QStringList rows;
    for (const CabinetRecord& c : catalogue.cabinets)
        rows << QStringLiteral("%1|%2|%3").arg(c.name).arg(c.program_power).arg(c.impedance);
    for (const AmplifierRecord& a : catalogue.amplifiers)
        rows << QStringLiteral("%1|%2|%3|%4|%5|%6")
                    .arg(a.name)
                    .arg(a.impedance)
                    .arg(a.mode, QString::number(a.max_voltage, 'g', 17),
                        QString::number(a.max_level, 'g', 17))
                    .arg(a.gain);
    return rows;
}

Catalogue read(const QByteArray& cabinets, const QByteArray& amplifiers)
{
    Catalogue catalogue;
    catalogue.readCabinets(cabinets, QStringLiteral("c"));
    catalogue.readAmplifiers(amplifiers, QStringLiteral("a"));
    return catalogue;
}
}

// Every line after the header is a row, read as written or as 0.
void TestCatalogue::rows_data()
{
    QTest::addColumn<QByteArray>("cabinets");
    QTest::addColumn<QByteArray>("amplifiers");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("header looks like data")
        << QByteArray("Cab A,200,8\nCab B,400,4\n") << QByteArray("A,8,ST,42.9,34.9,32\n")
        << QStringList { "Cab B|400|4" };
    QTest::newRow("crlf, stray cr, no last line end")
        << QByteArray("h\r\nCab A,200,8\r\nCab\r B,400,16") << ampHeader
        << QStringList { "Cab A|200|8", "Cab B|400|16" };
    QTest::newRow("empty lines and blanks kept")
        << QByteArray("h\n\n Cab A , 200 ,\t8 \n\n") << ampHeader
        << QStringList { "|0|0", " Cab A |200|8", "|0|0" };
    QTest::newRow("numbers that do not read give 0")
        << QByteArray("h\nA,200.5,8.5\nB,-200,+8\nC,2147483648,1e1\nD,200\nE,200,8,x\n")
        << ampHeader << QStringList { "A|0|0", "B|-200|8", "C|0|0", "D|200|0", "E|200|8" };
    QTest::newRow("amplifier fields")
        << QByteArray("h\n") << (ampHeader + "Amp A,8,ST,42.9,34.87,32\nAmp B,4,NO,1e2,x,26,9\n,\n")
        << QStringList { "Amp A|8|ST|42.899999999999999|34.869999999999997|32",
               "Amp B|4|NO|100|0|26", "|0||0|0|0" };
    QTest::newRow("empty files") << QByteArray() << QByteArray() << QStringList();
}

void TestCatalogue::rows()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);
    QFETCH(QStringList, rows);

    QCOMPARE(dump(read(cabinets, amplifiers)), rows);
}

// One row per kind of problem: what the user is told, line by line.
void TestCatalogue::problems_data()
{
    QTest::addColumn<QByteArray>("cabinets");
    QTest::addColumn<QByteArray>("amplifiers");
    QTest::addColumn<QStringList>("problems");

    const QByteArray cab = "h\nCab,200,8\n";
    const QByteArray amp = ampHeader + "A,8,NO,42.9,34.9,32\n";
    QTest::newRow("clean") << cab << amp << QStringList();
    QTest::newRow("decimal comma")
        << cab << (ampHeader + "Gamma 3000,8,NO,80,40,3,32\n")
        << QStringList { "a:2: 7 fields where 6 are expected (a decimal comma?)" };
    QTest::newRow("too few fields") << QByteArray("h\nCab,200\n") << amp
                                    << QStringList { "c:2: 2 fields where 3 are expected",
                                           "c:2: impedance is empty: read as 0" };
    QTest::newRow("not a number, not whole")
        << QByteArray("h\nCab,abc,8\n") << (amp + "A,4,NO,40,34.3,3.5\n")
        << QStringList { "c:2: power \"abc\" is not a number: read as 0",
               "a:3: gain \"3.5\" is not a whole number: read as 0" };
    QTest::newRow("mode") << cab << (ampHeader + "A,8,st,42.9,34.9,32\n")
                          << QStringList { "a:2: mode \"st\" is not ST, BTL or NO: the line is "
                                           "never used" };
    QTest::newRow("empty line, once") << QByteArray("h\nCab,200,8\n\n") << amp
                                      << QStringList { "c:3: empty line: read as an entry with no "
                                                       "name" };
    QTest::newRow("blanks around a name")
        << QByteArray("h\nCab ,200,8\n") << amp
        << QStringList { "c:2: name \"Cab \" has blanks around it, which are kept" };
    QTest::newRow("not above 0") << QByteArray("h\nCab,0,8\nCab,200,-8\n")
                                 << (ampHeader + "A,0,NO,-5,34.9,32\n")
                                 << QStringList { "c:2: power 0 W is not above 0",
                                        "c:3: impedance -8 \u03A9 is not above 0",
                                        "a:2: impedance 0 \u03A9 is not above 0",
                                        "a:2: maximum program voltage -5 V is not above 0" };
    QTest::newRow("model lines apart")
        << cab << (amp + "B,8,NO,42.9,34.9,32\nA,4,NO,40,34.3,32\n")
        << QStringList { "a:4: model \"A\" continues here after other models: its lines must "
                         "stand together" };
    QTest::newRow("level far from the voltage")
        << cab << (ampHeader + "A,8,NO,42.9,35.4,32\nA,4,NO,42.9,35.3,32\n")
        << QStringList { "a:2: maximum output level 35.4 dBu is 0.53 dB away from the 34.87 dBu of "
                         "42.9 V" };
    QTest::newRow("no data lines") << QByteArray("h\n") << ampHeader
                                   << QStringList { "c:1: no cabinet lines after the header",
                                          "a:1: no amplifier lines after the header" };
}

void TestCatalogue::problems()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);
    QFETCH(QStringList, problems);

    const Catalogue catalogue = read(cabinets, amplifiers);
    QStringList told;
    for (const CatalogueProblem& problem : catalogue.problems)
        told << problem.located();
    QCOMPARE(told, problems);
}

void TestCatalogue::exampleIsClean()
{
    const Catalogue catalogue = Catalogue::load(QStringLiteral(VANTOR_RESOURCES));
    QVERIFY(catalogue.complete());
    QCOMPARE(catalogue.problems.size(), 0);
    QVERIFY(catalogue.cabinets.size() > 0 && catalogue.amplifierModels.size() > 0);
}

// Files that cannot be used are named, and nothing that could block is opened.
void TestCatalogue::unusable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("cabinets");

    QTest::newRow("cabinet file missing") << "missing"
                                          << "data_spk.txt: not found" << 0;
    QTest::newRow("amplifier file missing") << "no amplifiers"
                                            << "data_amplis.txt: not found" << 1;
    QTest::newRow("folder") << "folder"
                            << "data_spk.txt: not a regular file" << 0;
#ifdef Q_OS_UNIX
    QTest::newRow("fifo") << "fifo"
                          << "data_spk.txt: not a regular file" << 0;
#endif
    QTest::newRow("over 16 MiB") << "large"
                                 << "data_spk.txt: larger than 16 MiB" << 0;
    QTest::newRow("too many lines") << "long"
                                    << "data_spk.txt: more than 100000 lines after the header" << 0;
}

void TestCatalogue::unusable()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);
    QFETCH(int, cabinets);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data_spk.txt"));
    QFile file(path);
    if (kind == "no amplifiers") {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("h\nCab,200,8\n") > 0);
    } else if (kind == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data_spk.txt")));
    } else if (kind == "fifo") {
#ifdef Q_OS_UNIX
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
    } else if (kind == "large") {
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(Catalogue::maxBytes + 1));
    } else if (kind == "long") {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("h\n") + QByteArray("A,1,8\n").repeated(Catalogue::maxLines + 1));
    }
    file.close();

    const Catalogue catalogue = Catalogue::load(dir.path());
    QVERIFY(!catalogue.complete());
    QCOMPARE(catalogue.unusable.size(), 1);
    QCOMPARE(catalogue.unusable.first().listed(), told);
    QCOMPARE(catalogue.unusable.first().path, dir.filePath(told.section(':', 0, 0)));
    QCOMPARE(catalogue.folder, QDir(dir.path()).absolutePath());
    QCOMPARE(catalogue.cabinets.size(), cabinets);
    QVERIFY(catalogue.amplifiers.isEmpty());
}

// A byte-order mark decides; otherwise UTF-8 when valid, else Windows-1252.
void TestCatalogue::encoding_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("problems");

    QTest::newRow("utf-8") << QByteArray("h\nS\xC3\xA4ule \xCE\xA9,300,8\n")
                           << QStringList { QString::fromUtf8("S\xC3\xA4ule \xCE\xA9") }
                           << QStringList();
    QTest::newRow("latin-1 names kept apart")
        << QByteArray("h\n\xC9lan 12,300,8\n\xC8lan 12,300,8\nPreis \x80,1,8\n")
        << QStringList { QString::fromUtf8("\xC3\x89lan 12"), QString::fromUtf8("\xC3\x88lan 12"),
               QString::fromUtf8("Preis \xE2\x82\xAC") }
        << QStringList { "c:2: not valid UTF-8: the file is read as Windows-1252" };
    QTest::newRow("utf-8 byte-order mark")
        << QByteArray("\xEF\xBB\xBFh\nS\xC3\xA4ule,300,8\n")
        << QStringList { QString::fromUtf8("S\xC3\xA4ule") } << QStringList();
    const QString utf16Text = QString::fromUtf8("h\r\nS\xC3\xA4ule,300,16\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    QTest::newRow("utf-16 byte-order mark")
        << utf16 << QStringList { QString::fromUtf8("S\xC3\xA4ule") } << QStringList();
}

void TestCatalogue::encoding()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, names);
    QFETCH(QStringList, problems);

    Catalogue catalogue;
    catalogue.readCabinets(file, QStringLiteral("c"));
    QStringList read;
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        read << cabinet.name;
    QCOMPARE(read, names);
    QStringList told;
    for (const CatalogueProblem& problem : catalogue.problems)
        told << problem.located();
    QCOMPARE(told, problems);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
