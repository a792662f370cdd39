// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "dialog.h"
#include "dialog2.h"
#include "sheet.h"
#include "windowdriver.h"

namespace {
// What of the text falls outside the widget's room for it, rich text line by
// line as a label lays it out; empty when all fits.
QString clipped(QWidget* widget, const QString& text)
{
    QStyle* style = widget->style();
    QRect room = widget->contentsRect();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        room = style->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                   .adjusted(2, 1, -2, -1);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        room = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        room
            = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                  .adjusted(1, 0, -1, 0);
    }
    const QFontMetrics metrics = widget->fontMetrics();
    QList<QRectF> lines { QRectF(0, 0, metrics.horizontalAdvance(text), metrics.height()) };
    if (auto* label = qobject_cast<QLabel*>(widget); label && Qt::mightBeRichText(text)) {
        label->setText(text);
        label->grab(); // lays the text out
        QTextDocument* document = label->findChild<QTextDocument*>();
        QAbstractTextDocumentLayout* layout = document->documentLayout();
        const qreal top = label->alignment() & Qt::AlignVCenter
            ? qMax((room.height() - layout->documentSize().height()) / 2, 0.0)
            : 0.0;
        lines.clear();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
            for (int i = 0; i < block.layout()->lineCount(); ++i) {
                const QTextLine line = block.layout()->lineAt(i);
                if (!block.text().mid(line.textStart(), line.textLength()).trimmed().isEmpty())
                    lines << line.naturalTextRect().translated(
                        layout->blockBoundingRect(block).topLeft() + QPointF(0, top));
            }
    }
    QString fault;
    for (const QRectF& need : lines)
        if (fault.isEmpty() && !QRectF(QPointF(), room.size()).contains(need))
            QDebug(&fault) << text << "takes" << need << "of" << room.size();
    return fault;
}

double luminance(QRgb rgb)
{
    const auto linear = [](int v) {
        return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}

double ratio(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Fusion, keeping the text a selector was drawn with.
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

// WCAG contrast between the most common colour of the area (its background)
// and the colour farthest from it (the core of the text's strokes).
double textContrast(QWidget* widget, const QRect& area)
{
    const QImage image = widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb back = std::max_element(counts.cbegin(), counts.cend()).key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = qMax(best, ratio(it.key(), back));
    return best;
}
}

class TestReadability : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void readable_data();
    void readable();
    void elided_data();
    void elided();
    void guide();

private:
    // Every text of each result label over the example catalogue.
    QMap<QString, QStringList> shown;
    QStringList failures;
};

void TestReadability::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    Appearance::apply(); // Fusion, whose own palette is the light one
    const QStringList names { "label_imp", "label_max_pow", "label_imp_equiv", "label_equiv_pow",
        "label_prog_power", "label_amp_gain", "lineaResultado" };
    const Catalogue example = Catalogue::load(VANTOR_RESOURCES);
    QVERIFY(example.complete() && example.problems.isEmpty());
    Sheet::forEach(example, {}, [&](const Configuration& c) {
        const QStringList texts = c.labelTexts() << c.thresholdText();
        for (int i = 0; i < names.size(); ++i)
            shown[names[i]] << texts.at(i);
        return true;
    });
    for (QStringList& texts : shown)
        texts.removeDuplicates();
}

void TestReadability::cleanup()
{
    const QStringList found = std::exchange(failures, {});
    QVERIFY2(found.isEmpty(), qPrintable(found.join("; ")));
    QCOMPARE(ModalWatcher::visibleWindows(), QStringList());
}

void TestReadability::readable_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("late"); // set once the windows are up, as a platform theme may
    const QPalette light = QApplication::style()->standardPalette();
    QPalette dark(QColor(53, 53, 53)); // button and window
    for (const auto role : { QPalette::WindowText, QPalette::ButtonText, QPalette::Text })
        dark.setColor(role, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    QTest::newRow("DejaVu Sans 9, light") << QFont("DejaVu Sans", 9) << light << false;
    QTest::newRow("Noto Sans 9, dark") << QFont("Noto Sans", 9) << dark << false;
    QTest::newRow("Cantarell 11, light") << QFont("Cantarell", 11) << light << false;
    QTest::newRow("DejaVu Sans 9, dark, set late") << QFont("DejaVu Sans", 9) << dark << true;
    QPalette tinted = light; // a text colour readable on white, a dark highlight
    tinted.setColor(QPalette::Text, QColor("#1a237e"));
    tinted.setColor(QPalette::Highlight, QColor("#1d3f8a"));
    QTest::newRow("DejaVu Sans 9, tinted") << QFont("DejaVu Sans", 9) << tinted << false;
}

