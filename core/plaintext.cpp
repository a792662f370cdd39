// SPDX-License-Identifier: GPL-3.0-or-later
#include "plaintext.h"

bool PlainText::isControl(QChar c)
{
    const ushort u = c.unicode();
    return (u < 0x20 && u != '\t') || (u >= 0x7F && u < 0xA0) || (u >= 0x202A && u <= 0x202E)
        || (u >= 0x2066 && u <= 0x2069);
}

bool PlainText::isInvisible(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x200B && u <= 0x200D) || u == 0x2060 || u == 0xFEFF;
}

QString PlainText::escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n') || !(isControl(c) || isInvisible(c)))
            out += c;
        else if (c.unicode() < 0x100)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

bool PlainText::formulaLike(const QString& text)
{
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

QString PlainText::defused(const QString& text)
{
    return formulaLike(text) ? QLatin1Char('\'') + text : text;
}

QString PlainText::codePoint(QChar c)
{
    return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
}
