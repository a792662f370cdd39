// SPDX-License-Identifier: GPL-3.0-or-later
#include "formzoom.h"

#include <QGridLayout>
#include <QWidget>

#include <iterator>

namespace {
const int steps[] = { 75, 90, 100, 110, 125, 150, 175, 200 };
const int designHeight = 437; // of the window at Actual Size, its menu bar included
const int designWidth = 413;
const int designSpacing = 6; // of the form's two grids

int scaled(int value, int percent) { return (value * percent + 50) / 100; }
}

int FormZoom::stepIn(int percent)
{
    for (const int step : steps)
        if (step > percent)
            return step;
    return percent;
}

int FormZoom::stepOut(int percent)
{
    for (auto step = std::rbegin(steps); step != std::rend(steps); ++step)
        if (*step < percent)
            return *step;
    return percent;
}

QSize FormZoom::windowSize(int percent, int menuHeight, int statusHeight)
{
    return QSize(scaled(designWidth, percent),
        menuHeight + scaled(designHeight - menuHeight, percent) + statusHeight);
}

QRect FormZoom::zoomed(const QRect& rect, int percent)
{
    return QRect(QPoint(scaled(rect.left(), percent), scaled(rect.top(), percent)),
        QPoint(scaled(rect.right() + 1, percent) - 1, scaled(rect.bottom() + 1, percent) - 1));
}

void FormZoom::keep(QWidget* form, const QVector<QGridLayout*>& grids)
{
    for (QWidget* widget : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        places.insert(widget, widget->geometry());
    this->grids = grids;
}

void FormZoom::apply(int percent) const
{
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        it.key()->setGeometry(zoomed(it.value(), percent));
    for (QGridLayout* grid : grids)
        grid->setSpacing(scaled(designSpacing, percent));
}
