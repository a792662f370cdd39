// SPDX-License-Identifier: GPL-3.0-or-later
#include "statusmessage.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

#include <algorithm>

void StatusMessage::add(QMainWindow* window, const QList<const QLineEdit*>& fields)
{
    this->window = window;
    this->fields = fields;
    window->ensurePolished(); // the status bar takes its height from the forms' font
    label = new QLabel(window);
    label->setObjectName(QStringLiteral("statusMessage"));
    label->setTextFormat(Qt::PlainText);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    window->statusBar()->setSizeGripEnabled(false);
    window->statusBar()->addWidget(label, 1);
}

void StatusMessage::refit()
{
    window->statusBar()->removeWidget(label);
    window->statusBar()->addWidget(label, 1);
    label->show();
}

void StatusMessage::tell(const QString& text, About about, bool announce)
{
    window->statusBar()->clearMessage();
    label->setText(text);
    shown = about;
    if (announce) { // as an alert that appears
        QAccessibleEvent shown(label, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void StatusMessage::forget(About about)
{
    if (shown == about)
        label->clear();
}

void StatusMessage::saved(const QString& path, int rows)
{
    tell(QStringLiteral("Saved %1: %2")
             .arg(QFileInfo(path).fileName(),
                 rows == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(rows)));
}

bool StatusMessage::showsFiguresOf(const QObject* object) const
{
    return std::find(fields.cbegin(), fields.cend(), object) != fields.cend();
}

// A tooltip's further lines say what the figures mean: no room for them here.
void StatusMessage::figures()
{
    const QLineEdit* shown = nullptr;
    for (const QLineEdit* field : fields)
        if (field->underMouse() || (!shown && field->hasFocus()))
            shown = field;
    if (shown)
        window->statusBar()->showMessage(shown->toolTip().section(QLatin1Char('\n'), 0, 0));
    else
        window->statusBar()->clearMessage();
}
