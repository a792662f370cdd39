// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance.h"
#include "cataloguefixture.h"
#include "dialog.h"
#include "dialog2.h"
#include "modalwatcher.h"
#include "windowdriver.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {
QString overflow(const QString& text, const QRectF& need, const QRect& room)
{
    return QStringLiteral("\"%1\" takes %2x%3 at %4,%5 of %6x%7")
        .arg(text)
        .arg(need.width())
        .arg(need.height())
        .arg(need.x())
        .arg(need.y())
        .arg(room.width())
        .arg(room.height());
}

QString fitsIn(const QFontMetrics& metrics, const QString& text, const QRect& room)
{
    const QRectF need(0, 0, metrics.horizontalAdvance(text), metrics.height());
    return need.width() <= room.width() && need.height() <= room.height()
        ? QString()
        : overflow(text, need, room);
}

// A label's rich text as the label lays it out: every line that holds more
// than blanks lies inside the label.
QString richTextFits(QLabel* label)
{
    label->grab(); // lays the text out
    QTextDocument* document = label->findChild<QTextDocument*>();
    if (!document)
        return QStringLiteral("no document");
    const QRect room = label->contentsRect();
    const qreal height = document->documentLayout()->documentSize().height();
    const qreal top
        = label->alignment() & Qt::AlignVCenter ? qMax((room.height() - height) / 2, 0.0) : 0.0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QPointF at = document->documentLayout()->blockBoundingRect(block).topLeft();
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            if (block.text().mid(line.textStart(), line.textLength()).trimmed().isEmpty())
                continue;
            const QRectF need = line.naturalTextRect().translated(at).translated(0, top);
            if (need.left() < 0 || need.top() < 0 || need.right() > room.width()
                || need.bottom() > room.height())
                return overflow(block.text(), need, room);
        }
    }
    return QString();
}

// What of the text, shown in the widget, falls outside the room the widget
// draws it in; empty when it is all there.
QString clipped(QWidget* widget, const QString& text)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
        return Qt::mightBeRichText(text)
            ? richTextFits(label)
            : fitsIn(label->fontMetrics(), text, label->contentsRect());
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        const QRect contents
            = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        return fitsIn(edit->fontMetrics(), text, contents.adjusted(2, 1, -2, -1));
    }
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return fitsIn(button->fontMetrics(), text,
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button));
    }
    if (auto* box = qobject_cast<QComboBox*>(widget)) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        const QRect field = box->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        return fitsIn(box->fontMetrics(), text, field.adjusted(1, 0, -1, 0));
    }
    return QStringLiteral("not measured");
}

// WCAG contrast between the most common colour of the area (its background)
// and the colour farthest from it (the core of the text's strokes).
double textContrast(QWidget* widget, const QRect& area)
{
    const QImage image = widget->grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    const auto luminance = [](QRgb rgb) {
        const auto linear = [](int value) {
            const double v = value / 255.0;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb))
            + 0.0722 * linear(qBlue(rgb));
    };
    const double back = luminance(background);
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double l = luminance(it.key());
        best = qMax(best, (qMax(l, back) + 0.05) / (qMin(l, back) + 0.05));
    }
    return best;
}

QPalette darkPalette()
{
    QPalette dark(QColor(53, 53, 53)); // button and window
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(35, 35, 35));
    return dark;
}
}

class TestReadability : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void textsFit_data();
    void textsFit();
    void contrast_data();
    void contrast();

private:
    std::unique_ptr<CatalogueFixture> catalogue;
    // Every text each widget of the main window showed over every selection
    // of the example catalogue.
    QMap<QString, QStringList> shown;
};

