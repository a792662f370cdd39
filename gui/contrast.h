// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// Colours that can be told apart, measured as the Web Content Accessibility
// Guidelines (WCAG 2) measure them: relative luminance and contrast ratio.
class Contrast {
public:
    static constexpr double readable = 4.5; // WCAG AA for body text
    static constexpr double noticeable = 3; // WCAG AA for what is not text, a focus ring included

    // The contrast ratio of two opaque colours, 1 to 21.
    static double ratio(const QColor& a, const QColor& b);
    // The colour as drawn over the background, its alpha applied.
    static QColor over(const QColor& colour, const QColor& background);
    // Black or white, whichever stands out more on the background.
    static QColor extreme(const QColor& background);
    // The colour taken towards black or white (whichever stands out more on
    // the background) by the least mix that reaches a noticeable contrast, as
    // drawn in 8 bits a channel: the hue of the colour is kept.
    static QColor noticeableOn(const QColor& colour, const QColor& background);
};
