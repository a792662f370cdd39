// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"

#include <QString>

// What the thresholds under one heading of the limiter sheet hold at: the
// amplifier's gain and maximum voltage at each rated load (8 or 4 ohms) that
// the accepted rows of one model and mode are worked out at, read from those
// rows. The sheet states it above the rows, so it is looked up ahead of them,
// in a pass over that model and mode alone.
class SheetRating {
public:
    // "gain 32 dB · maximum 42.9 V at 8 Ω, 40 V at 4 Ω", with a gain for each
    // load when they differ ("gain 32 dB at 8 Ω, 30 dB at 4 Ω · maximum …"), for
    // the rows of the model and mode of `row` that `filter` takes; empty when
    // none of them is accepted.
    static QString text(const Catalogue& catalogue, Sheet::Filter filter, const Configuration& row);
};
