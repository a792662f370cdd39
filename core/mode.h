// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

#include <optional>

// An amplifier's operation mode: stereo or bridged for a model with the mode
// switch, or none for a model without it. The catalogue writes the three as
// "ST", "BTL" and "NO"; the mode selector lists the first two, in that order.
class Mode {
public:
    enum Value { Stereo, Bridge, Switchless };

    constexpr Mode(Value value = Stereo)
        : value(value)
    {
    }

    // The mode a catalogue field names exactly ("ST", "BTL" or "NO"), or none.
    static std::optional<Mode> parse(const QString& key);
    // The modes of a model with the switch, in the selector's order.
    static QVector<Mode> switched();
    // The selector's entry `index` (0 stereo, 1 bridge).
    static Mode fromIndex(int index) { return index == 1 ? Bridge : Stereo; }

    // "ST", "BTL" or "NO", as the catalogue writes it.
    QString key() const;
    // "ST (Stereo)" or "BTL (Bridge)", as the selector names it; empty for none.
    QString text() const;
    // The entry of the selector; -1 for none.
    int index() const { return value == Switchless ? -1 : static_cast<int>(value); }
    bool hasSwitch() const { return value != Switchless; }

    friend bool operator==(Mode a, Mode b) { return a.value == b.value; }
    friend bool operator!=(Mode a, Mode b) { return a.value != b.value; }

private:
    Value value;
};
