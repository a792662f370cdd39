// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "plaintext.h"

#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using Lines = QVector<int>;

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void read_data();
    void read();
    void unusable_data();
    void unusable();
    void records();
};

// What is told of each line, in line order, and which lines are in doubt:
// their numbers are never used. One problem per mistake.
void TestCatalogue::read_data()
{
    QTest::addColumn<bool>("amplifiers"); // which file the content is
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("records");
    QTest::addColumn<Lines>("doubtful");
    QTest::addColumn<QStringList>("problems");

    const auto cab = [](const char* tag, const QByteArray& content, int records,
                         const Lines& doubtful, const QStringList& problems) {
        QTest::newRow(tag) << false << content << records << doubtful << problems;
    };
    const auto amp = [](const char* tag, const QByteArray& content, int records,
                         const Lines& doubtful, const QStringList& problems) {
        QTest::newRow(tag) << true << "h\n" + content << records << doubtful << problems;
    };

    cab("clean, header looks like data", "Cab A,200,8\nCab,200,8\n", 1, {}, {});
    cab("every line end is one: CR LF, LF, CR", "h\r\nA,1,8\nB,1,8\rC,1,8\r", 3, {}, {});
    cab("a CR inside a field ends the line", "h\nCab,2\r00,8\n", 2, { 2, 3 },
        { "c:2: 2 fields where 3 are expected", "c:3: 2 fields where 3 are expected" });
    cab("empty line, told once", "h\nCab,200,8\n\n", 2, { 3 },
        { "c:3: empty line: read as an entry with no name" });
    cab("names told, lines usable: blanks (not around numbers), invisible, formula-like",
        "h\n Cab , 200 ,\t8 \nDelia\xe2\x80\x8b 8,200,8\nX\xef\xbb\xbf,1,8\n=1+1,1,8\n", 4, {},
        { "c:2: name \" Cab \" has blanks around it, which are kept",
            "c:3: name \"Delia\\u200b 8\" holds the invisible character U+200B",
            "c:4: name \"X\\ufeff\" holds the invisible character U+FEFF",
            "c:5: name \"=1+1\" starts like a spreadsheet formula: CSV gives it a leading '" });
    cab("not a number, not whole, out of range", "h\nCab,abc,8.5\nBig,2147483648,8\n", 2, { 2, 3 },
        { "c:2: power \"abc\" is not a number: read as 0",
            "c:2: impedance \"8.5\" is not a whole number: read as 0",
            "c:3: power \"2147483648\" is not a whole number: read as 0" });
    cab("controls, a backslash, NUL at a line end",
        QByteArrayLiteral("h\nA\x1b[2J,1,8\nB\\x1b,1,8\nC\xe2\x80\xae,1,8\nD,1,8\x00\n"), 4,
        { 2, 4, 5 },
        { "c:2: control character U+001B in the line", "c:4: control character U+202E in the line",
            "c:5: control character U+0000 in the line" }); // told once, not again as a number
    cab("too long", "h\n" + QByteArray(300, 'x') + ",1,8\n", 1, { 2 },
        { "c:2: field 1 is longer than 256 characters: cut there" });
    cab("not above 0", "h\nCab,0,-8\n", 1, { 2 },
        { "c:2: power 0 W is not above 0", "c:2: impedance -8 \u03A9 is not above 0" });
    cab("a cabinet twice with other numbers: both, told once", "h\nA,200,8\nB,1,8\nA,300,8\n", 3,
        { 2, 4 },
        { "c:4: cabinet \"A\" is also on line 2 with other numbers: neither line is used" });
    cab("a cabinet twice alike, its name no format: usable", "h\nA %2,200,8\nA %2,200,8\n", 2, {},
        { "c:3: cabinet \"A %2\" repeats line 2" });
    cab("no data lines", "h\n", 0, {}, { "c:1: no cabinet lines after the header" });
    cab("header: an unknown column, none, one named again: told once each, ignored; blanks "
        "after the last name are no column",
        "h,p,z,xmax_mm,peak_w,,PEAK_W, \nA,240,8,12,960,,1\nB,240,8,3,,,\n", 2, {},
        { "c:1: column 4 \"xmax_mm\" is not peak_w or hpf_hz: its cells are ignored",
            "c:1: column 6 has no name: its cells are ignored",
            "c:1: column 7 \"PEAK_W\" names column 5 again: its cells are ignored" });
    cab("optional cells: below the program power, not above 0, not a number; three or all fields",
        "h,p,z,peak_w,hpf_hz\nA,240,8,100,40\nB,240,8,960,0\nC,240,8,,x\nD,240,8,960\n"
        "E,240,8,960,40,1\n",
        5, { 2, 3, 4, 5, 6 },
        { "c:2: peak power 100 W is below the program power 240 W",
            "c:3: high-pass frequency 0 Hz is not above 0",
            "c:4: high-pass frequency \"x\" is not a number: read as 0",
            "c:5: 4 fields where 5 are expected",
            "c:6: 6 fields where 5 are expected (a decimal comma?)" });
    cab("windows-1252 names kept apart", "\xE9\n\xC9lan,1,8\n\xC8lan,1,8\n", 2, {},
        { "c:1: not valid UTF-8: the file is read as Windows-1252" });

    amp("decimal comma, told alone", "Gamma,8,NO,80,40,3,32\n", 1, { 2 },
        { "a:2: 7 fields where 6 are expected (a decimal comma?)" });
    amp("too large, not finite", "A,8,NO,1e309,-1e309,32\nB,8,NO,inf,nan,32\n", 2, { 2, 3 },
        { "a:2: maximum program voltage \"1e309\" is not a number in range: read as 0",
            "a:2: maximum output level \"-1e309\" is not a number in range: read as 0",
            "a:3: maximum program voltage \"inf\" is not a finite number: read as 0",
            "a:3: maximum output level \"nan\" is not a finite number: read as 0" });
    amp("mode not read, impedance not above 0", "A,8,st,42.9,34.9,32\nB,0,NO,42.9,34.9,32\n", 2,
        { 2, 3 },
        { "a:2: mode \"st\" is not ST, BTL or NO: the line is never used",
            "a:3: impedance 0 \u03A9 is not above 0" });
    amp("gain 0 or less, above 60",
        "A,8,NO,42.9,34.9,0\nB,8,NO,42.9,34.9,-32\nC,8,NO,42.9,34.9,61\nD,8,NO,42.9,34.9,60\n", 4,
        { 2, 3, 4 },
        { "a:2: gain 0 dB is not above 0", "a:3: gain -32 dB is not above 0",
            "a:4: gain 61 dB is above 60 dB" });
    amp("level far from the voltage, numbers never in exponent form",
        "A,8,NO,42.9,35.4,32\nA,4,NO,42.9,35.3,32\nB,8,NO,1e15,34.9,32\nC,8,NO,-1e-9,34.9,32\n", 4,
        { 2, 4, 5 },
        { "a:2: maximum output level 35.4 dBu is 0.53 dB away from the 34.87 dBu of 42.9 V",
            "a:4: maximum output level 34.9 dBu is 267.32 dB away from the 302.22 dBu of "
            "1000000000000000 V",
            "a:5: maximum program voltage -0.000000001 V is not above 0" });
    amp("one line twice with other numbers: both, told once",
        "X,8,NO,42.9,35,32\nX,4,NO,40,34.3,32\nX,8,NO,20,28.2,32\n", 3, { 2, 4 },
        { "a:4: model \"X\" at 8 \u03A9 NO is also on line 2 with other numbers: neither line is "
          "used" });
    amp("a corrected line with a typo: both", "X,8,NO,42.9,34.9,32\nX,8,NO,20,28.2,2O\n", 2,
        { 2, 3 },
        { "a:3: gain \"2O\" is not a number: read as 0",
            "a:3: model \"X\" at 8 \u03A9 NO is also on line 2 with other numbers: neither line is "
            "used" });
    amp("one line twice alike: usable", "X,8,NO,42.9,35,32\nX,8,NO,42.90,35,32\n", 2, {},
        { "a:3: model \"X\" at 8 \u03A9 NO repeats line 2" });
    amp("a slip of one letter splits a model: told there",
        "Quill Q2000,8,ST,42.9,34.9,32\nQuill Q2000,4,ST,40,34.3,32\nQuil Q2000,8,BTL,80,40.3,32\n"
        "Quill Q2000,4,BTL,80,40.3,32\n",
        4, {}, { "a:4: model \"Quil Q2000\" looks like \"Quill Q2000\" of lines 2-3 and 5" });
    amp("model lines apart, one digit apart too",
        "Alpha,8,NO,42.9,34.9,32\nBeta,8,NO,42.9,34.9,32\nAlpha,4,NO,40,34.3,32\n"
        "Delia 6,8,NO,42.9,34.9,32\nDelia 8,8,NO,42.9,34.9,32\nDelia 6,4,NO,40,34.3,32\n",
        6, {},
        { "a:4: model \"Alpha\" continues here after other models: its lines must stand together",
            "a:7: model \"Delia 6\" continues here after other models: its lines must stand "
            "together" });
    amp("case or blanks apart: the later line",
        "Quill Q2000,8,ST,42.9,34.9,32\nquill  q2000,4,ST,40,34.3,32\n", 2, {},
        { "a:3: model \"quill  q2000\" differs from \"Quill Q2000\" of line 2 only in case or "
          "blanks" });
    amp("a switchless model's mode lines unused", "P,8,NO,36,33.3,26\nP,8,ST,99,99,99\n", 2, { 3 },
        { "a:3: maximum output level 99 dBu is 56.87 dB away from the 42.13 dBu of 99 V",
            "a:3: gain 99 dB is above 60 dB",
            "a:3: model \"P\" has no mode switch (line 2 says NO): this line is never used" });
}

