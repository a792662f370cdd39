// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"

#include <QFont>
#include <QFontMetricsF>
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
// selections grouped by amplifier model and mode, a group's heading (with the
// gain and maximum voltage its thresholds assume) repeated at the top of a
// page its rows go on to, a refused selection in grey in its group with the
// reason, and at the foot a rule, the legend and the page number. The last
// page ends with the count of the refused. The rows come one at a time from
// the sheet's row stream (Sheet::forEach, by amplifier) and a page is handed
// on once full, so that a sheet of any length takes no more memory than one
// page.
//
// The columns share the page's width, the cabinets' column taking the most;
// the last, the peak threshold with its attack and release, goes on a line
// under the rest of its row where the page is too narrow for it beside them.
// No text is cut: a cabinet or model name too long for its room is elided in
// the middle, any other text (a number above all) goes on to a second line.
// A page too narrow for the narrowest columns gets a line that says so
// instead of the rows.
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
            Group, // a model and its mode: the heading of its rows
            Amplifier, // the rest of the heading: the gain and maximum voltage the rows assume
            Row, // one of a row's texts, in its column
            Mark, // "AMP MAX" white on black: the amplifier's maximum sets the threshold
            RefusedRow, // grey: a refused selection's cabinets (column 0), then why (column 1)
            Refused, // after the rows: how many were refused
            Legend, // at the foot: what the marks, the grey and the peak threshold mean
            PageNumber, // at the foot, on the right: "page / pages"
            TooNarrow, // instead of the rows: the paper is too narrow for the columns
        };
        Kind kind;
        int page; // from 1
        QRectF box; // where it is drawn; a text on one line fits its width
        QPointF origin; // the left end of a text's baseline; of a wrapped one, its top left
        SheetLayout::Font font;
        QString text; // drawn as it is: a name too long is elided here
        // Of a row's text or a column head: 0 cabinets, 1 load, 2 threshold, 3 dBV, 4 peak
        // threshold, attack and release.
        int column;
        bool wrapped; // drawn on as many lines as the box's width takes, from its top
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
    // Items laid out from the top of a block, to go on a page once there is room.
    struct Block {
        QVector<Item> items;
        double height = 0;
    };

    void setColumns();
    void setHeader();
    void setFoot();
    void startPage();
    void endPage();
    bool makeRoom(double height);
    void place(const Block& block, double top);
    bool addRow(const Configuration& c);
    Block heading(const Configuration& c) const;
    Block acceptedRow(const Configuration& c) const;
    Block refusedRow(const Configuration& c) const;
    bool addRefusedLine();
    void text(Block& block, Item::Kind kind, const QRectF& line, Font role, const QString& text,
        int column = -1) const;
    QString broken(const QString& text, Font role, double width) const;
    QRectF cell(int column, double top, double height) const;
    QString cabinets(const Configuration& c) const;
    QString elided(const QString& name, Font role, double room) const;
    const QFontMetricsF& metrics(Font role) const { return fontMetrics.at(int(role)); }

    const Catalogue& catalogue;
    Sheet::Filter filter;
    QPaintDevice& device;
    const int pageCount;
    const bool listRefused; // in grey in their groups; not when only the accepted are asked for
    QVector<QFontMetricsF> fontMetrics; // of each Font on the device, by its value
    // One point in device units; the page's width, where its foot starts and
    // how much room it leaves the page number.
    const double pt, width;
    double footTop = 0, numberWidth = 0;
    // Texts are set on lines of these heights, whatever the font's own spacing:
    // 36 rows in six groups fit a Letter page.
    const double lineHeight, titleHeight, rowHeight, groupHeight, refusedHeight;
    // Where each of a row's first four texts starts, the mark, the peak's text,
    // and the right edge.
    double columns[7] = {};
    double markWidth; // of the mark's text
    bool peakUnder = false; // the peak's text on a line under the row's others
    double needed = 0; // the narrowest page the columns fit, when wider than this one
    Block header, legend; // laid out once, placed on every page

    std::function<bool(const Page&)> visit;
    Page items; // of the page being laid out
    int page = 1;
    double y = 0; // where the next item goes on the page
    QString group; // the model and mode of the rows being laid out
    Block groupHeading; // theirs
    int row_count = 0;
    int refused_count = 0;
};
