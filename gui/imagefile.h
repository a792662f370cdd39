// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// The images the forms show (the banner, the logo), read from a folder when
// they are there, else from the working directory, else from the copies
// built into the program. Only a regular file of at most `maxBytes` is read,
// and only one whose stated size is at most `maxSide` pixels each way is
// decoded, so nothing in a folder can block the window or fill the memory.
class ImageFile {
public:
    static constexpr qint64 maxBytes = 4 * 1024 * 1024;
    static constexpr int maxSide = 4096; // far more than any form shows

    // The built-in copies: call before a form that names them is built.
    static void builtIn();
    // The image drawn `scale` times its size (the screen's pixel ratio times
    // the zoom): from its twice-as-large twin (name@2x.ext) beside it where
    // the scale is above 1, scaled smoothly where it is not its own; a null
    // pixmap when not even the built-in copy can be read.
    static QPixmap load(const QString& fileName, const QString& folder, qreal scale, qreal ratio);
};