void TestCatalogue::read()
{
    QFETCH(bool, amplifiers);
    QFETCH(QByteArray, content);
    Catalogue catalogue;
    Lines inDoubt;
    const auto lines = [&](const auto& records) {
        for (int row = 0; row < records.size(); ++row)
            if (records.at(row).inDoubt())
                inDoubt << row + 2;
        return int(records.size());
    };
    if (amplifiers)
        catalogue.readAmplifiers(content, "a");
    else
        catalogue.readCabinets(content, "c");
    QStringList told; // escaped, as a terminal gets it
    for (const CatalogueProblem& problem : catalogue.problems)
        told << PlainText::escaped(problem.located());
    QTEST(told, "problems");
    QTEST(amplifiers ? lines(catalogue.amplifiers) : lines(catalogue.cabinets), "records");
    QTEST(inDoubt, "doubtful");
}

// A line's numbers as written, in every encoding; a record not read from a
// file is never taken for a sound one.
void TestCatalogue::records()
{
    Catalogue catalogue;
    QString utf16 = QString::fromUtf8("h\r\nS\xC3\xA4ule \xCE\xA9,150,16\r\n");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
    catalogue.readCabinets(bytes, "c");
    catalogue.readAmplifiers("\xEF\xBB\xBFh\nA,4,BTL, 1e2 ,42.2,32\n", "a");
    QCOMPARE(catalogue.problems.value(0).message, QString());
    const CabinetRecord& cabinet = catalogue.cabinets.value(0);
    QCOMPARE(cabinet.name(), QString::fromUtf8("S\xC3\xA4ule \xCE\xA9"));
    QCOMPARE(cabinet.programPower(), 150);
    QCOMPARE(cabinet.impedance(), 16);
    const AmplifierRecord& amplifier = catalogue.amplifiers.value(0);
    QVERIFY(amplifier.matches("A", 4.0, Mode::Bridge) && !amplifier.inDoubt());
    QCOMPARE(amplifier.maxVoltage(), 100.0);
    QCOMPARE(amplifier.maxLevel(), 42.2);
    QCOMPARE(amplifier.gain(), 32);
    // The optional columns in either order, named in any case and with blanks
    // around; a line of three fields, or empty cells, gives neither.
    catalogue.readCabinets(
        "h,p,z, HPF_Hz ,xmax_mm,Peak_W\nA,240,8,40,1,960\nB,1,8\nC,1,8, ,,\n", "c");
    QCOMPARE(catalogue.cabinets.at(1).peakPower(), 960.0);
    QCOMPARE(catalogue.cabinets.at(1).highPass(), 40.0);
    for (const CabinetRecord& given : catalogue.cabinets.mid(2))
        QVERIFY(qIsNaN(given.peakPower()) && qIsNaN(given.highPass()) && !given.inDoubt());
    bool atMax = true;
    QVERIFY(qIsNaN(AmplifierRecord().threshold(200, 8, atMax)));
    QVERIFY(CabinetRecord().inDoubt() && !atMax);
}

