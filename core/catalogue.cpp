// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "cataloguetext.h"
#include "linereader.h"
#include "modelruns.h"
#include "units.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

const QString Catalogue::cabinetFileName = QStringLiteral("data_spk.txt");
const QString Catalogue::amplifierFileName = QStringLiteral("data_amplis.txt");
const QString Catalogue::peakPowerColumn = QStringLiteral("peak_w");
const QString Catalogue::highPassColumn = QStringLiteral("hpf_hz");

namespace {

// Problems in the order of their lines, those of one line as they were found.
void sortByLine(QVector<CatalogueProblem>& problems, int from)
{
    std::stable_sort(problems.begin() + from, problems.end(),
        [](const CatalogueProblem& a, const CatalogueProblem& b) { return a.line < b.line; });
}

// Whether two lines say the same: each field written alike, or read as the
// same number ("42.9" and "42.90").
bool sameFields(const QStringList& a, const QStringList& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        bool numberA = false, numberB = false;
        const double x = a.at(i).toDouble(&numberA), y = b.at(i).toDouble(&numberB);
        if (a.at(i) != b.at(i) && !(numberA && numberB && x == y))
            return false;
    }
    return true;
}

}

template <typename Record>
void Catalogue::compareRepeat(QVector<Record>& records, Record& record, QHash<QString, int>& seen,
    const QString& key, const QString& what, const LineReader& in)
{
    const int row = records.size();
    const int first = key.isEmpty() ? -2 : seen.value(key, -1);
    if (first == -1) {
        seen.insert(key, row);
        firstFields.insert(key, in.fields());
    }
    if (first < 0)
        return;
    const QString line = QString::number(lineOf(first));
    if (sameFields(firstFields.value(key), in.fields())) {
        problems.append({ in.path(), lineOf(row), what + QStringLiteral(" repeats line ") + line });
        return;
    }
    const CatalogueProblem told { in.path(), lineOf(row),
        what + QStringLiteral(" is also on line ") + line
            + QStringLiteral(" with other numbers: neither line is used") };
    problems.append(told);
    record.putInDoubt(told);
    records[first].putInDoubt(told);
}

Catalogue::CabinetColumns Catalogue::readCabinetHeader(const QString& header, const QString& path)
{
    CabinetColumns columns;
    QStringList names = header.split(QLatin1Char(','));
    // Blanks after the last name, as a spreadsheet may write, name no column.
    while (names.size() > columns.fields && names.last().trimmed().isEmpty())
        names.removeLast();
    for (int i = columns.fields; i < names.size(); ++i) {
        const QString name = names.at(i).trimmed().left(maxField);
        const QString column = QStringLiteral("column %1").arg(i + 1);
        int* known = name.compare(peakPowerColumn, Qt::CaseInsensitive) == 0 ? &columns.peakPower
            : name.compare(highPassColumn, Qt::CaseInsensitive) == 0         ? &columns.highPass
                                                                             : nullptr;
        QString told;
        if (name.isEmpty())
            told = column + QStringLiteral(" has no name");
        else if (!known)
            told = QStringLiteral("%1 \"%2\" is not %3 or %4")
                       .arg(column, name, peakPowerColumn, highPassColumn);
        else if (*known >= 0)
            told = QStringLiteral("%1 \"%2\" names column %3 again")
                       .arg(column, name, QString::number(*known + 1));
        else
            *known = i;
        if (!told.isEmpty())
            problems.append({ path, 1, told + QStringLiteral(": its cells are ignored") });
    }
    columns.fields = std::max(columns.fields, static_cast<int>(names.size()));
    return columns;
}

CabinetRecord Catalogue::readCabinet(LineReader& in, const CabinetColumns& columns)
{
    const QString name = in.name();
    const int power = in.whole(1, QStringLiteral("power"));
    const int impedance = in.whole(2, QStringLiteral("impedance"));
    in.aboveZero(power, QStringLiteral("power"), QStringLiteral(" W"));
    in.aboveZero(impedance, QStringLiteral("impedance"), QStringLiteral(" \u03A9"));
    const double peak = in.aboveZeroIfGiven(
        columns.peakPower, QStringLiteral("peak power"), QStringLiteral(" W"));
    const double highPass = in.aboveZeroIfGiven(
        columns.highPass, QStringLiteral("high-pass frequency"), QStringLiteral(" Hz"));
    if (in.allRead() && power > 0 && peak < power)
        in.tell(QStringLiteral("peak power %1 W is below the program power %2 W")
                    .arg(Units::number(peak, 6, 9))
                    .arg(power),
            true);
    return CabinetRecord(name, power, impedance, peak, highPass, in.doubt());
}

void Catalogue::readCabinets(const QByteArray& content, const QString& path)
{
    const int from = problems.size();
    QString header;
    const QStringList lines = CatalogueText::dataLines(content, path, problems, &header);
    const CabinetColumns columns = readCabinetHeader(header, path);
    QHash<QString, int> named; // the first row of each name
    for (int row = 0; row < lines.size(); ++row) {
        // A line of the three fields alone gives none of the optional columns.
        LineReader in(lines.at(row), path, lineOf(row), columns.fields, problems, 3);
        CabinetRecord record = readCabinet(in, columns);
        compareRepeat(cabinets, record, named, lines.at(row).isEmpty() ? QString() : in.field(0),
            QStringLiteral("cabinet \"") + record.name() + QLatin1Char('"'), in);
        cabinets.append(record);
    }
    if (lines.isEmpty())
        problems.append({ path, 1, QStringLiteral("no cabinet lines after the header") });
    sortByLine(problems, from);
}

