// SPDX-License-Identifier: GPL-3.0-or-later
#include "savefile.h"

#include <QSaveFile>

SaveFile::Result SaveFile::write(const QString& path, const Content& content)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && content(file) && file.commit())
        return { true, QString() };
    return { false, file.errorString() };
}
