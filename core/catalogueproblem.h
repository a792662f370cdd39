// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Something wrong with a catalogue file: with a line number, a line that was
// read but not as its writer meant; without one (line 0), a file that could
// not be used at all. An empty message is no problem.
class CatalogueProblem {
public:
    QString path; // the file as it was looked for, folder included
    int line = 0;
    QString message;

    // The doubt of a record that no reader has found sound.
    static CatalogueProblem unread();

    // "data_amplis.txt:7: message", the form editors jump to.
    QString located() const;
    // "data_amplis.txt, line 7: message", for people.
    QString listed() const;
};
