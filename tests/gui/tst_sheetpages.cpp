// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "sheetlayout.h"
#include "sheetpages.h"

#include <QtTest>

#include <QPainter>
#include <QPdfWriter>

namespace {
const QByteArray twoCabinets = "h\nSmall,200,8\nBig,1000,8\n";
const QByteArray gammaDelta
    = "h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n"
      "Delta,8,ST,50,36.2,30\nDelta,4,ST,45,35.3,30\nDelta,8,BTL,90,41.3,30\n";

// `count` cabinets of 16 ohms, or of 8 ohms with long names.
QByteArray cabinets(int count, int ohms)
{
    QByteArray file = "h\n";
    for (int i = 1; i <= count; ++i)
        file += (ohms == 16 ? "Cab " : "A cabinet with a rather long model name number ")
            + QByteArray::number(i) + ",300," + QByteArray::number(ohms) + "\n";
    return file;
}
}

// The sheet's pages as laid out on Letter, the shorter of the two papers.
class TestSheetPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void layout_data();
    void layout();
};

// A filter on the catalogue files, and the sheet it gives: the headings in
// order (one repeated on a new page counted once), the rows and the refused line.
struct Layout {
    QByteArray cabinetFile, amplifierFile;
    QVector<int> counts;
    QStringList amplifiers;
    QString onlyMode; // of Delta
    QStringList headings;
    int rows;
    QString refused;
    bool onePage;
};
Q_DECLARE_METATYPE(Layout)

void TestSheetPages::layout_data()
{
    QTest::addColumn<Layout>("sheet");
    const QString st = " \u00b7 ST (Stereo)", btl = " \u00b7 BTL (Bridge)";
    QTest::newRow("every selection, by model and mode")
        << Layout { twoCabinets, gammaDelta, {}, {}, {}, { "Gamma", "Delta" + st, "Delta" + btl },
               10, "14 refused: below 4 \u03a9 (12), no data at 4 \u03a9 BTL (2)", true };
    QTest::newRow("two counts, one mode") << Layout { twoCabinets, gammaDelta, { 1, 2 },
        { "Delta" }, "BTL", { "Delta" + btl }, 2, "2 refused: no data at 4 \u03a9 BTL", true };
    QTest::newRow("3 cabinets, 2 counts, 3 amplifiers in both modes: one page")
        << Layout { cabinets(3, 16),
               "h\nA,8,ST,50,36.2,30\nA,8,BTL,90,41.3,30\nB,8,ST,50,36.2,30\n"
               "B,8,BTL,90,41.3,30\nC,8,ST,50,36.2,30\nC,8,BTL,90,41.3,30\n",
               { 1, 2 }, {}, {}, { "A" + st, "A" + btl, "B" + st, "B" + btl, "C" + st, "C" + btl },
               36, "0 refused", true };
    QTest::newRow("a group over pages") << Layout { cabinets(40, 8), gammaDelta, { 1, 2 },
        { "Gamma" }, {}, { "Gamma" }, 80, "0 refused", false };
}

void TestSheetPages::layout()
{
    using Item = SheetLayout::Item;
    QFETCH(Layout, sheet);
    CatalogueFixture fixture(sheet.cabinetFile, sheet.amplifierFile);
    const Catalogue catalogue = Catalogue::load(".");
    Sheet::Filter filter;
    filter.counts = sheet.counts;
    filter.amplifiers = sheet.amplifiers;
    if (!sheet.onlyMode.isEmpty())
        filter.modes.insert("Delta", { *Mode::parse(sheet.onlyMode) });
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter letter(&pdf);
    QVERIFY(letter.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter)));
    SheetLayout layout(catalogue, filter, letter);
    QVector<SheetLayout::Page> pages;
    QVERIFY(layout.run([&](const SheetLayout::Page& page) { return pages.append(page), true; }));
    // The same pages painted, and their text read back.
    QPainter painter(&letter);
    QVERIFY(SheetPages(catalogue, filter).paint(painter, letter) && painter.end());
    QProcess text;
    text.start("pdftotext", { "-layout", "-", "-" });
    text.write(pdf.data());
    text.closeWriteChannel();
    QVERIFY(text.waitForFinished(20000));
    const QStringList read = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    QCOMPARE(read.size(), pages.size() + 1);

    // Each page in the paint area top to bottom, nothing overlapping, the rows under a
    // heading, and at the foot under all else a rule, the legend and "page / pages".
    QStringList groups;
    int rows = 0;
    for (int number = 1; number <= pages.size(); ++number) {
        const SheetLayout::Page& page = pages[number - 1];
        const int foot = page.size() - 3;
        QCOMPARE(page[foot].kind, Item::Rule);
        QVERIFY2(read[number - 1].contains(QRegularExpression(
                     QString("\\b%1 ?/ ?%2\\s*$").arg(number).arg(pages.size()))),
            qPrintable(read[number - 1]));
        bool headed = false;
        for (int i = 0; i < page.size(); ++i) {
            const Item& item = page[i];
            QCOMPARE(item.page, number);
            QVERIFY(QRectF(0, 0, letter.width(), letter.height()).contains(item.box));
            QVERIFY(i >= foot || item.box.bottom() <= page[foot].box.top());
            for (int j = 0; j < i; ++j)
                QVERIFY(item.box.top() >= page[j].box.top() && !item.box.intersects(page[j].box));
            QVERIFY(item.kind != Item::Row || headed);
            headed |= item.kind == Item::Group;
            rows += item.kind == Item::Row && item.column == 0;
            if (item.kind == Item::Group)
                QVERIFY2(read[number - 1].contains(item.text + '\n'), qPrintable(read[number - 1]));
            if (item.kind == Item::Group && (groups.isEmpty() || groups.last() != item.text))
                groups << item.text;
        }
    }
    QCOMPARE(groups, sheet.headings);
    QCOMPARE(rows, sheet.rows);
    QCOMPARE(pages.last()[pages.last().size() - 4].text, sheet.refused);
    QCOMPARE(pages.size() == 1, sheet.onePage);
}

QTEST_MAIN(TestSheetPages)
#include "tst_sheetpages.moc"
