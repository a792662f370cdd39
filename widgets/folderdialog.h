// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

// The desktop's folder dialog shows no files; this one lists the catalogue
// files inside each folder, so the user sees which folder holds one, and
// takes either file as its folder.
class FolderDialog : public QFileDialog {
public:
    // Opens on `current`, selected in its parent folder.
    FolderDialog(QWidget* parent, const QString& current);

    // The folder chosen, once accepted.
    QString folder;

    void accept() override;
};
