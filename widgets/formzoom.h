// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QRect>
#include <QVector>

class QGridLayout;
class QMainWindow;
class QWidget;

// The main window's fixed form drawn `percent` times its size: every widget's
// place and the grids' spacing scaled from the form's own, which it keeps, and
// the window's size to match, never beyond the screen's room.
class FormZoom {
public:
    static constexpr int smallest = 75;
    static constexpr int largest = 200;

    // The next step of View > Zoom In (75, 90, 100, 110, 125, 150, 175, 200)
    // above `percent`, or of Zoom Out below it; `percent` where there is none.
    static int stepIn(int percent);
    static int stepOut(int percent);
    // The form's pixels at `percent`.
    static QRect zoomed(const QRect& rect, int percent);

    // Keeps the place of each child of the window's form, and the grids, at
    // Actual Size.
    void keep(QMainWindow* window, QWidget* form, const QVector<QGridLayout*>& grids);
    // The window's size at `percent`: the form scaled, the menu bar and the
    // status bar as tall as the desktop draws them.
    QSize windowSize(int percent) const;
    // The largest zoom up to `percent` at which the window and its frame fit
    // the screen's room, not below the smallest.
    int fitting(int percent) const;
    // Places them `percent` times as large, the form and the status bar in
    // the forms' font at that size.
    void apply(int percent);

private:
    QMainWindow* window = nullptr;
    QWidget* form = nullptr;
    QHash<QWidget*, QRect> places;
    QVector<QGridLayout*> grids;
    int shown = 100; // the zoom last applied
};
