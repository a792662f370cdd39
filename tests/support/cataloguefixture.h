// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary working directory holding catalogue files; the process works in
// it for the fixture's lifetime, as the program reads its files from there.
class CatalogueFixture {
public:
    // Writes the two catalogue files unless their content is null.
    explicit CatalogueFixture(
        const QByteArray& cabinets = QByteArray(), const QByteArray& amplifiers = QByteArray());
    ~CatalogueFixture();
    CatalogueFixture(const CatalogueFixture&) = delete;
    CatalogueFixture& operator=(const CatalogueFixture&) = delete;

    // Writes a file into the directory; a null content writes nothing.
    bool write(const QString& name, const QByteArray& content) const;
    QString path(const QString& name) const;

private:
    QTemporaryDir dir;
    QString previous;
};
