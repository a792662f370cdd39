// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetlayout.h"

#include "configuration.h"
#include "limiterrules.h"
#include "plaintext.h"
#include "sheetrating.h"
#include "units.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {
const QChar dot(0x00B7);
const double gapPoints = 6; // between a column's texts and the next column
const double cabinetsMillimetres = 25; // the cabinets' column is never narrower

// The file as the catalogue was read from it: its time then, whatever it
// holds by the time the sheet is printed.
QString modified(const QString& path, const QDateTime& when)
{
    return QStringLiteral("%1 (modified %2)")
        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
            when.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
}

const QString columnHeads[] = { QStringLiteral("Cabinets \u00D7 count"), QStringLiteral("Load"),
    QStringLiteral("Threshold"), QStringLiteral("dBV %1 V rms").arg(dot),
    QStringLiteral("Peak %1 attack %1 release").arg(dot) };
const QString separator = QStringLiteral(" %1 ").arg(dot);

// A baseline is four fifths down its line.
double baseline(double top, double height) { return top + 0.8 * height; }

double millimetres(double points) { return points / 72 * 25.4; }
}

SheetLayout::SheetLayout(
    const Catalogue& catalogue, const Sheet::Filter& filter, QPaintDevice& device, int pageCount)
    : catalogue(catalogue)
    , filter(filter)
    , device(device)
    , pageCount(pageCount)
    , listRefused(!filter.acceptedOnly)
    , pt(device.logicalDpiY() / 72.0)
    , width(device.width())
    , lineHeight(11 * pt)
    , titleHeight(20 * pt)
    , rowHeight(14 * pt)
    , groupHeight(15 * pt)
    , refusedHeight(12 * pt)
{
    for (int role = 0; role <= int(Font::Mark); ++role)
        fontMetrics.append(QFontMetricsF(font(Font(role)), &device));
    markWidth = metrics(Font::Mark).horizontalAdvance(QStringLiteral("AMP MAX"));
    // A model's rows in one mode together, and the refused ones too, to be counted.
    this->filter.order = Sheet::ByAmplifier;
    this->filter.acceptedOnly = false;
    setColumns();
    setHeader();
    setFoot();
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

// Each column at least as wide as its head and a usual value (the cabinets'
// no narrower than 25 mm), the peak's after the mark where the page has room
// for it, else on a line of its own under the row from the load's column on.
// Of the width left over the cabinets' column takes half, up to 40 mm more,
// and the load, threshold and dBV a sixth each, up to 12 mm more; the rest is
// the peak's, or left on the right of the mark.
void SheetLayout::setColumns()
{
    const QFontMetricsF& body = metrics(Font::Body);
    const double gap = gapPoints * pt, mm = 72 / 25.4 * pt;
    const auto widest = [&](const QString& head, const QFontMetricsF& font, const QString& value) {
        return std::max(body.horizontalAdvance(head), font.horizontalAdvance(value)) + gap;
    };
    const double least[] = {
        std::max(body.horizontalAdvance(columnHeads[0]), cabinetsMillimetres * mm) + gap,
        widest(columnHeads[1], body, QStringLiteral("5.3 \u03A9 %1 1200 W").arg(dot)),
        widest(columnHeads[2], metrics(Font::Threshold), QStringLiteral("-0.74 dBu")),
        widest(columnHeads[3], body, QStringLiteral("-12.2 dBV %1 0.245 V").arg(dot)),
        markWidth + 4 * pt,
    };
    const double peak = gap
        + widest(columnHeads[4], body, QStringLiteral("-0.74 dBu *~ %1 45 ms %1 720 ms").arg(dot));
    const double sum = std::accumulate(std::begin(least), std::end(least), 0.0);
    if (sum > width) {
        needed = sum;
        return;
    }
    peakUnder = sum + peak > width;
    const double spare = width - sum - (peakUnder ? 0 : peak);
    for (int column = 0; column < 4; ++column)
        columns[column + 1] = columns[column] + least[column]
            + (column == 0 ? std::min(spare / 2, 40 * mm) : std::min(spare / 6, 12 * mm));
    columns[5] = peakUnder ? width : columns[4] + least[4] + gap;
    columns[6] = width;
}

// The title, when and from which files, the column heads and a rule: the same
// on every page. A page too narrow for the columns gets no column heads.
void SheetLayout::setHeader()
{
    const QDir folder(catalogue.folder);
    text(header, Item::Title, QRectF(0, 0, width, titleHeight), Font::Title,
        QStringLiteral("Limiter sheet \u2014 %1").arg(PlainText::escaped(folder.dirName())));
    header.height += 2 * pt;
    const QString head[] = {
        QStringLiteral("Printed %1 by Vantor %2")
            .arg(
                QDate::currentDate().toString(Qt::ISODate), QCoreApplication::applicationVersion()),
        QStringLiteral("Cabinets: ")
            + modified(folder.filePath(Catalogue::cabinetFileName), catalogue.cabinetsModified),
        QStringLiteral("Amplifiers: ")
            + modified(folder.filePath(Catalogue::amplifierFileName), catalogue.amplifiersModified),
    };
    for (const QString& line : head)
        text(header, Item::Head, QRectF(0, header.height, width, lineHeight), Font::Body, line);
    header.height += 6 * pt;
    if (needed > 0)
        return;
    const double top = header.height;
    for (int column = 0; column < 5; ++column)
        text(header, Item::ColumnHead, cell(column, top, lineHeight), Font::Body,
            columnHeads[column], column);
    header.items.append(
        { Item::Rule, 0, QRectF(0, header.height, width, pt), {}, Font::Body, {}, -1, false });
    header.height += 3 * pt;
}

// The legend, its last line beside room for a page number of up to five
// digits (or as many as the sheet has), and where the foot starts.
void SheetLayout::setFoot()
{
    numberWidth = metrics(Font::Body)
                      .horizontalAdvance(QStringLiteral("%1 / %1").arg(std::max(pageCount, 99999)));
    QString line = QStringLiteral("AMP MAX: the amplifier's maximum output sets the threshold.");
    if (listRefused)
        line += QStringLiteral(" In grey: a refused selection and why.");
    const QString lines[] = {
        QStringLiteral("Peak: input level of a sine whose peak reaches the cabinets' peak voltage; "
                       "processors label peaks differently."),
        QStringLiteral("Peak * at the amplifier's maximum, ~ assumed: %1 \u00D7 program power. "
                       "Attack and release from the high-pass; - none given.")
            .arg(LimiterRules::assumedPeakFactor),
        line
    };
    // Laid out where it goes, so that each line starts where the one above ends.
    const auto layOut = [&](double top) {
        legend = Block { {}, top };
        for (const QString& entry : lines)
            if (needed == 0)
                text(legend, Item::Legend,
                    QRectF(0, legend.height,
                        entry == line ? width - numberWidth - gapPoints * pt : width, lineHeight),
                    Font::Body, entry);
    };
    layOut(0);
    // A device unit up, so that the lines' heights added up stay on the page.
    footTop = std::floor(device.height() - std::max(legend.height, lineHeight)) - 1;
    layOut(footTop);
}

bool SheetLayout::run(const std::function<bool(const Page&)>& visit)
{
    this->visit = visit;
    startPage();
    if (needed > 0) {
        // What it takes, rather than columns too narrow for their texts.
        Block notice;
        text(notice, Item::TooNarrow, QRectF(0, 0, width, lineHeight), Font::Body,
            QStringLiteral("This paper is too narrow for the limiter sheet: it needs %1 mm between "
                           "the margins, and this page has %2 mm.")
                .arg(Units::number(std::ceil(millimetres(needed / pt)), 6, 0),
                    Units::number(millimetres(width / pt), 6, 0)));
        place(notice, y);
        return visit(items);
    }
    bool laidOut = true;
    Sheet::forEach(catalogue, filter, [&](const Configuration& c) {
        if (!c.accepted()) {
            ++refused_count;
            if (!listRefused)
                return true;
        }
        return laidOut = addRow(c);
    });
    if (!laidOut || !addRefusedLine())
        return false;
    endPage();
    return visit(items);
}

// The block's items on this page, from `top` down.
void SheetLayout::place(const Block& block, double top)
{
    for (Item item : block.items) {
        item.page = page;
        item.box.translate(0, top);
        item.origin.ry() += top;
        items.append(item);
    }
}

// A text on the line `line` of a block: at the line's baseline when it fits
// the line's width, else wrapped to it, its first baseline where the line's
// would be, its box from the line's top down. The block grows to hold it.
void SheetLayout::text(Block& block, Item::Kind kind, const QRectF& line, Font role,
    const QString& text, int column) const
{
    const QFontMetricsF& font = metrics(role);
    Item item { kind, 0, line, QPointF(line.left(), baseline(line.top(), line.height())), role,
        text, column, false };
    if (font.horizontalAdvance(text) > line.width()) {
        item.text = broken(text, role, line.width());
        QTextLayout layout(item.text, SheetLayout::font(role), &device);
        const double height = wrap(layout, line.width());
        item.origin.ry() = std::max(line.top(), item.origin.y() - font.ascent());
        item.box.setHeight(item.origin.y() - line.top() + height);
        item.wrapped = true;
    }
    block.items.append(item);
    block.height = std::max(block.height, item.box.bottom());
}

// The text on lines of `width`: broken where a " · " parts its numbers, each
// line as full as it goes, the dot left out. Wrapped further only where a
// part alone is too wide, so that a number stays with its unit.
QString SheetLayout::broken(const QString& text, Font role, double width) const
{
    const QFontMetricsF& font = metrics(role);
    const QStringList parts = text.split(separator);
    QString lines = parts.first();
    QString line = lines;
    for (int i = 1; i < parts.size(); ++i) {
        const bool fits = font.horizontalAdvance(line + separator + parts.at(i)) <= width;
        line = fits ? line + separator + parts.at(i) : parts.at(i);
        lines += (fits ? separator : QString(QChar::LineSeparator)) + parts.at(i);
    }
    return lines;
}

// A text of a row or a column head: its column less the gap on its right;
// the peak's to the right edge, after the mark or on the line under the rest.
QRectF SheetLayout::cell(int column, double top, double height) const
{
    if (column == 4)
        return peakUnder ? QRectF(columns[1], top + height, width - columns[1], lineHeight)
                         : QRectF(columns[5], top, width - columns[5], height);
    return QRectF(
        columns[column], top, columns[column + 1] - columns[column] - gapPoints * pt, height);
}

void SheetLayout::startPage()
{
    place(header, 0);
    y = header.height;
}

void SheetLayout::endPage()
{
    items.append({ Item::Rule, page, QRectF(0, footTop - 2 * pt, width, 0.5 * pt), {}, Font::Body,
        {}, -1, false });
    place(legend, 0);
    // On the right of the legend's last line: as wide as it takes, whatever the
    // room kept for it.
    const double top = legend.items.isEmpty() ? footTop : legend.items.last().box.top();
    const QString number = QStringLiteral("%1 / %2").arg(page).arg(pageCount);
    const double advance = metrics(Font::Body).horizontalAdvance(number);
    const double room = std::max(advance, numberWidth);
    items.append({ Item::PageNumber, page, QRectF(width - room, top, room, lineHeight),
        QPointF(width - advance, baseline(top, lineHeight)), Font::Body, number, -1, false });
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
    const Block row = c.accepted() ? acceptedRow(c) : refusedRow(c);
    const QString model = c.amplifier + QLatin1Char('\n') + c.mode.key();
    const bool starts = model != group;
    if (starts) {
        group = model;
        groupHeading = heading(c);
    }
    const int before = page;
    if (!makeRoom(starts ? groupHeading.height + row.height : row.height))
        return false;
    if (starts || page != before) {
        place(groupHeading, y);
        y += groupHeading.height;
    }
    place(row, y);
    y += row.height;
    row_count += c.accepted();
    return true;
}

// "Dynacore D-1200 · ST (Stereo)", the model alone when it has no switch, then
// what its rows assume: on the same line when there is room, else under it.
SheetLayout::Block SheetLayout::heading(const Configuration& c) const
{
    const QString mode
        = c.mode.hasSwitch() ? QStringLiteral(" %1 %2").arg(dot, c.mode.text()) : QString();
    const QFontMetricsF& bold = metrics(Font::Group);
    const QString model
        = elided(PlainText::escaped(c.amplifier), Font::Group, width - bold.horizontalAdvance(mode))
        + mode;
    Block block;
    const double top = 3 * pt, height = groupHeight - 3 * pt;
    const double right = bold.horizontalAdvance(model);
    text(block, Item::Group, QRectF(0, top, right, height), Font::Group, model);
    const QString rating = SheetRating::text(catalogue, filter, c);
    if (!rating.isEmpty()) {
        const QString after = QStringLiteral("%1 %2").arg(dot, rating);
        const double left = right + metrics(Font::Body).horizontalAdvance(QLatin1Char(' '));
        if (left + metrics(Font::Body).horizontalAdvance(after) <= width)
            text(
                block, Item::Amplifier, QRectF(left, top, width - left, height), Font::Body, after);
        else
            text(block, Item::Amplifier, QRectF(0, groupHeight, width, lineHeight), Font::Body,
                rating);
    }
    // A heading on two lines is set off from its rows.
    block.height = block.height > groupHeight ? block.height + 2 * pt : groupHeight;
    return block;
}

// The cabinets and count, the load, the threshold, the same in dBV and volts,
// the mark where the amplifier's maximum sets the threshold, and the peak
// threshold, its signs (* at the amplifier's maximum, ~ assumed), the attack
// and the release.
SheetLayout::Block SheetLayout::acceptedRow(const Configuration& c) const
{
    QString signs = c.peak_at_max ? QStringLiteral(" *") : QString();
    if (c.peak_assumed)
        signs += signs.isEmpty() ? QStringLiteral(" ~") : QStringLiteral("~");
    const QString texts[] = {
        cabinets(c),
        QStringLiteral("%1 %2 %3").arg(Units::ohms(c.imp_equiv, 2), dot, Units::watts(c.pow_equiv)),
        c.thresholdText(),
        QStringLiteral("%1 %2 %3").arg(c.thresholdDbvText(), dot, c.thresholdVoltsText()),
        c.peakThresholdText() + signs + separator + c.attackText() + separator + c.releaseText(),
    };
    Block block;
    // The mark on the row's baseline, in a box a point short of the row's top
    // and bottom; the items go in order from the top.
    const auto mark = [&] {
        const QRectF box(columns[4], pt, markWidth + 4 * pt, rowHeight - 2 * pt);
        if (c.at_max)
            block.items.append(
                { Item::Mark, 0, box, QPointF(box.left() + 2 * pt, baseline(0, rowHeight)),
                    Font::Mark, QStringLiteral("AMP MAX"), -1, false });
    };
    for (int column = 0; column < 4; ++column)
        text(block, Item::Row, cell(column, 0, rowHeight),
            column == 2 ? Font::Threshold : Font::Body, texts[column], column);
    if (peakUnder) // under the longest of the other texts
        mark();
    text(block, Item::Row, cell(4, 0, peakUnder ? block.height : rowHeight), Font::Body, texts[4],
        4);
    if (!peakUnder)
        mark();
    // A row that takes more lines is set off from the next.
    block.height = block.height > rowHeight ? block.height + 2 * pt : rowHeight;
    return block;
}

// "Delia 8 × 3" and "refused: below 4 Ω" across the other columns, in grey.
SheetLayout::Block SheetLayout::refusedRow(const Configuration& c) const
{
    QString reason = c.reason();
    if (reason.isEmpty())
        reason = QStringLiteral("no threshold to set");
    Block block;
    text(block, Item::RefusedRow, cell(0, 0, refusedHeight), Font::Body, cabinets(c), 0);
    text(block, Item::RefusedRow, QRectF(columns[1], 0, width - columns[1], refusedHeight),
        Font::Body, QStringLiteral("refused: ") + reason, 1);
    block.height = block.height > refusedHeight ? block.height + 2 * pt : refusedHeight;
    return block;
}

// How many were refused, a little below the rows.
bool SheetLayout::addRefusedLine()
{
    QString line = QStringLiteral("%1 refused").arg(refused_count);
    if (refused_count > 0)
        line += listRefused ? QStringLiteral(", each in grey under its amplifier")
                            : QStringLiteral(", not listed");
    Block block;
    text(block, Item::Refused, QRectF(0, 6 * pt, width, lineHeight), Font::Body, line);
    if (!makeRoom(block.height))
        return false;
    place(block, y);
    y += block.height;
    return true;
}

// "Delia 8 × 2": the name elided to leave the count its room, never the count.
QString SheetLayout::cabinets(const Configuration& c) const
{
    const QString count = QStringLiteral(" \u00D7 %1").arg(c.count);
    const double room = cell(0, 0, 0).width() - metrics(Font::Body).horizontalAdvance(count);
    return elided(PlainText::escaped(c.cabinetName), Font::Body, room) + count;
}

// The name, elided in the middle when wider than `room`.
QString SheetLayout::elided(const QString& name, Font role, double room) const
{
    const QFontMetricsF& font = metrics(role);
    return font.horizontalAdvance(name) <= room ? name
                                                : font.elidedText(name, Qt::ElideMiddle, room);
}
