// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "dialog.h"
#include "dialog2.h"
#include "limitersheetdialog.h"
#include "windowdriver.h"

#include <QPrintPreviewWidget>

namespace {
const QByteArray cabinets = "h\nCab,300,16\nEight 300,300,8\n";
// "Switch" is bridged at 8 ohms only.
const QByteArray amplifiers = "h\nAmp,8,ST,50,36,30\nSwitch,8,ST,42.94,34.9,32\n"
                              "Switch,8,BTL,123.45678,44.1,32\nNoSwitch,8,NO,36,33.5,32\n"
                              "NoSwitch,4,NO,33,32.6,32\n";
}

class TestDialogs : public QObject {
    Q_OBJECT

public slots: // the desktop's mail program
    void open(const QUrl& url) { sent << url; }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        QCoreApplication::setApplicationVersion(VANTOR_VERSION); // as main() sets it
        Appearance::apply(); // as the program starts: style and application icon
    }
    void init() { QDesktopServices::setUrlHandler("mailto", this, "open"); }
    void cleanup()
    {
        sent.clear();
        QCOMPARE(ModalWatcher::visibleWindows(), QStringList());
    }
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("mailto"); }
    void aboutBox_data();
    void aboutBox();
    void limiterSheet_data();
    void limiterSheet();
    void sheetChoiceRemembered();
    void guideQuotes_data();
    void guideQuotes();

private:
    QList<QUrl> sent; // mails the mail program took
};

// Help > About: a fresh application-modal box, its logo (as the banner) from
// the folder opened, else the working directory, else the program, of at most
// 4 MiB. Only its support link opens a mail; without a mail program a message
// over the box gives the address to copy.
void TestDialogs::aboutBox_data()
{
    QTest::addColumn<QStringList>("places"); // that hold the images, 10 and 20 pixels square
    QTest::addColumn<qint64>("bytes"); // of each image file; 0: as saved
    QTest::addColumn<QSize>("banner");
    QTest::addColumn<QStringList>("links"); // clicked in turn
    QTest::addColumn<bool>("program"); // a mail program takes the mail
    QTest::addColumn<int>("wide"); // the working directory's images, pixels; 20: as the others
    const qint64 limit = 4 * 1024 * 1024;
    const QSize builtIn(301, 71);
    const QStringList support { "#support_email" };
    QTest::newRow("the folder's, the support link")
        << QStringList { "mine", "." } << qint64(0) << QSize(10, 10) << support << true << 20;
    QTest::newRow("the working directory's, other links")
        << QStringList { "." } << qint64(0) << QSize(20, 20)
        << QStringList { "#Support_Email", "support_email", "#support_email " } << true << 20;
    QTest::newRow("built in, no mail program")
        << QStringList() << qint64(0) << builtIn << support << false << 20;
    QTest::newRow("4 MiB") << QStringList { "." } << limit << QSize(20, 20) << support << true
                           << 20;
    QTest::newRow("a byte more") << QStringList { "." } << limit + 1 << builtIn << support << true
                                 << 20;
    // An image stated larger than any form shows is never decoded.
    QTest::newRow("4096 pixels wide")
        << QStringList { "." } << qint64(0) << QSize(4096, 20) << support << true << 4096;
    QTest::newRow("4097 pixels wide")
        << QStringList { "." } << qint64(0) << builtIn << support << true << 4097;
}

