// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

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

// What the window shows: the inputs, the result labels' numbers ("-" where
// unknown, empty for the form's own text), the threshold, the warning as a
// screen reader hears it (empty while hidden), and whether the count, both
// selectors and Reset can be used.
struct Shown {
    int count;
    QString cabinet, amplifier; // the selectors' entries; empty: none
    int mode; // 0 ST, 1 BTL
    bool modeEnabled;
    QString impedance, power, equivalentImpedance, equivalentPower, voltage, gain;
    QString threshold, warning = {};
    bool inputsEnabled = true;
};
Q_DECLARE_METATYPE(Shown)

// One thing a user does in the window, made by the functions below it.
struct Step {
    enum Kind { Cabinet, Count, Amplifier, Mode, Type, Reset, Reload, Open, Export, Edit, Restart };
    Kind kind;
    QVariant value = {};
};
Q_DECLARE_METATYPE(Step)
// An entry picked by its text or index.
inline Step pickCabinet(const QVariant& entry) { return { Step::Cabinet, entry }; }
inline Step pickAmplifier(const QVariant& entry) { return { Step::Amplifier, entry }; }
inline Step pickMode(int index) { return { Step::Mode, index }; }
inline Step setCount(int count) { return { Step::Count, count }; }
inline Step typeText(const QString& text) { return { Step::Type, text }; }
inline Step clickReset() { return { Step::Reset }; }
inline Step reload() { return { Step::Reload }; }
// The folder or file chosen in the dialog, from the working directory; empty:
// the dialog cancelled.
inline Step openFolder(const QString& folder) { return { Step::Open, folder }; }
inline Step exportTo(const QString& path) { return { Step::Export, path }; }
// The working directory's cabinet file written anew.
inline Step editCabinets(const QByteArray& file) { return { Step::Edit, file }; }
// The program started again, on the folder named if any.
inline Step restart(const QString& folder = {}) { return { Step::Restart, folder }; }

// Drives a MainWindow through its object names as a user would; the boxes it
// raises are kept in `watcher.seen`. The window is started on `folder` if
// any, and remembers the folder it opens in Qt's test-mode settings, none
// from before unless told to.
class WindowDriver {
public:
    explicit WindowDriver(const QString& folder = QString(), bool remembered = false)
    {
        QStandardPaths::setTestModeEnabled(true);
        if (!remembered)
            QSettings("vantor", "vantor").clear();
        start(folder);
    }

    ModalWatcher watcher;
    std::unique_ptr<MainWindow> window;

    void start(const QString& folder = QString())
    {
        window.reset(); // the settings written, as when the program quits
        window = std::make_unique<MainWindow>(folder);
        window->move(QGuiApplication::primaryScreen()->availableGeometry().center()
            - window->rect().center());
        window->show();
        // The box about the catalogue, if any, once the window is on the screen.
        if (QTest::qWaitForWindowExposed(window.get()))
            QCoreApplication::processEvents();
    }

    template <typename T = QComboBox> T* find(const QString& objectName) const
    {
        return window->findChild<T*>(objectName);
    }
    QSpinBox* count() const { return find<QSpinBox>("spin_num_cabinets"); }
    QLineEdit* threshold() const { return find<QLineEdit>("lineaResultado"); }

