// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

class QLabel;

// How Vantor looks on any desktop: FormStyle keeps the texts of its
// fixed-size windows whole and readable, on a screen of high density the
// whole window scales, and every window carries the application icon.
class Appearance {
public:
    // Before the application object: scaling with the screen (Qt 5 needs it).
    static void prepare();
    // After it and the desktop file name: style and application icon.
    static void apply();

    // The icon theme's icon of the launcher, or the one built into the program.
    static QIcon icon();
    // On a screen of twice the density or more, shows the image file's
    // twice-as-large twin (name@2x.ext) in the label, when there is one.
    static void sharpen(QLabel* label, const QString& fileName);
};
