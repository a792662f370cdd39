// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "windowdriver.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>

namespace {
const QByteArray cabinets = "name,power,impedance\n"
                            "Cab 16,300,16\n"
                            "Cab 8,300,8\n";
const QByteArray amplifiers = "name,impedance,mode,voltage,level,gain\n"
                              "Switched,8,ST,50,36.2,30\n"
                              "Switched,4,ST,45,35.3,30\n"
                              "Plain,8,NO,36,33.3,26\n"
                              "Plain,4,NO,33,32.6,26\n";
}

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup();
    void form();
    void formTexts();
    void fixedSize();
    void startUp_data();
    void startUp();
    void countWithoutCatalogue_data();
    void countWithoutCatalogue();
    void reset_data();
    void reset();
};

// No test may leave a window behind, a message box least of all.
void TestMainWindow::cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }

// Every object of the form, with its class and parent, as the rest of the
// program and the slot connections reach them by name.
void TestMainWindow::form()
{
    const QStringList objects { "centralWidget/QWidget/MainWindow", "label/QLabel/centralWidget",
        "line_2/QFrame/centralWidget", "line_3/QFrame/centralWidget", "line_4/QFrame/centralWidget",
        "comboBox_cabinets/QComboBox/centralWidget", "label_cabinet/QLabel/centralWidget",
        "spin_num_cabinets/QSpinBox/centralWidget", "label_prog_power/QLabel/centralWidget",
        "label_alert_max/QLabel/centralWidget", "label_amp_gain/QLabel/centralWidget",
        "label_mode/QLabel/centralWidget", "comboBox_amplis/QComboBox/centralWidget",
        "comboBox_mode/QComboBox/centralWidget", "layoutWidget/QWidget/centralWidget",
        "label_imp/QLabel/layoutWidget", "label_max_pow/QLabel/layoutWidget",
        "label_imp_equiv/QLabel/layoutWidget", "label_equiv_pow/QLabel/layoutWidget",
        "layoutWidget1/QWidget/centralWidget", "label_threshold/QLabel/layoutWidget1",
        "lineaResultado/QLineEdit/layoutWidget1", "pushButton_reset/QPushButton/layoutWidget1",
        "menuBar/QMenuBar/MainWindow", "menuAcerca/QMenu/menuBar" };
    CatalogueFixture fixture;
    MainWindow window;
    QStringList found;
    for (const QString& object : objects) {
        const QObject* child = window.findChild<QObject*>(object.section('/', 0, 0));
        found << (child ? child->objectName() + '/' + child->metaObject()->className() + '/'
                    + child->parent()->objectName()
                        : object.section('/', 0, 0) + " missing");
    }
    QCOMPARE(found, objects);
}

