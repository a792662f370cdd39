// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// A window that opens within the screen's room: no larger than the screen's
// available area, its frame allowed for, whatever the text size; what it
// holds then scrolls or shrinks with its layout.
class ScreenFit {
public:
    // Call once the window is built, before it is shown; the screen is its
    // parent's, or the primary one.
    static void fit(QWidget* window);
};
