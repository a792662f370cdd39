// SPDX-License-Identifier: GPL-3.0-or-later
#include "formzoom.h"

#include "formstyle.h"

#include <QGridLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QWindow>

#include <iterator>

namespace {
const int steps[] = { 75, 90, 100, 110, 125, 150, 175, 200 };
const int designHeight = 461; // of the window at Actual Size, its menu bar included
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

QSize FormZoom::windowSize(int percent) const
{
    const int menu = window->menuBar()->sizeHint().height();
    // The status bar's font is the form's: at another zoom it grows with it.
    const int status = (window->statusBar()->sizeHint().height() * percent + shown - 1) / shown;
    return QSize(
        scaled(designWidth, percent), menu + scaled(designHeight - menu, percent) + status);
}

int FormZoom::fitting(int percent) const
{
    const QRect room = window->screen()->availableGeometry();
    const QWindow* handle = window->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    while (percent > smallest) {
        const QSize size = windowSize(percent) + frameSize;
        if (size.width() <= room.width() && size.height() <= room.height())
            break;
        --percent;
    }
    return percent;
}

QRect FormZoom::zoomed(const QRect& rect, int percent)
{
    return QRect(QPoint(scaled(rect.left(), percent), scaled(rect.top(), percent)),
        QPoint(scaled(rect.right() + 1, percent) - 1, scaled(rect.bottom() + 1, percent) - 1));
}

void FormZoom::keep(QMainWindow* window, QWidget* form, const QVector<QGridLayout*>& grids)
{
    this->window = window;
    this->form = form;
    for (QWidget* widget : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        places.insert(widget, widget->geometry());
    this->grids = grids;
}

void FormZoom::apply(int percent)
{
    shown = percent;
    const QFont font = FormStyle::formFont(percent / 100.0);
    form->setFont(font);
    window->statusBar()->setFont(font);
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        it.key()->setGeometry(zoomed(it.value(), percent));
    for (QGridLayout* grid : grids)
        grid->setSpacing(scaled(designSpacing, percent));
}
