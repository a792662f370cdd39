// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"
#include "sheetlayout.h"

#include <QPageLayout>
#include <QString>

#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The limiter sheet on paper, for the rack: the pages SheetLayout lays out,
// drawn as it hands them on, one at a time. The sheet is laid out twice: once
// to count the pages, for the "1 / 2" at the foot, once to draw them. The same
// pages go to a PDF, a printer or a print preview: whatever QPagedPaintDevice
// is given, in its page's paint area.
class SheetPages {
public:
    SheetPages(const Catalogue& catalogue, const Sheet::Filter& filter);

    // Lays the sheet out for pages of the device, drawing nothing; `visit`
    // sees each item. Sets pages(), rows() and refused().
    void layout(
        QPaintDevice& device, const std::function<void(const SheetLayout::Item&)>& visit = {});
    // Draws every page on the device through the painter, begun on it.
    // Returns false when a page cannot be started.
    bool paint(QPainter& painter, QPagedPaintDevice& device);
    // The sheet as PDF, on A4 or, where the locale measures in inches, Letter.
    // Returns false when it cannot be written (the device's errorString() says why).
    bool writePdf(QIODevice& file);
    // The same on the paper, orientation and margins of `pageLayout`.
    bool writePdf(QIODevice& file, const QPageLayout& pageLayout);
    static QPageLayout pdfPageLayout();
    // The same margins on "A4", "Letter" or "A5" (else the default paper),
    // upright or turned on its side.
    static QPageLayout pdfPageLayout(const QString& paper, bool landscape);

    int pages() const { return page_count; }
    int rows() const { return row_count; }
    int refused() const { return refused_count; }

private:
    const Catalogue& catalogue;
    Sheet::Filter filter;
    int page_count = 0;
    int row_count = 0;
    int refused_count = 0;
};
