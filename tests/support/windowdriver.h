// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"
#include "modalwatcher.h"

#include <QString>
#include <QStringList>

class QComboBox;
class QSpinBox;

// Drives a MainWindow through its widgets' object names, as a user would.
// Every box the window raises, from its first showing on, is closed and kept
// in `watcher.seen`.
class WindowDriver {
public:
    WindowDriver();

    ModalWatcher watcher;
    MainWindow window;

    template <typename T> T* find(const QString& objectName) const
    {
        return window.findChild<T*>(objectName);
    }
    QComboBox* combo(const QString& objectName) const;
    QSpinBox* count() const;

    // Picks an entry as the user does: only on an enabled selector, which
    // changes its current entry and emits activated(int).
    bool pick(const QString& comboName, int index) const;
    bool pick(const QString& comboName, const QString& itemText) const;
    void setCount(int value) const;
    // "cabinet=NAME", "amp=NAME", "mode=INDEX", "count=N" or "reset".
    bool act(const QString& action) const;

    QString text(const QString& objectName) const; // a label's or line edit's text
    bool alertShown() const;
    QStringList boxTexts() const;

    // Every input's entry and enabled state and every result, one per line.
    QString display() const;

    // Class names of the top-level windows still shown: a test that ends
    // with one open has left a box or dialog behind.
    static QStringList visibleWindows();
};