AmplifierRecord Catalogue::readAmplifier(LineReader& in)
{
    const QString name = in.name();
    const int impedance = in.whole(1, QStringLiteral("impedance"));
    const std::optional<Mode> mode = Mode::parse(in.field(2));
    const double voltage = in.real(3, QStringLiteral("maximum program voltage"));
    const double level = in.real(4, QStringLiteral("maximum output level"));
    const int gain = in.whole(5, QStringLiteral("gain"));

    if (!mode)
        in.tell(QStringLiteral("mode \"%1\" is not ST, BTL or NO: the line is never used")
                    .arg(in.field(2)),
            true);
    in.aboveZero(impedance, QStringLiteral("impedance"), QStringLiteral(" \u03A9"));
    in.aboveZero(voltage, QStringLiteral("maximum program voltage"), QStringLiteral(" V"));
    if (in.allRead() && voltage > 0) {
        const double expected = 20.0 * std::log10(voltage / AmplifierRecord::dbuReference);
        if (std::fabs(level - expected) > 0.5)
            in.tell(
                QStringLiteral("maximum output level %1 dBu is %2 dB away from the %3 dBu of %4")
                    .arg(Units::number(level, 6, 9),
                        QString::number(std::fabs(level - expected), 'f', 2),
                        QString::number(expected, 'f', 2), Units::volts(voltage)),
                true);
    }
    if (in.allRead() && gain <= 0)
        in.tell(QStringLiteral("gain %1 dB is not above 0").arg(gain), true);
    else if (in.allRead() && gain > maxGain)
        in.tell(QStringLiteral("gain %1 dB is above %2 dB").arg(gain).arg(maxGain), true);
    return AmplifierRecord(name, impedance, mode, voltage, level, gain, in.doubt());
}

void Catalogue::readAmplifiers(const QByteArray& content, const QString& path)
{
    const int from = problems.size();
    const QStringList lines = CatalogueText::dataLines(content, path, problems);
    QHash<QString, int> rated; // the first row of each model, impedance and mode
    for (int row = 0; row < lines.size(); ++row) {
        LineReader in(lines.at(row), path, lineOf(row), 6, problems);
        AmplifierRecord record = readAmplifier(in);
        const QString key = in.field(0) + QLatin1Char('\n') + in.field(1).trimmed()
            + QLatin1Char('\n') + in.field(2);
        compareRepeat(amplifiers, record, rated, lines.at(row).isEmpty() ? QString() : key,
            QStringLiteral("model \"") + record.name() + QStringLiteral("\" at ")
                + in.field(1).trimmed() + QStringLiteral(" \u03A9 ") + in.field(2),
            in);
        amplifiers.append(record);
    }
    if (lines.isEmpty())
        problems.append({ path, 1, QStringLiteral("no amplifier lines after the header") });
    amplifierModels = modelNames(amplifiers);
    ModelRuns(amplifiers, models, modelIndex).check(path, problems);
    sortByLine(problems, from);
}

const Catalogue::Model* Catalogue::model(const QString& name) const
{
    const int index = modelIndex.value(name, -1);
    return index < 0 ? nullptr : &models.at(index);
}

QStringList Catalogue::modelNames(const QVector<AmplifierRecord>& amplifiers)
{
    QStringList names;
    for (int row = 0; row < amplifiers.size(); ++row) {
        if (row == 0 || amplifiers.at(row).name() != amplifiers.at(row - 1).name())
            names.append(amplifiers.at(row).name());
    }
    return names;
}

namespace {

// The file's content, or an empty array and the reason it cannot be used.
// Nothing that could block (a FIFO, a device) is ever opened.
QByteArray readFile(const QString& path, QVector<CatalogueProblem>& unusable, QDateTime& modified)
{
    const QFileInfo info(path);
    modified = info.lastModified();
    QString why;
    QFile file(path);
    if (!info.exists())
        why = QStringLiteral("not found");
    else if (!info.isFile())
        why = QStringLiteral("not a regular file");
    else if (info.size() > Catalogue::maxBytes)
        why = QStringLiteral("larger than 16 MiB");
    else if (!file.open(QIODevice::ReadOnly))
        why = QStringLiteral("cannot be read: %1").arg(file.errorString());
    QByteArray content;
    if (why.isEmpty()) {
        content = file.read(Catalogue::maxBytes + 1);
        if (content.size() > Catalogue::maxBytes)
            why = QStringLiteral("larger than 16 MiB");
        else if (CatalogueText::lineCount(content) - 1 > Catalogue::maxLines)
            why = QStringLiteral("more than %1 lines after the header").arg(Catalogue::maxLines);
    }
    if (!why.isEmpty()) {
        unusable.append({ path, 0, why });
        return QByteArray();
    }
    return content;
}

}

Catalogue Catalogue::load(const QString& folder)
{
    Catalogue catalogue;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    catalogue.folder = dir.absolutePath();
    const auto path
        = [&](const QString& name) { return folder.isEmpty() ? name : dir.filePath(name); };

    const int before = catalogue.unusable.size();
    const QByteArray cabinets
        = readFile(path(cabinetFileName), catalogue.unusable, catalogue.cabinetsModified);
    if (catalogue.unusable.size() == before)
        catalogue.readCabinets(cabinets, path(cabinetFileName));
    const int between = catalogue.unusable.size();
    const QByteArray amplifiers
        = readFile(path(amplifierFileName), catalogue.unusable, catalogue.amplifiersModified);
    if (catalogue.unusable.size() == between)
        catalogue.readAmplifiers(amplifiers, path(amplifierFileName));
    return catalogue;
}
