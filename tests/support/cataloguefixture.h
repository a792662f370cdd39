// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtCore>

// A temporary working directory, the process's while the fixture lives,
// holding the two catalogue files (none for a null content).
class CatalogueFixture {
public:
    explicit CatalogueFixture(const QByteArray& cabinets = {}, const QByteArray& amplifiers = {})
        : previous(QDir::currentPath())
    {
        QDir::setCurrent(dir.path());
        folder(".", cabinets, amplifiers);
    }
    ~CatalogueFixture() { QDir::setCurrent(previous); }

    QString path(const QString& name) const { return dir.filePath(name); }

    // A folder in it holding the two files; returns its path.
    QString folder(const QString& name, const QByteArray& cabinets, const QByteArray& amplifiers)
    {
        QDir(dir.path()).mkpath(name);
        write(name + "/data_spk.txt", cabinets);
        write(name + "/data_amplis.txt", amplifiers);
        return QDir::cleanPath(path(name));
    }

    void write(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        if (!content.isNull() && file.open(QIODevice::WriteOnly))
            file.write(content);
    }

private:
    QTemporaryDir dir;
    QString previous;
};