// Files that cannot be used are named, every one, and nothing that could block
// is opened.
void TestCatalogue::unusable_data()
{
    // Of the cabinet file; the amplifier file is a folder, or empty in the last row.
    QTest::addColumn<QString>("told");
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
    const QByteArray lines = QByteArray("A,1,8\r").repeated(Catalogue::maxLines);
#ifdef Q_OS_UNIX
    if (tag == "fifo")
        QCOMPARE(mkfifo(QFile::encodeName(file.fileName()).constData(), 0600), 0);
#endif
    if (tag != "fifo" && file.open(QIODevice::WriteOnly)) {
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
    else
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("data_amplis.txt")));

    const Catalogue catalogue = Catalogue::load(dir.path());
    QCOMPARE(catalogue.complete(), told.isEmpty());
    QCOMPARE(catalogue.cabinets.size(), told.isEmpty() ? Catalogue::maxLines : 0);
    if (told.isEmpty())
        return;
    QCOMPARE(catalogue.unusable.size(), 2);
    QCOMPARE(catalogue.unusable.first().listed(), told);
    QCOMPARE(catalogue.unusable.first().path, file.fileName());
    QCOMPARE(catalogue.unusable.last().listed(), "data_amplis.txt: not a regular file");
    QCOMPARE(catalogue.folder, QDir(dir.path()).absolutePath());
    QVERIFY(catalogue.amplifiers.isEmpty());
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
