// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include "configuration.h"
#include "plaintext.h"
#include "units.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>

namespace {
const QChar dot(0x00B7);
const int reasonsNamed = 6; // the refused line names at most these, by their counts

QString modified(const QString& path)
{
    const QFileInfo file(path);
    return QStringLiteral("%1 (modified %2)")
        .arg(QDir::toNativeSeparators(file.absoluteFilePath()),
            file.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

// The heading of a model's rows in one mode; the model alone when it has no switch.
QString heading(const Configuration& c)
{
    const QString model = PlainText::escaped(c.amplifier);
    if (!c.mode.hasSwitch())
        return model;
    return QStringLiteral("%1 %2 %3").arg(model, dot, c.mode.text());
}

// A baseline is four fifths down its line.
double baseline(double top, double height) { return top + 0.8 * height; }
}

SheetLayout::SheetLayout(
    const Catalogue& catalogue, const Sheet::Filter& filter, QPaintDevice& device, int pageCount)
    : catalogue(catalogue)
    , filter(filter)
    , device(device)
    , pageCount(pageCount)
    , pt(device.logicalDpiY() / 72.0)
    , width(device.width())
    , footTop(device.height() - 11 * pt)
    , lineHeight(11 * pt)
    , titleHeight(20 * pt)
    , rowHeight(14 * pt)
    , groupHeight(15 * pt)
    , columns { 0.0, width - 344 * pt, width - 258 * pt, width - 170 * pt, width - 54 * pt, width }
    , markWidth(
          QFontMetricsF(font(Font::Mark), &device).horizontalAdvance(QStringLiteral("AMP MAX")))
{
    // A model's rows in one mode together, and the refused ones too, to be counted.
    this->filter.order = Sheet::ByAmplifier;
    this->filter.acceptedOnly = false;
    const QDir folder(catalogue.folder);
    title = QStringLiteral("Limiter sheet \u2014 %1").arg(PlainText::escaped(folder.dirName()));
    head = QStringList {
        QStringLiteral("Printed %1 by Vantor %2")
            .arg(
                QDate::currentDate().toString(Qt::ISODate), QCoreApplication::applicationVersion()),
        QStringLiteral("Cabinets: ") + modified(folder.filePath(Catalogue::cabinetFileName)),
        QStringLiteral("Amplifiers: ") + modified(folder.filePath(Catalogue::amplifierFileName)),
    };
    columnHeads = QStringList { QStringLiteral("Cabinets \u00D7 count"), QStringLiteral("Load"),
        QStringLiteral("Threshold"), QStringLiteral("dBV %1 V rms").arg(dot) };
}

QFont SheetLayout::font(Font role)
{
    static const struct {
        double points;
        bool bold;
    } fonts[] = { { 9, false }, { 15, true }, { 10, true }, { 12, true }, { 9, true } };
    QFont font(QStringLiteral("sans-serif"));
    // No ligatures: the PDF's text is what a reader searches and copies.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(fonts[int(role)].points);
    font.setBold(fonts[int(role)].bold);
    return font;
}

double SheetLayout::wrap(QTextLayout& layout, double width)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

bool SheetLayout::run(const std::function<bool(const Page&)>& visit)
{
    this->visit = visit;
    startPage();
    bool laidOut = true;
    Sheet::forEach(catalogue, filter, [&](const Configuration& c) {
        if (!c.accepted()) {
            tally(c);
            return true;
        }
        return laidOut = addRow(c);
    });
    if (!laidOut || !addRefusedLine())
        return false;
    endPage();
    return visit(items);
}

void SheetLayout::add(Item::Kind kind, const QRectF& box, Font font, const QString& text,
    int column, Qt::Alignment alignment)
{
    items.append({ kind, page, box, QPointF(box.left(), baseline(box.top(), box.height())), font,
        text, column, alignment });
}

// A text of a row or a column head: its column less a gap on the right, on the line at y.
QRectF SheetLayout::cell(int column, double height) const
{
    return QRectF(columns[column], y, columns[column + 1] - columns[column] - 4 * pt, height);
}

void SheetLayout::startPage()
{
    y = 0;
    add(Item::Title, QRectF(0, 0, width, titleHeight), Font::Title, title);
    y += titleHeight + 2 * pt;
    for (const QString& line : head) {
        add(Item::Head, QRectF(0, y, width, lineHeight), Font::Body, line);
        y += lineHeight;
    }
    y += 6 * pt;
    for (int column = 0; column < 4; ++column)
        add(Item::ColumnHead, cell(column, lineHeight), Font::Body, columnHeads.at(column), column);
    y += lineHeight;
    add(Item::Rule, QRectF(0, y, width, pt));
    y += 2 * pt;
}

void SheetLayout::endPage()
{
    add(Item::Rule, QRectF(0, footTop - 2 * pt, width, 0.5 * pt));
    add(Item::Legend, QRectF(0, footTop, columns[4], lineHeight), Font::Body,
        QStringLiteral("AMP MAX: the amplifier's maximum output sets the threshold"));
    add(Item::PageNumber, QRectF(columns[4], footTop, width - columns[4], lineHeight), Font::Body,
        QStringLiteral("%1 / %2").arg(page).arg(pageCount), -1, Qt::AlignRight);
}

// Room for `height` more on this page, else on a new one, once this one is
// handed on; false when `visit` refuses it.
bool SheetLayout::makeRoom(double height)
{
    if (y + height <= footTop - 4 * pt)
        return true;
    endPage();
    if (!visit(items))
        return false;
    items.clear();
    ++page;
    startPage();
    return true;
}

// A row, under its group's heading when it starts the group or the page.
bool SheetLayout::addRow(const Configuration& c)
{
    const QString name = heading(c);
    const int before = page;
    if (!makeRoom(name == group ? rowHeight : groupHeight + rowHeight))
        return false;
    if (name != group || page != before) {
        group = name;
        add(Item::Group, QRectF(0, y + 3 * pt, width, groupHeight - 3 * pt), Font::Group, name);
        y += groupHeight;
    }
    const QString texts[] = {
        QStringLiteral("%1 \u00D7 %2").arg(PlainText::escaped(c.cabinetName)).arg(c.count),
        QStringLiteral("%1 %2 %3").arg(Units::ohms(c.imp_equiv, 2), dot, Units::watts(c.pow_equiv)),
        c.thresholdText(),
        QStringLiteral("%1 %2 %3").arg(c.thresholdDbvText(), dot, c.thresholdVoltsText()),
    };
    for (int column = 0; column < 4; ++column)
        add(Item::Row, cell(column, rowHeight), column == 2 ? Font::Threshold : Font::Body,
            texts[column], column);
    if (c.at_max) {
        // The text on the row's baseline, in a box a point short of the row's top and bottom.
        const QRectF box(columns[4], y + pt, markWidth + 4 * pt, rowHeight - 2 * pt);
        items.append({ Item::Mark, page, box, QPointF(box.left() + 2 * pt, baseline(y, rowHeight)),
            Font::Mark, QStringLiteral("AMP MAX"), -1, Qt::AlignLeft });
    }
    y += rowHeight;
    ++row_count;
    return true;
}

// Counts a refused selection under its reason.
void SheetLayout::tally(const Configuration& c)
{
    ++refused_count;
    QString reason = c.reason();
    if (reason.isEmpty())
        reason = QStringLiteral("no threshold to set");
    auto known = std::find_if(reasons.begin(), reasons.end(),
        [&](const QPair<QString, int>& r) { return r.first == reason; });
    if (known != reasons.end())
        ++known->second;
    else if (reasons.size() < reasonsNamed)
        reasons.append({ reason, 1 });
    else
        ++others;
}

// The refused line, wrapped to the width, a little below the rows.
bool SheetLayout::addRefusedLine()
{
    const QString line = refusedLine();
    QTextLayout layout(line, font(Font::Body), &device);
    const double height = wrap(layout, width);
    if (!makeRoom(height + 6 * pt))
        return false;
    y += 6 * pt;
    // Drawn from its top left, not from a baseline.
    items.append({ Item::Refused, page, QRectF(0, y, width, height), QPointF(0, y), Font::Body,
        line, -1, Qt::AlignLeft });
    return true;
}

// How many were refused and why, the most frequent reasons first.
QString SheetLayout::refusedLine() const
{
    QString line = QStringLiteral("%1 refused").arg(refused_count);
    if (refused_count == 0)
        return line;
    QVector<QPair<QString, int>> sorted = reasons;
    std::stable_sort(sorted.begin(), sorted.end(),
        [](const QPair<QString, int>& a, const QPair<QString, int>& b) {
            return a.second > b.second;
        });
    QStringList why;
    for (const auto& reason : sorted)
        why << (sorted.size() == 1 && others == 0
                ? reason.first
                : QStringLiteral("%1 (%2)").arg(reason.first).arg(reason.second));
    if (others > 0)
        why << QStringLiteral("other reasons (%1)").arg(others);
    return line + QStringLiteral(": ") + why.join(QStringLiteral(", "));
}