    // A pick is made as the user makes it: only when the selector is enabled
    // and has the entry, and it emits activated(int). False when it cannot.
    bool pickCabinet(const QVariant& entry) { return pick("comboBox_cabinets", entry); }
    bool pickAmplifier(const QVariant& entry) { return pick("comboBox_amplis", entry); }
    bool pickMode(int index) { return pick("comboBox_mode", index); }
    bool setCount(int value) { return count()->isEnabled() && (count()->setValue(value), true); }
    void typeText(const QString& text) { QTest::keyClicks(threshold(), text); }
    void clickReset() { find<QPushButton>("pushButton_reset")->click(); }
    bool reload() { return trigger("actionReload"); }
    bool openFolder(const QString& folder)
    {
        window->chooseFolder = [folder] { return chosen(folder); };
        return trigger("actionOpen");
    }
    bool exportTo(const QString& path)
    {
        window->chooseSheetFile = [path] { return chosen(path); };
        return trigger("actionExport");
    }
    void editCabinets(const QByteArray& file)
    {
        QFile::remove(Catalogue::cabinetFileName);
        QFile edited(Catalogue::cabinetFileName);
        QVERIFY(edited.open(QIODevice::WriteOnly) && edited.write(file) == file.size());
    }
    // True when the window takes the path dropped on it.
    bool drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(path) });
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted())
            QApplication::sendEvent(window.get(), &drop);
        return enter.isAccepted();
    }

    // False when the window cannot take the step.
    bool take(const Step& step)
    {
        const QString text = step.value.toString();
        switch (step.kind) {
        case Step::Cabinet:
            return pickCabinet(step.value);
        case Step::Count:
            return setCount(step.value.toInt());
        case Step::Amplifier:
            return pickAmplifier(step.value);
        case Step::Mode:
            return pickMode(step.value.toInt());
        case Step::Type:
            return typeText(text), true;
        case Step::Reset:
            return clickReset(), true;
        case Step::Reload:
            return reload();
        case Step::Open:
            return openFolder(text);
        case Step::Export:
            return exportTo(text);
        case Step::Edit:
            return editCabinets(step.value.toByteArray()), true;
        case Step::Restart:
            return start(text), true;
        }
        return false;
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

    // What a screen reader hears of the label, an alert, while it shows.
    QString heard(const QString& label) const
    {
        QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(find<QLabel>(label));
        return alert->role() == QAccessible::AlertMessage && !alert->state().invisible
            ? alert->text(QAccessible::Name)
            : QString();
    }

    // Where the window shows other than `expected`, one `what is "shown",
    // expected "this"` a difference; empty when it shows just that.
    QString differences(const Shown& expected) const
    {
        QStringList wrong;
        const auto check
            = [&wrong](const QString& what, const QVariant& shown, const QVariant& meant) {
                  if (shown != meant)
                      wrong << QString("%1 is \"%2\", expected \"%3\"")
                                   .arg(what, shown.toString(), meant.toString());
              };
        check("count", count()->value(), expected.count);
        check("cabinet", find("comboBox_cabinets")->currentText(), expected.cabinet);
        check("amplifier", find("comboBox_amplis")->currentText(), expected.amplifier);
        check("mode", find("comboBox_mode")->currentIndex(), expected.mode);
        check("mode enabled", find("comboBox_mode")->isEnabled(), expected.modeEnabled);
        const QStringList names { "impedance", "power", "equivalent impedance", "equivalent power",
            "voltage", "gain" };
        const QStringList numbers { expected.impedance, expected.power,
            expected.equivalentImpedance, expected.equivalentPower, expected.voltage,
            expected.gain };
        for (int i = 0; i < names.size(); ++i)
            check(names[i], labels()[i].section(": ", 1).section(' ', 0, 0), numbers[i]);
        check("threshold", threshold()->text(), expected.threshold);
        check("warning", heard("label_alert_max"), expected.warning);
        for (const char* input :
            { "spin_num_cabinets", "comboBox_cabinets", "comboBox_amplis", "pushButton_reset" })
            check(QString(input) + " enabled", find<QWidget>(input)->isEnabled(),
                expected.inputsEnabled);
        return wrong.join("; ");
    }

private:
    // A path from the working directory as a dialog gives it: absolute.
    static QString chosen(const QString& path)
    {
        return path.isEmpty() ? path : QDir::cleanPath(QDir::current().absoluteFilePath(path));
    }
    bool pick(const char* selector, const QVariant& entry)
    {
        QComboBox* box = find(selector);
        const int index = entry.userType() == QMetaType::QString ? box->findText(entry.toString())
                                                                 : entry.toInt();
        if (!box->isEnabled() || index < 0 || index >= box->count())
            return false;
        box->setCurrentIndex(index);
        emit box->activated(index);
        return true;
    }
    bool trigger(const char* name)
    {
        QAction* action = find<QAction>(name);
        if (action->isEnabled())
            action->trigger();
        return action->isEnabled();
    }
};
