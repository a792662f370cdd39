// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDataStream>
#include <QFile>
#include <QtEndian>
#include <QtTest>

// One entry of an .ico file's directory, as Windows reads it.
struct IconEntry {
    int width = 0; // 0 stands for 256
    int height = 0;
    int colours = 0;
    int reserved = 0;
    int planes = 0;
    int bitsPerPixel = 0;
    quint32 bytes = 0;
    quint32 offset = 0;
};

static quint32 bigEndian32(const QByteArray& data, int at)
{
    return qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(data.constData() + at));
}

static quint32 littleEndian32(const QByteArray& data, int at)
{
    return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(data.constData() + at));
}

static quint16 littleEndian16(const QByteArray& data, int at)
{
    return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(data.constData() + at));
}

class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void directory_data();
    void directory();

private:
    QByteArray payload(int index) const;

    QByteArray ico;
    QVector<IconEntry> entries;
};

static const QString iconDir = QStringLiteral(VANTOR_RESOURCES "/icons");
static const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

void TestIcons::initTestCase()
{
    QFile file(iconDir + "/vantor.ico");
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    ico = file.readAll();
    QVERIFY(ico.size() >= 6);

    QDataStream in(ico);
    in.setByteOrder(QDataStream::LittleEndian);
    quint16 reserved, type, count;
    in >> reserved >> type >> count;
    QCOMPARE(reserved, quint16(0));
    QCOMPARE(type, quint16(1)); // icon, not cursor
    QCOMPARE(count, quint16(6));
    for (int i = 0; i < count; ++i) {
        quint8 width, height, colours, entryReserved;
        quint16 planes, bits;
        IconEntry entry;
        in >> width >> height >> colours >> entryReserved >> planes >> bits >> entry.bytes
            >> entry.offset;
        entry.width = width;
        entry.height = height;
        entry.colours = colours;
        entry.reserved = entryReserved;
        entry.planes = planes;
        entry.bitsPerPixel = bits;
        entries.append(entry);
    }
    QCOMPARE(in.status(), QDataStream::Ok);
}

QByteArray TestIcons::payload(int index) const
{
    const IconEntry& entry = entries.at(index);
    return ico.mid(static_cast<int>(entry.offset), static_cast<int>(entry.bytes));
}

void TestIcons::directory_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("size");

    const int sizes[] = { 256, 128, 64, 48, 32, 16 };
    for (int index = 0; index < 6; ++index)
        QTest::addRow("%d px", sizes[index]) << index << sizes[index];
}

// Each entry: its size, 32 bits a pixel, its data inside the file and
// after the directory; the 256 one is a PNG, the others 32-bit DIBs.
void TestIcons::directory()
{
    QFETCH(int, index);
    QFETCH(int, size);

    const IconEntry& entry = entries.at(index);
    QCOMPARE(entry.width, size % 256);
    QCOMPARE(entry.height, size % 256);
    QCOMPARE(entry.colours, 0);
    QCOMPARE(entry.reserved, 0);
    QCOMPARE(entry.planes, 1);
    QCOMPARE(entry.bitsPerPixel, 32);
    QVERIFY(entry.offset >= 6 + 16 * 6u);
    QVERIFY(entry.offset + entry.bytes <= quint32(ico.size()));

    const QByteArray data = payload(index);
    if (size == 256) {
        QVERIFY(data.startsWith(pngSignature));
        QCOMPARE(data.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(bigEndian32(data, 16), quint32(size));
        QCOMPARE(bigEndian32(data, 20), quint32(size));
        QCOMPARE(int(data.at(24)), 8); // bits per channel
        QCOMPARE(int(data.at(25)), 6); // red, green, blue and alpha
    } else {
        QVERIFY(!data.startsWith(pngSignature));
        QCOMPARE(littleEndian32(data, 0), quint32(40));
        QCOMPARE(littleEndian32(data, 4), quint32(size));
        QCOMPARE(littleEndian32(data, 8), quint32(2 * size));
        QCOMPARE(littleEndian16(data, 12), quint16(1));
        QCOMPARE(littleEndian16(data, 14), quint16(32));
        QCOMPARE(littleEndian32(data, 16), quint32(0)); // uncompressed
        const int maskRow = (size + 31) / 32 * 4;
        QCOMPARE(data.size(), 40 + size * size * 4 + maskRow * size);
    }
}

QTEST_GUILESS_MAIN(TestIcons)
#include "tst_icons.moc"
