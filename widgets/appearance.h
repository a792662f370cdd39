// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "imagefile.h"

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
    // After it and the desktop file name: style, application icon and the
    // name that titles the windows ("Vantor").
    static void apply();

    // The icon theme's icon of the launcher, or the one built into the program.
    static QIcon icon();
    // The images built into the program, which the forms name: call before
    // a form's setupUi.
    static void builtInImages();
    // Shows the image file in the label, read from `folder` when it is there,
    // else from the working directory, else from the copy built into the
    // program; where it is drawn with more pixels than its own, on a screen
    // of high density or zoomed `zoom` times, from its twice-as-large twin
    // (name@2x.ext) where that lies beside it (ImageFile).
    static void picture(
        QLabel* label, const QString& fileName, const QString& folder = QString(), qreal zoom = 1);
    static constexpr qint64 maxImageBytes = ImageFile::maxBytes;
};