void TestReadability::initTestCase()
{
    QLocale::setDefault(QLocale::c());
    catalogue.reset(new CatalogueFixture);
    for (const char* name : { "data_spk.txt", "data_amplis.txt" })
        QVERIFY(QFile::copy(QStringLiteral(VANTOR_RESOURCES "/") + name, catalogue->path(name)));

    ModalWatcher watcher;
    WindowDriver driver;
    const auto record = [&] {
        for (QLabel* label : driver.window.findChildren<QLabel*>())
            if (!shown[label->objectName()].contains(label->text()))
                shown[label->objectName()] << label->text();
        if (!shown["lineaResultado"].contains(driver.text("lineaResultado")))
            shown["lineaResultado"] << driver.text("lineaResultado");
    };
    QComboBox* amplifiers = driver.combo("comboBox_amplis");
    QComboBox* cabinets = driver.combo("comboBox_cabinets");
    for (int amplifier = 0; amplifier < amplifiers->count(); ++amplifier)
        for (int mode = 0; mode < 2; ++mode)
            for (int cabinet = 0; cabinet < cabinets->count(); ++cabinet)
                for (int count = 1; count <= 4; ++count) {
                    driver.pick("comboBox_amplis", amplifier);
                    driver.pick("comboBox_mode", mode);
                    driver.pick("comboBox_cabinets", cabinet);
                    driver.setCount(count);
                    record();
                }
    QVERIFY(shown["label_prog_power"].contains("Max program voltage: 107 V"));
    QVERIFY(shown["lineaResultado"].size() > 20);
}

void TestReadability::cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }

void TestReadability::textsFit_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("late");

    // Debian's default, KDE's, the Windows-metric one and GNOME's, each at
    // its desktop's default size; a platform theme may also set the font
    // only once the windows are up.
    QTest::newRow("DejaVu Sans 9") << "DejaVu Sans" << 9 << false;
    QTest::newRow("Noto Sans 9") << "Noto Sans" << 9 << false;
    QTest::newRow("Liberation Sans 9") << "Liberation Sans" << 9 << false;
    QTest::newRow("Cantarell 11") << "Cantarell" << 11 << false;
    QTest::newRow("DejaVu Sans 9, set late") << "DejaVu Sans" << 9 << true;
}

