// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"

#include <QFont>
#include <QPair>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPaintDevice;
class QTextLayout;

// The limiter sheet laid out for the pages of a paint device, drawing nothing:
// each page as the items drawn on it, in the order they are drawn, with their
// boxes in the device's units. On every page a header (the title, when and
// from which files the sheet was made, the column heads and a rule), then the
// accepted selections grouped by amplifier model and mode, a group's heading
// repeated at the top of a page its rows go on to, and at the foot a rule, the
// legend of the mark and the page number. The last page ends with the refused
// line. The rows come one at a time from the sheet's row stream (Sheet::forEach,
// by amplifier) and a page is handed on once full, so that a sheet of any length
// takes no more memory than one page.
class SheetLayout {
public:
    // Which of the sheet's fonts a text is drawn in.
    enum class Font { Body, Title, Group, Threshold, Mark };

    struct Item {
        enum Kind {
            Title, // the sheet's title, at the top of every page
            Head, // a line of the header: when it was printed, then the two files
            ColumnHead, // the heading of a column of the rows
            Rule, // a black bar across the page: under the column heads, over the foot
            Group, // the heading of a model's rows in one mode
            Row, // one of a row's texts, in its column
            Mark, // "AMP MAX" white on black: the amplifier's maximum sets the threshold
            Refused, // how many were refused and why, wrapped to the width of the page
            Legend, // at the foot: what the mark means
            PageNumber, // at the foot, on the right: "page / pages"
        };
        Kind kind;
        int page; // from 1
        QRectF box; // where it is drawn; a text is elided in the middle to the box's width
        QPointF origin; // the left end of a text's baseline; the top left of the refused line
        SheetLayout::Font font;
        QString text;
        int column; // of a row's text or a column head: 0 cabinets, 1 load, 2 threshold, 3 dBV
        Qt::Alignment alignment;
    };
    using Page = QVector<Item>;

    // `pageCount` is the number of pages at the foot of each ("1 / 2"): that of
    // an earlier layout of the same sheet on the same device, or 0.
    SheetLayout(const Catalogue& catalogue, const Sheet::Filter& filter, QPaintDevice& device,
        int pageCount = 0);

    // Lays the sheet out (once: a layout is not run again), handing each page to
    // `visit` once it is full. Stops and returns false when `visit` returns false.
    bool run(const std::function<bool(const Page&)>& visit);

    // Once run: the pages, the rows (accepted selections) and the refused ones.
    int pages() const { return page; }
    int rows() const { return row_count; }
    int refused() const { return refused_count; }

    static QFont font(Font role);
    // Wraps the layout's text to lines of `width`, one under the other from the
    // top; returns their height. Begins and ends the layout.
    static double wrap(QTextLayout& layout, double width);

private:
    void startPage();
    void endPage();
    bool makeRoom(double height);
    bool addRow(const Configuration& c);
    void tally(const Configuration& c);
    bool addRefusedLine();
    QString refusedLine() const;
    void add(Item::Kind kind, const QRectF& box, Font font = Font::Body, const QString& text = {},
        int column = -1, Qt::Alignment alignment = Qt::AlignLeft);
    QRectF cell(int column, double height) const;

    const Catalogue& catalogue;
    Sheet::Filter filter;
    QPaintDevice& device;
    const int pageCount;
    // One point in device units; the page's width and where its foot starts.
    const double pt, width, footTop;
    // Texts are set on lines of these heights, whatever the font's own spacing:
    // 36 rows in six groups fit a Letter page.
    const double lineHeight, titleHeight, rowHeight, groupHeight;
    // Where each of a row's texts starts, and the mark, and the right edge.
    double columns[6];
    double markWidth; // of the mark's text
    QString title;
    QStringList head;
    QStringList columnHeads;

    std::function<bool(const Page&)> visit;
    Page items; // of the page being laid out
    int page = 1;
    double y = 0; // where the next item goes on the page
    QString group; // the heading of the rows being laid out
    int row_count = 0;
    int refused_count = 0;
    QVector<QPair<QString, int>> reasons; // the refusals' reasons and their counts
    int others = 0; // the refused for a reason not among the reasons
};
