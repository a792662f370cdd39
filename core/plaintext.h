// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Text read from a catalogue is data: where it leaves the program, no control
// character reaches a terminal, no invisible character hides in it and no
// name starts a formula in a spreadsheet.
class PlainText {
public:
    // C0 controls but tab, DEL, C1 controls, and the bidirectional
    // embeddings, overrides and isolates.
    static bool isControl(QChar c);
    // Characters of no width that make two different names look the same:
    // zero-width space, non-joiner and joiner, word joiner, and U+FEFF.
    static bool isInvisible(QChar c);
    // Each control or invisible character written as \xHH (below U+0100) or
    // \uHHHH, and a backslash as \\, so that what is printed reads back one
    // way; line ends kept.
    static QString escaped(const QString& text);
    // Whether a spreadsheet would run the text as a formula.
    static bool formulaLike(const QString& text);
    // The text with a leading apostrophe when it is formula-like.
    static QString defused(const QString& text);
    // "U+200B", as problems name a character.
    static QString codePoint(QChar c);
};
