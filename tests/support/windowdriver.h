// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mainwindow.h"
#include "modalwatcher.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

// What the window shows; the labels' numbers "-" where unknown, empty for the
// form's own text; the warning empty while hidden.
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

// Drives a MainWindow as a user would, with empty test-mode settings; the
// boxes it raises are kept in `watcher.seen`.
class WindowDriver {
public:
    explicit WindowDriver(const QString& folder = QString())
    {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("vantor", "vantor").clear();
        restart(folder);
    }

    ModalWatcher watcher;
    std::unique_ptr<MainWindow> window;

    template <typename T = QComboBox> T* find(const QString& objectName) const
    {
        return window->findChild<T*>(objectName);
    }
    QSpinBox* count() const { return find<QSpinBox>("spin_num_cabinets"); }
    QLineEdit* threshold() const { return find<QLineEdit>("lineaResultado"); }

    // What the user does; false when the window does not let it be done.
    bool pickCabinet(const QVariant& entry) { return pick("comboBox_cabinets", entry); }
    bool pickAmplifier(const QVariant& entry) { return pick("comboBox_amplis", entry); }
    bool pickMode(int index) { return pick("comboBox_mode", index); }
    bool setCount(int value) { return count()->isEnabled() && (count()->setValue(value), true); }
    void typeText(const QString& text) { QTest::keyClicks(threshold(), text); }
    void clickReset() { find<QPushButton>("pushButton_reset")->click(); }
    bool reload() { return trigger("actionReload"); }
    // What the dialog answers, from the working directory; empty: cancelled.
    bool openFolder(const QString& folder)
    {
        window->chooseFolder = answer(folder);
        return trigger("actionOpen");
    }
    bool exportTo(const QString& path)
    {
        window->chooseSheetFile = answer(path);
        return trigger("actionExport");
    }
    // True when the window takes the drop, and opens it only once the drop has
    // returned: a box must not hold the program dragged from.
    bool drop(const QString& path)
    {
        QMimeData data;
        data.setUrls({ QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()) });
        const QPoint at = window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        const QString before = window->windowTitle();
        if (enter.isAccepted())
            QApplication::sendEvent(window.get(), &drop);
        const bool returnedFirst = window->windowTitle() == before;
        QCoreApplication::processEvents();
        return enter.isAccepted() && returnedFirst;
    }
    // The program started again, on the folder named if any.
    void restart(const QString& folder = QString())
    {
        window.reset(); // the settings written, as when the program quits
        window = std::make_unique<MainWindow>(folder);
        window->move(QGuiApplication::primaryScreen()->availableGeometry().center()
            - window->rect().center());
        window->show();
        if (QTest::qWaitForWindowExposed(window.get()))
            QCoreApplication::processEvents();
        QApplication::setActiveWindow(window.get());
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

    // Where the window shows other than `expected`; empty when it shows just that.
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
        const QStringList texts = labels();
        for (int i = 0; i < names.size(); ++i)
            check(names[i], texts[i].section(": ", 1).section(' ', 0, 0), numbers[i]);
        check("threshold", threshold()->text(), expected.threshold);
        check("warning", heard("label_alert_max"), expected.warning);
        for (const char* input :
            { "spin_num_cabinets", "comboBox_cabinets", "comboBox_amplis", "pushButton_reset" })
            check(QString(input) + " enabled", find<QWidget>(input)->isEnabled(),
                expected.inputsEnabled);
        return wrong.join("; ");
    }

private:
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
    // A dialog's answer: the path made absolute.
    static std::function<QString()> answer(const QString& path)
    {
        const QString chosen
            = path.isEmpty() ? path : QDir::cleanPath(QDir::current().absoluteFilePath(path));
        return [chosen] { return chosen; };
    }
};

// One thing a user does, as a table's row lists it.
using Step = std::function<bool(WindowDriver&)>;
Q_DECLARE_METATYPE(Step)
// clang-format off
inline Step pickCabinet(QVariant e) { return [=](auto& d) { return d.pickCabinet(e); }; }
inline Step pickAmplifier(QVariant e) { return [=](auto& d) { return d.pickAmplifier(e); }; }
inline Step pickMode(int i) { return [=](auto& d) { return d.pickMode(i); }; }
inline Step setCount(int n) { return [=](auto& d) { return d.setCount(n); }; }
inline Step typeText(QString t) { return [=](auto& d) { return d.typeText(t), true; }; }
inline Step clickReset() { return [](auto& d) { return d.clickReset(), true; }; }
inline Step reload() { return [](auto& d) { return d.reload(); }; }
inline Step openFolder(QString f) { return [=](auto& d) { return d.openFolder(f); }; }
inline Step exportTo(QString p) { return [=](auto& d) { return d.exportTo(p); }; }
inline Step restart(QString f = {}) { return [=](auto& d) { return d.restart(f), true; }; }
// Dropped on the window, which takes it, or not.
inline Step drop(QString p, bool in = true) { return [=](auto& d) { return d.drop(p) == in; }; }
// How many entries the selector lists.
inline Step entries(QString selector, int count)
{
    return [=](auto& d) { return d.window->template findChild<QComboBox*>(selector)->count() == count; };
}
// clang-format on
// A file of the working directory written anew, or removed (null).
inline Step edit(const QString& name, const QByteArray& content = {})
{
    return [=](WindowDriver&) {
        QFile::remove(name);
        QFile file(name);
        return content.isNull()
            || (file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    };
}