// Every text of every window, in every widget it shows in, lies whole inside
// the room the widget draws it in, measured with the widget's own font. A
// model name wider than its selector shows whole in its tooltip and list.
// The process runs at the font dpi that QT_FONT_DPI gives.
void TestReadability::textsFit()
{
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(bool, late);
    if (QFontInfo(QFont(family)).family() != family)
        QSKIP("font not installed");

    QApplication::setFont(QFont(late ? "Liberation Serif" : family, late ? 30 : points));
    Appearance::apply();
    WindowDriver driver;
    Dialog about;
    Dialog2 guide;
    about.show();
    guide.show();
    if (late) {
        QApplication::setFont(QFont(family, points));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    }

    QStringList failures;
    const auto check = [&](QWidget* widget, const QString& text) {
        const QString fault = clipped(widget, text);
        if (!fault.isEmpty())
            failures << widget->window()->objectName() + '/' + widget->objectName() + ": " + fault;
    };
    for (QWidget* window : { static_cast<QWidget*>(&driver.window), static_cast<QWidget*>(&about),
             static_cast<QWidget*>(&guide) }) {
        QVERIFY(!window->windowIcon().isNull());
        for (QLabel* label : window->findChildren<QLabel*>()) {
            QStringList texts { label->text() };
            if (window == &driver.window)
                texts += shown.value(label->objectName());
            texts.removeDuplicates();
            for (const QString& text : texts)
                if (!text.isEmpty())
                    check(label, text);
        }
    }
    QLineEdit* threshold = driver.find<QLineEdit>("lineaResultado");
    for (const QString& text : shown.value("lineaResultado"))
        check(threshold, text);
    QPushButton* reset = driver.find<QPushButton>("pushButton_reset");
    check(reset, reset->text());
    QComboBox* mode = driver.combo("comboBox_mode");
    for (int i = 0; i < mode->count(); ++i)
        check(mode, mode->itemText(i));

    for (const char* name : { "comboBox_cabinets", "comboBox_amplis" }) {
        QComboBox* box = driver.combo(name);
        for (int i = 0; i < box->count(); ++i) {
            if (clipped(box, box->itemText(i)).isEmpty())
                continue;
            box->setCurrentIndex(i);
            QHelpEvent hover(QEvent::ToolTip, QPoint(4, 4), box->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(box, &hover);
            if (QToolTip::text() != box->itemText(i))
                failures << QStringLiteral("%1: tooltip \"%2\" for \"%3\"")
                                .arg(name, QToolTip::text(), box->itemText(i));
            QToolTip::hideText();
        }
        // The list gives the longest name at least the room around it that
        // the selector gives its text.
        QStyleOptionComboBox option;
        option.initFrom(box);
        const int margins = box->width()
            - box->style()
                  ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
                  .width();
        int longest = 0;
        for (int i = 0; i < box->count(); ++i)
            longest = qMax(longest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
        box->showPopup();
        const int width = box->view()->viewport()->width();
        if (width < longest + margins)
            failures << QStringLiteral("%1: list %2 wide for a name of %3")
                            .arg(name)
                            .arg(width)
                            .arg(longest);
        box->hidePopup();
    }
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; ")));
}

void TestReadability::contrast_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("late");

    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const QPalette light = fusion->standardPalette();
    QTest::newRow("light") << light << false;
    QTest::newRow("dark") << darkPalette() << false;
    QTest::newRow("dark, set late") << darkPalette() << true;
}

// Texts whose colour comes from the desktop's palette keep a contrast of at
// least 4.5:1 against the backgrounds they are drawn on, which the form may
// force (white fields, dark grey window).
void TestReadability::contrast()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, late);

    std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    QApplication::setPalette(late ? fusion->standardPalette() : palette);
    Appearance::apply();
    WindowDriver driver;
    if (late)
        QApplication::setPalette(palette);
    QCOMPARE(QApplication::palette().color(QPalette::Text), palette.color(QPalette::Text));
    QStringList failures;
    const auto check = [&](const QString& what, QWidget* widget, const QRect& area) {
        const double ratio = textContrast(widget, area);
        if (ratio < 4.5)
            failures << QStringLiteral("%1: %2:1").arg(what).arg(ratio, 0, 'f', 2);
    };

    QLineEdit* threshold = driver.find<QLineEdit>("lineaResultado");
    check("threshold", threshold, threshold->rect().adjusted(3, 3, -3, -3));
    QLineEdit* count = driver.count()->findChild<QLineEdit*>();
    check("count", count, count->rect());
    QPushButton* reset = driver.find<QPushButton>("pushButton_reset");
    check("Reset", reset, reset->rect().adjusted(4, 4, -4, -4));
    for (const char* name : { "comboBox_cabinets", "comboBox_amplis", "comboBox_mode" }) {
        QComboBox* box = driver.combo(name);
        QStyleOptionComboBox option;
        option.initFrom(box);
        check(name, box,
            box->style()->subControlRect(
                QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box));
    }
    QComboBox* cabinets = driver.combo("comboBox_cabinets");
    cabinets->showPopup();
    QAbstractItemView* list = cabinets->view();
    check("cabinet list", list->viewport(), list->visualRect(list->model()->index(1, 0)));
    cabinets->hidePopup();

    QMenuBar* bar = driver.window.menuBar();
    QMenu* help = driver.find<QMenu>("menuAcerca");
    check("menu bar", bar, bar->actionGeometry(help->menuAction()));
    help->popup(driver.window.mapToGlobal(QPoint(0, 0)));
    for (QAction* entry : help->actions())
        check(entry->text(), help, help->actionGeometry(entry));
    help->hide();
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("; ")));
}

QTEST_MAIN(TestReadability)
#include "tst_readability.moc"
