// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"

#include <QtTest>
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

// Drives a MainWindow, started on `folder` if any, through its object names as
// a user would; the boxes it raises are kept in `watcher.seen`. It remembers
// its folder in Qt's test-mode settings, none unless told to.
class WindowDriver {
public:
    explicit WindowDriver(const QString& folder = QString(), bool remembered = false)
        : window((forget(remembered), folder))
    {
        window.move(QGuiApplication::primaryScreen()->availableGeometry().center()
            - window.rect().center());
        window.show();
        // The box about the catalogue, if any, once the window is on the screen.
        if (QTest::qWaitForWindowExposed(&window))
            QCoreApplication::processEvents();
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
    // what the user picks in the dialog (nothing: cancelled). A pick is made as
    // the user makes it: only when enabled, and it emits activated(int).
    bool act(const QString& action)
    {
        const QString what = action.section('=', 0, 0), value = action.section('=', 1);
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
            return count()->setValue(value.toInt()), true;
        if (what == "reset")
            return find<QPushButton>("pushButton_reset")->click(), true;
        if (what == "type")
            return QTest::keyClicks(find<QLineEdit>("lineaResultado"), value), true;
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

    // The six result labels' texts, top left to bottom right.
    QStringList labels() const
    {
        QStringList texts;
        for (const char* name : { "label_imp", "label_max_pow", "label_imp_equiv",
                 "label_equiv_pow", "label_prog_power", "label_amp_gain" })
            texts << find<QLabel>(name)->text();
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
        for (const QString& label : labels())
            shown << label.section(": ", 1).section(' ', 0, 0);
        shown << find<QLineEdit>("lineaResultado")->text();
        return (shown << (find<QLabel>("label_alert_max")->isHidden() ? "hidden" : "shown"))
            .join('|');
    }
};
