// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class Catalogue;

// What the window tells of a catalogue it has read, as plain texts: the box
// that names its problems, and the status bar's line.
class CatalogueReport {
public:
    explicit CatalogueReport(const Catalogue& catalogue);

    // Why a catalogue that cannot be used does not take the place of the one
    // shown: the box's informative text; its main text is `notTakenTitle`.
    static QString notTaken(const Catalogue& catalogue);
    static const QString notTakenTitle;

    QString title; // of the box; empty when there is nothing to tell
    QStringList lead; // what the box says before the problems
    QStringList problems; // one a line, as people read them
    QString details; // every problem, the unusable files first
    QString summary; // "Read data_spk.txt and data_amplis.txt: 2 problems"
};
