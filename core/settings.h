// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>

// Where Vantor keeps what it remembers between runs: the folder last opened,
// the zoom, the Limiter Sheet dialog's choices.
class Settings {
public:
    static QSettings open() { return QSettings(QStringLiteral("vantor"), QStringLiteral("vantor")); }
};
