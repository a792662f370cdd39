// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "configuration.h"
#include "sheetlayout.h"
#include "sheetpages.h"
#include "units.h"

#include <QtTest>

#include <QPainter>
#include <QPdfWriter>

namespace {
using Item = SheetLayout::Item;
const QByteArray gammaLines = "h\nGamma,8,NO,80,40.3,32\nGamma,4,NO,76.2,39.9,32\n";

// `count` cabinets of 16 ohms.
QByteArray cabinets(int count)
{
    QByteArray file = "h\n";
    for (int i = 1; i <= count; ++i)
        file += "Cab " + QByteArray::number(i) + ",300,16\n";
    return file;
}

QPageLayout paper(QPageSize::PageSizeId size, QPageLayout::Orientation turn = QPageLayout::Portrait)
{
    return QPageLayout(QPageSize(size), turn, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

// The sheet laid out on the paper, and its text as drawn to PDF, a string a page: each
// page in the paint area top to bottom, nothing overlapping, no text below 9 pt nor
// wider than its box, at the foot "page / pages" or else the paper too narrow.
void layOut(const Catalogue& catalogue, const Sheet::Filter& filter, const QPageLayout& layout,
    QVector<SheetLayout::Page>& pages, QStringList& read)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter device(&pdf);
    device.setPageLayout(layout);
    SheetLayout(catalogue, filter, device).run([&](const SheetLayout::Page& page) {
        return pages.append(page), true;
    });
    for (const SheetLayout::Page& page : pages) {
        for (int i = 0; i < page.size(); ++i) {
            const Item& item = page[i];
            const QFont font = SheetLayout::font(item.font);
            QVERIFY(font.pointSizeF() >= 9);
            QVERIFY(item.wrapped
                || QFontMetricsF(font, &device).horizontalAdvance(item.text) <= item.box.width());
            QVERIFY(QRectF(0, 0, device.width(), device.height()).contains(item.box));
            for (int j = 0; j < i; ++j)
                QVERIFY(item.box.top() >= page[j].box.top() && !item.box.intersects(page[j].box));
        }
    }
    QPainter painter(&device);
    QVERIFY(SheetPages(catalogue, filter).paint(painter, device) && painter.end());
    QProcess text;
    text.start("pdftotext", { "-layout", "-", "-" });
    text.write(pdf.data());
    text.closeWriteChannel();
    QVERIFY(text.waitForFinished(20000));
    read = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    read.removeLast();
    QCOMPARE(read.size(), pages.size());
    for (int n = 1; n <= read.size(); ++n)
        QVERIFY(pages[n - 1].last().kind == Item::TooNarrow
            || read[n - 1].contains(
                QRegularExpression(QString("\\b%1 ?/ ?%2$").arg(n).arg(pages.size()),
                    QRegularExpression::MultilineOption)));
}
}

class TestSheetPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void papers_data();
    void papers();
    void layout_data();
    void layout();
};

void TestSheetPages::papers_data()
{
    QTest::addColumn<QPageLayout>("paper");
    QTest::addColumn<bool>("fits");
    QTest::newRow("A4") << paper(QPageSize::A4) << true;
    QTest::newRow("Letter") << paper(QPageSize::Letter) << true;
    QTest::newRow("A5") << paper(QPageSize::A5) << true;
    QTest::newRow("A4 landscape") << paper(QPageSize::A4, QPageLayout::Landscape) << true;
    QTest::newRow("A6, too narrow") << paper(QPageSize::A6) << false;
}

// The example's cabinets, and two with numbers too long for their column, on each paper:
// every name and number whole, or a line that says the paper is too narrow.
void TestSheetPages::papers()
{
    QFETCH(QPageLayout, paper);
    QFETCH(bool, fits);
    QFile cabinets(VANTOR_RESOURCES "/data_spk.txt"),
        amplifiers(VANTOR_RESOURCES "/data_amplis.txt");
    QVERIFY(cabinets.open(QIODevice::ReadOnly) && amplifiers.open(QIODevice::ReadOnly));
    CatalogueFixture fixture(
        cabinets.readAll() + "Huge,1000,1073741824\nMighty,1073741824,8\n", amplifiers.readAll());
    const Catalogue catalogue = Catalogue::load(".");
    QFile edited("data_spk.txt"); // after it was read: the sheet names it as it was read
    QVERIFY(edited.open(QIODevice::Append)
        && edited.setFileTime(QDateTime(QDate(2001, 2, 3), QTime(4, 5)), QFile::FileModificationTime));
    QVector<SheetLayout::Page> pages;
    QStringList read;
    Sheet::Filter filter;
    filter.amplifiers = QStringList { "Dynacore D-1200" };
    layOut(catalogue, filter, paper, pages, read);
    QVERIFY(read.first().contains(
        "(modified " + catalogue.cabinetsModified.toString("yyyy-MM-dd HH:mm") + ")"));
    QCOMPARE(read.join('\n').contains("This paper is too narrow for the limiter sheet"), !fits);
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        QCOMPARE(read.join('\n').contains(cabinet.name() + " \u00d7 1"), fits);
    QCOMPARE(read.join('\n').contains(Units::ohms(1073741824.0, 2)), fits);
    QCOMPARE(read.join('\n').contains(Units::watts(1073741824.0)), fits);
    // Aster 12 (given peak) and Delia 6 (assumed) on the amplifier's maximum: a row's peak
    // threshold, its signs, attack and release; then the signs' legend.
    for (const auto& [cabinet, signs] : { std::pair(3, " *"), std::pair(1, " *~") }) {
        const Configuration c
            = Configuration::calculate(catalogue, cabinet, 1, "Dynacore D-1200", Mode::Stereo);
        QCOMPARE(read.join('\n').contains(c.peakThresholdText() + signs + " \u00b7 "
                     + c.attackText() + " \u00b7 " + c.releaseText()),
            fits);
    }
    QCOMPARE(read.join('\n').contains(
                 "Peak * at the amplifier's maximum, ~ assumed: 2 \u00d7 program power."),
        fits);
}