void TestDialogs::aboutBox()
{
    QFETCH(QStringList, places);
    QFETCH(qint64, bytes);
    QFETCH(QSize, banner);
    QFETCH(QStringList, links);
    QFETCH(bool, program);
    QFETCH(int, wide);
    if (!program) {
        QDesktopServices::setUrlHandler("mailto", this, "refuse");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invokeMethod: No such method"));
    }
    CatalogueFixture fixture;
    const QString mine = fixture.folder("mine", cabinets, amplifiers);
    for (const QString& place : places) {
        QImage image(place == "mine" ? QSize(10, 10) : QSize(wide, 20), QImage::Format_RGB32);
        image.fill(Qt::red);
        for (const char* name : { "banner3.png", "Orlena-Audio-logo-60px.png" }) {
            // A PNG ends at its end chunk: what follows it is never read.
            QFile file(fixture.path(place + '/' + name));
            QVERIFY(file.open(QIODevice::WriteOnly) && image.save(&file, "PNG"));
            if (bytes)
                file.write(QByteArray(bytes - file.size(), '\0'));
        }
    }
    WindowDriver driver(mine);
    QCOMPARE(driver.find<QLabel>("label")->sizeHint(), banner);
    QPointer<QWidget> opened;
    QSize logo;
    QVector<ModalWatcher::Seen> told;
    driver.watcher.onModal = [&](QWidget* about) {
        opened = about;
        logo = about->findChild<QLabel*>("label")->sizeHint();
        QVERIFY(!about->windowIcon().pixmap(32).isNull());
        QLabel* support = about->findChild<QLabel*>("label_3");
        QVERIFY(support->text().contains(">" + Dialog::supportAddress + "<"));
        ModalWatcher message;
        for (const QString& link : links)
            emit support->linkActivated(link);
        told = message.seen;
    };
    driver.find<QAction>("actionAbout")->trigger();
    QCOMPARE(logo, banner == QSize(301, 71) ? QSize(60, 60) : banner);
    const ModalWatcher::Seen about = driver.watcher.seen.value(0);
    QVERIFY(about.className == "Dialog" && about.applicationModal && !about.hasParent);
    QVERIFY(opened.isNull());
    QCOMPARE(sent.size(), program && links == QStringList { "#support_email" } ? 1 : 0);
    for (const QUrl& mail : sent)
        QCOMPARE(mail.toString(),
            "mailto:?to=" + Dialog::supportAddress + "&cc=" + Dialog::copyAddress
                + "&subject=Vantor Support Request&body=Dear Orlena Audio,");
    QCOMPARE(told.size(), program ? 0 : 1);
    for (const ModalWatcher::Seen& box : told)
        QVERIFY(box.hasParent && box.text.contains(Dialog::supportAddress) && box.selectable);
}

// Ctrl+P opens the Limiter Sheet dialog on the window's selection and mode; a
// count refused says why. "Save as PDF…" writes what `vantor --sheet --format
// pdf` draws (whose pages the sheet pages' suite reads).
void TestDialogs::limiterSheet_data()
{
    QTest::addColumn<QVector<Step>>("steps");
    QTest::addColumn<QStringList>("modes"); // of the amplifier; empty for every one
    QTest::addColumn<QStringList>("counts"); // as the dialog lists them
    const QString below = " \u2014 refused: below 4 \u03a9";
    QTest::newRow("a model without the switch")
        << QVector<Step> { pickCabinet("Eight 300"), pickAmplifier("NoSwitch"), setCount(2) }
        << QStringList() << QStringList { "1", "2", "3" + below, "4" + below };
    QTest::newRow("bridged") << QVector<Step> { pickCabinet("Eight 300"), pickAmplifier("Switch"),
        pickMode(1) } << QStringList { "BTL" }
                             << QStringList { "1", "2 \u2014 refused: no data at 4 \u03a9 BTL",
                                    "3" + below, "4" + below };
}

