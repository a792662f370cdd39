// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "dialog.h"
#include "dialog2.h"
#include "windowdriver.h"

#include <QtTest>
#include <QtWidgets>

class TestDialogs : public QObject {
    Q_OBJECT

public slots: // the desktop's mail program
    void open(const QUrl& url) { sent << url; }

private slots:
    void initTestCase();
    void init() { QDesktopServices::setUrlHandler("mailto", this, "open"); }
    void cleanup();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler("mailto"); }
    void supportLink_data();
    void supportLink();
    void aboutBox();
    void guides();

private:
    QList<QUrl> sent; // mails the mail program took
    CatalogueFixture catalogue { "h\nCab,300,16\n", "h\nAmp,8,ST,50,36,30\n" };
};

void TestDialogs::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    Appearance::apply(); // as the program starts: style and application icon
}

void TestDialogs::cleanup()
{
    sent.clear();
    QCOMPARE(ModalWatcher::visibleWindows(), QStringList());
}

void TestDialogs::supportLink_data()
{
    QTest::addColumn<QString>("link");
    QTest::newRow("support link") << "#support_email";
    QTest::newRow("other letter case") << "#Support_Email";
    QTest::newRow("no hash") << "support_email";
    QTest::newRow("trailing blank") << "#support_email ";
    QTest::newRow("no mail program") << "#support_email";
}

// Only the support link opens a mail, to the support address with the copy
// address, subject and salutation filled in. When no program takes the mail,
// a message over the About box gives the address to copy.
void TestDialogs::supportLink()
{
    QFETCH(QString, link);
    const bool program = QTest::currentDataTag() != QByteArray("no mail program");
    if (!program) {
        QDesktopServices::setUrlHandler("mailto", this, "refuse");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("invokeMethod: No such method"));
    }
    Dialog about;
    ModalWatcher watcher;
    bool selectable = false;
    watcher.onModal = [&](QWidget* box) {
        auto* message = qobject_cast<QMessageBox*>(box);
        selectable = message && message->textInteractionFlags() & Qt::TextSelectableByMouse;
    };
    emit about.findChild<QLabel*>("label_3")->linkActivated(link);
    QCOMPARE(sent.size(), program && link == "#support_email" ? 1 : 0);
    for (const QUrl& mail : sent)
        QCOMPARE(mail.toString(),
            "mailto:?to=" + Dialog::supportAddress + "&cc=" + Dialog::copyAddress
                + "&subject=Vantor Support Request&body=Dear Orlena Audio,");
    QCOMPARE(watcher.seen.size(), program ? 0 : 1);
    for (const ModalWatcher::Seen& box : watcher.seen)
        QVERIFY(box.hasParent && box.text.contains(Dialog::supportAddress) && selectable);
}

// Help > About runs a fresh application-modal box each time, with the
// application icon; its link shows the address it mails to and works while
// the box is open, and nothing of the box is left once it closes.
void TestDialogs::aboutBox()
{
    WindowDriver driver;
    QList<QPointer<QWidget>> opened;
    driver.watcher.onModal = [&](QWidget* about) {
        opened << about;
        QVERIFY(!about->windowIcon().pixmap(32).isNull());
        QLabel* support = about->findChild<QLabel*>("label_3");
        QVERIFY(support && support->text().contains(">" + Dialog::supportAddress + "<"));
        ModalWatcher message; // none: the mail program takes the mail
        emit support->linkActivated("#support_email");
        QCOMPARE(message.seen.size(), 0);
    };
    driver.find<QAction>("actionAbout")->trigger();
    driver.find<QAction>("actionAbout")->trigger();
    QCOMPARE(driver.watcher.seen.size(), 2);
    for (const ModalWatcher::Seen& seen : driver.watcher.seen)
        QVERIFY(seen.className == "Dialog" && seen.applicationModal && !seen.hasParent);
    QCOMPARE(sent.size(), 2);
    QVERIFY(opened.size() == 2 && opened[0].isNull() && opened[1].isNull());
}

// Help > User Guide opens modeless windows of the main window, with the
// application icon; a closed one is freed, and the rest go with the main
// window.
void TestDialogs::guides()
{
    QList<QPointer<Dialog2>> guides;
    {
        WindowDriver driver;
        QVERIFY(!driver.window.windowIcon().pixmap(32).isNull());
        for (int i = 0; i < 3; ++i)
            driver.find<QAction>("actionGuide")->trigger();
        for (Dialog2* guide : driver.window.findChildren<Dialog2*>()) {
            QVERIFY(guide->isVisible() && !guide->isModal());
            QVERIFY(!guide->windowIcon().pixmap(32).isNull());
            guides << guide;
        }
        QCOMPARE(guides.size(), 3);
        guides[0]->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guides[0].isNull());
        QCOMPARE(driver.window.findChildren<Dialog2*>().size(), 2);
    }
    QVERIFY(guides[1].isNull() && guides[2].isNull());
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
