// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVector>

#include <functional>

// Watches QApplication::activeModalWidget() while a test drives the window,
// records every modal window that comes up and closes it, so that the code
// under test can run its exec() calls without a user.
class ModalWatcher : public QObject {
    Q_OBJECT

public:
    struct Seen {
        QString className;
        QString title;
        QString text;
        QString informativeText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool hasParent = false;
        bool applicationModal = false;
        QMessageBox::StandardButtons buttons;
    };

    ModalWatcher();

    // Runs on each modal window before it is closed.
    std::function<void(QWidget*)> onModal;
    QVector<Seen> seen;

private:
    void poll();

    QTimer timer;
};
