// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogueproblem.h"

#include <QFileInfo>

CatalogueProblem CatalogueProblem::unread()
{
    return { QString(), 0, QStringLiteral("not read from a catalogue file") };
}

QString CatalogueProblem::located() const
{
    if (line <= 0)
        return QStringLiteral("%1: %2").arg(path, message);
    return QStringLiteral("%1:%2: %3").arg(path, QString::number(line), message);
}

QString CatalogueProblem::listed() const
{
    const QString file = QFileInfo(path).fileName();
    if (line <= 0)
        return QStringLiteral("%1: %2").arg(file, message);
    return QStringLiteral("%1, line %2: %3").arg(file, QString::number(line), message);
}
