// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "windowdriver.h"

#include <QtTest>
#include <QtWidgets>

namespace {
double luminance(const QColor& colour)
{
    const auto linear
        = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Fusion as the forms' style draws on it, keeping the text each selector
// was drawn with.
class Recorder : public QProxyStyle {
public:
    Recorder()
        : QProxyStyle(QStyleFactory::create("Fusion"))
    {
    }
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        if (const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            box && element == CE_ComboBoxLabel)
            drawn = box->currentText;
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    mutable QString drawn;
};
}

// How the forms look where the desktop's font and colours meet the form's
// fixed sizes and colours.
class TestLooks : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale::c());
        Appearance::apply();
    }
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }
    void elided_data();
    void elided();
    void focusRing_data();
    void focusRing();
    void textColour_data();
    void textColour();
};

// A name too long for its selector keeps its beginning and its end.
void TestLooks::elided_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cut");
    QTest::newRow("fits") << "Delia 6" << false;
    QTest::newRow("too long") << "Dynacore D-1200 Touring Edition Mk II-1200" << true;
}

void TestLooks::elided()
{
    QFETCH(QString, name);
    QFETCH(bool, cut);
    CatalogueFixture fixture(("h\n" + name + ",200,8\n").toUtf8(), "h\nAmp,8,NO,40,34.3,26\n");
    auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    auto* recorder = new Recorder;
    style->setBaseStyle(recorder); // owned by the style
    WindowDriver driver;
    QComboBox* selector = driver.find("comboBox_cabinets");
    selector->grab();
    const QString drawn = recorder->drawn;
    style->setBaseStyle(QStyleFactory::create("Fusion"));
    QCOMPARE(drawn == name, !cut);
    if (!cut)
        return;
    QStyleOptionComboBox option;
    option.initFrom(selector);
    const int room
        = selector->style()
              ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector)
              .width();
    QVERIFY2(drawn.contains(QChar(0x2026)) && name.startsWith(drawn.section(QChar(0x2026), 0, 0))
            && name.endsWith(drawn.section(QChar(0x2026), 1)),
        qPrintable(drawn));
    QVERIFY(drawn.section(QChar(0x2026), 0, 0).size() >= 3);
    QVERIFY(drawn.section(QChar(0x2026), 1).size() >= 3);
    QVERIFY(selector->fontMetrics().horizontalAdvance(drawn) <= room);
}

// The focus ring takes the desktop's highlight, lightened on the form's dark
// grey only as far as 3:1 needs, in the same hue.
void TestLooks::focusRing_data()
{
    QTest::addColumn<QColor>("highlight");
    QTest::addColumn<bool>("lightened");
    QTest::newRow("dark blue") << QColor("#1d3f8a") << true;
    QTest::newRow("dark green") << QColor("#2e6b30") << true;
    QTest::newRow("light blue, as it is") << QColor("#3daee9") << false;
}

void TestLooks::focusRing()
{
    QFETCH(QColor, highlight);
    QFETCH(bool, lightened);
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Highlight, highlight);
    QApplication::setPalette(palette);
    CatalogueFixture fixture("h\nCab,200,8\n", "h\nAmp,8,NO,40,34.3,26\n");
    WindowDriver driver;
    QApplication::setActiveWindow(&driver.window);
    QWidget* threshold = driver.find<QWidget>("lineaResultado");
    const QImage blurred = threshold->grab().toImage();
    threshold->setFocus(Qt::TabFocusReason);
    const QImage focused = threshold->grab().toImage();
    QHash<QRgb, int> changed;
    for (int y = 0; y < focused.height(); ++y)
        for (int x = 0; x < focused.width(); ++x)
            if (focused.pixel(x, y) != blurred.pixel(x, y))
                ++changed[focused.pixel(x, y)];
    QVERIFY(!changed.isEmpty());
    const QColor ring(std::max_element(changed.cbegin(), changed.cend()).key());
    const QColor back = driver.window.palette().color(QPalette::Window);
    QCOMPARE(ring != highlight, lightened);
    const double ratio = contrast(ring, back);
    QVERIFY2(ratio >= 3 && (!lightened || ratio < 3.1), qPrintable(QString::number(ratio)));
    QVERIFY2(qAbs(ring.hsvHueF() - highlight.hsvHueF()) < 0.01, qPrintable(ring.name()));
}

// The threshold field stays white under any desktop: a text colour readable
// there is kept, one that is not becomes black.
void TestLooks::textColour_data()
{
    QTest::addColumn<QColor>("desktop");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("dark blue, kept") << QColor("#1a237e") << QColor("#1a237e");
    QTest::newRow("light grey of a dark theme") << QColor("#eeeeee") << QColor(Qt::black);
}

void TestLooks::textColour()
{
    QFETCH(QColor, desktop);
    QFETCH(QColor, shown);
    QPalette palette = QApplication::style()->standardPalette();
    palette.setColor(QPalette::Text, desktop);
    QApplication::setPalette(palette);
    CatalogueFixture fixture("h\nCab,200,8\n", "h\nAmp,8,NO,40,34.3,26\n");
    WindowDriver driver;
    QCOMPARE(driver.find<QLineEdit>("lineaResultado")->palette().color(QPalette::Text), shown);
}

QTEST_MAIN(TestLooks)
#include "tst_looks.moc"
