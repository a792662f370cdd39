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

QString CatalogueLocation::savingFolder(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable()
        ? info.absoluteFilePath()
        : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}