// Texts keep a contrast of 4.5:1, and the desktop's text colour where it has
// that already; the focus ring is the highlight, in its own hue only as far as
// 3:1 needs. Every text of every window lies whole inside its widget.
void TestReadability::readable()
{
    QFETCH(QFont, font);
    QFETCH(QPalette, palette);
    QFETCH(bool, late);
    QApplication::setFont(late ? QFont("Liberation Serif", 30) : font);
    QApplication::setPalette(late ? QApplication::style()->standardPalette() : palette);
    Appearance::apply();
    WindowDriver driver(VANTOR_RESOURCES);
    Dialog about;
    Dialog2 guide;
    about.show();
    guide.show();
    if (late) {
        QApplication::setFont(font);
        QApplication::setPalette(palette);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }
    QCOMPARE(QApplication::palette().color(QPalette::Text), palette.color(QPalette::Text));
    const auto contrast = [&](const QString& what, QWidget* widget, const QRect& area) {
        if (const double ratio = textContrast(widget, area); ratio < 4.5)
            failures << QStringLiteral("%1: %2:1").arg(what).arg(ratio, 0, 'f', 2);
    };
    QLineEdit* threshold = driver.find<QLineEdit>("lineaResultado");
    contrast("threshold", threshold, threshold->rect().adjusted(3, 3, -3, -3));
    QLineEdit* count = driver.count()->findChild<QLineEdit*>();
    contrast("count", count, count->rect());
    const QRgb text = palette.color(QPalette::Text).rgb();
    if (ratio(text, qRgb(255, 255, 255)) >= 4.5
        && threshold->palette().color(QPalette::Text).rgb() != text)
        failures << "the desktop's readable text colour not kept";
    QMenuBar* bar = driver.window->menuBar();
    contrast("menu bar", bar, bar->actionGeometry(bar->actions().value(0)));
    // The ring: the colour most of the pixels that focus changes take.
    QApplication::setActiveWindow(driver.window.get());
    const QRgb back = driver.window->palette().color(QPalette::Window).rgb();
    for (const char* name : { "spin_num_cabinets", "comboBox_cabinets", "comboBox_amplis",
             "comboBox_mode", "lineaResultado", "pushButton_reset" }) {
        QWidget* input = driver.find<QWidget>(name);
        input->clearFocus();
        const QImage blurred = input->grab().toImage();
        input->setFocus(Qt::TabFocusReason);
        const QImage focused = input->grab().toImage();
        QHash<QRgb, int> changed;
        for (int y = 0; y < focused.height(); ++y)
            for (int x = 0; x < focused.width(); ++x)
                if (focused.pixel(x, y) != blurred.pixel(x, y))
                    ++changed[focused.pixel(x, y)];
        const QRgb ring
            = changed.isEmpty() ? back : std::max_element(changed.cbegin(), changed.cend()).key();
        const QColor highlight = input->palette().color(QPalette::Highlight);
        if (const double measured = ratio(ring, back); measured < 3
            || (ring != highlight.rgb()
                && (measured > 3.1 || qAbs(QColor(ring).hsvHueF() - highlight.hsvHueF()) > 0.01)))
            failures << QStringLiteral("%1's focus: %2, %3:1")
                            .arg(name, QColor(ring).name())
                            .arg(measured, 0, 'f', 2);
    }
    if (QFontInfo(font).family() != font.family())
        QSKIP("font not installed: only the contrast was checked");

    const auto fit = [&](QWidget* widget, const QStringList& texts) {
        for (const QString& text : texts)
            if (!text.isEmpty() && !clipped(widget, text).isEmpty())
                failures << widget->objectName() + ": " + clipped(widget, text);
    };
    for (QWidget* window : std::initializer_list<QWidget*> { driver.window.get(), &about, &guide })
        for (QLabel* label : window->findChildren<QLabel*>())
            fit(label, shown.value(label->objectName(), { label->text() }));
    fit(driver.find<QLineEdit>("lineaResultado"), shown.value("lineaResultado"));
    QPushButton* reset = driver.find<QPushButton>("pushButton_reset");
    fit(reset, { reset->text() });
    QComboBox* mode = driver.find("comboBox_mode");
    fit(mode, { mode->itemText(0), mode->itemText(1) });
}

// A name too long for its selector keeps its beginning and end, and shows whole
// in the tooltip, markup as text. A name that fits has no tooltip.
void TestReadability::elided_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cut");
    QTest::newRow("fits") << "Delia 6" << false;
    QTest::newRow("too long") << "Dynacore D-1200 Touring Edition Mk II-1200" << true;
    QTest::newRow("markup") << "<img src=\"nowhere.png\"> <b>" + QString("Long name ").repeated(8)
            + "</b>" << true;
}

void TestReadability::elided()
{
    QFETCH(QString, name);
    QFETCH(bool, cut);
    Appearance::apply();
    auto* recorder = new Recorder;
    qobject_cast<QProxyStyle*>(QApplication::style())->setBaseStyle(recorder);
    CatalogueFixture fixture(("h\n" + name + ",200,8\n").toUtf8(), "h\nAmp,8,NO,40,34.3,26\n");
    WindowDriver driver;
    QComboBox* selector = driver.find("comboBox_cabinets");
    selector->grab();
    const QString drawn = recorder->drawn, head = drawn.section(QChar(0x2026), 0, 0),
                  tail = drawn.section(QChar(0x2026), 1);
    QCOMPARE(drawn == name, !cut);
    if (cut)
        QVERIFY2(head.size() >= 3 && tail.size() >= 3 && name.startsWith(head)
                && name.endsWith(tail) && clipped(selector, drawn).isEmpty(),
            qPrintable(drawn));
    QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), selector->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(selector, &hover); // ignored when no tooltip shows
    QCOMPARE(hover.isAccepted(), cut);
    QTextDocument tip;
    tip.setHtml(QToolTip::text());
    QCOMPARE(tip.toPlainText(), cut ? name : QString());
    QToolTip::hideText();
}

// The guide opens within the screen even when asked to be larger; its text
// wraps to the width and scrolls to its end.
void TestReadability::guide()
{
    Dialog2 guide;
    guide.resize(2000, 2000);
    guide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&guide));
    QCoreApplication::processEvents();
    QVERIFY(guide.screen()->availableGeometry().contains(guide.frameGeometry()));
    auto* area = guide.findChild<QScrollArea*>();
    QVERIFY(area && area->verticalScrollBar()->isVisible());
    QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    auto* text = guide.findChild<QLabel*>("label_2");
    QVERIFY(
        text->mapTo(area->viewport(), text->rect().bottomLeft()).y() < area->viewport()->height());
}

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
