// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Watches QApplication::activeModalWidget() while a test drives the program,
// records every modal window that comes up and closes it, so that the code
// under test runs its exec() calls without a user.
class ModalWatcher {
public:
    struct Seen {
        QString className, title, text, informativeText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool hasParent = false, applicationModal = false;
        bool plainText = true; // no label of it takes markup
    };

    ModalWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            auto* box = qobject_cast<QMessageBox*>(dialog);
            seen.append({ dialog->metaObject()->className(), dialog->windowTitle(),
                box ? box->text() : QString(), box ? box->informativeText() : QString(),
                box ? box->icon() : QMessageBox::NoIcon, dialog->parentWidget() != nullptr,
                dialog->windowModality() == Qt::ApplicationModal });
            for (QLabel* label : dialog->findChildren<QLabel*>())
                seen.last().plainText
                    &= label->text().isEmpty() || label->textFormat() == Qt::PlainText;
            if (onModal)
                onModal(dialog);
            dialog->reject();
        });
        timer.start(10);
    }

    std::function<void(QWidget*)> onModal; // runs on each before it is closed
    QVector<Seen> seen;

    // Class names of the top-level windows still shown: a test that ends with
    // one open has left a box or dialog behind.
    static QStringList visibleWindows()
    {
        QStringList shown;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                shown << widget->metaObject()->className();
        return shown;
    }

private:
    QTimer timer;
};
