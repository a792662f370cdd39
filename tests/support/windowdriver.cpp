// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowdriver.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

WindowDriver::WindowDriver() { window.show(); }

QComboBox* WindowDriver::combo(const QString& objectName) const
{
    return find<QComboBox>(objectName);
}

QLabel* WindowDriver::label(const QString& objectName) const { return find<QLabel>(objectName); }

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

void WindowDriver::clickReset() const
{
    find<QPushButton>(QStringLiteral("pushButton_reset"))->click();
}

QString WindowDriver::text(const QString& objectName) const
{
    if (auto* edit = find<QLineEdit>(objectName))
        return edit->text();
    if (QLabel* shown = label(objectName))
        return shown->text();
    return QStringLiteral("<no widget %1>").arg(objectName);
}

QString WindowDriver::threshold() const { return text(QStringLiteral("lineaResultado")); }

bool WindowDriver::alertShown() const
{
    return !label(QStringLiteral("label_alert_max"))->isHidden();
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

QString WindowDriver::defaultDisplay(bool afterRefusal)
{
    return QString::fromUtf8("count=1 enabled\n"
                             "comboBox_cabinets=0 enabled\n"
                             "comboBox_amplis=0 enabled\n"
                             "comboBox_mode=0 enabled\n"
                             "Speaker impedance: 8 \u03A9\n"
                             "Speaker program power: 200 W\n"
                             "Equivalent impedance: 8 \u03A9\n"
                             "Equivalent program power: %1\n"
                             "Max program voltage: 42.9 V\n"
                             "Amplifier gain: 32 dB\n"
                             "2.3 dBu\n"
                             "alert hidden")
        .arg(afterRefusal ? "200 W" : "200W");
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
