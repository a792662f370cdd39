// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

class QLabel;

// How Vantor looks on any desktop. Its windows have a fixed size and a fixed
// place for every text, laid out for lines 13 pixels high: they get the
// desktop's font family at the largest size whose lines fit there, and
// FormStyle. On a screen of high density the whole window scales.
class Appearance {
public:
    // Before the application object: scaling with the screen (Qt 5 needs it).
    static void prepare();
    // Style, form font and application icon for the windows built after it;
    // after the desktop file name is set.
    static void apply();

    // The desktop's font at the largest pixel size, at most its own, whose
    // lines are no higher than the forms' rows.
    static QFont formFont(const QFont& desktop);
    // The icon theme's icon of the launcher, or the one built into the program.
    static QIcon icon();
    // On a screen of twice the density or more, shows the image file's
    // twice-as-large twin (name@2x.ext) in the label, when there is one.
    static void sharpen(QLabel* label, const QString& fileName);
};
