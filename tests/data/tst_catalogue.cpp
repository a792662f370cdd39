// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "plaintext.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void read_data();
    void read();
    void unusable_data();
    void unusable();
};

// Every line after the header is a row, read as written or as 0, and what was
// not is told line by line. Rows: the cabinet file, after "|" the amplifier
// file (none without "|", nor a cabinet file before a leading "|"); the rows,
// escaped, "name|numbers..." split by "; ", "?" after one in doubt; problems.
void TestCatalogue::read_data()
{
    QTest::addColumn<QByteArray>("files");
    QTest::addColumn<QString>("read");

    QTest::newRow("clean, header looks like data")
        << QByteArray("Cab A,200,8\nCab,200,8\n|h\nA,8,NO,42.9,34.9,32\n")
        << "Cab|200|8; A|8|NO|42.9|34.9|32";
    QTest::newRow("crlf, stray cr, no last line end")
        << QByteArray("h\r\nCab,200,8\r\nB\rig,400,16") << "Cab|200|8; Big|400|16";
    QTest::newRow("empty line, told once") << QByteArray("h\nCab,200,8\n\n")
                                           << "Cab|200|8; |0|0?\n"
                                              "c:3: empty line: read as an entry with no name";
    QTest::newRow("blanks around a name, not around numbers")
        << QByteArray("h\n Cab , 200 ,\t8 \n")
        << " Cab |200|8\nc:2: name \" Cab \" has blanks around it, which are kept";
    QTest::newRow("decimal comma")
        << QByteArray("|h\nGamma,8,NO,80,40,3,32\n")
        << "Gamma|8|NO|80|40|3?\na:2: 7 fields where 6 are expected (a decimal comma?)";
    QTest::newRow("too few fields")
        << QByteArray("h\nCab,200\n")
        << "Cab|200|0?\nc:2: 2 fields where 3 are expected\nc:2: impedance is empty: read as 0";
    QTest::newRow("not a number, not whole, out of range")
        << QByteArray("h\nCab,abc,8.5\nBig,2147483648,8\n|h\nA,8,NO,1e2,x,3.5\n")
        << "Cab|0|0?; Big|0|8?; A|8|NO|100|0|0?\n"
           "c:2: power \"abc\" is not a number: read as 0\n"
           "c:2: impedance \"8.5\" is not a whole number: read as 0\n"
           "c:3: power \"2147483648\" is not a whole number: read as 0\n"
           "a:2: maximum output level \"x\" is not a number: read as 0\n"
           "a:2: gain \"3.5\" is not a whole number: read as 0";
    QTest::newRow("controls, NUL at a line end")
        << QByteArray("h\nA\x1b[2J,1,8\nB\xc2\x9d,1,8\nC\xe2\x80\xae,1,8\nD,1,8\x00\nE,1,8\n", 42)
        << "A\\x1b[2J|1|8?; B\\x9d|1|8?; C\\u202e|1|8?; D|1|0?; E|1|8\n"
           "c:2: control character U+001B in the line\nc:3: control character U+009D in the line\n"
           "c:4: control character U+202E in the line\nc:5: control character U+0000 in the line\n"
           "c:5: impedance \"8\\x00\" is not a number: read as 0";
    QTest::newRow("too large, not finite, too long")
        << "h\n" + QByteArray(300, 'x') + ",1,8\n|h\nA,8,NO,1e309,-1e309,32\nB,8,NO,inf,nan,32\n"
        << "xxxx|1|8?; A|8|NO|0|0|32?; B|8|NO|0|0|32?\n"
           "c:2: field 1 is longer than 256 characters: cut there\n"
           "a:2: maximum program voltage \"1e309\" is not a number in range: read as 0\n"
           "a:2: maximum output level \"-1e309\" is not a number in range: read as 0\n"
           "a:3: maximum program voltage \"inf\" is not a finite number: read as 0\n"
           "a:3: maximum output level \"nan\" is not a finite number: read as 0";
    QTest::newRow("formula-like names stay usable")
        << QByteArray("h\n=1+1,1,8\n@SUM(1),1,8\n")
        << "=1+1|1|8; @SUM(1)|1|8\n"
           "c:2: name \"=1+1\" starts like a spreadsheet formula: CSV gives it a leading '\n"
           "c:3: name \"@SUM(1)\" starts like a spreadsheet formula: CSV gives it a leading '";
    QTest::newRow("mode")
        << QByteArray("|h\nA,8,st,42.9,34.9,32\n")
        << "A|8|st|42.9|34.9|32\na:2: mode \"st\" is not ST, BTL or NO: the line is never used";
    QTest::newRow("not above 0")
        << QByteArray("h\nCab,0,-8\n|h\nA,0,NO,-5,34.9,32\n")
        << "Cab|0|-8?; A|0|NO|-5|34.9|32?\n"
           "c:2: power 0 W is not above 0\nc:2: impedance -8 \u03A9 is not above 0\n"
           "a:2: impedance 0 \u03A9 is not above 0\n"
           "a:2: maximum program voltage -5 V is not above 0";
    QTest::newRow("model lines apart")
        << QByteArray("|h\nA,8,NO,42.9,34.9,32\nB,8,NO,42.9,34.9,32\nA,4,NO,40,34.3,32\n")
        << "A|8|NO|42.9|34.9|32; B|8|NO|42.9|34.9|32; A|4|NO|40|34.3|32\n"
           "a:4: model \"A\" continues here after other models: its lines must stand together";
    QTest::newRow("level far from the voltage")
        << QByteArray("|h\nA,8,NO,42.9,35.4,32\nA,4,NO,42.9,35.3,32\n")
        << "A|8|NO|42.9|35.4|32?; A|4|NO|42.9|35.3|32\n"
           "a:2: maximum output level 35.4 dBu is 0.53 dB away from the 34.87 dBu of 42.9 V";
    QTest::newRow("no data lines, empty file")
        << QByteArray("h\n|")
        << "\nc:1: no cabinet lines after the header\na:1: no amplifier lines after the header";
    QTest::newRow("latin-1 names kept apart")
        << QByteArray("\xE9\n\xC9lan,1,8\n\xC8lan,1,8\n\x80,1,8\n")
        << "\u00C9lan|1|8; \u00C8lan|1|8; \u20AC|1|8\n"
           "c:1: not valid UTF-8: the file is read as Windows-1252";
    QTest::newRow("utf-8, with and without byte-order mark")
        << QByteArray("h\nS\xC3\xA4ule \xCE\xA9,1,8\n|\xEF\xBB\xBFh\nA,8,NO,1,2.2,2\n")
        << "S\u00E4ule \u03A9|1|8; A|8|NO|1|2.2|2";
    const QString utf16Text = QString::fromUtf8("h\r\nS\xC3\xA4ule,1,8\r\n");
    QByteArray utf16("\xFF\xFE", 2);
    utf16.append(reinterpret_cast<const char*>(utf16Text.utf16()), utf16Text.size() * 2);
    QTest::newRow("utf-16 byte-order mark") << utf16 << "S\u00E4ule|1|8";
}

