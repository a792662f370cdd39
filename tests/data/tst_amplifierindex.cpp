// SPDX-License-Identifier: GPL-3.0-or-later
#include "amplifierindex.h"
#include "catalogue.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>

class TestAmplifierIndex : public QObject {
    Q_OBJECT

private slots:
    void find_data();
    void find();
    void agreesWithScan_data();
    void agreesWithScan();
};

namespace {

QVector<AmplifierRecord> table(const QByteArray& lines)
{
    QByteArray file = "name,impedance,mode,voltage,level,gain\n" + lines;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return Catalogue::readAmplifiers(buffer);
}

// What the window did before it had an index: the first row that matches.
int scan(const QVector<AmplifierRecord>& rows, const QString& name, double impedance,
    const QString& mode)
{
    for (int row = 0; row < rows.size(); ++row) {
        if (rows.at(row).matches(name, impedance, mode))
            return row;
    }
    return -1;
}

}

void TestAmplifierIndex::find_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("impedance");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("row");

    const QByteArray runs = "A,8,ST,1,1,1\nA,4,ST,2,2,2\nB,8,NO,3,3,3\nA,8,BTL,4,4,4\n"
                            "A,8,ST,5,5,5\n";
    QTest::newRow("line within the first run") << runs << "A" << 4.0 << "ST" << 1;
    QTest::newRow("duplicate line gives the first") << runs << "A" << 8.0 << "ST" << 0;
    QTest::newRow("line of a later run") << runs << "A" << 8.0 << "BTL" << 3;
    QTest::newRow("no switch") << runs << "B" << 8.0 << "NO" << 2;
    QTest::newRow("missing impedance") << runs << "B" << 4.0 << "NO" << -1;
    QTest::newRow("missing mode") << runs << "A" << 4.0 << "BTL" << -1;
    QTest::newRow("mode is case-sensitive") << runs << "A" << 8.0 << "st" << -1;
    QTest::newRow("blanks are part of the name") << runs << "A " << 8.0 << "ST" << -1;
    QTest::newRow("unknown model") << runs << "C" << 8.0 << "ST" << -1;
    QTest::newRow("fraction of an ohm") << runs << "A" << 8.5 << "ST" << -1;
    QTest::newRow("empty table") << QByteArray() << "A" << 8.0 << "ST" << -1;
    QTest::newRow("blank line") << QByteArray("A,8,ST\n\n") << "" << 0.0 << "" << 1;
}

void TestAmplifierIndex::find()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, name);
    QFETCH(double, impedance);
    QFETCH(QString, mode);
    QFETCH(int, row);

    const QVector<AmplifierRecord> rows = table(lines);
    QCOMPARE(scan(rows, name, impedance, mode), row);
    QCOMPARE(AmplifierIndex(rows).find(rows, name, impedance, mode), row);
}

// Random tables over few names, impedances and modes, so that lines repeat:
// every query gives the row a scan gives.
void TestAmplifierIndex::agreesWithScan_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("lines");
    for (quint32 seed : { 1u, 2u, 3u })
        for (int lines : { 10, 1000 })
            QTest::addRow("seed %u, %d lines", seed, lines) << seed << lines;
}

void TestAmplifierIndex::agreesWithScan()
{
    QFETCH(quint32, seed);
    QFETCH(int, lines);

    const QStringList names { "A", "B", "a", "A ", "" };
    const QStringList modes { "ST", "BTL", "NO", "st", "" };
    const QVector<double> impedances { 0, 2, 4, 8, 16, 4.5, -8 };
    QRandomGenerator random(seed);
    QVector<AmplifierRecord> rows;
    for (int i = 0; i < lines; ++i) {
        rows.append(AmplifierRecord(names[random.bounded(names.size())],
            static_cast<int>(impedances[random.bounded(impedances.size())]),
            modes[random.bounded(modes.size())], 1, 1, 1));
    }
    const AmplifierIndex index(rows);
    int found = 0;
    for (const QString& name : names)
        for (double impedance : impedances)
            for (const QString& mode : modes) {
                const int expected = scan(rows, name, impedance, mode);
                QCOMPARE(index.find(rows, name, impedance, mode), expected);
                found += expected >= 0;
            }
    QVERIFY(found > 0);
}

QTEST_GUILESS_MAIN(TestAmplifierIndex)
#include "tst_amplifierindex.moc"
