// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

// The font of Vantor's fixed forms: the desktop's family at the largest pixel
// size, at most the desktop's own, whose lines fit the forms' tightest rows
// (13 pixels high) and a yardstick line of text in 451 pixels, all
// of them drawn `zoom` times as large; never below 8 pixels.
class FormFont {
public:
    static constexpr int smallestPixelSize = 8;

    static QFont fitting(const QFont& desktop, qreal zoom = 1);
};
