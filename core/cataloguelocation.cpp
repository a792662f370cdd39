// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguelocation.h"

#include "catalogue.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString CatalogueLocation::folderOf(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return info.absoluteFilePath();
    if (info.isFile()
        && (info.fileName() == Catalogue::cabinetFileName
            || info.fileName() == Catalogue::amplifierFileName))
        return info.absolutePath();
    return QString();
}

bool CatalogueLocation::holdsCatalogue(const QString& folder)
{
    const QDir dir(folder);
    return !folder.isEmpty() && QFileInfo(dir.filePath(Catalogue::cabinetFileName)).isFile()
        && QFileInfo(dir.filePath(Catalogue::amplifierFileName)).isFile();
}

const QString CatalogueLocation::catalogueFileRefused
    = QStringLiteral("a catalogue file being read: the sheet is not written over it");

bool CatalogueLocation::isCatalogueFile(const QString& folder, const QString& path)
{
    const QFileInfo target(path);
    for (const QString& name : { Catalogue::cabinetFileName, Catalogue::amplifierFileName }) {
        const QFileInfo file(QDir(folder).filePath(name));
        if (file.exists() && target.exists() ? file.canonicalFilePath() == target.canonicalFilePath()
                                             : file.absoluteFilePath() == target.absoluteFilePath())
            return true;
    }
    return false;
}

QString CatalogueLocation::savingFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable()
        ? info.absoluteFilePath()
        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
