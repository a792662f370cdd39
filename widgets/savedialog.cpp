// SPDX-License-Identifier: GPL-3.0-or-later
#include "savedialog.h"

#include "cataloguelocation.h"
#include "screenfit.h"

#include <QDir>
#include <QFileDialog>

QString SaveDialog::ask(
    QWidget* parent, const QString& title, const QString& catalogueFolder, const QString& suffix)
{
    QFileDialog dialog(parent, title,
        QDir(CatalogueLocation::savingFolder(catalogueFolder))
            .filePath(QStringLiteral("limiter-sheet.") + suffix),
        QStringLiteral("%1 files (*.%2)").arg(suffix.toUpper(), suffix));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    ScreenFit::fit(&dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
