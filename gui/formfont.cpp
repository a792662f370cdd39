// SPDX-License-Identifier: GPL-3.0-or-later
#include "formfont.h"

#include <QFontInfo>
#include <QFontMetricsF>

namespace {
const qreal lineHeight = 13;
// A width yardstick, not a line any form shows: the sentence that was once the
// User Guide's longest line, which the forms' font must fit in 451 pixels. The
// guide now wraps its text; the yardstick stays so that no form's font changes.
const qreal guideWidth = 451;
const char* const guideLongestLine
    = "power that the cabinet is able to manage exceeds the maximum power of the amplifier. ";
}

// Lines grow about in step with the size, so the search starts where the
// desktop's size says they fit: each size tried costs a font load.
QFont FormFont::fitting(const QFont& desktop, qreal zoom)
{
    const QFontMetricsF own(desktop);
    const int ownPixels = qRound(QFontInfo(desktop).pixelSize() * zoom);
    const qreal height = lineHeight * zoom;
    const qreal width = guideWidth * zoom;
    const qreal scale = qMin(
        height / own.height(), width / own.horizontalAdvance(QLatin1String(guideLongestLine)));
    // A desktop font below the smallest size, zoomed down, stays at the smallest.
    int pixels = qBound(smallestPixelSize,
        static_cast<int>(QFontInfo(desktop).pixelSize() * scale) + 1,
        qMax(smallestPixelSize, ownPixels));
    QFont font = desktop;
    for (; pixels > smallestPixelSize; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        if (metrics.height() <= height
            && metrics.horizontalAdvance(QLatin1String(guideLongestLine)) <= width)
            break;
    }
    font.setPixelSize(pixels);
    return font;
}
