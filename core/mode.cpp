// SPDX-License-Identifier: GPL-3.0-or-later
#include "mode.h"

std::optional<Mode> Mode::parse(const QString& key)
{
    for (const Mode mode : { Mode(Stereo), Mode(Bridge), Mode(Switchless) })
        if (key == mode.key())
            return mode;
    return std::nullopt;
}

QVector<Mode> Mode::switched() { return { Stereo, Bridge }; }

QString Mode::key() const
{
    switch (value) {
    case Stereo:
        return QStringLiteral("ST");
    case Bridge:
        return QStringLiteral("BTL");
    case Switchless:
        break;
    }
    return QStringLiteral("NO");
}

QString Mode::text() const
{
    switch (value) {
    case Stereo:
        return QStringLiteral("ST (Stereo)");
    case Bridge:
        return QStringLiteral("BTL (Bridge)");
    case Switchless:
        break;
    }
    return QString();
}
