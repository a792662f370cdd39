// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Asks where to save the limiter sheet: the desktop's save dialog, proposing
// "limiter-sheet.SUFFIX" in the folder the catalogue's sheets are saved in
// (CatalogueLocation::savingFolder).
class SaveDialog {
public:
    // The path chosen, "csv" or "pdf" added when the user gives no suffix;
    // empty when the user cancels.
    static QString ask(
        QWidget* parent, const QString& title, const QString& catalogueFolder, const QString& suffix);
};
