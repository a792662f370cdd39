// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary working directory holding catalogue files; the process works in
// it for the fixture's lifetime, as the program reads its files from there.
class CatalogueFixture {
public:
    CatalogueFixture();
    ~CatalogueFixture();

    // Writes a file into the directory; a null content writes nothing.
    void write(const QString& name, const QByteArray& content) const;
    QString path(const QString& name) const;

private:
    QTemporaryDir dir;
    QString previous;
};
