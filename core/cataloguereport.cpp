// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguereport.h"

#include "catalogue.h"

#include <QDir>

const QString CatalogueReport::notTakenTitle = QStringLiteral("Vantor cannot use this catalogue");

CatalogueReport::CatalogueReport(const Catalogue& catalogue)
{
    QStringList every;
    for (const CatalogueProblem& problem : catalogue.unusable + catalogue.problems)
        every.append(problem.listed());
    details = every.join(QLatin1Char('\n'));
    lead = every.mid(0, catalogue.unusable.size());
    problems = every.mid(catalogue.unusable.size());
    if (!catalogue.complete()) {
        title = QStringLiteral("Vantor cannot use its catalogue");
        lead.append(
            QStringLiteral("Vantor looks for %1 and %2 in %3. Open a folder that holds them: "
                           "Catalogue \u2192 Open Folder\u2026")
                .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                    QDir::toNativeSeparators(catalogue.folder)));
    } else if (!catalogue.problems.isEmpty()) {
        title = QStringLiteral("Vantor found problems in its catalogue");
    }
    const int found = static_cast<int>(every.size());
    summary = QStringLiteral("Read %1 and %2: %3")
                  .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                      found == 0       ? QStringLiteral("no problems")
                          : found == 1 ? QStringLiteral("1 problem")
                                       : QStringLiteral("%1 problems").arg(found));
}

QString CatalogueReport::notTaken(const Catalogue& catalogue)
{
    QStringList why;
    for (const CatalogueProblem& problem : catalogue.unusable)
        why << problem.listed();
    why << QStringLiteral("Vantor looks for %1 and %2 in %3 and keeps showing the catalogue it "
                          "has.")
               .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                   QDir::toNativeSeparators(catalogue.folder));
    return why.join(QLatin1Char('\n'));
}