// A filter on the catalogue files, and the sheet it gives on Letter, the shorter of two
// papers: the headings in order (one repeated on a new page counted once), the rows,
// a refused selection and why, the refused line, and whether it takes one page.
struct Layout {
    QByteArray cabinetFile, amplifierFile;
    QVector<int> counts;
    QStringList headings;
    int rows;
    QString refusedCabinets, reason, refused;
    bool onePage;
};
Q_DECLARE_METATYPE(Layout)

void TestSheetPages::layout_data()
{
    QTest::addColumn<Layout>("sheet");
    const QString gammaHeading
        = "Gamma \u00b7 gain 32 dB \u00b7 maximum 80 V at 8 \u03a9, 76.2 V at 4 \u03a9";
    QTest::newRow("every selection, by model and mode; in ST a gain a load") << Layout {
        "h\nSmall,200,8\nBig,1000,8\n",
        gammaLines + "Delta,8,ST,50,36.2,30\nDelta,4,ST,45,35.3,28\nDelta,8,BTL,90,41.3,30\n", {},
        { gammaHeading,
            "Delta \u00b7 ST (Stereo) \u00b7 gain 30 dB at 8 \u03a9, 28 dB at 4 \u03a9 "
            "\u00b7 maximum 50 V at 8 \u03a9, 45 V at 4 \u03a9",
            "Delta \u00b7 BTL (Bridge) \u00b7 gain 30 dB \u00b7 maximum 90 V at 8 \u03a9" },
        10, "Big \u00d7 2", "no data at 4 \u03a9 BTL",
        "14 refused, each in grey under its amplifier", true
    };
    QByteArray models = "h\n";
    QStringList headings;
    for (const char* model : { "A", "B", "C" }) {
        models += QByteArray(model) + ",8,ST,50,36.2,30\n" + model + ",8,BTL,50,36.2,30\n";
        for (const char* mode : { " \u00b7 ST (Stereo)", " \u00b7 BTL (Bridge)" })
            headings << model + QString(mode)
                    + " \u00b7 gain 30 dB \u00b7 maximum 50 V at 8 \u03a9";
    }
    QTest::newRow("3 cabinets, 2 counts, 3 amplifiers in both modes: one page")
        << Layout { cabinets(3), models, { 1, 2 }, headings, 36, {}, {}, "0 refused", true };
    QTest::newRow("a group over pages") << Layout { cabinets(40), gammaLines, { 1, 3 },
        { gammaHeading }, 80, {}, {}, "0 refused", false };
}

void TestSheetPages::layout()
{
    QFETCH(Layout, sheet);
    CatalogueFixture fixture(sheet.cabinetFile, sheet.amplifierFile);
    const Catalogue catalogue = Catalogue::load(".");
    QVector<SheetLayout::Page> pages;
    QStringList read;
    Sheet::Filter filter;
    filter.counts = sheet.counts;
    layOut(catalogue, filter, paper(QPageSize::Letter), pages, read);

    // The rows under a heading on each page; a heading on one line.
    QStringList headings;
    int rows = 0;
    for (const SheetLayout::Page& page : pages) {
        bool headed = false;
        for (int i = 0; i < page.size(); ++i) {
            QVERIFY(page[i].kind != Item::Row || headed);
            headed |= page[i].kind == Item::Group;
            rows += page[i].kind == Item::Row && page[i].column == 0;
            if (page[i].kind != Item::Group)
                continue;
            const QString heading = page[i].text + ' ' + page[i + 1].text;
            QVERIFY2(read[page[i].page - 1].contains(heading + '\n'), qPrintable(heading));
            if (headings.isEmpty() || headings.last() != heading)
                headings << heading;
        }
    }
    QCOMPARE(headings, sheet.headings);
    QCOMPARE(rows, sheet.rows);
    const auto refusedLine = std::find_if(pages.last().cbegin(), pages.last().cend(),
        [](const Item& item) { return item.kind == Item::Refused; });
    QVERIFY(refusedLine != pages.last().cend());
    QCOMPARE(refusedLine->text, sheet.refused);
    QCOMPARE(pages.size() == 1, sheet.onePage);
    const QString refused = sheet.refusedCabinets + " +refused: " + sheet.reason + "\n";
    QVERIFY(sheet.reason.isEmpty() || read.join('\n').contains(QRegularExpression(refused)));
}

QTEST_MAIN(TestSheetPages)
#include "tst_sheetpages.moc"
