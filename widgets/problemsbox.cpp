// SPDX-License-Identifier: GPL-3.0-or-later
#include "problemsbox.h"

#include "cataloguereport.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

namespace {
QAbstractButton* detailsButton(const QMessageBox& box)
{
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::ActionRole)
            return button;
    return nullptr;
}

// Centred over the window, moved only as far as it takes to keep the box,
// as tall as `tallest`, within the screen's room.
void place(QMessageBox& box, const QWidget* window, const QRect& screen, int tallest)
{
    QRect place = box.frameGeometry();
    place.moveCenter(window->frameGeometry().center());
    place.moveTop(qMax(screen.top(), qMin(place.top(), screen.bottom() + 1 - tallest)));
    place.moveLeft(qMax(screen.left(), qMin(place.left(), screen.right() + 1 - place.width())));
    box.move(place.topLeft());
}
}

void ProblemsBox::exec(QWidget* window, const CatalogueReport& report)
{
    if (report.title.isEmpty())
        return;
    QMessageBox box(window);
    box.setDetailedText(report.details);
    const auto list = [&](int listed) {
        QStringList lines = report.lead + report.problems.mid(0, listed);
        if (listed < report.problems.size())
            lines << QStringLiteral("... and %1 more in the details.")
                         .arg(report.problems.size() - listed);
        WarningBox::fill(box, report.title, lines.join(QLatin1Char('\n')));
    };
    int listed = qMin(mostListed, static_cast<int>(report.problems.size()));
    list(listed);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    const QRect screen = box.windowHandle()->screen()->availableGeometry();
    QAbstractButton* details = detailsButton(box);
    if (details)
        details->click();
    while (listed > 0 && box.frameGeometry().height() > screen.height())
        list(--listed);
    const int tallest = box.frameGeometry().height();
    if (details)
        details->click();
    place(box, window, screen, tallest);
    box.exec();
}
