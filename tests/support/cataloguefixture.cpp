// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"

#include <QDir>
#include <QFile>

CatalogueFixture::CatalogueFixture(const QByteArray& cabinets, const QByteArray& amplifiers)
    : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
    write(QStringLiteral("data_spk.txt"), cabinets);
    write(QStringLiteral("data_amplis.txt"), amplifiers);
}

CatalogueFixture::~CatalogueFixture() { QDir::setCurrent(previous); }

bool CatalogueFixture::write(const QString& name, const QByteArray& content) const
{
    if (content.isNull())
        return true;
    QFile file(path(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QString CatalogueFixture::path(const QString& name) const { return dir.filePath(name); }
