// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"
#include "modalwatcher.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

// Drives a MainWindow through its widgets' object names, as a user would.
// Every box the window raises, from its first showing on, is closed and kept
// in `watcher.seen`.
class WindowDriver {
public:
    WindowDriver()
    {
        window.show();
        QCoreApplication::processEvents(); // the box about the catalogue, if any
    }

    ModalWatcher watcher;
    MainWindow window;

    template <typename T = QComboBox> T* find(const QString& objectName) const
    {
        return window.findChild<T*>(objectName);
    }
    QSpinBox* count() const { return find<QSpinBox>("spin_num_cabinets"); }

    // "cabinet=", "amp=" or "mode=" an entry's text or index, "count=N",
    // "type=TEXT" into the threshold or "reset". A pick is made as the user makes it: only on an
    // enabled selector, which changes its current entry and emits activated(int).
    bool act(const QString& action) const
    {
        const QString what = action.section('=', 0, 0);
        const QString value = action.section('=', 1);
        if (what == "count")
            count()->setValue(value.toInt());
        else if (what == "reset")
            find<QPushButton>("pushButton_reset")->click();
        else if (what == "type")
            QTest::keyClicks(find<QLineEdit>("lineaResultado"), value);
        if (what == "count" || what == "reset" || what == "type")
            return true;
        static const QHash<QString, QString> selectors { { "cabinet", "comboBox_cabinets" },
            { "amp", "comboBox_amplis" }, { "mode", "comboBox_mode" } };
        QComboBox* box = find(selectors.value(what, "no such selector"));
        bool isIndex = false;
        int entry = value.toInt(&isIndex);
        if (box && !isIndex)
            entry = box->findText(value);
        if (!box || !box->isEnabled() || entry < 0 || entry >= box->count())
            return false;
        box->setCurrentIndex(entry);
        emit box->activated(entry);
        return true;
    }

    QStringList boxTexts() const
    {
        QStringList texts;
        for (const ModalWatcher::Seen& box : watcher.seen)
            texts << box.text;
        return texts;
    }

    // "count cabinet amplifier mode" ("!" after a disabled input), the six
    // labels' numbers ("-" where unknown, empty for the form's own text), the
    // threshold and "shown" or "hidden" for the alert, split by "|".
    QString display() const
    {
        QStringList inputs { QString::number(count()->value())
            + (count()->isEnabled() ? "" : "!") };
        for (const char* name : { "comboBox_cabinets", "comboBox_amplis", "comboBox_mode" })
            inputs << QString::number(find(name)->currentIndex())
                    + (find(name)->isEnabled() ? "" : "!");
        QStringList shown { inputs.join(' ') };
        for (const char* name : { "label_imp", "label_max_pow", "label_imp_equiv",
                 "label_equiv_pow", "label_prog_power", "label_amp_gain" })
            shown << find<QLabel>(name)->text().section(": ", 1).section(' ', 0, 0);
        shown << find<QLineEdit>("lineaResultado")->text();
        return (shown << (find<QLabel>("label_alert_max")->isHidden() ? "hidden" : "shown"))
            .join('|');
    }
};
