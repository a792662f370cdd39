// SPDX-License-Identifier: GPL-3.0-or-later
#include "linereader.h"
#include "catalogue.h"
#include "plaintext.h"
#include "units.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>

LineReader::LineReader(const QString& line, const QString& path, int number, int expected,
    QVector<CatalogueProblem>& problems, int fewest)
    : m_fields(line.split(QLatin1Char(',')))
    , m_path(path)
    , m_number(number)
    , m_problems(problems)
{
    const bool counted = m_fields.size() == expected || m_fields.size() == fewest;
    if (line.isEmpty())
        report(QStringLiteral("empty line: read as an entry with no name"), true);
    else if (!counted)
        report(QStringLiteral("%1 fields where %2 are expected%3")
                   .arg(m_fields.size())
                   .arg(expected)
                   .arg(m_fields.size() > expected ? QStringLiteral(" (a decimal comma?)")
                                                   : QString()),
            true);
    m_shifted = line.isEmpty() || !counted;
    for (const QChar c : line) {
        if (PlainText::isControl(c)) {
            report(QStringLiteral("control character %1 in the line").arg(PlainText::codePoint(c)),
                true);
            break;
        }
    }
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).size() > Catalogue::maxField) {
            report(QStringLiteral("field %1 is longer than %2 characters: cut there")
                       .arg(i + 1)
                       .arg(Catalogue::maxField),
                true);
            m_fields[i].truncate(Catalogue::maxField);
        }
    }
    // Cells not given read as empty ones: a line reads the same either way.
    while (!m_shifted && m_fields.size() < expected)
        m_fields.append(QString());
}

QString LineReader::name()
{
    const QString text = field(0);
    if (text != text.trimmed())
        tell(QStringLiteral("name \"%1\" has blanks around it, which are kept").arg(text));
    const auto invisible = std::find_if(text.cbegin(), text.cend(), PlainText::isInvisible);
    if (invisible != text.cend())
        tell(QStringLiteral("name \"%1\" holds the invisible character %2")
                 .arg(text, PlainText::codePoint(*invisible)));
    if (PlainText::formulaLike(text))
        tell(QStringLiteral("name \"%1\" starts like a spreadsheet formula: CSV gives it a "
                            "leading '")
                 .arg(text));
    return text;
}

int LineReader::whole(int index, const QString& what)
{
    const QString text = field(index);
    if (!plain(text))
        return m_allRead = false, 0; // told once, as a control character in the line
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        bool real = false;
        const double asReal = text.toDouble(&real);
        notRead(what, text,
            real                     ? "a whole number"
                : std::isinf(asReal) ? "a number in range"
                                     : "a number");
    }
    return value;
}

double LineReader::real(int index, const QString& what)
{
    const QString text = field(index);
    if (!plain(text))
        return m_allRead = false, 0.0; // told once, as a control character in the line
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        notRead(what, text, std::isinf(value) ? "a number in range" : "a number");
    else if (!std::isfinite(value))
        notRead(what, text, "a finite number");
    return ok && std::isfinite(value) ? value : 0.0;
}

bool LineReader::plain(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), PlainText::isControl);
}

void LineReader::aboveZero(double value, const QString& what, const QString& unit)
{
    if (m_allRead && !(value > 0))
        tell(what + QLatin1Char(' ') + Units::number(value, 6, 9) + unit
                + QStringLiteral(" is not above 0"),
            true);
}

double LineReader::aboveZeroIfGiven(int index, const QString& what, const QString& unit)
{
    if (field(index).trimmed().isEmpty())
        return qQNaN();
    const double value = real(index, what);
    aboveZero(value, what, unit);
    return m_allRead && value > 0 ? value : qQNaN();
}

void LineReader::tell(const QString& message, bool doubtful)
{
    if (!m_shifted)
        report(message, doubtful);
}

void LineReader::report(const QString& message, bool doubtful)
{
    if (doubtful && m_doubt.message.isEmpty())
        m_doubt = { m_path, m_number, message };
    m_problems.append({ m_path, m_number, message });
}

void LineReader::notRead(const QString& what, const QString& text, const char* kind)
{
    m_allRead = false;
    if (text.trimmed().isEmpty())
        tell(QStringLiteral("%1 is empty: read as 0").arg(what), true);
    else
        tell(QStringLiteral("%1 \"%2\" is not %3: read as 0")
                 .arg(what, text.trimmed(), QLatin1String(kind)),
            true);
}
