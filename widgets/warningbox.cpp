// SPDX-License-Identifier: GPL-3.0-or-later
#include "warningbox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>

void WarningBox::fill(QMessageBox& box, const QString& text, const QString& informative)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(informative);
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}