void TestCatalogue::read()
{
    QFETCH(QByteArray, files);
    QFETCH(QString, read);
    Catalogue catalogue;
    const int bar = files.indexOf('|');
    if (bar != 0)
        catalogue.readCabinets(bar < 0 ? files : files.left(bar), QStringLiteral("c"));
    if (bar >= 0)
        catalogue.readAmplifiers(files.mid(bar + 1), QStringLiteral("a"));
    QStringList rows;
    const auto n = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
    const auto doubt = [](int problem) { return problem < 0 ? "" : "?"; };
    for (int i = 0; i < catalogue.cabinets.size(); ++i) {
        const CabinetRecord& c = catalogue.cabinets.at(i);
        rows << (c.name.size() == Catalogue::maxField ? "xxxx" : c.name) + '|' + n(c.program_power)
                + '|' + n(c.impedance) + doubt(catalogue.cabinetDoubts.at(i));
    }
    for (int i = 0; i < catalogue.amplifiers.size(); ++i) {
        const AmplifierRecord& a = catalogue.amplifiers.at(i);
        rows << a.name + '|' + n(a.impedance) + '|' + a.mode + '|' + n(a.max_voltage) + '|'
                + n(a.max_level) + '|' + n(a.gain) + doubt(catalogue.amplifierDoubts.at(i));
    }
    QStringList told { rows.join("; ") };
    for (const CatalogueProblem& problem : catalogue.problems)
        told << problem.located();
    QCOMPARE(PlainText::escaped(told.join('\n')), read);
}

// Files that cannot be used are named, and nothing that could block is opened.
// (A missing file is told by the window's and the command line's tests.)
void TestCatalogue::unusable_data()
{
    QTest::addColumn<QString>("told"); // of the one file that cannot be used
    QTest::newRow("folder") << "data_spk.txt: not a regular file";
#ifdef Q_OS_UNIX
    QTest::newRow("fifo") << "data_spk.txt: not a regular file";
#endif
    QTest::newRow("over 16 MiB") << "data_spk.txt: larger than 16 MiB";
    QTest::newRow("too many lines, the last without a line end")
        << "data_spk.txt: more than 100000 lines after the header";
    QTest::newRow("16 MiB and 100000 lines are usable") << QString();
}

void TestCatalogue::unusable()
{
    QFETCH(QString, told);
    const QString tag = QTest::currentDataTag();

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("data_spk.txt")));
    const QByteArray lines = QByteArray("A,1,8\n").repeated(Catalogue::maxLines);
    if (tag == "folder")
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data_spk.txt")));
#ifdef Q_OS_UNIX
    else if (tag == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
#endif
    else if (file.open(QIODevice::WriteOnly)) {
        if (tag == "over 16 MiB")
            QVERIFY(file.resize(Catalogue::maxBytes + 1));
        else if (told.isEmpty()) // a header as long as it takes
            file.write(
                "h" + QByteArray(Catalogue::maxBytes - lines.size() - 2, ' ') + "\n" + lines);
        else
            file.write("h\n" + lines + "A,1,8");
        file.close();
    }
    if (told.isEmpty())
        QFile(dir.filePath("data_amplis.txt")).open(QIODevice::WriteOnly);

    const Catalogue catalogue = Catalogue::load(dir.path());
    QCOMPARE(catalogue.complete(), told.isEmpty());
    if (told.isEmpty())
        return;
    QCOMPARE(catalogue.unusable.size(), 1);
    QCOMPARE(catalogue.unusable.first().listed(), told);
    QCOMPARE(catalogue.unusable.first().path, file.fileName());
    QCOMPARE(catalogue.folder, QDir(dir.path()).absolutePath());
    QVERIFY(catalogue.cabinets.isEmpty() && catalogue.amplifiers.isEmpty());
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
