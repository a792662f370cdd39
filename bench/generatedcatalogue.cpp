// SPDX-License-Identifier: GPL-3.0-or-later
#include "generatedcatalogue.h"

namespace {

struct AmplifierLine {
    const char* impedance;
    const char* mode;
    const char* voltage;
    const char* level;
    const char* gain;
};

const AmplifierLine switched[] = {
    { "8", "ST", "42.9", "34.9", "32" },
    { "4", "ST", "40", "34.3", "32" },
    { "8", "BTL", "80", "40.3", "32" },
    { "4", "BTL", "75", "39.7", "32" },
};
const AmplifierLine plain[] = {
    { "8", "NO", "36", "33.3", "26" },
    { "4", "NO", "33", "32.6", "26" },
};

// Six lines make two models: one with a mode switch, one without.
QByteArray modelName(int line)
{
    return "Amplifier " + QByteArray::number(line / 6 * 2 + (line % 6 >= 4));
}

}

QByteArray GeneratedCatalogue::cabinets(int lines)
{
    QByteArray text = "name,program power (W),impedance (ohm)\n";
    for (int i = 0; i < lines; ++i)
        text += "Cabinet " + QByteArray::number(i) + "," + QByteArray::number(100 + i % 20 * 50)
            + (i % 2 ? ",16\n" : ",8\n");
    return text;
}

QByteArray GeneratedCatalogue::amplifiers(int lines)
{
    QByteArray text = "name,impedance (ohm),mode,max program voltage (V),max output level "
                      "(dBu),gain (dB)\n";
    for (int i = 0; i < lines; ++i) {
        const int within = i % 6;
        const AmplifierLine& l = within < 4 ? switched[within] : plain[within - 4];
        text += modelName(i) + ',' + l.impedance + ',' + l.mode + ',' + l.voltage + ',' + l.level
            + ',' + l.gain + '\n';
    }
    return text;
}

int GeneratedCatalogue::models(int lines)
{
    return lines / 6 * 2 + (lines % 6 > 0) + (lines % 6 > 4);
}

QString GeneratedCatalogue::lastModel(int lines)
{
    return QString::fromLatin1(modelName(lines - 1));
}
