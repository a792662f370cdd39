// SPDX-License-Identifier: GPL-3.0-or-later
#include "folderdialog.h"

#include "catalogue.h"
#include "cataloguelocation.h"

#include <QFileInfo>

FolderDialog::FolderDialog(QWidget* parent, const QString& current)
    : QFileDialog(parent, QStringLiteral("Open Folder"))
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::Directory);
    setNameFilter(QStringLiteral("Catalogue files (%1 %2)")
                      .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName));
    const QFileInfo folder(current);
    setDirectory(folder.absolutePath());
    selectFile(folder.fileName());
}

void FolderDialog::accept()
{
    const QStringList files = selectedFiles();
    if (files.size() == 1 && QFileInfo(files.first()).isFile()) {
        folder = CatalogueLocation::folderOf(files.first());
        if (!folder.isEmpty())
            QDialog::accept();
        return;
    }
    QFileDialog::accept();
    if (result() == QDialog::Accepted)
        folder = selectedFiles().value(0);
}
