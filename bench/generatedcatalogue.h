// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Catalogue files written for measuring, in the shape users write them.
namespace GeneratedCatalogue {

// A header and `lines` cabinets alternating between 8 and 16 ohms.
QByteArray cabinets(int lines);
// A header and `lines` amplifier lines: models with a mode switch (8 and 4 ohms,
// stereo and bridged) alternating with models without one (8 and 4 ohms).
QByteArray amplifiers(int lines);
// How many models amplifiers(lines) lists, and the name of the last one.
int models(int lines);
QString lastModel(int lines);

}

// A temporary directory the process works in while it lives.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

    bool write(const QString& name, const QByteArray& content) const;
    bool copy(const QString& from, const QString& name) const;
    QString path(const QString& name) const;

private:
    QTemporaryDir dir;
    QString previous;
};
