// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets>

#include <functional>

// Records every modal window that comes up while a test drives the program,
// its details shown, and closes it: exec() runs without a user.
class ModalWatcher {
public:
    struct Seen {
        QString className, title, text, informativeText, detailedText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool hasParent = false, applicationModal = false, selectable = false; // a box's text
        bool plainText = true; // no label of it takes markup
        QRect frame, expanded, over, screen; // as shown, details shown, parent's, screen's room
    };

    ModalWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            auto* box = qobject_cast<QMessageBox*>(dialog);
            bool plainText = true;
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                plainText &= label->text().isEmpty() || label->textFormat() == Qt::PlainText;
            const QRect frame = dialog->frameGeometry();
            for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>())
                if (box->buttonRole(button) == QMessageBox::ActionRole)
                    button->click();
            QWidget* parent = dialog->parentWidget();
            seen.append({ dialog->metaObject()->className(), dialog->windowTitle(),
                box ? box->text() : QString(), box ? box->informativeText() : QString(),
                box ? box->detailedText() : QString(), box ? box->icon() : QMessageBox::NoIcon,
                parent != nullptr, dialog->windowModality() == Qt::ApplicationModal,
                box && box->textInteractionFlags() & Qt::TextSelectableByMouse, plainText, frame,
                dialog->frameGeometry(), parent ? parent->window()->frameGeometry() : QRect(),
                dialog->windowHandle()->screen()->availableGeometry() });
            if (onModal)
                onModal(dialog);
            dialog->reject();
        });
        timer.start(10);
    }

    std::function<void(QWidget*)> onModal; // runs on each before it is closed
    QVector<Seen> seen;

    // Top-level windows still shown: a box or dialog left behind.
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