void TestDialogs::limiterSheet()
{
    QFETCH(QVector<Step>, steps);
    QFETCH(QStringList, modes);
    CatalogueFixture fixture(cabinets, amplifiers);
    WindowDriver driver;
    for (const Step& step : steps)
        QVERIFY(step(driver));
    const QString cabinet = driver.find("comboBox_cabinets")->currentText(),
                  amplifier = driver.find("comboBox_amplis")->currentText();
    const int count = driver.count()->value();
    const QString pdf = fixture.path("sheet.pdf");
    Sheet::Filter chosen;
    QStringList listed;
    int previewed = 0; // pages
    QTimer previews;
    connect(&previews, &QTimer::timeout, [&] {
        QWidget* preview = QApplication::activeModalWidget();
        if (auto* pages = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr)
            previewed = pages->pageCount(), preview->close();
    });
    previews.start(10);
    driver.watcher.onModal = [&](QWidget* dialog) {
        auto* sheet = qobject_cast<LimiterSheetDialog*>(dialog);
        if (!sheet)
            return;
        chosen = sheet->filter();
        auto* list = sheet->findChild<QListWidget*>("list_counts");
        for (int row = 0; row < list->count(); ++row)
            listed << list->item(row)->text();
        sheet->choosePdfFile = [&] { return pdf; };
        sheet->findChild<QPushButton*>("button_preview")->click();
        sheet->findChild<QPushButton*>("button_save")->click();
    };
    QTest::keySequence(driver.window.get(), QKeySequence("Ctrl+P"));
    QTRY_VERIFY(!listed.isEmpty());
    QCOMPARE(chosen.cabinets + chosen.amplifiers, QStringList({ cabinet, amplifier }));
    QCOMPARE(chosen.counts, QVector<int> { count });
    QStringList keys;
    for (const Mode mode : chosen.modes.value(amplifier))
        keys << mode.key();
    QCOMPARE(keys, modes);
    QTEST(listed, "counts");
    QCOMPARE(previewed, 1);
    QCOMPARE(driver.heard("statusMessage"), "Saved sheet.pdf: 1 row");
    if (!modes.isEmpty())
        return;
    QProcess program;
    program.start(VANTOR_PROGRAM,
        { "--sheet", "--format", "pdf", "--cabinet", cabinet, "--count", QString::number(count),
            "--amplifier", amplifier, "--output", fixture.path("cli.pdf"), fixture.path(".") });
    QVERIFY(program.waitForFinished(20000) && program.exitCode() == 0);
    QStringList texts;
    for (const char* file : { "sheet.pdf", "cli.pdf" }) {
        program.start("pdftotext", { "-layout", fixture.path(file), "-" });
        QVERIFY(program.waitForFinished(20000));
        texts << program.readAllStandardOutput();
    }
    QCOMPARE(texts[0], texts[1]);
    QVERIFY2(texts[0].contains(driver.threshold()->text()), qPrintable(texts[0]));
}

// The dialog comes back with the choice last made on the same folder, whatever
// the selection; on another folder, with the selection.
void TestDialogs::sheetChoiceRemembered()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings("vantor", "vantor").clear();
    CatalogueFixture fixture;
    const Catalogue one = Catalogue::load(fixture.folder("one", cabinets, amplifiers));
    const Catalogue two = Catalogue::load(fixture.folder("two", "h\nOther,200,8\n", amplifiers));
    const auto counts = [](const Catalogue& catalogue, int count) {
        LimiterSheetDialog dialog(
            catalogue, Configuration::calculate(catalogue, 0, count, "Amp", Mode::Stereo));
        const QVector<int> shown = dialog.filter().counts;
        dialog.findChild<QListWidget*>("list_counts")->item(3)->setCheckState(Qt::Checked);
        dialog.reject();
        return shown;
    };
    QCOMPARE(counts(one, 1), QVector<int> { 1 });
    QCOMPARE(counts(one, 2), (QVector<int> { 1, 4 }));
    QCOMPARE(counts(two, 2), QVector<int> { 2 });
    QCOMPARE(counts(one, 3), (QVector<int> { 1, 4 }));
}

// The User Guide quotes the boxes of a refused selection as the window shows
// them, and sends the reader to the command line's help.
void TestDialogs::guideQuotes_data()
{
    QTest::addColumn<QString>("quoted");
    CatalogueFixture fixture("h\nFour,300,4\nBroken,300\n", amplifiers);
    const Catalogue catalogue = Catalogue::load(QDir::currentPath());
    const auto refused = [&](int cabinet, int count) {
        return Configuration::calculate(catalogue, cabinet, count, "Amp", Mode::Stereo);
    };
    QTest::newRow("below 4 ohms") << refused(0, 2).warningText();
    QTest::newRow("no line for the load") << refused(0, 1).warningText();
    QTest::newRow("a line in doubt") << refused(1, 1).warningText();
    QTest::newRow("the command line's help") << QString("vantor --help");
}

void TestDialogs::guideQuotes()
{
    QFETCH(QString, quoted);
    QVERIFY(!quoted.isEmpty());
    Dialog2 guide;
    QTextDocument text;
    text.setHtml(guide.findChild<QLabel*>("label_2")->text());
    QVERIFY2(text.toPlainText().contains(quoted), qPrintable(quoted));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
