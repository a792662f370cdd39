// SPDX-License-Identifier: GPL-3.0-or-later
#include "modalwatcher.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>

ModalWatcher::ModalWatcher()
{
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, this, &ModalWatcher::poll);
    timer.start();
}

void ModalWatcher::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<QDialog*>(modal);
    if (!dialog || !dialog->isVisible())
        return;
    Seen record;
    record.className = QString::fromLatin1(modal->metaObject()->className());
    record.title = modal->windowTitle();
    record.hasParent = modal->parentWidget() != nullptr;
    record.applicationModal = modal->windowModality() == Qt::ApplicationModal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        record.text = box->text();
        record.informativeText = box->informativeText();
        record.icon = box->icon();
        record.buttons = box->standardButtons();
    }
    seen.append(record);
    if (onModal)
        onModal(modal);
    dialog->reject();
}
