// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"
#include "modalwatcher.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

// Drives a MainWindow, started on `folder` if any, through its widgets' and
// actions' object names, as a user would. Every box the window raises, from
// its first showing on, is closed and kept in `watcher.seen`. The window
// remembers its folder in the settings of Qt's test mode, never the user's,
// and starts on none remembered unless told to.
class WindowDriver {
public:
    explicit WindowDriver(const QString& folder = QString(), bool remembered = false)
        : window((forget(remembered), folder))
    {
        window.move(QGuiApplication::primaryScreen()->availableGeometry().center()
            - window.rect().center());
        window.show();
        QCoreApplication::processEvents(); // the box about the catalogue, if any
    }

    ModalWatcher watcher;
    MainWindow window;

    static bool forget(bool remembered)
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!remembered)
            QSettings("vantor", "vantor").clear();
        return true;
    }

    template <typename T = QComboBox> T* find(const QString& objectName) const
    {
        return window.findChild<T*>(objectName);
    }
    QSpinBox* count() const { return find<QSpinBox>("spin_num_cabinets"); }

    // "cabinet=", "amp=" or "mode=" an entry's text or index, "count=N",
    // "type=TEXT" into the threshold, "reset", "reload", or "open=" and "export="
    // what the user picks in the folder and save dialogs (nothing: cancelled).
    // A pick is made as the user makes it: only on an enabled selector or
    // action, which changes its current entry and emits activated(int).
    bool act(const QString& action)
    {
        const QString what = action.section('=', 0, 0);
        const QString value = action.section('=', 1);
        static const QHash<QString, QString> actions { { "open", "actionOpen" },
            { "reload", "actionReload" }, { "export", "actionExport" } };
        if (QAction* menuAction = find<QAction>(actions.value(what, "-"))) {
            (what == "export" ? window.chooseSheetFile : window.chooseFolder)
                = [value] { return value; };
            if (menuAction->isEnabled())
                menuAction->trigger();
            return menuAction->isEnabled();
        }
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
