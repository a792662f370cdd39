// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

WindowDriver::WindowDriver()
{
    window.show();
    QCoreApplication::processEvents(); // the box about the catalogue, if any
}

QComboBox* WindowDriver::combo(const QString& objectName) const
{
    return find<QComboBox>(objectName);
}

QSpinBox* WindowDriver::count() const
{
    return find<QSpinBox>(QStringLiteral("spin_num_cabinets"));
}

bool WindowDriver::pick(const QString& comboName, int index) const
{
    QComboBox* box = combo(comboName);
    if (!box || !box->isEnabled() || index < 0 || index >= box->count())
        return false;
    box->setCurrentIndex(index);
    emit box->activated(index);
    return true;
}

bool WindowDriver::pick(const QString& comboName, const QString& itemText) const
{
    QComboBox* box = combo(comboName);
    return box && pick(comboName, box->findText(itemText));
}

void WindowDriver::setCount(int value) const { count()->setValue(value); }

bool WindowDriver::act(const QString& action) const
{
    const QString what = action.section('=', 0, 0);
    const QString value = action.section('=', 1);
    if (what == "cabinet")
        return pick("comboBox_cabinets", value);
    if (what == "amp") // a name, or an entry's index
        return value.toInt() || value == "0" ? pick("comboBox_amplis", value.toInt())
                                             : pick("comboBox_amplis", value);
    if (what == "mode")
        return pick("comboBox_mode", value.toInt());
    if (what == "count")
        setCount(value.toInt());
    else if (what == "reset")
        find<QPushButton>(QStringLiteral("pushButton_reset"))->click();
    else
        return false;
    return true;
}

QString WindowDriver::text(const QString& objectName) const
{
    if (auto* edit = find<QLineEdit>(objectName))
        return edit->text();
    if (auto* shown = find<QLabel>(objectName))
        return shown->text();
    return QStringLiteral("<no widget %1>").arg(objectName);
}

bool WindowDriver::alertShown() const
{
    return !find<QLabel>(QStringLiteral("label_alert_max"))->isHidden();
}

QStringList WindowDriver::boxTexts() const
{
    QStringList texts;
    for (const ModalWatcher::Seen& box : watcher.seen)
        texts << box.text;
    return texts;
}

QString WindowDriver::display() const
{
    const auto input = [](const QString& name, int index, bool enabled) {
        return QStringLiteral("%1=%2 %3\n")
            .arg(name)
            .arg(index)
            .arg(enabled ? "enabled" : "disabled");
    };
    QString shown;
    shown += input("count", count()->value(), count()->isEnabled());
    for (const char* name : { "comboBox_cabinets", "comboBox_amplis", "comboBox_mode" }) {
        const QComboBox* box = combo(name);
        shown += input(name, box->currentIndex(), box->isEnabled());
    }
    for (const char* name : { "label_imp", "label_max_pow", "label_imp_equiv", "label_equiv_pow",
             "label_prog_power", "label_amp_gain", "lineaResultado" })
        shown += text(name) + "\n";
    shown += alertShown() ? "alert shown" : "alert hidden";
    return shown;
}

QStringList WindowDriver::visibleWindows()
{
    QStringList shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            shown << QString::fromLatin1(widget->metaObject()->className());
    }
    return shown;
}
