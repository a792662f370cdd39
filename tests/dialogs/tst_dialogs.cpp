// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "dialog.h"
#include "dialog2.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "windowdriver.h"

#include <QAction>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QUrlQuery>
#include <QtTest>

// Stands in for the desktop's mail program.
class MailCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> mails;
public slots:
    void open(const QUrl& url) { mails.append(url); }
};

class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void supportLink_data();
    void supportLink();
    void aboutBox_data();
    void aboutBox();
    void guides();
    void noMailProgram();

private:
    MailCatcher catcher;
};

void TestDialogs::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");
}

void TestDialogs::cleanupTestCase() { QDesktopServices::unsetUrlHandler("mailto"); }

void TestDialogs::cleanup()
{
    catcher.mails.clear();
    QCOMPARE(WindowDriver::visibleWindows(), QStringList());
}

void TestDialogs::supportLink_data()
{
    QTest::addColumn<QStringList>("links");
    QTest::addColumn<int>("mails");

    QTest::newRow("support link") << QStringList { "#support_email" } << 1;
    QTest::newRow("two clicks, two mails")
        << QStringList { "#support_email", "#support_email" } << 2;
    QTest::newRow("other letter case") << QStringList { "#Support_Email" } << 0;
    QTest::newRow("other targets")
        << QStringList { "", "support_email", "#support_email ", "mailto:help@orlena.example" }
        << 0;
}

void TestDialogs::supportLink()
{
    QFETCH(QStringList, links);
    QFETCH(int, mails);

    Dialog about;
    QLabel* line = about.findChild<QLabel*>("label_3");
    QVERIFY(line);
    for (const QString& link : links)
        emit line->linkActivated(link);
    QCOMPARE(catcher.mails.size(), mails);
    for (const QUrl& mail : catcher.mails) {
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QVERIFY(mail.path().isEmpty());
        const QList<QPair<QString, QString>> expected {
            { "to", Dialog::supportAddress },
            { "cc", Dialog::copyAddress },
            { "subject", "Vantor Support Request" },
            { "body", "Dear Orlena Audio," },
        };
        QCOMPARE(QUrlQuery(mail).queryItems(QUrl::FullyDecoded), expected);
    }
}

void TestDialogs::aboutBox_data()
{
    QTest::addColumn<bool>("logo");
    QTest::newRow("logo in the working directory") << true;
    QTest::newRow("logo missing") << false;
}

// Help > About runs a fresh application-modal box each time; its link
// works while it is open and nothing of it is left once it closes.
void TestDialogs::aboutBox()
{
    QFETCH(bool, logo);

    CatalogueFixture fixture;
    if (logo)
        QVERIFY(QFile::copy(QStringLiteral(VANTOR_RESOURCES "/Orlena-Audio-logo-60px.png"),
            fixture.path("Orlena-Audio-logo-60px.png")));
    WindowDriver driver;
    ModalWatcher& watcher = driver.watcher;
    watcher.seen.clear(); // the box about the missing catalogue
    QList<QPointer<QDialog>> opened;
    watcher.onModal = [&](QWidget* modal) {
        auto* about = qobject_cast<Dialog*>(modal);
        QVERIFY(about);
        opened.append(about);
        QCOMPARE(about->size(), QSize(300, 300));
        const QLabel* image = about->findChild<QLabel*>("label");
        // The property reads the same under Qt 5 and 6, without a deprecated overload.
        QCOMPARE(image->property("pixmap").value<QPixmap>().isNull(), !logo);
        const QString version = about->findChild<QLabel*>("label_2")->text();
        QVERIFY(version.contains(">Orlena Audio Vantor <"));
        QVERIFY(version.contains(">Version 1.0<"));
        QLabel* support = about->findChild<QLabel*>("label_3");
        QVERIFY(support->text().contains(">" + Dialog::supportAddress + "<"));
        QVERIFY(support->text().contains("href=\"#support_email\""));
        emit support->linkActivated("#support_email");
    };
    QAction* action = driver.window.findChild<QAction*>("actionAbout");
    action->trigger();
    action->trigger();

    QCOMPARE(watcher.seen.size(), 2);
    for (const ModalWatcher::Seen& seen : watcher.seen) {
        QCOMPARE(seen.className, QStringLiteral("Dialog"));
        QCOMPARE(seen.title, QStringLiteral("About"));
        QVERIFY(!seen.hasParent);
        QVERIFY(seen.applicationModal);
    }
    QCOMPARE(catcher.mails.size(), 2);
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].isNull());
    QVERIFY(opened[1].isNull());
}

void TestDialogs::guides()
{
    CatalogueFixture fixture("h\nCab,300,16\n", "h\nAmp,8,ST,50,36,30\n");
    QList<QPointer<Dialog2>> guides;
    {
        WindowDriver driver;
        QAction* action = driver.window.findChild<QAction*>("actionGuide");
        for (int i = 0; i < 3; ++i)
            action->trigger();
        for (Dialog2* guide : driver.window.findChildren<Dialog2*>())
            guides.append(guide);
        QCOMPARE(guides.size(), 3);
        for (Dialog2* guide : guides) {
            QVERIFY(guide->isVisible());
            QVERIFY(!guide->isModal());
            QCOMPARE(guide->windowTitle(), QStringLiteral("User Guide"));
            QCOMPARE(guide->size(), QSize(500, 514));
            const QString text = guide->findChild<QLabel*>("label_2")->text();
            QCOMPARE(text.count("<p"), 17);
            QVERIFY(text.contains("presh "));
            QVERIFY(guide->findChild<QLabel*>("label")->text().contains("> VANTOR <"));
        }
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // A closed guide is freed, however many come and go; the next
        // choice builds a new window.
        guides[0]->close();
        for (int i = 0; i < 100; ++i) {
            action->trigger();
            driver.window.findChildren<Dialog2*>().constLast()->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guides[0].isNull());
        QCOMPARE(driver.window.findChildren<Dialog2*>().size(), 2);
        action->trigger();
        QCOMPARE(driver.window.findChildren<Dialog2*>().size(), 3);
        guides.clear();
        for (Dialog2* guide : driver.window.findChildren<Dialog2*>())
            guides.append(guide);

        // The window keeps working with guides open.
        QVERIFY(driver.pick("comboBox_cabinets", 0));
        QCOMPARE(driver.text("lineaResultado"), QStringLiteral("6 dBu"));
    }
    for (const QPointer<Dialog2>& guide : guides)
        QVERIFY(guide.isNull());
}

// A desktop that cannot take the mail (here: a handler it cannot call) leaves
// the user a message from the About box with the address to copy.
void TestDialogs::noMailProgram()
{
    QDesktopServices::setUrlHandler("mailto", &catcher, "missing");
    Dialog about;
    ModalWatcher watcher;
    bool selectable = false;
    watcher.onModal = [&](QWidget* modal) {
        for (const QLabel* text : modal->findChildren<QLabel*>())
            if (text->text().contains(Dialog::supportAddress))
                selectable = text->textInteractionFlags() & Qt::TextSelectableByMouse;
    };
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invokeMethod: No such method"));
    emit about.findChild<QLabel*>("label_3")->linkActivated("#support_email");
    QDesktopServices::setUrlHandler("mailto", &catcher, "open");

    QCOMPARE(watcher.seen.size(), 1);
    QVERIFY(watcher.seen[0].hasParent);
    QVERIFY(watcher.seen[0].text.contains(Dialog::supportAddress));
    QVERIFY(selectable);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
