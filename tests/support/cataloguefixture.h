// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary working directory holding the two catalogue files (a null
// content writes none); the process works in it for the fixture's lifetime,
// as the program reads its files from there.
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
        for (const auto& [file, content] :
            { std::pair { "data_spk.txt", cabinets }, std::pair { "data_amplis.txt", amplifiers } })
            write(name + '/' + file, content);
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