// A window whose catalogue is missing keeps every text of the form.
void TestMainWindow::formTexts()
{
    CatalogueFixture fixture;
    WindowDriver driver;
    MainWindow& window = driver.window;
    QCOMPARE(window.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Vantor"));
    QVERIFY(!window.findChild<QStatusBar*>());

    QMenu* help = window.findChild<QMenu*>("menuAcerca");
    QCOMPARE(help->title(), QStringLiteral("Help"));
    QCOMPARE(window.menuBar()->actions(), QList<QAction*> { help->menuAction() });
    QStringList entries;
    for (QAction* action : help->actions())
        entries << action->objectName() + "=" + action->text();
    QCOMPARE(entries, (QStringList { "actionGuide=User Guide", "actionAbout=About" }));

    QComboBox* mode = driver.combo("comboBox_mode");
    QCOMPARE(mode->count(), 2);
    QCOMPARE(mode->itemText(0), QStringLiteral("ST (Stereo)"));
    QCOMPARE(mode->itemText(1), QStringLiteral("BTL (Bridge)"));
    QVERIFY(mode->itemData(0).isNull());
    QCOMPARE(driver.count()->minimum(), 1);
    QCOMPARE(driver.count()->maximum(), 4);
    QVERIFY(driver.label("label_alert_max")->font().bold());

    QCOMPARE(driver.display(),
        QStringLiteral("count=1 enabled\n"
                       "comboBox_cabinets=-1 enabled\n"
                       "comboBox_amplis=-1 disabled\n"
                       "comboBox_mode=0 disabled\n"
                       "Speaker impedance:\n"
                       "Speaker program power:\n"
                       "Equivalent impedance:\n"
                       "Equivalent program power: \n"
                       "Max program voltage:\n"
                       "Amplifier gain:\n"
                       "\n"
                       "alert shown"));
    QCOMPARE(driver.text("label_threshold"), QStringLiteral("Threshold:"));
    QCOMPARE(driver.find<QPushButton>("pushButton_reset")->text(), QStringLiteral("Reset"));
    QVERIFY(driver.text("label_cabinet").contains(">Cabinet selection<"));
    QVERIFY(driver.text("label_mode").contains(">Amplifier selection<"));
    QCOMPARE(
        driver.label("label_alert_max")->text(), QStringLiteral("/!\\ Amplifier at maximum power"));
}

void TestMainWindow::fixedSize()
{
    CatalogueFixture fixture;
    WindowDriver driver;
    QCOMPARE(driver.window.size(), QSize(413, 437));
    driver.window.resize(800, 600);
    QCOMPARE(driver.window.size(), QSize(413, 437));
    driver.window.showMaximized();
    QCOMPARE(driver.window.size(), QSize(413, 437));
}

void TestMainWindow::startUp_data()
{
    QTest::addColumn<QByteArray>("cabinetFile");
    QTest::addColumn<QByteArray>("amplifierFile");
    QTest::addColumn<QStringList>("cabinetItems");
    QTest::addColumn<QStringList>("amplifierItems");
    QTest::addColumn<bool>("reset");

    const QStringList cabinetNames { "Cab 16", "Cab 8" };
    const QStringList amplifierNames { "Switched", "Plain" };
    QTest::newRow("both files") << cabinets << amplifiers << cabinetNames << amplifierNames << true;
    QTest::newRow("header-only files")
        << QByteArray("h\n") << QByteArray("h") << QStringList() << QStringList() << true;
    QTest::newRow("cabinet file missing")
        << QByteArray() << amplifiers << QStringList() << QStringList() << false;
    QTest::newRow("amplifier file missing")
        << cabinets << QByteArray() << cabinetNames << QStringList() << false;
}

void TestMainWindow::startUp()
{
    QFETCH(QByteArray, cabinetFile);
    QFETCH(QByteArray, amplifierFile);
    QFETCH(QStringList, cabinetItems);
    QFETCH(QStringList, amplifierItems);
    QFETCH(bool, reset);

    CatalogueFixture fixture(cabinetFile, amplifierFile);
    ModalWatcher watcher;
    WindowDriver driver;
    QStringList items;
    for (int i = 0; i < driver.combo("comboBox_cabinets")->count(); ++i)
        items << driver.combo("comboBox_cabinets")->itemText(i);
    QCOMPARE(items, cabinetItems);
    items.clear();
    for (int i = 0; i < driver.combo("comboBox_amplis")->count(); ++i)
        items << driver.combo("comboBox_amplis")->itemText(i);
    QCOMPARE(items, amplifierItems);
    if (reset) {
        // Index 0 of an empty selector is no entry at all.
        QString expected = WindowDriver::defaultDisplay();
        if (cabinetItems.isEmpty())
            expected.replace("comboBox_cabinets=0", "comboBox_cabinets=-1");
        if (amplifierItems.isEmpty())
            expected.replace("comboBox_amplis=0", "comboBox_amplis=-1");
        QCOMPARE(driver.display(), expected);
    } else {
        QVERIFY(driver.threshold().isEmpty());
        QCOMPARE(driver.text("label_imp"), QStringLiteral("Speaker impedance:"));
        QVERIFY(!driver.combo("comboBox_amplis")->isEnabled());
    }
    QVERIFY(watcher.seen.isEmpty());
}

// With no cabinet rows a count change has nothing to work on and changes
// nothing; with cabinets but no amplifiers it is refused like any selection
// without amplifier data, and so is the one-cabinet re-run of the reset.
void TestMainWindow::countWithoutCatalogue_data()
{
    QTest::addColumn<QByteArray>("cabinetFile");
    QTest::addColumn<QByteArray>("amplifierFile");
    QTest::addColumn<int>("refusals");

    QTest::newRow("cabinet file missing") << QByteArray() << amplifiers << 0;
    QTest::newRow("both files missing") << QByteArray() << QByteArray() << 0;
    QTest::newRow("header-only cabinet file") << QByteArray("h\n") << amplifiers << 0;
    QTest::newRow("amplifier file missing") << cabinets << QByteArray() << 2;
}

void TestMainWindow::countWithoutCatalogue()
{
    QFETCH(QByteArray, cabinetFile);
    QFETCH(QByteArray, amplifierFile);
    QFETCH(int, refusals);

    CatalogueFixture fixture(cabinetFile, amplifierFile);
    ModalWatcher watcher;
    WindowDriver driver;
    const QString before = driver.display();
    driver.setCount(3);
    QCOMPARE(watcher.seen.size(), refusals);
    if (refusals == 0) {
        QCOMPARE(driver.display(), QString(before).replace("count=1", "count=3"));
    } else {
        for (const ModalWatcher::Seen& box : watcher.seen)
            QCOMPARE(box.text, QStringLiteral("This amplifier configuration is not supported"));
        QString expected = WindowDriver::defaultDisplay(true);
        expected.replace("comboBox_amplis=0", "comboBox_amplis=-1");
        QCOMPARE(driver.display(), expected);
    }
}

void TestMainWindow::reset_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("pickPlain");

    QTest::newRow("count 1, nothing picked") << 1 << false;
    QTest::newRow("count 1 after a switchless model") << 1 << true;
    QTest::newRow("count 2 after a switchless model") << 2 << true;
    QTest::newRow("count 4") << 4 << false;
}

// Whatever was shown, enabled or typed, the reset ends in the defaults.
void TestMainWindow::reset()
{
    QFETCH(int, count);
    QFETCH(bool, pickPlain);

    CatalogueFixture fixture(cabinets, amplifiers);
    ModalWatcher watcher;
    WindowDriver driver;
    QVERIFY(driver.pick("comboBox_cabinets", "Cab 16"));
    driver.setCount(count);
    if (pickPlain) {
        QVERIFY(driver.pick("comboBox_amplis", "Plain"));
        QVERIFY(!driver.combo("comboBox_mode")->isEnabled());
        QVERIFY(driver.alertShown());
    }
    driver.find<QLineEdit>("lineaResultado")->setText("typed");
    QVERIFY(driver.display() != WindowDriver::defaultDisplay());

    driver.clickReset();
    QCOMPARE(driver.display(), WindowDriver::defaultDisplay());
    QVERIFY(watcher.seen.isEmpty());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
