// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mode.h"

#include <QString>

class Catalogue;

// Where the user is, by name: the selection that Reload, and Open Folder of the
// same catalogue, put back when the catalogue read again still has it.
class Place {
public:
    QString cabinet;
    int count = 1;
    QString amplifier;
    Mode mode; // the mode selector's, whatever the model

    // The row of the cabinet and the index of the model in the catalogue,
    // when it can be used, has both and accepts the selection; false else.
    bool findIn(const Catalogue& catalogue, int& cabinetRow, int& model) const;
};
