// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Text read from a catalogue is data: where it leaves the program, no control
// character reaches a terminal and no name starts a formula in a spreadsheet.
class PlainText {
public:
    // C0 controls but tab, DEL, C1 controls, and the bidirectional
    // embeddings, overrides and isolates.
    static bool isControl(QChar c);
    // Each of those written as \xHH (below U+0100) or \uHHHH; line ends kept.
    static QString escaped(const QString& text);
    // Whether a spreadsheet would run the text as a formula.
    static bool formulaLike(const QString& text);
    // The text with a leading apostrophe when it is formula-like.
    static QString defused(const QString& text);
};
