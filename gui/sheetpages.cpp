// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpages.h"

#include "configuration.h"
#include "plaintext.h"
#include "units.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QVector>

#include <algorithm>

namespace {
const QChar dot(0x00B7);
const int reasonsNamed = 6; // the refused line names at most these, by their counts

QFont font(double points, bool bold = false)
{
    QFont font(QStringLiteral("sans-serif"));
    // No ligatures: the PDF's text is what a reader searches and copies.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

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

// How many were refused and why, the most frequent reasons first.
QString refusedLine(int refused, const QVector<QPair<QString, int>>& reasons, int others)
{
    QString line = QStringLiteral("%1 refused").arg(refused);
    if (refused == 0)
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
}

SheetPages::SheetPages(const Catalogue& catalogue, const Sheet::Filter& filter)
    : catalogue(catalogue)
    , filter(filter)
{
    this->filter.order = Sheet::ByAmplifier;
    this->filter.acceptedOnly = false;
}

QPageLayout SheetPages::pdfPageLayout()
{
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

void SheetPages::layout(QPaintDevice& device, const std::function<void(const Line&)>& visit)
{
    run(device, nullptr, nullptr, visit);
}

bool SheetPages::paint(QPainter& painter, QPagedPaintDevice& device)
{
    run(device, nullptr, nullptr, {}); // the pages, for the foot of each
    return run(device, &painter, &device, {});
}

bool SheetPages::writePdf(QIODevice& file)
{
    QPdfWriter writer(&file);
    writer.setPageLayout(pdfPageLayout());
    writer.setCreator(QStringLiteral("Vantor %1").arg(QCoreApplication::applicationVersion()));
    writer.setTitle(QStringLiteral("Limiter sheet"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const bool drawn = paint(painter, writer);
    return painter.end() && drawn;
}

bool SheetPages::run(QPaintDevice& device, QPainter* painter, QPagedPaintDevice* pages,
    const std::function<void(const Line&)>& visit)
{
    const double pt = device.logicalDpiY() / 72.0;
    const double width = device.width(), bottom = device.height();
    const QFont body = font(9), title = font(15, true), group = font(10, true),
                threshold = font(12, true), mark = font(9, true);
    // Lines at fixed pitches, whatever the font's own spacing: 36 rows in six
    // groups fit a Letter page. A baseline is four fifths down its line.
    const double line = 11 * pt, titleHeight = 20 * pt, rowHeight = 14 * pt, groupHeight = 15 * pt;
    const auto baseline = [](double top, double height) { return top + 0.8 * height; };
    const double footTop = bottom - line;
    // Where each of a row's texts starts: the cabinets take what the others leave.
    const double columns[]
        = { 0.0, width - 344 * pt, width - 258 * pt, width - 170 * pt, width - 54 * pt, width };
    const auto x = [&](int column) { return columns[column]; };

    const QString folder = QDir(catalogue.folder).dirName();
    const QStringList head {
        QStringLiteral("Printed %1 by Vantor %2")
            .arg(
                QDate::currentDate().toString(Qt::ISODate), QCoreApplication::applicationVersion()),
        QStringLiteral("Cabinets: ")
            + modified(QDir(catalogue.folder).filePath(Catalogue::cabinetFileName)),
        QStringLiteral("Amplifiers: ")
            + modified(QDir(catalogue.folder).filePath(Catalogue::amplifierFileName)),
    };
    const QStringList columnHeads { QStringLiteral("Cabinets \u00D7 count"), QStringLiteral("Load"),
        QStringLiteral("Threshold"), QStringLiteral("dBV %1 V rms").arg(dot), QString() };

    // Text in a box, elided in the middle when it does not fit; always plain text.
    const auto text = [&](const QFont& font, double left, double baseline, double room,
                          const QString& what, Qt::Alignment align = Qt::AlignLeft) {
        if (!painter)
            return;
        const QFontMetricsF metrics(font, &device);
        const double advance = metrics.horizontalAdvance(what);
        const QString shown
            = advance <= room ? what : metrics.elidedText(what, Qt::ElideMiddle, room);
        const double shift = align == Qt::AlignRight
            ? room - (advance <= room ? advance : metrics.horizontalAdvance(shown))
            : 0;
        painter->setFont(font);
        painter->drawText(QPointF(left + shift, baseline), shown);
    };
    const auto rule = [&](double y, double thickness) {
        if (painter)
            painter->fillRect(QRectF(0, y, width, thickness * pt), Qt::black);
    };

    int page = 1;
    double y = 0;
    const auto startPage = [&] {
        y = 0;
        text(title, 0, baseline(0, titleHeight), width,
            QStringLiteral("Limiter sheet \u2014 %1").arg(PlainText::escaped(folder)));
        y += titleHeight + 2 * pt;
        for (const QString& what : head) {
            text(body, 0, baseline(y, line), width, what);
            y += line;
        }
        y += 6 * pt;
        for (int column = 0; column < 4; ++column)
            text(body, x(column), baseline(y, line), x(column + 1) - x(column) - 4 * pt,
                columnHeads.at(column));
        y += line;
        rule(y, 1);
        y += 2 * pt;
    };
    const auto endPage = [&] {
        rule(footTop - 2 * pt, 0.5);
        text(body, 0, baseline(footTop, line), x(4),
            QStringLiteral("AMP MAX: the amplifier's maximum output sets the threshold"));
        text(body, x(4), baseline(footTop, line), width - x(4),
            QStringLiteral("%1 / %2").arg(page).arg(page_count), Qt::AlignRight);
    };
    // Room for `height` more on this page, else a new one; false when it cannot be started.
    const auto room = [&](double height) {
        if (y + height <= footTop - 4 * pt)
            return true;
        endPage();
        ++page;
        if (pages && !pages->newPage())
            return false;
        startPage();
        return true;
    };
    const auto tell = [&](Line::Kind kind, const QStringList& texts) {
        if (visit)
            visit(Line { kind, page, texts });
    };

    startPage();
    QString current; // the heading of the rows being laid out
    int rows = 0, refused = 0, others = 0;
    QVector<QPair<QString, int>> reasons;
    bool started = true;
    Sheet::forEach(catalogue, filter, [&](const Configuration& c) {
        if (!c.accepted()) {
            ++refused;
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
            return true;
        }
        const QString name = heading(c);
        const int before = page;
        if (!(started = room(name == current ? rowHeight : groupHeight + rowHeight)))
            return false;
        if (name != current || page != before) {
            current = name;
            text(group, 0, baseline(y + 3 * pt, groupHeight - 3 * pt), width, name);
            tell(Line::Group, { name });
            y += groupHeight;
        }
        const QStringList texts {
            QStringLiteral("%1 \u00D7 %2").arg(PlainText::escaped(c.cabinetName)).arg(c.count),
            QStringLiteral("%1 %2 %3")
                .arg(Units::ohms(c.imp_equiv, 2), dot, Units::watts(c.pow_equiv)),
            c.thresholdText(),
            QStringLiteral("%1 %2 %3").arg(c.thresholdDbvText(), dot, c.thresholdVoltsText()),
            c.at_max ? QStringLiteral("AMP MAX") : QString()
        };
        const double base = baseline(y, rowHeight);
        for (int column = 0; column < 4; ++column)
            text(column == 2 ? threshold : body, x(column), base,
                x(column + 1) - x(column) - 4 * pt, texts.at(column));
        if (c.at_max && painter) {
            const QFontMetricsF metrics(mark, &device);
            const QRectF box(
                x(4), y + pt, metrics.horizontalAdvance(texts.at(4)) + 4 * pt, rowHeight - 2 * pt);
            painter->fillRect(box, Qt::black);
            painter->setPen(Qt::white);
            text(mark, box.left() + 2 * pt, base, box.width(), texts.at(4));
            painter->setPen(Qt::black);
        }
        tell(Line::Row, texts);
        y += rowHeight;
        ++rows;
        return true;
    });
    if (!started)
        return false;

    // The refused line, wrapped to the width.
    const QString last = refusedLine(refused, reasons, others);
    QTextLayout layout(last, body, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    for (QTextLine wrapped = layout.createLine(); wrapped.isValid();
         wrapped = layout.createLine()) {
        wrapped.setLineWidth(width);
        wrapped.setPosition(QPointF(0, height));
        height += wrapped.height();
    }
    layout.endLayout();
    if (!room(height + 6 * pt))
        return false;
    y += 6 * pt;
    if (painter)
        layout.draw(painter, QPointF(0, y));
    tell(Line::Refused, { last });
    endPage();
    page_count = page;
    row_count = rows;
    refused_count = refused;
    return true;
}
