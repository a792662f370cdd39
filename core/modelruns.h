// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierrecord.h"
#include "catalogue.h"
#include "catalogueproblem.h"

#include <QHash>
#include <QString>
#include <QVector>

// The amplifier lines of a catalogue file grouped by model name: each model
// once, in the order first seen, and the runs of consecutive lines that name
// one. What the runs show is told where it stands: a model whose lines stand
// apart, a name that looks like a slip for the model around it, two names
// that differ only in case or blanks, and the lines of a model without the
// mode switch that name a mode, which are never used.
class ModelRuns {
public:
    // Adds each model of `amplifiers` not yet in `models` to it, and its place
    // there to `index` under its name; `amplifiers` and `models` are read
    // again by check(), so they must outlive the runs.
    ModelRuns(const QVector<AmplifierRecord>& amplifiers, QVector<Catalogue::Model>& models,
        QHash<QString, int>& index);

    // Appends what the runs show to `problems`, run by run and then the
    // switchless models' lines; `path` names the file there.
    void check(const QString& path, QVector<CatalogueProblem>& problems) const;

private:
    struct Run {
        int first, last, model; // rows, and the model's place
    };

    // Runs `before` and `r` of one model, with other runs between them.
    bool slips(int before, int r) const;
    void tellApart(
        int before, int r, const QString& path, QVector<CatalogueProblem>& problems) const;
    void tellSwitchless(const QString& path, QVector<CatalogueProblem>& problems) const;

    const QVector<AmplifierRecord>& amplifiers;
    const QVector<Catalogue::Model>& models;
    QVector<Run> runs;
};
