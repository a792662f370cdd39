// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CatalogueReport;
class QWidget;

// The box that tells what is wrong with a catalogue: over the window, with
// the report's lead and as many of its problems, at most 20, as keep it
// within the screen when its details (every problem) are shown too.
class ProblemsBox {
public:
    static constexpr int mostListed = 20;

    // Shows the box over `window` and waits for the user; nothing when the
    // report has nothing to tell.
    static void exec(QWidget* window, const CatalogueReport& report);
};
