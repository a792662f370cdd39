// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelruns.h"

#include <QStringList>

#include <algorithm>

namespace {

// Names compared with case and blanks aside.
QString folded(const QString& name)
{
    QString out;
    for (const QChar c : name)
        if (!c.isSpace())
            out += c.toCaseFolded();
    return out;
}

// Whether two folded names differ by one character that is not a digit, put
// in, left out or changed: "Quil Q2000" and "Quill Q2000", not "Delia 6" and
// "Delia 8".
bool oneLetterApart(const QString& a, const QString& b)
{
    const QString& longer = a.size() >= b.size() ? a : b;
    const QString& shorter = a.size() >= b.size() ? b : a;
    if (longer.size() - shorter.size() > 1)
        return false;
    int i = 0;
    while (i < shorter.size() && longer.at(i) == shorter.at(i))
        ++i;
    if (i == longer.size() || longer.at(i).isDigit())
        return false;
    if (longer.size() == shorter.size())
        return !shorter.at(i).isDigit() && longer.mid(i + 1) == shorter.mid(i + 1);
    return longer.mid(i + 1) == shorter.mid(i);
}

// "2-3 and 5": line numbers, runs of consecutive ones joined.
QString lineList(const QVector<int>& lines)
{
    QStringList runs;
    for (int i = 0; i < lines.size(); ++i) {
        int last = i;
        while (last + 1 < lines.size() && lines.at(last + 1) == lines.at(last) + 1)
            ++last;
        runs << (last == i ? QString::number(lines.at(i))
                           : QStringLiteral("%1-%2").arg(lines.at(i)).arg(lines.at(last)));
        i = last;
    }
    const QString end = runs.size() > 1 ? QStringLiteral(" and ") + runs.takeLast() : QString();
    return runs.join(QStringLiteral(", ")) + end;
}

QVector<int> lineNumbers(const Catalogue::Model& model)
{
    QVector<int> numbers;
    for (const int row : model.lines)
        numbers.append(Catalogue::lineOf(row));
    return numbers;
}

}

ModelRuns::ModelRuns(const QVector<AmplifierRecord>& amplifiers, QVector<Catalogue::Model>& models,
    QHash<QString, int>& index)
    : amplifiers(amplifiers)
    , models(models)
{
    for (int row = 0; row < amplifiers.size(); ++row) {
        const AmplifierRecord& record = amplifiers.at(row);
        if (row > 0 && record.name() == amplifiers.at(row - 1).name()) {
            runs.last().last = row;
        } else {
            int model = index.value(record.name(), -1);
            if (model < 0) {
                model = models.size();
                index.insert(record.name(), model);
                models.append({ record.name(), {}, true });
            }
            runs.append({ row, row, model });
        }
        Catalogue::Model& model = models[runs.constLast().model];
        model.lines.append(row);
        if (record.mode() == Mode::Switchless)
            model.modeSwitch = false;
    }
}

void ModelRuns::check(const QString& path, QVector<CatalogueProblem>& problems) const
{
    QHash<QString, int> foldedNames; // the first run of each name, case and blanks aside
    QVector<int> lastRun(models.size(), -1);
    for (int r = 0; r < runs.size(); ++r) {
        const Run& run = runs.at(r);
        const Catalogue::Model& model = models.at(run.model);
        const QString fold = folded(model.name);
        const int alike = foldedNames.value(fold, -1);
        if (alike < 0)
            foldedNames.insert(fold, r);
        else if (models.at(runs.at(alike).model).name != model.name)
            problems.append({ path, Catalogue::lineOf(run.first),
                QStringLiteral("model \"%1\" differs from \"%2\" of line %3 only in case or "
                               "blanks")
                    .arg(model.name, models.at(runs.at(alike).model).name,
                        QString::number(Catalogue::lineOf(runs.at(alike).first))) });
        const int before = lastRun.at(run.model);
        lastRun[run.model] = r;
        if (before >= 0)
            tellApart(before, r, path, problems);
    }
    tellSwitchless(path, problems);
}

// Whether only names that look like a slip for the model's own stand between
// the two runs: a line or two, each of a name seen nowhere else.
bool ModelRuns::slips(int before, int r) const
{
    const QString fold = folded(models.at(runs.at(r).model).name);
    bool slips = r - before <= 3; // a slip is a line or two, not a block
    for (int k = before + 1; k < r && slips; ++k) {
        const Catalogue::Model& between = models.at(runs.at(k).model);
        slips = between.lines.size() == runs.at(k).last - runs.at(k).first + 1
            && (folded(between.name) == fold || oneLetterApart(folded(between.name), fold));
    }
    return slips;
}

// The model's lines are split: by names that look like a slip of its own,
// told where they stand, or else by other models.
void ModelRuns::tellApart(
    int before, int r, const QString& path, QVector<CatalogueProblem>& problems) const
{
    const Run& run = runs.at(r);
    const Catalogue::Model& model = models.at(run.model);
    if (!slips(before, r)) {
        problems.append({ path, Catalogue::lineOf(run.first),
            QStringLiteral("model \"%1\" continues here after other models: its lines "
                           "must stand together")
                .arg(model.name) });
        return;
    }
    const QString fold = folded(model.name);
    for (int k = before + 1; k < r; ++k) {
        const Catalogue::Model& between = models.at(runs.at(k).model);
        if (folded(between.name) == fold)
            continue; // told as differing in case or blanks
        for (int row = runs.at(k).first; row <= runs.at(k).last; ++row)
            problems.append({ path, Catalogue::lineOf(row),
                QStringLiteral("model \"%1\" looks like \"%2\" of lines %3")
                    .arg(between.name, model.name, lineList(lineNumbers(model))) });
    }
}

// A model without the switch never uses a line that names a mode.
void ModelRuns::tellSwitchless(const QString& path, QVector<CatalogueProblem>& problems) const
{
    for (const Catalogue::Model& model : models) {
        if (model.modeSwitch)
            continue;
        const int switchless = *std::find_if(model.lines.cbegin(), model.lines.cend(),
            [&](int row) { return amplifiers.at(row).mode() == Mode::Switchless; });
        for (const int row : model.lines)
            if (amplifiers.at(row).mode() && amplifiers.at(row).mode()->hasSwitch())
                problems.append({ path, Catalogue::lineOf(row),
                    QStringLiteral("model \"%1\" has no mode switch (line %2 says NO): this line "
                                   "is never used")
                        .arg(model.name, QString::number(Catalogue::lineOf(switchless))) });
    }
}
