// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The limiter sheet on paper, for the rack: a header naming the catalogue that
// made it, then the accepted selections of the filter grouped by amplifier
// model and mode, one row each (cabinets and count, load, the threshold large
// and bold, dBV and volts, a mark where the amplifier's maximum sets it), and a
// last line counting the refused ones and why. Pages are laid out and drawn
// one at a time from the sheet's row stream (Sheet::forEach, by amplifier):
// once to count them, for the "1 / 2" at the foot, once to draw them. The same
// pages go to a PDF, a printer or a print preview: whatever QPagedPaintDevice
// is given, in its page's paint area.
class SheetPages {
public:
    // One line of the sheet as laid out: a group's heading (its model and mode),
    // a row (its cabinets and count, load, threshold, dBV and volts, and the
    // mark, empty when the amplifier is below its maximum) or the refused line.
    struct Line {
        enum Kind { Group, Row, Refused };
        Kind kind;
        int page; // from 1
        QStringList texts;
    };

    SheetPages(const Catalogue& catalogue, const Sheet::Filter& filter);

    // Lays the sheet out for pages of the device, drawing nothing; `visit`
    // sees each line. Sets pages(), rows() and refused().
    void layout(QPaintDevice& device, const std::function<void(const Line&)>& visit = {});
    // Draws every page on the device through the painter, begun on it.
    // Returns false when a page cannot be started.
    bool paint(QPainter& painter, QPagedPaintDevice& device);
    // The sheet as PDF, on A4 or, where the locale measures in inches, Letter.
    // Returns false when it cannot be written (the device's errorString() says why).
    bool writePdf(QIODevice& file);
    static QPageLayout pdfPageLayout();

    int pages() const { return page_count; }
    int rows() const { return row_count; }
    int refused() const { return refused_count; }

private:
    bool run(QPaintDevice& device, QPainter* painter, QPagedPaintDevice* pages,
        const std::function<void(const Line&)>& visit);

    const Catalogue& catalogue;
    Sheet::Filter filter;
    int page_count = 0;
    int row_count = 0;
    int refused_count = 0;
};
