// SPDX-License-Identifier: GPL-3.0-or-later
#include "place.h"

#include "catalogue.h"
#include "configuration.h"

bool Place::findIn(const Catalogue& catalogue, int& cabinetRow, int& model) const
{
    cabinetRow = -1;
    for (int i = 0; cabinetRow < 0 && i < catalogue.cabinets.size(); ++i)
        if (catalogue.cabinets.at(i).name() == cabinet)
            cabinetRow = i;
    const Catalogue::Model* found = catalogue.model(amplifier);
    model = found ? static_cast<int>(found - catalogue.models.constData()) : -1;
    return catalogue.complete() && cabinetRow >= 0 && model >= 0
        && Configuration::calculate(catalogue, cabinetRow, count, amplifier, mode)
               .warningText()
               .isEmpty();
}
