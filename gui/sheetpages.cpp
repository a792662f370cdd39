// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpages.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

namespace {
using Item = SheetLayout::Item;

// A refused selection's line: lighter than the rows, still readable on paper.
const QColor refusedGrey(0x66, 0x66, 0x66);

// An item as the layout set it: a text whole (a name elided already), on its
// baseline or wrapped from the top of its box; always plain text.
void draw(QPainter& painter, QPaintDevice& device, const QFont& font, const Item& item)
{
    switch (item.kind) {
    case Item::Rule:
        painter.fillRect(item.box, Qt::black);
        return;
    case Item::Mark:
        painter.fillRect(item.box, Qt::black);
        painter.setPen(Qt::white);
        break;
    case Item::RefusedRow:
        painter.setPen(refusedGrey);
        break;
    default:
        painter.setPen(Qt::black);
    }
    if (item.wrapped) {
        QTextLayout layout(item.text, font, &device);
        SheetLayout::wrap(layout, item.box.width());
        layout.draw(&painter, item.origin);
    } else {
        painter.setFont(font);
        painter.drawText(item.origin, item.text);
    }
}
}

SheetPages::SheetPages(const Catalogue& catalogue, const Sheet::Filter& filter)
    : catalogue(catalogue)
    , filter(filter)
{
}

QPageLayout SheetPages::pdfPageLayout()
{
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(inches ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

QPageLayout SheetPages::pdfPageLayout(const QString& paper, bool landscape)
{
    QPageLayout layout = pdfPageLayout();
    if (paper == QLatin1String("A4"))
        layout.setPageSize(QPageSize(QPageSize::A4));
    else if (paper == QLatin1String("Letter"))
        layout.setPageSize(QPageSize(QPageSize::Letter));
    else if (paper == QLatin1String("A5"))
        layout.setPageSize(QPageSize(QPageSize::A5));
    layout.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return layout;
}

void SheetPages::layout(
    QPaintDevice& device, const std::function<void(const SheetLayout::Item&)>& visit)
{
    SheetLayout sheet(catalogue, filter, device, page_count);
    sheet.run([&](const SheetLayout::Page& page) {
        if (visit) {
            for (const Item& item : page)
                visit(item);
        }
        return true;
    });
    page_count = sheet.pages();
    row_count = sheet.rows();
    refused_count = sheet.refused();
}

bool SheetPages::paint(QPainter& painter, QPagedPaintDevice& device)
{
    layout(device); // the pages, for the foot of each
    QFont fonts[5];
    for (int role = 0; role < 5; ++role)
        fonts[role] = SheetLayout::font(SheetLayout::Font(role));
    return SheetLayout(catalogue, filter, device, page_count)
        .run([&](const SheetLayout::Page& page) {
            if (page.first().page > 1 && !device.newPage())
                return false;
            for (const Item& item : page)
                draw(painter, device, fonts[int(item.font)], item);
            return true;
        });
}

bool SheetPages::writePdf(QIODevice& file) { return writePdf(file, pdfPageLayout()); }

bool SheetPages::writePdf(QIODevice& file, const QPageLayout& pageLayout)
{
    QPdfWriter writer(&file);
    writer.setPageLayout(pageLayout);
    writer.setCreator(QStringLiteral("Vantor %1").arg(QCoreApplication::applicationVersion()));
    writer.setTitle(QStringLiteral("Limiter sheet"));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const bool drawn = paint(painter, writer);
    return painter.end() && drawn;
}
