// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"

#include <QDir>
#include <QFile>

CatalogueFixture::CatalogueFixture()
    : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

CatalogueFixture::~CatalogueFixture() { QDir::setCurrent(previous); }

void CatalogueFixture::write(const QString& name, const QByteArray& content) const
{
    if (content.isNull())
        return;
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QString CatalogueFixture::path(const QString& name) const { return dir.filePath(name); }
