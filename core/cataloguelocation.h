// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder a catalogue is read from, and the folders that follow from it.
class CatalogueLocation {
public:
    // The folder a chosen or dropped path names: the folder itself, or the
    // folder of a catalogue file; empty for anything else.
    static QString folderOf(const QString& path);
    // Whether the folder holds both catalogue files.
    static bool holdsCatalogue(const QString& folder);
    // Whether the path names one of the catalogue files of the folder, which
    // nothing Vantor writes may replace.
    static bool isCatalogueFile(const QString& folder, const QString& path);
    // Why such a path is refused.
    static const QString catalogueFileRefused;
    // Where a sheet is proposed to be saved: the catalogue's folder when it
    // can be written to, else the user's documents folder.
    static QString savingFolder(const QString& folder);
};
