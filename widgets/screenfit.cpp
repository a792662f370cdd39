// SPDX-License-Identifier: GPL-3.0-or-later
#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
// A frame's room while the window manager has not yet drawn one: a title bar
// and borders as usual desktops draw them at twice the usual size.
const QSize usualFrame(16, 64);
}

void ScreenFit::fit(QWidget* window)
{
    const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QWindow* framed = parent ? parent->windowHandle() : nullptr;
    const QMargins margins = framed ? framed->frameMargins() : QMargins();
    const QSize frame = margins.isNull()
        ? usualFrame
        : QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
    const QSize room = screen->availableGeometry().size() - frame;
    QSize size = window->size();
    if (!window->testAttribute(Qt::WA_Resized))
        size = window->sizeHint().expandedTo(window->minimumSizeHint());
    window->setMaximumSize(window->maximumSize().boundedTo(room));
    window->resize(size.boundedTo(room));
}
