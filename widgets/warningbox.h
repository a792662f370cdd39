// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QMessageBox;

// Vantor's warnings: titled with the program's name, and whatever they say,
// catalogue names and paths included, shown as plain text, never as markup
// or a link.
class WarningBox {
public:
    static void fill(QMessageBox& box, const QString& text, const QString& informative);
};
