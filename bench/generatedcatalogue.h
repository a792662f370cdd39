// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Catalogue files written for measuring, in the shape users write them.
namespace GeneratedCatalogue {

// A header and `lines` cabinets alternating between 8 and 16 ohms.
QByteArray cabinets(int lines);
// A header and `lines` amplifier lines: models with a mode switch (8 and 4 ohms,
// stereo and bridged) alternating with models without one (8 and 4 ohms).
QByteArray amplifiers(int lines);
// How many models amplifiers(lines) lists, and the name of the last one.
int models(int lines);
QString lastModel(int lines);

}
